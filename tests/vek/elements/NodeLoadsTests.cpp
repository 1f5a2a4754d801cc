// The LOADS block: restraint masking, zero records, numbers with gaps, the
// wind of windward members and the loads carried to rigid-region masters.
#include <cmath>

#include "tests/vek/elements/NodeTestSupport.h"
#include "tests/vek/model/DataFileText.h"
#include "vek/elements/line/nodes/NodeLibrary.h"
#include "vek/elements/line/nodes/NodeLoads.h"
#include "vek/model/KvdDataSet.h"

namespace vektest {
namespace {

class LoadsBlock : public NodeModelTest {
protected:
    void TearDown() override
    {
        theNodeLoadHooks = CNodeLoadHooks();
        theKvdNodeHooks = CKvdNodeHooks();
        NodeModelTest::TearDown();
    }
    static void Load(int id, int lc, std::initializer_list<double> v)
    {
        double a[6];
        std::copy(v.begin(), v.end(), a);
        N(id).m_Loads.Insert(int16_t(lc), theNodeLoadPool.Append(CSixDoubles(a)));
    }
    static std::string Block(int masters = 0)
    {
        return DataFileText([masters](DKorvaDataFile& f) { WriteLoadsBlock(f, nullptr, nullptr, masters); });
    }
};

TEST_F(LoadsBlock, MaskingZerosGapsAndAWindFace)
{
    Storeys({3});
    theProjectOptions.bWindSwitchB = 0;
    const int a = Node(0, 0, 0), b = Node(4, 0, 0), gone = Node(0, 5, 0), c = Node(0, 5, 0.5);
    const int d = Node(0, 0, 3), e = Node(4, 0, 3);
    UnstoreNode(gone);                // the numbers now have a gap
    N(a).m_cRestraint = 4;            // Uz fixed
    Load(a, 1, {0, 0, 10, 0, 0, 0});  // all of it restrained: no line
    Load(a, 2, {5, 0, 10, 0, 0, 0});
    Load(b, 1, {0, 0, -10, 0, 0, 1.5});
    Load(b, 3, {1e-7, 0, 0, 0, 0, 0});  // zero: no line
    Load(c, 1, {2.5, 0, 0, 0, 0, 0});
    Load(d, 3, {1, 0, 0, 0, 0, 0});
    // A beam d-e of storey 1 faces wind direction 1 (from 90 degrees) with a
    // face of one storey (3 high), coefficient 0.6, pressure 2 everywhere.
    theWindElementPars.push_back(CWindElementPar());
    theNodeLoadHooks.windMembers = [](std::vector<CWindMember>& out) {
        CWindMember m;
        m.storey = 1;
        m.nodeI = 5;
        m.nodeJ = 6;
        m.index[0] = 1;
        m.index[1] = 1;
        out.push_back(m);
    };
    theNodeLoadHooks.windAngle = [](int) { return 90.0; };
    theNodeLoadHooks.windPressure = [](int, const double p[3], double c) {
        EXPECT_DOUBLE_EQ(p[2], 1.5);  // the face's middle: 3 - 3 / 2
        EXPECT_FLOAT_EQ(float(c), 0.6f);
        return 2.0;
    };
    ASSERT_EQ(e, 6);
    // Each end: 2 x 4 x 3 x 0.5 = 12 along +y; node 5 adds its own load of case 3.
    EXPECT_EQ(Block(),
              "\n"
              "LOADS\n"
              "1 L=2 F=5 0 0 0 0 0 \n"
              "2 L=1 F=0 0 -10 0 0 1.5 \n"
              "4 L=1 F=2.5 0 0 0 0 0 \n"
              "5 L=3 F=1 12 0 0 0 0 \n"
              "6 L=3 F=0 12 0 0 0 0 ");
    // The model itself is left as it was.
    EXPECT_EQ(N(e).m_Loads.Entries(), 0);
}

TEST_F(LoadsBlock, NoLoadsNoBlock)
{
    Node(0, 0, 0);
    EXPECT_EQ(Block(), "");
}

TEST_F(LoadsBlock, WindReachesNoMemberAcrossStoreys)
{
    Storeys({3, 3});
    CLoadWork work;
    const int a = Node(0, 0, 3), b = Node(0, 4, 6);
    MakeLoadWork(work, 0);
    theNodeLoadHooks.windPressure = [](int, const double*, double) { return 1.0; };
    std::vector<double> forces(6, 0.0);
    DistributeMemberWindLoad(work, 1, a, b, 3, 0.6, forces);
    EXPECT_EQ(forces, std::vector<double>(6, 0.0));
}

TEST_F(LoadsBlock, WindAtRightAnglesToAMemberFollowsTheWind)
{
    CLoadWork work;
    const int a = Node(0, 0, 0), b = Node(4, 0, 0);
    MakeLoadWork(work, 0);
    theNodeLoadHooks.windPressure = [](int, const double*, double) { return 1.0; };
    theNodeLoadHooks.windAngle = [](int) { return 0.0; };  // along the member
    std::vector<double> forces(6, 0.0);
    DistributeMemberWindLoad(work, 1, a, b, 2, 0.6, forces);
    // D = 90: the force turns to the wind angle + 90, 1 x 4 x 2 x 0.5 = 4 per end.
    EXPECT_NEAR(forces[0], 0, 1e-12);
    EXPECT_NEAR(forces[1], 4, 1e-12);
    EXPECT_NEAR(forces[4], 4, 1e-12);
}

TEST_F(LoadsBlock, SlaveLoadsGoToTheirMasters)
{
    const int master = Node(0, 0, 0), slave = Node(0, 2, 0);
    N(slave).m_nMaster = master;
    Load(slave, 1, {10, 0, 0, 0, 0, 0});
    EXPECT_EQ(Block(),
              "\n"
              "LOADS\n"
              "1 L=1 F=10 0 0 0 0 -20 \n"
              "2 L=1 F=10 0 0 0 0 0 ");
    // A master of its own above the node count, at a noted position.
    N(slave).m_nMaster = 3;
    theNodeLoadHooks.masterPosition = [](int m, double xyz[3]) {
        EXPECT_EQ(m, 3);
        xyz[0] = 1;
        xyz[1] = 2;
        xyz[2] = 0;
        return true;
    };
    EXPECT_EQ(Block(1),
              "\n"
              "LOADS\n"
              "2 L=1 F=10 0 0 0 0 0 \n"
              "3 L=1 F=10 0 0 0 0 0 ");
}

TEST_F(LoadsBlock, LibraryRecordsCarryTheNodesNumbers)
{
    static std::vector<int> numbers;
    static int loads = 0;
    numbers.clear();
    loads = 0;
    theKvdNodeHooks.addNode = [](CKvdDataSet&, const DNodeBase& n) { numbers.push_back(n.m_nID); };
    theKvdNodeHooks.addNodeLoad = [](CKvdDataSet&, const DNodeLoad&) { ++loads; };
    Node(0, 0, 0);
    const int gone = Node(1, 0, 0);
    Node(2, 0, 0);
    UnstoreNode(gone);
    Load(3, 1, {1, 0, 0, 0, 0, 0});
    CKvdDataSet set;
    const int values[2] = {7, 8};
    DataFileText([&](DKorvaDataFile& f) { WriteLoadsBlock(f, &set, values, 0); });
    EXPECT_EQ(numbers, std::vector<int>({1, 3}));
    EXPECT_EQ(loads, 1);
}

TEST_F(LoadsBlock, SumsPerCaseForTheReport)
{
    MArrayID<DNodeLoad> store(0, 16);
    const double f[6] = {1, 2, 3, 4, 5, 6};
    DNodeLoad l(0, f, nullptr);
    l.m_nID = 4;
    store.Add(l);
    DElementLoad table;
    table.Insert(2, 4);
    table.Insert(3, 9);  // no such record
    double out[3 * 6] = {};
    SumLoadsPerCase(table, store, out, 3);
    SumLoadsPerCase(table, store, out, 3);
    EXPECT_EQ(out[6], 2);
    EXPECT_EQ(out[11], 12);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[12], 0);
}

TEST_F(LoadsBlock, LoadLineMasksTheRestraintsOfItsNode)
{
    const int a = Node(0, 0, 0);
    N(a).m_cRestraint = 0x24;
    const double v[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { WriteNodeLoadLine(CSixDoubles(v), f, a); }), "1 2 0 4 5 0 ");
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { WriteNodeLoadLine(CSixDoubles(v), f, 9); }), "1 2 3 4 5 6 ");
}

}  // namespace
}  // namespace vektest
