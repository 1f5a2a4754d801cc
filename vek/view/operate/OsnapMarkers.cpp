// The snap markers on the screen, the typed distance along a dashed line,
// and the options dialog of the switches.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "korvalib/base/GFunc.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/OsnapState.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kPenDot = 2;

void Line(CDrawDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void Closed(CDrawDC* dc, std::initializer_list<POINT> points)
{
    dc->Polyline(points.begin(), static_cast<int>(points.size()));
}

// A dotted line from a reference point to the snap, with an arrow head at
// the snap when the reference line is a guide.
void Leader(CDrawDC* dc, const double* ref, int x, int y, bool arrow)
{
    int rx, ry;
    theViewProjection.WorldToScreenInt(ref, rx, ry);
    SelectDrawPen(kWhite, 1, kPenDot);
    Line(dc, rx, ry, x, y);
    SelectDrawPen(kWhite, 1, 0);
    if (!arrow || (rx == x && ry == y)) return;
    const double a = std::atan2(double(y - ry), double(x - rx));
    for (double side : {-0.45, 0.45}) {
        const int hx = x - static_cast<int>(std::lround(8 * std::cos(a + side)));
        const int hy = y - static_cast<int>(std::lround(8 * std::sin(a + side)));
        Line(dc, x, y, hx, hy);
    }
}

}  // namespace

void COsnapState::DrawMarker() const
{
    if (m_type == kNone) return;
    CDrawSession session;
    CDrawDC* dc = theDrawState.dc;
    if (!dc) return;
    const int oldRop = dc->SetROP2(kRopXorPen);
    SelectDrawPen(kWhite, 1, 0);
    SelectStockBrush(kNullBrush);
    int x, y;
    theViewProjection.WorldToScreenInt(m_snap, x, y);
    char label[64] = "";
    switch (m_type) {
        case kNode:
            dc->Ellipse(x - 6, y - 6, x + 7, y + 7);
            Line(dc, x - 7, y - 7, x + 7, y + 7);
            Line(dc, x - 7, y + 7, x + 7, y - 7);
            std::strcpy(label, "节点");
            break;
        case kEnd:
            Closed(dc, {{x - 6, y - 6}, {x + 7, y - 6}, {x + 7, y + 7}, {x - 6, y + 7}, {x - 6, y - 6}});
            std::strcpy(label, "端点");
            break;
        case kGrid:
            dc->Ellipse(x - 6, y - 6, x + 7, y + 7);
            std::strcpy(label, "网点");
            break;
        case kMid:
            Closed(dc, {{x - 6, y + 6}, {x + 6, y + 6}, {x, y - 6}, {x - 6, y + 6}});
            std::strcpy(label, "中点");
            break;
        case kFoot:
            Closed(dc, {{x - 6, y - 6}, {x - 6, y + 6}, {x + 6, y + 6}});
            Closed(dc, {{x - 6, y}, {x, y}, {x, y + 6}});
            std::strcpy(label, "垂足");
            break;
        case kDistance: {
            Closed(dc, {{x - 6, y - 6}, {x + 6, y - 6}, {x - 6, y + 6}, {x + 6, y + 6}, {x - 6, y - 6}});
            Leader(dc, m_ref1, x, y, m_guide[0] != 0);
            std::snprintf(label, sizeof label, "距离 %.3f", GFunc::GetDistance(m_ref1, m_snap));
            break;
        }
        case kIntersection:
            Line(dc, x - 6, y - 6, x + 6, y + 6);
            Line(dc, x - 6, y + 6, x + 6, y - 6);
            Leader(dc, m_ref1, x, y, m_guide[0] != 0);
            Leader(dc, m_ref2, x, y, m_guide[1] != 0);
            std::strcpy(label, "交点");
            break;
        case kCentre:
            dc->Ellipse(x - 6, y - 6, x + 7, y + 7);
            std::strcpy(label, "圆心");
            break;
        default: break;
    }
    if (label[0]) {
        const int height = (11 * OperateHost().ScreenDpi() + 36) / 72;
        SelectTextFont(0, height);
        dc->InvertText(x + 12, y - 12 - height, label, static_cast<int>(std::strlen(label)));
    }
    dc->SetROP2(oldRop);
}

bool COsnapState::TakeSnapPoint(double out[3])
{
    if (m_snapValid != 'Y') return false;
    ClearMarker();
    if (m_type != kDistance) {
        std::memcpy(out, m_snap, sizeof m_snap);
        return true;
    }
    const bool in3D = theViewProjection.GetMode() == CViewProjection::kFree3D;
    const char* prompt = in3D ? "输入距虚线起点的长度(可负)，可直接按ENTER确定或ESC取消。"
                              : "输入距虚线起点的长度(可负)，或O=R A作旋转，可直接按ENTER或ESC取消。";
    std::string text = m_lastLengthText;
    if (!OperateHost().EditText("", prompt, text)) return false;
    m_lastLengthText = text;
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) {
        std::memcpy(out, m_snap, sizeof m_snap);
        return true;
    }
    double length = 0, angle = 0;
    const char* o = std::strpbrk(p, "Oo");
    if (!in3D && o) {
        ++o;
        while (*o == '=' || *o == ' ') ++o;
        double v[2];
        if (!ParseTypedNumbers(o, 2, v)) return false;
        length = v[0];
        angle = v[1];
    } else {
        char* end = nullptr;
        length = std::strtod(p, &end);
        while (end && (*end == ' ' || *end == '\t')) ++end;
        if (end == p || (end && *end)) return false;
    }
    if (!std::isfinite(length) || !std::isfinite(angle)) return false;
    double d[3] = {m_snap[0] - m_ref1[0], m_snap[1] - m_ref1[1], m_snap[2] - m_ref1[2]};
    const double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (len < 1e-12) {
        std::memcpy(out, m_snap, sizeof m_snap);
        return true;
    }
    for (int k = 0; k < 3; ++k) out[k] = m_ref1[k] + length * d[k] / len;
    if (std::fabs(angle) >= 1e-5) {
        double axis[3];
        theViewProjection.GetViewDir(axis);
        double rel[3] = {out[0] - m_ref1[0], out[1] - m_ref1[1], out[2] - m_ref1[2]}, turned[3];
        GFunc::AxisRotate(rel, axis, angle, turned);
        for (int k = 0; k < 3; ++k) out[k] = m_ref1[k] + turned[k];
    }
    return true;
}

bool COsnapState::OptionsDialog()
{
    char switches[7];
    for (int i = 0; i < 7; ++i) switches[i] = m_switch[i + 1];
    if (!OperateHost().SnapOptionsDialog(switches)) return false;
    for (int i = 0; i < 7; ++i) m_switch[i + 1] = switches[i] == 'Y' ? 'Y' : 'N';
    OperateHost().RefreshSnapText();
    return true;
}
