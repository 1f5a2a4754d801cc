// The panels that choose the current section and material: the generation
// panel by the beam command, the section panel by the section commands and
// the material panel by the material command, driven by clicks and keys;
// then the members made or picked next take what was chosen.
#include <gtest/gtest.h>

#include "DialogTestUtil.h"
#include "tests/support/WinInput.h"
#include "tests/vek/analysis/HandWorkedModels.h"
#include "vek/app/DialogsBar.h"
#include "vek/app/VekApp.h"
#include "vek/dialogs/LibraryDialogs.h"
#include "vek/dialogs/library/LibraryCommands.h"
#include "vek/dialogs/library/MaterialDlg.h"
#include "vek/dialogs/library/PropertyPanels.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameCommands.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/res/PropertyPanelsRes.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"
#include "vek/view/win/BottomDlg.h"
#include "vek/res/InteractRes.h"

using namespace dlgtest;

namespace {

constexpr int kBeamGeneration = 32846;
constexpr int kFrameSection = 32853;
constexpr int kTaperedSection = 33166;
constexpr int kFrameMaterial = 32854;

class PropertyPanelWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        theOperationStack.EndAllOperations();
        theModelessDlgs.CloseAll();
        BindPropertyPanels();
        BindLibraryDialogs();
        RegisterFrameCommands();
        ClearLibraries();
        theCurrentProps.Reset();
    }
    void TearDown() override
    {
        theOperationStack.EndAllOperations();
        theModelessDlgs.CloseAll();
        ClearFrameFamily();
        ClearNodeFamily();
        ClearLibraries();
        theCurrentProps.Reset();
    }
    static void ClearLibraries()
    {
        theFrameSects.SetSize(0);
        theSframeSects.SetSize(0);
        theVframeSects.SetSize(0);
        theMaterials.SetSize(0);
    }
    // Two ordinary sections, one steel section and two materials.
    static void FillLibraries()
    {
        const struct {
            const char* name;
            int kind;
            float a, b;
        } sects[] = {{"梁300x600", 1, 0.6f, 0.3f}, {"圆柱", 7, 0.0f, 0.4f}};
        for (const auto& s : sects) {
            CFrameSect f;
            f.SetName(s.name);
            f.m_cKind = char(s.kind);
            f.m_fPara[0] = s.a;
            f.m_fPara[1] = s.b;
            theFrameSects.Add(f);
        }
        CSframeSect steel;
        steel.SetName("H钢");
        theSframeSects.Add(steel);
        // Two round concretes, the second of grade 40.
        for (const char* name : {"C30", "C40"}) theMaterials.GetAt(vektest::RoundConcrete() - 1)->SetName(name);
        theMaterials.GetAt(1)->m_fGrade = 40;
    }
    static int Beam()
    {
        const double a[3] = {0, 0, 0}, b[3] = {4, 0, 0};
        return AddOneFrame(FindOrAddNode(a), FindOrAddNode(b));
    }
    // The open panel of class T that the command opened.
    template <class T>
    static T* OpenByCommand(int command)
    {
        EXPECT_TRUE(QueryViewCommand(command).enabled) << command;
        if (!RunViewCommand(command)) return nullptr;
        vektest::PumpPending();
        for (HWND h : theModelessDlgs.m_dialogs)
            if (T* t = DYNAMIC_DOWNCAST(T, CWnd::FromHandlePermanent(h))) return t;
        return nullptr;
    }
    // The beam the running generation makes between two picked points.
    static const CFrame* GenerateBeam(double y)
    {
        CSingleOperate* op = theOperationStack.GetCurrentOperation();
        EXPECT_NE(op, nullptr);
        if (!op) return nullptr;
        EXPECT_EQ(op->m_nCode, 80);
        const int before = theFrames.GetSize();
        op->m_points = {{0, y, 0}, {6, y, 0}};
        OperationCallback(80)(op);
        op->m_points.clear();
        EXPECT_EQ(theFrames.GetSize(), before + 1);
        return theFrames.GetSize() > before ? theFrames.GetAt(theFrames.GetSize() - 1) : nullptr;
    }
    static std::vector<std::string> Entries(HWND combo)
    {
        std::vector<std::string> out;
        const int n = int(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) out.push_back(EntryText(combo, i));
        return out;
    }
};

