// The result set: opening, conversion of node results and the node queries,
// checked against values the generator chose per node.
#include <cmath>
#include <cstring>
#include <vector>

#include "ResultFixture.h"
#include "containers/MArray.h"
#include "korvalib/model/AnalysisRecords.h"
#include "korvalib/base/biostream.h"

using krtest::ExpectRows;
using resgen::Row6;

namespace {

using Rows = std::vector<double[6]>;

class ResultNodes : public krtest::ResultSet {};

TEST_F(ResultNodes, OpensAndTakesCountsFromTheSystemFile)
{
    Write();
    DResult r;
    EXPECT_FALSE(r.Good());
    EXPECT_TRUE(!r);
    ASSERT_EQ(Open(r), 1);
    EXPECT_TRUE(r.Good());
    EXPECT_NE(static_cast<void*>(r), nullptr);
    EXPECT_EQ(r.m_nNode, 16);
    EXPECT_EQ(r.m_nResultNode, 9);  // from the system file, below N
    EXPECT_EQ(r.m_nEquation, model.neq);
    EXPECT_EQ(r.m_nLoadCase, 3);
    EXPECT_EQ(r.m_nLoadComb, 2);
    EXPECT_EQ(r.m_nForceComb, 3);
    EXPECT_EQ(r.m_nMode, 4);
    EXPECT_EQ(r.m_nSpecDir, 2);
    EXPECT_EQ(r.m_nSpecMode, 3);
    EXPECT_EQ(r.m_nConstr, 2);
    EXPECT_EQ(r.m_nBuckle, 6);    // twice the sets, STA present
    EXPECT_EQ(r.m_nTimeStep, 3);  // DYN not older than STP: the first analysis
    EXPECT_EQ(r.m_nHistKind, 4);  // kind 3 is kept as 4

    char name[260];
    r.GetFileName(name, "NDIS");
    EXPECT_EQ(std::string(name), Base() + ".NDIS");
    r.GetFileName(name);
    EXPECT_EQ(std::string(name), Base());

    DResult copy(r);
    EXPECT_EQ(copy.m_nResultNode, 9);
    r.GetFileName(name, "X");
    char other[260];
    copy.GetFileName(other, "X");
    EXPECT_STREQ(name, other);
}

TEST_F(ResultNodes, SecondAnalysisTakenWhenDynIsOlder)
{
    Write();
    resgen::SetTime(Path("DYN"), -80);
    DResult r;
    ASSERT_EQ(Open(r), 1);
    EXPECT_EQ(r.m_nTimeStep, 5);
    EXPECT_EQ(r.m_nHistKind, 2);
}

TEST_F(ResultNodes, DisplacementsOfCasesAndCombinations)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    for (int k = 1; k <= 3; ++k) {
        ASSERT_EQ(r.GetOneCondDisp(k, out.data()), 1);
        ExpectRows(model.Expect(model.dis[k - 1], 9), out.data(), 9, "case");
    }
    for (int k = 1; k <= 2; ++k) {
        ASSERT_EQ(r.GetOneCombDisp(k, out.data()), 1);
        ExpectRows(model.Expect(model.dis[3 + k - 1], 9), out.data(), 9, "combination");
    }
    // the rigid-floor slave 4 moves with master 6 though its own ux, uy, rz
    // have no equation
    ASSERT_EQ(r.GetOneCondDisp(2, out.data()), 1);
    const Row6& m = model.dis[1][5];
    EXPECT_DOUBLE_EQ(out[3][5], m[5]);
    EXPECT_DOUBLE_EQ(out[3][0], m[0] - m[5] * (0 - 2));
    EXPECT_DOUBLE_EQ(out[3][1], m[1] + m[5] * (4 - 2));
    EXPECT_NE(out[3][0], 0.0);
    // dofs without an equation (0 or negative) are 0
    EXPECT_EQ(out[0][0], 0.0);
    EXPECT_EQ(out[8][2], 0.0);
    EXPECT_EQ(out[1][4], 0.0);
    // coupled dofs share a value
    EXPECT_EQ(out[6][2], out[7][2]);

