// A portal frame built by hand in the program's own frame, as a user builds
// it: a section and a material from the library dialogs, two columns and a
// beam by clicks, fixed bases and a node load on clicked nodes; saved, a new
// project, opened again; the solver's data file written with its beams; the
// solver's results beside it found on opening;
// the deformed shape and the beam moment diagram shown. The project and its
// results are left among the build's artifacts as a sample to open.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "PortalResults.h"
#include "ProgramDriver.h"
#include "vek/analysis/DataFileWriter.h"
#include "framework/Image.h"
#include "vek/view/win/VekView.h"
#include "vek/dialogs/library/LibraryCommands.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/nodes/NodeInput.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/res/LibraryDialogsRes.h"
#include "vek/res/ResultDialogsRes.h"
#include "vek/results/Result.h"
#include "vek/results/ResultDisp.h"

namespace {

using namespace vektest;

constexpr UINT kDrawBeams = 32846;
constexpr UINT kWriteDataFile = 32838;

class MainRoadTest : public ProgramWindowTest {
protected:
    void SetUp() override
    {
        ProgramWindowTest::SetUp();
        BindLibraryDialogs();
        savedOptions = theProjectOptions;
        savedInputs = theNodeInputs;
        // The portal fills the view: 0..4 by 0..3 in the plan.
        const double hi[3] = {5, 4, 0}, lo[3] = {-1, -1, 0};
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 0, 1);
    }
    void TearDown() override
    {
        theResultDisp.CloseAll(1);
        theResult.SetZero();
        theNodeInputs = savedInputs;
        ProgramWindowTest::TearDown();
        theProjectOptions = savedOptions;
        ClearSectionLibraries();
        theMaterials.SetSize(0);
        theCurrentProps.Reset();
    }
    const char* FailureShot() const override { return "main_road_failure"; }

    void Escape()
    {
        Type("\x1b\x1b");
        ASSERT_TRUE(Wait([] { return Code() == 0; }));
    }
    static std::vector<std::array<int, 4>> Beams()
    {
        std::vector<std::array<int, 4>> out;
        for (int i = 0; i < theFrames.GetSize(); ++i) {
            const CFrame* f = theFrames.GetAt(i);
            out.push_back({f->m_nNodeI, f->m_nNodeJ, f->m_nSection, f->m_nMaterial});
        }
        return out;
    }
    static double LoadOf(int id, int lc, int component)
    {
        const CNode* n = theNodes.GetByID(id);
        const int at = n->m_Loads.Index(int16_t(lc));
        return at < 0 ? 0.0 : (*theNodeLoadPool.Get(n->m_Loads[at].nValue))[component];
    }
    std::vector<uint32_t> Shown(int& w, int& h)
    {
        view->UpdateWindow();
        Pump();
        RECT r;
        view->GetClientRect(&r);
        w = r.right;
        h = r.bottom;
        return WindowPixels(view->GetSafeHwnd(), w, h);
    }
    static bool Drawn(const std::vector<uint32_t>& px, int w, int h, POINT p, int d)
    {
        const uint32_t back = px[0] & 0xFFFFFF;
        for (int y = std::max(0, int(p.y) - d); y <= std::min(h - 1, int(p.y) + d); ++y)
            for (int x = std::max(0, int(p.x) - d); x <= std::min(w - 1, int(p.x) + d); ++x)
                if ((px[size_t(y) * size_t(w) + size_t(x)] & 0xFFFFFF) != back) return true;
        return false;
    }
    void SavePicture(const char* name)
    {
        ::GdiFlush();
        CImage image;
        image.Attach(static_cast<CVekView*>(view)->GetBackBitmap());
        image.Save((std::string(VEK_ARTIFACTS) + "/" + name + ".png").c_str());
        image.Detach();
    }

    CProjectOptions savedOptions;
    CNodeInputs savedInputs;
    TempDir dir{"mainroad"};
};