using Names = std::vector<std::string>;

// Messages as the application's loop takes them: its key routing first.
bool AppWait(const std::function<bool()>& done)
{
    return vektest::PumpUntil(done, apptest::kSafety, [](MSG* m) { return theApp.PreTranslateMessage(m) != FALSE; });
}

}  // namespace

TEST_F(PropertyPanelWin, TheBeamCommandsPanelGivesTheChosenSectionAndMaterialToTheNextBeam)
{
    FillLibraries();
    CPropertyDlg* panel = OpenByCommand<CPropertyDlg>(kBeamGeneration);
    ASSERT_NE(panel, nullptr);
    const HWND d = panel->m_hWnd;
    const HWND materials = ::GetDlgItem(d, IDC_PP_MATERIALS), sections = ::GetDlgItem(d, IDC_PP_SECTIONS);
    EXPECT_EQ(Entries(materials), (Names{"暂不赋材料", "C30", "C40"}));
    EXPECT_EQ(Entries(sections), (Names{"暂不赋截面", "梁300x600", "圆柱"}));
    EXPECT_EQ(::IsDlgButtonChecked(d, IDC_PP_ORDINARY), BST_CHECKED);

    ChooseByKeys(materials, 2);
    ChooseByKeys(sections, 2);
    EXPECT_EQ(theCurrentProps.material, 2);
    EXPECT_EQ(theCurrentProps.kind, 0);
    EXPECT_EQ(theCurrentProps.frameSect, 2);
    const CFrame* beam = GenerateBeam(0);
    ASSERT_NE(beam, nullptr);
    EXPECT_EQ(beam->m_nMaterial, 2);
    EXPECT_EQ(beam->m_nSection, 2);
    EXPECT_EQ(beam->m_nAttr & 3u, 0u);
    Picture(d, "property_panel");

    // A steel section brings its own material: the list goes to none and
    // waits until another class is chosen.
    Click(d, IDC_PP_STEEL);
    EXPECT_EQ(theCurrentProps.kind, 1);
    EXPECT_EQ(theCurrentProps.material, 0);
    EXPECT_EQ(Selection(materials), 0);
    EXPECT_FALSE(Enabled(d, IDC_PP_MATERIALS));
    EXPECT_EQ(Entries(sections), (Names{"暂不赋截面", "H钢"}));
    ChooseByKeys(sections, 1);
    EXPECT_EQ(theCurrentProps.steelSect, 1);
    beam = GenerateBeam(3);
    ASSERT_NE(beam, nullptr);
    EXPECT_EQ(beam->m_nSection, 1);
    EXPECT_EQ(beam->m_nAttr & 3u, 1u);
    EXPECT_EQ(beam->m_nMaterial, 0);

    // "None" gives the next beam no section.
    Click(d, IDC_PP_ORDINARY);
    EXPECT_TRUE(Enabled(d, IDC_PP_MATERIALS));
    EXPECT_EQ(Selection(sections), 2);
    ChooseByKeys(sections, 0);
    EXPECT_EQ(theCurrentProps.frameSect, 0);
    beam = GenerateBeam(6);
    ASSERT_NE(beam, nullptr);
    EXPECT_EQ(beam->m_nSection, 0);
}