    Rows node(3);
    for (int j = 1; j <= 9; ++j) {
        ASSERT_EQ(r.GetOneNodeAllCondDisp(j, node.data()), 1);
        for (int k = 0; k < 3; ++k)
            for (int c = 0; c < 6; ++c) ASSERT_DOUBLE_EQ(node[k][c], model.dis[k][j - 1][c]);
        ASSERT_EQ(r.GetOneNodeAllCombDisp(j, node.data()), 1);
        for (int k = 0; k < 2; ++k)
            for (int c = 0; c < 6; ++c) ASSERT_DOUBLE_EQ(node[k][c], model.dis[3 + k][j - 1][c]);
    }
    struct Bad {
        int k;
    } bad[] = {{0}, {4}, {-1}};
    for (Bad b : bad) EXPECT_EQ(r.GetOneCondDisp(b.k, out.data()), 0) << b.k;
    EXPECT_EQ(r.GetOneCombDisp(3, out.data()), 0);
    EXPECT_EQ(r.GetOneNodeAllCondDisp(0, node.data()), 0);
    EXPECT_EQ(r.GetOneNodeAllCondDisp(10, node.data()), 0);  // above n
}

TEST_F(ResultNodes, ModesAndPeriods)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    double period = -1;
    for (int k = 1; k <= 4; ++k) {
        ASSERT_EQ(r.GetEigenDisp(k, out.data(), period), 1);
        ExpectRows(model.Expect(model.vec[k - 1], 9), out.data(), 9, "mode");
        EXPECT_NEAR(period, model.ExpectPeriod(k - 1), 1e-12);
    }
    double periods[4];
    ASSERT_EQ(r.GetEigenPeriod(periods), 1);
    // eigenvalues (2 pi / 0.5)^2, 0, -4, (2 pi / 0.2)^2
    EXPECT_NEAR(periods[0], 0.5, 1e-12);
    EXPECT_EQ(periods[1], 0.0);  // rigid-body modes: no infinity, no NaN
    EXPECT_EQ(periods[2], 0.0);
    EXPECT_NEAR(periods[3], 0.2, 1e-12);
    EXPECT_EQ(r.GetEigenDisp(5, out.data(), period), 0);
}

