// Timing of the drawing layer: 1,000,000 segments (or the count given)
// through DrawLine3D against a bare loop of the same segments on the same
// device: GL_LINES in one OpenGL context (3-D view), MoveTo/LineTo on one
// GDI memory DC (plan view); and a repaint of the model view without a change
// against a bare window whose paint is one BitBlt of the same picture. Each is run five times
// and the best time kept.
//
//   ViewDrawSpeed.exe [segments]
#include <windows.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "framework/Image.h"
#include "bench/BestTime.h"
#include "bench/GlLines.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/win/GdiDrawDC.h"
#include "vek/view/win/GlBitmap.h"
#include "vek/view/win/VekView.h"
#include "vek/view/win/WinGl.h"

namespace {

HDC bareSource = nullptr;

LRESULT CALLBACK BarePaint(HWND hwnd, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    BitBlt(dc, 0, 0, 800, 600, bareSource, 0, 0, SRCCOPY);
    EndPaint(hwnd, &ps);
    return 0;
}

const double kHi[3] = {100, 100, 100}, kLo[3] = {0, 0, 0};

}  // namespace

int main(int argc, char** argv)
{
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000000;
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> at(0, 100), step(-2, 2);
    std::vector<double> pts(static_cast<size_t>(n) * 6);
    for (int i = 0; i < n; ++i) {
        double* p = &pts[static_cast<size_t>(i) * 6];
        for (int k = 0; k < 3; ++k) {
            p[k] = at(rng);
            p[3 + k] = p[k] + step(rng);
        }
    }
    const uint32_t colour = RGB(255, 255, 0);
    std::printf("segments: %d\n", n);

    // 3-D on OpenGL.
    {
        CGlBitmap picture;
        if (!StartGl3D(picture, kHi, kLo)) return 1;
        CGdiDrawDC dc(picture.Dc());
        const double bare = BestSeconds([&] { BareGlLines(pts); });
        const double ours = BestSeconds([&] {
            glClear(GL_COLOR_BUFFER_BIT);
            BeginExternalDraw(&dc);
            for (int i = 0; i < n; ++i)
                DrawLine3D(&pts[static_cast<size_t>(i) * 6], &pts[static_cast<size_t>(i) * 6 + 3], colour, 1);
            EndExternalDraw();
            glFinish();
        });
        std::printf("3-D OpenGL: DrawLine3D %.3f s, bare GL_LINES %.3f s, ratio %.2f (goal <= 2)\n", ours, bare,
                    ours / bare);
        SetGlApi(nullptr);
    }

    // Plan on GDI.
    {
        theProjectOptions.bHiddenSurface = 0;
        FitView(1, kHi, kLo);
        CImage canvas;
        canvas.Create(800, 600, 32);
        HDC mem = canvas.GetDC();
        std::vector<POINT> px(static_cast<size_t>(n) * 2);
        for (int i = 0; i < 2 * n; ++i) {
            int x, y;
            theViewProjection.WorldToScreenInt(&pts[static_cast<size_t>(i) * 3], x, y);
            px[static_cast<size_t>(i)] = POINT{x, y};
        }
        HPEN pen = CreatePen(PS_SOLID, 1, colour);
        const double bare = BestSeconds([&] {
            HGDIOBJ was = SelectObject(mem, pen);
            for (int i = 0; i < n; ++i) {
                MoveToEx(mem, px[static_cast<size_t>(2 * i)].x, px[static_cast<size_t>(2 * i)].y, nullptr);
                LineTo(mem, px[static_cast<size_t>(2 * i + 1)].x, px[static_cast<size_t>(2 * i + 1)].y);
            }
            SelectObject(mem, was);
            GdiFlush();
        });
        CGdiDrawDC dc(mem);
        const double ours = BestSeconds([&] {
            BeginExternalDraw(&dc);
            for (int i = 0; i < n; ++i)
                DrawLine3D(&pts[static_cast<size_t>(i) * 6], &pts[static_cast<size_t>(i) * 6 + 3], colour, 1);
            EndExternalDraw();
            GdiFlush();
        });
        std::printf("plan GDI: DrawLine3D %.3f s, bare MoveTo/LineTo %.3f s, ratio %.2f (goal <= 1.5)\n", ours, bare,
                    ours / bare);
        DeleteObject(pen);
        canvas.ReleaseDC();
    }

    // A repaint without a change copies the stored picture and draws nothing.
    {
        CWnd host;
        if (!host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr))
            return 1;
        CVekView* view = new CVekView;  // deletes itself with its window
        if (!view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 600), &host, 1)) return 1;
        view->InvalidateModel();
        view->UpdateWindow();
        const HWND window = view->GetSafeHwnd();
        const int repaints = 300;
        const double ours = BestSeconds([&] {
            for (int i = 0; i < repaints; ++i) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            GdiFlush();
        });
        // The bare one: a window of its own whose paint is that BitBlt alone.
        bareSource = view->GetMemDC();
        WNDCLASSA wc{};
        wc.lpfnWndProc = BarePaint;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VekBenchBare";
        RegisterClassA(&wc);
        const HWND bareWindow = CreateWindowExA(0, "VekBenchBare", "", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                                nullptr, wc.hInstance, nullptr);
        const double bare = BestSeconds([&] {
            for (int i = 0; i < repaints; ++i)
                RedrawWindow(bareWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            GdiFlush();
        });
        DestroyWindow(bareWindow);
        std::printf(
            "repaint without a change: %.3f s, bare window painting by BitBlt %.3f s, ratio %.2f (goal <= 1.2)\n", ours,
            bare, ours / bare);
        host.DestroyWindow();
    }
    return 0;
}
