#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/LeBytes.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/KvdDataSet.h"
#include "vek/model/LayerList.h"

using namespace vektest;

TEST(LayerList, ResetLeavesTheFixedLayerCurrent)
{
    CLayerList layers;
    layers.SetCurrent(3);
    layers.Reset();
    ASSERT_EQ(layers.GetSize(), 1);
    EXPECT_EQ(layers.GetCurrent(), 0);
    EXPECT_STREQ(layers[0].name, "固定图层");
    EXPECT_EQ(layers[0].visible, 'Y');
    EXPECT_EQ(layers[0].colour, 0xFFFF00u);
}

TEST(LayerList, NamesCompareWithoutCaseAndKeepTwentyCharacters)
{
    LayerInfo a("Beams", 'Y', 1), b("BEAMS", 'N', 2), c;
    EXPECT_TRUE(a == b);
    EXPECT_STREQ(c.name, "新图层名");
    c.SetName("abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(std::strlen(c.name), 20u);
    EXPECT_FALSE(a == c);
}

TEST(LayerList, LongNamesAreCutBeforeADoubleByteCharacter)
{
    // 19 ASCII bytes and a two-byte character: the character does not fit.
    LayerInfo l;
    l.SetName("abcdefghijklmnopqrs层");
    EXPECT_STREQ(l.name, "abcdefghijklmnopqrs");
    l.SetName("一二三四五六七八九十一");  // 22 bytes
    EXPECT_EQ(std::strlen(l.name), 20u);
    EXPECT_STREQ(l.name, "一二三四五六七八九十");
}

TEST(LayerList, FindOrAddKnowsTheDrawingLayerAndIgnoresCase)
{
    CLayerList layers;
    EXPECT_EQ(layers.FindOrAdd("0"), 0);
    EXPECT_EQ(layers.GetSize(), 1);
    EXPECT_EQ(layers.FindOrAdd("Walls"), 1);
    EXPECT_EQ(layers.FindOrAdd("WALLS"), 1);
    EXPECT_EQ(layers.GetSize(), 2);
    EXPECT_EQ(layers[1].visible, 'Y');
    EXPECT_EQ(layers[1].colour, 0xFFFF00u);
}

TEST(LayerList, MeshLayerIsAddedOnlyWhenItNeedNotExist)
{
    RecordingHooks hooks;
    CLayerList layers;
    EXPECT_EQ(layers.GetDefaultLayer(true), -1);
    EXPECT_EQ(layers.GetSize(), 1);
    EXPECT_EQ(layers.GetDefaultLayer(false), 1);
    EXPECT_STREQ(layers[1].name, "自动剖分的图层");
    EXPECT_EQ(hooks.layerSelector, 1);
    EXPECT_EQ(layers.GetDefaultLayer(true), 1);
    EXPECT_EQ(hooks.layerSelector, 1);
}

TEST(LayerList, BlockBytesAtTheCurrentVersion)
{
    CLayerList layers;
    layers.Add(LayerInfo("Beam", 'N', 0x0000FF));
    layers.SetCurrent(1);
    const Bytes got = WriteBlock([&](bofstream& out) { layers.Write(out); });
    LeBytes want;
    want.i32(1).i32(2);
    want.text("固定图层").zeros(21 - std::strlen("固定图层")).text("Y").i32(0xFFFF00);
    want.text("Beam").zeros(17).text("N").i32(0xFF);
    EXPECT_EQ(got, want.bytes());

    CLayerList back;
    ASSERT_TRUE(ReadBlock(got, [&](bifstream& in) { return back.Read(in); }));
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back.GetCurrent(), 1);
    EXPECT_STREQ(back[1].name, "Beam");
    EXPECT_EQ(back[1].visible, 'N');
    EXPECT_EQ(back[1].colour, 0xFFu);
}

TEST(LayerList, OlderFilesHaveNoBlockOrNoColours)
{
    CLayerList layers;
    layers.Add(LayerInfo("x", 'Y', 5));
    layers.SetCurrent(1);
    {
        ProjectVersion v(459);
        long rest = 0;
        ASSERT_TRUE(ReadBlock(
            LeBytes().i32(7), [&](bifstream& in) { return layers.Read(in); }, &rest));
        EXPECT_EQ(rest, 4);  // nothing taken
        EXPECT_EQ(layers.GetSize(), 1);
        EXPECT_EQ(layers.GetCurrent(), 0);
    }
    ProjectVersion v(599);
    const Bytes old = LeBytes().i32(0).i32(2).text("固定图层").zeros(13).text("Y").text("Slab").zeros(17).text("N");
    ASSERT_TRUE(ReadBlock(old, [&](bifstream& in) { return layers.Read(in); }));
    ASSERT_EQ(layers.GetSize(), 2);
    EXPECT_EQ(layers[0].colour, 0xFFFF00u);
    EXPECT_EQ(layers[1].colour, 0xFFFF00u);
    EXPECT_EQ(layers[1].visible, 'N');
}

TEST(LayerList, DamagedBlocksLeaveTheListAsItWas)
{
    CLayerList layers;
    layers.Add(LayerInfo("keep", 'Y', 3));
    const Bytes cases[] = {
        LeBytes().i32(0).i32(-1),                                      // negative count
        LeBytes().i32(0).i32(0),                                       // not even the fixed layer
        LeBytes().i32(0).i32(1000000).text("x"),                       // more than the file holds
        LeBytes().i32(0).i32(2).text("a").zeros(20).text("Y").i32(1),  // second record cut
    };
    for (const Bytes& b : cases) {
        EXPECT_FALSE(ReadBlock(b, [&](bifstream& in) { return layers.Read(in); }));
        ASSERT_EQ(layers.GetSize(), 2);
        EXPECT_STREQ(layers[1].name, "keep");
    }
}

TEST(LayerList, ReadNamesAreTerminatedAndTheCurrentLayerKeptInRange)
{
    CLayerList layers;
    const Bytes b = LeBytes().i32(9).i32(1).skip(21, 'A').text("Y").i32(1);
    ASSERT_TRUE(ReadBlock(b, [&](bifstream& in) { return layers.Read(in); }));
    EXPECT_EQ(std::strlen(layers[0].name), 20u);
    EXPECT_EQ(layers.GetCurrent(), 0);
    EXPECT_STREQ(layers[5].name, layers[0].name);  // indices are clamped
}

TEST(LayerList, ExportAddsTheMasterNodeLayer)
{
    CLayerList& layers = theLayers;
    layers.Reset();
    layers.Add(LayerInfo("Hidden", 'N', 0x123456));
    CKvdDataSet set;
    layers.Export(set);
    ASSERT_EQ(set.layers.size(), 3u);
    EXPECT_EQ(set.layers[1].m_sNumber, 2);
    EXPECT_EQ(set.layers[1].m_cFlag, 0);
    EXPECT_EQ(set.layers[1].m_nColour, 0x123456);
    EXPECT_STREQ(set.layers[1].m_pName, "Hidden");
    EXPECT_EQ(set.layers[2].m_sNumber, 3);
    EXPECT_EQ(set.layers[2].m_cFlag, 1);
    EXPECT_EQ(set.layers[2].m_nColour, 0xFFFF00);
    EXPECT_STREQ(set.layers[2].m_pName, "主节点图层");
    layers.Reset();
}