TEST_F(PropertyPanelWin, TheSectionPanelShowsAndChoosesEachClassAndItsTaperedFormKeepsToTaperedSections)
{
    FillLibraries();
    Beam();
    theCurrentProps.frameSect = 1;
    CSectDispDlg* panel = OpenByCommand<CSectDispDlg>(kFrameSection);
    ASSERT_NE(panel, nullptr);
    const HWND d = panel->m_hWnd;
    const HWND list = ::GetDlgItem(d, IDC_PP_LIST);
    EXPECT_EQ(Entries(list), (Names{"梁300x600", "圆柱"}));
    EXPECT_EQ(Selection(list), 0);
    EXPECT_EQ(ItemText(d, IDC_PP_TEXT), "梁300x600\r\nh=0.6\r\nb=0.3");
    ChooseByKeys(list, 1);
    EXPECT_EQ(theCurrentProps.frameSect, 2);
    EXPECT_EQ(ItemText(d, IDC_PP_TEXT), "圆柱\r\nr=0\r\nR=0.4");
    Picture(d, "section_panel");

    Click(d, IDC_PP_STEEL);
    EXPECT_EQ(theCurrentProps.kind, 1);
    EXPECT_EQ(Entries(list), (Names{"H钢"}));
    ChooseByKeys(list, 0);
    EXPECT_EQ(theCurrentProps.steelSect, 1);
    CString steel;
    theSframeSects.GetAt(0)->GetParaText(steel);
    EXPECT_EQ(ItemText(d, IDC_PP_TEXT), std::string(steel));
    Picture(d, "section_panel_steel");

    // The empty tapered library: nothing to choose and nothing shown.
    Click(d, IDC_PP_VARIABLE);
    EXPECT_EQ(theCurrentProps.kind, 2);
    EXPECT_TRUE(Entries(list).empty());
    EXPECT_EQ(ItemText(d, IDC_PP_TEXT), "");
    EXPECT_EQ(theVframeSects.GetSize(), 0);

    {
        apptest::BoxRecorder boxes;
        Click(d, IDC_PP_HINT);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(
            boxes.texts[0],
            "若指定的截面类型为钢截面,可以不再赋材料,其缺省材料的弹性模量为2.06E8 kPa,若不取缺省值,可另赋给材料。");
    }

    // By two points only tapered sections can be taken.
    theOperationStack.EndAllOperations();
    theModelessDlgs.CloseAll();
    theCurrentProps.kind = 0;
    CVframeSect tapered;
    tapered.SetName("变梁");
    theVframeSects.Add(tapered);
    panel = OpenByCommand<CSectDispDlg>(kTaperedSection);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(theCurrentProps.kind, 2);
    EXPECT_EQ(::IsDlgButtonChecked(panel->m_hWnd, IDC_PP_VARIABLE), BST_CHECKED);
    EXPECT_FALSE(Enabled(panel->m_hWnd, IDC_PP_ORDINARY));
    EXPECT_FALSE(Enabled(panel->m_hWnd, IDC_PP_STEEL));
    ChooseByKeys(::GetDlgItem(panel->m_hWnd, IDC_PP_LIST), 0);
    EXPECT_EQ(theCurrentProps.vframeSect, 1);
    EXPECT_EQ(ItemText(panel->m_hWnd, IDC_PP_TEXT),
              "变梁\r\nI端截面：\r\nh=0.4\r\nb=0.4\r\nJ端截面：\r\nh=0.5\r\nb=0.5");
}

TEST_F(PropertyPanelWin, TheMaterialPanelChoosesOrRemovesAMaterialAndFollowsTheLibrary)
{
    FillLibraries();
    Beam();
    CMaterialDispDlg* panel = OpenByCommand<CMaterialDispDlg>(kFrameMaterial);
    ASSERT_NE(panel, nullptr);
    const HWND d = panel->m_hWnd;
    const HWND list = ::GetDlgItem(d, IDC_PP_LIST);
    EXPECT_EQ(Entries(list), (Names{"删除已有材料", "C30", "C40"}));
    ChooseByKeys(list, 2);
    EXPECT_EQ(theCurrentProps.material, 2);
    EXPECT_EQ(ItemText(d, IDC_PP_TEXT),
              "混凝土强度等级:40\r\n弹模:3e+07\r\n泊松比:0.2\r\n比重:25\r\n密度:2.5\r\n热胀系数:1e-05");
    Picture(d, "material_panel");
    ChooseByKeys(list, 0);
    EXPECT_EQ(theCurrentProps.material, 0);
    EXPECT_EQ(ItemText(d, IDC_PP_TEXT), "");

    // The library dialog ends with a new material: the list takes it.
    WhenModalOf<CMaterialDlg>([](CMaterialDlg* lib) {
        CMaterial m;
        m.SetName("钢材");
        lib->m_materials.Add(m);
        ::PostMessageA(lib->m_hWnd, WM_COMMAND, IDOK, 0);
    });
    Click(d, IDC_PP_LIBRARY);
    vektest::PumpPending();
    EXPECT_EQ(theMaterials.GetSize(), 3);
    EXPECT_EQ(Entries(list), (Names{"删除已有材料", "C30", "C40", "钢材"}));
}

