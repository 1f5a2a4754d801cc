// The frame's picture: its line, band or true shape, eccentric ends,
// release balls, rigid ends, the local-axis mark, loads and labels.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "korvalib/base/Vector.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/sections/SectionOutlines.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/geometry/ModelGeometry.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/results/ResultDraw.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/LoadSymbols.h"
#include "vek/view/TrueShape.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/operate/OsnapState.h"

namespace {

// Colour pairs (line, fill) of the element colours.
constexpr int kBeamLine = 1, kBeamFill = 0;
constexpr int kColumnLine = 3, kColumnFill = 2;
constexpr int kSteelBeamLine = 13, kSteelBeamFill = 12;
constexpr int kSteelColumnLine = 14, kSteelColumnFill = 15;

const char* LayerName(const CFrame& f)
{
    if (!DxfExporting()) return "0";
    return f.IsHorizontal() ? "梁" : "柱";
}

uint32_t StateColour(const CFrame& f, uint32_t own)
{
    const CDisplayColors& c = theDisplayColors;
    if (!(f.m_nFlags & kObjLive)) return c.m_back;
    if (f.m_nFlags & kObjSelected) return c.m_select;
    return own;
}

void Colours(const CFrame& f, uint32_t& line, uint32_t& fill)
{
    const CDisplayColors& c = theDisplayColors;
    const bool beam = f.IsHorizontal();
    if (f.GetSectionKind() == 1) {
        line = c.m_ele[beam ? kSteelBeamLine : kSteelColumnLine];
        fill = c.m_ele[beam ? kSteelBeamFill : kSteelColumnFill];
    } else {
        line = c.m_ele[beam ? kBeamLine : kColumnLine];
        fill = c.m_ele[beam ? kBeamFill : kColumnFill];
    }
    if (!(f.m_nFlags & kObjLive)) {
        line = fill = c.m_back;
    } else if (f.m_nFlags & kObjSelected) {
        line = fill = c.m_select;
    } else if (c.m_toLayer) {
        line = fill = theLayers[f.m_nLayer].colour;
    } else if (f.m_nSection == 0) {
        line = fill = f.m_nMaterial ? ((line & 0xA5A5A5u) | (~c.m_back & 0xAAAAAAu)) : (~c.m_back & 0xFFFFFFu);
    } else if (f.GetSectionKind() != 1 && f.m_nMaterial == 0) {
        line = fill = (line & 0xA5A5A5u) | (~c.m_back & 0xAAAAAAu);
    }
}

bool NodeDrawPoint(int id, double out[3])
{
    const CNode* n = FindNode(id);
    if (!n) return false;
    n->GetDrawCoord(out);
    return true;
}

// The member's axes as rows (1, 2, 3).
bool Axes(const CFrame& f, double axes[3][3])
{
    return f.GetLocalAxis(1, axes[0]) && f.GetLocalAxis(2, axes[1]) && f.GetLocalAxis(3, axes[2]);
}

// The outline holder placed between the two points on the member's local
// axes (section x along local 3, y along local 2); false when they cannot
// be worked out.
bool PlaceHolder(const CFrame& f, const double a[3], const double b[3], MemberTrueShape& shape)
{
    double axes[3][3];
    if (!Axes(f, axes)) return false;
    shape.SetPlacement(a, b, axes[0], axes[1], axes[2]);
    return true;
}

// The holder placed and filled from the frame's section; false when the
// frame has no section or its section no outline.
bool PlaceOutline(const CFrame& f, const double a[3], const double b[3], MemberTrueShape& shape)
{
    return f.m_nSection > 0 && PlaceHolder(f, a, b, shape) &&
           BuildFrameTrueShape(f.GetSectionKind(), f.m_nSection, shape) != 0;
}

}  // namespace

void CFrame::Draw()
{
    double pi[3], pj[3];
    if (!NodeDrawPoint(m_nNodeI, pi) || !NodeDrawPoint(m_nNodeJ, pj)) return;
    if (theLevels.count > 0 && theViewProjection.GetMode() == 1 && IsVertical())
        DrawColumnSymbol(pi);
    else
        DrawMember(pi, pj);
}

void CFrame::GetDrawEnds(const double pointI[3], const double pointJ[3], double outI[3], double outJ[3]) const
{
    CVector::Copy(pointI, outI);
    CVector::Copy(pointJ, outJ);
    ShrinkLineForDisplay(outI, outJ);
    if (!theDisplayOptions.Switch(14)) return;
    for (int axis = 2; axis <= 3; ++axis) {
        double d[3];
        if (!GetLocalAxis(axis, d)) continue;
        const float ei = m_fEcc[axis == 2 ? 0 : 1], ej = m_fEcc[axis == 2 ? 2 : 3];
        for (int k = 0; k < 3; ++k) {
            if (std::fabs(ei) > 0.0001) outI[k] += ei * d[k];
            if (std::fabs(ej) > 0.0001) outJ[k] += ej * d[k];
        }
    }
}

