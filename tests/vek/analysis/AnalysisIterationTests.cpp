// The analysis options' profile text and the iteration of one-way members:
// targets, steps, the maximum, the +-t rule, spring kinds, the "~" copies at
// their places, failures.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/analysis/FakeFrames.h"
#include "tests/vek/elements/NodeTestSupport.h"
#include "vek/analysis/AnalysisIteration.h"
#include "vek/analysis/AnalysisOptions.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/loads/LoadCombination.h"

using namespace vektest;

namespace {

TEST(AnalysisOptions, ProfileTextIsReadRangeCheckedAndWrittenBack)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"1,1,1,15,0,0,0,1,1", "1,1,1,15,0,0,0,1,1,1.000E-08"},  // no tenth field: tolerance kept
        {"0,1,0,40,1,1,1,0,0,2.5E-06", "0,1,0,40,1,1,1,0,0,2.500E-06"},
        {"7,1,1,0,0,0,0,1,1", "1,1,1,15,0,0,0,1,1,1.000E-08"},  // out of range: kept
        {"1,1,1,-3,2,0,0,1,1", "1,1,1,15,0,0,0,1,1,1.000E-08"},
        {"", "1,1,1,15,0,0,0,1,1,1.000E-08"},
        {"0,0", "0,0,1,15,0,0,0,1,1,1.000E-08"},
    };
    for (const Case& c : cases) {
        CAnalysisOptions o;
        o.Parse(c.text);
        EXPECT_EQ(o.Format(), c.expected) << c.text;
    }
    CAnalysisOptions o;
    o.tolerance = -1e-9;
    EXPECT_EQ(o.CheckTolerance(), 0);
    EXPECT_EQ(o.tolerance, 1e-9);
    o.tolerance = 0.01;
    EXPECT_EQ(o.CheckTolerance(), 1);
    EXPECT_EQ(o.tolerance, 0.01);
    o.tolerance = 1e-16;
    EXPECT_EQ(o.CheckTolerance(), -1);
    EXPECT_STREQ(ToleranceWarning(-1), "单向受力拉压杆或弹簧轴力为0的判断误差过小，可能造成迭代不收敛！");
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

// A frame force file of one element with two sections and `sets` sets,
// every data byte `fill`.
std::vector<uint8_t> FrameForceFile(int sets, uint8_t fill)
{
    std::vector<uint8_t> b;
    auto i32 = [&](int32_t v) {
        for (int k = 0; k < 4; ++k) b.push_back(uint8_t(v >> (8 * k)));
    };
    b.assign(16, 0xEE);  // the file's head
    i32(0), i32(1), i32(0), i32(2);
    for (int k = 0; k < 16; ++k) b.push_back(0);  // two section positions
    i32(0);
    b.insert(b.end(), size_t(2 * 56 * sets), fill);
    return b;
}

// The solver, the result set and the writer as the iteration sees them.
class FakeRun : public CAnalysisRunLinks {
public:
    explicit FakeRun(const std::string& base) : base(base) {}
    int WriteDataFile(int fresh) override
    {
        writes.push_back({fresh, theLoadCombinations[0].GetSize(), theLoadCombinations[1].GetSize(), Offs()});
        return writeResult;
    }
    int DataFileExists() override { return dataFileExists; }
    void RunSolver(int choose, int freeModal) override
    {
        ++runs;
        // Each run leaves its number in every byte of its result files.
        WriteBytes(ResultFile(base, "DIS"), std::vector<uint8_t>(size_t(records * 24), uint8_t(runs)));
        WriteBytes(ResultFile(base, "U3"), FrameForceFile(forceCombs, uint8_t(runs)));
        WriteBytes(ResultFile(base, "PL"), {uint8_t(runs)});
        chose = choose;
    }
    int LoadResults() override
    {
        ++loads;
        return loadResult;
    }
    void ClearResults() override { ++clears; }
    void DeleteConvertedFiles() override { ++deletes; }
    void ResultCounts(int& c, int& d, int& f, int& eq) override { c = cases, d = dispCombs, f = forceCombs, eq = 2; }
    bool BeamAxialForces(int comb, std::map<int, double>& out) override
    {
        if (!beamForces.empty()) {
            out = beamForces;
            return true;
        }
        if (!beamForce) return false;
        out[1] = beamForce(runs);
        return true;
    }
    bool SpringForces(int comb, std::map<int, double>& out) override
    {
        if (!springForce) return false;
        out[1] = springForce(runs);
        return true;
    }
    void Prompt(const char* text) override { prompts.push_back(text); }
    void Message(const char* text) override { messages.push_back(text); }
    void MessageID(int id) override { messages.push_back("#" + std::to_string(id)); }
    std::string Offs() const
    {
        std::string s;
        if (CFrameDataFamily* f = FrameDataFamily())
            for (int p = 0; p < f->Count(); ++p) s += f->IsSwitchedOff(p) ? '0' : '1';
        for (int i = 0; i < theSprings.GetSize(); ++i) s += theSprings.GetAt(i)->m_bSlack ? 's' : 'S';
        return s;
    }

