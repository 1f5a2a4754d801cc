// The node commands in the program's own frame, driven by the input a
// user's keys, clicks and typing make: nodes by clicks and by typed
// coordinates, a 3 x 3 grid, restraints and loads on a clicked node, undo
// and redo by their keys, and the model saved and opened again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ProgramDriver.h"
#include "vek/app/VekDoc.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/nodes/NodeInput.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/elements/line/springs/win/SpringDlgs.h"
#include "vek/res/SpringDialogsRes.h"

namespace {

using namespace vektest;

class NodeWindowTest : public ProgramWindowTest {
protected:
    const char* FailureShot() const override { return "node_window_failure"; }
    static double LoadOf(int id, int lc, int component)
    {
        const CNode* n = theNodes.GetByID(id);
        const int at = n->m_Loads.Index(int16_t(lc));
        return at < 0 ? 0.0 : (*theNodeLoadPool.Get(n->m_Loads[at].nValue))[component];
    }
};

TEST_F(NodeWindowTest, NodesByClicksTypedCoordinatesAndAGridAreUndoneAndRedoneByTheirKeys)
{
    ASSERT_EQ(Count(), 0);
    // Two clicks with the node-capture command of the menu.
    Command(ID_GEOM_NODE_SNAP);
    ASSERT_EQ(Code(), 40);
    const POINT a = Pixel(2, 2), b = Pixel(4, 3);
    ClickAt(a);
    ASSERT_TRUE(Wait([] { return Count() == 1; }));
    ClickAt(b);
    ASSERT_TRUE(Wait([] { return Count() == 2; }));
    EXPECT_NE(NodeAtPixel(a), 0);
    EXPECT_NE(NodeAtPixel(b), 0);
    // A second click on a node finds it: nothing new.
    ClickAt(a);
    Pump();
    EXPECT_EQ(Count(), 2);

    // Ctrl+A: absolute coordinates, typed at the prompt bar's "#" input, point after point.
    Chord('A');
    ASSERT_TRUE(Wait([] { return Code() == 41; }));
    Pump();
    Type("6 7\r");
    ASSERT_TRUE(Wait([] { return Count() == 3; }));
    EXPECT_NE(NodeAt(6, 7), 0);
    Type("8.5 9\r");
    ASSERT_TRUE(Wait([] { return Count() == 4; }));
    EXPECT_NE(NodeAt(8.5, 9), 0);

    // A grid of 3 x 3 on the quadrilateral of four typed points.
    theProjectOptions.nGenerateMethod = 5;
    Command(ID_GEOM_NODE_SNAP);
    ASSERT_EQ(Code(), 40);
    std::string question;
    AnswerValue("3 3", &question);
    for (const char* corner : {"#0 4\r", "#2 4\r", "#2 6\r", "#0 6\r"}) Type(corner);
    ASSERT_TRUE(Wait([] { return Count() == 13; }));
    EXPECT_EQ(question, "输入沿边1-2和2-3生成的节点数（含两端点，数字表示捕捉时第几个点）:");
    for (double y : {4.0, 5.0, 6.0})
        for (double x : {0.0, 1.0, 2.0}) EXPECT_NE(NodeAt(x, y), 0) << x << "," << y;
    Type("\x1b\x1b");
    ASSERT_TRUE(Wait([] { return Code() == 0; }));

    // Each command is one step back and forth.
    Chord('Z');
    ASSERT_TRUE(Wait([] { return Count() == 4; }));
    EXPECT_EQ(NodeAt(1, 5), 0);
    Chord('Z');
    ASSERT_TRUE(Wait([] { return Count() == 3; }));
    EXPECT_EQ(NodeAt(8.5, 9), 0);
    Chord('Y');
    ASSERT_TRUE(Wait([] { return Count() == 4; }));
    EXPECT_NE(NodeAt(8.5, 9), 0);
    Chord('Y');
    ASSERT_TRUE(Wait([] { return Count() == 13; }));
    EXPECT_NE(NodeAt(1, 5), 0);
    EXPECT_FALSE(theUndo.CanRedo());
}

TEST_F(NodeWindowTest, RestraintsAndLoadsOnClickedNodesAreSavedAndComeBackWhenOpened)
{
    Command(ID_GEOM_NODE_ABSOLUTE);
    ASSERT_TRUE(Wait([] { return Code() == 41; }));
    Pump();
    Type("1 1\r");
    Type("5 1\r");
    ASSERT_TRUE(Wait([] { return Count() == 2; }));
    // Esc leaves the typing, a second Esc the command.
    Type("\x1b\x1b");
    ASSERT_TRUE(Wait([] { return Code() == 0; }));
    const int left = NodeAt(1, 1), right = NodeAt(5, 1);
    ASSERT_NE(left, 0);
    ASSERT_NE(right, 0);

    // Restraints from the current input record: Ux, Uy, Uz fixed.
    const CNodeInputs saved = theNodeInputs;
    const int32_t fixed[6] = {1, 1, 1, 0, 0, 0};
    std::copy(fixed, fixed + 6, theNodeInputs.restraints);
    Command(ID_PROP_NODE_RESTRAINT);
    ASSERT_EQ(Code(), 47);
    ApplyTo(left);
    EXPECT_EQ(theNodes.GetByID(left)->m_cRestraint, 7);
    EXPECT_EQ(theNodes.GetByID(right)->m_cRestraint, 0);

    // A load of Fz = -10 in the current load case on the other node.
    theProjectOptions.nCurrentLoadCase = 1;
    theNodeInputs.loadType = 3;
    theNodeInputs.loadAction = 1;
    theNodeInputs.loadValue = -10;
    Command(ID_LOAD_NODE_FORCE);
    ASSERT_EQ(Code(), 45);
    ApplyTo(right);
    EXPECT_EQ(LoadOf(right, 1, 2), -10.0);
    theNodeInputs = saved;
    Type("\x1b");
    ASSERT_TRUE(Wait([] { return Code() == 0; }));

    // The load goes and comes back by the keys; the restraints stay.
    Chord('Z');
    ASSERT_TRUE(Wait([&] { return LoadOf(right, 1, 2) == 0.0; }));
    EXPECT_EQ(theNodes.GetByID(left)->m_cRestraint, 7);
    Chord('Y');
    ASSERT_TRUE(Wait([&] { return LoadOf(right, 1, 2) == -10.0; }));

    // Saved, a new project, the saved one opened again.
    TempDir dir("nodewin");
    ChosenFile() = dir.File("nodes.prj");
    Command(ID_FILE_SAVE_AS);
    ASSERT_FALSE(frame->GetActiveDocument()->IsModified());
    Command(ID_FILE_NEW);
    ASSERT_EQ(Count(), 0);
    EXPECT_FALSE(theUndo.CanUndo());
    Command(ID_FILE_OPEN);
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(theNodes.GetByID(left)->m_cRestraint, 7);
    EXPECT_EQ(theNodes.GetByID(right)->m_dCoord[0], 5.0);
    EXPECT_EQ(LoadOf(right, 1, 2), -10.0);
    EXPECT_EQ(LoadOf(left, 1, 2), 0.0);
}

// The spring panels open with their commands and set the input the next
// picks apply: a grounded spring on a clicked node, a link spring between two
// typed points.
TEST_F(NodeWindowTest, TheSpringPanelsSetTheSpringsThePicksMake)
{
    Command(ID_GEOM_NODE_ABSOLUTE);
    ASSERT_TRUE(Wait([] { return Code() == 41; }));
    Pump();
    Type("8 1\r");
    Type("9.5 4\r");
    Type("\x1b\x1b");
    ASSERT_TRUE(Wait([] { return Code() == 0 && Count() == 2; }));
    // Right of the view, clear of the panels.
    const int a = NodeAt(8, 1), b = NodeAt(9.5, 4);
    const CSpringInput saved = theSpringInput;

    Command(ID_PROP_NODE_SPRING);
    ASSERT_EQ(Code(), 49);
    ASSERT_NE(theGroundSpringDlg, nullptr);
    HWND panel = theGroundSpringDlg->m_hWnd;
    char units[128] = {};
    ::GetDlgItemTextA(panel, IDC_SPRING_UNITS, units, sizeof units);
    EXPECT_EQ(std::string(units).rfind("直弹簧刚度单位=", 0), 0u) << units;
    // Typed values count when their box loses the focus; radios when clicked.
    auto typeInto = [&](int id, const char* text) {
        ::SetDlgItemTextA(panel, id, text);
        ::SendMessageA(panel, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), LPARAM(::GetDlgItem(panel, id)));
    };
    typeInto(IDC_SPRING_STIFFNESS, "-250");
    typeInto(IDC_SPRING_DX, "1");
    typeInto(IDC_SPRING_DY, "0");
    typeInto(IDC_SPRING_DZ, "0");
    ::SendMessageA(::GetDlgItem(panel, IDC_SPRING_TENSION), BM_CLICK, 0, 0);
    EXPECT_EQ(theSpringInput.stiffness, 250.0);  // made non-negative
    EXPECT_EQ(theSpringInput.mode, 1);
    char stiffness[32] = {};
    ::GetDlgItemTextA(panel, IDC_SPRING_STIFFNESS, stiffness, sizeof stiffness);
    EXPECT_STREQ(stiffness, "250");
    ApplyTo(a);
    ASSERT_EQ(theSprings.GetSize(), 1);
    const CSpring& grounded = *theSprings.GetAt(0);
    EXPECT_EQ(grounded.m_nNodeI, a);
    EXPECT_EQ(grounded.m_nNodeJ, 0);
    EXPECT_EQ(grounded.m_dK, 250.0);
    EXPECT_EQ(grounded.m_cMode, 1);
    EXPECT_EQ(grounded.m_dDir[0], 1.0);
    // A torsional spring takes tension and compression: its behaviour is greyed.
    ::SendMessageA(::GetDlgItem(panel, IDC_SPRING_TORSION), BM_CLICK, 0, 0);
    EXPECT_EQ(theSpringInput.type, 1);
    EXPECT_EQ(theSpringInput.mode, 0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(panel, IDC_SPRING_TENSION)));
    ::SendMessageA(::GetDlgItem(panel, IDC_SPRING_STRAIGHT), BM_CLICK, 0, 0);
    theModelessDlgs.CloseAll();
    EXPECT_EQ(theGroundSpringDlg, nullptr);

    Command(ID_PROP_LINK_SPRING);
    ASSERT_EQ(Code(), 56);
    ASSERT_NE(theLinkSpringDlg, nullptr);
    panel = theLinkSpringDlg->m_hWnd;
    typeInto(IDC_SPRING_STIFFNESS, "80");
    EXPECT_EQ(theSpringInput.stiffness, 80.0);
    // Its two nodes typed at the prompt bar.
    Type("#8 1\r");
    Type("#9.5 4\r");
    ASSERT_TRUE(Wait([] { return theSprings.GetSize() == 2; }));
    const CSpring& link = *theSprings.GetAt(1);
    EXPECT_EQ(link.m_nNodeI, a);
    EXPECT_EQ(link.m_nNodeJ, b);
    EXPECT_EQ(link.m_dK, 80.0);
    theSpringInput = saved;
    theModelessDlgs.CloseAll();
}

}  // namespace
