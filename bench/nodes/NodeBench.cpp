// FindOrAddNode with the coincidence check on, in a model of ten storeys,
// half of the points repeating a node already there (exactly or within the
// tolerances), against std::unordered_map find-or-insert of the same
// points' grid cells; undo and redo of one group that added 100,000 nodes,
// against that addition; the node block of 200,000 nodes written and read.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "korvalib/base/biostream.h"
#include "tests/support/AppHelpersStandIn.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeBlock.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

struct Point {
    double p[3];
};

// n points, half of them repeats of earlier ones (a third of those moved
// within the tolerances), on ten storeys 3 apart.
std::vector<Point> Points(int n)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> noise(-0.009, 0.009);
    std::vector<Point> pts;
    pts.reserve(size_t(n));
    const int distinct = n / 2;
    const int perRow = 250, perStorey = distinct / 10;
    for (int i = 0; i < distinct; ++i) {
        const int s = i / perStorey, k = i % perStorey;
        pts.push_back({{double(k % perRow) * 0.5, double(k / perRow) * 0.5, 3.0 * (s + 1)}});
    }
    std::uniform_int_distribution<int> pick(0, distinct - 1);
    for (int i = distinct; i < n; ++i) {
        Point q = pts[size_t(pick(rng))];
        if (i % 3 == 0) {
            q.p[0] += noise(rng);
            q.p[1] += noise(rng);
        }
        pts.push_back(q);
    }
    std::shuffle(pts.begin() + distinct / 2, pts.end(), rng);
    return pts;
}

void EmptyModel()
{
    ClearNodeFamily();
    theUndo.Clear();
    theProjectOptions.SetDefaults();
    theDisplayRange.Reset();
    theLevels.Reset();
    theLevels.count = 10;
    for (int s = 0; s < 10; ++s) theLevels.heights[s] = 3;
    theLevels.RecomputeElevations();
    theStoreyLists.Clear();
    theStoreyLists.Recreate(10);
}

const std::vector<Point>& Million()
{
    static const std::vector<Point> pts = Points(1000000);
    return pts;
}

void BM_FindOrAddNode(benchmark::State& state)
{
    vektest::AppHelperLog log;
    const std::vector<Point>& pts = Million();
    for (auto _ : state) {
        state.PauseTiming();
        EmptyModel();
        state.ResumeTiming();
        for (const Point& q : pts) benchmark::DoNotOptimize(FindOrAddNode(q.p));
    }
    state.counters["nodes"] = theNodes.GetSize();
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(pts.size()));
}
BENCHMARK(BM_FindOrAddNode)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same points' cells (twice the tolerances) found or inserted in a hash map.
void BM_UnorderedMapCells(benchmark::State& state)
{
    const std::vector<Point>& pts = Million();
    const double h = 0.04, v = 0.02;
    for (auto _ : state) {
        std::unordered_map<uint64_t, int> cells;
        int next = 0;
        for (const Point& q : pts) {
            const uint64_t x = uint64_t(int64_t(std::floor(q.p[0] / h))) & 0x1FFFFF;
            const uint64_t y = uint64_t(int64_t(std::floor(q.p[1] / h))) & 0x1FFFFF;
            const uint64_t z = uint64_t(int64_t(std::floor(q.p[2] / v))) & 0x1FFFFF;
            auto it = cells.try_emplace((x << 42) | (y << 21) | z, next + 1);
            if (it.second) ++next;
            benchmark::DoNotOptimize(it.first->second);
        }
        state.counters["cells"] = double(cells.size());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(pts.size()));
}
BENCHMARK(BM_UnorderedMapCells)->Unit(benchmark::kMillisecond)->Iterations(3);

// One undo group adding 100,000 distinct nodes.
void AddGroup()
{
    static const std::vector<Point> pts = [] {
        std::vector<Point> v = Points(200000);
        v.resize(100000);
        return v;
    }();
    theUndo.BeginRecord();
    for (const Point& q : pts) FindOrAddNode(q.p);
    theUndo.EndRecord();
}

void BM_AddGroup100k(benchmark::State& state)
{
    vektest::AppHelperLog log;
    for (auto _ : state) {
        state.PauseTiming();
        EmptyModel();
        state.ResumeTiming();
        AddGroup();
    }
}
BENCHMARK(BM_AddGroup100k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoGroup100k(benchmark::State& state)
{
    vektest::AppHelperLog log;
    for (auto _ : state) {
        state.PauseTiming();
        EmptyModel();
        AddGroup();
        state.ResumeTiming();
        theUndo.Undo();
    }
    state.counters["left"] = theNodes.GetSize();
}
BENCHMARK(BM_UndoGroup100k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RedoGroup100k(benchmark::State& state)
{
    vektest::AppHelperLog log;
    for (auto _ : state) {
        state.PauseTiming();
        EmptyModel();
        AddGroup();
        theUndo.Undo();
        state.ResumeTiming();
        theUndo.Redo();
    }
    state.counters["nodes"] = theNodes.GetSize();
}
BENCHMARK(BM_RedoGroup100k)->Unit(benchmark::kMillisecond)->Iterations(3);

// A project of 200,000 nodes: the node block written and read.
std::string BlockPath()
{
    return (std::filesystem::temp_directory_path() / "vek_nodebench_block.bin").string();
}

void Model200k()
{
    EmptyModel();
    theProjectOptions.bStoreyLookup = 0;
    const std::vector<Point> pts = Points(400000);
    for (int i = 0; i < 200000; ++i) FindOrAddNode(pts[size_t(i)].p);
    theProjectOptions.bStoreyLookup = 1;
}

void BM_SaveNodes200k(benchmark::State& state)
{
    vektest::AppHelperLog log;
    Model200k();
    for (auto _ : state) {
        bofstream out(BlockPath().c_str());
        WriteNodeBlock(out);
        out.Close();
    }
    state.counters["bytes"] = double(std::filesystem::file_size(BlockPath()));
}
BENCHMARK(BM_SaveNodes200k)->Unit(benchmark::kMillisecond);

void BM_LoadNodes200k(benchmark::State& state)
{
    vektest::AppHelperLog log;
    Model200k();
    {
        bofstream out(BlockPath().c_str());
        WriteNodeBlock(out);
        out.Close();
    }
    for (auto _ : state) {
        bifstream in(BlockPath().c_str());
        benchmark::DoNotOptimize(ReadNodeBlock(in));
    }
    state.counters["nodes"] = theNodes.GetSize();
    std::filesystem::remove(BlockPath());
}
BENCHMARK(BM_LoadNodes200k)->Unit(benchmark::kMillisecond);

}  // namespace
