// The searches along a new beam: the nodes that may lie on it and the frames
// it may cross, by the cells of the node and frame indexes, against a walk
// over the whole store with the same tests.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/vek/elements/FrameTestSupport.h"
#include "vek/elements/line/frames/FrameEndIndex.h"
#include "vek/elements/line/nodes/NodeIndex.h"
#include "vek/model/geometry/ModelGeometry.h"
#include "korvalib/base/GFunc.h"

namespace vektest {
namespace {

struct Segment {
    const char* what;
    double a[3], b[3];
};

class SegmentSearch : public FrameModelTest {
protected:
    // The nodes of the store that lie on the segment, found through the
    // index and by a walk over all of them.
    static void ExpectSameNodesOnSegment(const Segment& s)
    {
        SCOPED_TRACE(s.what);
        std::vector<int> visited;
        ASSERT_TRUE(theNodeIndex.ForEachNearSegment(s.a, s.b, 1e7, [&](int id) { visited.push_back(id); }));
        std::vector<int> sorted = visited;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end()) << "a node visited twice";
        std::vector<int> byIndex, byWalk;
        for (int id : sorted)
            if (PointToLineDistance(N(id).m_dCoord, s.a, s.b, 0)) byIndex.push_back(id);
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            const CNode* n = theNodes.GetAt(i);
            if (PointToLineDistance(n->m_dCoord, s.a, s.b, 0)) byWalk.push_back(n->m_nID);
        }
        std::sort(byWalk.begin(), byWalk.end());
        EXPECT_EQ(byIndex, byWalk);
    }
    // Every frame that the segment crosses within the tolerance is among the
    // candidates of the frame index; how many it crosses.
    static int ExpectCrossingsAmongCandidates(const Segment& s)
    {
        SCOPED_TRACE(s.what);
        std::vector<int> candidates;
        EXPECT_TRUE(FindFramesNearSegment(s.a, s.b, candidates));
        const double tol = theProjectOptions.dHorzNodeSpacing;
        int crossed = 0;
        for (int i = 0; i < theFrames.GetSize(); ++i) {
            const CFrame* f = theFrames.GetAt(i);
            double at[3];
            if (!GFunc::LineIntersect(s.a, s.b, N(f->m_nNodeI).m_dCoord, N(f->m_nNodeJ).m_dCoord, at, tol, 0, 1))
                continue;
            ++crossed;
            EXPECT_TRUE(std::binary_search(candidates.begin(), candidates.end(), f->m_nID))
                << "frame " << f->m_nID << " missed";
        }
        return crossed;
    }
    // A frame between new nodes at the points, outside any undo group.
    static void Beam(double x0, double y0, double z0, double x1, double y1, double z1)
    {
        ASSERT_GT(AddOneFrame(Node(x0, y0, z0), Node(x1, y1, z1), 1), 0);
    }
};

