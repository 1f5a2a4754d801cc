// The whole model's data file against fprintf of the same lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/TestFiles.h"
#include "tests/vek/analysis/FakeFrames.h"
#include "vek/analysis/DataFileWriter.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

constexpr int kStoreys = 10, kPerStorey = 10000;  // 100,000 nodes
std::string g_doc;

struct Model {
    vektest::TempDir dir{"bench_model"};
    vektest::FakeFrames frames;
    vektest::AppHelperLog log;
    Model()
    {
        theDataFileHooks.documentPath = [] { return g_doc; };
        g_doc = dir.File("BENCH.PRJ");
        std::snprintf(theProjectOptions.szProjectName, sizeof theProjectOptions.szProjectName, "BENCH");
        theLevels.count = kStoreys - 1;
        for (int s = 0; s < kStoreys - 1; ++s) theLevels.heights[s] = 3;
        theLevels.RecomputeElevations();
        theStoreyLists.Recreate(kStoreys - 1);
        theMaterials.Add(CMaterial());
        theFrameSects.Add(CFrameSect());
        const int load = frames.Load(10);
        for (int s = 0; s < kStoreys; ++s)
            for (int k = 0; k < kPerStorey; ++k) {
                const double p[3] = {4.0 * (k % 100), 5.0 * (k / 100), 3.0 * s};
                CNode node(p);
                node.m_nID = s * kPerStorey + k + 1;
                StoreNode(node);
                AddNodeToLevel(node.m_nID);
            }
        int id = 0;
        for (int s = 0; s < kStoreys; ++s)
            for (int k = 0; k < kPerStorey; ++k) {
                const int a = s * kPerStorey + k + 1;
                const int b = k % 100 < 99 ? a + 1 : a - 1;
                const int c = s + 1 < kStoreys ? a + kPerStorey : a - kPerStorey;
                frames.Beam(++id, a, b).row.loads = {{1, load}};
                AddFrameToLevel(id, s);
                frames.Beam(++id, a, c);
                AddFrameToLevel(id, s);
            }
        for (int i = 0; i < theNodes.GetSize(); ++i) theNodes.GetAt(i)->m_nElements = 4;
    }
    std::string File() const { return dir.File("BENCH"); }
};

Model& TheModel()
{
    static std::unique_ptr<Model> model(new Model);
    return *model;
}

void BM_ModelMerged(benchmark::State& state)
{
    Model& m = TheModel();
    for (auto _ : state) benchmark::DoNotOptimize(WriteKorvaDataFile(1, 1, 0, 1, 1, 0, 0, nullptr));
    state.SetItemsProcessed(state.iterations() * (theNodes.GetSize() + m.frames.Count()));
}
BENCHMARK(BM_ModelMerged)->Unit(benchmark::kMillisecond);

void BM_ModelAsIs(benchmark::State& state)
{
    Model& m = TheModel();
    for (auto _ : state) benchmark::DoNotOptimize(WriteKorvaDataFile(1, 0, 0, 0, 1, 0, 0, nullptr));
    state.SetItemsProcessed(state.iterations() * (theNodes.GetSize() + m.frames.Count()));
}
BENCHMARK(BM_ModelAsIs)->Unit(benchmark::kMillisecond);

// The same node and beam lines through fprintf.
void BM_Fprintf(benchmark::State& state)
{
    Model& m = TheModel();
    const std::string path = m.File() + ".printf";
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "w");
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            const CNode* n = theNodes.GetAt(i);
            std::fprintf(f, "%d C=%.10g %.10g %.10g \n", n->m_nID, n->m_dCoord[0], n->m_dCoord[1], n->m_dCoord[2]);
        }
        for (const auto& b : m.frames.beams)
            std::fprintf(f, "%d %d %d M=%d L=%d \n", b.row.id, b.row.nodes[0], b.row.nodes[1], 1,
                         b.row.loads.empty() ? 0 : 1);
        std::fclose(f);
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * (theNodes.GetSize() + m.frames.Count()));
}
BENCHMARK(BM_Fprintf)->Unit(benchmark::kMillisecond);

}  // namespace