void CFrame::BuildOutline(const double pointI[3], const double pointJ[3], double& widthI, double& widthJ) const
{
    widthI = widthJ = 0.3;
    MemberTrueShape shape;
    if (m_nSection == 0 || !PlaceOutline(*this, pointI, pointJ, shape)) return;
    shape.GetApparentWidths(&widthI, &widthJ);
    if (GetSectionKind() != 2) widthJ = widthI;
}

void CFrame::DrawMember(const double pointI[3], const double pointJ[3])
{
    CDrawSession session;
    double a[3], b[3];
    GetDrawEnds(pointI, pointJ, a, b);
    if (!DxfExporting() && theViewProjection.IsSegmentOutsideScreen(a, b)) return;
    theOsnapState.AddSnapLine(a, b, m_nNodeI, m_nNodeJ);
    uint32_t line = 0, fill = 0;
    Colours(*this, line, fill);
    const char* layer = LayerName(*this);
    const double scale = theViewProjection.GetScale();
    const int mode = theViewProjection.GetMode();
    const int width = IsPile() ? 2 : 1;
    // Under a contour of its nodes or its own forces the result pass draws the
    // member in the contour's colours: a band, shape or line of its own would cover them.
    bool drawn = ContourDrawsBeam(m_nID, m_nNodeI, m_nNodeJ);
    if (!drawn && mode != 3 && theDisplayOptions.Switch(13)) {
        double wi = 0, wj = 0;
        BuildOutline(a, b, wi, wj);
        wi = wi * scale + (IsPile() ? 1 : 0);
        wj = wj * scale + (IsPile() ? 1 : 0);
        DrawWideLine(a, b, wi, wj, line, 1, fill, layer);
        if (wi > 3 || wj > 3) DrawLine3D(a, b, line, 1, layer, 3);
        drawn = true;
    }
    if (!drawn && mode == 3 && theDisplayOptions.WordBit(9) && m_nSection > 0) {
        MemberTrueShape shape;
        if (PlaceOutline(*this, a, b, shape)) {
            shape.Draw(line, fill, 0, -1, 1, layer);
            drawn = true;
        }
    }
    if (!drawn) DrawLine3D(a, b, line, width, layer);
    if (theDisplayOptions.Switch(10)) DrawLocalAxisMarker();
    if (theDisplayOptions.Switch(24)) DrawReleaseMarkers(a, b);
    if (theDisplayOptions.WordBit(1) && (m_fRigid[0] > 1e-8 || m_fRigid[1] > 1e-8)) {
        double axis[3];
        if (GetLocalAxis(1, axis)) {
            const uint32_t c = StateColour(*this, theDisplayColors.m_stiffEnd);
            if (m_fRigid[0] > 1e-8) {
                double e[3];
                for (int k = 0; k < 3; ++k) e[k] = a[k] + axis[k] * m_fRigid[0];
                DrawLine3D(a, e, c, 4, layer);
            }
            if (m_fRigid[1] > 1e-8) {
                double e[3];
                for (int k = 0; k < 3; ++k) e[k] = b[k] - axis[k] * m_fRigid[1];
                DrawLine3D(e, b, c, 4, layer);
            }
        }
    }
    if (theDisplayOptions.Switch(26)) {
        const int k = m_Loads.Index(theProjectOptions.nCurrentLoadCase);
        const int n = k >= 0 ? m_Loads[k].nValue : 0;
        double axes[3][3];
        if (n >= 1 && n <= theFrameLoads.GetSize() && Axes(*this, axes)) {
            const CFrameLoad* l = theFrameLoads.GetAt(n - 1);
            DFrameLoad shown;
            for (int g = 0; g < 3; ++g)
                for (int d = 0; d < 6; ++d) shown.m_Points[g][d] = l->m_Points[g][d];
            DrawFrameLoad(theLoadSymbolScale, a, b, axes, shown,
                          LoadSymbolColour(m_nFlags, theDisplayColors.m_eleLoad[1]), (m_nFlags & (1u << 4)) != 0);
        }
    }
    if (m_nFlags & (1u << 4)) {
        char lines[8][64];
        const int count = BuildLabels(lines, 8);
        if (count > 0) {
            const char* texts[8];
            for (int k = 0; k < count; ++k) texts[k] = lines[k];
            double normal[3];
            if (mode == 3 ? !GetLocalAxis(3, normal) : false) normal[0] = normal[1] = 0, normal[2] = 1;
            if (mode != 3) theViewProjection.GetViewDir(normal);
            DrawTextBlock(a, b, count, texts, StateColour(*this, theDisplayColors.m_eleText[1]), normal, nullptr, 1);
        }
    }
}

