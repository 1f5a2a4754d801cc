// Display colours and line widths in the profile, and the black set for printing.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/MapProfile.h"
#include "tests/vek/view/ViewFixture.h"
#include "vek/model/LayerList.h"
#include "vek/model/Profile.h"

using namespace vektest;

namespace {

class Colours : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_previous = SetAppProfile(&profile);
    }
    void TearDown() override
    {
        SetAppProfile(m_previous);
        theLayers.Reset();
        ViewTest::TearDown();
    }
    MapProfile profile;

private:
    CRunProfile* m_previous = nullptr;
};

}  // namespace

TEST_F(Colours, EmptyProfileGivesTheDefaults)
{
    CDisplayColors c;
    c.m_back = 123;
    c.m_ele[0] = 1;
    c.ReadProfile();
    EXPECT_EQ(c.m_toLayer, 0);
    EXPECT_EQ(c.m_printBlack, 1);
    EXPECT_EQ(c.m_emfBlack, 1);
    EXPECT_EQ(c.m_back, 0u);
    EXPECT_EQ(c.m_select, 255u);
    EXPECT_EQ(c.m_ele[0], 0xFFFF80u);
    EXPECT_EQ(c.m_ele[10], 0x6200C4u);
    EXPECT_EQ(c.m_ele[18], 0xFF00u);
    EXPECT_EQ(c.m_eleText[3], 0xFF0FFFu);
    EXPECT_EQ(c.m_eleLoad[6], 0xFFFFFFu);
    EXPECT_EQ(c.m_stiffEnd, 0x6200C4u);
    EXPECT_EQ(c.m_axis[0], 0x80C8FFu);
    EXPECT_EQ(c.m_direct[2], 0xFF0080u);
    EXPECT_EQ(c.m_post[8], 0xFF00FFu);
    for (uint8_t w : c.m_lineWidth) EXPECT_EQ(w, 1);
}

TEST_F(Colours, WritesLowerCaseHexAndReadsEitherCaseBack)
{
    CDisplayColors c;
    c.m_ele[0] = 0xABCDEF;
    c.m_lineWidth[9] = 200;
    c.WriteProfile();
    EXPECT_EQ(profile.strings["COLOR/AXIS"], "0x80c8ff,0xffffff");
    EXPECT_EQ(profile.strings["COLOR/ELE"].substr(0, 18), "0xabcdef,0xffff,0x");
    EXPECT_EQ(profile.strings["COLOR/LINEWIDTH"], "1,1,1,1,1,1,1,1,1,200");
    EXPECT_EQ(profile.ints["COLOR/SELECT"], 255);

    profile.strings["COLOR/DIRECT"] = "0XA0B0C0,0xff,12";
    CDisplayColors back;
    back.ReadProfile();
    EXPECT_EQ(back.m_ele[0], 0xABCDEFu);
    EXPECT_EQ(back.m_lineWidth[9], 200);
    EXPECT_EQ(back.m_direct[0], 0xA0B0C0u);
    EXPECT_EQ(back.m_direct[1], 0xFFu);
    EXPECT_EQ(back.m_direct[2], 0x12u);
}

TEST_F(Colours, ShortOrMalformedListsKeepTheEntriesTheyDoNotReach)
{
    struct Case {
        const char* text;
        uint8_t expect[10];
    } cases[] = {
        {"3,2", {3, 2, 7, 7, 7, 7, 7, 7, 7, 7}},
        // Line widths are read as ints: out of 1..255 keeps the old width.
        {"300,0,-1,255,9", {7, 7, 7, 255, 9, 7, 7, 7, 7, 7}},
        {"4;5", {4, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
        {"", {7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
    };
    for (const Case& k : cases) {
        CDisplayColors c;
        for (uint8_t& w : c.m_lineWidth) w = 7;
        profile.strings["COLOR/LINEWIDTH"] = k.text;
        c.ReadProfile();
        for (int i = 0; i < 10; ++i) EXPECT_EQ(c.m_lineWidth[i], k.expect[i]) << k.text << " #" << i;
    }
    CDisplayColors c;
    profile.strings["COLOR/ELELOAD"] = "0x1,zz,0x3";
    c.ReadProfile();
    EXPECT_EQ(c.m_eleLoad[0], 1u);
    EXPECT_EQ(c.m_eleLoad[1], 0xFF8000u);
    EXPECT_EQ(c.m_eleLoad[2], 0xFF8000u);
}

TEST_F(Colours, BlackPrintingSwapsFiftyOneColoursAndLayersOnlyByLayer)
{
    CDisplayColors c;
    const CDisplayColors original = c;
    theLayers.Reset();
    const uint32_t layerColour = theLayers[0].colour = 0x123456;
    std::vector<uint32_t> save;
    c.UseBlack(save);
    EXPECT_EQ(save.size(), size_t(CDisplayColors::kBlackFields));
    EXPECT_EQ(c.m_back, 0xFFFFFFu);
    EXPECT_EQ(c.m_select, 0u);
    EXPECT_EQ(c.m_ele[1], 0u);                   // kind 2
    EXPECT_EQ(c.m_ele[0], original.m_ele[0]);    // kind 1 keeps its colour
    EXPECT_EQ(c.m_ele[15], original.m_ele[15]);  // kind 16 too
    EXPECT_EQ(c.m_stiffReg[0], original.m_stiffReg[0]);
    EXPECT_EQ(c.m_stiffReg[1], 0u);
    EXPECT_EQ(c.m_post[8], 0u);
    EXPECT_EQ(theLayers[0].colour, layerColour);
    c.RestoreColors(save);
    EXPECT_EQ(std::memcmp(&c.m_back, &original.m_back, sizeof(uint32_t) * 60),
              0);  // every colour from BACK to POSTCOLOR

    c.m_toLayer = 1;
    c.UseBlack(save);
    EXPECT_EQ(save.size(), size_t(CDisplayColors::kBlackFields) + theLayers.GetSize());
    EXPECT_EQ(theLayers[0].colour, 0u);
    c.RestoreColors(save);
    EXPECT_EQ(theLayers[0].colour, layerColour);
    EXPECT_EQ(c.m_select, 255u);
}
