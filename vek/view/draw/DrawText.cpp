// Text, screen feedback and wind symbols of the drawing layer.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"
#include "vek/exchange/DxfWriter.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/draw/DrawLayerInternal.h"

using drawing::Layer;

namespace {

constexpr double kPi = 3.14159265358979323846;

void FlushGL()
{
    if (DrawingOnGL()) drawing::Gl()->Flush();
}

void TextAt(int x, int y, const char* text, double angle, unsigned alignment, uint32_t colour, int size)
{
    CDrawDC* dc = theDrawState.dc;
    if (!dc || !text) return;
    if (DrawingOnGL() && theDrawState.externalDC) {
        DrawOverGL([=, t = std::string(text)] {
            if (!theDrawState.dc) return;
            SelectTextFont(angle, size);
            SetDrawTextColor(colour);
            SetDrawTextAlign(alignment);
            theDrawState.dc->TextOut(x, y, t.c_str(), static_cast<int>(t.size()));
        });
        return;
    }
    SelectTextFont(angle, size);
    SetDrawTextColor(colour);
    SetDrawTextAlign(alignment);
    dc->TextOut(x, y, text, static_cast<int>(std::strlen(text)));
}

// The normal of DXF texts: the given one, else the viewing direction; the
// writer is told the viewing direction too.
void DxfNormal(const double* normal, double n[3])
{
    if (normal)
        CVector::Copy(normal, n);
    else
        theViewProjection.GetViewDir(n);
    drawing::DxfViewDir();
}

void DxfText(const double* point, const double* normal, double lineOffset, double angle, const char* text,
             unsigned alignment, const char* layer)
{
    double n[3];
    DxfNormal(normal, n);
    theDxfWriter.WriteText(point, n, lineOffset, angle, text, theProjectOptions.dTextSize, alignment, Layer(layer));
}

}  // namespace

void DrawText3D(const double* point, const char* text, uint32_t colour, unsigned alignment, double angle,
                const char* layer)
{
    if (!text) return;
    FlushGL();
    int x, y;
    theViewProjection.WorldToScreenInt(point, x, y);
    TextAt(x, y, text, angle, alignment, colour, 0);
    if (DxfExporting()) DxfText(point, nullptr, 0, angle, text, alignment, layer);
}

void DrawTextList(int count, const double (*points)[3], const char* const* texts, uint32_t colour, unsigned alignment,
                  double angle, const char* layer)
{
    if (count <= 0 || !points || !texts) return;
    FlushGL();
    for (int i = 0; i < count; ++i) {
        int x, y;
        theViewProjection.WorldToScreenInt(points[i], x, y);
        TextAt(x, y, texts[i], angle, alignment, colour, 0);
    }
    if (DxfExporting()) {
        double n[3];
        theViewProjection.GetViewDir(n);
        for (int i = 0; i < count; ++i)
            if (texts[i]) DxfText(points[i], n, 0, angle, texts[i], alignment, layer);
    }
}

void DrawTextAt(int x, int y, const char* text, double angle, unsigned alignment, uint32_t colour, int size)
{
    FlushGL();
    TextAt(x, y, text, angle, alignment, colour, size);
}

void DrawLabelsAlongLine(const double* anchor, int count, const char* const* texts, uint32_t colour, double angle,
                         unsigned alignment, const double* normal, const char* const* layers, int dxf)
{
    if (count <= 0 || !texts) return;
    FlushGL();
    double a = angle;
    if (a > kPi / 2 && a <= 3 * kPi / 2) a -= kPi;
    const int h = theProjectOptions.textFont.height;
    int x, y;
    theViewProjection.WorldToScreenInt(anchor, x, y);
    for (int i = 0; i < count; ++i)
        TextAt(x + static_cast<int>(-i * h * std::sin(a)), y + static_cast<int>(-i * h * std::cos(a)), texts[i], a,
               alignment, colour, 0);
    if (dxf && DxfExporting())
        for (int i = 0; i < count; ++i)
            if (texts[i]) DxfText(anchor, normal, i, a, texts[i], alignment, layers && layers[i] ? layers[i] : nullptr);
}