TEST_F(ResultNodes, TimeStepsDirectionsBucklingAndStages)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    double t = 0;
    for (int k = 1; k <= 3; ++k) {
        ASSERT_EQ(r.GetOneHistResDisp(k, out.data(), t), 1);
        ExpectRows(model.Expect(model.res[k - 1], 9), out.data(), 9, "displacement step");
        EXPECT_DOUBLE_EQ(t, model.resTime[k - 1]);
        ASSERT_EQ(r.GetOneHistResVel(k, out.data(), t), 1);
        ExpectRows(model.Expect(model.vel[k - 1], 9), out.data(), 9, "velocity step");
        EXPECT_DOUBLE_EQ(t, model.velTime[k - 1]);
        ASSERT_EQ(r.GetOneHistResAcc(k, out.data(), t), 1);
        ExpectRows(model.Expect(model.acc[k - 1], 9), out.data(), 9, "acceleration step");
        EXPECT_DOUBLE_EQ(t, model.accTime[k - 1]);
    }
    EXPECT_EQ(r.GetOneHistResDisp(4, out.data(), t), 0);
    Rows node(6);
    double times[6];
    ASSERT_EQ(r.GetOneNodeAllHistResAcc(5, node.data(), times), 1);
    for (int k = 0; k < 3; ++k) {
        EXPECT_DOUBLE_EQ(times[k], model.accTime[k]);
        for (int c = 0; c < 6; ++c) EXPECT_DOUBLE_EQ(node[k][c], model.acc[k][4][c]);
    }
    ASSERT_EQ(r.GetOneNodeAllHistResDisp(9, node.data(), times), 1);
    EXPECT_DOUBLE_EQ(times[2], model.resTime[2]);
    ASSERT_EQ(r.GetOneNodeAllHistResVel(2, node.data(), times), 1);
    EXPECT_DOUBLE_EQ(node[1][0], model.vel[1][1][0]);

    for (int k = 1; k <= 2; ++k) {
        ASSERT_EQ(r.GetOneSpecDirDisp(k, out.data()), 1);
        ExpectRows(model.Expect(model.equ[k - 1], 9), out.data(), 9, "direction");
        ASSERT_EQ(r.GetOneConstrDisp(k, out.data()), 1);
        ExpectRows(model.Expect(model.acd[k - 1], 9), out.data(), 9, "stage");
    }
    EXPECT_EQ(r.GetOneSpecDirDisp(3, out.data()), 0);
    EXPECT_EQ(r.GetOneConstrDisp(0, out.data()), 0);
    ASSERT_EQ(r.GetOneNodeAllSpecDirDisp(6, node.data()), 1);
    EXPECT_DOUBLE_EQ(node[1][5], model.equ[1][5][5]);
    ASSERT_EQ(r.GetOneNodeAllConstrDisp(7, node.data()), 1);
    EXPECT_DOUBLE_EQ(node[0][2], model.acd[0][6][2]);

    double f = 0;
    for (int k = 1; k <= 6; ++k) {
        ASSERT_EQ(r.GetOneBuckleDisp(k, out.data(), f), 1);
        ExpectRows(model.Expect(model.sta[k - 1], 9), out.data(), 9, "buckling");
        EXPECT_DOUBLE_EQ(f, model.staFactor[k - 1]);
    }
    double factors[6];
    ASSERT_EQ(r.GetBuckleFactor(factors), 1);
    for (int k = 0; k < 6; ++k) EXPECT_DOUBLE_EQ(factors[k], model.staFactor[k]);
}

TEST_F(ResultNodes, MassesWithWallAndRigidFloorRules)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    ASSERT_EQ(r.GetAllNodeMass(out.data()), 1);
    ExpectRows(model.ExpectMass(9), out.data(), 9, "mass");
    // Worked by hand for ux (t: the masses drawn per node; auxiliary nodes
    // 10 to 16). Wall 1 (1, 2, 3, 4): node 1 has no mass, so node 2 takes
    // all of 10 and 11 on edge 1-2; on edge 4-3 the slave 4 has no ux mass,
    // so node 3 takes 12. Wall 2 (8, 4, 7, 2): on edge 8-4 node 8 takes 13;
    // on edge 2-7 node 15 is shared by node 2's and 7's masses. Wall 3
    // (1, 9, 3, 5): on edge 9-5 neither corner has ux mass: half of 14 each.
    // Wall 4 (9, 7, 5, 8): on edge 9-7 node 16 is shared by 9's and 7's.
    auto t = [&](int node) { return model.massTruth[node - 1][0]; };
    const double m2 = t(2) + t(10) + t(11);
    const double m2b = m2 + t(15) * m2 / (m2 + t(7));
    const double m7 = t(7) + t(15) * t(7) / (m2 + t(7));
    const double m9 = t(14) / 2;
    EXPECT_NEAR(out[1][0], m2b, 1e-12);
    EXPECT_NEAR(out[2][0], t(3) + t(12), 1e-12);
    EXPECT_NEAR(out[7][0], t(8) + t(13), 1e-12);
    EXPECT_NEAR(out[6][0], m7 + t(16) * m7 / (m9 + m7), 1e-12);
    EXPECT_NEAR(out[8][0], m9 + t(16) * m9 / (m9 + m7), 1e-12);
    EXPECT_NEAR(out[4][0], t(14) / 2, 1e-12);  // a slave with ux mass keeps it
    EXPECT_EQ(out[0][0], 0.0);
    // the slave 4 has no ux mass and takes its uz mass: its own, a share of
    // 12 on edge 4-3 with node 3, and all of 13 on edge 8-4, whose node 8
    // has no uz mass (its equation is node 7's)
    auto tz = [&](int node) { return model.massTruth[node - 1][2]; };
    const double m4z = tz(4) + tz(12) * tz(4) / (tz(4) + tz(3)) + tz(13);
    EXPECT_NEAR(out[3][0], m4z, 1e-12);
    EXPECT_NEAR(out[3][2], m4z, 1e-12);
    // the shared equation gives its mass to node 7 only
    EXPECT_GT(out[6][2], 0.0);
    EXPECT_EQ(out[7][2], 0.0);
    // the masses of all nodes are kept: the auxiliary nodes' went to corners
    double total = 0, want = 0;
    for (int j = 0; j < 9; ++j) total += out[j][3];
    std::vector<double> vecMass = model.MassVector();
    for (int j = 0; j < 16; ++j)
        if (model.eq[j][3] >= 1) want += vecMass[model.eq[j][3] - 1];
    EXPECT_NEAR(total, want, 1e-9);
}

