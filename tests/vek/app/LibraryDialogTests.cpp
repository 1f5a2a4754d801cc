// The section and material library dialogs, opened by their menu commands
// and driven as a user would.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "AppTestUtil.h"
#include "DialogDriver.h"
#include "framework/CommonDialogs.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinTestSupport.h"
#include "vek/dialogs/LibraryDialogs.h"
#include "vek/dialogs/library/LibraryCommands.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/project/ProjectFile.h"
#include "vek/res/LibraryDialogsRes.h"
#include "vek/res/resource.h"

using apptest::Frame;
using namespace apptest;

namespace {

struct LibraryDialogs : ::testing::Test {
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        BindLibraryDialogs();
        ClearSectionLibraries();
        theMaterials.SetSize(0);
        theCurrentProps.Reset();
    }
    void TearDown() override
    {
        ClearSectionLibraries();
        theMaterials.SetSize(0);
        theCurrentProps.Reset();
    }
};

TEST_F(LibraryDialogs, TheMenuOffersTheBuiltDialogsOnly)
{
    EXPECT_TRUE(HasLibraryDialogFor(ID_LIB_MATERIALS));
    EXPECT_TRUE(HasLibraryDialogFor(ID_LIB_SECTIONS));
    EXPECT_TRUE(HasLibraryDialogFor(ID_LIB_VARIABLE_SECTIONS));
    EXPECT_FALSE(HasLibraryDialogFor(ID_LIB_STEEL_SECTIONS));
    EXPECT_EQ(RunLibraryDialog(ID_LIB_STEEL_SECTIONS), IDCANCEL);
}

// An empty library: a section is added by name, given its kind from the
// picture strip and its sizes, and OK puts it into the model.
TEST_F(LibraryDialogs, AddARectangularSectionThroughTheMenu)
{
    apptest::BoxRecorder boxes;
    std::string title;
    bool picturesShown = false;
    WhenModal([&](CDialog* d) {
        picturesShown = d->GetDlgItem(IDC_SECT_STRIP + 1000) != nullptr;
        AnswerName(d, "梁300x600", &title);
        Click(d, IDC_LIB_ADD);
        // Kind 9 from the strip, then back to the rectangle.
        d->SendMessage(0x40A, 8, 0);
        CString label;
        d->GetDlgItemText(IDC_SECT_LABEL0 + 3, label);
        EXPECT_STREQ(label, "竖板厚t2");
        d->SendMessage(0x40A, 0, 0);
        d->GetDlgItemText(IDC_SECT_LABEL0, label);
        EXPECT_STREQ(label, "截面宽b");
        EXPECT_FALSE(d->GetDlgItem(IDC_SECT_EDIT0 + 2)->IsWindowEnabled());
        Type(d, IDC_SECT_EDIT0, "0.3");
        Type(d, IDC_SECT_EDIT0 + 1, "0.6");
        // A second name of the same letters in another case is refused.
        AnswerName(d, "梁300X600");
        Click(d, IDC_LIB_ADD);
        Screenshot(d, "section_library");
        Click(d, IDOK);
    });
    Frame()->SendMessage(WM_COMMAND, ID_LIB_SECTIONS);
    EXPECT_TRUE(picturesShown);
    EXPECT_EQ(title, "截面标识名称输入对话框");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "输入的截面标识名称已经存在!");
    ASSERT_EQ(theFrameSects.GetSize(), 1);
    const CFrameSect& s = *theFrameSects.GetAt(0);
    EXPECT_STREQ(s.m_pName, "梁300x600");
    EXPECT_EQ(s.m_cKind, 1);
    EXPECT_FLOAT_EQ(s.m_fPara[0], 0.6f);  // stored height first
    EXPECT_FLOAT_EQ(s.m_fPara[1], 0.3f);
    EXPECT_FLOAT_EQ(float(s.m_dExtra), 0.18f);
    EXPECT_EQ(theCurrentProps.frameSect, 1);
    EXPECT_STREQ(GetFrameSectString(kOrdinarySect, 1), "0.3X0.6");
}