    struct Write {
        int fresh, force, disp;
        std::string on;
    };
    std::string base;
    std::vector<Write> writes;
    std::vector<std::string> prompts, messages;
    std::function<double(int)> beamForce, springForce;
    std::map<int, double> beamForces;  // by beam number, when given
    int writeResult = 1, dataFileExists = 1, runs = 0, loads = 0, clears = 0, deletes = 0, chose = -1;
    int loadResult = 1;  // 0: the run left no result set to read
    int cases = 1, dispCombs = 1, forceCombs = 1, records = 2;
};

class IterationTest : public NodeModelTest {
protected:
    void SetUp() override
    {
        NodeModelTest::SetUp();
        theAnalysisOptions = CAnalysisOptions();
        theLoadCombinations[0].SetSize(0);
        theLoadCombinations[1].SetSize(0);
        Node(0, 0, 0);
        Node(1, 0, 1);
        frames.Beam(1, 1, 2).row.tensionOnly = true;
        frames.Beam(2, 1, 2);
        LoadCombination c;
        c.AddFactor(1, 1.0);
        theLoadCombinations[0].Add(c);
        theLoadCombinations[1].Add(c);
    }
    void TearDown() override
    {
        theLoadCombinations[0].SetSize(0);
        theLoadCombinations[1].SetSize(0);
        theAnalysisOptions = CAnalysisOptions();
        NodeModelTest::TearDown();
    }
    // Runs until the iteration ends; the number of runs.
    int RunToEnd(CAnalysisIteration& it, int status = 1)
    {
        int guard = 0;
        while (it.OnRunEnded(status) == CAnalysisIteration::kRunning && ++guard < 100) {
        }
        return run.runs;
    }

    TempDir dir{"iteration"};
    std::string base = dir.File("P");
    FakeFrames frames;
    FakeRun run{base};
};

// The brace is in compression, goes off, comes back in tension and stays:
// three runs for the load case, one for the combination; the case's
// displacements and the combination's records go back over the result files.
TEST_F(IterationTest, ABraceFlippingTwiceKeepsEachCaseInTheCopies)
{
    run.beamForce = [](int r) { return r == 1 ? -5.0 : r == 2 ? 3.0 : 4.0; };
    CAnalysisIteration it(run);
    ASSERT_EQ(it.Start(base), CAnalysisIteration::kRunning);
    EXPECT_TRUE(it.Iterating());
    EXPECT_EQ(it.GetTarget(), CAnalysisIteration::kCases);
    EXPECT_EQ(run.prompts.back(), "正在对荷载种类1进行第1次迭代分析......");
    EXPECT_EQ(RunToEnd(it), 4);
    ASSERT_EQ(run.writes.size(), 4u);
    // The case runs without combinations; the brace off in the second run only.
    const FakeRun::Write expected[] = {{1, 0, 0, "11"}, {0, 0, 0, "01"}, {0, 0, 0, "11"}, {0, 1, 1, "11"}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(run.writes[i].fresh, expected[i].fresh) << i;
        EXPECT_EQ(run.writes[i].force, expected[i].force) << i;
        EXPECT_EQ(run.writes[i].disp, expected[i].disp) << i;
        EXPECT_EQ(run.writes[i].on, expected[i].on) << i;
    }
    EXPECT_EQ(theLoadCombinations[0].GetSize(), 1);
    EXPECT_EQ(theLoadCombinations[1].GetSize(), 1);
    // DIS: record 0 (bytes 0..23) from run 3, record 1 (24..47) from run 4.
    std::vector<uint8_t> dis(24, 3);
    dis.resize(48, 4);
    EXPECT_EQ(ReadBytes(ResultFile(base, "DIS")), dis);
    EXPECT_EQ(ReadBytes(ResultFile(base, "U3")), FrameForceFile(1, 4));
    EXPECT_EQ(ReadBytes(ResultFile(base, "PL")), std::vector<uint8_t>{3});
    EXPECT_FALSE(std::filesystem::exists(ResultFile(base, "DIS~")));
    EXPECT_EQ(run.prompts.back(), "计算完成！");
    EXPECT_EQ(run.deletes, 1);
    EXPECT_TRUE(run.messages.empty());
}