TEST_F(ResultNodes, ForcesAboveNodesTakeTheAuxiliaryNodesForces)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    for (int k = 1; k <= 3; ++k) {
        ASSERT_EQ(r.GetAllNodeAboveForce(k, out.data()), 1);
        ExpectRows(model.ExpectAboveForce(k - 1, 9), out.data(), 9, "force above");
    }
    // Worked by hand for wall 1 (corners 1 and 2 along x, lower edge a-b):
    // auxiliary node 10 at (2,0,0) and 11 at (1,0,0); t = 0.5 and 0.25.
    const auto& f = model.fsj[0];
    double fx1 = f[0][0] + 0.5 * f[9][0] + 0.25 * f[10][0];
    // corner 2 also takes half of node 15's force from wall 2 (edge 7-2),
    // with no moment about y since node 15 lies on x = 4, z = 0 like it
    double fz2 = f[1][2] + 0.5 * f[9][2] + 0.75 * f[10][2] + 0.5 * f[14][2];
    // corner 1 at the origin: rz += (xk - 0) * fy; corner 2 at x = 4
    double rz1 = f[0][5] + 0.5 * f[9][5] + 0.25 * f[10][5] + 2 * 0.5 * f[9][1] + 1 * 0.25 * f[10][1];
    double ry2 = f[1][4] + 0.5 * f[9][4] + 0.75 * f[10][4] + (4 - 2) * 0.5 * f[9][2] + (4 - 1) * 0.75 * f[10][2] +
                 0.5 * f[14][4];
    ASSERT_EQ(r.GetAllNodeAboveForce(1, out.data()), 1);
    EXPECT_NEAR(out[0][0], fx1, 1e-12);
    EXPECT_NEAR(out[1][2], fz2, 1e-12);
    EXPECT_NEAR(out[0][5], rz1, 1e-12);
    EXPECT_NEAR(out[1][4], ry2, 1e-12);

    Rows node(3);
    ASSERT_EQ(r.GetOneNodeAboveForce(2, node.data()), 1);
    for (int k = 0; k < 3; ++k)
        for (int c = 0; c < 6; ++c) EXPECT_DOUBLE_EQ(node[k][c], model.ExpectAboveForce(k, 9)[1][c]);
    EXPECT_EQ(r.GetAllNodeAboveForce(4, out.data()), 0);
}

TEST_F(ResultNodes, NodeStressesOfEveryFamily)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    using Get = int (DResult::*)(int, double(*)[9]);
    struct Family {
        int index;
        Get all;
        Get node;
    } fams[] = {
        {0, &DResult::GetOneCombPlaneStress, &DResult::GetOneNodeAllCombPlaneStress},
        {1, &DResult::GetOneCombSol21Stress, &DResult::GetOneNodeAllCombSol21Stress},
        {2, &DResult::GetOneCombShellStress, &DResult::GetOneNodeAllCombShellStress},
        {3, &DResult::GetOneCombSol8rStress, &DResult::GetOneNodeAllCombSol8rStress},
        {4, &DResult::GetOneCombS16Stress, &DResult::GetOneNodeAllCombS16Stress},
    };
    std::vector<double[9]> out(9);
    for (const Family& f : fams) {
        for (int k = 1; k <= 3; ++k) {
            ASSERT_EQ((r.*f.all)(k, out.data()), 1);
            for (int j = 0; j < 9; ++j)
                for (int c = 0; c < 9; ++c) ASSERT_EQ(out[j][c], model.stress[f.index][k - 1][j][c]) << f.index;
        }
        EXPECT_EQ((r.*f.all)(0, out.data()), 0);
        ASSERT_EQ((r.*f.node)(8, out.data()), 1);
        for (int k = 0; k < 3; ++k)
            for (int c = 0; c < 9; ++c) ASSERT_EQ(out[k][c], model.stress[f.index][k][7][c]);
        EXPECT_EQ((r.*f.node)(10, out.data()), 0);
    }
}

