// The result dialogs and menu commands in the program's own frame, driven by
// the messages a user's clicks make: what they offer for the model and the
// result at hand, what they store, and the commands' grey states.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "analysis/ProcessManager.h"
#include "analysis/MyImageGIF.h"
#include "analysis/TableTwoCol.h"
#include "tests/korvalib/results/ResultGen.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/AppWindows.h"
#include "vek/app/DialogsBar.h"
#include "vek/app/VekView.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/ResultDialogsRes.h"
#include "vek/res/resource.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/ResultPictures.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/results/win/MemberResultDialogs.h"
#include "vek/results/win/HistoryAnimation.h"
#include "vek/results/win/ResultCommands.h"
#include "vek/results/win/ResultDialogs.h"
#include "vek/results/win/ResultPanels.h"
#include "vek/results/win/ResultSettings.h"

using vektest::PumpPending;
using vektest::PumpUntil;

namespace {

CDialog* ActiveModal()
{
    return CDialog::GetActiveModal();
}

// Once a modal dialog is up: fn looks at it and clicks; then the button
// `end` (OK unless fn ended it already).
void AnswerDialog(std::function<void(CDialog*)> fn, int end = IDOK)
{
    vektest::RunSoon([fn, end] {
        PumpUntil([] { return ActiveModal() && ActiveModal()->m_hWnd && ::IsWindowVisible(ActiveModal()->m_hWnd); });
        CDialog* dlg = ActiveModal();
        fn(dlg);
        if (ActiveModal() == dlg && end) dlg->SendMessage(WM_COMMAND, end);
    });
}

void Click(CWnd* dlg, int id)
{
    if (CWnd* w = dlg->GetDlgItem(id)) w->SendMessage(BM_CLICK);
}

bool Enabled(CWnd* dlg, int id)
{
    CWnd* w = dlg->GetDlgItem(id);
    return w && w->IsWindowEnabled();
}

bool Checked(CWnd* dlg, int id)
{
    return dlg->IsDlgButtonChecked(id) != 0;
}

std::string Text(CWnd* dlg, int id)
{
    CString s;
    dlg->GetDlgItemText(id, s);
    return s.GetString();
}

std::vector<std::string> ComboTexts(CWnd* dlg, int id)
{
    std::vector<std::string> out;
    auto* combo = static_cast<CComboBox*>(dlg->GetDlgItem(id));
    for (int i = 0; i < combo->GetCount(); ++i) {
        CString t;
        combo->GetLBText(i, t);
        out.push_back(t.GetString());
    }
    return out;
}

void SetText(CWnd* dlg, int id, const char* text)
{
    dlg->SetDlgItemText(id, text);
}

// The dialog as the screen shows it, under the build's artifacts/dialogs.
void Shot(CWnd* dlg, const char* name)
{
    ::RedrawWindow(dlg->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
    ::CreateDirectoryA((std::string(VEK_ARTIFACTS) + "/dialogs").c_str(), nullptr);
    EXPECT_FALSE(vektest::SaveScreenShot(dlg->m_hWnd, (std::string("dialogs/") + name).c_str()).empty()) << name;
}

// The state a command's update handler gives: -1 without one.
struct UpdateProbe : CCmdUI {
    int enabled = -1;
    int checked = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    void SetCheck(int check) override { checked = check; }
};
UpdateProbe UpdateOf(UINT id)
{
    UpdateProbe probe;
    probe.m_nID = id;
    apptest::Frame()->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    return probe;
}

// A family of some members, standing in for those not yet in the program.
class SomeMembers : public CModelFamily {
public:
    SomeMembers(EFamily f, int n) : family(f), count(n) { previous = RegisterModelFamily(f, this); }
    ~SomeMembers() override { RegisterModelFamily(family, previous); }
    int GetCount() const override { return count; }
    int GetID(int pos) const override { return pos + 1; }
    int IndexOfID(int id) const override { return id >= 1 && id <= count ? id - 1 : -1; }
    EFamily family;
    int count;
    CModelFamily* previous;
};

resgen::Model OneCase();

// The same with a time history of three steps whose largest translations
// are 1, 2 and 4.
resgen::Model ThreeSteps()
{
    resgen::Model m = OneCase();
    m.steps1 = 3;
    m.kind1 = 1;
    for (int s = 0; s < 3; ++s) {
        std::vector<resgen::Row6> d(3, resgen::Row6{});
        d[2] = {double(1 << s), 0, 0, 0, 0, 0};
        m.res.push_back(d);
        m.resTime.push_back(0.1 * (s + 1));
    }
    return m;
}

// A result of one load case on three nodes.
resgen::Model OneCase()
{
    resgen::Model m;
    m.N = m.n = m.sysResultNodes = 3;
    m.xyz = {{{0, 0, 0}}, {{0, 3, 0}}, {{4, 3, 0}}};
    m.eq.assign(3, {{0, 0, 0, 0, 0, 0}});
    m.master.assign(3, 0);
    int e = 0;
    for (int j : {1, 2})
        for (auto& d : m.eq[size_t(j)]) d = ++e;
    m.neq = e;
    m.cases = 1;
    m.sets = 1;
    std::vector<resgen::Row6> d(3, resgen::Row6{});
    d[1] = {0.01, 0, 0, 0, 0, 0};
    d[2] = {0.02, 0, 0, 0, 0, 0};
    m.dis.push_back(d);
    return m;
}

class ResultDialogsTest : public ::testing::Test {
protected:
    virtual resgen::Model Results() const { return OneCase(); }
    void SetUp() override
    {
        frame = apptest::Frame();
        ASSERT_NE(frame, nullptr);
        savedOptions = theProjectOptions;
        savedSlots = theResultCommandSlots;
        savedDisp = theResultDispHooks;
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        PumpPending();
        const resgen::Model m = Results();
        for (int i = 0; i < 3; ++i) {
            CNode n;
            n.m_nID = i + 1;
            n.m_nFlags = kObjLive | kObjStateShown;
            std::copy(m.xyz[size_t(i)].begin(), m.xyz[size_t(i)].end(), n.m_dCoord);
            ASSERT_NE(StoreNode(n), nullptr);
        }
        m.WriteAll(Base());
        resgen::SetTime(Base() + ".PL", -100);
        ASSERT_EQ(theResult.SetFileName(Base().c_str(), 3, 1), 1);
    }
    void TearDown() override
    {
        vektest::CancelSoon();
        theResultDisp.CloseAll(1);
        theResultDisp.filter = ResultFilter();
        theResult.SetZero();
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        PumpPending();
        theProjectOptions = savedOptions;
        theResultCommandSlots = savedSlots;
        theResultDispHooks = savedDisp;
        theForceFileSwitches = ForceFileSwitches();
        theSteelSelectRequest = SteelSelectRequest();
        theHistoryOutput = HistoryOutput();
        thePipeJointSettings = PipeJointSettings();
    }
    std::string Base() const { return dir.File("case"); }
    void Command(UINT id)
    {
        frame->SendMessage(WM_COMMAND, id);
        PumpPending();
    }

    CMainFrame* frame = nullptr;
    CProjectOptions savedOptions;
    ResultCommandSlots savedSlots;
    ResultDispHooks savedDisp;
    vektest::TempDir dir{"resultdlg"};
};

// ---- member forces as text

TEST_F(ResultDialogsTest, ForceTextOpensOnTheFirstKindWithElementsAndKeepsToItsComponents)
{
    // No frames: trusses are the first kind there is; springs exist too.
    SomeMembers trusses(EFamily::Trusses, 2), springs(EFamily::Springs, 1), walls(EFamily::Walls, 1);
    theResultDisp.forceText.elementKind = 1;
    theResultDisp.forceText.envelope = 2;
    CForceTextDlg dlg(frame);
    std::vector<bool> kinds;
    std::vector<std::string> truss, wall;
    bool perLengthTruss = true, perLengthWall = false, secondInMode2 = false, firstInMode0 = true;
    std::string note2, columnTruss1;
    AnswerDialog([&](CDialog* d) {
        for (int id : {1121, 1122, 1123, 1124, 1125, 1131, 1132}) kinds.push_back(Enabled(d, id));
        EXPECT_TRUE(Checked(d, 1122)) << "frames moved on to trusses";
        truss = ComboTexts(d, IDC_RES_TEXT_FIRST_COMPONENT);
        perLengthTruss = Enabled(d, IDC_RES_TEXT_PER_LENGTH);
        columnTruss1 = Text(d, IDC_RES_TEXT_COLUMN_FIRST + 1);
        EXPECT_FALSE(Enabled(d, IDC_RES_TEXT_COLUMN_FIRST + 1)) << "a column without a name";
        EXPECT_TRUE(Checked(d, 1134)) << "one component: mode 2 became 1";
        Click(d, 1131);
        wall = ComboTexts(d, IDC_RES_TEXT_FIRST_COMPONENT);
        perLengthWall = Enabled(d, IDC_RES_TEXT_PER_LENGTH);
        Click(d, 1135);
        secondInMode2 = Enabled(d, IDC_RES_TEXT_SECOND_COMPONENT);
        note2 = Text(d, IDC_RES_TEXT_NOTE);
        Shot(d, "force_text");
        Click(d, 1133);
        firstInMode0 = Enabled(d, IDC_RES_TEXT_FIRST_COMPONENT);
        EXPECT_EQ(Text(d, IDC_RES_TEXT_NOTE), "");
        // Springs with mode 2 chosen: the mode becomes 1.
        Click(d, 1135);
        Click(d, 1123);
        EXPECT_TRUE(Checked(d, 1134));
        EXPECT_EQ(ComboTexts(d, IDC_RES_TEXT_FIRST_COMPONENT), std::vector<std::string>{"轴力或扭矩"});
        EXPECT_FALSE(Enabled(d, IDC_RES_TEXT_TO_FILE)) << "no file writer yet";
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(kinds, (std::vector<bool>{false, true, true, false, false, true, false}));
    EXPECT_EQ(truss, std::vector<std::string>{"轴力"});
    EXPECT_FALSE(perLengthTruss);
    EXPECT_EQ(columnTruss1, "");
    EXPECT_EQ(wall, (std::vector<std::string>{"轴力N22", "面内剪力Q11", "面内弯矩M33", "面外剪力Q33", "面外弯矩M11",
                                              "扭矩M12"}));
    EXPECT_TRUE(perLengthWall);
    EXPECT_TRUE(secondInMode2);
    EXPECT_FALSE(firstInMode0);
    EXPECT_NE(note2.find("哪两个内力分量之和"), std::string::npos);
    EXPECT_EQ(dlg.m_nKind, 2);
    EXPECT_EQ(dlg.m_nMode, 1);
    EXPECT_EQ(dlg.m_nFirst, 0);
}

TEST_F(ResultDialogsTest, WithNoMembersAtAllTheForceTextDialogOffersNothingAndSaysSo)
{
    CForceTextDlg dlg(frame);
    bool anyKind = true, ok = true;
    std::string note;
    AnswerDialog(
        [&](CDialog* d) {
            anyKind = false;
            for (int id : {1121, 1122, 1123, 1124, 1125, 1131, 1132}) anyKind = anyKind || Enabled(d, id);
            ok = Enabled(d, IDOK);
            note = Text(d, IDC_RES_TEXT_NOTE);
        },
        IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(anyKind);
    EXPECT_FALSE(ok);
    EXPECT_EQ(note, "没有可显示的结果");
}

TEST_F(ResultDialogsTest, TheForceTextCommandStoresTheChoiceAndFillsThroughItsSlot)
{
    static int fills;
    fills = 0;
    EXPECT_EQ(UpdateOf(ID_RESULT_FORCE_TEXT).enabled, 0) << "no members";
    SomeMembers frames(EFamily::Frames, 1);
    theResultDispHooks.updateForceText = nullptr;
    EXPECT_EQ(UpdateOf(ID_RESULT_FORCE_TEXT).enabled, 0) << "no filler of the table";
    theResultDispHooks.updateForceText = [] { ++fills; };
    EXPECT_EQ(UpdateOf(ID_RESULT_FORCE_TEXT).enabled, 1);
    AnswerDialog([](CDialog* d) {
        Click(d, 1134);
        static_cast<CComboBox*>(d->GetDlgItem(IDC_RES_TEXT_FIRST_COMPONENT))->SetCurSel(2);
        Click(d, IDC_RES_TEXT_COLUMN_FIRST + 5);
    });
    Command(ID_RESULT_FORCE_TEXT);
    const ForceText& t = theResultDisp.forceText;
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(t.elementKind, 1);
    EXPECT_EQ(t.envelope, 1);
    EXPECT_EQ(t.first, 2);
    EXPECT_EQ(t.columns[5], 0);
    EXPECT_EQ(t.columns[4], 1);
}

// ---- steel check and selection

TEST_F(ResultDialogsTest, SteelSelectionSwapsAReversedIntervalAndSelectsWhileOpen)
{
    static std::vector<SteelSelectRequest> asked;
    asked.clear();
    theResultCommandSlots.selectByCheck = [](const SteelSelectRequest& r) { asked.push_back(r); };
    EXPECT_EQ(UpdateOf(ID_STEEL_CHECK_SELECT).enabled, 0) << "no steel members";
    theResult.m_bHasSframes = 1;
    EXPECT_EQ(UpdateOf(ID_STEEL_CHECK_SELECT).enabled, 1);
    std::string v1, v2;
    AnswerDialog([&](CDialog* d) {
        // The starting values: item 0, decide anew, outside [-0.05, 1].
        EXPECT_TRUE(Checked(d, IDC_RES_ITEM_FIRST));
        EXPECT_TRUE(Checked(d, IDC_RES_KEEP_SELECTED + 1));
        EXPECT_TRUE(Checked(d, IDC_RES_INSIDE + 1));
        Shot(d, "steel_select");
        Click(d, IDC_RES_KEEP_SELECTED);
        Click(d, IDC_RES_INSIDE);
        SetText(d, IDC_RES_VAL1, "1.2");
        SetText(d, IDC_RES_VAL2, "0.8");
        Click(d, IDC_RES_SELECT_NOW);
        v1 = Text(d, IDC_RES_VAL1);
        v2 = Text(d, IDC_RES_VAL2);
        Click(d, IDC_RES_ITEM_FIRST + 3);
        SetText(d, IDC_RES_VAL2, "2");
    });
    Command(ID_STEEL_CHECK_SELECT);
    ASSERT_EQ(asked.size(), 2u) << "once staying open, once on leaving";
    EXPECT_DOUBLE_EQ(asked[0].val1, 0.8);
    EXPECT_DOUBLE_EQ(asked[0].val2, 1.2);
    EXPECT_EQ(asked[0].treatment, 0);
    EXPECT_EQ(asked[0].condition, 0);
    EXPECT_EQ(std::stod(v1), 0.8) << "the dialog shows them in order";
    EXPECT_EQ(std::stod(v2), 1.2);
    EXPECT_EQ(asked[1].item, 3);
    EXPECT_DOUBLE_EQ(asked[1].val1, 0.8);
    EXPECT_DOUBLE_EQ(asked[1].val2, 2);
    theResult.m_bHasSframes = 0;
}

TEST_F(ResultDialogsTest, SteelCheckDisplayIsGreyUntilItsReaderComesAndStoresItemAndType)
{
    theResult.m_bHasSframes = 1;
    theResultCommandSlots.readSteelCheck = nullptr;
    EXPECT_EQ(UpdateOf(ID_STEEL_CHECK_MAX).enabled, 0);
    static int reads;
    reads = 0;
    theResultCommandSlots.readSteelCheck = [] { ++reads; };
    EXPECT_EQ(UpdateOf(ID_STEEL_CHECK_MAX).enabled, 1);
    theResultDisp.steelCheck.item = 4;
    theResultDisp.steelCheck.kind = 1;
    AnswerDialog([](CDialog* d) {
        EXPECT_TRUE(Checked(d, IDC_RES_ITEM_FIRST + 4));
        EXPECT_TRUE(Checked(d, IDC_RES_CHECK_TYPE_FIRST + 1));
        EXPECT_EQ(Text(d, IDC_RES_FILTER_BUTTON), "过滤功能无效");
        Shot(d, "steel_check_text");
        Click(d, IDC_RES_ITEM_FIRST + 6);
        Click(d, IDC_RES_CHECK_TYPE_FIRST + 2);
    });
    Command(ID_STEEL_CHECK_MAX);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(theResultDisp.steelCheck.item, 6);
    EXPECT_EQ(theResultDisp.steelCheck.kind, 2);
    theResult.m_bHasSframes = 0;
}

// ---- reinforcement

TEST_F(ResultDialogsTest, ReinforcementPictureStoresItsRadiosAndItemBits)
{
    EXPECT_EQ(UpdateOf(ID_RESULT_REIN_PICTURE).enabled, 0) << "no plain frames";
    theResult.m_bHasFrames = 1;
    EXPECT_EQ(UpdateOf(ID_RESULT_REIN_PICTURE).enabled, 1);
    AnswerDialog([](CDialog* d) {
        Shot(d, "rein_picture");
        Click(d, 1572);  // the largest only
        Click(d, IDC_RES_REIN_SHOW_FIRST + 1);
        Click(d, IDC_RES_REIN_TOP);
        Click(d, IDC_RES_REIN_STIRRUPS);
        Click(d, IDC_RES_REIN_SHEAR_TORSION);
    });
    Command(ID_RESULT_REIN_PICTURE);
    const ReinDisp& r = theResultDisp.rein;
    EXPECT_EQ(r.perSection, 1);
    EXPECT_EQ(r.ratio, 1);
    EXPECT_EQ(r.items, (1 << 0) | (1 << 4) | (1 << 6));
    EXPECT_EQ(UpdateOf(ID_RESULT_REIN_PICTURE).checked, 1);
    theResult.m_bHasFrames = 0;
}

// ---- time-history output panel

TEST_F(ResultDialogsTest, TheResponsePanelGreysAbsentQuantitiesMovesOnAndStoresEachClick)
{
    theResult.m_nHistKind = 2 | 4;  // velocity and acceleration only
    theHistoryOutput.quantity = 1;
    CHistdirDlg* panel = OpenHistdirDlg();
    ASSERT_NE(panel, nullptr);
    PumpPending();
    EXPECT_FALSE(Enabled(panel, IDC_RES_QUANTITY_FIRST));
    EXPECT_TRUE(Enabled(panel, IDC_RES_QUANTITY_FIRST + 1));
    EXPECT_EQ(theHistoryOutput.quantity, 2) << "displacement moved on to velocity";
    EXPECT_TRUE(Checked(panel, IDC_RES_QUANTITY_FIRST + 1));
    Shot(panel, "history_output");
    Click(panel, IDC_RES_ITEM_FIRST + 6);
    Click(panel, IDC_RES_QUANTITY_FIRST + 2);
    EXPECT_EQ(theHistoryOutput.component, 6);
    EXPECT_EQ(theHistoryOutput.quantity, 3);
    panel->SaveAndDestroy();
    PumpPending();
    EXPECT_EQ(theHistdirDlg, nullptr);

    // None at all: the title says so and nothing is chosen.
    theResult.m_nHistKind = 0;
    theHistoryOutput.quantity = 1;
    panel = OpenHistdirDlg();
    ASSERT_NE(panel, nullptr);
    CString title;
    panel->GetWindowText(title);
    EXPECT_NE(std::string(title.GetString()).find("没有可显示的结果"), std::string::npos);
    for (int k = 0; k < 3; ++k) EXPECT_FALSE(Enabled(panel, IDC_RES_QUANTITY_FIRST + k));
    panel->SaveAndDestroy();
    PumpPending();
}

// ---- report options

TEST_F(ResultDialogsTest, ReportOptionsKeepFactorsOfTheResultsLoadCasesBySize)
{
    ReportOptions options;
    options.factors = {{0, 1.0}, {1, -0.5}, {4, 2.0}};
    options.gravityMethod = 1;
    options.fileName = "report.txt";
    CReportOptionDlg dlg(options, frame);
    std::vector<std::string> header;
    AnswerDialog([&](CDialog*) {
        CTableTwoCol* grid = dlg.GetGrid();
        ASSERT_NE(grid, nullptr);
        header = {grid->GetCellTextPtr(0, 1) ? grid->GetCellTextPtr(0, 1) : "",
                  grid->GetCellTextPtr(0, 2) ? grid->GetCellTextPtr(0, 2) : ""};
        EXPECT_TRUE(Checked(&dlg, IDC_RES_REPORT_GRAVITY_FIRST + 1));
        EXPECT_FALSE(Enabled(&dlg, IDC_RES_REPORT_DETAILS)) << "no storeys";
        Shot(&dlg, "report_options");
        Click(&dlg, IDC_RES_REPORT_DRIFT_FIRST + 1);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(header, (std::vector<std::string>{"荷载种类", "重力荷载系数"}));
    // The result has one load case: case 0 and case 4 are dropped, -0.5 counts as 0.5.
    ASSERT_EQ(options.factors.size(), 1u);
    EXPECT_EQ(options.factors[0].first, 1);
    EXPECT_DOUBLE_EQ(options.factors[0].second, 0.5);
    EXPECT_EQ(options.driftMethod, 1);
    EXPECT_EQ(options.gravityMethod, 1);
    EXPECT_EQ(options.fileName, "report.txt");
    EXPECT_EQ(UpdateOf(ID_RESULT_REPORT).enabled, 0) << "the report writer is not in the program";
}

// ---- tube joints and shells

TEST_F(ResultDialogsTest, TubeJointDialogsStoreTheirSwitchesAndTheInputPanelStoresOnLeaving)
{
    for (UINT id : {ID_JOINT_DISPLAY, ID_JOINT_AUTO, ID_JOINT_DATA})
        EXPECT_EQ(UpdateOf(id).enabled, 0) << id << ": the joint store is not in the program";
    {
        CSteelPipeSetDlg dlg(frame);
        AnswerDialog([](CDialog* d) {
            Shot(d, "pipe_display");
            Click(d, IDC_RES_PIPE_RATIOS);
            Click(d, IDC_RES_PIPE_FILTERED);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
    }
    {
        CSteelPipeSearchDlg dlg(frame);
        AnswerDialog([](CDialog* d) {
            Shot(d, "pipe_search");
            Click(d, IDC_RES_SEARCH_SELECTED);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK);
    }
    const PipeJointSettings& s = thePipeJointSettings;
    EXPECT_EQ(std::vector<int>({s.showMembers, s.showRatios, s.showGaps, s.filteredOnly}),
              std::vector<int>({0, 1, 0, 1}));
    EXPECT_EQ(std::vector<int>({s.searchReplace, s.searchShownOnly, s.searchSelectedOnly}),
              std::vector<int>({0, 0, 1}));

    auto* panel = new CStPipeDataDlg(frame);
    ASSERT_TRUE(panel->Create(IDD_PIPE_DATA, frame));
    panel->ShowWindow(SW_SHOW);
    PumpPending();
    Shot(panel, "pipe_data");
    SetText(panel, IDC_RES_PIPE_GAP, "12.5");
    SetText(panel, IDC_RES_PIPE_OVERLAP, "0.25");
    panel->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RES_PIPE_OVERLAP, EN_KILLFOCUS),
                       LPARAM(panel->GetDlgItem(IDC_RES_PIPE_OVERLAP)->m_hWnd));
    EXPECT_FLOAT_EQ(s.gap, 12.5f);
    EXPECT_FLOAT_EQ(s.overlap, 0.25f);
    panel->SaveAndDestroy();
    PumpPending();
}

TEST_F(ResultDialogsTest, ShellForceOutputNamesItsTwentyComponentsAndBindsItsSettings)
{
    EXPECT_EQ(UpdateOf(ID_RESULT_SHELL_FORCE_FILE).enabled, 0) << "no shells";
    theShellForceOutput = ShellForceOutput();
    CListShellForceDlg dlg(frame);
    std::string first, last;
    AnswerDialog([&](CDialog* d) {
        first = Text(d, IDC_RES_SHELL_COMPONENT_FIRST);
        last = Text(d, IDC_RES_SHELL_COMPONENT_FIRST + 19);
        Shot(d, "shell_force_list");
        Click(d, IDC_RES_SHELL_COMPONENT_FIRST + 7);
        Click(d, IDC_RES_SHELL_CENTRE_Z);
        Click(d, IDC_RES_SHELL_ALL_COMBS);
        EXPECT_TRUE(Checked(d, IDC_RES_SHELL_ALL_COMBS));
        EXPECT_FALSE(Checked(d, IDC_RES_SHELL_COMBS_FIRST));
        SetText(d, IDC_RES_FILE_NAME, "shells.txt");
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(first, "1向中面正应力σ1");
    EXPECT_EQ(last, "下表面第二主应力S2d");
    const ShellForceOutput& s = theShellForceOutput;
    EXPECT_EQ(s.components[7], 1);
    EXPECT_EQ(s.components[6], 0);
    EXPECT_EQ(s.centre[2], 1);
    EXPECT_EQ(s.allCombinations, 1);
    EXPECT_EQ(s.fileName, "shells.txt");
    theShellForceOutput = ShellForceOutput();
}

// ---- commands without dialogs

TEST_F(ResultDialogsTest, AxialRatioAsksForTheCombinationsAndInfoContentIsChecked)
{
    static int fills;
    fills = 0;
    theResultDispHooks.fillAxialRatio = [] { ++fills; };
    theResult.m_bHasFrames = 1;
    EXPECT_EQ(UpdateOf(ID_RESULT_AXIAL_RATIO).enabled, 1);
    const struct {
        int answer, kind;
    } cases[] = {{IDYES, 2}, {IDNO, 1}, {IDCANCEL, 0}};
    for (const auto& c : cases) {
        apptest::BoxRecorder boxes;
        boxes.answer = c.answer;
        Command(ID_RESULT_AXIAL_RATIO);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0].rfind("是否显示所有内力组合下的最大轴压比？", 0), 0u);
        EXPECT_EQ(theResultDisp.axialRatio.kind, c.kind);
        EXPECT_EQ(UpdateOf(ID_RESULT_AXIAL_RATIO).checked, c.kind);
    }
    EXPECT_EQ(fills, 3);
    theResult.m_bHasFrames = 0;

    for (UINT id : {ID_INFO_CONTENT_RESULTS, ID_INFO_CONTENT_ALL, ID_INFO_CONTENT_MODEL}) {
        Command(id);
        EXPECT_EQ(UpdateOf(id).checked, 1);
        for (UINT other : {ID_INFO_CONTENT_MODEL, ID_INFO_CONTENT_RESULTS, ID_INFO_CONTENT_ALL})
            if (other != id) {
                EXPECT_EQ(UpdateOf(other).checked, 0);
            }
    }
}

TEST_F(ResultDialogsTest, CheckProgramsAreOfferedOnlyWhenTheirFileIsInTheSolverFolder)
{
    const std::string saved = CProcessManager::korvaPath;
    vektest::TempDir solver{"solverdir"};
    const std::string folder = solver.File("");
    std::snprintf(CProcessManager::korvaPath, sizeof CProcessManager::korvaPath, "%s",
                  folder.substr(0, folder.size() - 1).c_str());
    theProcessManager.SetCurPath(dir.File("").c_str());
    theResult.m_bHasSframes = 1;
    EXPECT_EQ(UpdateOf(ID_STEEL_CHECK_RUN).enabled, 0);
    EXPECT_EQ(UpdateOf(ID_RESULT_SUPPORT_FORCES).enabled, 0);
    for (const char* program : {"DRAV.EXE", "DEVUR.EXE"})
        if (FILE* f = std::fopen(solver.File(program).c_str(), "wb")) std::fclose(f);
    EXPECT_EQ(UpdateOf(ID_STEEL_CHECK_RUN).enabled, 1);
    EXPECT_EQ(UpdateOf(ID_RESULT_SUPPORT_FORCES).enabled, 1);
    theResult.m_bHasSframes = 0;
    EXPECT_EQ(UpdateOf(ID_STEEL_CHECK_RUN).enabled, 0) << "the steel check needs steel members";
    theProcessManager.SetCurPath("");
    EXPECT_EQ(UpdateOf(ID_RESULT_SUPPORT_FORCES).enabled, 0) << "no run folder";
    std::snprintf(CProcessManager::korvaPath, sizeof CProcessManager::korvaPath, "%s", saved.c_str());
}

// ---- selection changes

TEST_F(ResultDialogsTest, AnotherLoadCaseRedrawsTheDeformedShapeFromTheResult)
{
    ASSERT_TRUE(ShowDispPicture(1));
    theResultDisp.disp.largest = 1;
    theResultDisp.OnLoadCaseChanged();
    EXPECT_EQ(theResultDisp.disp.kind, 1);
    EXPECT_DOUBLE_EQ(theResultDisp.disp.largest, 0.02) << "the picture was fetched again";
}

// ---- animation playback

// Ticks of the view's timer 1, by message: the frames shown one after another.
std::vector<int> Ticks(CVekView* view, int count)
{
    std::vector<int> shown;
    for (int i = 0; i < count; ++i) {
        view->SendMessage(WM_TIMER, 1);
        shown.push_back(LastShownFrame());
    }
    return shown;
}

TEST_F(ResultDialogsTest, TheViewsTimerPlaysFramesBackAndForthAndTheDisplacementHistoryInALoop)
{
    CVekView* view = GetVekView();
    ASSERT_NE(view, nullptr);
    DispPicture& p = theResultDisp.disp;
    p.frameCount = 4;
    const struct {
        int kind;
        std::vector<int> frames;
    } cases[] = {
        {11, {1, 2, 3, 4, 4, 3, 2, 1, 2}}, {16, {1, 2, 3, 4, 4, 3, 2, 1, 2}}, {15, {1, 2, 3, 4, 1, 2, 3, 4, 1}}};
    for (const auto& c : cases) {
        p.kind = int16_t(c.kind);
        p.frameCount = 4;
        p.playing = 0;
        // No pumping before the ticks: the real timer's first tick stays queued.
        frame->SendMessage(WM_COMMAND, ID_RESULT_PLAY);
        ASSERT_EQ(p.playing, 1);
        EXPECT_EQ(UpdateOf(ID_RESULT_PLAY).enabled, 0) << "not while playing";
        EXPECT_EQ(Ticks(view, 9), c.frames) << c.kind;
        Command(ID_RESULT_STOP);
    }
    // One frame: every tick shows it.
    p.kind = 11;
    p.frameCount = 1;
    frame->SendMessage(WM_COMMAND, ID_RESULT_PLAY);
    EXPECT_EQ(Ticks(view, 3), (std::vector<int>{1, 1, 1}));
    // Stopped: the pending tick shows one last frame and the timer is not armed again.
    Command(ID_RESULT_STOP);
    view->SendMessage(WM_TIMER, 1);
    EXPECT_FALSE(::KillTimer(view->m_hWnd, 1));
    p.kind = 0;
    p.frameCount = 0;
}

class HistoryDialogsTest : public ResultDialogsTest {
protected:
    resgen::Model Results() const override { return ThreeSteps(); }
};

TEST_F(HistoryDialogsTest, AnAnimatedHistoryDrawsEachStepByItsShareOfThePixelSetting)
{
    ASSERT_EQ(theResult.m_nTimeStep, 3);
    theProjectOptions.nMaxDisplacementPixels = 100;
    theProjectOptions.nResultSelectors[kSelResponsePoint - kSelForceCombination] = 2;
    // The dialog offers the displacement history, still and animated.
    std::vector<bool> offered;
    AnswerDialog([&](CDialog* d) {
        for (int i = 0; i < 18; ++i) offered.push_back(Enabled(d, IDC_RES_PICTURE_FIRST + i));
        Click(d, IDC_RES_PICTURE_FIRST + 13);
    });
    static std::vector<std::pair<int, int>> drawn;  // (pixels, frame)
    static int plays;
    drawn.clear();
    plays = 0;
    const ResultPictureHooks saved = theResultPictureHooks;
    theResultPictureHooks.captureFrame = [](const char*) {
        drawn.emplace_back(theProjectOptions.nMaxDisplacementPixels, theResultDisp.disp.currentFrame);
        return true;
    };
    theResultPictureHooks.play = [] { ++plays; };
    Command(ID_RESULT_DISP_PICTURE);
    theResultPictureHooks = saved;
    std::vector<bool> expected(18, false);
    expected[0] = expected[9] = expected[4] = expected[13] = true;
    EXPECT_EQ(offered, expected);
    EXPECT_EQ(drawn, (std::vector<std::pair<int, int>>{{25, 1}, {50, 2}, {100, 3}}));
    const DispPicture& p = theResultDisp.disp;
    EXPECT_EQ(p.kind, 15);
    EXPECT_EQ(p.frameCount, 3);
    EXPECT_DOUBLE_EQ(p.largest, 4) << "the whole history's largest";
    EXPECT_EQ(plays, 1);
    EXPECT_EQ(theProjectOptions.nMaxDisplacementPixels, 100) << "the setting comes back";
    EXPECT_EQ(theProjectOptions.nResultSelectors[kSelResponsePoint - kSelForceCombination], 2);
}

TEST_F(HistoryDialogsTest, AFrameThatIsNotWrittenEndsTheCaptureAndSaysHowManyWere)
{
    const ResultPictureHooks saved = theResultPictureHooks;
    static int calls;
    calls = 0;
    theResultPictureHooks.captureFrame = [](const char*) { return ++calls < 2; };
    theResultPictureHooks.play = nullptr;
    apptest::BoxRecorder boxes;
    EXPECT_TRUE(ShowHistoryAnimation(15));
    theResultPictureHooks = saved;
    EXPECT_EQ(theResultDisp.disp.frameCount, 1);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("只含已写入的1帧"), std::string::npos);
}

// ---- the time-history viewer

// The stand-in viewer, started on a report file and closed with the test.
class ViewerStandIn {
public:
    explicit ViewerStandIn(const std::string& report)
    {
        const std::string line = "\"" + apptest::ProgramFolder() + "\\viewer_standin.exe\" \"" + report + "\" normal";
        std::vector<char> cmd(line.begin(), line.end());
        cmd.push_back('\0');
        STARTUPINFOA si{};
        si.cb = sizeof si;
        if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si,
                              &pi))
            return;
        char name[64];
        std::snprintf(name, sizeof name, "VekViewerStandIn%lu", pi.dwProcessId);
        HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, name);
        ::ResumeThread(pi.hThread);
        HANDLE waits[2] = {ready, pi.hProcess};
        up = ::WaitForMultipleObjects(2, waits, FALSE, apptest::kSafety) == WAIT_OBJECT_0;
        ::CloseHandle(ready);
    }
    ~ViewerStandIn()
    {
        if (!pi.hProcess) return;
        ::TerminateProcess(pi.hProcess, 0);
        ::WaitForSingleObject(pi.hProcess, 10000);
        ::CloseHandle(pi.hProcess);
        ::CloseHandle(pi.hThread);
    }
    bool up = false;
    PROCESS_INFORMATION pi{};
};

TEST_F(HistoryDialogsTest, APickedNodeGoesToTheViewerWithTheResponseChosenInThePanel)
{
    vektest::TempFile report("viewerlog", ".txt");
    ViewerStandIn viewer(report.path());
    ASSERT_TRUE(viewer.up);
    CVekView* view = GetVekView();
    theViewProjection.SetMode(CViewProjection::kPlan, 0, 0, 0);
    theViewProjection.ZoomExtents(1, 1, 1);
    view->InvalidateModel();
    view->UpdateWindow();

    Command(ID_RESULT_HISTORY_NODE);
    ASSERT_NE(theHistdirDlg, nullptr) << "the panel opens with the operation";
    EXPECT_EQ(UpdateOf(ID_RESULT_HISTORY_NODE).checked, 1);
    Click(theHistdirDlg, IDC_RES_ITEM_FIRST + 2);

    const double node3[3] = {4, 3, 0};
    int sx, sy;
    theViewProjection.WorldToScreenInt(node3, sx, sy);
    vektest::MouseToClient(view->m_hWnd, sx, sy);
    PumpPending();
    vektest::MouseButton(true);
    vektest::MouseButton(false);
    auto text = [&] {
        const vektest::Bytes b = vektest::ReadFileBytes(report.path());
        return std::string(b.begin(), b.end());
    };
    ASSERT_TRUE(PumpUntil([&] { return text().find("node 3") != std::string::npos; }, apptest::kSafety)) << text();
    char base[260] = {};
    theResult.GetFileName(base);
    EXPECT_NE(text().find(std::string("copy 1 260 ") + base), std::string::npos) << text();
    EXPECT_NE(text().find("node 3 item 2 direction 1"), std::string::npos) << text();
    theOperationStack.EndAllOperations();
    if (theHistdirDlg) theHistdirDlg->SaveAndDestroy();
    PumpPending();
}

// ---- check programs through the run manager

TEST_F(ResultDialogsTest, TheCheckProgramsRunFromTheSolverFolderOnTheCurrentDataFile)
{
    const std::string savedPath = CProcessManager::korvaPath;
    char savedEnv[MAX_PATH] = {};
    ::GetEnvironmentVariableA("KORVA", savedEnv, MAX_PATH);
    vektest::TempDir solver{"checkprog"};
    std::string folder = solver.File("");
    folder.pop_back();
    const std::string standIn = apptest::ProgramFolder() + "\\solver_standin.exe";
    for (const char* program : {"DRAV.EXE", "DEVUR.EXE"})
        ASSERT_TRUE(::CopyFileA(standIn.c_str(), solver.File(program).c_str(), FALSE)) << program;
    ASSERT_TRUE(::SetEnvironmentVariableA("KORVA", folder.c_str()));
    CProcessManager::LocateSolver();
    theProcessManager.SetFullPathName(dir.File("case.dat").c_str());
    theResult.m_bHasSframes = 1;
    const std::string log = solver.File("log.txt");
    auto logText = [&] {
        const vektest::Bytes b = vektest::ReadFileBytes(log);
        return std::string(b.begin(), b.end());
    };
    for (UINT id : {ID_STEEL_CHECK_RUN, ID_RESULT_SUPPORT_FORCES}) {
        ASSERT_EQ(UpdateOf(id).enabled, 1) << id;
        Command(id);
        ASSERT_TRUE(PumpUntil([] { return !theProcessManager.ProcessIsStillActive(); }, apptest::kSafety)) << id;
    }
    const std::string text = logText();
    // One line a run: name|command line|current folder|...
    const size_t drav = text.find("DRAV|"), devur = text.find("DEVUR|");
    ASSERT_NE(drav, std::string::npos) << text;
    ASSERT_NE(devur, std::string::npos) << text;
    EXPECT_LT(drav, devur);
    const std::string first = text.substr(drav, text.find('\n', drav) - drav);
    EXPECT_NE(first.find("CASE"), std::string::npos) << "the data file is the argument: " << first;
    std::string work = dir.File("");
    work.pop_back();
    EXPECT_NE(first.find(work), std::string::npos) << "the run folder is its folder: " << first;

    theResult.m_bHasSframes = 0;
    theProcessManager.SetCurPath("");
    ::SetEnvironmentVariableA("KORVA", savedEnv[0] ? savedEnv : nullptr);
    std::snprintf(CProcessManager::korvaPath, sizeof CProcessManager::korvaPath, "%s", savedPath.c_str());
}

// ---- forces above nodes

class AboveForceTest : public ResultDialogsTest {
protected:
    resgen::Model Results() const override
    {
        resgen::Model m = OneCase();
        std::vector<resgen::Row6> f(3, resgen::Row6{});
        f[1] = {1, 2, 3, 4, 5, 6};
        f[2] = {0.5, 0, 0, 0, 0, -1};
        m.fsj.push_back(f);
        return m;
    }
};

TEST_F(AboveForceTest, NodesPickedInTheViewGiveTheSumOfTheForcesAboveThemAsAReaction)
{
    theResultCommandSlots.showParameterText = nullptr;
    EXPECT_EQ(UpdateOf(ID_RESULT_NODE_ABOVE_FORCE).enabled, 0) << "no parameter display";
    static std::string caption, text;
    caption.clear();
    text.clear();
    theResultCommandSlots.showParameterText = [](const char* c, const char* t) {
        caption = c;
        text = t;
    };
    EXPECT_EQ(UpdateOf(ID_RESULT_NODE_ABOVE_FORCE).enabled, 1);
    CVekView* view = GetVekView();
    theViewProjection.SetMode(CViewProjection::kPlan, 0, 0, 0);
    theViewProjection.ZoomExtents(1, 1, 1);
    view->InvalidateModel();
    view->UpdateWindow();
    Command(ID_RESULT_NODE_ABOVE_FORCE);
    EXPECT_EQ(UpdateOf(ID_RESULT_NODE_ABOVE_FORCE).checked, 1);
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    for (int id : {2, 3}) {
        double p[3];
        ASSERT_TRUE(nodes.GetCoordinates(id, p));
        int sx, sy;
        theViewProjection.WorldToScreenInt(p, sx, sy);
        vektest::MouseToClient(view->m_hWnd, sx, sy);
        PumpPending();
        vektest::MouseButton(true);
        vektest::MouseButton(false);
        ASSERT_TRUE(PumpUntil([&] { return nodes.GetAt(nodes.IndexOfID(id))->IsSelected(); }, apptest::kSafety)) << id;
    }
    theOperationStack.FinishOperation();
    PumpPending();
    EXPECT_EQ(caption, "反力之和");
    EXPECT_EQ(text,
              "所选节点上部构件在下端引起的反力之和:Fx Fy Fz Mx My Mz"
              "\r\n   内力组合1:-1.5000 -2.0000 -3.0000 -4.0000 -5.0000 -5.0000");
    EXPECT_FALSE(nodes.GetAt(nodes.IndexOfID(2))->IsSelected()) << "the picked nodes are let go";
    theOperationStack.EndAllOperations();
    PumpPending();
}

// ---- a captured history, played and exported

INT_PTR SaveTo(CFileDialog* d);
std::string g_savePath;
INT_PTR SaveTo(CFileDialog* d)
{
    std::strncpy(d->m_ofn.lpstrFile, g_savePath.c_str(), d->m_ofn.nMaxFile - 1);
    return IDOK;
}

TEST_F(HistoryDialogsTest, TheCapturedHistoryIsPlayedAndExportedAsAnAnimatedGif)
{
    CVekView* view = GetVekView();
    theViewProjection.SetMode(CViewProjection::kPlan, 0, 0, 0);
    theViewProjection.ZoomExtents(1, 1, 1);
    theProjectOptions.nMaxDisplacementPixels = 60;
    theProjectOptions.nAnimationInterval = 20;
    AnswerDialog([](CDialog* d) { Click(d, IDC_RES_PICTURE_FIRST + 13); });
    Command(ID_RESULT_DISP_PICTURE);
    ASSERT_EQ(theResultDisp.disp.frameCount, 3);
    const auto bytes = [](int k) { return vektest::ReadFileBytes(AnimationFrameFile(k)); };
    ASSERT_FALSE(bytes(1).empty());
    ASSERT_FALSE(bytes(3).empty());
    EXPECT_NE(bytes(1), bytes(3)) << "the first step and the last are drawn apart";
    // The frames play at once, in a loop.
    ASSERT_TRUE(PumpUntil([] { return LastShownFrame() == 3; }, apptest::kSafety));
    ASSERT_TRUE(PumpUntil([] { return LastShownFrame() == 1; }, apptest::kSafety));
    Command(ID_RESULT_STOP);

    g_savePath = dir.File("history.gif");
    CFileDialog::SetTestHook(SaveTo);
    view->SendMessage(WM_COMMAND, ID_EXPORT_GIF_ANIMATION, 0);
    CFileDialog::SetTestHook(nullptr);
    CMyImageGIF gif;
    FILE* f = std::fopen(g_savePath.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(gif.Decode(f));
    std::fclose(f);
    EXPECT_GE(gif.GetNumFrames(), 3) << "every step is in the file";
    EXPECT_EQ(gif.GetLoops(), 0) << "played forever";
}

}  // namespace