void DrawTextBlock(const double* p1, const double* p2, int count, const char* const* texts, uint32_t colour,
                   const double* normal, const char* const* layers, int upright)
{
    if (count <= 0 || !texts) return;
    FlushGL();
    double x1, y1, x2, y2;
    theViewProjection.WorldToScreen(p1, x1, y1);
    theViewProjection.WorldToScreen(p2, x2, y2);
    bool turned = false;
    if (theDisplayOptions.WordBit(kOptionTurnLongLabelsBit) && theDrawState.dc) {
        SelectTextFont(0, 0);
        int widest = 0;
        for (int i = 0; i < count; ++i)
            if (texts[i])
                widest =
                    std::max(widest, theDrawState.dc->GetTextWidth(texts[i], static_cast<int>(std::strlen(texts[i]))));
        turned = widest > 1.2 * GFunc::GetDistance(x1, y1, x2, y2);
    }
    double mid[3];
    for (int i = 0; i < 3; ++i) mid[i] = (p1[i] + p2[i]) / 2;
    double d[2] = {x2 - x1, y1 - y2};
    if (turned) {
        const double dx = d[0];
        d[0] = d[1];
        d[1] = -dx;
    }
    if (upright && d[0] < 0) {
        d[0] = -d[0];
        d[1] = -d[1];
    }
    DrawLabelsAlongLine(mid, count, texts, colour, GFunc::GlobalDirAngle(d), kAlignBottom | kAlignCenter, normal,
                        layers, 0);
    if (DxfExporting()) {
        double n[3];
        DxfNormal(normal, n);
        for (int i = 0; i < count; ++i)
            if (texts[i])
                theDxfWriter.WriteTextBetween(p1, p2, n, i, texts[i], theProjectOptions.dTextSize,
                                              Layer(layers ? layers[i] : nullptr), nullptr, turned ? -kPi / 2 : 0);
    }
}

// ---- screen feedback ----------------------------------------------------------------------

void DrawGdiLine(int x1, int y1, int x2, int y2)
{
    DrawOverGL([=] {
        CDrawDC* dc = theDrawState.dc;
        if (!dc) return;
        dc->MoveTo(x1, y1);
        dc->LineTo(x2, y2);
    });
}

void DrawScreenArrow(double x, double y, double length, double angle, uint32_t colour)
{
    CDrawDC* dc = theDrawState.dc;
    if (!dc) return;
    const int hl = std::min(static_cast<int>(length / 2), 8);
    const int tipX = static_cast<int>(length), baseX = static_cast<int>(length - hl);
    const double local[4][2] = {{double(tipX), 0}, {double(baseX), -2}, {double(baseX), 2}, {double(baseX), 0}};
    POINT p[4];
    for (int i = 0; i < 4; ++i) {
        double xr, yr;
        GFunc::PlaneCoordRotate(local[i][0], local[i][1], xr, yr, angle);
        p[i].x = static_cast<LONG>(x + xr);
        p[i].y = static_cast<LONG>(y - yr);
    }
    SelectDrawPen(colour, 1, 0);
    SelectStockBrush(kNullBrush);
    dc->MoveTo(static_cast<int>(x), static_cast<int>(y));
    dc->LineTo(p[3].x, p[3].y);
    dc->Polygon(p, 3);
}

void DrawScreenArrowTo(double x1, double y1, double x2, double y2, uint32_t colour)
{
    DrawScreenArrow(x1, y1, GFunc::GetDistance(x1, y1, x2, y2), GFunc::ScreenLineAngle(x1, y1, x2, y2), colour);
}

void DrawXorDragArrow(const double* p1, const double* p2, uint32_t colour)
{
    CDrawDC* dc = theDrawState.dc;
    if (!dc) return;
    double x1, y1, x2, y2;
    theViewProjection.WorldToScreen(p1, x1, y1);
    theViewProjection.WorldToScreen(p2, x2, y2);
    const double d = GFunc::GetDistance(x1, y1, x2, y2);
    if (!(d > 1e-5)) return;
    const int old = dc->SetROP2(kRopXorPen);
    DrawScreenArrow(x1, y1, d + 20, GFunc::ScreenLineAngle(x1, y1, x2, y2), colour);
    dc->SetROP2(old);
}