TEST_F(ResultNodes, SomeNodeStressesFillEveryListing)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    std::vector<double[21][9]> out(3);
    for (auto& set : out)
        for (auto& row : set)
            for (double& v : row) v = -12345;
    const int nodes[] = {3, 0, 7, 3, 1};
    ASSERT_EQ(r.GetSomeNodePlaneStress(5, nodes, out.data()), 1);
    for (int k = 0; k < 3; ++k)
        for (int c = 0; c < 9; ++c) {
            EXPECT_EQ(out[k][0][c], model.stress[0][k][2][c]);
            EXPECT_EQ(out[k][1][c], -12345);  // 0 is skipped
            EXPECT_EQ(out[k][2][c], model.stress[0][k][6][c]);
            EXPECT_EQ(out[k][3][c], model.stress[0][k][2][c]);  // listed twice
            EXPECT_EQ(out[k][4][c], model.stress[0][k][0][c]);
        }
    const int one[] = {9};
    ASSERT_EQ(r.GetSomeNodeSol21Stress(1, one, out.data()), 1);
    EXPECT_EQ(out[2][0][8], model.stress[1][2][8][8]);
    ASSERT_EQ(r.GetSomeNodeSol8rStress(1, one, out.data()), 1);
    EXPECT_EQ(out[1][0][0], model.stress[3][1][8][0]);
    ASSERT_EQ(r.GetSomeNodeS16Stress(1, one, out.data()), 1);
    EXPECT_EQ(out[0][0][4], model.stress[4][0][8][4]);

    std::vector<int> many(22, 1);
    EXPECT_EQ(r.GetSomeNodePlaneStress(22, many.data(), out.data()), 0);
    EXPECT_EQ(r.GetSomeNodePlaneStress(0, many.data(), out.data()), 0);
    const int beyond[] = {2, 10};  // node 10 is not a result node
    EXPECT_EQ(r.GetSomeNodePlaneStress(2, beyond, out.data()), 0);
}

TEST_F(ResultNodes, SpectrumTables)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    int modes[3];
    double a[6], b[6];
    ASSERT_EQ(r.GetSpectrumCalData(modes, a, b), 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(modes[i], model.cqcModes[i]);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(a[i], model.cqcA[i]);
        EXPECT_EQ(b[i], model.cqcB[i]);
    }
    // a CQC file cut short
    auto bytes = vektest::ReadFileBytes(Path("CQC"));
    bytes.resize(bytes.size() - 4);
    vektest::WriteFileBytes(Path("CQC"), bytes);
    EXPECT_EQ(r.GetSpectrumCalData(modes, a, b), 0);
}

TEST_F(ResultNodes, MassParticipationRatios)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    MArray<DSpectrumDir> dirs(0, 128);
    DSpectrumDir d1(1, 3, 0, 4, 1), d2(2, 0, 2, 0, 1);
    dirs.Add(d1);
    dirs.Add(d2);
    double out[6];
    ASSERT_EQ(r.GetSpecMassPartRatio(dirs, model.cqcModes.data(), out), 1);
    double M = 0;
    for (const Row6& m : model.ExpectMass(9)) M += m[2];
    for (int i = 0; i < 3; ++i) {
        const auto& p = model.dir[model.cqcModes[i] - 1];
        double s1 = 0.6 * p[3] + 0.8 * p[5];
        EXPECT_NEAR(out[i], s1 * s1 / M, 1e-12);
        EXPECT_NEAR(out[i + 3], p[4] * p[4] / M, 1e-12);
    }
    MArray<DSpectrumDir> one(0, 128);
    one.Add(d1);
    EXPECT_EQ(r.GetSpecMassPartRatio(one, model.cqcModes.data(), out), 0);
    const int badModes[3] = {1, 5, 2};  // mode 5 does not exist
    EXPECT_EQ(r.GetSpecMassPartRatio(dirs, badModes, out), 0);
}

