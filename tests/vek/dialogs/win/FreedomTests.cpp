// The restraint panels, opened by the restraint command: three-state boxes
// edit the template the command applies to the picked nodes; the plane panel
// keeps to the Y-Z plane and has presets.
#include <gtest/gtest.h>

#include <array>

#include "DialogTestUtil.h"
#include "vek/app/DialogsBar.h"
#include "vek/dialogs/FreedomDlg.h"
#include "vek/dialogs/InputDialogs.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeAttributes.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/nodes/NodeInput.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/RestraintsRes.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/ViewCommands.h"

using namespace dlgtest;
using Six = std::array<int32_t, 6>;

namespace {

constexpr int kRestraintCommand = 32886;

class FreedomWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        theOperationStack.EndAllOperations();
        theNodeInputs = CNodeInputs();
        theProjectOptions.bPlaneModel = 0;
        BindElementPanels();
        // The node family's work of the command: the template on the selected nodes.
        m_previous = RegisterOperationCallback(47, [](CSingleOperate*) { SetRestraintsOfSelected(); });
    }
    void TearDown() override
    {
        theOperationStack.EndAllOperations();
        RegisterOperationCallback(47, m_previous);
        theProjectOptions.bPlaneModel = 0;
        ClearNodeFamily();
    }
    // The command as the menu runs it; the panel it opened.
    static CFreedomDlg* OpenByCommand()
    {
        if (!RunViewCommand(kRestraintCommand)) return nullptr;
        vektest::PumpPending();
        if (theModelessDlgs.m_dialogs.empty()) return nullptr;
        return DYNAMIC_DOWNCAST(CFreedomDlg, CWnd::FromHandlePermanent(theModelessDlgs.m_dialogs.back()));
    }
    static Six Template()
    {
        Six r;
        std::copy(theNodeInputs.restraints, theNodeInputs.restraints + 6, r.begin());
        return r;
    }
    static LRESULT Box(HWND d, int id) { return ::SendMessageA(::GetDlgItem(d, id), BM_GETCHECK, 0, 0); }
    OperateCallback m_previous = nullptr;
};

}  // namespace

TEST_F(FreedomWin, ClicksSetFixedFreeOrLeaveAndTheTemplateReachesTheNodes)
{
    CFreedomDlg* panel = OpenByCommand();
    ASSERT_NE(panel, nullptr);
    ASSERT_FALSE(panel->IsKindOf(RUNTIME_CLASS(CFreedomPlanDlg)));
    const HWND d = panel->m_hWnd;
    EXPECT_EQ(Box(d, IDC_FR_UX), BST_INDETERMINATE);  // every freedom left as it is
    Click(d, IDC_FR_UX);                              // grey -> empty -> ticked
    Click(d, IDC_FR_UX);
    Click(d, IDC_FR_UZ);  // grey -> empty
    EXPECT_EQ(Template(), (Six{1, 2, 0, 2, 2, 2}));
    Picture(d, "freedom");

    const double pa[3] = {0, 0, 0}, pb[3] = {1, 0, 0};
    CNode& a = *theNodes.GetByID(FindOrAddNode(pa));
    CNode& b = *theNodes.GetByID(FindOrAddNode(pb));
    a.m_cRestraint = 0x3F;
    b.m_cRestraint = 0;
    a.m_nFlags |= kObjSelected;
    b.m_nFlags |= kObjSelected;
    CSingleOperate* op = theOperationStack.GetCurrentOperation();
    ASSERT_NE(op, nullptr);
    ASSERT_NE(op->m_pCallback, nullptr);
    op->m_pCallback(op);
    EXPECT_EQ(a.m_cRestraint, 0x3B);  // z freed, the rest kept
    EXPECT_EQ(b.m_cRestraint, 0x01);  // x fixed

    Click(d, IDC_FR_INVERT);
    EXPECT_EQ(Template(), (Six{0, 2, 1, 2, 2, 2}));
    EXPECT_EQ(Box(d, IDC_FR_UZ), BST_CHECKED);
    EXPECT_EQ(Box(d, IDC_FR_UY), BST_INDETERMINATE);
    Click(d, IDC_FR_ALL);
    EXPECT_EQ(Template(), (Six{1, 1, 1, 1, 1, 1}));
    Click(d, IDC_FR_NONE);
    EXPECT_EQ(Template(), (Six{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Box(d, IDC_FR_RZ), BST_UNCHECKED);
}

TEST_F(FreedomWin, APlaneModelGetsThePlanePanelWithItsPresets)
{
    theProjectOptions.bPlaneModel = 1;
    const int32_t start[6] = {1, 2, 2, 2, 1, 1};
    std::copy(start, start + 6, theNodeInputs.restraints);
    CFreedomDlg* panel = OpenByCommand();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->IsKindOf(RUNTIME_CLASS(CFreedomPlanDlg)));
    const HWND d = panel->m_hWnd;
    EXPECT_EQ(Template(), (Six{0, 2, 2, 2, 0, 0}));  // out of the plane: free
    EXPECT_EQ(::GetDlgItem(d, IDC_FR_UX), nullptr);
    Picture(d, "freedom_plane");
    const struct {
        int button;
        Six after;
    } rows[] = {{IDC_FR_FIXED, {0, 1, 1, 1, 0, 0}},     {IDC_FR_HINGED, {0, 1, 1, 0, 0, 0}},
                {IDC_FR_HOLD_Z, {0, 0, 1, 0, 0, 0}},    {IDC_FR_HOLD_Y, {0, 1, 0, 0, 0, 0}},
                {IDC_FR_HOLD_Y_RX, {0, 1, 0, 1, 0, 0}}, {IDC_FR_HOLD_Z_RX, {0, 0, 1, 1, 0, 0}},
                {IDC_FR_FREE, {0, 0, 0, 0, 0, 0}}};
    for (const auto& r : rows) {
        Click(d, r.button);
        EXPECT_EQ(Template(), r.after) << r.button;
    }
    Click(d, IDC_FR_HINGED);
    EXPECT_EQ(Box(d, IDC_FR_RX), BST_UNCHECKED);  // a hinge leaves the rotation free
    EXPECT_EQ(Box(d, IDC_FR_UZ), BST_CHECKED);
}
