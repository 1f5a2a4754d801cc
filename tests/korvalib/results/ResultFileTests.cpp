// The files of a result set as files: copies and indexes that cannot be
// written, files past 2 GiB, and names in GBK.
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ResultFixture.h"
#include "containers/MArrayID.h"
#include "korvalib/base/biostream.h"
#include "tests/support/LeBytes.h"
#include "tests/support/SparseFile.h"

#if defined(_WIN32)
#include <direct.h>
#endif

using krtest::ExpectRows;

namespace {

namespace fs = std::filesystem;
using Rows = std::vector<double[6]>;

class ResultFiles : public krtest::ResultSet {
protected:
    // Copies, indexes and the count file are written under this name first.
    std::string Temp(const char* ext) const { return Path(ext) + ".~tmp"; }
    bool Exists(const std::string& path) const
    {
        std::error_code ec;
        return fs::exists(fs::symlink_status(path, ec));
    }
};

#if !defined(_WIN32)
// A copy whose path leads to a full device: the writes used to be lost
// unnoticed and every query then read the device's zeros as results. The
// copy is now written beside and renamed over the path.
TEST_F(ResultFiles, CopyPathLeadingToAFullDeviceIsReplaced)
{
    Write();
    {
        DResult first;
        ASSERT_EQ(Open(first), 1);
    }
    std::remove(Path("NDIS").c_str());
    std::error_code ec;
    fs::create_symlink("/dev/full", Path("NDIS"), ec);
    if (ec) GTEST_SKIP() << "no symbolic links here";
    resgen::SetTime(Path("DIS"), 3600);  // new results to convert
    DResult r;
    ASSERT_EQ(Open(r), 1);
    Rows out(9);
    ASSERT_EQ(r.GetOneCondDisp(2, out.data()), 1);
    ExpectRows(model.Expect(model.dis[1], 9), out.data(), 9, "case 2");
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(Path("NDIS"), ec)));
}

// Writes that fail (the temporary name leads to a full device): the set
// does not open, neither the file nor its temporary stays, an out-of-date
// copy goes too, and once writing works again the set opens whole.
struct FailedWrite {
    const char* ext;
    bool made;  // made before, then its raw file changes
};

class ResultFileWrites : public ResultFiles, public ::testing::WithParamInterface<FailedWrite> {};

TEST_P(ResultFileWrites, FailureIsReported)
{
    const FailedWrite& c = GetParam();
    Write();
    if (c.made) {
        DResult first;
        ASSERT_EQ(Open(first), 1);
        ASSERT_TRUE(Exists(Path(c.ext)));
        resgen::SetTime(Path(c.ext + 1), 3600);  // the raw file's extension
    }
    std::error_code ec;
    fs::create_symlink("/dev/full", Temp(c.ext), ec);
    if (ec) GTEST_SKIP() << "no symbolic links here";
    DResult r;
    EXPECT_EQ(Open(r), 0);
    EXPECT_FALSE(r.Good());
    EXPECT_FALSE(Exists(Path(c.ext)));
    EXPECT_FALSE(Exists(Temp(c.ext)));
    Rows out(9);
    EXPECT_EQ(r.GetOneCondDisp(1, out.data()), 0);
    EXPECT_EQ(r.GetAllNodeMass(out.data()), 0);

    DResult again;
    ASSERT_EQ(Open(again), 1);
    ASSERT_EQ(again.GetOneCondDisp(1, out.data()), 1);
    ExpectRows(model.Expect(model.dis[0], 9), out.data(), 9, "case 1");
    ASSERT_EQ(again.GetAllNodeAboveForce(2, out.data()), 1);
    ExpectRows(model.ExpectAboveForce(1, 9), out.data(), 9, "force above");
    MArrayID<DFrameForce> frames(0, 128);
    EXPECT_EQ(again.GetOneFrameAllCombForce(5, frames), 1);
    MArrayID<DShellForce> shells(0, 128);
    EXPECT_EQ(again.GetOneCombAllShellForce(2, shells), 1);
}

INSTANTIATE_TEST_SUITE_P(Files, ResultFileWrites,
                         ::testing::Values(FailedWrite{"NDIS", false}, FailedWrite{"NMAS", false},
                                           FailedWrite{"NFSJ", true}, FailedWrite{"NU3", false},
                                           FailedWrite{"NA41", true}, FailedWrite{"NSYS", false}),
                         [](const ::testing::TestParamInfo<FailedWrite>& i) { return std::string(i.param.ext); });
#endif

