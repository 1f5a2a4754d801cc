#include "vek/results/ResultDraw.h"

#include <cmath>
#include <vector>

#include "vek/model/ModelFamily.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/TextAlign.h"
#include "vek/model/geometry/ViewGeometry.h"
#include "vek/results/ContourColours.h"
#include "vek/results/Result.h"
#include "vek/results/ResultDisp.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"

namespace {

// The diagram and text colours of results, the outline's line width.
constexpr int kDiagramColour = 2;
constexpr int kDiagramTextColour = 3;
constexpr int kCaptionColour = 3;
constexpr int kDiagramWidth = 9;

void DrawCaptionText(int x, int y, int height, const char* text)
{
    DrawTextAt(x, y, text, 0, kAlignRight | kAlignBottom, theDisplayColors.m_post[kCaptionColour], height);
}

}  // namespace

bool DiagramStations(const DiagramMember& m, int nodes[2], std::vector<CLineStation>& stations)
{
    CModelFamily& frames = ModelFamily(EFamily::Frames);
    const int pos = frames.IndexOfID(m.m_nID);
    if (pos < 0 || frames.GetNodes(pos, nodes, 2) < 2) return false;
    double a[3], b[3];
    CModelFamily& family = ModelFamily(EFamily::Nodes);
    if (!family.GetCoordinates(nodes[0], a) || !family.GetCoordinates(nodes[1], b)) return false;
    const double length =
        std::sqrt((b[0] - a[0]) * (b[0] - a[0]) + (b[1] - a[1]) * (b[1] - a[1]) + (b[2] - a[2]) * (b[2] - a[2]));
    if (!(length > 1e-12)) return false;
    stations.clear();
    for (const auto& s : m.sect) stations.push_back({s[0] / length, {s[1], s[2]}});
    return !stations.empty();
}

void DrawFrameDiagram()
{
    const FrameForceDiagram& d = theResultDisp.frameDiagram;
    if (d.elementKind != 1) return;
    const CProjectOptions& o = theProjectOptions;
    CLineValueStyle style;
    style.scale = d.scale;
    style.twoValues = d.envelope == 1;
    style.labels = o.bLabelForceValues != 0;
    style.largestOnly = o.bLabelLargestOnly != 0;
    style.colour = theDisplayColors.m_post[kDiagramColour];
    style.textColour = theDisplayColors.m_post[kDiagramTextColour];
    style.width = theDisplayColors.m_lineWidth[kDiagramWidth];
    CModelFamily& frames = ModelFamily(EFamily::Frames);
    std::vector<CLineStation> stations;
    for (const DiagramMember& m : d.members) {
        int nodes[2];
        if (!DiagramStations(m, nodes, stations)) continue;
        double direction[3];
        const bool given = theResultModelLinks.diagramDirection &&
                           theResultModelLinks.diagramDirection(frames.IndexOfID(m.m_nID), d.component, direction);
        DrawLineValues(nodes[0], nodes[1], stations, given ? direction : nullptr, style);
    }
}

void DrawBeamContour()
{
    const ContourState& c = theResultDisp.contour;
    const bool byNodes = c.kind >= 5 && c.kind <= 10;
    if (!byNodes && c.kind != 11) return;
    CModelFamily& frames = ModelFamily(EFamily::Frames);
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    const int width = theDisplayColors.m_lineWidth[kDiagramWidth];
    if (byNodes) {
        // Node i of the model has the result's value i; nodes past the result have none.
        auto valueOf = [&](int id, double& v) {
            const int pos = nodes.IndexOfID(id);
            if (pos < 0 || size_t(pos) >= c.nodeValues.size()) return false;
            v = c.nodeValues[size_t(pos)];
            return true;
        };
        for (int pos : Positions(frames)) {
            int ends[2];
            double a[3], b[3], va, vb;
            if (frames.GetNodes(pos, ends, 2) < 2 || !valueOf(ends[0], va) || !valueOf(ends[1], vb)) continue;
            if (!nodes.GetDrawCoordinates(ends[0], a) || !nodes.GetDrawCoordinates(ends[1], b)) continue;
            DrawLine3D(a, b, 0, width, nullptr, 0, 1, ContourNormalise(va), ContourNormalise(vb));
        }
        return;
    }
    std::vector<CLineStation> stations;
    for (const DiagramMember& m : c.members) {
        int ends[2];
        double a[3], b[3];
        if (!DiagramStations(m, ends, stations) || !nodes.GetDrawCoordinates(ends[0], a) ||
            !nodes.GetDrawCoordinates(ends[1], b))
            continue;
        for (size_t s = 1; s < stations.size(); ++s) {
            double p[3], q[3];
            for (int k = 0; k < 3; ++k) {
                p[k] = a[k] + (b[k] - a[k]) * stations[s - 1].position;
                q[k] = a[k] + (b[k] - a[k]) * stations[s].position;
            }
            DrawLine3D(p, q, 0, width, nullptr, 0, 1, ContourNormalise(stations[s - 1].value[0]),
                       ContourNormalise(stations[s].value[0]));
        }
    }
}

void DrawResultPass()
{
    CResultDisp& rd = theResultDisp;
    rd.disp.CalcScale();
    ModelFamily(EFamily::Nodes).SetDisplacementScale(rd.disp.kind >= 1 ? rd.disp.scale : 0);
    DrawFrameDiagram();
    SetContourColorFunc(ContourColourCode);
    DrawBeamContour();
    const RECT& r = theViewProjection.GetScreenRect();
    if (!theResultCaptionCanvas.drawText) theResultCaptionCanvas.drawText = DrawCaptionText;
    rd.DrawCaption(int(r.right - r.left), int(r.bottom - r.top));
}