void CFrame::DrawColumnSymbol(const double pointI[3])
{
    CDrawSession session;
    uint32_t line = 0, fill = 0;
    Colours(*this, line, fill);
    // The section's footprint at node I; a small box without one.
    double pointJ[3];
    MemberTrueShape shape;
    if (NodeDrawPoint(m_nNodeJ, pointJ) && PlaceHolder(*this, pointI, pointJ, shape)) {
        PlaceOutline(*this, pointI, pointJ, shape);
        shape.DrawSection(line, fill, 1, LayerName(*this));
    }
    if (theDisplayOptions.Switch(10)) DrawLocalAxisMarker();
    if (m_nFlags & (1u << 4)) {
        char lines[8][64];
        const int count = BuildLabels(lines, 8);
        const char* texts[8];
        for (int k = 0; k < count; ++k) texts[k] = lines[k];
        double normal[3];
        theViewProjection.GetViewDir(normal);
        if (count > 0)
            DrawTextBlock(pointI, pointI, count, texts, StateColour(*this, theDisplayColors.m_eleText[1]), normal,
                          nullptr, 1);
    }
}

void CFrame::DrawReleaseMarkers(const double pointI[3], const double pointJ[3])
{
    if (m_cRelease[0] + m_cRelease[1] + m_cRelease[3] + m_cRelease[4] == 0) return;
    double si[2], sj[2];
    theViewProjection.WorldToScreen(pointI, si[0], si[1]);
    theViewProjection.WorldToScreen(pointJ, sj[0], sj[1]);
    const double pixels = std::hypot(sj[0] - si[0], sj[1] - si[1]);
    if (pixels < 3) return;
    const double scale = theViewProjection.GetScale();
    int n = int(GetLength() * scale / 45);
    n = std::clamp(n, 2, 6);
    double axis[3];
    CVector::Subtract(pointJ, pointI, axis);
    const double len = CVector::Length(axis);
    if (len <= 0) return;
    const double inset = std::min((n + 2) / pixels, 0.5);
    const uint32_t c = StateColour(*this, theDisplayColors.m_ele[kBeamLine]);
    auto ball = [&](double t) {
        double p[3];
        for (int k = 0; k < 3; ++k) p[k] = pointI[k] + axis[k] * t;
        DrawSphere(nullptr, p, n, 1, c, 1, c, nullptr, 0, 1, LayerName(*this));
    };
    if (m_cRelease[0] + m_cRelease[3] > 0) ball(inset);
    if (m_cRelease[1] + m_cRelease[4] > 0) ball(1 - inset);
}

void CFrame::DrawLocalAxisMarker()
{
    double a[3], b[3], d[3];
    if (!NodeDrawPoint(m_nNodeI, a) || !NodeDrawPoint(m_nNodeJ, b) || !GetLocalAxis(2, d)) return;
    const double scale = theViewProjection.GetScale();
    if (scale <= 0) return;
    const uint32_t second = theDisplayColors.m_toLayer
                                ? theLayers[m_nLayer].colour
                                : theDisplayColors.m_ele[IsHorizontal() ? kBeamLine : kColumnLine];
    double mid[3], tip[3];
    for (int k = 0; k < 3; ++k) {
        mid[k] = (a[k] + b[k]) / 2;
        tip[k] = mid[k] + d[k] * 12 / scale;
    }
    DrawLine3D(mid, tip, StateColour(*this, second), 1, LayerName(*this));
}

int CFrame::BuildLabels(char (*lines)[64], int max) const
{
    int n = 0;
    auto add = [&](const char* text) {
        if (n < max && text && *text) std::snprintf(lines[n++], 64, "%s", text);
    };
    char t[64];
    if (theDisplayOptions.Switch(1)) {
        std::snprintf(t, sizeof t, "%1d", int(m_nID));
        add(t);
    }
    if (IsPile()) add("桩");
    if (theDisplayOptions.WordBit(2) && m_nSection > 0)
        add(static_cast<const char*>(GetFrameSectName(GetSectionKind(), m_nSection)));
    if (theDisplayOptions.WordBit(3) && m_nMaterial >= 1 && m_nMaterial <= theMaterials.GetSize())
        add(theMaterials.GetAt(m_nMaterial - 1)->m_pName);
    if (theDisplayOptions.Switch(26)) {
        const int k = m_Loads.Index(theProjectOptions.nCurrentLoadCase);
        const int id = k >= 0 ? m_Loads[k].nValue : 0;
        if (id >= 1 && id <= theFrameLoads.GetSize()) {
            const CFrameLoad* l = theFrameLoads.GetAt(id - 1);
            if (std::fabs(l->m_fTemp[0]) + std::fabs(l->m_fTemp[1]) + std::fabs(l->m_fTemp[2]) > 1e-5) {
                std::snprintf(t, sizeof t, "T:%.4g %.4g %.4g", l->m_fTemp[0], l->m_fTemp[1], l->m_fTemp[2]);
                add(t);
            }
            if (std::fabs(l->m_fPrestress) > 1e-5) {
                std::snprintf(t, sizeof t, "预:%.4g", l->m_fPrestress);
                add(t);
            }
        }
    }
    if (theDisplayOptions.Switch(24)) {
        if (GetAxialType() == 1) add("拉杆");
        if (GetAxialType() == 2) add("压杆");
    }
    return n;
}