// ------------------------------------------------------------- conversion

TEST_F(ResultNodes, UpToDateCopiesAreNotConvertedAgain)
{
    Write();
    {
        DResult r;
        ASSERT_EQ(Open(r), 1);
    }
    // ID and XYZ are needed only for a conversion
    std::remove(Path("ID").c_str());
    std::remove(Path("XYZ").c_str());
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    ASSERT_EQ(r.GetOneCondDisp(1, out.data()), 1);
    ExpectRows(model.Expect(model.dis[0], 9), out.data(), 9, "case");
    // a newer raw file is due for conversion, which now cannot be done
    resgen::SetTime(Path("DIS"), 3600);
    DResult s;
    EXPECT_EQ(Open(s), 0);
    EXPECT_FALSE(s.Good());
}

TEST_F(ResultNodes, CopyFromTheSameTickAsItsRawFileIsRemade)
{
    Write();
    {
        DResult r;
        ASSERT_EQ(Open(r), 1);
    }
    // new results in DIS, with exactly the time of the copy
    for (auto& rec : model.dis)
        for (auto& row : rec)
            for (double& v : row) v += 1000;
    for (int j = 0; j < 16; ++j)  // no equation: still 0
        for (int c = 0; c < 6; ++c)
            if (model.eq[j][c] < 1 && model.master[j] < 1)
                for (auto& rec : model.dis) rec[j][c] = 0;
    model.WriteNodeFiles(Base());
    resgen::SetTime(Path("PL"), -100);
    std::error_code ec;
    auto copyTime = std::filesystem::last_write_time(Path("NDIS"), ec);
    std::filesystem::last_write_time(Path("DIS"), copyTime, ec);
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    ASSERT_EQ(r.GetOneCondDisp(1, out.data()), 1);
    EXPECT_DOUBLE_EQ(out[2][0], model.dis[0][2][0]);
    EXPECT_GT(out[2][0], 900);
}

TEST_F(ResultNodes, ChangedResultNodeCountRemakesEveryCopy)
{
    Write();
    {
        DResult r;
        ASSERT_EQ(Open(r, 9), 1);
    }
    DResult r;
    ASSERT_EQ(Open(r, 5), 1);
    EXPECT_EQ(r.m_nResultNode, 5);
    Rows out(5);
    ASSERT_EQ(r.GetOneCombDisp(2, out.data()), 1);
    ExpectRows(model.Expect(model.dis[4], 5), out.data(), 5, "combination, 5 nodes");
    double period;
    ASSERT_EQ(r.GetEigenDisp(4, out.data(), period), 1);
    ExpectRows(model.Expect(model.vec[3], 5), out.data(), 5, "mode, 5 nodes");
    ASSERT_EQ(r.GetAllNodeMass(out.data()), 1);
    ExpectRows(model.ExpectMass(5), out.data(), 5, "mass, 5 nodes");
    ASSERT_EQ(r.GetAllNodeAboveForce(3, out.data()), 1);
    ExpectRows(model.ExpectAboveForce(2, 5), out.data(), 5, "force, 5 nodes");
    // NSYS keeps the count for the next open without one
    DResult again;
    ASSERT_EQ(Open(again, 0), 1);
    EXPECT_EQ(again.m_nResultNode, 5);
}

