// The frames' block at every version gate of its reader, as the Python
// layout writer lays it out: what each version keeps, the current version
// byte for byte, and save-load-save equal from every version.
#include <string>

#include "tests/support/TestFiles.h"
#include "tests/vek/elements/FrameTestSupport.h"
#include "vek/elements/line/frames/FrameBlock.h"
#include "vek/elements/line/frames/FrameLoad.h"

namespace vektest {
namespace {

std::string FramesFixture(const std::string& name)
{
    return std::string(VEK_FIXTURES) + "/frames/" + name + ".bin";
}

using FrameFixture = FrameModelTest;

TEST_F(FrameFixture, EveryVersionGate)
{
    AppHelperLog log;
    for (int v : {470, 480, 500, 520, 600, 610, 650, 660, 700, 706}) {
        SCOPED_TRACE(v);
        const Bytes file = ReadFileBytes(FramesFixture(std::to_string(v)));
        ASSERT_FALSE(file.empty());
        {
            ProjectVersion version(v);
            ASSERT_TRUE(Load(file));
        }
        ASSERT_EQ(theFrames.GetSize(), 3);
        const CFrame &f1 = F(1), &f2 = F(2), &f3 = F(3);
        EXPECT_EQ(f1.m_nNodeJ, 2);
        EXPECT_EQ(f1.GetSectionKind(), 0);
        EXPECT_EQ(f1.m_nSection, 1);
        EXPECT_EQ(f1.m_nMaterial, 1);
        EXPECT_FLOAT_EQ(f1.m_fRigid[1], 0.25f);
        EXPECT_EQ(f1.GetAxisCode(), 2);
        EXPECT_EQ(f1.m_cRelease[0], 100);
        EXPECT_EQ(f1.m_cRelease[3], 100);
        EXPECT_EQ(f1.m_cRelease[1], 0);
        ASSERT_EQ(f1.m_Wires.Entries(), 1);
        EXPECT_FLOAT_EQ(f1.m_Wires[0].fValue2, 6.0f);
        EXPECT_FLOAT_EQ(f1.m_fEcc[3], v >= 520 ? -0.25f : 0.0f);
        EXPECT_EQ(f1.m_nStage, v >= 611 ? -2 : 1);
        EXPECT_EQ(f1.GetOutputSections(), v >= 661 ? 3 : 1);
        // Before 611 the second frame is a steel one: kind by the sign.
        EXPECT_EQ(f2.GetSectionKind(), v >= 611 ? 2 : 1);
        EXPECT_EQ(f2.m_nSection, v >= 611 ? 1 : 5);
        EXPECT_EQ(f2.m_nMaterial, v >= 611 ? 1 : 0);
        EXPECT_EQ(f3.GetSectionKind(), 1);
        EXPECT_EQ(f3.GetAxialType(), v >= 611 ? 1 : 0);
        // The design block is stored from 700 on.
        EXPECT_FLOAT_EQ(f3.m_Steel.head[1], v >= 700 ? 3.0f : 1.0f);
        EXPECT_EQ(f3.m_Steel.refs[0], v >= 700 ? 2 : 0);
        ASSERT_EQ(theFrameSects.GetSize(), 1);
        EXPECT_STREQ(theFrameSects.GetAt(0)->m_pName, v >= 600 ? "梁300" : "截面1");
        EXPECT_FLOAT_EQ(theFrameSects.GetAt(0)->m_fPara[0], 0.6f);  // height first whatever the version
        EXPECT_FLOAT_EQ(theFrameSects.GetAt(0)->m_fPara[1], 0.3f);
        ASSERT_EQ(theVframeSects.GetSize(), v >= 611 ? 1 : 0);
        if (v >= 611) {
            EXPECT_FLOAT_EQ(theVframeSects.GetAt(0)->m_fEnd[0], 0.9f);
        }
        ASSERT_EQ(theFrameLoads.GetSize(), v >= 520 ? 1 : 0);
        EXPECT_EQ(f1.m_Loads.Entries(), v >= 520 ? 1 : 0);
        if (v >= 520) {
            const CFrameLoad& l = *theFrameLoads.GetAt(0);
            EXPECT_FLOAT_EQ(l.m_fPrestress, v > 610 ? 5.0f : 0.0f);
            EXPECT_FLOAT_EQ(l.m_fTemp[0], v > 520 ? 10.0f : 0.0f);
            ASSERT_EQ(l.m_Points[kDistributed][2].Entries(), 2);
            EXPECT_FLOAT_EQ(l.m_Points[kDistributed][2].m_pV[1], -10.0f);
        }
        // The current layout: the 706 file itself; from any version the
        // block read back writes the same bytes.
        const Bytes saved = Block();
        if (v == 706) {
            EXPECT_EQ(saved, file);
        }
        ResetFrames();
        ASSERT_TRUE(Load(saved));
        EXPECT_EQ(Block(), saved);
        ResetFrames();
    }
    EXPECT_TRUE(log.Messages().empty());
}

// Frame loads in the layout before 520 cannot be read: the block is refused
// with the message.
TEST_F(FrameFixture, OldFrameLoadsAreRefused)
{
    AppHelperLog log;
    ProjectVersion version(500);
    EXPECT_FALSE(Load(ReadFileBytes(FramesFixture("500_loads"))));
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_NE(log.Messages()[0].text.find("很旧的格式"), std::string::npos);
}

}  // namespace
}  // namespace vektest
