// Element-force queries over the generated files: one set for all elements,
// all sets of one element (by index or by scanning) and the walks.
#include <algorithm>
#include <cstring>

#include "ResultFixture.h"
#include "containers/MArrayID.h"
#include "korvalib/base/biostream.h"

namespace {

class ResultForces : public krtest::ResultSet {
protected:
    void SetUp() override
    {
        Write();
        ASSERT_EQ(Open(r), 1);
    }
    void Corrupt(const char* ext, void (*edit)(std::vector<unsigned char>&))
    {
        auto b = vektest::ReadFileBytes(Path(ext));
        edit(b);
        vektest::WriteFileBytes(Path(ext), b);
    }
    DResult r;
};

void ExpectFrame(const DFrameForce& f, const resgen::FrameRec& rec, int set)
{
    ASSERT_EQ(f.nSect, rec.pos.size());
    for (size_t i = 0; i < rec.pos.size(); ++i) {
        EXPECT_EQ(f.pSect[i][0], rec.pos[i]);
        for (int c = 0; c < 6; ++c) EXPECT_EQ(f.pSect[i][c + 1], rec.force[set][i][c]);
    }
}

TEST_F(ResultForces, FramesOneSetOneElementAndWalk)
{
    MArrayID<DFrameForce> store(0, 128);
    for (int set = 1; set <= 3; ++set) {
        ASSERT_EQ(r.GetOneCombAllFrameForce(set, store), 1);
        ASSERT_EQ(store.GetCount(), 3);
        for (const auto& rec : model.u3) ExpectFrame(*store.GetByID(rec.element), rec, set - 1);
    }
    for (const auto& rec : model.u3) {
        ASSERT_EQ(r.GetOneFrameAllCombForce(rec.element, store), 1);
        ASSERT_EQ(store.GetCount(), 3);
        for (int set = 1; set <= 3; ++set) ExpectFrame(*store.GetByID(set), rec, set - 1);
    }
    for (int missing : {0, 3, 10, -4}) {
        EXPECT_EQ(r.GetOneFrameAllCombForce(missing, store), 0) << missing;
        EXPECT_EQ(store.GetCount(), 0);
    }
    ASSERT_EQ(r.GetOneCombAllSframeForce(2, store), 1);
    ExpectFrame(*store.GetByID(1), model.u30[1], 1);
    ASSERT_EQ(r.GetOneSframeAllCombForce(3, store), 1);
    ExpectFrame(*store.GetByID(3), model.u30[0], 2);
    ASSERT_EQ(r.GetOneCombAllVframeForce(3, store), 1);
    ExpectFrame(*store.GetByID(4), model.u7[0], 2);
    ASSERT_EQ(r.GetOneVframeAllCombForce(4, store), 1);
    ExpectFrame(*store.GetByID(2), model.u7[0], 1);
    EXPECT_EQ(r.GetOneVframeAllCombForce(5, store), 0);

    bifstream in;
    int element = 0;
    std::vector<int> seen;
    while (r.RecycleGetOneFrameForce(in, element, store)) {
        seen.push_back(element);
        ASSERT_EQ(store.GetCount(), 3);
    }
    EXPECT_EQ(seen, (std::vector<int>{5, 2, 9}));
    EXPECT_FALSE(in.IsOpen());
    seen.clear();
    while (r.RecycleGetOneSframeForce(in, element, store)) seen.push_back(element);
    EXPECT_EQ(seen, (std::vector<int>{3, 1}));
    ASSERT_EQ(r.RecycleGetOneVframeForce(in, element, store), 1);
    EXPECT_EQ(element, 4);
    EXPECT_EQ(r.RecycleGetOneVframeForce(in, element, store), 0);
}

TEST_F(ResultForces, SetNumberOutOfRange)
{
    MArrayID<DTrussForce> store(0, 128);
    ASSERT_EQ(r.GetOneCombAllTrussForce(1, store), 1);
    for (int set : {0, 4, -1}) {
        EXPECT_EQ(r.GetOneCombAllTrussForce(set, store), 0);
        EXPECT_EQ(store.GetCount(), 0);
    }
}

TEST_F(ResultForces, TrussesSpringsCurvedBeamsAndPipes)
{
    MArrayID<DTrussForce> trusses(0, 128);
    ASSERT_EQ(r.GetOneCombAllTrussForce(2, trusses), 1);
    ASSERT_EQ(trusses.GetCount(), 3);
    for (const auto& rec : model.u8) EXPECT_EQ(trusses.GetByID(rec.element)->force, rec.value[1]);
    ASSERT_EQ(r.GetOneTrussAllCombForce(12, trusses), 1);
    for (int s = 1; s <= 3; ++s) EXPECT_EQ(trusses.GetByID(s)->force, model.u8[2].value[s - 1]);
    EXPECT_EQ(r.GetOneTrussAllCombForce(5, trusses), 0);
    bifstream in;
    int element = 0, visits = 0;
    while (r.RecycleGetOneTrussForce(in, element, trusses)) {
        EXPECT_EQ(element, model.u8[visits].element);
        EXPECT_EQ(trusses.GetByID(3)->force, model.u8[visits].value[2]);
        ++visits;
    }
    EXPECT_EQ(visits, 3);
    EXPECT_FALSE(in.IsOpen());

    MArrayID<DSpringForce> springs(0, 128);
    ASSERT_EQ(r.GetOneCombAllSpringForce(3, springs), 1);
    EXPECT_EQ(springs.GetByID(1)->force, model.u31[1].value[2]);
    ASSERT_EQ(r.GetOneSpringAllCombForce(2, springs), 1);
    EXPECT_EQ(springs.GetByID(2)->force, model.u31[0].value[1]);
    ASSERT_EQ(r.RecycleGetOneSpringForce(in, element, springs), 1);
    EXPECT_EQ(element, 2);
    in.Close();

    MArrayID<DCframeForce> cf(0, 128);
    ASSERT_EQ(r.GetOneCombAllCframeForce(1, cf), 1);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(cf.GetByID(6)->forceI[c], model.u6[0].value[0][c]);
        EXPECT_EQ(cf.GetByID(6)->forceJ[c], model.u6[0].value[0][6 + c]);
    }
    ASSERT_EQ(r.GetOneCframeAllCombForce(2, cf), 1);
    EXPECT_EQ(cf.GetByID(3)->forceJ[5], model.u6[1].value[2][11]);
    ASSERT_EQ(r.RecycleGetOneCframeForce(in, element, cf), 1);
    in.Close();