TEST(ResultNodeCount, TakenFromTheSolverOrClippedToN)
{
    struct Case {
        int sys924;
        int passed;
        int want;
    } cases[] = {{0, 0, 16}, {40, 0, 16}, {-3, 0, 16}, {12, 0, 12}, {12, 7, 7}, {12, 17, 12}, {0, 20, 16}};
    for (const Case& c : cases) {
        vektest::TempDir dir("nc");
        resgen::Model m = resgen::MakeSmallModel();
        m.sysResultNodes = c.sys924;
        m.WriteAll(dir.File("model"));
        resgen::SetTime(dir.File("model.PL"), -100);
        DResult r;
        ASSERT_EQ(r.SetFileName(dir.File("model.dat").c_str(), c.passed), 1);
        EXPECT_EQ(r.m_nResultNode, c.want) << c.sys924 << " " << c.passed;
        std::vector<double[6]> out(static_cast<size_t>(c.want));
        ASSERT_EQ(r.GetOneCondDisp(3, out.data()), 1);
        krtest::ExpectRows(m.Expect(m.dis[2], c.want), out.data(), c.want, "case 3");
    }
}

TEST_F(ResultNodes, DamagedSetsAreRefused)
{
    struct Damage {
        const char* name;
        void (*apply)(const std::string& base);
    } damages[] = {
        {"no system file", [](const std::string& b) { std::remove((b + ".SYS").c_str()); }},
        {"system file cut short",
         [](const std::string& b) {
             auto v = vektest::ReadFileBytes(b + ".SYS");
             v.resize(900);
             vektest::WriteFileBytes(b + ".SYS", v);
         }},
        {"negative node count",
         [](const std::string& b) {
             auto v = vektest::ReadFileBytes(b + ".SYS");
             v[684 + 3] = 0x80;
             vektest::WriteFileBytes(b + ".SYS", v);
         }},
        {"more equations than 6 N",
         [](const std::string& b) {
             auto v = vektest::ReadFileBytes(b + ".SYS");
             v[692] = 97;  // 97 > 6 x 16
             v[693] = v[694] = v[695] = 0;
             vektest::WriteFileBytes(b + ".SYS", v);
         }},
        {"no ID", [](const std::string& b) { std::remove((b + ".ID").c_str()); }},
        {"ID cut short",
         [](const std::string& b) {
             auto v = vektest::ReadFileBytes(b + ".ID");
             v.resize(v.size() - 4);
             vektest::WriteFileBytes(b + ".ID", v);
         }},
        {"equation above the count",
         [](const std::string& b) {
             auto v = vektest::ReadFileBytes(b + ".ID");
             v[24 + 4 * 2] = 200;  // ux of node 3
             vektest::WriteFileBytes(b + ".ID", v);
         }},
        {"master beyond N",
         [](const std::string& b) {
             auto v = vektest::ReadFileBytes(b + ".ID");
             v[24 + 4 * 16 * 6 + 4 * 3] = 17;
             vektest::WriteFileBytes(b + ".ID", v);
         }},
        {"no XYZ", [](const std::string& b) { std::remove((b + ".XYZ").c_str()); }},
    };
    for (const Damage& d : damages) {
        vektest::TempDir fresh("dmg");
        model.WriteAll(fresh.File("model"));
        resgen::SetTime(fresh.File("model") + ".PL", -100);
        d.apply(fresh.File("model"));
        DResult r;
        EXPECT_EQ(r.SetFileName((fresh.File("model") + ".kor").c_str(), 0), 0) << d.name;
        EXPECT_FALSE(r.Good()) << d.name;
    }
}

TEST_F(ResultNodes, TruncatedRawVectorsGiveFewerRecords)
{
    Write();
    auto v = vektest::ReadFileBytes(Path("DIS"));
    v.resize(v.size() - 10);  // the last combination cut
    vektest::WriteFileBytes(Path("DIS"), v);
    resgen::SetTime(Path("DIS"), -50);
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    EXPECT_EQ(r.GetOneCombDisp(1, out.data()), 1);
    EXPECT_EQ(r.GetOneCombDisp(2, out.data()), 0);
    Rows node(2);
    EXPECT_EQ(r.GetOneNodeAllCombDisp(1, node.data()), 0);
}

