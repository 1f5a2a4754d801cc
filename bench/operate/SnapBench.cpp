// One mouse move's snap search over 50,000 candidate lines and 50,000
// nodes in a plan view, against a bare loop that projects the same points
// and measures the same distances. The search may take at most twice as long.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OsnapState.h"

namespace {

constexpr int kCount = 50000;
long clockNow = 0;

struct Model {
    std::vector<double> points;  // 3 per node
    std::vector<double> lines;   // 6 per line
};

const Model& TheModel()
{
    static Model m = [] {
        Model model;
        unsigned s = 2024;
        auto next = [&s] {
            s = s * 1103515245u + 12345u;
            return double(s >> 8) / double(1u << 24) * 100;
        };
        for (int i = 0; i < kCount; ++i) {
            const double x = next(), y = next();
            model.points.insert(model.points.end(), {x, y, 0});
            model.lines.insert(model.lines.end(), {x, y, 0, x + next() / 20, y + next() / 20, 0});
        }
        return model;
    }();
    return m;
}

void SetUpView()
{
    theProjectOptions = CProjectOptions();
    theViewProjection.SetScreenRect(0, 0, 1200, 800);
    theViewProjection.SetDefaultView();
    const double hi[3] = {100, 100, 0}, lo[3] = {0, 0, 0};
    theViewProjection.SetExtent(hi, lo);
    theViewProjection.ZoomExtents(0, 0, 1);
    theOperateLinks.clockMs = [] { return clockNow += 1000; };
    theOsnapState = COsnapState();
    theOsnapState.Reset(false);
    theOsnapState.m_collecting = 1;
    const Model& m = TheModel();
    for (int i = 0; i < kCount; ++i) {
        theOsnapState.AddSnapPoint(&m.points[size_t(3 * i)], 0);
        theOsnapState.AddSnapLine(&m.lines[size_t(6 * i)], &m.lines[size_t(6 * i + 3)], 0, 0);
    }
}

void Search(benchmark::State& state, bool allSwitches)
{
    SetUpView();
    if (allSwitches)
        for (int s = 0; s < COsnapState::kSwitchCount; ++s) theOsnapState.SetSwitch(COsnapState::Switch(s), true);
    const double ref[3] = {50, 50, 0};
    int i = 0;
    for (auto _ : state) {
        // The cursor moves on every call, so the search runs in full.
        const int x = 600 + (i & 1) * 7, y = 400 + (i & 1) * 5;
        ++i;
        theOsnapState.Snap(ref, x, y);
        benchmark::DoNotOptimize(theOsnapState.m_type);
    }
    state.counters["candidates"] = theOsnapState.CandidateLines() + theOsnapState.CandidatePoints();
    theOperateLinks.clockMs = nullptr;
}

void SnapSearch(benchmark::State& state)
{
    Search(state, false);
}

void SnapSearchAllSwitches(benchmark::State& state)
{
    Search(state, true);
}

// The same projections and distances in a plain loop: every node and both
// ends of every line to the screen, and their distances to the cursor.
void BareLoop(benchmark::State& state)
{
    SetUpView();
    const Model& m = TheModel();
    int i = 0;
    for (auto _ : state) {
        const double cx = 600 + (i & 1) * 7, cy = 400 + (i & 1) * 5;
        ++i;
        double best = 9e30;
        for (int k = 0; k < kCount; ++k) {
            double sx, sy;
            theViewProjection.WorldToScreen(&m.points[size_t(3 * k)], sx, sy);
            best = std::min(best, std::hypot(sx - cx, sy - cy));
        }
        for (int k = 0; k < kCount; ++k) {
            double ax, ay, bx, by;
            theViewProjection.WorldToScreen(&m.lines[size_t(6 * k)], ax, ay);
            theViewProjection.WorldToScreen(&m.lines[size_t(6 * k + 3)], bx, by);
            best = std::min(best, std::min(std::hypot(ax - cx, ay - cy), std::hypot(bx - cx, by - cy)));
            best = std::min(best, std::hypot((ax + bx) / 2 - cx, (ay + by) / 2 - cy));
        }
        benchmark::DoNotOptimize(best);
    }
}

}  // namespace

BENCHMARK(BareLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(SnapSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(SnapSearchAllSwitches)->Unit(benchmark::kMillisecond);