// A copy that cannot take its place (a folder of files stands there): the
// set does not open and no temporary is left behind.
TEST_F(ResultFiles, CopyThatCannotTakeItsPlaceIsReported)
{
    Write();
    ASSERT_TRUE(fs::create_directory(Path("NVEC")));
    vektest::WriteFileBytes(Path("NVEC") + "/kept", {1, 2, 3});
    resgen::SetTime(Path("NVEC"), -80);  // older than its raw file
    DResult r;
    EXPECT_EQ(Open(r), 0);
    EXPECT_FALSE(r.Good());
    EXPECT_FALSE(Exists(Temp("NVEC")));
    EXPECT_EQ(vektest::ReadFileBytes(Path("NVEC") + "/kept").size(), 3u);
    double periods[4];
    EXPECT_EQ(r.GetEigenPeriod(periods), 0);
}

// ----------------------------------------------------------- past 2 GiB

class LargeResultFiles : public ::testing::Test {
protected:
    LargeResultFiles() : dir("big") {}
    void SetUp() override
    {
        if (!sparsetest::SparseFilesWork(dir.File("probe.bin"))) GTEST_SKIP() << "no sparse files here";
    }
    static std::vector<unsigned char> Doubles(std::initializer_list<double> v)
    {
        vektest::LeBytes b;
        for (double d : v) b.f64(d);
        return b.bytes();
    }
    vektest::TempDir dir;
};

// Time-history copies of an ordinary model pass 4 GiB: 1,000 steps of
// 100,000 nodes. Steps and nodes beyond 2 and 4 GiB are read.
TEST_F(LargeResultFiles, NodeCopiesPastFourGiB)
{
    constexpr int kNodes = 100000, kSteps = 1000;
    resgen::Model m;
    m.N = kNodes;
    m.sysResultNodes = kNodes;
    m.steps1 = kSteps;
    m.kind1 = 1;
    m.WriteSys(dir.File("model"));
    vektest::LeBytes count;
    count.i32(kNodes);
    ASSERT_TRUE(count.Save(dir.File("model") + ".NSYS"));
    const int64_t record = 8 + 48LL * kNodes;
    auto at = [&](int step, int node) { return (step - 1) * record + 8 + 48LL * (node - 1); };
    const auto firstRow = Doubles({1, 2, 3, 4, 5, 6});
    const auto lastRow = Doubles({-1, -2, -3, -4, -5, -6});
    const auto midRow = Doubles({7, 8, 9, 10, 11, 12});
    ASSERT_GT(at(700, 50000), int64_t(3) << 30);
    ASSERT_EQ(sparsetest::MakeSparseFile(dir.File("model") + ".NRES", kSteps * record,
                                         {{at(700, 1) - 8, Doubles({7.0})},
                                          {at(700, 50000), midRow},
                                          {at(kSteps, 1) - 8, Doubles({10.0})},
                                          {at(kSteps, 1), firstRow},
                                          {at(kSteps, kNodes), lastRow}}),
              1);

    DResult r;
    ASSERT_EQ(r.SetFileName((dir.File("model") + ".kor").c_str(), 0), 1);
    ASSERT_EQ(r.m_nResultNode, kNodes);
    ASSERT_EQ(r.m_nTimeStep, kSteps);
    Rows out(kNodes);
    double time = 0;
    ASSERT_EQ(r.GetOneHistResDisp(kSteps, out.data(), time), 1);
    EXPECT_EQ(time, 10.0);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(out[0][c], c + 1.0);
        EXPECT_EQ(out[kNodes - 1][c], -(c + 1.0));
        EXPECT_EQ(out[49999][c], 0.0);
    }
    ASSERT_EQ(r.GetOneHistResDisp(700, out.data(), time), 1);
    EXPECT_EQ(time, 7.0);
    EXPECT_EQ(out[49999][0], 7.0);
    EXPECT_EQ(out[49999][5], 12.0);

    Rows steps(kSteps);
    std::vector<double> times(kSteps, -1);
    ASSERT_EQ(r.GetOneNodeAllHistResDisp(kNodes, steps.data(), times.data()), 1);
    EXPECT_EQ(times[kSteps - 1], 10.0);
    EXPECT_EQ(times[699], 7.0);
    EXPECT_EQ(times[0], 0.0);
    EXPECT_EQ(steps[kSteps - 1][2], -3.0);
    EXPECT_EQ(steps[699][2], 0.0);
    ASSERT_EQ(r.GetOneNodeAllHistResDisp(50000, steps.data(), times.data()), 1);
    EXPECT_EQ(steps[699][1], 8.0);
}