TEST_F(ResultNodes, RawFilesOlderThanTheModelAreNotConverted)
{
    Write();
    resgen::SetTime(Path("VEC"), -200);
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    double period;
    EXPECT_EQ(r.GetEigenDisp(1, out.data(), period), 0);
    EXPECT_EQ(r.GetOneCondDisp(1, out.data()), 1);
}

TEST_F(ResultNodes, DeleteTemporaryFilesRemovesCopiesAndIndexes)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    for (const char* e : {"NDIS", "NVEC", "NMAS", "NFSJ", "NU3", "NU30", "NA41", "NU41", "NU5", "NSYS"})
        EXPECT_TRUE(std::filesystem::exists(Path(e))) << e;
    r.DeleteTemporaryFiles();
    for (const char* e : {"NDIS", "NVEC", "NRES", "NVEL", "NACC", "NEQU", "NSTA", "NACD", "NMAS", "NFSJ", "NU3", "NU30",
                          "NA41", "NU41", "NU5"})
        EXPECT_FALSE(std::filesystem::exists(Path(e))) << e;
    EXPECT_TRUE(std::filesystem::exists(Path("DIS")));
}

TEST(ResultPath, NameWithoutFolderUsesTheCurrentFolder)
{
    DResult r;
    EXPECT_EQ(r.SetFileName("surely_missing_result_set.kor", 0), 0);
    EXPECT_FALSE(r.Good());
    EXPECT_EQ(r.SetFileName("", 0), 0);
}

}  // namespace

namespace {

TEST_F(ResultNodes, ConvertedFileLayout)
{
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    // NSYS: the result node count
    auto nsys = vektest::ReadFileBytes(Path("NSYS"));
    EXPECT_EQ(nsys, (std::vector<unsigned char>{9, 0, 0, 0}));
    // NDIS: 5 records of 9 nodes x 6 doubles
    EXPECT_EQ(vektest::ReadFileBytes(Path("NDIS")).size(), 5u * 9 * 48);
    // NVEC: each record the period, then the nodes
    auto vec = vektest::ReadFileBytes(Path("NVEC"));
    ASSERT_EQ(vec.size(), 4u * (8 + 9 * 48));
    const unsigned char half[8] = {0, 0, 0, 0, 0, 0, 0xE0, 0x3F};  // 0.5
    EXPECT_EQ(std::memcmp(vec.data(), half, 8), 0);
    for (int i = 0; i < 8 + 48; ++i)  // period 0, then node 1 without equations
        ASSERT_EQ(vec[440 + i], 0) << i;
    double ux2;
    std::memcpy(&ux2, &vec[8 + 48], 8);
    EXPECT_EQ(ux2, model.vec[0][1][0]);
    // NMAS and NFSJ: no prefix
    EXPECT_EQ(vektest::ReadFileBytes(Path("NMAS")).size(), 9u * 48);
    EXPECT_EQ(vektest::ReadFileBytes(Path("NFSJ")).size(), 3u * 9 * 48);
    EXPECT_EQ(vektest::ReadFileBytes(Path("NSTA")).size(), 6u * (8 + 9 * 48));
}

}  // namespace

namespace {

TEST_F(ResultNodes, WallRecordBeyondTheTableIsPassedOver)
{
    // p = 21: 42 list entries do not fit the table of 40; the record is read
    // past and the walls after it still count
    resgen::Model plain = model;
    resgen::Wall big{1, 2, 3, 4, std::vector<int>(21, 14), {}, std::vector<int>(21, 13), {}};
    model.walls.insert(model.walls.begin(), big);
    Write();
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    ASSERT_EQ(r.GetAllNodeMass(out.data()), 1);
    ExpectRows(plain.ExpectMass(9), out.data(), 9, "mass");
    ASSERT_EQ(r.GetAllNodeAboveForce(2, out.data()), 1);
    ExpectRows(plain.ExpectAboveForce(1, 9), out.data(), 9, "force above");
}

}  // namespace
