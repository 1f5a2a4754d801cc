#include "vek/results/ResultDraw.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "vek/model/ModelFamily.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/TextAlign.h"
#include "vek/model/geometry/ViewGeometry.h"
#include "vek/results/ContourColours.h"
#include "vek/results/ForceText.h"
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

// The member families of the force text's kinds 1..7.
const EFamily kForceTextFamilies[7] = {EFamily::Frames, EFamily::Trusses, EFamily::Springs,  EFamily::Cframes,
                                       EFamily::Pipes,  EFamily::Walls,   EFamily::Integrals};

// The drawn ends of a member's first two nodes; false when it is not in the model.
bool MemberEnds(CModelFamily& family, int id, double a[3], double b[3])
{
    const int pos = family.IndexOfID(id);
    int nodes[21] = {};
    CModelFamily& all = ModelFamily(EFamily::Nodes);
    return pos >= 0 && family.GetNodes(pos, nodes, 21) >= 2 && all.GetDrawCoordinates(nodes[0], a) &&
           all.GetDrawCoordinates(nodes[1], b);
}

// Lines of text centred along a member, read from the viewer's side.
void DrawMemberLabels(const double a[3], const double b[3], const std::vector<std::string>& lines)
{
    if (lines.empty()) return;
    std::vector<const char*> texts;
    for (const std::string& l : lines) texts.push_back(l.c_str());
    double normal[3];
    theViewProjection.GetViewDir(normal);
    DrawTextBlock(a, b, int(texts.size()), texts.data(), theDisplayColors.m_post[kDiagramTextColour], normal, nullptr,
                  1);
}

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

void DrawForceText()
{
    const ForceText& t = theResultDisp.forceText;
    if (t.elementKind < 1 || t.elementKind > 7) return;
    CModelFamily& family = ModelFamily(kForceTextFamilies[t.elementKind - 1]);
    std::vector<std::string> lines;
    for (int i = 0; i < t.store.GetCount(); ++i) {
        const int id = t.store.GetIDAt(i);
        double a[3], b[3];
        if (!MemberEnds(family, id, a, b)) continue;
        lines.clear();
        FormatValueLabel(id, lines);
        DrawMemberLabels(a, b, lines);
    }
}

void DrawMemberValues()
{
    const CResultDisp& rd = theResultDisp;
    CModelFamily& frames = ModelFamily(EFamily::Frames);
    auto draw = [&](const MArrayID<CMemberValue>& store, double reference) {
        for (int i = 0; i < store.GetCount(); ++i) {
            const CMemberValue* v = store.GetAt(i);
            double a[3], b[3];
            if (!rd.PassFilter(v->value, reference) || !MemberEnds(frames, v->m_nID, a, b)) continue;
            DrawMemberLabels(a, b, {FormatForceValue(v->value)});
        }
    };
    if (rd.steelCheck.kind != 0) draw(rd.steelCheck.store, rd.steelCheck.largest);
    if (rd.axialRatio.kind != 0) draw(rd.axialRatio.store, rd.axialRatio.largest);
}

namespace {

bool NodeContoured(int kind)
{
    return kind >= 5 && kind <= 10;
}

// Node i of the model has the result's value i; nodes past the result have none.
bool ContourNodeValue(const ContourState& c, int id, double& v)
{
    const int pos = ModelFamily(EFamily::Nodes).IndexOfID(id);
    if (pos < 0 || size_t(pos) >= c.nodeValues.size()) return false;
    v = c.nodeValues[size_t(pos)];
    return true;
}

}  // namespace

bool ContourDrawsBeam(int id, int nodeI, int nodeJ)
{
    const ContourState& c = theResultDisp.contour;
    if (NodeContoured(c.kind)) {
        double v;
        return ContourNodeValue(c, nodeI, v) && ContourNodeValue(c, nodeJ, v);
    }
    if (c.kind != 11) return false;
    // The members come in ascending numbers, as the result store holds them.
    const auto at = std::lower_bound(c.members.begin(), c.members.end(), id,
                                     [](const DiagramMember& m, int n) { return m.m_nID < n; });
    return at != c.members.end() && at->m_nID == id;
}

void DrawBeamContour()
{
    const ContourState& c = theResultDisp.contour;
    const bool byNodes = NodeContoured(c.kind);
    if (!byNodes && c.kind != 11) return;
    CModelFamily& frames = ModelFamily(EFamily::Frames);
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    const int width = theDisplayColors.m_lineWidth[kDiagramWidth];
    if (byNodes) {
        auto valueOf = [&](int id, double& v) { return ContourNodeValue(c, id, v); };
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

void DrawContourLegend(int width, int height)
{
    ContourLegend legend;
    if (!LayoutContourLegend(width, height, 96, legend)) return;
    const uint32_t text = theDisplayColors.m_post[kCaptionColour];
    DrawOverGL([legend, text] {
        CDrawDC* dc = theDrawState.dc;
        if (!dc) return;
        for (const ContourLegend::Box& b : legend.boxes) {
            const GdiObject brush = dc->CreateSolidBrush(b.colour);
            const GdiObject pen = dc->CreatePen(0, 1, b.colour);
            const GdiObject oldBrush = dc->SelectObject(brush);
            const GdiObject oldPen = dc->SelectObject(pen);
            const POINT corners[4] = {{b.x, b.y}, {b.x + b.w, b.y}, {b.x + b.w, b.y + b.h}, {b.x, b.y + b.h}};
            dc->Polygon(corners, 4);
            dc->SelectObject(oldBrush);
            dc->SelectObject(oldPen);
            dc->DeleteObject(brush);
            dc->DeleteObject(pen);
        }
        const GdiObject pen = dc->CreatePen(0, 1, text | 0x555555);
        const GdiObject old = dc->SelectObject(pen);
        for (int y : legend.lineYs) {
            dc->MoveTo(legend.lineX1, y);
            dc->LineTo(legend.lineX2, y);
        }
        dc->SelectObject(old);
        dc->DeleteObject(pen);
    });
    if (!legend.name.empty())
        DrawTextAt(legend.nameX, legend.nameY, legend.name.c_str(), 0, kAlignLeft, text, legend.textHeight);
    for (const ContourLegend::Label& l : legend.labels)
        DrawTextAt(l.x, l.y, l.text.c_str(), 0, kAlignLeft, text, legend.textHeight);
}

void DrawResultPass()
{
    CResultDisp& rd = theResultDisp;
    rd.disp.CalcScale();
    ModelFamily(EFamily::Nodes).SetDisplacementScale(rd.disp.kind >= 1 ? rd.disp.scale : 0);
    DrawFrameDiagram();
    DrawForceText();
    DrawMemberValues();
    SetContourColorFunc(ContourColourCode);
    DrawBeamContour();
    const RECT& r = theViewProjection.GetScreenRect();
    DrawContourLegend(int(r.right - r.left), int(r.bottom - r.top));
    if (!theResultCaptionCanvas.drawText) theResultCaptionCanvas.drawText = DrawCaptionText;
    rd.DrawCaption(int(r.right - r.left), int(r.bottom - r.top));
}