// A frame file past 2 GiB: its positions do not fit the 32-bit index, so
// it is read without one.
TEST_F(LargeResultFiles, ElementFilePastTwoGiB)
{
    constexpr int kSets = 32000, kElements = 64, kSections = 20;
    resgen::Model m;
    m.N = 1;
    m.sets = kSets;
    m.WriteSys(dir.File("model"));
    const int64_t header = 16 + 8 * kSections + 4;
    const int64_t bytes = header + int64_t(kSets) * kSections * 56;
    auto start = [&](int element) { return 16 + (element - 1) * bytes; };
    auto row = [&](int element, int set, int section) {
        return start(element) + header + (int64_t(set - 1) * kSections + section - 1) * 56 + 4;
    };
    std::vector<sparsetest::Piece> pieces;
    for (int e = 1; e <= kElements; ++e) {
        vektest::LeBytes h;
        h.skip(4);
        h.i32(e);
        h.skip(4);
        h.i32(kSections);
        for (int s = 0; s < kSections; ++s) h.f64(0.5 * s);
        h.skip(4);
        pieces.push_back({start(e), h.bytes()});
    }
    ASSERT_GT(start(kElements), int64_t(1) << 31);
    pieces.push_back({row(kElements, 1, 1), Doubles({1, 2, 3, 4, 5, 6})});
    pieces.push_back({row(kElements, kSets, 3), Doubles({-1, -2, -3, -4, -5, -6})});
    pieces.push_back({row(2, kSets, 20), Doubles({9, 9, 9, 9, 9, 9})});
    ASSERT_EQ(sparsetest::MakeSparseFile(dir.File("model") + ".U3", start(kElements + 1), pieces), 1);

    DResult r;
    ASSERT_EQ(r.SetFileName((dir.File("model") + ".kor").c_str(), 0), 1);
    ASSERT_EQ(r.m_nForceComb, kSets);
    MArrayID<DFrameForce> store(0, 1024);
    ASSERT_EQ(r.GetOneFrameAllCombForce(kElements, store), 1);
    ASSERT_EQ(store.GetCount(), kSets);
    const DFrameForce& first = *store.GetByID(1);
    ASSERT_EQ(first.nSect, kSections);
    EXPECT_EQ(first.pSect[0][0], 0.0);
    EXPECT_EQ(first.pSect[0][1], 1.0);
    EXPECT_EQ(first.pSect[0][6], 6.0);
    const DFrameForce& last = *store.GetByID(kSets);
    EXPECT_EQ(last.pSect[2][0], 1.0);
    EXPECT_EQ(last.pSect[2][3], -3.0);
    EXPECT_EQ(r.GetOneFrameAllCombForce(kElements + 1, store), 0);

    ASSERT_EQ(r.GetOneCombAllFrameForce(kSets, store), 1);
    ASSERT_EQ(store.GetCount(), kElements);
    EXPECT_EQ(store.GetByID(kElements)->pSect[2][6], -6.0);
    EXPECT_EQ(store.GetByID(2)->pSect[19][1], 9.0);
    EXPECT_EQ(store.GetByID(2)->pSect[19][0], 9.5);
}

// ------------------------------------------------------------- GBK names

int MakeFolder(const std::string& path)
{
#if defined(_WIN32)
    return _mkdir(path.c_str()) == 0;
#else
    return mkdir(path.c_str(), 0777) == 0;
#endif
}

// Names whose last character's second byte is '\\' (0x5C): 模籠 is C4 A3
// BB 5C, 禱 B6 5C, 淺 9C 5C. The path is split between characters only,
// and every file of the set is found under the name (the system's narrow
// file calls take GBK names as they stand).
TEST(ResultPath, GbkNamesAreSplitBetweenCharacters)
{
    vektest::TempDir dir("gbk");
    std::string folder = dir.File("model");
    folder.resize(folder.size() - 5);  // without "model", with the separator
    const std::string sub = folder + "\xBB\x5C";
    ASSERT_TRUE(MakeFolder(sub));
    const std::string sep = folder.substr(folder.size() - 1);
    const std::string bases[] = {folder + "\xC4\xA3\xBB\x5C", folder + "\xB6\x5C", folder + "v1.\x9C\x5C",
                                 sub + sep + "\xC4\xA3\xBB\x5C"};
    const resgen::Model model = resgen::MakeSmallModel();
    for (const std::string& base : bases) {
        SCOPED_TRACE(base);
        model.WriteAll(base);
        std::remove((base + ".PL").c_str());  // every raw file is then current
        DResult r;
        ASSERT_EQ(r.SetFileName((base + ".kor").c_str(), 0), 1);
        char name[260];
        r.GetFileName(name);
        EXPECT_EQ(std::string(name), base);
        EXPECT_EQ(r.m_nBuckle, 6) << "STA is found";
        Rows out(9);
        ASSERT_EQ(r.GetOneCondDisp(3, out.data()), 1);
        ExpectRows(model.Expect(model.dis[2], 9), out.data(), 9, "case 3");
        MArrayID<DFrameForce> frames(0, 128);
        EXPECT_EQ(r.GetOneFrameAllCombForce(5, frames), 1) << "NU3 is built";
        EXPECT_EQ(vektest::ReadFileBytes(base + ".NDIS").size(), 5u * 9 * 48);
    }
}

}  // namespace