// Two floors of a grid at unit spacing around the origin, with nodes at and
// just past the tolerance from the lines searched. The default tolerances
// (plan 0.02, height 0.01) and a height tolerance above the plan one.
TEST_F(SegmentSearch, NodesOnTheLineAsAWalkOverTheStoreFindsThem)
{
    const Segment segments[] = {
        {"along grid lines, over their nodes", {-10, 0, 0}, {10, 0, 0}},
        {"a grid line reversed, the upper floor", {4, 10, 3}, {4, -10, 3}},
        {"a column through both floors", {2, 2, -1}, {2, 2, 4}},
        {"a column between nodes", {2.5, 2.5, 0}, {2.5, 2.5, 3}},
        {"very short, between two nodes", {0.99, 0, 0}, {1.01, 0, 0}},
        {"shorter than the tolerance", {0.5, 0.5, 0}, {0.51, 0.5, 0}},
        {"very long, past the model", {-1e5, 0.01, 0}, {1e5, 0.01, 0}},
        {"slanting over the floors", {-10, -7, 0}, {9, 10, 3}},
        {"a diagonal of the grid", {-10, -10, 0}, {10, 10, 0}},
        {"near the tolerance marks", {0, 5.5, 0}, {8, 5.5, 0}},
        {"negative coordinates only", {-9.5, -3, 3}, {-1, -3, 3}},
        {"the slanting line", {-10.5, 0.37 * -10.5 + 1.3, 0}, {10.5, 0.37 * 10.5 + 1.3, 0}},
    };
    // Short lines a step apart across the plan, each with nodes just inside
    // the tolerance on either side and above and below: some lie across a
    // cell border from their line, whatever the cells' size.
    std::vector<Segment> steps;
    for (int k = 0; k <= 120; ++k) {
        const double y = 0.5 + 0.0173 * k;
        steps.push_back({"a step line", {20.5, y, 0}, {23.5, y, 0}});
    }
    for (const double v : {0.01, 0.05}) {
        SCOPED_TRACE(v);
        ResetNodeModel();
        theProjectOptions.fVertNodeSpacing = float(v);
        theProjectOptions.bStoreyLookup = 0;  // every node placed, near another or not
        for (int z : {0, 3})
            for (int y = -10; y <= 10; ++y)
                for (int x = -10; x <= 10; ++x) Node(x, y, z);
        // Across the line y = 5.5: inside and outside the plan tolerance,
        // straight out in plan and in height.
        for (const double d : {0.0199, 0.02, 0.0201}) {
            Node(1.3, 5.5 + d, 0);
            Node(2.3, 5.5 - d, 0);
            Node(3.3, 5.5, d);
            Node(4.3, 5.5, -d);
            Node(5.3, 5.5 + d * std::sqrt(0.5), d * std::sqrt(0.5));
        }
        // Past the ends by the tolerance.
        Node(-0.0199, 5.5, 0);
        Node(8.0201, 5.5, 0);
        // Along a slanting line, just inside the tolerance on either side
        // and above: some lie across a cell border from the line.
        const double nx = -0.37 / std::hypot(0.37, 1.0), ny = 1 / std::hypot(0.37, 1.0);
        for (int i = 0; i <= 400; ++i) {
            const double x = -10 + 0.05 * i, y = 0.37 * x + 1.3, d = i % 2 ? 0.0199 : -0.0199;
            Node(x + d * nx, y + d * ny, 0);
            Node(x, y, d);
        }
        for (const Segment& s : steps) {
            Node(22, s.a[1] + 0.0199, 0);
            Node(22, s.a[1] - 0.0199, 0);
            Node(22.5, s.a[1], 0.0199);
            Node(22.5, s.a[1], -0.0199);
        }
        for (const Segment& s : segments) ExpectSameNodesOnSegment(s);
        for (const Segment& s : steps) ExpectSameNodesOnSegment(s);
    }
}

// Nodes far out: in the thousands of kilometres, and past the last cell
// at the index's size of cell.
TEST_F(SegmentSearch, NodesFarFromTheOriginAreFound)
{
    for (const double base : {-4.0e6, 1.0e12}) {
        SCOPED_TRACE(base);
        ResetNodeModel();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) Node(base + x * 6, base + y * 6, 0);
        Node(base + 15, base + 6.0199, 0);
        const Segment segments[] = {
            {"a grid line", {base, base + 6, 0}, {base + 42, base + 6, 0}},
            {"a diagonal", {base, base, 0}, {base + 42, base + 42, 0}},
            {"a column", {base + 12, base + 12, -4}, {base + 12, base + 12, 4}},
        };
        for (const Segment& s : segments) ExpectSameNodesOnSegment(s);
    }
}

// The node index follows nodes that move and go; the size of its cells is
// chosen again as the store grows, and the answers stay the same.
TEST_F(SegmentSearch, NodesMovedRemovedAndAddedLater)
{
    for (int x = 0; x <= 10; ++x) Node(x, 0, 0);
    const Segment line{"the line", {-1, 0, 0}, {11, 0, 0}};
    ExpectSameNodesOnSegment(line);
    N(4).m_dCoord[1] = 3;
    theNodeIndex.Moved(4, N(4).m_dCoord);
    ExpectSameNodesOnSegment(line);
    ExpectSameNodesOnSegment({"where it went", {-1, 3, 0}, {11, 3, 0}});
    UnstoreNode(7);
    ExpectSameNodesOnSegment(line);
    // Hundreds more at a finer spacing: the cells are made again.
    theProjectOptions.bStoreyLookup = 0;
    for (int i = 0; i < 500; ++i) Node(0.02 * i + 0.001, 0.0199 * (i % 3 - 1), 0);
    ExpectSameNodesOnSegment(line);
    ExpectSameNodesOnSegment({"a short piece", {3.1, 0, 0}, {3.3, 0, 0}});
}