TEST_F(PropertyPanelWin, WithEmptyLibrariesThePanelsOfferOnlyNoneAndTouchNoMissingRecord)
{
    Beam();
    // Numbers left from another project point past the empty lists.
    theCurrentProps.material = 3;
    theCurrentProps.frameSect = 2;
    theCurrentProps.steelSect = 1;
    CPropertyDlg* both = OpenByCommand<CPropertyDlg>(kBeamGeneration);
    ASSERT_NE(both, nullptr);
    EXPECT_EQ(Entries(::GetDlgItem(both->m_hWnd, IDC_PP_MATERIALS)), (Names{"暂不赋材料"}));
    EXPECT_EQ(Entries(::GetDlgItem(both->m_hWnd, IDC_PP_SECTIONS)), (Names{"暂不赋截面"}));
    Click(both->m_hWnd, IDC_PP_STEEL);
    Click(both->m_hWnd, IDC_PP_VARIABLE);
    const CFrame* beam = GenerateBeam(2);
    ASSERT_NE(beam, nullptr);
    EXPECT_EQ(beam->m_nMaterial, 0);
    EXPECT_EQ(beam->m_nSection, 0);

    theOperationStack.EndAllOperations();
    CSectDispDlg* sections = OpenByCommand<CSectDispDlg>(kFrameSection);
    ASSERT_NE(sections, nullptr);
    for (int id : {IDC_PP_ORDINARY, IDC_PP_STEEL, IDC_PP_VARIABLE}) {
        Click(sections->m_hWnd, id);
        EXPECT_TRUE(Entries(::GetDlgItem(sections->m_hWnd, IDC_PP_LIST)).empty()) << id;
        EXPECT_EQ(ItemText(sections->m_hWnd, IDC_PP_TEXT), "") << id;
    }
    theOperationStack.EndAllOperations();
    CMaterialDispDlg* materials = OpenByCommand<CMaterialDispDlg>(kFrameMaterial);
    ASSERT_NE(materials, nullptr);
    EXPECT_EQ(Entries(::GetDlgItem(materials->m_hWnd, IDC_PP_LIST)), (Names{"删除已有材料"}));
    EXPECT_EQ(ItemText(materials->m_hWnd, IDC_PP_TEXT), "");

    EXPECT_EQ(theMaterials.GetSize(), 0);
    EXPECT_EQ(theFrameSects.GetSize(), 0);
    EXPECT_EQ(theSframeSects.GetSize(), 0);
    EXPECT_EQ(theVframeSects.GetSize(), 0);
    EXPECT_EQ(theCurrentProps.material, 0);
    EXPECT_EQ(theCurrentProps.frameSect, 0);
    EXPECT_EQ(theCurrentProps.steelSect, 0);
}

// The panel opens beside a running command and may hold the keys: arrows
// still choose in its list, while typed coordinates reach the prompt.
TEST_F(PropertyPanelWin, KeysTypedWhileThePanelHoldsThemReachTheCommandsPrompt)
{
    FillLibraries();
    CPropertyDlg* panel = OpenByCommand<CPropertyDlg>(kBeamGeneration);
    ASSERT_NE(panel, nullptr);
    const HWND materials = ::GetDlgItem(panel->m_hWnd, IDC_PP_MATERIALS);
    ::SetForegroundWindow(panel->m_hWnd);
    ::SetFocus(materials);
    ASSERT_TRUE(AppWait([&] { return ::GetFocus() == materials; }));
    const int before = Selection(materials);

    vektest::Tap(VK_DOWN);
    ASSERT_TRUE(AppWait([&] { return Selection(materials) == before + 1; }));
    EXPECT_EQ(theCurrentProps.material, before + 1);

    for (WORD vk : {WORD('2'), WORD(VK_SPACE), WORD('3'), WORD(VK_RETURN)}) vektest::Tap(vk);
    auto points = [] {
        const CSingleOperate* op = theOperationStack.GetCurrentOperation();
        return op ? op->PointCount() : -1;
    };
    ASSERT_TRUE(AppWait([&] { return points() == 1; })) << ItemText(theBottomDlg->m_hWnd, IDC_BAR_INPUT);
    EXPECT_EQ(theOperationStack.GetCurrentOperation()->m_points.at(0), (Point3{2, 3, 0}));
    EXPECT_EQ(Selection(materials), before + 1);
}
