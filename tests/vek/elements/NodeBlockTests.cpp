// The node block of the project file: hand-worked bytes of the current
// version, the layouts of older versions, damaged blocks; the wind-face block.
#include "tests/support/LeBytes.h"
#include "tests/vek/elements/NodeTestSupport.h"
#include "tests/support/TestFiles.h"
#include "tests/vek/project/ProjectTestSupport.h"
#include "vek/elements/line/nodes/NodeBlock.h"
#include "vek/model/project/ProjectBlocks.h"
#include "vek/model/project/ProjectFile.h"

#include <cstdio>
#include <map>

namespace vektest {
namespace {

class NodeBlock : public NodeModelTest {
protected:
    static CNode& Put(int id, uint32_t flags, double x, double y, double z)
    {
        CNode n;
        n.m_nID = id;
        n.m_nFlags = flags;
        n.m_dCoord[0] = x;
        n.m_dCoord[1] = y;
        n.m_dCoord[2] = z;
        return *StoreNode(n);
    }
    static int Six(CSixDoublesPool& pool, std::initializer_list<double> v)
    {
        double a[6];
        std::copy(v.begin(), v.end(), a);
        return pool.Append(CSixDoubles(a));
    }
    static void SixBytes(LeBytes& b, std::initializer_list<double> v)
    {
        for (double x : v) b.f64(x);
    }

    // Two nodes (a gap in the numbers), loads in two cases, a mass, a
    // grounded and a link spring, a prescribed displacement.
    static void MakeModel()
    {
        CNode& a = Put(1, 0x16, 1, 2, 3);
        a.m_nElements = 2;
        a.m_nMass = 1;
        a.m_cRestraint = 7;
        a.m_Loads.Insert(1, 1);
        a.m_Loads.Insert(3, 2);
        CNode& b = Put(4, 0x17, 0, 0, -2.5);
        b.m_nMaster = 7;
        b.m_nLayer = 2;
        b.m_nTower = 3;
        b.m_dTemperature = 25.5;
        Six(theNodeLoadPool, {0, 0, -10, 0, 0, 0});
        Six(theNodeLoadPool, {5, 0, 0, 0, 0, 1.5});
        Six(theNodeLoadPool, {9, 9, 9, 9, 9, 9});  // referred to by no node: cut
        Six(theNodeMassPool, {2, 2, 2, 0, 0, 0});
        CSpring g;
        g.m_nID = 1;
        g.m_cMode = 1;
        g.m_nNodeI = 1;
        g.m_dK = 100;
        g.m_dDir[2] = 1;
        CSpring l;
        l.m_nID = 2;
        l.m_nStage = -3;
        l.m_nNodeI = 1;
        l.m_nNodeJ = 4;
        l.m_cKind = 1;
        l.m_dK = 2.5;
        theSprings.Add(g);
        theSprings.Add(l);
        CNodeDisplacement d;
        d.m_nNode = 4;
        d.m_values = {0.01, 0.02};
        d.m_fDir[0] = 1;
        theNodeDisplacements.push_back(d);
    }