    MArrayID<DPipeForce> pipes(0, 128);
    ASSERT_EQ(r.GetOneCombAllPipeForce(2, pipes), 1);
    const DPipeForce* p12 = pipes.GetByID(4);  // k = 12: no middle
    const DPipeForce* p18 = pipes.GetByID(8);
    EXPECT_EQ(p12->bMiddle, 0);
    EXPECT_EQ(p18->bMiddle, 1);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(p12->forceI[c], model.u10[0].value[1][c]);
        EXPECT_EQ(p12->forceJ[c], model.u10[0].value[1][12 + c]);
        EXPECT_EQ(p12->forceM[c], 0.0);
        EXPECT_EQ(p18->forceM[c], model.u10[1].value[1][6 + c]);
        EXPECT_EQ(p18->forceJ[c], model.u10[1].value[1][12 + c]);
    }
    ASSERT_EQ(r.GetOnePipeAllCombForce(8, pipes), 1);
    EXPECT_EQ(pipes.GetByID(3)->forceM[2], model.u10[1].value[2][8]);
    ASSERT_EQ(r.RecycleGetOnePipeForce(in, element, pipes), 1);
    EXPECT_EQ(element, 4);
}

void ExpectShell(const DShellForce& f, const std::vector<std::array<double, 8>>& rows)
{
    ASSERT_EQ(f.nNode, static_cast<short>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = 0; c < 8; ++c) EXPECT_EQ(f.pNode[i][c], rows[i][c]);
}

