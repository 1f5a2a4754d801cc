// Beams against the storey floors: beam tops put level with the floor by
// their eccentricities (undone and redone), and the wind-face data cleared
// from elements that cannot face the wind, the unused records removed.
#include <vector>

#include "tests/vek/elements/FrameTestSupport.h"
#include "vek/elements/line/frames/FrameStoreyChecks.h"

namespace vektest {
namespace {

class FrameStoreyCheckTest : public FrameModelTest {
protected:
    void SetUp() override
    {
        FrameModelTest::SetUp();
        Storeys({3.0, 3.0});
    }
    void TearDown() override
    {
        theWindwardWalls = nullptr;
        FrameModelTest::TearDown();
    }
    static int Between(double x0, double y0, double z0, double x1, double y1, double z1)
    {
        return Frame(Node(x0, y0, z0), Node(x1, y1, z1));
    }
};

// A 0.3 x 0.6 rectangle has its top and its bottom 0.3 from the axis: a
// beam whose 2-axis points up moves down by 0.3, one pointing down by +0.3.
TEST_F(FrameStoreyCheckTest, BeamTopsLevelWithTheFloor)
{
    CFrameSect rect;
    rect.m_cKind = 1;
    rect.m_fPara[0] = 0.6f, rect.m_fPara[1] = 0.3f;
    theFrameSects.Add(rect);
    CSframeSect steel;
    theSframeSects.Add(steel);

    const int up = Between(0, 0, 3, 4, 0, 3), down = Between(0, 2, 3, 4, 2, 3);
    const int between = Between(0, 4, 1.5, 4, 4, 1.5), column = Between(6, 0, 0, 6, 0, 3);
    const int steelBeam = Between(0, 6, 6, 4, 6, 6), bare = Between(0, 8, 6, 4, 8, 6);
    const int hidden = Between(0, 10, 6, 4, 10, 6);
    for (int id : {up, down, between, column, hidden}) F(id).SetSection(1, kOrdinarySect);
    F(steelBeam).SetSection(1, kSteelSect);
    for (double& r : F(down).m_dRef) r = -r;
    // As the drawing pass marks them: all shown but one.
    for (int i = 0; i < theFrames.GetSize(); ++i) theFrames.GetAt(i)->m_nFlags |= kObjStateShown;
    F(hidden).m_nFlags &= ~kObjStateMask;
    theUndo.Clear();
    const Bytes before = Block();

    AppHelperLog log;
    EXPECT_EQ(SetBeamTopEccentricity(1), 2);
    EXPECT_FLOAT_EQ(F(up).m_fEcc[0], -0.3f);
    EXPECT_FLOAT_EQ(F(up).m_fEcc[2], -0.3f);
    EXPECT_FLOAT_EQ(F(down).m_fEcc[0], 0.3f);
    EXPECT_FLOAT_EQ(F(down).m_fEcc[2], 0.3f);
    EXPECT_EQ(F(up).m_fEcc[1], 0.0f);
    for (int id : {between, column, steelBeam, bare, hidden}) EXPECT_EQ(F(id).m_fEcc[0], 0.0f) << id;
    EXPECT_EQ(log.LastModified(), 1);
    // Every beam, shown or not; those already level are left alone.
    EXPECT_EQ(SetBeamTopEccentricity(0), 1);
    EXPECT_FLOAT_EQ(F(hidden).m_fEcc[2], -0.3f);
    const Bytes after = Block();

    theUndo.Undo();
    theUndo.Undo();
    EXPECT_EQ(Block(), before);
    theUndo.Redo();
    theUndo.Redo();
    EXPECT_EQ(Block(), after);
}

TEST_F(FrameStoreyCheckTest, WindFacesOnlyOnFloorBeamsAndUsedRecordsKept)
{
    for (uint8_t k = 1; k <= 5; ++k) {
        CWindElementPar p;
        p.m_nDownStoreys = k;
        theWindElementPars.push_back(p);
    }
    const int beam = Between(0, 0, 3, 4, 0, 3), roof = Between(0, 2, 6, 4, 2, 6);
    const int column = Between(6, 0, 3, 6, 0, 6), ground = Between(0, 4, 0, 4, 4, 0);
    F(beam).m_nWind[0] = 4, F(beam).m_nWind[1] = 7;  // 7 is past the list
    F(roof).m_nWind[1] = 2;
    F(column).m_nWind[0] = 1;
    F(ground).m_nWind[0] = 5;
    // One wall on the upper floor keeps record 5; one below the floors loses record 3.
    struct Wall {
        int number, node;
        int16_t wind[2];
    };
    std::vector<Wall> walls = {{1, Node(9, 9, 6), {5, 0}}, {2, Node(9, 9, 1), {3, 3}}};
    theWindwardWalls = [&walls](const WindwardWallVisit& visit) {
        for (Wall& w : walls) visit(w.number, w.node, w.wind);
    };

    AppHelperLog log;
    EXPECT_EQ(CheckWindwardElements(), 2);
    std::vector<std::string> said;
    for (const auto& m : log.Messages()) said.push_back(m.text);
    const std::string c = std::to_string(column), g = std::to_string(ground);
    EXPECT_EQ(said,
              (std::vector<std::string>{c + "号单元不是正好处在某楼层上的梁单元, 不能作为迎风单元, 相关数据将被清除!",
                                        g + "号单元不是正好处在某楼层上的梁单元, 不能作为迎风单元, 相关数据将被清除!",
                                        "2号单元不是正好处在某层上的墙单元, 不能作为迎风单元, 相关数据将被清除!"}));
    // Records 2, 4 and 5 stay, as 1, 2 and 3.
    ASSERT_EQ(theWindElementPars.size(), 3u);
    EXPECT_EQ(theWindElementPars[0].m_nDownStoreys, 2);
    EXPECT_EQ(theWindElementPars[2].m_nDownStoreys, 5);
    EXPECT_EQ(F(beam).m_nWind[0], 2);
    EXPECT_EQ(F(beam).m_nWind[1], 0);
    EXPECT_EQ(F(roof).m_nWind[1], 1);
    EXPECT_EQ(F(column).m_nWind[0], 0);
    EXPECT_EQ(F(ground).m_nWind[0], 0);
    EXPECT_EQ(walls[0].wind[0], 3);
    EXPECT_EQ(walls[1].wind[0], 0);
    EXPECT_EQ(walls[1].wind[1], 0);

    // All in order: nothing to say or remove.
    EXPECT_EQ(CheckWindwardElements(), 0);
    EXPECT_EQ(log.Messages().size(), 3u);
}

}  // namespace
}  // namespace vektest