// Force combination 2 of 3 goes into the copy at its own place.
TEST_F(IterationTest, ForceRecordsGoToTheirPlaceInTheCopy)
{
    const std::string u3 = ResultFile(base, "U3");
    WriteBytes(u3, FrameForceFile(3, 7));
    WriteBytes(u3 + "~", FrameForceFile(3, 1));
    ASSERT_EQ(KeepForceCombination(base, 2, 3), 1);
    std::vector<uint8_t> expected = FrameForceFile(3, 1);
    for (size_t k = 16 + 36 + 112; k < 16 + 36 + 224; ++k) expected[k] = 7;
    EXPECT_EQ(ReadBytes(u3 + "~"), expected);
    // A copy shorter than the record is refused and left alone.
    WriteBytes(u3 + "~", std::vector<uint8_t>(40, 1));
    EXPECT_EQ(KeepForceCombination(base, 3, 3), 0);
    EXPECT_EQ(ReadBytes(u3 + "~"), std::vector<uint8_t>(40, 1));
    WriteBytes(ResultFile(base, "DIS"), std::vector<uint8_t>(48, 9));
    WriteBytes(ResultFile(base, "DIS~"), std::vector<uint8_t>(30, 1));
    EXPECT_EQ(KeepDisplacementRecord(base, 1, 2), 0);
}

// Without convergence every case stops at the maximum and the warning
// names it; the members are on again at the end.
TEST_F(IterationTest, NoConvergenceStopsAtTheMaximumAndWarns)
{
    theAnalysisOptions.maxSteps = 3;
    // The brace always carries the sign that flips it.
    run.beamForce = [this](int) { return frames.beams[0].off ? 5.0 : -5.0; };
    CAnalysisIteration it(run);
    ASSERT_EQ(it.Start(base), CAnalysisIteration::kRunning);
    EXPECT_EQ(RunToEnd(it), 6);  // three steps for the case, three for the combination
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0], "计算过程中迭代步数曾经达到最大的迭代步数:3，可能并非因为收敛而结束！");
    EXPECT_FALSE(frames.beams[0].off);
}

TEST_F(IterationTest, AbnormalEndsAndUnreadableForcesEndAsAbnormal)
{
    {
        CAnalysisIteration it(run);
        ASSERT_EQ(it.Start(base), CAnalysisIteration::kRunning);
        EXPECT_EQ(it.OnRunEnded(0), CAnalysisIteration::kEnded);
        EXPECT_EQ(it.EndText(), "计算过程非正常结束！");
    }
    CAnalysisIteration it(run);
    ASSERT_EQ(it.Start(base), CAnalysisIteration::kRunning);
    EXPECT_EQ(it.OnRunEnded(1), CAnalysisIteration::kEnded);  // no beam forces
    EXPECT_EQ(run.messages.back(), "#104");
    EXPECT_EQ(it.EndText(), "计算过程非正常结束！");
}

// A run that ends well but leaves no result set to read is no success, with
// or without the iteration; a run of the steps the user chose may leave none.
TEST_F(IterationTest, ARunLeavingNoResultsEndsAsAbnormal)
{
    struct Case {
        bool iterate, choose;
        const char* end;
    };
    const Case cases[] = {
        {false, false, "计算过程非正常结束！"},
        {true, false, "计算过程非正常结束！"},
        {false, true, "计算完成！"},
    };
    run.beamForce = [](int) { return 5.0; };
    run.loadResult = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.iterate << c.choose);
        theAnalysisOptions = CAnalysisOptions();
        theAnalysisOptions.chooseModules = c.choose;
        if (!c.iterate)
            theAnalysisOptions.iterateCases = theAnalysisOptions.iterateDispCombs =
                theAnalysisOptions.iterateForceCombs = 0;
        CAnalysisIteration it(run);
        ASSERT_EQ(it.Start(base), CAnalysisIteration::kRunning);
        EXPECT_EQ(it.Iterating(), c.iterate);
        const int runs = run.runs;
        EXPECT_EQ(it.OnRunEnded(1), CAnalysisIteration::kEnded);
        EXPECT_EQ(run.runs, runs) << "no further run";
        EXPECT_EQ(it.EndText(), c.end);
    }
}

