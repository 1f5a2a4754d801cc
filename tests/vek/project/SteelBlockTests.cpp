// The steel-section block of every accepted version, as the Python layout
// writer lays it out, and the block in a whole project file.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/project/ProjectTestSupport.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/materials/SteelSectBlock.h"
#include "vek/model/materials/TightWire.h"
#include "vek/model/project/ProjectBlocks.h"

namespace vektest {
namespace {

bool LoadBlockFile(const std::string& path)
{
    bifstream in;
    if (!in.Open(path.c_str())) return false;
    const int ok = LoadSteelSectBlock(in);
    // The whole block is taken.
    char extra;
    return ok == 1 && in.Read(&extra, 1) == 0;
}

Bytes SavedBlock()
{
    TempFile file("steel", ".bin");
    bofstream out;
    if (!out.Open(file.c_str()) || !SaveSteelSectBlock(out) || !out.Close()) return {};
    return file.ReadAll();
}

struct SteelBlock : ::testing::Test {
    void SetUp() override { FreshModel(); }
    void TearDown() override
    {
        FreshModel();
        nPrjVersion = kProjectVersion;
    }
};

TEST_F(SteelBlock, EveryAcceptedVersion)
{
    AppHelperLog log;
    int seen = 0;
    for (int v : {372, 400, 460, 470, 480, 490, 500, 520, 600, 610, 650, 660, 670, 671, 680, 685, 690, 700, 705, 706}) {
        const std::string path = Fixture("steel/" + std::to_string(v) + ".bin");
        if (!std::filesystem::exists(path)) continue;
        ++seen;
        SCOPED_TRACE(v);
        nPrjVersion = int16_t(v);
        ASSERT_TRUE(LoadBlockFile(path));
        nPrjVersion = kProjectVersion;
        const int count = v >= 600 ? 3 : 2;
        ASSERT_EQ(theSframeSects.GetSize(), count);
        const CSframeSect& pipe = *theSframeSects.GetAt(0);
        const CSframeSect& beam = *theSframeSects.GetAt(1);
        EXPECT_STREQ(pipe.m_pName, v >= 600 ? "管" : "钢截面1");
        EXPECT_STREQ(beam.m_pName, v >= 600 ? "工字钢" : "钢截面2");
        EXPECT_STREQ(pipe.GetSteelString(), "D159*6");
        EXPECT_EQ(pipe.m_cPattern, 10);
        EXPECT_EQ(beam.m_cPattern, 2);
        EXPECT_EQ(pipe.m_cFlagA, v >= 500 ? 1 : 3);
        EXPECT_EQ(pipe.IsBuiltUp() != 0, v >= 500);
        EXPECT_DOUBLE_EQ(pipe.m_dDim[1], 0.006);
        if (v >= 600) {
            const CSframeSect& user = *theSframeSects.GetAt(2);
            EXPECT_EQ(user.m_cPattern, 0);
            EXPECT_FLOAT_EQ(user.GetUserValue(43), 43.5f);
            EXPECT_EQ(user.GetUserKey(0), 5);
        }
        EXPECT_EQ(theTightWires.GetSize(), v >= 520 ? 1 : 0);
        if (v >= 520) {
            EXPECT_FLOAT_EQ(theTightWires.GetAt(0)->m_fT, 1000);
            EXPECT_TRUE(theTightWireParameter.RemovesCables());
        }
        // Written in the current layout and read back: the same lists; the
        // current file byte for byte.
        const Bytes saved = SavedBlock();
        if (v == 706) {
            EXPECT_EQ(saved, ReadFileBytes(path));
        }
        TempFile again("again", ".bin");
        ASSERT_TRUE(again.WriteAll(saved));
        FreshModel();
        ASSERT_TRUE(LoadBlockFile(again.c_str()));
        EXPECT_EQ(SavedBlock(), saved);
        FreshModel();
    }
    EXPECT_EQ(seen, 20);
    EXPECT_TRUE(log.Messages().empty());
}

// Bound to its slot the block carries the lists through a project file; an
// empty model writes the slot's empty layout.
TEST_F(SteelBlock, ThroughTheProjectFile)
{
    AppHelperLog log;
    const CBlockOwner before = SetProjectBlockOwner(20, {SaveSteelSectBlock, LoadSteelSectBlock});
    const Bytes bound = ModelBytes();
    SetProjectBlockOwner(20, {});
    EXPECT_EQ(ModelBytes(), bound);
    SetProjectBlockOwner(20, {SaveSteelSectBlock, LoadSteelSectBlock});

    CSframeSect s;
    s.SetName("柱钢");
    AddSframeSect(s, 1, 0, 0);
    CTightWire w;
    w.m_fT = 300;
    w.m_fSpan = 6;
    theTightWires.Add(w);
    TempFile project("steel", ".prj");
    ASSERT_EQ(SaveProjectFile(project.c_str()), 1);
    const Bytes written = ModelBytes();
    FreshModel();
    EXPECT_EQ(theSframeSects.GetSize(), 0);
    ASSERT_EQ(LoadProject(project.c_str()), 1);
    ASSERT_EQ(theSframeSects.GetSize(), 1);
    EXPECT_STREQ(theSframeSects.GetAt(0)->m_pName, "柱钢");
    EXPECT_EQ(theTightWires.GetSize(), 1);
    EXPECT_EQ(ModelBytes(), written);
    SetProjectBlockOwner(20, before);
}

}  // namespace
}  // namespace vektest
