// Timing of the frame family's drawing: 400,000 frames (or the count given)
// drawn by CFrame::Draw in the 3-D view against a bare GL_LINES loop of the
// same segments, on one OpenGL context. Each is run five times and the best
// time kept. The frames stand in a square grid of storeys, as beams do.
//
//   FrameDrawSpeed.exe [frames]
#include <windows.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BestTime.h"
#include "bench/GlLines.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/win/GdiDrawDC.h"

namespace {

// Beams along x and y on storeys 3 apart: side x side nodes per storey.
void BuildFrames(int count, std::vector<double>& segments)
{
    const int side = std::max(2, int(std::sqrt(count / 20.0)) + 1);
    const int perStorey = 2 * side * (side - 1);
    const int storeys = (count + perStorey - 1) / perStorey;
    std::vector<int> ids(size_t(side) * side * storeys);
    for (int s = 0; s < storeys; ++s)
        for (int j = 0; j < side; ++j)
            for (int i = 0; i < side; ++i) {
                const double p[3] = {double(i), double(j), 3.0 * (s + 1)};
                ids[(size_t(s) * side + j) * side + i] = FindOrAddNode(p);
            }
    auto add = [&](int a, int b) {
        if (theFrames.GetSize() >= count) return;
        const int id = AddOneFrame(a, b);
        if (!id) return;
        for (int n : {a, b}) {
            const CNode* node = theNodes.GetByID(n);
            segments.insert(segments.end(), node->m_dCoord, node->m_dCoord + 3);
        }
    };
    for (int s = 0; s < storeys; ++s)
        for (int j = 0; j < side; ++j)
            for (int i = 0; i < side; ++i) {
                const size_t at = (size_t(s) * side + j) * side + i;
                if (i + 1 < side) add(ids[at], ids[at + 1]);
                if (j + 1 < side) add(ids[at], ids[at + size_t(side)]);
            }
}

}  // namespace

int main(int argc, char** argv)
{
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400000;
    theProjectOptions.SetDefaults();
    std::vector<double> pts;
    pts.reserve(size_t(n) * 6);
    BuildFrames(n, pts);
    const int frames = theFrames.GetSize();
    std::printf("frames: %d, nodes: %d\n", frames, theNodes.GetSize());

    double lo[3] = {1e30, 1e30, 1e30}, hi[3] = {-1e30, -1e30, -1e30};
    for (size_t i = 0; i < pts.size(); ++i) {
        lo[i % 3] = std::min(lo[i % 3], pts[i]);
        hi[i % 3] = std::max(hi[i % 3], pts[i]);
    }
    CGlBitmap picture;
    if (!StartGl3D(picture, hi, lo)) return 1;
    CGdiDrawDC dc(picture.Dc());
    const double bare = BestSeconds([&] { BareGlLines(pts); });
    const double ours = BestSeconds([&] {
        glClear(GL_COLOR_BUFFER_BIT);
        theOsnapState.Reset(false);
        BeginExternalDraw(&dc);
        for (int i = 0; i < frames; ++i) theFrames.GetAt(i)->Draw();
        EndExternalDraw();
        glFinish();
    });
    std::printf("3-D OpenGL: CFrame::Draw %.3f s, bare GL_LINES %.3f s, ratio %.2f (goal <= 3)\n", ours, bare,
                ours / bare);
    SetGlApi(nullptr);
    return 0;
}