TEST_F(ResultForces, ShellsNotAveraged)
{
    MArrayID<DShellForce> store(0, 128);
    for (int set = 1; set <= 3; ++set) {
        ASSERT_EQ(r.GetOneCombAllShellForceNoAve(set, store), 1);
        ASSERT_EQ(store.GetCount(), static_cast<int>(model.u41.size()));
        for (const auto& rec : model.u41) ExpectShell(*store.GetByID(rec.element), rec.rows[set - 1]);
    }
    EXPECT_EQ(r.GetOneCombAllShellForceNoAve(4, store), 0);
    ASSERT_EQ(r.GetOneShellAllCombForceNoAve(6, store), 1);
    for (int set = 1; set <= 3; ++set) ExpectShell(*store.GetByID(set), model.u41[2].rows[set - 1]);
    ASSERT_EQ(r.GetOneShellAllCombForceNoAve(8, store), 1);  // 10 nodes
    for (int set = 1; set <= 3; ++set) ExpectShell(*store.GetByID(set), model.u41[3].rows[set - 1]);
    EXPECT_EQ(r.GetOneShellAllCombForceNoAve(2, store), 0);
    bifstream in;
    int set = -1, calls = 0;
    while (r.RecycleGetAllShellForceNoAve(in, set, store)) {
        ++calls;
        EXPECT_EQ(set, calls);
        ExpectShell(*store.GetByID(1), model.u41[1].rows[set - 1]);
        ExpectShell(*store.GetByID(8), model.u41[3].rows[set - 1]);
    }
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(in.IsOpen());
}

TEST_F(ResultForces, ShellsAveraged)
{
    MArrayID<DShellForce> store(0, 128);
    for (int set = 1; set <= 3; ++set) {
        ASSERT_EQ(r.GetOneCombAllShellForce(set, store), 1);
        ASSERT_EQ(store.GetCount(), static_cast<int>(model.a41.size()));
        for (const auto& rec : model.a41) ExpectShell(*store.GetByID(rec.element), rec.rows[set - 1]);
    }
    ASSERT_EQ(r.GetOneShellAllCombForce(5, store), 1);
    ASSERT_EQ(store.GetCount(), 3);
    for (int set = 1; set <= 3; ++set) ExpectShell(*store.GetByID(set), model.a41[1].rows[set - 1]);
    ASSERT_EQ(r.GetOneShellAllCombForce(7, store), 1);  // 10 nodes
    for (int set = 1; set <= 3; ++set) ExpectShell(*store.GetByID(set), model.a41[2].rows[set - 1]);
    EXPECT_EQ(r.GetOneShellAllCombForce(3, store), 0);
    EXPECT_EQ(store.GetCount(), 0);
    bifstream in;
    int set = 0, calls = 0;
    while (r.RecycleGetAllShellForce(in, set, store)) {
        ++calls;
        EXPECT_EQ(set, calls);
        ExpectShell(*store.GetByID(2), model.a41[0].rows[set - 1]);
        ExpectShell(*store.GetByID(7), model.a41[2].rows[set - 1]);
    }
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(in.IsOpen());
}

void ExpectWall(const DWallForce& w, const resgen::WallRec& rec, int set)
{
    EXPECT_EQ(w.nHoleKind, rec.HoleKind());
    EXPECT_EQ(w.nEndKind, rec.b & 0xff);
    for (int s = 0; s < 5; ++s) {
        const bool used = (DWallForce::SlotMask(rec.HoleKind()) >> s) & 1;
        ASSERT_EQ(w.pPiece[s] != nullptr, used) << "wall " << rec.element << " slot " << s;
        if (used) {
            for (int i = 0; i < 12; ++i)
                EXPECT_EQ(w.pPiece[s]->value[i], rec.value[set][s][i]) << rec.element << " " << s << " " << i;
        }
    }
}

TEST_F(ResultForces, Walls)
{
    MArrayID<DWallForce> store(0, 128);
    for (int set = 1; set <= 3; ++set) {
        ASSERT_EQ(r.GetOneCombAllWallForce(set, store), 1);
        ASSERT_EQ(store.GetCount(), 4);
        for (const auto& rec : model.u5) ExpectWall(*store.GetByID(rec.element), rec, set - 1);
    }
    // a = 1 and b = 1: one piece, its first end only
    const DWallForce* w4 = store.GetByID(4);
    EXPECT_EQ(w4->nHoleKind, 0);
    EXPECT_EQ(w4->pPiece[0]->value[7], 0.0);
    for (const auto& rec : model.u5) {
        ASSERT_EQ(r.GetOneWallAllCombForce(rec.element, store), 1);
        ASSERT_EQ(store.GetCount(), 3);
        for (int set = 1; set <= 3; ++set) ExpectWall(*store.GetByID(set), rec, set - 1);
    }
    EXPECT_EQ(r.GetOneWallAllCombForce(3, store), 0);
    bifstream in;
    int element = 0, calls = 0;
    while (r.RecycleGetOneWallForce(in, element, store)) {
        EXPECT_EQ(element, model.u5[calls].element);
        ExpectWall(*store.GetByID(2), model.u5[calls], 1);
        ++calls;
    }
    EXPECT_EQ(calls, 4);
}

