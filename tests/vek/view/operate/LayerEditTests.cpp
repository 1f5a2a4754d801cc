// The work of the layer and storey dialogs: renaming, deleting, sorting and
// the one map that carries every kind's layer indices.
#include "tests/vek/view/operate/OperateFixture.h"
#include "vek/view/operate/LayerEdit.h"

using namespace optest;

namespace {

class LayerEditTest : public OperateTest {
protected:
    void SetUp() override
    {
        OperateTest::SetUp();
        theLayers.Reset();
        for (const char* name : {"L1", "L2", "L3", "L4", "L5"}) theLayers.Add(LayerInfo(name, 'Y', 0xFF));
        theLayers.SetCurrent(4);
    }
    static std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (int i = 0; i < theLayers.GetSize(); ++i) names.push_back(theLayers[i].name);
        return names;
    }
};

bool Yes()
{
    return true;
}
bool No()
{
    return false;
}

}  // namespace

TEST_F(LayerEditTest, RenamingRefusesANameOfAnotherRowWhateverItsCase)
{
    CLayerEdit edit;
    EXPECT_FALSE(edit.Rename(2, "l1"));
    EXPECT_STREQ(edit.Row(2).name, "L2");
    EXPECT_TRUE(edit.Rename(2, "L2"));
    EXPECT_TRUE(edit.Rename(2, "Beams"));
    EXPECT_FALSE(edit.Rename(3, "BEAMS"));
    // Cut to 20 bytes, never inside a character, before the comparison.
    EXPECT_TRUE(edit.Rename(3, "abcdefghijklmnopqrs梁"));
    EXPECT_STREQ(edit.Row(3).name, "abcdefghijklmnopqrs");
    EXPECT_FALSE(edit.Rename(4, "ABCDEFGHIJKLMNOPQRS"));
    // Only ASCII letters are folded: these differ in a trail byte that looks like a letter.
    EXPECT_TRUE(edit.Rename(4, "\xB0\x41"));
    EXPECT_TRUE(edit.Rename(5, "\xB0\x61"));
}

TEST_F(LayerEditTest, DeletingLayerThreeOfFiveWithCurrentFour)
{
    Family nodes(EFamily::Nodes), frames(EFamily::Frames), trusses(EFamily::Trusses), springs(EFamily::Springs),
        regions(EFamily::StiffRegions), bounds(EFamily::BoundLines), walls(EFamily::Walls);
    static Family* stores[7];
    Family* all[7] = {&nodes, &frames, &trusses, &springs, &regions, &bounds, &walls};
    std::copy(all, all + 7, stores);
    theOperateLinks.deleteSelectedObjects = [] {
        for (Family* f : stores) f->DeleteSelected();
    };
    // Nodes 1..6 on layers 0..5; node 7 on layer 3 used by a frame of layer 4.
    for (int i = 0; i <= 5; ++i) nodes.layers[nodes.Node(i + 1, i, 0, 0).id] = i;
    nodes.layers[nodes.Node(7, 9, 9, 0).id] = 3;
    frames.layers[frames.Element(10, {7, 5}).id] = 4;
    frames.layers[frames.Element(11, {4, 5}).id] = 3;
    trusses.layers[trusses.Element(20, {1, 2}).id] = 5;
    trusses.layers[trusses.Element(21, {1, 2}).id] = 3;
    springs.layers[springs.Element(30, {1}).id] = 3;
    regions.layers[regions.Element(40, {1, 2, 3}).id] = 4;
    bounds.layers[bounds.Element(50, {}).id] = 3;
    walls.layers[walls.Element(60, {1, 2}).id] = 2;

    vektest::RecordingHooks hooks;
    CLayerEdit edit;
    EXPECT_FALSE(edit.Delete(0, Yes)) << "the fixed layer stays";
    EXPECT_FALSE(edit.Delete(3, No)) << "a No keeps the layer";
    EXPECT_TRUE(edit.Delete(3, Yes));
    EXPECT_EQ(edit.Current(), 3);
    EXPECT_STREQ(edit.Row(edit.Current()).name, "L4");
    edit.Apply(false);

    EXPECT_EQ(Names(), (std::vector<std::string>{"固定图层", "L1", "L2", "L4", "L5"}));
    EXPECT_EQ(theLayers.GetCurrent(), 3);
    // Every kind moved from old 4 and 5 to 3 and 4; the objects of layer 3 are gone.
    EXPECT_EQ(frames.layers[10], 3);
    EXPECT_EQ(frames.IndexOfID(11), -1);
    EXPECT_EQ(trusses.layers[20], 4);
    EXPECT_EQ(trusses.IndexOfID(21), -1);
    EXPECT_EQ(springs.GetCount(), 0);
    EXPECT_EQ(regions.layers[40], 3);
    EXPECT_EQ(bounds.GetCount(), 0);
    EXPECT_EQ(walls.layers[60], 2);
    // Node 4 (old layer 3) went; node 7 stays, still used by frame 10.
    EXPECT_EQ(nodes.IndexOfID(4), -1);
    ASSERT_GE(nodes.IndexOfID(7), 0);
    EXPECT_EQ(nodes.layers[5], 3);
    EXPECT_EQ(nodes.layers[6], 4);
    EXPECT_EQ(hooks.undoCleared, 1);
    EXPECT_EQ(hooks.layerSelector, 1);
    EXPECT_TRUE(nodes.SelectedIDs().empty());
}

