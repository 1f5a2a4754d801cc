// The beam-grid command on a 223 x 223 grid (224 x 224 nodes, 99,904 beams)
// with splitting on, over a model that already holds the nodes of every
// second row of the grid, against a bare MArrayID::Add loop of the same
// 99,904 frames between the same node numbers.
#include <benchmark/benchmark.h>

#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameGenerate.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"

namespace {

constexpr int kCells = 223;

void FreshModel()
{
    ClearFrameFamily();
    ClearNodeFamily();
    theUndo.Clear();
    theProjectOptions.SetDefaults();
    theDisplayRange.Reset();
    theLevels.Reset();
    theFrameGeneration = CFrameGeneration();
}

// The nodes of every second row of the grid, as they would stand already.
void NodesOnHalfTheLines()
{
    for (int j = 0; j <= kCells; j += 2)
        for (int i = 0; i <= kCells; ++i) {
            const double p[3] = {double(i), double(j), 0};
            FindOrAddNode(p);
        }
}

void BM_BeamGrid(benchmark::State& state)
{
    vektest::AppHelperLog log;
    for (auto _ : state) {
        state.PauseTiming();
        FreshModel();
        NodesOnHalfTheLines();
        log.QueuePromptAnswer("223 223");
        theProjectOptions.nGenerateMethod = 5;
        const double corners[4][3] = {{0, 0, 0}, {kCells, 0, 0}, {kCells, kCells, 0}, {0, kCells, 0}};
        state.ResumeTiming();
        GenerateBeams({4, corners});
        state.PauseTiming();
        if (theFrames.GetSize() != 2 * kCells * (kCells + 1)) state.SkipWithError("wrong frame count");
        state.counters["frames"] = theFrames.GetSize();
        state.counters["nodes"] = theNodes.GetSize();
        state.ResumeTiming();
    }
}

void BM_BareAdd(benchmark::State& state)
{
    std::vector<std::pair<int, int>> ends;
    const int row = kCells + 1;
    for (int j = 0; j <= kCells; ++j)
        for (int i = 0; i <= kCells; ++i) {
            const int n = j * row + i + 1;
            if (i < kCells) ends.emplace_back(n, n + 1);
            if (j < kCells) ends.emplace_back(n, n + row);
        }
    for (auto _ : state) {
        CFrameStore store(0, 1024);
        for (const auto& [a, b] : ends) {
            CFrame f;
            f.m_nNodeI = a;
            f.m_nNodeJ = b;
            store.Add(f);
        }
        benchmark::DoNotOptimize(store.GetSize());
    }
    state.counters["frames"] = double(ends.size());
}

}  // namespace

BENCHMARK(BM_BeamGrid)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BareAdd)->Unit(benchmark::kMillisecond);