// Cancel leaves the library; a pipe keeps its wall; a general section's J
// defaults to I33 + I22; an export that cannot be written says so.
TEST_F(LibraryDialogs, EditsAreKeptOnlyOnOk)
{
    CFrameSect pipe;
    pipe.SetName("Sect");
    pipe.m_cKind = 7;
    theFrameSects.Add(pipe);
    CFrameSect general;
    general.SetName("G");
    general.m_cKind = 40;
    theFrameSects.Add(general);
    theCurrentProps.frameSect = 1;

    for (int button : {IDCANCEL, IDOK}) {
        apptest::BoxRecorder boxes;
        CFileDialog::SetTestHook([](CFileDialog* f) -> INT_PTR {
            // A folder that does not exist.
            std::snprintf(f->m_ofn.lpstrFile, f->m_ofn.nMaxFile, "%s", "Z:\\no\\such\\folder\\section.txt");
            return IDOK;
        });
        WhenModal([&](CDialog* d) {
            Type(d, IDC_SECT_EDIT0, "0.1");
            Type(d, IDC_SECT_EDIT0 + 1, "0.15");
            // Rename to its own name in another case: accepted.
            AnswerName(d, "SECT");
            Click(d, IDC_LIB_RENAME);
            CComboBox* names = static_cast<CComboBox*>(d->GetDlgItem(IDC_LIB_NAMES));
            names->SetCurSel(1);
            d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LIB_NAMES, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(names->m_hWnd));
            Type(d, IDC_SECT_EDIT0, "2");
            Type(d, IDC_SECT_EDIT0 + 1, "0");
            Type(d, IDC_SECT_EDIT0 + 2, "3");
            Type(d, IDC_SECT_EDIT0 + 3, "4");
            Click(d, IDC_LIB_EXPORT);
            Click(d, button);
        });
        Frame()->SendMessage(WM_COMMAND, ID_LIB_SECTIONS);
        CFileDialog::SetTestHook(nullptr);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_NE(boxes.texts[0].find("无法写入文件"), std::string::npos);
        const CFrameSect& p = *theFrameSects.GetAt(0);
        const CFrameSect& g = *theFrameSects.GetAt(1);
        if (button == IDCANCEL) {
            EXPECT_STREQ(p.m_pName, "Sect");
            EXPECT_FLOAT_EQ(p.m_fPara[1], 0.4f);
            EXPECT_EQ(theCurrentProps.frameSect, 1);
        } else {
            EXPECT_STREQ(p.m_pName, "SECT");
            EXPECT_FLOAT_EQ(p.m_fPara[0], 0.1f);
            EXPECT_FLOAT_EQ(p.m_fPara[1], 0.15f);
            EXPECT_NEAR(p.m_fPara[2], 0.05f, 1e-7);
            EXPECT_FLOAT_EQ(g.m_fPara[1], 7);  // J = I33 + I22
            EXPECT_EQ(theCurrentProps.frameSect, 2);
        }
    }
}

// A material added by name, filled from the grade list, and kept in the
// project file.
TEST_F(LibraryDialogs, AddAMaterialAndSaveTheProject)
{
    apptest::BoxRecorder boxes;
    CString e, weight, steelE, steelGrade;
    WhenModal([&](CDialog* d) {
        AnswerName(d, "C30");
        Click(d, IDC_LIB_ADD);
        // Steel's values first (units of factor 1), then grade 30 from the list.
        CComboBox* loads = static_cast<CComboBox*>(d->GetDlgItem(IDC_MAT_DEFAULTS));
        loads->SetCurSel(1);
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAT_DEFAULTS, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(loads->m_hWnd));
        d->GetDlgItemText(IDC_MAT_E, steelE);
        d->GetDlgItemText(IDC_MAT_GRADE, steelGrade);
        CComboBox* grades = static_cast<CComboBox*>(d->GetDlgItem(IDC_MAT_GRADES));
        grades->SetCurSel(4);  // "30"
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAT_GRADES, CBN_SELCHANGE), reinterpret_cast<LPARAM>(grades->m_hWnd));
        d->GetDlgItemText(IDC_MAT_E, e);
        d->GetDlgItemText(IDC_MAT_WEIGHT, weight);
        Screenshot(d, "material_library");
        Click(d, IDOK);
    });
    Frame()->SendMessage(WM_COMMAND, ID_LIB_MATERIALS);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_DOUBLE_EQ(std::atof(steelE.GetString()), 2.06e8);
    EXPECT_STREQ(steelGrade, "0");
    ASSERT_EQ(theMaterials.GetSize(), 1);
    const CMaterial& m = *theMaterials.GetAt(0);
    EXPECT_STREQ(m.m_pName, "C30");
    EXPECT_EQ(m.m_fGrade, 30.0f);
    CMaterial c30;
    c30.SetConcreteGrade(30);
    EXPECT_FLOAT_EQ(m.m_fModulus, c30.m_fModulus);
    EXPECT_STREQ(weight, "24.5");
    EXPECT_EQ(theCurrentProps.material, 1);

    vektest::TempFile project("library", ".prj");
    ASSERT_EQ(SaveProjectFile(project.c_str()), 1);
    theMaterials.SetSize(0);
    ASSERT_EQ(LoadProject(project.c_str()), 1);
    ASSERT_EQ(theMaterials.GetSize(), 1);
    EXPECT_STREQ(theMaterials.GetAt(0)->m_pName, "C30");
}

// Warnings keep the values: Poisson's ratio above 1, or 0.
TEST_F(LibraryDialogs, MaterialWarnings)
{
    CMaterial m;
    m.SetName("m");
    theMaterials.Add(m);
    apptest::BoxRecorder boxes;
    WhenModal([&](CDialog* d) {
        Type(d, IDC_MAT_POISSON, "1.5");
        Click(d, IDOK);
    });
    Frame()->SendMessage(WM_COMMAND, ID_LIB_MATERIALS);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "泊松比大于1.0!");
    EXPECT_FLOAT_EQ(theMaterials.GetAt(0)->m_fConst1, 1.5f);
}

}  // namespace
