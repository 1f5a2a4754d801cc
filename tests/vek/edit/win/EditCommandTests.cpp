// The editing commands in the main frame, in real windows: undo and redo by
// their keys and menu state, the merge of every coincident node after its
// question, and the four answers of the question before two nodes of one
// element are merged.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FrameTestApp.h"
#include "resource.h"
#include "tests/support/WinInput.h"
#include "vek/dialogs/CombNodeConfirmDlg.h"
#include "vek/edit/Undo.h"
#include "vek/edit/win/EditCommands.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/nodes/NodeMerge.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/LayerList.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/document/SelectionEdits.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/res/EditDialogsRes.h"

using namespace frametest;

namespace {

class EditCommandTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ClearNodeFamily();
        theUndo.Clear();
        theProjectOptions.SetDefaults();
        theDisplayRange.Reset();
    }
    void TearDown() override
    {
        SetDocumentModified(0);  // the frame closes without asking to save
        FrameTest::TearDown();
        ClearNodeFamily();
        theUndo.Clear();
    }
    static void AddGroup(std::initializer_list<double> xs)
    {
        theUndo.BeginRecord();
        for (double x : xs) {
            const double p[3] = {x, 0, 0};
            FindOrAddNode(p);
        }
        theUndo.EndRecord();
    }
    // The item's state once the popup that holds it is opened as the user opens it.
    bool Greyed(UINT id)
    {
        HMENU holder = Holder(frame->GetMenu()->m_hMenu, id);
        if (!holder) return false;
        InitPopup(frame, holder);
        return (::GetMenuState(holder, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    static HMENU Holder(HMENU menu, UINT id)
    {
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            if (HMENU sub = ::GetSubMenu(menu, i)) {
                if (HMENU h = Holder(sub, id)) return h;
            } else if (::GetMenuItemID(menu, i) == id) {
                return menu;
            }
        }
        return nullptr;
    }
    void Chord(WORD key)
    {
        frame->SetForegroundWindow();
        vektest::Key(VK_CONTROL, true);
        vektest::Tap(key);
        vektest::Key(VK_CONTROL, false);
    }
};

// The shown dialog of this thread with the caption (any caption: null) and
// the button, or null.
HWND FindOwnDialog(const char* caption, int button)
{
    struct Search {
        const char* caption;
        int button;
        HWND found;
    } s{caption, button, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            char text[128] = {}, cls[16] = {};
            ::GetWindowTextA(w, text, sizeof text);
            ::GetClassNameA(w, cls, sizeof cls);
            const bool named = (!s->caption || std::strcmp(text, s->caption) == 0) && std::strcmp(cls, "#32770") == 0;
            if (::IsWindowVisible(w) && named && ::GetDlgItem(w, s->button)) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Presses the button of the dialog with the caption once it is up (IDCANCEL:
// closes it as Esc does); the text of its control textId is read first.
void PressWhenShown(const char* caption, int button, std::string* text = nullptr, int textId = 0)
{
    vektest::RunSoon([=] {
        HWND dlg = FindOwnDialog(caption, button == IDCANCEL ? textId : button);
        if (!dlg) {
            PressWhenShown(caption, button, text, textId);
            return;
        }
        if (text) {
            char buf[512] = {};
            ::GetDlgItemTextA(dlg, textId, buf, sizeof buf);
            *text = buf;
        }
        if (button == IDCANCEL)
            ::PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        else
            ::PostMessageA(::GetDlgItem(dlg, button), BM_CLICK, 0, 0);
    });
}

TEST_F(EditCommandTest, CtrlZAndCtrlYTakeBackAndRepeatWholeGroups)
{
    ASSERT_TRUE(Open());
    EXPECT_TRUE(Greyed(ID_EDIT_UNDO));
    EXPECT_TRUE(Greyed(ID_EDIT_REDO));
    AddGroup({0, 1});
    AddGroup({2, 3, 4});
    EXPECT_FALSE(Greyed(ID_EDIT_UNDO));
    EXPECT_TRUE(Greyed(ID_EDIT_REDO));

    Chord('Z');
    ASSERT_TRUE(PumpUntil([] { return theNodes.GetSize() == 2; }));
    Chord('Z');
    ASSERT_TRUE(PumpUntil([] { return theNodes.GetSize() == 0; }));
    EXPECT_TRUE(Greyed(ID_EDIT_UNDO));
    EXPECT_FALSE(Greyed(ID_EDIT_REDO));

    Chord('Y');
    ASSERT_TRUE(PumpUntil([] { return theNodes.GetSize() == 2; }));
    EXPECT_FALSE(Greyed(ID_EDIT_UNDO));
    EXPECT_FALSE(Greyed(ID_EDIT_REDO));
    // The nodes come back with their numbers and places.
    ASSERT_NE(theNodes.GetByID(2), nullptr);
    EXPECT_EQ(theNodes.GetByID(2)->m_dCoord[0], 1.0);
}

TEST_F(EditCommandTest, MergeAllNodesAsksWithTheTolerancesAndMergesOnYes)
{
    ASSERT_TRUE(Open());
    theProjectOptions.bStoreyLookup = 0;  // twins are made
    AddGroup({0, 0.001, 5});
    ASSERT_EQ(theNodes.GetSize(), 3);

    // "否": nothing changes.
    PressWhenShown(nullptr, IDNO);
    frame->SendMessage(WM_COMMAND, ID_EDIT_MERGE_NODES_AUTO);
    EXPECT_EQ(theNodes.GetSize(), 3);
    EXPECT_TRUE(theUndo.CanUndo());

    std::string question;
    PressWhenShown(nullptr, IDYES, &question, 0xFFFF);
    frame->SendMessage(WM_COMMAND, ID_EDIT_MERGE_NODES_AUTO);
    EXPECT_NE(question.find("0.0200"), std::string::npos) << question;
    EXPECT_EQ(theNodes.GetSize(), 2);
    EXPECT_EQ(theNodes.GetLastID(), 2);
    // Renumbering empties the history.
    EXPECT_FALSE(theUndo.CanUndo());
}

TEST_F(EditCommandTest, TheMergeQuestionEndsWithEachOfItsFourAnswers)
{
    ASSERT_TRUE(Open());
    const struct {
        int button;
        int answer;
    } cases[] = {{IDC_COMB_NODE_YES, 4},
                 {IDC_COMB_NODE_YES_ALL, 3},
                 {IDC_COMB_NODE_NO, 2},
                 {IDC_COMB_NODE_NO_ALL, 1},
                 {IDCANCEL, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        std::string shown;
        PressWhenShown("是否强行合并", c.button, &shown, IDC_COMB_NODE_TEXT);
        EXPECT_EQ(theCombNodeConfirm("节点1和2同处在3梁柱上"), c.answer);
        EXPECT_EQ(shown, "节点1和2同处在3梁柱上");
    }
}

TEST_F(EditCommandTest, MovingTheSelectionToALayerIsOneUndoStep)
{
    ASSERT_TRUE(Open());
    theLayers.Reset();
    theLayers.Add(LayerInfo("柱", 'Y', 0xFF));
    AddGroup({0, 1, 2});
    theUndo.Clear();
    theNodes.GetByID(1)->m_nFlags |= kObjSelected;
    theNodes.GetByID(3)->m_nFlags |= kObjSelected;

    // What the layer selector does when the user picks the second layer.
    theLayers.SetCurrent(1);
    ASSERT_TRUE(MoveSelectionToCurrentLayer());
    EXPECT_EQ(theNodes.GetByID(1)->m_nLayer, 1);
    EXPECT_EQ(theNodes.GetByID(2)->m_nLayer, 0);
    EXPECT_EQ(theNodes.GetByID(3)->m_nLayer, 1);
    EXPECT_FALSE(theNodes.GetByID(1)->IsSelected());

    Chord('Z');
    ASSERT_TRUE(PumpUntil([] { return theNodes.GetByID(3)->m_nLayer == 0; }));
    EXPECT_EQ(theNodes.GetByID(1)->m_nLayer, 0);
    EXPECT_FALSE(theUndo.CanUndo());
    Chord('Y');
    ASSERT_TRUE(PumpUntil([] { return theNodes.GetByID(1)->m_nLayer == 1; }));
    EXPECT_EQ(theNodes.GetByID(3)->m_nLayer, 1);

    // Nothing selected now: another layer changes no node and records nothing.
    theLayers.SetCurrent(0);
    EXPECT_FALSE(MoveSelectionToCurrentLayer());
    EXPECT_EQ(theNodes.GetByID(1)->m_nLayer, 1);
    EXPECT_FALSE(theUndo.CanRedo());
    Chord('Z');
    ASSERT_TRUE(PumpUntil([] { return theNodes.GetByID(1)->m_nLayer == 0; }));
    theLayers.Reset();
}

}  // namespace