TEST_F(MainRoadTest, APortalFrameBuiltByHandIsSavedOpenedAndItsResultsShown)
{
    using apptest::Click;
    using apptest::WhenModal;
    // A rectangular section and a concrete material, each added by name.
    WhenModal([](CDialog* d) {
        apptest::AnswerName(d, "柱400x400");
        Click(d, IDC_LIB_ADD);
        apptest::Type(d, IDC_SECT_EDIT0, "0.4");
        apptest::Type(d, IDC_SECT_EDIT0 + 1, "0.4");
        Click(d, IDOK);
    });
    Command(ID_LIB_SECTIONS);
    WhenModal([](CDialog* d) {
        apptest::AnswerName(d, "C30");
        Click(d, IDC_LIB_ADD);
        auto* grades = static_cast<CComboBox*>(d->GetDlgItem(IDC_MAT_GRADES));
        grades->SetCurSel(4);  // "30"
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAT_GRADES, CBN_SELCHANGE), LPARAM(grades->m_hWnd));
        Click(d, IDOK);
    });
    Command(ID_LIB_MATERIALS);
    ASSERT_EQ(theFrameSects.GetSize(), 1);
    ASSERT_EQ(theMaterials.GetSize(), 1);

    // Two columns and the beam: new points typed in the prompt bar, points
    // on the nodes already there clicked (the click snaps to the node). A
    // beam runs from its end of smaller x.
    Command(kDrawBeams);
    ASSERT_NE(Code(), 0);
    Type("0 0\r");
    Type("0 3\r");
    ASSERT_TRUE(Wait([] { return theFrames.GetSize() == 1; }));
    Type("4 3\r");
    ClickAt(Pixel(0, 3));
    ASSERT_TRUE(Wait([] { return theFrames.GetSize() == 2; }));
    Type("4 0\r");
    ClickAt(Pixel(4, 3));
    ASSERT_TRUE(Wait([] { return theFrames.GetSize() == 3; }));
    Escape();
    const std::vector<std::array<int, 4>> drawn = {{1, 2, 1, 1}, {2, 3, 1, 1}, {4, 3, 1, 1}};
    ASSERT_EQ(Beams(), drawn);
    ASSERT_EQ(NodeAt(4, 0), 4);

    // Both bases fixed in all six directions.
    std::fill(theNodeInputs.restraints, theNodeInputs.restraints + 6, 1);
    Command(ID_PROP_NODE_RESTRAINT);
    ApplyTo(1);
    ApplyTo(4);
    Escape();
    // A sideways force of 10 at the top of the left column, load case 1.
    theProjectOptions.nCurrentLoadCase = 1;
    theNodeInputs.loadType = 1;
    theNodeInputs.loadAction = 1;
    theNodeInputs.loadValue = 10;
    Command(ID_LOAD_NODE_FORCE);
    ApplyTo(2);
    Escape();
    EXPECT_EQ(theNodes.GetByID(1)->m_cRestraint, 0x3F);
    EXPECT_EQ(theNodes.GetByID(2)->m_cRestraint, 0);
    EXPECT_EQ(LoadOf(2, 1, 0), 10.0);

    // Saved, a new project, the saved one opened again.
    const std::string project = dir.File("portal.prj");
    ChosenFile() = project;
    Command(ID_FILE_SAVE_AS);
    ASSERT_FALSE(frame->GetActiveDocument()->IsModified());
    Command(ID_FILE_NEW);
    ASSERT_EQ(theFrames.GetSize(), 0);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(Beams(), drawn);
    EXPECT_EQ(theNodes.GetByID(4)->m_cRestraint, 0x3F);
    EXPECT_EQ(LoadOf(2, 1, 0), 10.0);
    EXPECT_STREQ(theFrameSects.GetAt(0)->m_pName, "柱400x400");
    EXPECT_STREQ(theMaterials.GetAt(0)->m_pName, "C30");

    // The solver's data file: the three beams of one section and material.
    Command(kWriteDataFile);
    const vektest::Bytes written = vektest::ReadFileBytes(DataFilePath(nullptr));
    std::string data(written.begin(), written.end());
    data.erase(std::remove(data.begin(), data.end(), '\r'), data.end());
    EXPECT_NE(data.find("\nRESTRAINT\n"), std::string::npos) << data;
    EXPECT_NE(data.find("1 R=1 1 1 1 1 1 \n4 R=1 1 1 1 1 1 \n"), std::string::npos) << data;
    const size_t beams = data.find("\nFRAME\n1 0 0 ");
    ASSERT_NE(beams, std::string::npos) << data;
    for (const char* line : {"\n1 1 2 M=1 ", "\n2 2 3 M=1 ", "\n3 4 3 M=1 "})
        EXPECT_NE(data.find(line, beams), std::string::npos) << line << data;

    // The solver's results beside the project are found when it is opened.
    const std::string base = dir.File("portal");
    apptest::PortalResults().WriteAll(base);
    Command(ID_FILE_OPEN);
    ASSERT_TRUE(theResult.Good());
    // The load-case selector offers the one case; the combination selector nothing.
    EXPECT_EQ(frame->GetResultCombo(0).GetCount(), 1);
    EXPECT_EQ(frame->GetResultCombo(0).GetCurSel(), 0);
    theProjectOptions.nMaxDisplacementPixels = 40;
    theProjectOptions.bShowUndeformed = 0;
    theProjectOptions.nForceDiagramSize = 10;

    // The deformed shape: the top of the left column sways 40 pixels along x.
    const POINT top = Pixel(0, 3);
    WhenModal([](CDialog* d) { Click(d, IDC_RES_PICTURE_FIRST), Click(d, IDOK); });
    Command(ID_RESULT_DISP_PICTURE);
    ASSERT_EQ(theResultDisp.disp.kind, 1);
    int w, h;
    std::vector<uint32_t> px = Shown(w, h);
    SavePicture("main_road_deformed");
    const POINT moved{top.x + 40, top.y + 4};
    EXPECT_TRUE(Drawn(px, w, h, moved, 1)) << "the top where it moved";
    EXPECT_FALSE(Drawn(px, w, h, top, 1)) << "nothing left where it stood";

    // The moment diagram: the beam's parabola peaks at mid-span, a tenth of the span off its axis.
    Command(ID_RESULT_CLOSE_ALL);
    WhenModal([](CDialog* d) {
        Click(d, IDC_RES_ELEMENT_FIRST);
        Click(d, IDC_RES_COMPONENT_FIRST + 2);
        Click(d, IDC_RES_ENVELOPE_FIRST);
        Click(d, IDOK);
    });
    Command(ID_RESULT_FORCE_DIAGRAM);
    const FrameForceDiagram& diagram = theResultDisp.frameDiagram;
    ASSERT_EQ(diagram.members.size(), 3u);
    EXPECT_EQ(diagram.component, 2);
    EXPECT_DOUBLE_EQ(diagram.smallest, -32);
    px = Shown(w, h);
    SavePicture("main_road_moment");
    const bool above = Drawn(px, w, h, Pixel(2, 3.4), 1), below = Drawn(px, w, h, Pixel(2, 2.6), 1);
    EXPECT_NE(above, below) << "the peak on one side of the beam";

    // The project and its results, to open with ./run.
    const std::string samples = std::string(VEK_ARTIFACTS) + "/samples";
    ::CreateDirectoryA(samples.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE walk = ::FindFirstFileA((base + ".*").c_str(), &found);
    ASSERT_NE(walk, INVALID_HANDLE_VALUE);
    do {
        const std::string name = found.cFileName;
        EXPECT_TRUE(::CopyFileA(dir.File(name).c_str(), (samples + "/" + name).c_str(), FALSE)) << name;
    } while (::FindNextFileA(walk, &found));
    ::FindClose(walk);
}

}  // namespace
