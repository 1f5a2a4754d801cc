// Beams drawn in the program's own view by clicks: a portal of two posts
// and a beam, each line clicked as two points, undone and redone by the
// menu's keys, saved through the frame's Save As and opened again.
#include <gtest/gtest.h>

#include <string>

#include "ProgramDriver.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/VekDoc.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/ViewCommands.h"
#include "vek/view/win/VekViewInput.h"

using namespace vektest;

namespace {

class PortalTest : public ProgramWindowTest {
protected:
    void SetUp() override
    {
        ProgramWindowTest::SetUp();
        VekViewInput::BindView(view);
    }
    CVekDoc* Doc() { return static_cast<CVekDoc*>(frame->GetActiveDocument()); }
    void Click(double x, double y)
    {
        const double p[3] = {x, y, 0};
        int sx = 0, sy = 0;
        theViewProjection.WorldToScreenInt(p, sx, sy);
        view->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(sx, sy));
        view->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(sx, sy));
        PumpPending();
    }
    static std::vector<std::pair<int, int>> Ends()
    {
        std::vector<std::pair<int, int>> out;
        for (int i = 0; i < theFrames.GetSize(); ++i)
            out.emplace_back(theFrames.GetAt(i)->m_nNodeI, theFrames.GetAt(i)->m_nNodeJ);
        return out;
    }

    TempDir dir{"portal"};
};

TEST_F(PortalTest, TwoPostsAndABeamClickedAreSavedAndOpenedAgain)
{
    ASSERT_TRUE(RunViewCommand(32846));
    Click(2, 1), Click(2, 6);
    Click(2, 6), Click(8, 6);
    Click(8, 6), Click(8, 1);
    ASSERT_EQ(theFrames.GetSize(), 3);
    EXPECT_EQ(theNodes.GetSize(), 4);
    const auto drawn = Ends();
    // The last line taken back and put again, as the menu's keys do.
    theOperationStack.EndAllOperations();
    PumpPending();
    ASSERT_TRUE(theUndo.CanUndo());
    theUndo.Undo();
    EXPECT_EQ(theFrames.GetSize(), 2);
    theUndo.Redo();
    EXPECT_EQ(Ends(), drawn);
    EXPECT_TRUE(Doc()->IsModified());

    ChosenFile() = dir.File("portal.prj");
    Command(ID_FILE_SAVE_AS);
    EXPECT_FALSE(Doc()->IsModified());
    Command(ID_FILE_NEW);
    EXPECT_EQ(theFrames.GetSize(), 0);
    Command(ID_FILE_OPEN);
    EXPECT_EQ(Ends(), drawn);
    for (int i = 0; i < theNodes.GetSize(); ++i) EXPECT_GE(theNodes.GetAt(i)->m_nElements, 1);
}

}  // namespace
