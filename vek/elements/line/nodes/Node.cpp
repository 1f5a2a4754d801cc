#include "vek/elements/line/nodes/Node.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "vek/elements/line/nodes/NodeIndex.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/LayerList.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayFilter.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"

CNodeStore theNodes(0, 1024);
double theWorkPlaneTolerance = 0.001;
double theNodeDisplayScale = 1.0;

namespace {
// A new object: bits 1, 2 and 4 set, bits 0, 3, 5, 6 and 7 clear.
uint32_t NewFlags(uint32_t word)
{
    return (word & 0xFFFFFF16u) | 0x16u;
}
}  // namespace

CNode::CNode()
{
    m_nFlags = NewFlags(0);
}

CNode::CNode(const double point[3]) : CNode()
{
    std::copy(point, point + 3, m_dCoord);
    m_nLayer = int16_t(theLayers.GetCurrent());
    UpdateLevel();
}

CNode& CNode::operator=(const CNode& o)
{
    if (this == &o) return *this;
    m_nFlags = o.m_nFlags;
    m_nID = o.m_nID;
    m_nMaster = o.m_nMaster;
    std::copy(o.m_dCoord, o.m_dCoord + 3, m_dCoord);
    m_nElements = o.m_nElements;
    m_cRestraint = o.m_cRestraint;
    m_nStorey = o.m_nStorey;
    m_bOnStorey = o.m_bOnStorey;
    m_nLayer = o.m_nLayer;
    m_nMass = o.m_nMass;
    m_dTemperature = o.m_dTemperature;
    m_nTower = o.m_nTower;
    m_Loads = o.m_Loads;
    return *this;
}

void CNode::UpdateLevel()
{
    m_nStorey = int16_t(theLevels.FindStorey(m_dCoord[2]));
    const double t = std::max(0.001, double(theProjectOptions.fVertNodeSpacing));
    m_bOnStorey = 0;
    if (m_nStorey >= 0) {
        const double d = m_nStorey == 0 ? m_dCoord[2] : m_dCoord[2] - theLevels.GetElevation(m_nStorey);
        m_bOnStorey = (-t < d && d < t) ? 1 : 0;
    }
}

int CNode::IsSamePosition(const double p[3]) const
{
    return PointsCoincide(m_dCoord, p) ? 1 : 0;
}

int CNode::IsSamePosition(const CNode& other) const
{
    return IsSamePosition(other.m_dCoord);
}

int IsAtElevation(const double point[3], double h)
{
    const double d = point[2] - h;
    return (-theWorkPlaneTolerance < d && d < theWorkPlaneTolerance) ? 1 : 0;
}

int IsPointOnWorkPlane(const double point[3])
{
    return IsAtElevation(point, ModelProjection().GetPlanElevation());
}

int CNode::IsOnWorkPlane() const
{
    return IsPointOnWorkPlane(m_dCoord);
}

void CNode::GetDrawCoord(double out[3]) const
{
    const double k = ViewDeformedShown() ? theNodeDisplayScale : 0.0;
    for (int i = 0; i < 3; ++i) out[i] = m_dCoord[i] + (k != 0.0 ? m_dDisp[i] * k : 0.0);
}

void CNode::GetScreenPointF(double& x, double& y, int displaced) const
{
    double p[3];
    GetPlacedCoord(p, displaced);
    theViewProjection.WorldToScreen(p, x, y);
}

void CNode::GetScreenPoint(int& x, int& y, int displaced) const
{
    double p[3];
    GetPlacedCoord(p, displaced);
    theViewProjection.WorldToScreenInt(p, x, y);
}

void CNode::GetPlacedCoord(double out[3], int displaced) const
{
    if (displaced)
        GetDrawCoord(out);
    else
        std::copy(m_dCoord, m_dCoord + 3, out);
}

void CNode::Scale(double factor)
{
    for (double& c : m_dCoord) c *= factor;
}

int CNode::GetDisplayState()
{
    const CDisplayOptions& d = theDisplayOptions;
    if (!d.Switch(2)) return 0;
    if (d.WordBit(10)) {
        if (!(m_nFlags & kObjStateMask)) return 0;
    } else {
        if (!PassesDisplayFilters(0, m_nID, m_nLayer, m_nStorey, m_nStage)) return 0;
    }
    switch (ModelProjection().GetMode()) {
        case 1:
            if (theLevels.count > 0) return StoreyPlanDisplayState(m_bOnStorey, m_nStorey);
            return IsOnWorkPlane();
        case 2: return theElevationPlane.IsPointOnPlane(m_dCoord);
        default: return 1;
    }
}

CNode* StoreNode(CNode& node)
{
    if (!theNodes.Add(node)) return nullptr;
    CNode* stored = theNodes.GetByID(node.m_nID);
    std::copy(node.m_dDisp, node.m_dDisp + 3, stored->m_dDisp);
    stored->m_nStage = node.m_nStage;
    theNodeIndex.Insert(stored->m_nID, stored->m_dCoord);
    return stored;
}

void UnstoreNode(int id)
{
    if (!theNodes.IsValidID(id)) return;
    theNodeIndex.Remove(id);
    theNodes.RemoveByID(id);
}

void RemoveAllNodes()
{
    theNodes.RemoveAll();
    theNodeIndex.Clear();
}