TEST_F(LayerEditTest, SortingByNameCarriesEveryIndexAndNeverMergesEqualNames)
{
    theLayers.Reset();
    for (const char* name : {"b", "A", "c"}) theLayers.Add(LayerInfo(name, 'Y', 0xFF));
    theLayers.SetCurrent(1);
    Family nodes(EFamily::Nodes), pipes(EFamily::Pipes);
    for (int i = 0; i <= 3; ++i) nodes.layers[nodes.Node(i + 1, i, 0, 0).id] = i;
    pipes.layers[pipes.Element(9, {1, 2}).id] = 3;
    CLayerEdit edit;
    const int added1 = edit.Add();
    const int added2 = edit.Add();
    EXPECT_FALSE(edit.IsOldRow(added1));
    edit.SetCurrent(added2);
    edit.Apply(true);
    EXPECT_EQ(Names(), (std::vector<std::string>{"固定图层", "A", "b", "c", "新图层名", "新图层名"}));
    EXPECT_EQ(theLayers.GetCurrent(), 5) << "the second added row, not the first of that name";
    EXPECT_EQ(nodes.layers[1], 0);
    EXPECT_EQ(nodes.layers[2], 2);  // b
    EXPECT_EQ(nodes.layers[3], 1);  // A
    EXPECT_EQ(nodes.layers[4], 3);  // c
    EXPECT_EQ(pipes.layers[9], 3);
}

TEST_F(LayerEditTest, AddedRowsGoWithoutAQuestionAndVisibilityAlone)
{
    Family nodes(EFamily::Nodes);
    nodes.layers[nodes.Node(1, 0, 0, 0).id] = 2;
    CLayerEdit edit;
    const int row = edit.Add();
    EXPECT_TRUE(edit.Delete(row, No));
    edit.ToggleVisible(2);
    edit.InvertAll();
    edit.ShowAll();
    edit.ToggleVisible(1);
    edit.SetColour(1, 0x123456);
    const int redraws = host.redraws;
    vektest::RecordingHooks hooks;
    edit.Apply(false);
    EXPECT_EQ(theLayers[1].visible, 'N');
    EXPECT_EQ(theLayers[1].colour, 0x123456u);
    EXPECT_EQ(host.redraws, redraws + 1) << "the display changed";
    EXPECT_EQ(nodes.layers[1], 2);
    EXPECT_EQ(hooks.undoCleared, 0) << "nothing deleted, nothing sorted";
}

TEST_F(OperateTest, StoreyDialogRowsAndItsOk)
{
    theLevels.count = 3;
    theLevels.heights[0] = 3.5;
    theLevels.heights[1] = 4;
    theLevels.heights[2] = 4;
    theLevels.RecomputeElevations();
    const CStoreyRowTexts r0 = StoreyRowTexts(0, true);
    EXPECT_EQ(r0.storey, "第-1层[不属于任何层]");
    EXPECT_EQ(r0.height, "无层高");
    EXPECT_EQ(r0.elevation, "无标高");
    const CStoreyRowTexts r1 = StoreyRowTexts(1, false);
    EXPECT_EQ(r1.storey, "第0层");
    EXPECT_EQ(r1.shown, "不显示");
    EXPECT_EQ(r1.elevation, "0.0");
    const CStoreyRowTexts r3 = StoreyRowTexts(3, true);
    EXPECT_EQ(r3.storey, "第2层");
    EXPECT_EQ(r3.height, "4.0000");
    EXPECT_EQ(r3.elevation, "7.5000");

    vektest::RecordingHooks hooks;
    theLevels.current = 2;
    theLevelRange.first = 1;
    theLevelRange.last = 3;
    ApplyStoreyFlags({1, 1, 1, 1, 1});
    EXPECT_EQ(theLevelRange.first, 1);
    ApplyStoreyFlags({1, 1, 1, 0, 1});
    EXPECT_FALSE(theLevels.Shown(2));
    EXPECT_EQ(theLevelRange.first, 2);
    EXPECT_EQ(theLevelRange.last, 2);
    EXPECT_EQ(theLevelRange.step, 1);
    EXPECT_EQ(hooks.storeyTexts, 1);
}
