// Library-file section tags and the section frame.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>

#include "StreamFixture.h"
#include "korvalib/model/AnalysisRecords.h"
#include "korvalib/base/DataSection.h"

namespace {

using S = DDataSection;
const char* const kTags[] = {
    S::LevelStr,    S::LayerStr,   S::MatStr,       S::TightWireStr, S::SpringStr,   S::NodeStr,      S::NdMassStr,
    S::NdDispStr,   S::NdLoadStr,  S::NdConsStr,    S::FrameStr,     S::FrSectStr,   S::FrLoadStr,    S::SframeStr,
    S::SfrSectStr,  S::SfrLoadStr, S::TrussStr,     S::TruSectStr,   S::CframeStr,   S::CfrSectStr,   S::CfrLoadStr,
    S::VframeStr,   S::VfrSectStr, S::VfrLoadStr,   S::PipeStr,      S::PipSectStr,  S::PlaneStr,     S::PlaLoadStr,
    S::ThreedStr,   S::ThrLoadStr, S::Sol21Str,     S::Sol21LoadStr, S::Sol8rStr,    S::Sol8rLoadStr, S::S16Str,
    S::S16LoadStr,  S::ShellStr,   S::ShellLoadStr, S::WallStr,      S::WallLoadStr, S::CommDataStr,  S::SpecStr,
    S::SpecDirStr,  S::SpecCurStr, S::EigenStr,     S::ReinStr,      S::ForeCombStr, S::DispCombStr,  S::HistStr,
    S::HistCurvStr, S::HistLoadStr};

}  // namespace

TEST(DataSection, TagsAreDistinctEightCapitals)
{
    std::set<std::string> seen;
    for (const char* t : kTags) {
        ASSERT_EQ(8u, std::strlen(t)) << t;
        for (int i = 0; i < 8; ++i)
            EXPECT_TRUE(std::isupper((unsigned char)t[i]) || std::isdigit((unsigned char)t[i])) << t;
        EXPECT_TRUE(seen.insert(t).second) << t;
    }
    EXPECT_EQ(51u, seen.size());
    EXPECT_STREQ("LEVELINF", S::LevelStr);
    EXPECT_STREQ("S16LOADE", S::S16LoadStr);
    EXPECT_STREQ("HISTLOAD", S::HistLoadStr);
}

// A library file written with the section frame reads back by tag, skipping
// unknown and misspelt tags by their length.
TEST(DataSection, SectionFrameRoundTrip)
{
    vektest::TempFile scratch("kvd");
    const std::string& path = scratch.path();
    DLevelBase level;
    level.m_fReal1 = 4.5f;
    {
        bofstream out(path.c_str());
        ASSERT_EQ(1, out.WriteHeader());
        out.Write(S::NdConsStr, S::TagSize);
        out.BeginSection();
        out << 1 << 2 << 3;
        out.EndSection();
        out.Write("levelinf", S::TagSize);
        out.BeginSection();
        out << short(77);
        out.EndSection();
        out.Write(S::LevelStr, S::TagSize);
        out.BeginSection();
        level.Serialize(out);
        out.EndSection();
        out.Close();
    }
    // Hand-worked bytes of the first section after the 12-byte header.
    const Bytes file = scratch.ReadAll();
    Bytes first = B().raw("NODECONS", 9).i32(12).i32s({1, 2, 3});
    ASSERT_GE(file.size(), 12 + first.size());
    EXPECT_TRUE(std::equal(first.begin(), first.end(), file.begin() + 12));

    bifstream in(path.c_str());
    ASSERT_EQ(1, in.ReadHeader());
    int levels = 0, skipped = 0;
    for (;;) {
        char tag[9];
        if (!in.Read(tag, 9)) break;
        int length = 0;
        ASSERT_EQ(1, in.ReadSection(length));
        if (std::memcmp(tag, S::LevelStr, 9) == 0) {
            DLevelBase r;
            ASSERT_EQ(1, r.Serialize(in));
            EXPECT_TRUE(r == level);
            ++levels;
        } else {
            ASSERT_EQ(1, in.Seek(length, 1));
            ++skipped;
        }
    }
    EXPECT_EQ(1, levels);
    EXPECT_EQ(2, skipped);
    in.Close();
}