TEST_F(ResultForces, SteelChecks)
{
    MArrayID<DSframeCheck> store(0, 128);
    ASSERT_EQ(r.GetOneCombAllSframeCheck(2, store), 1);
    const DSframeCheck* c = store.GetByID(8);
    ASSERT_EQ(c->nSect, 3);
    for (int i = 0; i < 3; ++i)
        for (int v = 0; v < 21; ++v) EXPECT_EQ(c->pSect[i][v], model.f88[1].row[1][i][v]);
    ASSERT_EQ(r.GetOneSframeAllCombCheck(2, store), 1);
    EXPECT_EQ(store.GetByID(3)->pSect[1][19], model.f88[0].row[2][1][19]);
    bifstream in;
    int element = 0;
    ASSERT_EQ(r.RecycleGetOneSframeCheck(in, element, store), 1);
    EXPECT_EQ(element, 2);
}

// ------------------------------------------------------------ damaged files

TEST_F(ResultForces, ReadErrorInTheMiddleIsAFailure)
{
    Corrupt("U8", [](std::vector<unsigned char>& b) { b.resize(b.size() - 20); });
    MArrayID<DTrussForce> store(0, 128);
    EXPECT_EQ(r.GetOneCombAllTrussForce(1, store), 0);
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_EQ(r.GetOneTrussAllCombForce(12, store), 0);
    bifstream in;
    int element = 0, calls = 0;
    while (r.RecycleGetOneTrussForce(in, element, store)) ++calls;
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_FALSE(in.IsOpen());
}

TEST_F(ResultForces, ElementNumbersBelowOneAndTooManySectionsAreRefused)
{
    // the second frame record (element 2) is made element 0
    const int second = 16 + (20 + 8 * 3 + 3 * 3 * 56);
    Corrupt("U3", [](std::vector<unsigned char>& b) {
        const int at = 16 + (20 + 8 * 3 + 3 * 3 * 56) + 4;
        std::memset(&b[at], 0, 4);
    });
    (void)second;
    MArrayID<DFrameForce> store(0, 128);
    EXPECT_EQ(r.GetOneCombAllFrameForce(1, store), 0);
    EXPECT_EQ(store.GetCount(), 0);
    // a new index of the damaged file is not built
    resgen::SetTime(Path("U3"), 3600);
    DResult again;
    ASSERT_EQ(Open(again), 1);
    EXPECT_EQ(again.GetOneFrameAllCombForce(5, store), 0);

    // 21 sections in a steel-check record
    Corrupt("F88", [](std::vector<unsigned char>& b) { b[16 + 8] = 21; });
    MArrayID<DSframeCheck> checks(0, 128);
    EXPECT_EQ(r.GetOneCombAllSframeCheck(1, checks), 0);
    // a pipe record with k = 40
    Corrupt("U10", [](std::vector<unsigned char>& b) { b[16 + 8] = 40; });
    MArrayID<DPipeForce> pipes(0, 128);
    EXPECT_EQ(r.GetOneCombAllPipeForce(1, pipes), 0);
    // an averaged shell file whose header announces more elements than it holds
    Corrupt("A41", [](std::vector<unsigned char>& b) { b[4] = 4; });
    MArrayID<DShellForce> shells(0, 128);
    EXPECT_EQ(r.GetOneCombAllShellForce(3, shells), 0);
    EXPECT_EQ(shells.GetCount(), 0);
}

