// The restraint panels' buttons on the template: invert keeps "leave", the
// plane presets touch only the in-plane freedoms.
#include <gtest/gtest.h>

#include <array>

#include "vek/dialogs/logic/RestraintRules.h"

using namespace restraints;
using Six = std::array<int32_t, 6>;

TEST(RestraintRules, InvertSwapsFixedAndFreeAndLeavesTheRest)
{
    Six r = {1, 2, 0, 2, 2, 2};
    Invert(r.data());
    EXPECT_EQ(r, (Six{0, 2, 1, 2, 2, 2}));
    SetAll(r.data(), kFixed);
    EXPECT_EQ(r, (Six{1, 1, 1, 1, 1, 1}));
}

TEST(RestraintRules, PlanePresetsSetTranslationYZAndRotationX)
{
    const struct {
        int index;
        Six after;
    } rows[] = {{0, {2, 1, 1, 1, 2, 2}}, {1, {2, 1, 1, 0, 2, 2}}, {2, {2, 0, 1, 0, 2, 2}}, {3, {2, 1, 0, 0, 2, 2}},
                {4, {2, 1, 0, 1, 2, 2}}, {5, {2, 0, 1, 1, 2, 2}}, {6, {2, 0, 0, 0, 2, 2}}};
    for (const auto& row : rows) {
        Six r = {2, 2, 2, 2, 2, 2};
        EXPECT_TRUE(ApplyPlanePreset(row.index, r.data()));
        EXPECT_EQ(r, row.after) << row.index;
    }
    Six r = {2, 2, 2, 2, 2, 2};
    EXPECT_FALSE(ApplyPlanePreset(7, r.data()));
    ClearOutOfPlane(r.data());
    EXPECT_EQ(r, (Six{0, 2, 2, 2, 0, 0}));
}