    static Bytes Golden706()
    {
        LeBytes b;
        b.i32(2);
        b.i8(0x16).i32(1).i32(0).f64(1).f64(2).f64(3).i16(2).i16(-1).i8(0).i16(0).i32(1).i8(1).i8(7).f64(0);
        b.i16(2).i16(1).i32(1).i16(3).i32(2);  // loads: case 1 -> 1, case 3 -> 2
        b.i8(0x17).i32(4).i32(7).f64(0).f64(0).f64(-2.5).i16(0).i16(-1).i8(0).i16(2).i32(0).i8(3).i8(0).f64(25.5);
        b.i16(0);
        b.i32(2);
        SixBytes(b, {0, 0, -10, 0, 0, 0});
        SixBytes(b, {5, 0, 0, 0, 0, 1.5});
        b.i32(1);
        SixBytes(b, {2, 2, 2, 0, 0, 0});
        b.i32(2);
        // grounded: flags, number, mode, stage, I, J, kind, K, direction
        b.i8(0x16).i32(1).i8(1).i16(1).i32(1).i32(0).i8(0).f64(100).f64(0).f64(0).f64(1);
        b.i8(0x16).i32(2).i8(0).i16(-3).i32(1).i32(4).i8(1).f64(2.5).f64(0).f64(0).f64(0);
        b.i32(1).i32(4).i32(1).i32(2).f64(0.01).f64(0.02).f32(1).f32(0).f32(0);
        b.i32(0).i32(1).i32(1).f64(0).f32(0).f32(0).f32(0);  // the current record
        return b;
    }
};

TEST_F(NodeBlock, HandWorkedBytesOfTheCurrentVersion)
{
    MakeModel();
    const Bytes written = WriteBlock([](bofstream& out) { WriteNodeBlock(out); });
    EXPECT_EQ(written, Golden706());

    ResetNodeModel();
    ASSERT_TRUE(ReadBlock(written, [](bifstream& in) { return ReadNodeBlock(in) == 1; }));
    EXPECT_EQ(Ids(), std::vector<int>({1, 4}));
    EXPECT_EQ(N(4).m_nFlags, 0x17u);
    EXPECT_EQ(N(4).m_nMaster, 7);
    EXPECT_EQ(N(1).m_Loads.Entries(), 2);
    EXPECT_EQ(theSprings.GetAt(1)->m_nStage, -3);
    ASSERT_EQ(theNodeDisplacements.size(), 1u);
    EXPECT_EQ(theNodeDisplacements[0].m_values[1], 0.02);
    // Saved again, the same bytes.
    EXPECT_EQ(WriteBlock([](bofstream& out) { WriteNodeBlock(out); }), written);
    const double p[3] = {1, 2, 3};
    EXPECT_EQ(FindNodeAt(p), 1);  // the index follows the store
}

TEST_F(NodeBlock, EveryShortenedBlockFailsTheLoad)
{
    const Bytes golden = Golden706();
    for (size_t n = 0; n < golden.size(); ++n) {
        const Bytes cut(golden.begin(), golden.begin() + long(n));
        EXPECT_FALSE(ReadBlock(cut, [](bifstream& in) { return ReadNodeBlock(in) == 1; })) << n;
    }
}

TEST_F(NodeBlock, CountsBeyondTheBytesLeftAndBadIndicesFail)
{
    const Bytes huge = LeBytes().i32(0x7FFFFFFF).zeros(64);
    EXPECT_FALSE(ReadBlock(huge, [](bifstream& in) { return ReadNodeBlock(in) == 1; }));
    Bytes badPool = Golden706();
    // The second load pool count (at its place after the nodes) one too small:
    // node 1's case 3 then names a record that is not there.
    const size_t at = 4 + (1 + 4 + 4 + 24 + 2 + 2 + 1 + 2 + 4 + 1 + 1 + 8 + 2 + 12) +
                      (1 + 4 + 4 + 24 + 2 + 2 + 1 + 2 + 4 + 1 + 1 + 8 + 2);
    ASSERT_EQ(badPool[at], 2);
    badPool[at] = 1;
    badPool.erase(badPool.begin() + long(at + 4 + 48), badPool.begin() + long(at + 4 + 96));
    EXPECT_FALSE(ReadBlock(badPool, [](bifstream& in) { return ReadNodeBlock(in) == 1; }));
    const Bytes negativeSprings = LeBytes().i32(0).i32(0).i32(0).i32(-1);
    EXPECT_FALSE(ReadBlock(negativeSprings, [](bifstream& in) { return ReadNodeBlock(in) == 1; }));
}

// One node of an old layout: number 5 at (1, 2, 3), 3 elements, storey 0,
// layer 1 (from 460), mass 1, restraints 0x21, temperature 12 (from 460).
void OldNode(LeBytes& b, int v)
{
    if (v >= 700) b.i8(0x12);
    b.i32(5).i32(0).f64(1).f64(2).f64(3);
    if (v <= 600) b.skip(2);
    b.i16(3).i16(0);
    if (v > 610) b.i8(1);
    if (v >= 460) b.i16(1);
    if (v >= 600)
        b.i32(1).i8(2);
    else
        b.i16(1).skip(2);
    b.i8(0x21);
    if (v >= 460) b.f64(12);
    if (v >= 600) b.i16(1).i16(2).i32(1);
}

Bytes OldBlock(int v)
{
    LeBytes b;
    b.i32(1);
    OldNode(b, v);
    b.i32(1);
    for (double x : {1.0, 2.0, 3.0, 0.0, 0.0, 0.0}) b.f64(x);
    if (v < 600) {
        // The old node-load list: node 5 case 2 -> record 1, then an entry of no node.
        b.i32(2);
        if (v >= 490)
            b.i32(5).i16(2).i32(1).i32(0);
        else
            b.i16(5).i16(2).i16(1).i16(0);
    }
    b.i32(1);
    for (double x : {4.0, 4.0, 4.0, 0.0, 0.0, 0.0}) b.f64(x);
    b.i32(2);  // two springs
    for (int s = 0; s < 2; ++s) {
        if (v < 600) {
            b.skip(48);
            continue;
        }
        if (v >= 700) b.i8(0x16);
        if (v > 610) b.i32(10 + s).i8(2).i16(4);
        b.i32(5).i32(0).i8(0).f64(50 + s).f64(0).f64(0).f64(1);
    }
    if (v >= 600) b.i32(0).i32(0).i32(1).i32(1).f64(0).f32(0).f32(0).f32(0);
    return b;
}

TEST_F(NodeBlock, OlderVersions)
{
    for (int v : {460, 490, 590, 605, 611, 700}) {
        SCOPED_TRACE(v);
        ResetNodeModel();
        ProjectVersion version(v);
        AppHelperLog log;
        const Bytes bytes = OldBlock(v);
        long rest = -1;
        ASSERT_TRUE(ReadBlock(
            bytes, [](bifstream& in) { return ReadNodeBlock(in) == 1; }, &rest));
        EXPECT_EQ(rest, 0);
        ASSERT_EQ(Ids(), std::vector<int>({5}));
        const CNode& n = N(5);
        EXPECT_EQ(n.m_nElements, 3);
        EXPECT_EQ(n.m_nMass, 1);
        EXPECT_EQ(n.m_cRestraint, 0x21);
        EXPECT_EQ(n.m_nLayer, 1);
        EXPECT_EQ(n.m_dTemperature, 12);
        EXPECT_EQ(n.m_nTower, v >= 600 ? 2 : 1);
        EXPECT_EQ(n.m_bOnStorey, v > 610 ? 1 : 0);
        EXPECT_EQ(n.m_nFlags, v >= 700 ? 0x12u : 0x16u);
        ASSERT_EQ(n.m_Loads.Entries(), 1);
        EXPECT_EQ(n.m_Loads[0].nKey, 2);
        EXPECT_EQ(theNodeLoadPool.GetSize(), 1);
        EXPECT_EQ(theNodeMassPool.GetSize(), 1);
        if (v < 600) {
            EXPECT_EQ(theSprings.GetSize(), 0);
            ASSERT_EQ(log.Messages().size(), 1u);
            EXPECT_EQ(log.Messages()[0].text, "由于兼容性原因，无法读取旧版本的弹簧信息，您需要重新施加弹簧数据！");
        } else {
            ASSERT_EQ(theSprings.GetSize(), 2);
            // Up to 610 the springs are numbered by their place in the file.
            EXPECT_EQ(theSprings.GetAt(0)->m_nID, v > 610 ? 10 : 1);
            EXPECT_EQ(theSprings.GetAt(1)->m_nID, v > 610 ? 11 : 2);
            EXPECT_EQ(theSprings.GetAt(0)->m_cMode, v > 610 ? 2 : 0);
            EXPECT_EQ(theSprings.GetAt(0)->m_nStage, v > 610 ? 4 : 1);
            EXPECT_TRUE(log.Messages().empty());
        }
    }
}

TEST_F(NodeBlock, OldBlocksBeforeLayersKeepLayerZero)
{
    ProjectVersion version(400);
    LeBytes b;
    b.i32(1);
    OldNode(b, 400);
    b.i32(0).i32(0);                                     // the load pool, the old load list
    b.i32(1).f64(1).f64(1).f64(1).f64(0).f64(0).f64(0);  // the mass pool
    b.i32(0);                                            // springs
    ASSERT_TRUE(ReadBlock(b, [](bifstream& in) { return ReadNodeBlock(in) == 1; }));
    EXPECT_EQ(N(5).m_nLayer, 0);
    EXPECT_EQ(N(5).m_dTemperature, 0);
}

TEST_F(NodeBlock, WindFaceBlock)
{
    CWindElementPar a;
    a.m_nDownStoreys = 2;
    a.m_fCoefficient = -0.5f;
    theWindElementPars = {a, CWindElementPar()};
    theWindElementDefault.m_nDownStoreys = 3;
    const Bytes bytes = WriteBlock([](bofstream& out) { WriteWindParameters(out); });
    EXPECT_EQ(bytes, Bytes(LeBytes().i32(2).i8(2).f32(-0.5f).i8(1).f32(0.6f).i8(3).f32(0.6f)));
    theWindElementPars.clear();
    theWindElementDefault = CWindElementPar();
    ASSERT_TRUE(ReadBlock(bytes, [](bifstream& in) { return ReadWindParameters(in) == 1; }));
    ASSERT_EQ(theWindElementPars.size(), 2u);
    EXPECT_EQ(theWindElementPars[0].m_fCoefficient, -0.5f);
    EXPECT_EQ(theWindElementDefault.m_nDownStoreys, 3);
    // Damaged: the list stays as it was.
    const Bytes cut(bytes.begin(), bytes.end() - 1);
    EXPECT_FALSE(ReadBlock(cut, [](bifstream& in) { return ReadWindParameters(in) == 1; }));
    EXPECT_EQ(theWindElementPars.size(), 2u);
    // Files before 520 have no such block.
    ProjectVersion old(500);
    long rest = -1;
    EXPECT_TRUE(ReadBlock(
        bytes, [](bifstream& in) { return ReadWindParameters(in) == 1; }, &rest));
    EXPECT_EQ(rest, long(bytes.size()));
}

TEST_F(NodeBlock, FaceSpanDownTheStoreys)
{
    Storeys({3, 4, 5});
    CWindElementPar p;
    p.m_nDownStoreys = 2;
    double h = 0, c = 0;
    EXPECT_TRUE(p.GetFaceSpan(3, h, c));
    EXPECT_DOUBLE_EQ(h, 9);  // 12 - 3
    EXPECT_FLOAT_EQ(float(c), 0.6f);
    EXPECT_TRUE(p.GetFaceSpan(1, h, c));  // clamped at the base
    EXPECT_DOUBLE_EQ(h, 3);
    EXPECT_FALSE(p.GetFaceSpan(0, h, c));
    EXPECT_FALSE(p.GetFaceSpan(-1, h, c));
    p.m_fCoefficient = 0.0005f;
    EXPECT_FALSE(p.GetFaceSpan(2, h, c));
}

std::string Six(const CSixDoublesPool& pool)
{
    std::string out;
    for (int i = 1; i <= pool.GetSize(); ++i) {
        if (i > 1) out += ";";
        for (int k = 0; k < 6; ++k) out += (k ? "," : "") + Fmt((*pool.Get(i))[k]);
    }
    return out;
}

// The node model as the fixtures' expectation files describe it.
std::map<std::string, std::string> DescribeNodeModel()
{
    std::map<std::string, std::string> e;
    std::string nodes;
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        const CNode& n = *theNodes.GetAt(i);
        if (i) nodes += ";";
        nodes += std::to_string(n.m_nID);
        for (double c : n.m_dCoord) nodes += "," + Fmt(c);
        for (int f : {int(n.m_nElements), int(n.m_nStorey), int(n.m_bOnStorey), int(n.m_nLayer), int(n.m_nMass),
                      int(n.m_nTower), int(n.m_cRestraint)})
            nodes += "," + std::to_string(f);
        nodes += "," + Fmt(n.m_dTemperature);
        std::string loads;
        for (int k = 0; k < n.m_Loads.Entries(); ++k)
            loads += (k ? "," : "") + std::to_string(n.m_Loads[k].nKey) + ":" + std::to_string(n.m_Loads[k].nValue);
        e["loads" + std::to_string(n.m_nID)] = loads;
    }
    e["nodes"] = nodes;
    e["loadpool"] = Six(theNodeLoadPool);
    e["masspool"] = Six(theNodeMassPool);
    std::string springs;
    for (int i = 0; i < theSprings.GetSize(); ++i) {
        const CSpring& s = *theSprings.GetAt(i);
        if (i) springs += ";";
        for (int f : {int(s.m_nID), int(s.m_cMode), int(s.m_nStage), int(s.m_nNodeI), int(s.m_nNodeJ), int(s.m_cKind)})
            springs += std::to_string(f) + ",";
        springs += Fmt(s.m_dK);
        for (double d : s.m_dDir) springs += "," + Fmt(d);
    }
    e["springs"] = springs;
    std::string disps;
    for (const CNodeDisplacement& d : theNodeDisplacements) {
        if (!disps.empty()) disps += ";";
        disps += std::to_string(d.m_nNode) + "," + std::to_string(d.m_nKind) + ",";
        for (size_t k = 0; k < d.m_values.size(); ++k) disps += (k ? "/" : "") + Fmt(d.m_values[k]);
        for (float f : d.m_fDir) disps += "," + Fmt(f);
    }
    e["displacements"] = disps;
    return e;
}

// The node blocks that the Python description of the layouts writes, one
// per layout: the model read is the one the description expects, and what
// the model then writes reads back to the same bytes.
TEST_F(NodeBlock, FixturesOfTheLayoutsReadAsTheirDescriptionSays)
{
    for (int v : {400, 460, 490, 590, 605, 611, 700, 706}) {
        SCOPED_TRACE(v);
        ResetNodeModel();
        AppHelperLog log;
        const std::string name = "nodeblock" + std::to_string(v);
        const Bytes bytes = ReadFileBytes(Fixture(name + ".bin"));
        ASSERT_FALSE(bytes.empty());
        {
            ProjectVersion version(v);
            long rest = -1;
            ASSERT_TRUE(ReadBlock(
                bytes, [](bifstream& in) { return ReadNodeBlock(in) == 1; }, &rest));
            EXPECT_EQ(rest, 0);
        }
        std::map<std::string, std::string> expected = ReadExpectations(Fixture(name + ".expect"));
        const std::string message = expected["message"];
        expected.erase("message");
        EXPECT_EQ(DescribeNodeModel(), expected);
        if (message.empty()) {
            EXPECT_TRUE(log.Messages().empty());
        } else {
            ASSERT_EQ(log.Messages().size(), 1u);
            EXPECT_EQ(log.Messages()[0].text, message);
        }

        const Bytes saved = WriteBlock([](bofstream& out) { WriteNodeBlock(out); });
        if (v == kProjectVersion) {
            EXPECT_EQ(saved, bytes);
        }
        ResetNodeModel();
        ASSERT_TRUE(ReadBlock(saved, [](bifstream& in) { return ReadNodeBlock(in) == 1; }));
        EXPECT_EQ(WriteBlock([](bofstream& out) { WriteNodeBlock(out); }), saved);
    }
}

// A whole project with nodes and wind faces loads with both, and what it
// saves loads again to the same nodes.
TEST_F(NodeBlock, AProjectWithNodesAndWindFacesLoadsAndSavesThem)
{
    ASSERT_EQ(LoadProject(Fixture("nodes706.prj").c_str()), 1);
    EXPECT_EQ(Ids(), std::vector<int>({1, 2, 4}));
    EXPECT_EQ(theSprings.GetSize(), 2);
    ASSERT_EQ(theWindElementPars.size(), 2u);
    EXPECT_EQ(theWindElementPars[0].m_nDownStoreys, 2);
    EXPECT_EQ(theWindElementPars[1].m_fCoefficient, -0.5f);
    EXPECT_EQ(theWindElementDefault.m_nDownStoreys, 3);
    EXPECT_EQ(theWindElementDefault.m_fCoefficient, 1.3f);
    const Bytes first = WriteBlock([](bofstream& out) { WriteNodeBlock(out); });
    TempFile saved("nodes", ".prj");
    ASSERT_EQ(SaveProjectFile(saved.c_str()), 1);
    ResetNodeModel();
    ASSERT_EQ(LoadProject(saved.c_str()), 1);
    EXPECT_EQ(WriteBlock([](bofstream& out) { WriteNodeBlock(out); }), first);
    EXPECT_EQ(theWindElementPars.size(), 2u);
    // A new model empties the faces with the nodes.
    ClearNodeFamily();
    EXPECT_TRUE(theWindElementPars.empty());
    EXPECT_EQ(theWindElementDefault.m_nDownStoreys, 1);
}

// The project file holds the nodes and the wind faces: they come back from a
// saved project, and an empty model writes the layout the project file
// writes without their owner.
TEST_F(NodeBlock, TheProjectFileKeepsTheNodes)
{
    for (int block : {7, 25}) {
        SCOPED_TRACE(block);
        ASSERT_TRUE(ProjectBlock(block).owner.IsBound());
        const Bytes bound = WriteBlock([&](bofstream& out) { WriteProjectBlock(ProjectBlock(block), out); });
        const CBlockOwner owner = SetProjectBlockOwner(block, {});
        const Bytes empty = WriteBlock([&](bofstream& out) { WriteProjectBlock(ProjectBlock(block), out); });
        SetProjectBlockOwner(block, owner);
        EXPECT_EQ(bound, empty);
    }

    MakeModel();
    const Bytes written = WriteBlock([](bofstream& out) { WriteNodeBlock(out); });
    TempFile project("nodes", ".prj");
    ASSERT_EQ(SaveProjectFile(project.c_str()), 1);
    ResetNodeModel();
    ASSERT_EQ(LoadProject(project.c_str()), 1);
    EXPECT_EQ(Ids(), std::vector<int>({1, 4}));
    EXPECT_EQ(WriteBlock([](bofstream& out) { WriteNodeBlock(out); }), written);
}

}  // namespace
}  // namespace vektest