// The +-t rule for both kinds of one-way members, beams and springs; a value
// equal to t changes nothing.
TEST_F(IterationTest, ConvergenceRuleOfBothKinds)
{
    theAnalysisOptions.tolerance = 0.5;
    CSpring s;
    s.m_nNodeI = 1;
    s.m_nNodeJ = 2;
    s.m_dK = 10;
    s.m_cMode = 2;  // compression only
    ASSERT_EQ(AddSpring(s, 0), 1);
    frames.beams[1].row.compressionOnly = true;
    struct Case {
        bool tension;
        bool off;
        double force;
        bool offAfter;
    };
    const Case cases[] = {
        {true, false, -0.6, true}, {true, false, -0.5, false}, {true, true, 0.6, false},   {true, true, 0.5, true},
        {false, false, 0.6, true}, {false, false, 0.5, false}, {false, true, -0.6, false}, {false, true, -0.5, true},
    };
    CAnalysisIteration it(run);
    ASSERT_EQ(it.Start(base), CAnalysisIteration::kRunning);
    ASSERT_EQ(it.Beams().size(), 2u);
    ASSERT_EQ(it.Springs().size(), 1u);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tension << c.off << c.force);
        // The member under test carries the force, the others none.
        FakeBeam& b = c.tension ? frames.beams[0] : frames.beams[1];
        frames.beams[0].off = frames.beams[1].off = false;
        b.off = c.off;
        run.beamForces = {{1, c.tension ? c.force : 0.0}, {2, c.tension ? 0.0 : c.force}};
        CSpring* spring = theSprings.GetAt(0);
        spring->m_bSlack = c.tension ? 0 : c.off;
        run.springForce = [&](int) { return c.tension ? 0.0 : c.force; };
        const int r = it.ConvergenceTest();
        EXPECT_EQ(b.off, c.offAfter);
        if (!c.tension) {
            EXPECT_EQ(spring->m_bSlack != 0, c.offAfter);
        }
        EXPECT_EQ(r, c.off != c.offAfter ? 0 : 1);
    }
}

TEST_F(IterationTest, WithoutIterationOneRunAndReuseOfTheDataFile)
{
    theAnalysisOptions.iterateCases = theAnalysisOptions.iterateDispCombs = theAnalysisOptions.iterateForceCombs = 0;
    theAnalysisOptions.reuseDataFile = 1;
    CAnalysisIteration it(run);
    ASSERT_EQ(it.Start(base), CAnalysisIteration::kRunning);
    EXPECT_FALSE(it.Iterating());
    EXPECT_TRUE(run.writes.empty());  // the existing file is run
    EXPECT_EQ(RunToEnd(it), 1);
    EXPECT_EQ(it.EndText(), "计算完成！");
    run.dataFileExists = 0;
    CAnalysisIteration again(run);
    ASSERT_EQ(again.Start(base), CAnalysisIteration::kRunning);
    EXPECT_EQ(run.writes.size(), 1u);
    // A failed write runs nothing.
    run.writeResult = 0;
    CAnalysisIteration failed(run);
    EXPECT_EQ(failed.Start(base), CAnalysisIteration::kEnded);
    EXPECT_EQ(run.runs, 2);
}

// Switched-off members are on again when the control goes without an end.
TEST_F(IterationTest, MembersAreSwitchedOnWhenTheControlGoes)
{
    run.beamForce = [](int) { return -5.0; };
    {
        CAnalysisIteration it(run);
        ASSERT_EQ(it.Start(base), CAnalysisIteration::kRunning);
        ASSERT_EQ(it.OnRunEnded(1), CAnalysisIteration::kRunning);
        EXPECT_TRUE(frames.beams[0].off);
    }
    EXPECT_FALSE(frames.beams[0].off);
}

}  // namespace
