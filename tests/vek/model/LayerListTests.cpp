#include <gtest/gtest.h>

#include <cstring>

#include "vek/model/LayerList.h"

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
