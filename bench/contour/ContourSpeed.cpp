// Timing of a contour picture: 100,000 quads (or the count given) of a
// smooth field drawn through the drawing layer in the contour's marker
// colours, then every marker pixel recoloured from the palette, against a
// bare loop of the same quads as GL_TRIANGLES with their colours, on the
// same OpenGL picture of 1280 x 1024. Each is run five times and the best
// time kept.
//
//   ContourSpeed.exe [quads]
#include <windows.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench/BestTime.h"
#include "vek/model/ProjectOptions.h"
#include "vek/results/ContourColours.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/win/GdiDrawDC.h"
#include "vek/view/win/GlBitmap.h"
#include "vek/view/win/WinGl.h"

namespace {

constexpr int kWidth = 1280, kHeight = 1024;

}  // namespace

int main(int argc, char** argv)
{
    const int wanted = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const int side = int(std::ceil(std::sqrt(double(wanted))));
    const int quads = side * side;
    // Corners with a normalised value each: x, y, z, t.
    std::vector<double> q(size_t(quads) * 16);
    const double cell = 100.0 / side;
    auto field = [](double x, double y) { return 0.5 + 0.5 * std::sin(x / 17) * std::cos(y / 23); };
    for (int i = 0; i < side; ++i)
        for (int j = 0; j < side; ++j) {
            double* p = &q[size_t(i * side + j) * 16];
            const double xs[4] = {i * cell, (i + 1) * cell, (i + 1) * cell, i * cell};
            const double ys[4] = {j * cell, j * cell, (j + 1) * cell, (j + 1) * cell};
            for (int k = 0; k < 4; ++k) {
                p[4 * k] = xs[k];
                p[4 * k + 1] = ys[k];
                p[4 * k + 2] = 0;
                p[4 * k + 3] = field(xs[k], ys[k]);
            }
        }
    std::printf("quads: %d on %d x %d\n", quads, kWidth, kHeight);

    CGlBitmap picture;
    if (!picture.Create(kWidth, kHeight)) {
        std::printf("OpenGL: no context\n");
        return 1;
    }
    SetGlApi(&WinGlApi());
    theProjectOptions.SetDefaults();
    theProjectOptions.nContourColors = 240;
    theViewProjection.SetScreenRect(0, 0, kWidth, kHeight);
    // Result pictures are rendered by OpenGL: the 3-D view.
    theProjectOptions.bHiddenSurface = 1;
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    const double hi[3] = {100, 100, 1}, lo[3] = {0, 0, 0};
    theViewProjection.SetExtent(hi, lo);
    theViewProjection.ZoomExtents(0, 1, 1);
    theViewProjection.SetupGL();
    CGdiDrawDC dc(picture.Dc());
    DIBSECTION dib{};
    if (::GetObject(picture.Bitmap(), sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) {
        std::printf("the picture has no bits\n");
        return 1;
    }

    // The bare loop's colours are worked out beforehand: the marker greens.
    std::vector<GLubyte> green(size_t(quads) * 4);
    for (size_t i = 0; i < green.size(); ++i) green[i] = GLubyte(8 + int(239 * q[i * 4 + 3] + 0.5));
    const double bare = BestSeconds([&] {
        glClear(GL_COLOR_BUFFER_BIT);
        glShadeModel(GL_SMOOTH);
        glBegin(GL_TRIANGLES);
        static const int order[6] = {0, 1, 2, 0, 2, 3};
        for (int i = 0; i < quads; ++i) {
            const double* p = &q[size_t(i) * 16];
            for (int k : order) {
                glColor3ub(0, green[size_t(i) * 4 + size_t(k)], 0);
                glVertex3dv(p + 4 * k);
            }
        }
        glEnd();
        glFinish();
    });
    int changed = 0;
    const double ours = BestSeconds([&] {
        glClear(GL_COLOR_BUFFER_BIT);
        SetContourColorFunc(ContourColourCode);
        BeginExternalDraw(&dc);
        for (int i = 0; i < quads; ++i)
            DrawQuadFace(reinterpret_cast<const double(*)[4]>(&q[size_t(i) * 16]), 0, 0, 1, 0, 1, 0, 1, nullptr);
        EndExternalDraw();
        glFinish();
        ::GdiFlush();
        changed = RecolourMarkers(static_cast<uint8_t*>(dib.dsBm.bmBits), dib.dsBm.bmWidth, dib.dsBm.bmHeight,
                                  dib.dsBm.bmBitsPixel, dib.dsBm.bmWidthBytes, theProjectOptions.nContourColors);
    });
    std::printf(
        "contour: drawing layer and recolouring %.3f s (%d pixels recoloured), bare GL_TRIANGLES %.3f s, "
        "ratio %.2f (goal <= 2)\n",
        ours, changed, bare, ours / bare);
    SetGlApi(nullptr);
    return changed > 0 ? 0 : 1;
}