// Frames of a grid, and frames that meet a new line only within the
// tolerance: past its ends, past their own, above and below it.
TEST_F(SegmentSearch, CrossedFramesAreAmongTheCandidates)
{
    for (int y = -4; y <= 4; ++y) Beam(-4, y, 0, 4, y, 0);
    for (int x = -4; x <= 4; ++x) Beam(x, -4, 0, x, 4, 0);
    Beam(7.0199, -3, 0, 7.0199, 3, 0);       // just past the end of the line below
    Beam(6, 0.0199, 0.0199, 6, 5, 0.0199);   // ends short of it, above it
    Beam(5.5, -0.012, -0.012, 5.5, -5, 3);   // short of it, below, slanting up
    Beam(6.5, 0.012, -0.005, 6.5, 2, 1.3);   // short of it, below, slanting up the other way
    Beam(7.015, 0.012, 0.012, 9, 5, 3.012);  // past its end, above, slanting
    // Past the end of the line below and its own, above: 0.042 from the line's end.
    Beam(7.6238, 0.014, 0.0199, 12.6238, 5.014, 0.0199);
    Beam(-3.5, -3.5, -3, -3.5, -3.5, 3);  // a column through the floor
    Beam(1e5, 1e5, 0, -1e5, -1e5, 0);     // long over everything
    const Segment segments[] = {
        {"out of the grid, to the frames at its end", {3, 0, 0}, {7, 0, 0}},
        {"to a frame over two tolerances away", {3, 0, 0}, {7.59, 0, 0}},
        {"along a grid line", {-4, 1, 0}, {4, 1, 0}},
        {"across the grid, slanting", {-4.5, -3.7, 0}, {4.5, 3.2, 0}},
        {"on a cell's worth", {-3.7, -3.5, 0}, {-3.3, -3.5, 0}},
        {"up a column", {0.5, 0.5, -1}, {0.5, 0.5, 1}},
        {"past the grid both ways", {-20, 3, 0}, {20, 3, 0}},
    };
    for (const Segment& s : segments) ExpectCrossingsAmongCandidates(s);
    // The frames at the tolerance are crossed: by the first line two of the
    // grid and five more; by the second those and the one over two
    // tolerances from its end.
    EXPECT_EQ(ExpectCrossingsAmongCandidates(segments[0]), 7);
    EXPECT_EQ(ExpectCrossingsAmongCandidates(segments[1]), 8);
}

// A batch without the coincidence check: a beam over the very end of a
// frame is split at that end, not at a new node on top of it; one over the
// middle of a frame at a new node that splits the frame.
TEST_F(SegmentSearch, BeamsOverFrameEndsWithoutTheCoincidenceCheck)
{
    theProjectOptions.bStoreyLookup = 0;
    const int a = Node(0, 0, 0), b = Node(10, 0, 0);
    const int c = Node(4, -3, 0), d = Node(4, 0, 0), e = Node(7, 2, 0), f = Node(7, -2, 0);
    ASSERT_GT(AddOneFrame(c, d, 1), 0);
    ASSERT_GT(AddOneFrame(e, f, 1), 0);
    const int nodes = theNodes.GetSize();
    EXPECT_EQ(AddFramesBetweenNodes(a, b), 3);
    ASSERT_EQ(theNodes.GetSize(), nodes + 1);
    const int middle = theNodes.GetAt(nodes)->m_nID;
    const double at[3] = {7, 0, 0};
    EXPECT_TRUE(N(middle).IsSamePosition(at));
    std::vector<std::pair<int, int>> ends;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        const CFrame* x = theFrames.GetAt(i);
        ends.emplace_back(std::min(x->m_nNodeI, x->m_nNodeJ), std::max(x->m_nNodeI, x->m_nNodeJ));
    }
    std::sort(ends.begin(), ends.end());
    std::vector<std::pair<int, int>> wanted = {{c, d}, {a, d}, {d, middle}, {middle, b}, {e, middle}, {middle, f}};
    for (auto& w : wanted) w = {std::min(w.first, w.second), std::max(w.first, w.second)};
    std::sort(wanted.begin(), wanted.end());
    EXPECT_EQ(ends, wanted);
}

}  // namespace
}  // namespace vektest
