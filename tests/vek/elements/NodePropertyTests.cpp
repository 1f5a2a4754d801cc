// Seeded random node edits with undo, redo, saving and reloading: a reload
// saves the bytes it read, and undoing everything gives back the bytes of
// the start (or of the last point the history was emptied).
#include <random>

#include "tests/vek/elements/NodeTestSupport.h"
#include "vek/elements/line/nodes/NodeAttributes.h"
#include "vek/elements/line/nodes/NodeBlock.h"
#include "vek/elements/line/nodes/NodeMerge.h"

namespace vektest {
namespace {

size_t FirstDifference(const Bytes& a, const Bytes& b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return i;
}

class NodeEdits : public NodeModelTest {
protected:
    // The node block and the display ranges, the selection cleared and the
    // display bits worked out again (neither is part of the undo history).
    static Bytes Snapshot()
    {
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            CNode* n = theNodes.GetAt(i);
            n->m_nFlags &= ~kObjSelected;
            n->UpdateRangeFlags();
        }
        return WriteBlock([](bofstream& out) {
            WriteNodeBlock(out);
            theDisplayRange.Write(out);
        });
    }
    // As a project load does it: the node data emptied and read, the storey
    // table kept, the storey lists made again, no history.
    static void Reload(const Bytes& bytes)
    {
        ClearNodeFamily();
        theUndo.Clear();
        theDisplayRange.Reset();
        if (theLevels.count > 0) theStoreyLists.Recreate(theLevels.count);
        ASSERT_TRUE(ReadBlock(bytes, [](bifstream& in) { return ReadNodeBlock(in) && theDisplayRange.Read(in); }));
        RebuildStoreyLists();
    }

    std::mt19937 rng;
    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }

    // A point of a coarse grid, now and then nudged within the tolerances.
    void RandomPoint(double p[3])
    {
        p[0] = Uniform(0, 6);
        p[1] = Uniform(0, 6);
        p[2] = Uniform(0, 2) * 3.0;
        if (Uniform(0, 3) == 0) p[0] += Real(-0.015, 0.015);
    }
    void SelectSome()
    {
        for (int i = 0; i < theNodes.GetSize(); ++i)
            if (Uniform(0, 2) == 0) theNodes.GetAt(i)->m_nFlags |= kObjSelected;
    }
    void AddNodes()
    {
        // Now and then with the coincidence check off, so that twins arise
        // for merging to find.
        theProjectOptions.bStoreyLookup = Uniform(0, 3) != 0;
        theUndo.BeginRecord();
        for (int k = Uniform(1, 5); k > 0; --k) {
            double p[3];
            RandomPoint(p);
            FindOrAddNode(p);
        }
        theUndo.EndRecord();
        theProjectOptions.bStoreyLookup = 1;
    }
    void ChangeAttributes()
    {
        SelectSome();
        switch (Uniform(0, 4)) {
            case 0:
                for (int32_t& r : theNodeInputs.restraints) r = Uniform(0, 2);
                SetRestraintsOfSelected();
                break;
            case 1:
                for (double& m : theNodeInputs.mass.m_v) m = Uniform(0, 1) ? Uniform(-3, 3) : 0;
                SetMassOfSelected();
                break;
            case 2:
                theNodeInputs.temperature = Uniform(-30, 30);
                SetTemperatureOfSelected();
                break;
            case 3:
                theNodeInputs.tower = int16_t(Uniform(0, 4));
                SetTowerOfSelected();
                break;
            default:
                theProjectOptions.nCurrentLoadCase = int16_t(Uniform(1, 3));
                theNodeInputs.loadType = Uniform(1, 6);
                theNodeInputs.loadAction = Uniform(1, 5);
                theNodeInputs.loadValue = Uniform(-20, 20);
                SetNodeLoadOfSelected();
                break;
        }
    }
    void DeleteSome()
    {
        SelectSome();
        theUndo.BeginRecord();
        DeleteOrphanNodes();
        theUndo.EndRecord();
    }
};

TEST_F(NodeEdits, SaveReloadAndUndoToTheStart)
{
    int reloads = 0, merges = 0;
    for (unsigned seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE(seed);
        ResetNodeModel();
        rng.seed(seed);
        theProjectOptions.nUndoLimit = 100000;  // no group may fall off the history
        if (seed % 2) Storeys({3, 3});
        for (int k = 0; k < 10; ++k) {
            double p[3];
            RandomPoint(p);
            FindOrAddNode(p);
        }
        theDisplayRange.ShowAll();
        Bytes start = Snapshot();
        for (int step = 0; step < 120; ++step) {
            const int what = Uniform(0, 19);
            if (what < 6) {
                AddNodes();
            } else if (what < 13) {
                ChangeAttributes();
            } else if (what < 15) {
                DeleteSome();
            } else if (what < 18) {
                for (int k = Uniform(1, 3); k > 0; --k) theUndo.Undo();
                for (int k = Uniform(0, 2); k > 0; --k) theUndo.Redo();
            } else if (what == 18) {
                const Bytes saved = Snapshot();
                Reload(saved);
                ASSERT_EQ(Snapshot(), saved) << "step " << step;
                start = saved;  // a loaded model has no history
                ++reloads;
            } else if (MergeCoincidentNodes(nullptr, 0, 0) > 0) {
                start = Snapshot();  // renumbered: the history is gone
                ++merges;
            }
        }
        while (theUndo.CanUndo()) theUndo.Undo();
        const Bytes end = Snapshot();
        EXPECT_EQ(end, start) << "first difference at byte " << FirstDifference(end, start) << " of " << start.size();
    }
    // The runs went through both ways of losing the history.
    EXPECT_GT(reloads, 10);
    EXPECT_GT(merges, 10);
}

}  // namespace
}  // namespace vektest
