// The panels beside the view: node loads by the node-load command, the edit
// panel of up to six values (by the node temperature command and with every
// kind of value), and the parameter display of texts with or without its
// button.
#include <gtest/gtest.h>

#include "DialogTestUtil.h"
#include "vek/app/DialogsBar.h"
#include "vek/dialogs/EditPromptDlg.h"
#include "vek/dialogs/InputDialogs.h"
#include "vek/dialogs/NdLoadParaDlg.h"
#include "vek/dialogs/ParaDispDlg.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/nodes/NodeInfo.h"
#include "vek/elements/line/nodes/NodeInput.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/ElementPanelsRes.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/ViewCommands.h"

using namespace dlgtest;

namespace {

constexpr int kNodeLoadCommand = 32866;
constexpr int kNodeTemperatureCommand = 32867;

class PanelWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        theOperationStack.EndAllOperations();
        theModelessDlgs.CloseAll();
        theNodeInputs = CNodeInputs();
        theProjectOptions.bPlaneModel = 0;
        BindElementPanels();
        const double p[3] = {0, 0, 0};
        FindOrAddNode(p);
    }
    void TearDown() override
    {
        theOperationStack.EndAllOperations();
        theModelessDlgs.CloseAll();
        theProjectOptions.bPlaneModel = 0;
        ClearNodeFamily();
    }
    template <class T>
    static T* OpenByCommand(int command)
    {
        EXPECT_TRUE(QueryViewCommand(command).enabled) << command;
        if (!RunViewCommand(command)) return nullptr;
        vektest::PumpPending();
        if (theModelessDlgs.m_dialogs.empty()) return nullptr;
        return DYNAMIC_DOWNCAST(T, CWnd::FromHandlePermanent(theModelessDlgs.m_dialogs.back()));
    }
    // Typing, then the focus moving on as Tab moves it.
    static void TypeAndLeave(HWND dlg, int id, const char* text)
    {
        TypeInto(::GetDlgItem(dlg, id), text);
        ::SetFocus(dlg);
        vektest::PumpPending();
    }
};

}  // namespace

TEST_F(PanelWin, NodeLoadClicksAndValueAreStoredAtOnceAndAnUpwardForceIsQuestioned)
{
    apptest::BoxRecorder boxes;
    CNdLoadParaDlg* panel = OpenByCommand<CNdLoadParaDlg>(kNodeLoadCommand);
    ASSERT_NE(panel, nullptr);
    const HWND d = panel->m_hWnd;
    EXPECT_EQ(::IsDlgButtonChecked(d, IDC_NL_FZ), BST_CHECKED);
    Click(d, IDC_NL_MY);
    Click(d, IDC_NL_DELETE_TYPE);
    TypeAndLeave(d, IDC_NL_VALUE, "-12.5");
    EXPECT_EQ(theNodeInputs.loadType, 5);
    EXPECT_EQ(theNodeInputs.loadAction, 4);
    EXPECT_DOUBLE_EQ(theNodeInputs.loadValue, -12.5);
    EXPECT_TRUE(boxes.texts.empty());

    // A Z force replaced or added upwards is asked about; downwards, or
    // with the type just chosen, it is not.
    const struct {
        int type, action;
        const char* value;
        bool asked;
    } rows[] = {{IDC_NL_FZ, IDC_NL_REPLACE, "3", true},
                {IDC_NL_FZ, IDC_NL_ADD, "-3", false},
                {IDC_NL_FZ, IDC_NL_ADD, "4", true},
                {IDC_NL_FZ, IDC_NL_SUBTRACT, "5", false},
                {IDC_NL_FY, IDC_NL_REPLACE, "6", false}};
    for (const auto& r : rows) {
        Click(d, r.type);
        Click(d, r.action);
        boxes.texts.clear();
        TypeAndLeave(d, IDC_NL_VALUE, r.value);
        EXPECT_EQ(boxes.texts.size(), r.asked ? 1u : 0u) << r.value;
        if (r.asked && !boxes.texts.empty()) EXPECT_EQ(boxes.texts[0], "荷载作用方向向上，请确认是否正确！");
    }
    Picture(d, "node_load");
    CSingleOperate* op = theOperationStack.GetCurrentOperation();
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->m_nCode, 45);
}

TEST_F(PanelWin, APlaneModelsNodeLoadPanelOffersOnlyInPlaneComponents)
{
    theProjectOptions.bPlaneModel = 1;
    theNodeInputs.loadType = 6;
    CNdLoadParaDlg* panel = OpenByCommand<CNdLoadParaDlg>(kNodeLoadCommand);
    ASSERT_NE(panel, nullptr);
    const HWND d = panel->m_hWnd;
    for (int id : {IDC_NL_FX, IDC_NL_MY, IDC_NL_MZ}) EXPECT_FALSE(Enabled(d, id)) << id;
    for (int id : {IDC_NL_FY, IDC_NL_FZ, IDC_NL_MX}) EXPECT_TRUE(Enabled(d, id)) << id;
    EXPECT_EQ(theNodeInputs.loadType, 2);
    EXPECT_EQ(::IsDlgButtonChecked(d, IDC_NL_FY), BST_CHECKED);
    Picture(d, "node_load_plane");
}

TEST_F(PanelWin, TheTemperatureCommandsPanelStoresTheTypedValue)
{
    CEditPromptDlg* panel = OpenByCommand<CEditPromptDlg>(kNodeTemperatureCommand);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(ItemText(panel->m_hWnd, IDC_EP_LABEL1), "节点温度(升降温值):");
    TypeAndLeave(panel->m_hWnd, IDC_EP_EDIT1, "20");
    EXPECT_DOUBLE_EQ(theNodeInputs.temperature, 20);
    Picture(panel->m_hWnd, "edit_prompt");
}

