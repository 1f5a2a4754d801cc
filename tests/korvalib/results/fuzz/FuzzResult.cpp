// Fuzz target: opens a packed result set (see ResultArchive.h) and runs every
// query on it. Damaged files must give failure results, never a crash.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ResultArchive.h"
#include "containers/MArray.h"
#include "containers/MArrayID.h"
#include "korvalib/model/AnalysisRecords.h"
#include "korvalib/results/Result.h"
#include "korvalib/base/biostream.h"
#include "tests/support/TestFiles.h"

namespace fs = std::filesystem;

namespace {

const fs::path& Folder()
{
    static const vektest::TempDir dir("fuzz_result", vektest::MemoryFolder());
    return dir.path();
}

template <class T, class Walk>
void WalkAll(Walk walk)
{
    MArrayID<T> store(0, 128);
    bifstream in;
    int k = 0;
    for (int i = 0; i < 10000 && walk(in, k, store); ++i) {
    }
}

void Queries(DResult& r)
{
    const int n = r.m_nResultNode;
    const int S = r.m_nForceComb;
    if (n > 200000 || r.m_nLoadCase + r.m_nLoadComb > 2000 || S > 2000 || r.m_nTimeStep > 2000) return;
    std::vector<double[6]> nodes(static_cast<size_t>(n) + 1);
    std::vector<double[9]> stress(static_cast<size_t>(n) + 1 + S);
    std::vector<double[6]> perRecord(static_cast<size_t>(32767 + 2000 + 1));
    std::vector<double> times(static_cast<size_t>(32767 + 2000 + 1));
    double x = 0;
    for (int k : {1, 2, static_cast<int>(r.m_nLoadCase)}) {
        r.GetOneCondDisp(k, nodes.data());
        r.GetOneCombDisp(k, nodes.data());
        r.GetEigenDisp(k, nodes.data(), x);
        r.GetOneHistResDisp(k, nodes.data(), x);
        r.GetOneHistResVel(k, nodes.data(), x);
        r.GetOneHistResAcc(k, nodes.data(), x);
        r.GetOneSpecDirDisp(k, nodes.data());
        r.GetOneBuckleDisp(k, nodes.data(), x);
        r.GetOneConstrDisp(k, nodes.data());
        r.GetAllNodeAboveForce(k, nodes.data());
        r.GetOneCombPlaneStress(k, stress.data());
        r.GetOneCombShellStress(k, stress.data());
    }
    for (int j : {1, n}) {
        r.GetOneNodeAllCondDisp(j, perRecord.data());
        r.GetOneNodeAllCombDisp(j, perRecord.data());
        r.GetOneNodeAllHistResDisp(j, perRecord.data(), times.data());
        r.GetOneNodeAllSpecDirDisp(j, perRecord.data());
        r.GetOneNodeAllConstrDisp(j, perRecord.data());
        r.GetOneNodeAboveForce(j, perRecord.data());
        r.GetOneNodeAllCombSol21Stress(j, stress.data());
    }
    r.GetEigenPeriod(times.data());
    r.GetBuckleFactor(times.data());
    r.GetAllNodeMass(nodes.data());
    std::vector<int> modes(static_cast<size_t>(r.m_nSpecMode) + 1);
    std::vector<double> a(static_cast<size_t>(r.m_nSpecMode) * r.m_nSpecDir + 1), b(a.size());
    r.GetSpectrumCalData(modes.data(), a.data(), b.data());
    if (r.m_nSpecDir <= 8) {
        MArray<DSpectrumDir> dirs(0, 128);
        for (int j = 0; j < r.m_nSpecDir; ++j) {
            DSpectrumDir d(j, 1, 0, 0, 1);
            dirs.Add(d);
        }
        r.GetSpecMassPartRatio(dirs, modes.data(), a.data());
    }
    if (S <= 64) {
        std::vector<double[21][9]> some(static_cast<size_t>(S) + 1);
        const int list[3] = {1, n, 1};
        r.GetSomeNodePlaneStress(3, list, some.data());
    }

    MArrayID<DFrameForce> frames(0, 128);
    r.GetOneCombAllFrameForce(1, frames);
    r.GetOneFrameAllCombForce(1, frames);
    r.GetOneSframeAllCombForce(2, frames);
    r.GetOneCombAllVframeForce(1, frames);
    r.GetOneVframeAllCombForce(4, frames);
    MArrayID<DTrussForce> trusses(0, 128);
    r.GetOneCombAllTrussForce(1, trusses);
    r.GetOneTrussAllCombForce(3, trusses);
    MArrayID<DPipeForce> pipes(0, 128);
    r.GetOneCombAllPipeForce(S, pipes);
    r.GetOnePipeAllCombForce(8, pipes);
    MArrayID<DShellForce> shells(0, 128);
    r.GetOneCombAllShellForce(1, shells);
    r.GetOneShellAllCombForce(2, shells);
    r.GetOneCombAllShellForceNoAve(1, shells);
    r.GetOneShellAllCombForceNoAve(3, shells);
    MArrayID<DWallForce> walls(0, 128);
    r.GetOneCombAllWallForce(1, walls);
    r.GetOneWallAllCombForce(2, walls);
    MArrayID<DSframeCheck> checks(0, 128);
    r.GetOneCombAllSframeCheck(1, checks);
    r.GetOneSframeAllCombCheck(2, checks);
    MArrayID<DFrameRein> reins(0, 128);
    r.GetAllFrameReinData(reins);
    DFrameRein one;
    r.GetOneFrameReinData(3, one);

    WalkAll<DFrameForce>(
        [&](bifstream& in, int& k, MArrayID<DFrameForce>& s) { return r.RecycleGetOneFrameForce(in, k, s); });
    WalkAll<DCframeForce>(
        [&](bifstream& in, int& k, MArrayID<DCframeForce>& s) { return r.RecycleGetOneCframeForce(in, k, s); });
    WalkAll<DSpringForce>(
        [&](bifstream& in, int& k, MArrayID<DSpringForce>& s) { return r.RecycleGetOneSpringForce(in, k, s); });
    WalkAll<DWallForce>(
        [&](bifstream& in, int& k, MArrayID<DWallForce>& s) { return r.RecycleGetOneWallForce(in, k, s); });
    WalkAll<DShellForce>(
        [&](bifstream& in, int& k, MArrayID<DShellForce>& s) { return r.RecycleGetAllShellForce(in, k, s); });
    WalkAll<DShellForce>(
        [&](bifstream& in, int& k, MArrayID<DShellForce>& s) { return r.RecycleGetAllShellForceNoAve(in, k, s); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fs::path& dir = Folder();
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) fs::remove(e.path(), ec);
    if (size < 1) return 0;
    const int n = data[0];
    size_t at = 1;
    while (at + 5 <= size) {
        const int file = data[at];
        uint32_t len;
        std::memcpy(&len, data + at + 1, 4);
        at += 5;
        if (len > size - at) len = static_cast<uint32_t>(size - at);
        if (file < krfuzz::kArchiveExtCount) {
            const std::string path = (dir / (std::string("set.") + krfuzz::kArchiveExts[file])).string();
            vektest::WriteFileBytes(path, data + at, len);
        }
        at += len;
    }
    DResult r;
    if (r.SetFileName((dir / "set.kor").string().c_str(), n)) Queries(r);
    return 0;
}
