// The node's picture: a small cross, the restraint symbol, the load arrows of
// the current load case and the labels, through the drawing layer.
#include <cstdio>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"
#include "korvalib/model/NodeRecords.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeDraw.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/results/ResultPictures.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/LoadSymbols.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"

CNodeDrawHooks theNodeDrawHooks{nullptr, NodeResultValue};

namespace {

const char* const kNodeLayerName = "节点";
const char* const kNumberLayer = "节点号";
const char* const kTemperatureLayer = "节点温度";
const char* const kRestraintLayer = "节点约束";

// The screen's right and up directions in model space, scaled to one pixel.
void PixelAxes(double right[3], double up[3])
{
    CTransferMatrix frame = theViewProjection.GetFrame();
    CTransferMatrix::Axes ax = frame;
    const double scale = theViewProjection.GetScale();
    const double k = scale > 0 ? 1.0 / scale : 0.0;
    for (int i = 0; i < 3; ++i) {
        right[i] = ax[0][i] * k;
        up[i] = ax[1][i] * k;
    }
}

void Offset(const double p[3], const double right[3], const double up[3], double dx, double dy, double out[3])
{
    for (int i = 0; i < 3; ++i) out[i] = p[i] + right[i] * dx + up[i] * dy;
}

void DrawSegment(const double p[3], const double right[3], const double up[3], double x1, double y1, double x2,
                 double y2, uint32_t colour, const char* layer)
{
    double a[3], b[3];
    Offset(p, right, up, x1, y1, a);
    Offset(p, right, up, x2, y2, b);
    DrawLine3D(a, b, colour, 1, layer);
}

// A triangle under the node for fixed translations, a box around it for
// fixed rotations.
void DrawRestraintSymbol(const double p[3], uint8_t bits, uint32_t colour)
{
    double right[3], up[3];
    PixelAxes(right, up);
    if (bits & 7) {
        DrawSegment(p, right, up, 0, 0, -5, -8, colour, kRestraintLayer);
        DrawSegment(p, right, up, 0, 0, 5, -8, colour, kRestraintLayer);
        DrawSegment(p, right, up, -7, -8, 7, -8, colour, kRestraintLayer);
    }
    if (bits & 0x38) {
        DrawSegment(p, right, up, -4, -4, 4, -4, colour, kRestraintLayer);
        DrawSegment(p, right, up, 4, -4, 4, 4, colour, kRestraintLayer);
        DrawSegment(p, right, up, 4, 4, -4, 4, colour, kRestraintLayer);
        DrawSegment(p, right, up, -4, 4, -4, -4, colour, kRestraintLayer);
    }
}

}  // namespace

uint32_t NodeColour(const CNode& n)
{
    const CDisplayColors& c = theDisplayColors;
    if (!(n.m_nFlags & kObjLive)) return c.m_back;
    if (n.m_nFlags & kObjSelected) return c.m_select;
    if (c.m_toLayer) return theLayers[n.m_nLayer].colour;
    return c.m_ele[kNodeColourIndex];
}

uint32_t NodeLabelColour(const CNode& n)
{
    const CDisplayColors& c = theDisplayColors;
    if (!(n.m_nFlags & kObjLive)) return c.m_back;
    if (n.m_nFlags & kObjSelected) return c.m_select;
    return c.m_eleText[0];
}

int NodeLabels(const CNode& n, char texts[4][40])
{
    const CDisplayOptions& d = theDisplayOptions;
    int count = 0;
    if (d.Switch(0)) std::snprintf(texts[count++], 40, "%1d", int(n.m_nID));
    if (d.Switch(kTowerSwitch)) std::snprintf(texts[count++], 40, "塔%d", int(n.m_nTower));
    if (d.Switch(26) && n.m_dTemperature != 0) {
        std::snprintf(texts[count], 40, "%.3f", n.m_dTemperature);
        GFunc::CompressFloatString(texts[count], 1);
        ++count;
    }
    if (theNodeDrawHooks.resultValue) {
        double v = 0;
        if (theNodeDrawHooks.resultValue(n.m_nID, v)) std::snprintf(texts[count++], 40, "%.3g", v);
    }
    return count;
}

void CNode::Draw()
{
    double p[3];
    GetDrawCoord(p);
    if (theNodeDrawHooks.offerSnapPoint && (m_nFlags & kObjLive)) theNodeDrawHooks.offerSnapPoint(p, m_nID);
    if (theViewProjection.IsPointOutsideScreen(p)) return;
    const uint32_t colour = NodeColour(*this);
    double right[3], up[3];
    PixelAxes(right, up);
    DrawSegment(p, right, up, -3, 0, 3, 0, colour, kNodeLayerName);
    DrawSegment(p, right, up, 0, -3, 0, 3, colour, kNodeLayerName);

    const CDisplayOptions& d = theDisplayOptions;
    const bool live = (m_nFlags & kObjLive) != 0;
    if (d.Switch(7) && (m_cRestraint & 0x3F))
        DrawRestraintSymbol(p, m_cRestraint, live ? theDisplayColors.m_rest : theDisplayColors.m_back);
    if (d.Switch(26)) {
        const int at = m_Loads.Index(theProjectOptions.nCurrentLoadCase);
        const CSixDoubles* v = at >= 0 ? theNodeLoadPool.Get(m_Loads[at].nValue) : nullptr;
        if (v && !v->IsZero()) {
            DNodeLoad load;
            for (int i = 0; i < 6; ++i) load.m_fForce[i] = float(v->m_v[i]);
            DrawNodeLoad(theLoadSymbolScale, p, load, LoadSymbolColour(m_nFlags, theDisplayColors.m_eleLoad[0]), 1);
        }
    }
    if (!(m_nFlags & kNodeLabels)) return;
    char texts[4][40];
    const int n = NodeLabels(*this, texts);
    const uint32_t text = NodeLabelColour(*this);
    for (int i = 0; i < n; ++i) {
        double at[3];
        Offset(p, right, up, 4, -4 - 14.0 * i, at);
        DrawText3D(at, texts[i], text, 0, 0, i == 0 && d.Switch(0) ? kNumberLayer : kTemperatureLayer);
    }
}