TEST_F(PanelWin, TheEditPanelBindsEveryKindOfValueAndRefusesUnknownKinds)
{
    double d = 1.5;
    float f = 2.5f;
    int i = 3;
    short s = 4;
    CString t = "旧";
    double off = 7;
    void* const values[6] = {&d, &f, &i, &s, &t, &off};
    const char* const labels[6] = {"双精度:", "单精度:", "整数:", "短整数:", "名称:", "不可改:"};
    const int enabled[6] = {1, 1, 1, 1, 1, 0};

    // Kinds outside 1..5, counts outside 1..6 and missing variables are refused.
    for (const int bad : {0, 6, -1}) {
        const int types[1] = {bad};
        EXPECT_EQ(OpenEditPrompt("t", 1, types, values, labels, false), nullptr) << bad;
    }
    const int types[7] = {1, 2, 3, 4, 5, 1, 1};
    EXPECT_EQ(OpenEditPrompt("t", 7, types, values, labels, false), nullptr);
    EXPECT_EQ(OpenEditPrompt("t", 0, types, values, labels, false), nullptr);
    void* const missing[1] = {nullptr};
    EXPECT_EQ(OpenEditPrompt("t", 1, types, missing, labels, false), nullptr);
    EXPECT_TRUE(theModelessDlgs.m_dialogs.empty());

    CEditPromptDlg* one = OpenEditPrompt("一项", 1, types, values, labels, false);
    ASSERT_NE(one, nullptr);
    CRect small;
    one->GetWindowRect(&small);
    CEditPromptDlg* panel = OpenEditPrompt("六项", 6, types, values, labels, true, enabled);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(theModelessDlgs.GetCount(), 1);  // the other panel was closed
    const HWND h = panel->m_hWnd;
    CRect large;
    panel->GetWindowRect(&large);
    EXPECT_GT(large.Height(), small.Height() + 4 * 12);  // cut below the last item
    EXPECT_EQ(ItemText(h, IDC_EP_TITLE), "六项");
    EXPECT_EQ(ItemText(h, IDC_EP_EDIT1 + 4), "旧");
    EXPECT_FALSE(Enabled(h, IDC_EP_EDIT1 + 5));
    const char* typed[5] = {"0.125", "-3.5", "42", "-7", "新名称"};
    for (int k = 0; k < 5; ++k) TypeAndLeave(h, IDC_EP_EDIT1 + k, typed[k]);
    EXPECT_DOUBLE_EQ(d, 0.125);
    EXPECT_FLOAT_EQ(f, -3.5f);
    EXPECT_EQ(i, 42);
    EXPECT_EQ(s, -7);
    EXPECT_STREQ(t.GetString(), "新名称");
    Picture(h, "edit_prompt_six");

    // Not editable: the edits are read-only and nothing is stored.
    theModelessDlgs.CloseAll();
    auto* view = new CEditPromptDlg(Frame());
    ASSERT_TRUE(view->SetItems("只读", 1, types, values, labels));
    view->m_bEditable = false;
    ASSERT_TRUE(view->Create(IDD_EDIT_PROMPT, Frame()));
    theModelessDlgs.Add(view);
    const HWND e = ::GetDlgItem(view->m_hWnd, IDC_EP_EDIT1);
    EXPECT_TRUE(::GetWindowLongA(e, GWL_STYLE) & ES_READONLY);
    ::SetWindowTextA(e, "9");
    view->OnDataChanged();
    EXPECT_DOUBLE_EQ(d, 0.125);
}

TEST_F(PanelWin, TheParameterDisplayShowsTextsAndItsButtonCallsBack)
{
    // The distance command's text, through the node family's hook.
    const double a[3] = {0, 0, 0}, b[3] = {3, 4, 0};
    ShowDistance(a, b);
    ASSERT_EQ(theModelessDlgs.GetCount(), 1);
    auto* shown = DYNAMIC_DOWNCAST(CParaDispDlg, CWnd::FromHandlePermanent(theModelessDlgs.m_dialogs.back()));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(TextOf(shown->m_hWnd), "两点间距与坐标差(大小可调)");
    std::string expected = DistanceText(a, b);
    EXPECT_EQ(ItemText(shown->m_hWnd, IDC_PD_TEXT), expected);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(shown->m_hWnd, IDC_PD_BUTTON)));
    Picture(shown->m_hWnd, "para_disp");

    static int called = -1;
    CParaDispDlg* withButton = ShowParameterText(
        "", "P=10", true, [](CParaDispDlg*, int arg) { called = arg; }, "改变荷载参数", 7);
    ASSERT_NE(withButton, nullptr);
    EXPECT_EQ(theModelessDlgs.GetCount(), 1);
    const HWND h = withButton->m_hWnd;
    EXPECT_EQ(TextOf(h), "参数显示(对话框可调)");
    EXPECT_EQ(ItemText(h, IDC_PD_BUTTON), "改变荷载参数");
    CRect edit, button;
    ::GetWindowRect(::GetDlgItem(h, IDC_PD_TEXT), &edit);
    ::GetWindowRect(::GetDlgItem(h, IDC_PD_BUTTON), &button);
    EXPECT_EQ(edit.bottom, button.top - 2);
    // A larger panel keeps the edit above the button.
    withButton->SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    ::GetWindowRect(::GetDlgItem(h, IDC_PD_TEXT), &edit);
    ::GetWindowRect(::GetDlgItem(h, IDC_PD_BUTTON), &button);
    EXPECT_EQ(edit.bottom, button.top - 2);
    Click(h, IDC_PD_BUTTON);
    EXPECT_EQ(called, 7);
    withButton->SetText("P=20");
    EXPECT_EQ(ItemText(h, IDC_PD_TEXT), "P=20");
}
