// The whole model's data file against fprintf of the same lines: 100,000
// nodes on ten levels of 100 x 100 and 200,000 real beams (beams along X on
// every level with one shared load, columns between the levels, beams along
// Y from the lowest level up till the count is reached), one load case.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/TestFiles.h"
#include "vek/analysis/DataFileWriter.h"
#include "vek/analysis/FamilyDataFile.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameDataFamily.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

constexpr int kLevels = 10, kSide = 100, kPerLevel = kSide * kSide;  // 100,000 nodes
constexpr int kBeams = 200000;
std::string g_doc;

int NodeAt(int level, int x, int y)
{
    return level * kPerLevel + y * kSide + x + 1;
}

struct Model {
    vektest::TempDir dir{"bench_model"};
    vektest::AppHelperLog log;
    Model()
    {
        RegisterFrameDataFamily(&FrameDataFamilyOfFrames());
        theDataFileHooks.documentPath = [] { return g_doc; };
        g_doc = dir.File("BENCH.PRJ");
        std::snprintf(theProjectOptions.szProjectName, sizeof theProjectOptions.szProjectName, "BENCH");
        theLevels.count = kLevels - 1;
        for (int s = 0; s < kLevels - 1; ++s) theLevels.heights[s] = 3;
        theLevels.RecomputeElevations();
        theStoreyLists.Recreate(kLevels - 1);
        CMaterial concrete;
        concrete.m_fModulus = 3e7f;
        theMaterials.Add(concrete);
        CFrameSect rectangle;
        rectangle.m_cKind = 1;
        rectangle.m_fPara[0] = 0.3f;
        rectangle.m_fPara[1] = 0.6f;
        theFrameSects.Add(rectangle);
        for (int s = 0; s < kLevels; ++s)
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x) {
                    const double p[3] = {4.0 * x, 5.0 * y, 3.0 * s};
                    FindOrAddNode(p);
                }
        CFrameLoad q;
        const float at[2] = {0, 4}, v[2] = {-10, -10};
        q.m_Points[kDistributed][2].SetPoints(2, at, v);
        const int load = FindOrAddFrameLoad(q);
        auto add = [](int a, int b) {
            const int id = AddOneFrame(a, b, 1);
            CFrame& f = *theFrames.GetByID(id);
            f.SetSection(1, kOrdinarySect);
            f.m_nMaterial = 1;
            return id;
        };
        for (int s = 0; s < kLevels; ++s)
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x + 1 < kSide; ++x)
                    theFrames.GetByID(add(NodeAt(s, x, y), NodeAt(s, x + 1, y)))->m_Loads.Insert(1, load);
        for (int s = 0; s + 1 < kLevels; ++s)
            for (int k = 1; k <= kPerLevel; ++k) add(s * kPerLevel + k, (s + 1) * kPerLevel + k);
        for (int s = 0; s < kLevels && theFrames.GetSize() < kBeams; ++s)
            for (int x = 0; x < kSide && theFrames.GetSize() < kBeams; ++x)
                for (int y = 0; y + 1 < kSide && theFrames.GetSize() < kBeams; ++y)
                    add(NodeAt(s, x, y), NodeAt(s, x, y + 1));
    }
    std::string File() const { return dir.File("BENCH"); }
};

Model& TheModel()
{
    static std::unique_ptr<Model> model(new Model);
    return *model;
}

void Counters(benchmark::State& state)
{
    state.counters["nodes"] = theNodes.GetSize();
    state.counters["beams"] = theFrames.GetSize();
    state.SetItemsProcessed(state.iterations() * (theNodes.GetSize() + theFrames.GetSize()));
}

// As the analysis start writes it: coincident nodes merged, beams sorted,
// nodes and beams renumbered.
void BM_ModelMerged(benchmark::State& state)
{
    TheModel();
    for (auto _ : state)
        if (WriteKorvaDataFile(1, 1, 0, 1, 1, 0, 0, nullptr) != 1) state.SkipWithError("not written");
    Counters(state);
}
BENCHMARK(BM_ModelMerged)->Unit(benchmark::kMillisecond);

void BM_ModelAsIs(benchmark::State& state)
{
    TheModel();
    for (auto _ : state)
        if (WriteKorvaDataFile(1, 0, 0, 0, 1, 0, 0, nullptr) != 1) state.SkipWithError("not written");
    Counters(state);
}
BENCHMARK(BM_ModelAsIs)->Unit(benchmark::kMillisecond);

// The node and beam lines with as many numbers, through fprintf.
void BM_Fprintf(benchmark::State& state)
{
    Model& m = TheModel();
    const std::string path = m.File() + ".printf";
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "w");
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            const CNode* n = theNodes.GetAt(i);
            std::fprintf(f, "%d C=%.4g %.4g %.4g \n", n->m_nID, n->m_dCoord[0], n->m_dCoord[1], n->m_dCoord[2]);
        }
        for (int i = 0; i < theFrames.GetSize(); ++i) {
            const CFrame& b = *theFrames.GetAt(i);
            std::fprintf(f, "%d %d %d M=%d DIR2=%.4g %.4g %.4g T=%d E=%.4g %.4g R=%d %d %d %d %d %d L=%d ACT=%d \n",
                         b.m_nID, b.m_nNodeI, b.m_nNodeJ, b.m_nMaterial, b.m_dRef[0], b.m_dRef[1], b.m_dRef[2],
                         b.GetOutputSections(), b.m_fRigid[0], b.m_fRigid[1], b.m_cRelease[0], b.m_cRelease[1],
                         b.m_cRelease[2], b.m_cRelease[3], b.m_cRelease[4], b.m_cRelease[5], b.m_Loads.Entries(),
                         int(b.m_nStage));
        }
        std::fclose(f);
    }
    std::remove(path.c_str());
    Counters(state);
}
BENCHMARK(BM_Fprintf)->Unit(benchmark::kMillisecond);

}  // namespace