TEST_F(ResultForces, ElementIndexEntriesAndFileLayout)
{
    // NU3: M = 9, positions of elements 5, 2, 9; -1 for the others
    auto b = vektest::ReadFileBytes(Path("NU3"));
    ASSERT_EQ(b.size(), 4u + 9 * 4);
    auto word = [&](int i) {
        int32_t v;
        std::memcpy(&v, &b[4 * i], 4);
        return v;
    };
    EXPECT_EQ(word(0), 9);
    const int rec5 = 20 + 8 * 3 + 3 * 3 * 56, rec2 = 20 + 8 * 2 + 3 * 2 * 56;
    EXPECT_EQ(word(5), 16);
    EXPECT_EQ(word(2), 16 + rec5);
    EXPECT_EQ(word(9), 16 + rec5 + rec2);
    EXPECT_EQ(word(1), -1);
    EXPECT_EQ(word(3), -1);
    // NA41: 3 sets, the blocks of three records each
    auto a = vektest::ReadFileBytes(Path("NA41"));
    ASSERT_EQ(a.size(), 16u);
    int32_t v[4];
    std::memcpy(v, a.data(), 16);
    EXPECT_EQ(v[0], 3);
    const int block = (16 + 4 * 72) + (16 + 3 * 72) + (16 + 10 * 72);
    EXPECT_EQ(v[1], 16);
    EXPECT_EQ(v[2], 16 + block);
    EXPECT_EQ(v[3], 16 + 2 * block);
}

// Reinforcement file written by hand: records of kinds 1, 2 and 3, one not present.
class Reinforcement : public krtest::ResultSet {
protected:
    void SetUp() override
    {
        Write();
        bytes = resgen::ReinforcementFile();
        ASSERT_TRUE(vektest::WriteFileBytes(Path("RC2"), bytes));
        ASSERT_EQ(Open(r), 1);
    }
    vektest::Bytes bytes;
    DResult r;
};

TEST_F(Reinforcement, AllRecordsAndOne)
{
    MArrayID<DFrameRein> store(0, 128);
    EXPECT_EQ(r.GetAllFrameReinData(store), 1);  // success is 1
    ASSERT_EQ(store.GetCount(), 3);
    const DFrameRein* a = store.GetByID(3);
    EXPECT_EQ(a->nKind, 1);
    ASSERT_EQ(a->nSect, 1);
    const DFrameRein::DReinData s = a->pSect[0];
    EXPECT_EQ(+s.pos, 0.9f);  // the last group that read a position
    EXPECT_EQ(+s.down1, 11.0f);
    EXPECT_EQ(+s.downCode, 4);
    EXPECT_EQ(+s.up2, 22.0f);
    EXPECT_EQ(+s.upCode, 5);
    EXPECT_EQ(+s.hoopFlag, 1);
    EXPECT_EQ(+s.hoop1, 31.0f);
    EXPECT_EQ(+s.hoopCode, 6);
    EXPECT_EQ(a->nTorKind, 11);
    EXPECT_EQ(a->fTor[3], 4.0f);
    EXPECT_EQ(a->nTorCode, 7);

    const DFrameRein* c = store.GetByID(6);
    ASSERT_EQ(c->nSect, 2);
    const DFrameRein::DReinData c0 = c->pSect[0], c1 = c->pSect[1];
    EXPECT_EQ(+c0.hoopFlag, 0);
    EXPECT_EQ(+c0.dir2Kind, 4);
    EXPECT_EQ(+c0.dir2v1, 0.0f);
    EXPECT_EQ(+c0.dir2v2, 41.0f);
    EXPECT_EQ(+c0.dir3Kind, 7);
    EXPECT_EQ(+c0.dir3v2, 51.0f);
    EXPECT_EQ(+c0.dir3Code, 9);
    EXPECT_EQ(+c0.pos, 0.0f);  // kind 7 of the third direction sets the position to 0
    EXPECT_EQ(+c1.pos, 2.75f);
    EXPECT_EQ(+c1.hoop2, 62.0f);
    EXPECT_EQ(+c1.dir2Code, 11);
    EXPECT_EQ(+c1.dir3Kind, 9);
    EXPECT_EQ(+c1.dir3Code, 0);
    EXPECT_EQ(c->nTorKind, 12);  // columns read no torsion

    const DFrameRein* e = store.GetByID(8);
    const DFrameRein::DReinData e0 = e->pSect[0];
    EXPECT_EQ(+e0.dir2v1, 7.0f);
    EXPECT_EQ(+e0.dir3v2, 9.0f);
    EXPECT_EQ(+e0.pos, 0.6f);
    EXPECT_EQ(e->nTorKind, 12);
    EXPECT_EQ(e->fTor[0], 0.0f);

    DFrameRein one;
    EXPECT_EQ(r.GetOneFrameReinData(6, one), 1);
    EXPECT_EQ(one.nSect, 2);
    EXPECT_EQ(r.GetOneFrameReinData(4, one), 0);  // not present
    EXPECT_EQ(r.GetOneFrameReinData(5, one), 0);
}

