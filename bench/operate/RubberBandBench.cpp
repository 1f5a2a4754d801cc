// A mouse move while a line is being drawn, over a model of 1,000,000
// segments (all of them offered for snapping, as a drawing pass leaves them),
// against two bare copies of the window's back buffer. The move erases the
// band at the old cursor and draws it at the new one on the back buffer (a
// copy to the window, when the drawing layer asks for one, is a copy of the
// buffer); it must cost no more than the two bare copies and never ask for
// the model's picture again ("model_rebuilds" stays 0). The snap search
// over the candidates runs once per interval and is timed apart: at 100 Hz
// it is one move in ten.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "tests/vek/view/operate/PixelCanvas.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ViewLink.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewInput.h"

namespace {

constexpr int kSegments = 1000000;
constexpr int kWidth = 1200, kHeight = 800;
long clockNow = 0;
int modelRebuilds = 0;

// The back buffer; showing it copies it to the window's pixels.
class BackBuffer : public optest::PixelCanvas {
public:
    BackBuffer() : PixelCanvas(kWidth, kHeight), m_window(size_t(kWidth) * kHeight) {}
    void RefreshNow() override { Blit(); }
    void Blit()
    {
        const std::vector<uint32_t>& back = Buffer();
        std::memcpy(m_window.data(), back.data(), back.size() * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }

private:
    std::vector<uint32_t> m_window;
};

void SetUpView()
{
    theProjectOptions = CProjectOptions();
    theViewProjection.SetScreenRect(0, 0, kWidth, kHeight);
    theViewProjection.SetDefaultView();
    const double hi[3] = {1000, 1000, 0}, lo[3] = {0, 0, 0};
    theViewProjection.SetExtent(hi, lo);
    theViewProjection.ZoomExtents(0, 0, 1);
}

// What drawing the model leaves behind: every segment a snap candidate.
void OfferModel()
{
    theOsnapState = COsnapState();
    theOsnapState.Reset(false);
    theOsnapState.m_collecting = 1;
    unsigned s = 2024;
    auto next = [&s] {
        s = s * 1103515245u + 12345u;
        return double(s >> 8) / double(1u << 24) * 1000;
    };
    for (int i = 0; i < kSegments; ++i) {
        const double a[3] = {next(), next(), 0};
        const double b[3] = {a[0] + next() / 100, a[1] + next() / 100, 0};
        theOsnapState.AddSnapLine(a, b, 0, 0);
    }
}

void MoveWithBand(benchmark::State& state, long msPerMove)
{
    SetUpView();
    OfferModel();
    BackBuffer back;
    modelRebuilds = 0;
    theViewLink.invalidateModel = [] { ++modelRebuilds; };
    // The snap search keeps to its own pace (one search per interval).
    static long step = 0;
    step = msPerMove;
    theOperateLinks.clockMs = [] { return clockNow += step; };
    auto* line = new CSingleOperate;
    line->SetPickPoints(
        80, [](CSingleOperate*) {}, 2, 1);
    theOperationStack.BeginOperation(line, 0, 1, 0);
    const double start[3] = {500, 500, 0};
    theOperationStack.ProcessOperationInput(start, nullptr);
    int i = 0;
    for (auto _ : state) {
        ++i;
        ViewInput::OnMouseMove(300 + (i & 63) * 5, 200 + (i & 31) * 7);
    }
    state.counters["model_rebuilds"] = modelRebuilds;
    state.counters["candidates"] = theOsnapState.CandidateLines();
    theOperationStack.EndAllOperations();
    theViewLink.invalidateModel = nullptr;
    theOperateLinks.clockMs = nullptr;
}

// Moves within one interval of the snap search: the band alone.
void MouseMoveBetweenSnapSearches(benchmark::State& state)
{
    MoveWithBand(state, 0);
}

// A mouse reporting every 10 ms: one move in ten searches the candidates.
void MouseMoveAt100Hz(benchmark::State& state)
{
    MoveWithBand(state, 10);
}

void TwoBareBlits(benchmark::State& state)
{
    BackBuffer back;
    for (auto _ : state) {
        back.Blit();
        back.Blit();
    }
}

}  // namespace

BENCHMARK(TwoBareBlits)->Unit(benchmark::kMicrosecond);
BENCHMARK(MouseMoveBetweenSnapSearches)->Unit(benchmark::kMicrosecond);
BENCHMARK(MouseMoveAt100Hz)->Unit(benchmark::kMicrosecond);
