// Timing of an animation capture: 100,000 beams (or the count given) in the
// model view of 1280 x 1024 (the 3-D view, drawn by OpenGL), each frame
// moved, drawn and saved as a GIF file as the capture of a deformed shape
// does it, against one full redraw of the same view. The frames are timed
// one by one over a swing of frames and the best of five swings kept.
//
//   AnimationCaptureSpeed.exe [beams] [frames]
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/BestTime.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/passes/DrawModel.h"
#include "vek/view/win/VekView.h"

namespace {

constexpr int kWidth = 1280, kHeight = 1024;

// A beam grid on one floor: a column of beams along x, another along y,
// moved sideways by a sway that the frames swing through.
std::vector<double> beams;
double sway = 0;

void DrawBeams(const CDrawPassInfo&)
{
    const size_t n = beams.size() / 6;
    for (size_t i = 0; i < n; ++i) {
        const double* p = &beams[i * 6];
        double a[3] = {p[0] + sway * p[2] / 10, p[1], p[2]}, b[3] = {p[3] + sway * p[5] / 10, p[4], p[5]};
        DrawLine3D(a, b, RGB(255, 255, 0), 1);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const int wanted = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const int frames = argc > 2 ? std::max(2, std::atoi(argv[2])) : 10;
    // Two storeys of a square grid, beams along x and y between its points.
    const int side = int(std::ceil(std::sqrt(wanted / 4.0))) + 1;
    const double cell = 100.0 / side;
    for (int z = 1; z <= 2 && int(beams.size() / 6) < wanted; ++z)
        for (int i = 0; i < side && int(beams.size() / 6) < wanted; ++i)
            for (int j = 0; j < side && int(beams.size() / 6) < wanted; ++j) {
                const double x = i * cell, y = j * cell, h = z * 5.0;
                beams.insert(beams.end(), {x, y, h, x + cell, y, h});
                beams.insert(beams.end(), {x, y, h, x, y + cell, h});
            }
    const int count = int(beams.size() / 6);
    std::printf("beams: %d, frames: %d, view %d x %d\n", count, frames, kWidth, kHeight);

    theProjectOptions.SetDefaults();
    theProjectOptions.bHiddenSurface = 1;
    CDrawStepSlot slot;
    slot.drawStep = DrawBeams;
    SetDrawStep(EDrawStep::Frames, slot);

    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                       nullptr))
        return 1;
    CVekView* view = new CVekView;  // deletes itself with its window
    if (!view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &host, 1)) return 1;
    theViewProjection.SetScreenRect(0, 0, kWidth, kHeight);
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    const double hi[3] = {100, 100, 10}, lo[3] = {0, 0, 0};
    theViewProjection.SetExtent(hi, lo);
    theViewProjection.ZoomExtents(0, 1, 1);

    auto redraw = [&] {
        view->InvalidateModel();
        view->UpdateWindow();
    };
    // One full redraw of the view, and the pixels it draws.
    redraw();
    const double full = BestSeconds(redraw);
    ::GdiFlush();
    BITMAP bm{};
    ::GetObject(view->GetBackBitmap(), sizeof bm, &bm);
    const COLORREF back = ::GetPixel(view->GetMemDC(), 0, 0);
    int drawn = 0;
    for (int y = 0; y < bm.bmHeight; y += 4)
        for (int x = 0; x < bm.bmWidth; x += 4) drawn += ::GetPixel(view->GetMemDC(), x, y) != back;

    // The capture: each frame swayed, drawn and saved under its own number.
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string stem = std::string(temp) + "~capture_bench" + std::to_string(::GetCurrentProcessId()) + ".";
    int saved = 0;
    const double swing = BestSeconds([&] {
        saved = 0;
        for (int i = frames - 1; i >= 0; --i) {
            sway = 2.0 * i / (frames - 1);
            redraw();
            saved += view->SaveGifFile((stem + std::to_string(i + 1)).c_str());
        }
    });
    // Where the rest goes: the picture saved as a GIF, without a redraw.
    const double gif = BestSeconds([&] { view->SaveGifFile((stem + "1").c_str()); });
    for (int i = 1; i <= frames; ++i) ::DeleteFileA((stem + std::to_string(i)).c_str());
    const double perFrame = swing / frames;
    std::printf(
        "capture: %.4f s a frame (%d of %d saved), one full redraw %.4f s (%d of %d sampled pixels drawn), "
        "ratio %.2f (goal <= 2); the GIF file alone %.4f s\n",
        perFrame, saved, frames, full, drawn, (bm.bmWidth / 4) * (bm.bmHeight / 4), perFrame / full, gif);
    host.DestroyWindow();
    return saved == frames && drawn > 0 ? 0 : 1;
}
