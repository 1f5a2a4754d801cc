#include <gtest/gtest.h>

#include "tests/support/MapProfile.h"
#include "vek/model/Profile.h"

TEST(AppProfile, UnboundKeepsNothingAndBindingReachesTheStore)
{
    EXPECT_EQ(AppProfile().GetInt("Settings", "X", 7), 7);
    EXPECT_FALSE(AppProfile().WriteInt("Settings", "X", 3));

    MapProfile store;
    EXPECT_EQ(SetAppProfile(&store), nullptr);
    EXPECT_TRUE(AppProfile().WriteInt("Settings", "X", 3));
    EXPECT_EQ(store.ints["Settings/X"], 3);
    EXPECT_EQ(SetAppProfile(nullptr), &store);
    EXPECT_EQ(AppProfile().GetInt("Settings", "X", 7), 7);
}
