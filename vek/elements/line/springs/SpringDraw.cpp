// The spring's picture: a zigzag between its two nodes, or from its node
// along its direction with a ground mark, its number and its mode mark.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "korvalib/base/Vector.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/elements/line/springs/SpringGeometry.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/draw/DrawLayer.h"

namespace {
const char* const kSpringLayer = "弹簧";
}  // namespace

double GroundSpringPixels()
{
    const RECT& r = theViewProjection.GetScreenRect();
    const double w = double(r.right - r.left);
    const double s = theProjectOptions.fLoadDisplayScale;
    return std::min(w / 60 + (w / 73) * s, w / 11);
}

bool SpringEnds(const CSpring& s, double a[3], double b[3])
{
    const CNode* i = FindNode(s.m_nNodeI);
    if (!i) return false;
    i->GetDrawCoord(a);
    if (!s.IsGrounded()) {
        const CNode* j = FindNode(s.m_nNodeJ);
        if (!j) return false;
        j->GetDrawCoord(b);
        return true;
    }
    double dir[3] = {s.m_dDir[0], s.m_dDir[1], s.m_dDir[2]};
    if (!CVector::Normalize(dir)) return false;
    const double scale = theViewProjection.GetScale();
    const double length = scale > 0 ? GroundSpringPixels() / scale : 0;
    for (int k = 0; k < 3; ++k) b[k] = a[k] + dir[k] * length;
    return true;
}

uint32_t SpringColour(const CSpring& s)
{
    if (!(s.m_nFlags & kObjLive)) return theDisplayColors.m_back;
    if (s.m_nFlags & kObjSelected) return theDisplayColors.m_select;
    return theDisplayColors.m_spring;
}

void CSpring::Draw()
{
    double a[3], b[3];
    if (!SpringEnds(*this, a, b)) return;
    if (theViewProjection.IsSegmentOutsideScreen(a, b)) return;
    const uint32_t colour = SpringColour(*this);
    // The zigzag across the spring in the screen plane, 3 pixels wide.
    double along[3], across[3], view[3];
    CVector::Subtract(b, a, along);
    theViewProjection.GetViewDir(view);
    CVector::Cross(along, view, across);
    const double scale = theViewProjection.GetScale();
    if (!CVector::Normalize(across) || scale <= 0) {
        DrawLine3D(a, b, colour, 1, kSpringLayer);
    } else {
        const int teeth = 8;
        double prev[3] = {a[0], a[1], a[2]};
        for (int k = 1; k <= teeth; ++k) {
            const double t = double(k) / (teeth + 1);
            const double side = (k % 2 ? 3.0 : -3.0) / scale;
            double q[3];
            for (int m = 0; m < 3; ++m) q[m] = a[m] + along[m] * t + across[m] * side;
            DrawLine3D(prev, q, colour, 1, kSpringLayer);
            CVector::Copy(q, prev);
        }
        DrawLine3D(prev, b, colour, 1, kSpringLayer);
        if (IsGrounded()) {
            double g1[3], g2[3];
            for (int m = 0; m < 3; ++m) {
                g1[m] = b[m] + across[m] * 5 / scale;
                g2[m] = b[m] - across[m] * 5 / scale;
            }
            DrawLine3D(g1, g2, colour, 1, kSpringLayer);
        }
    }
    if (!(m_nFlags & (1u << 4))) return;
    char text[32];
    std::snprintf(text, sizeof text, "%d", int(m_nID));
    if (theDisplayOptions.Switch(24) && (m_cMode == 1 || m_cMode == 2))
        std::snprintf(text, sizeof text, "%d%s", int(m_nID), m_cMode == 1 ? "拉" : "压");
    double mid[3];
    for (int m = 0; m < 3; ++m) mid[m] = (a[m] + b[m]) / 2;
    const uint32_t textColour =
        (m_nFlags & kObjLive) ? ((m_nFlags & kObjSelected) ? theDisplayColors.m_select : theDisplayColors.m_eleText[0])
                              : theDisplayColors.m_back;
    DrawText3D(mid, text, textColour, 0, 0, kSpringLayer);
}