TEST_F(Reinforcement, CutFileIsAFailure)
{
    bytes.resize(bytes.size() - 3);
    vektest::WriteFileBytes(Path("RC2"), bytes);
    MArrayID<DFrameRein> store(0, 128);
    EXPECT_EQ(r.GetAllFrameReinData(store), 0);
    EXPECT_EQ(store.GetCount(), 0);
    DFrameRein one;
    EXPECT_EQ(r.GetOneFrameReinData(3, one), 1);  // found before the damage
    EXPECT_EQ(r.GetOneFrameReinData(8, one), 0);
}

}  // namespace

namespace {

// Cut at every byte: a query succeeds only when the cut falls between two
// records, and then gives exactly the whole records before it.
TEST_F(ResultForces, FilesCutAtEveryByte)
{
    const auto trussBytes = vektest::ReadFileBytes(Path("U8"));
    std::vector<size_t> ends = {16};
    for (size_t k = 0; k < model.u8.size(); ++k) ends.push_back(ends.back() + 12 + 3 * 16);
    ASSERT_EQ(ends.back(), trussBytes.size());

    std::vector<size_t> wallEnds = {16};
    for (const auto& w : model.u5) {
        static const int pieces[4] = {1, 3, 1, 5};
        const int endsStored = (w.b == 0 || w.b == 1) + (w.b != 1);
        wallEnds.push_back(wallEnds.back() + 28 + pieces[w.HoleKind()] * 3 * 56 * endsStored);
    }
    const auto wallBytes = vektest::ReadFileBytes(Path("U5"));
    ASSERT_EQ(wallEnds.back(), wallBytes.size());

    MArrayID<DTrussForce> trusses(0, 128);
    for (size_t cut = 16; cut <= trussBytes.size(); ++cut) {
        vektest::WriteFileBytes(Path("U8"), {trussBytes.begin(), trussBytes.begin() + cut});
        auto at = std::find(ends.begin(), ends.end(), cut);
        const int whole = static_cast<int>(at - ends.begin());
        EXPECT_EQ(r.GetOneCombAllTrussForce(2, trusses), at != ends.end() ? 1 : 0) << cut;
        EXPECT_EQ(trusses.GetCount(), at != ends.end() ? whole : 0) << cut;
    }
    MArrayID<DWallForce> walls(0, 128);
    std::vector<size_t> cuts;  // every 5th byte, and every byte near a record end
    for (size_t cut = 16; cut <= wallBytes.size(); ++cut) {
        bool nearEnd = false;
        for (size_t e : wallEnds) nearEnd = nearEnd || (cut + 3 > e && cut < e + 3);
        if (nearEnd || cut % 5 == 0) cuts.push_back(cut);
    }
    for (size_t cut : cuts) {
        vektest::WriteFileBytes(Path("U5"), {wallBytes.begin(), wallBytes.begin() + cut});
        auto at = std::find(wallEnds.begin(), wallEnds.end(), cut);
        EXPECT_EQ(r.GetOneCombAllWallForce(3, walls), at != wallEnds.end() ? 1 : 0) << cut;
        bifstream in;
        int element = 0, calls = 0;
        while (r.RecycleGetOneWallForce(in, element, walls)) ++calls;
        const int whole =
            static_cast<int>(std::upper_bound(wallEnds.begin(), wallEnds.end(), cut) - wallEnds.begin()) - 1;
        EXPECT_EQ(calls, whole) << cut;
    }
}

}  // namespace