void DrawXorArc(const double* centre, double angle1, double angle2, double radius, uint32_t colour, int dotted,
                int xorMode)
{
    CDrawDC* dc = theDrawState.dc;
    if (!dc) return;
    double cx, cy;
    theViewProjection.WorldToScreen(centre, cx, cy);
    const double r = theViewProjection.GetScale() * radius;
    int old = 0;
    if (xorMode) {
        old = dc->SetROP2(kRopXorPen);
        SelectStockBrush(kNullBrush);
    }
    SelectDrawPen(colour, 1, dotted ? 2 : 0);
    dc->Arc(static_cast<int>(cx - r), static_cast<int>(cy - r), static_cast<int>(cx + r), static_cast<int>(cy + r),
            static_cast<int>(cx + r * std::cos(angle1)), static_cast<int>(cy - r * std::sin(angle1)),
            static_cast<int>(cx + r * std::cos(angle2)), static_cast<int>(cy - r * std::sin(angle2)));
    if (xorMode) dc->SetROP2(old);
}

// ---- wind ---------------------------------------------------------------------------------

void DrawWindSymbol(const double* p1, const double* p2, const WindSymbol& wind, int state1, int state2, int label)
{
    if (wind.index <= 0) return;
    const int mode = theViewProjection.GetMode();
    if (mode == CViewProjection::kElevation && std::fabs(theElevationPlane.m_equation.GetAt(2)) > 1e-6) return;
    uint32_t colour;
    if (!state1)
        colour = theDisplayColors.m_back;
    else if (!state2)
        colour = wind.windCase == 1 ? theDisplayColors.m_wind : theDisplayColors.m_wind ^ 0x555555;
    else
        colour = theDisplayColors.m_select;
    char text[64];
    if (mode != CViewProjection::kPlan) {
        const double band[4][3] = {{p1[0], p1[1], p1[2]},
                                   {p2[0], p2[1], p2[2]},
                                   {p2[0], p2[1], p2[2] - wind.height},
                                   {p1[0], p1[1], p1[2] - wind.height}};
        DrawPolygonFace(band, 1, colour, 1, colour, 5, 1, "0");
        if (label) {
            double c[3];
            for (int i = 0; i < 3; ++i) c[i] = (band[0][i] + band[1][i] + band[2][i] + band[3][i]) / 4;
            std::snprintf(text, sizeof text, "%.1f", wind.value);
            DrawText3D(c, text, colour, kAlignBottom | kAlignCenter, 0, "0");
        }
        return;
    }
    const RECT& screen = theViewProjection.GetScreenRect();
    const double h = screen.bottom - screen.top;
    const double scale = theViewProjection.GetScale();
    if (!(scale > 0)) return;
    const double length = std::min((theViewProjection.GetZoom() + 0.75) * h / 30, 5 * h / 30) / scale;
    const double e = GFunc::GlobalLineAngle(p1[0], p1[1], p2[0], p2[1]) * 180 / kPi;
    double r = wind.caseAngle - e;
    while (r < 0) r += 360;
    while (r >= 360) r -= 360;
    if (r > 180) r = 360 - r;
    double theta = r > 90.5 ? e - 180 : r > 89.5 ? wind.caseAngle + 90 : e;
    if (wind.value < 0) theta -= 180;
    const double t = theta * kPi / 180;
    const double dir[3] = {std::cos(t), std::sin(t), 0};
    double mid[3];
    for (int i = 0; i < 3; ++i) mid[i] = (p1[i] + p2[i]) / 2;
    DrawArrow3D(mid, dir, length, colour, nullptr, "0", 0);
    if (label) {
        std::snprintf(text, sizeof text, "%1d:%.1f", wind.code, wind.value);
        if (std::cos(t) >= 0)
            DrawText3D(mid, text, colour, kAlignBottom, t, "0");
        else
            DrawText3D(mid, text, colour, kAlignBottom | kAlignRight, t - kPi, "0");
    }
}
