// Beam and column generation by the left panel's methods: rows, grids on a
// quadrilateral and windows, the counts asked for and refused, each command
// one undo step, and batches too large for the coincidence check merged.
#include <string>

#include "tests/vek/elements/FrameTestSupport.h"
#include "vek/elements/line/frames/FrameBlock.h"
#include "vek/elements/line/frames/FrameGenerate.h"
#include "vek/elements/line/frames/FrameSort.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/view/ViewProjection.h"

namespace vektest {
namespace {

class FrameGeneration : public FrameModelTest {
protected:
    // The command of code 80 (beams) or 81 (columns) by the method over the points.
    static int Run(bool columns, int method, std::initializer_list<std::initializer_list<double>> points)
    {
        theProjectOptions.nGenerateMethod = uint8_t(method);
        double p[4][3] = {};
        int n = 0;
        for (const auto& q : points) {
            int k = 0;
            for (double v : q) p[n][k++] = v;
            ++n;
        }
        return columns ? GenerateColumns({n, p}) : GenerateBeams({n, p});
    }
    static int Beams(int method, std::initializer_list<std::initializer_list<double>> points)
    {
        return Run(false, method, points);
    }
    static int Columns(int method, std::initializer_list<std::initializer_list<double>> points)
    {
        return Run(true, method, points);
    }
    static int Messages(const AppHelperLog& log, const std::string& text)
    {
        int n = 0;
        for (const AppMessage& m : log.Messages()) n += m.text == text;
        return n;
    }
};

// Counts 2 and 3: 12 nodes and 17 beams, all one undo step; redone to the
// same bytes. The counts are offered again next time.
TEST_F(FrameGeneration, BeamGridIsOneUndoStep)
{
    AppHelperLog log;
    log.QueuePromptAnswer("2 3");
    EXPECT_EQ(Beams(5, {{0, 0, 0}, {6, 0, 0}, {6, 9, 0}, {0, 9, 0}}), 17);
    EXPECT_EQ(theNodes.GetSize(), 12);
    EXPECT_EQ(log.LastModified(), 1);
    const Bytes after = Block();
    theUndo.Undo();
    EXPECT_EQ(theFrames.GetSize(), 0);
    theUndo.Redo();
    EXPECT_EQ(Block(), after);
    Beams(5, {{0, 0, 0}, {6, 0, 0}, {6, 9, 0}, {0, 9, 0}});  // cancelled: nothing asked is queued
    ASSERT_EQ(log.Prompts().size(), 2u);
    EXPECT_EQ(log.Prompts()[1].given, "2 3");
    EXPECT_EQ(theFrames.GetSize(), 17);
}

// Counts below the least are refused and asked again; cancel makes nothing.
TEST_F(FrameGeneration, CountsAreAskedUntilUsable)
{
    Storeys({3});
    theLevels.current = 1;
    struct Case {
        bool columns;
        int method;
        std::vector<std::string> answers;
        int frames;
        const char* refusal;
    } cases[] = {
        {false, 4, {"0", "-2", "3"}, 3, "#133"},
        {false, 4, {}, 0, nullptr},
        {true, 4, {"1", "2"}, 2, "生成的柱单元数目必须大于等于2！"},
        {true, 5, {"2 1", "3 2"}, 6, "生成的柱单元数目必须都大于等于2！"},
        {false, 5, {"0 4", "2 2"}, 12, "#133"},
    };
    for (const Case& c : cases) {
        ResetFrames();
        ResetNodeModel();
        Storeys({3});
        theLevels.current = 1;
        AppHelperLog log;
        for (const std::string& a : c.answers) log.QueuePromptAnswer(a);
        const int made = Run(c.columns, c.method, {{0, 0, 3}, {6, 0, 3}, {6, 6, 3}, {0, 6, 3}});
        EXPECT_EQ(made, c.frames) << c.answers.size();
        EXPECT_EQ(theFrames.GetSize(), c.frames);
        const int refused = c.answers.empty() ? 0 : int(c.answers.size()) - 1;
        if (c.refusal) {
            EXPECT_EQ(Messages(log, c.refusal), refused) << c.refusal;
        }
        for (int i = 0; c.columns && i < theFrames.GetSize(); ++i) {
            EXPECT_TRUE(theFrames.GetAt(i)->IsVertical());
        }
    }
}

// A grid the stores cannot number is refused before anything is made, and
// its counts are not remembered; a quadrilateral that is not convex is refused.
TEST_F(FrameGeneration, GridsPastCapacityAndBadQuadsAreRefused)
{
    AppHelperLog log;
    log.QueuePromptAnswer("5000 5000");
    EXPECT_EQ(Beams(5, {{0, 0, 0}, {6, 0, 0}, {6, 9, 0}, {0, 9, 0}}), 0);
    EXPECT_EQ(Messages(log, "梁柱单元太多!"), 1);
    EXPECT_EQ(theNodes.GetSize(), 0);
    EXPECT_EQ(theFrameGeneration.beamGrid[0], 1);
    log.QueuePromptAnswer("99999999999 1");
    EXPECT_EQ(Beams(5, {{0, 0, 0}, {6, 0, 0}, {6, 9, 0}, {0, 9, 0}}), 0);
    EXPECT_EQ(Messages(log, "梁柱单元太多!"), 2);
    // A bow-tie: corners 3 and 4 exchanged.
    EXPECT_EQ(Beams(5, {{0, 0, 0}, {6, 0, 0}, {0, 9, 0}, {6, 9, 0}}), 0);
    EXPECT_EQ(Messages(log, "#113"), 1);
    EXPECT_EQ(log.Prompts().size(), 2u);
}

// Columns below the shown nodes strictly inside the window, and at the axis
// grid's crossings inside it when asked.
TEST_F(FrameGeneration, ColumnsInAWindow)
{
    Storeys({3});
    theLevels.current = 1;
    theViewProjection.SetScreenRect(0, 0, 200, 100);
    theViewProjection.SetDefaultView();
    const double hi[3] = {10, 10, 3}, lo[3] = {0, 0, 3};
    theViewProjection.SetExtent(hi, lo);
    theViewProjection.ZoomExtents(0, 0, 1);
    const int a = Node(1, 1, 3), b = Node(2, 1, 3), c = Node(9, 9, 3);
    for (int id : {a, b, c}) N(id).UpdateRangeFlags();
    AppHelperLog log;
    EXPECT_EQ(Columns(3, {{0, 0, 3}, {5, 5, 3}}), 2);
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        const CFrame* f = theFrames.GetAt(i);
        EXPECT_TRUE(f->m_nNodeI == a || f->m_nNodeI == b);
        EXPECT_DOUBLE_EQ(N(f->m_nNodeJ).m_dCoord[2], 0);
    }
    // Grid crossings only: one at (4, 4) inside, one at (8, 8) outside.
    theFrameGeneration.columnPlaces = 2;
    theGridNodes.SetSize(0);
    GridNode g;
    g.x = g.y = 4;
    theGridNodes.Add(g);
    g.x = g.y = 8;
    theGridNodes.Add(g);
    EXPECT_EQ(Columns(3, {{0, 0, 3}, {5, 5, 3}}), 1);
    const double top[3] = {4, 4, 3};
    EXPECT_GT(FindNodeAt(top), 0);
    theGridNodes.SetSize(0);
    // Not on the plan platform, and on storey 0: refused.
    theLevels.current = 0;
    EXPECT_EQ(Columns(3, {{0, 0, 3}, {5, 5, 3}}), 0);
    EXPECT_EQ(log.Messages().back().text, "0层已下不能有柱！");
}

// A grid too large for the coincidence check over beams already there: the
// nodes and frames that coincide are merged afterwards, and the batch is not
// undoable.
TEST_F(FrameGeneration, LargeBatchesAreMergedAfterwards)
{
    AppHelperLog log;
    log.QueuePromptAnswer("2 2");
    Beams(5, {{0, 0, 0}, {30, 0, 0}, {30, 30, 0}, {0, 30, 0}});
    ASSERT_EQ(theFrames.GetSize(), 12);
    log.QueuePromptAnswer("30 30");
    Beams(5, {{0, 0, 0}, {30, 0, 0}, {30, 30, 0}, {0, 30, 0}});
    EXPECT_EQ(theProjectOptions.bStoreyLookup, 1);
    EXPECT_EQ(theNodes.GetSize(), 31 * 31);
    EXPECT_EQ(theFrames.GetSize(), 2 * 30 * 31);
    EXPECT_FALSE(theUndo.CanUndo());
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        const CNode* n = theNodes.GetAt(i);
        const bool corner =
            (n->m_dCoord[0] == 0 || n->m_dCoord[0] == 30) && (n->m_dCoord[1] == 0 || n->m_dCoord[1] == 30);
        const bool edge = n->m_dCoord[0] == 0 || n->m_dCoord[0] == 30 || n->m_dCoord[1] == 0 || n->m_dCoord[1] == 30;
        ASSERT_EQ(n->m_nElements, corner ? 2 : edge ? 3 : 4) << n->m_nID;
    }
}

// The sort command with the elements chosen renumbers the frames in the
// project's order (3: by x of the mid-points); a second run changes nothing.
TEST_F(FrameGeneration, SortCommandRenumbersInTheProjectOrder)
{
    const int a = Node(8, 0, 0), b = Node(9, 0, 0), c = Node(0, 0, 0), d = Node(1, 0, 0);
    const int right = Frame(a, b), left = Frame(c, d);
    ASSERT_LT(right, left);
    theProjectOptions.nSortOrder = 3;
    EXPECT_EQ(SortElementsCommand(), 1);
    EXPECT_EQ(F(1).m_nNodeI, c);
    EXPECT_EQ(F(2).m_nNodeI, a);
    EXPECT_FALSE(theUndo.CanUndo());
    EXPECT_EQ(Frame(a, b), 2);  // the index follows the new numbers
    EXPECT_EQ(SortElementsCommand(), 0);
    EXPECT_EQ(F(1).m_nNodeI, c);
}

}  // namespace
}  // namespace vektest
