#include "vek/elements/line/frames/Frame.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "korvalib/base/Vector.h"
#include "korvalib/base/biostream.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeAttributes.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/LayerList.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/display/DisplayFilter.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/project/BlockForm.h"
#include "vek/model/storeys/LevelTable.h"

CFrameStore theFrames(0, 1024);
double theColumnAngleDegrees = 0;

namespace {

uint32_t NewFlags(uint32_t word)
{
    return (word & 0xFFFFFF16u) | 0x16u;
}

bool NodePoint(int id, double out[3])
{
    const CNode* n = id > 0 ? FindNode(id) : nullptr;
    if (!n) return false;
    std::copy(n->m_dCoord, n->m_dCoord + 3, out);
    return true;
}

}  // namespace

CFrame::CFrame()
{
    m_nFlags = NewFlags(0);
}

CFrame::CFrame(int nodeI, int nodeJ) : CFrame()
{
    m_nNodeI = nodeI;
    m_nNodeJ = nodeJ;
    m_nLayer = uint16_t(theLayers.GetCurrent());
    if (theProjectOptions.nCurrentCommand == 81) m_fAngle = float(theColumnAngleDegrees * 0.017453292519943295);
    const CNode* a = FindNode(nodeI);
    const CNode* b = FindNode(nodeJ);
    if (a && b)
        m_nStorey = a->m_nStorey > b->m_nStorey ? a->m_nStorey : b->m_nStorey;
    else if (a || b)
        m_nStorey = (a ? a : b)->m_nStorey;
    ComputeLocalAxes();
}

CFrame::CFrame(const CFrame& o) : CObjectBase(o)
{
    *this = o;
}

CFrame& CFrame::operator=(const CFrame& o)
{
    if (this == &o) return *this;
    m_nFlags = o.m_nFlags;
    m_nStorey = o.m_nStorey;
    m_nLayer = o.m_nLayer;
    m_nID = o.m_nID;
    m_nNodeI = o.m_nNodeI;
    m_nNodeJ = o.m_nNodeJ;
    m_nSection = o.m_nSection;
    m_nMaterial = o.m_nMaterial;
    std::copy(o.m_fRigid, o.m_fRigid + 2, m_fRigid);
    m_fAngle = o.m_fAngle;
    std::copy(o.m_dRef, o.m_dRef + 3, m_dRef);
    std::copy(o.m_cRelease, o.m_cRelease + 6, m_cRelease);
    std::copy(o.m_fEcc, o.m_fEcc + 4, m_fEcc);
    std::copy(o.m_nWind, o.m_nWind + 2, m_nWind);
    m_nStage = o.m_nStage;
    m_Wires = o.m_Wires;
    m_Loads = o.m_Loads;
    m_nAttr = o.m_nAttr;
    if (o.KeepsDesignBlock()) m_Steel = o.m_Steel;
    return *this;
}

// ---- the project record -------------------------------------------------------------

int CFrame::Serialize(bofstream& out)
{
    out << uint8_t(m_nFlags & 0xFF) << m_nStorey << m_nLayer << m_nID << m_nNodeI << m_nNodeJ << int16_t(m_nSection)
        << int16_t(m_nMaterial) << m_fRigid[0] << m_fRigid[1] << m_fAngle;
    out.Write(m_dRef, 24);
    out.Write(m_cRelease, 6);
    m_Loads.Serialize(out);
    out.Write(m_fEcc, 16);
    out << m_nWind[0] << m_nWind[1] << m_nStage;
    m_Wires.Serialize(out);
    out << m_nAttr;
    if (KeepsDesignBlock()) out.Write(&m_Steel, int(sizeof m_Steel));
    return out.IsGood();
}

int CFrame::Serialize(bifstream& in)
{
    const int v = nPrjVersion;
    ReadFlags(in);
    in >> m_nStorey;
    if (v >= 460) in >> m_nLayer;
    in >> m_nID >> m_nNodeI >> m_nNodeJ;
    if (v < 611) {
        int32_t section = 0, material = 0;
        in >> section >> material;
        SetAxialType(0);
        if (section < 0) {
            m_nMaterial = 0;
            m_nSection = uint16_t(std::min(-int64_t(section), int64_t(0xFFFF)));
            m_nAttr = (m_nAttr & ~kFrameKindMask) | 1u;
        } else {
            m_nSection = uint16_t(std::min(int64_t(section), int64_t(0xFFFF)));
            m_nMaterial = uint16_t(std::clamp(material, 0, 0xFFFF));
            m_nAttr &= ~kFrameKindMask;
        }
    } else {
        if (v < 700) {
            uint8_t a = 0, b = 0;
            in >> a >> b;
            SetAxialType(a & 3);
            m_nAttr = (m_nAttr & ~kFrameKindMask) | (b & 3u);
        }
        in >> m_nSection >> m_nMaterial;
    }
    if (v < 700) {
        uint8_t code = 0;
        in >> code;
        SetAxisCode(code);
    }
    if (v < 600) SkipBytes(in, 8);
    if (v < 611) {
        double d[3] = {0, 0, 0};
        in.Read(d, 24);
        m_fRigid[0] = float(d[0]);
        m_fRigid[1] = float(d[1]);
        m_fAngle = float(d[2]);
    } else {
        in >> m_fRigid[0] >> m_fRigid[1] >> m_fAngle;
    }
    if (v < 601) SkipBytes(in, 2);
    in.Read(m_dRef, 24);
    if (v < 480) {
        int32_t mask = 0;
        in >> mask;
        for (int i = 0; i < 6; ++i) m_cRelease[i] = (mask >> i & 1) ? uint8_t('d') : 0;
    } else {
        in.Read(m_cRelease, 6);
    }
    m_Loads.Serialize(in);
    if (v < 520) {
        m_nWind[0] = m_nWind[1] = 0;
        std::fill(m_fEcc, m_fEcc + 4, 0.0f);
        SkipBytes(in, 1);
    } else {
        in.Read(m_fEcc, 16);
        if (v < 611) {
            int32_t w1 = 0, w2 = 0;
            in >> w1 >> w2;
            m_nWind[0] = int16_t(std::clamp(w1, -32768, 32767));
            m_nWind[1] = int16_t(std::clamp(w2, -32768, 32767));
        } else {
            in >> m_nWind[0] >> m_nWind[1] >> m_nStage;
        }
    }
    if (v < 661) {
        SetOutputSections(1);
    } else if (v < 700) {
        uint8_t n = 0;
        in >> n;
        SetOutputSections(n);
    }
    {
        int16_t n = 0;
        in >> n;
        m_Wires.Clear();
        if (n > 0) {
            if (!in.CheckAvailable(int64_t(n) * 12)) return 0;
            for (int i = 0; i < n && in.IsGood(); ++i) {
                DTightWireItem item{};
                in.Read(&item, 12);
                if (in.IsGood() && !m_Wires.Add(item.nElement, item.fValue1, item.fValue2)) in.SetFailed();
            }
        }
    }
    if (v >= 700) {
        in >> m_nAttr;
        if (KeepsDesignBlock()) in.Read(&m_Steel, int(sizeof m_Steel));
    }
    return in.IsGood();
}

// ---- queries ------------------------------------------------------------------------

double CFrame::GetLength() const
{
    double a[3], b[3];
    if (!NodePoint(m_nNodeI, a) || !NodePoint(m_nNodeJ, b)) return 0;
    return std::sqrt((b[0] - a[0]) * (b[0] - a[0]) + (b[1] - a[1]) * (b[1] - a[1]) + (b[2] - a[2]) * (b[2] - a[2]));
}

int CFrame::CanHoldRigidEnds(double rigidI, double rigidJ) const
{
    return GetLength() >= rigidI + rigidJ ? 1 : 0;
}

void CFrame::SetSection(int number, int kind)
{
    m_nSection = uint16_t(number);
    m_nAttr = (m_nAttr & ~kFrameKindMask) | (uint32_t(kind) & 3u);
}

void CFrame::SetSectionFromCurrent()
{
    const CCurrentProps& c = theCurrentProps;
    const int kind = c.kind > 2 ? 0 : c.kind;
    const int number = kind == 1 ? c.steelSect : kind == 2 ? c.vframeSect : c.frameSect;
    SetSection(number > 0 ? number : 0, number > 0 ? kind : 0);
}

int CFrame::IsEndReleased(int mode) const
{
    auto full = [this](int i) { return m_cRelease[i] == kFullRelease; };
    if (theProjectOptions.bPlaneModel) return mode == 1 ? (full(0) && full(1)) : (full(0) || full(1));
    if (mode == 1) return full(0) && full(1) && full(3) && full(4);
    return (full(0) && full(3)) || (full(1) && full(4));
}

void CFrame::ScaleUnits(double f)
{
    for (float& r : m_fRigid) r = float(r * f);
    for (float& e : m_fEcc) e = float(e * f);
    DTightWireIndex scaled;
    for (int i = 0; i < m_Wires.Entries(); ++i)
        scaled.Add(m_Wires[i].nElement, float(m_Wires[i].fValue1 * f), float(m_Wires[i].fValue2 * f));
    m_Wires = scaled;
}

bool CFrame::IsHorizontal() const
{
    double a[3], b[3];
    if (!NodePoint(m_nNodeI, a) || !NodePoint(m_nNodeJ, b)) return false;
    return std::fabs(a[2] - b[2]) <= theProjectOptions.fVertNodeSpacing;
}

bool CFrame::IsVertical() const
{
    double a[3], b[3];
    if (!NodePoint(m_nNodeI, a) || !NodePoint(m_nNodeJ, b)) return false;
    const double t = theProjectOptions.dHorzNodeSpacing;
    return std::fabs(a[0] - b[0]) <= t && std::fabs(a[1] - b[1]) <= t &&
           std::fabs(a[2] - b[2]) > theProjectOptions.fVertNodeSpacing;
}

int CFrame::IsOnWorkPlane() const
{
    double a[3], b[3];
    if (!NodePoint(m_nNodeI, a) || !NodePoint(m_nNodeJ, b)) return 0;
    return IsPointOnWorkPlane(a) && IsPointOnWorkPlane(b) ? 1 : 0;
}

int CFrame::GetLocalAxis(int which, double out[3]) const
{
    double a[3], b[3];
    if (!NodePoint(m_nNodeI, a) || !NodePoint(m_nNodeJ, b)) return 0;
    double axis[3];
    CVector::Subtract(b, a, axis);
    if (which == 1) {
        CVector::Copy(axis, out);
    } else {
        const int code = GetAxisCode();
        if (code == 2 && which == 3)
            CVector::Cross(axis, m_dRef, out);
        else if (code == 3 && which == 2)
            CVector::Cross(m_dRef, axis, out);
        else
            CVector::Copy(m_dRef, out);
    }
    return CVector::Normalize(out) ? 1 : 0;
}

void CFrame::ComputeLocalAxes()
{
    SetAxisCode(0);
    std::fill(m_dRef, m_dRef + 3, 0.0);
    double p[3], q[3];
    if (!NodePoint(m_nNodeI, p) || !NodePoint(m_nNodeJ, q)) return;
    const double t = std::max(theProjectOptions.dHorzNodeSpacing, 1e-10);
    const double v = std::max(double(theProjectOptions.fVertNodeSpacing), 1e-10);
    double a[3];
    CVector::Subtract(q, p, a);
    if (!CVector::Normalize(a)) return;
    if (std::fabs(p[2] - q[2]) < v) {
        SetAxisCode(2);
        m_dRef[2] = 1;
    } else {
        SetAxisCode(3);
        if (std::fabs(p[0] - q[0]) < t && std::fabs(p[1] - q[1]) < t) {
            const int degrees = int(double(m_fAngle) * 57.29577951308232);
            if (degrees == 270) {
                m_dRef[1] = -1;
            } else {
                m_dRef[0] = std::cos(m_fAngle);
                m_dRef[1] = std::sin(m_fAngle);
            }
        } else if (std::fabs(p[1] - q[1]) < t) {
            m_dRef[1] = q[0] > p[0] ? -1 : 1;
        } else if (std::fabs(p[0] - q[0]) < t) {
            m_dRef[0] = q[1] < p[1] ? -1 : 1;
        } else {
            const double z[3] = {0, 0, 1};
            CVector::Cross(a, z, m_dRef);
        }
    }
    // The part of the reference normal to the member axis.
    double n[3], r[3];
    CVector::Cross(a, m_dRef, n);
    CVector::Cross(n, a, r);
    if (CVector::Normalize(r)) CVector::Copy(r, m_dRef);
}

void CFrame::CopyProperties(const CFrame& s, int withLoads, int withAxis)
{
    if (theNodeCopyOptions.attributes) {
        m_nLayer = s.m_nLayer;
        SetSection(s.m_nSection, s.GetSectionKind());
        m_nMaterial = s.m_nMaterial;
        const uint32_t carried = kFrameAxialMask | kFrameEgrf | kFramePile | kFrameOutputMask;
        m_nAttr = (m_nAttr & ~carried) | (s.m_nAttr & carried);
        std::copy(s.m_fRigid, s.m_fRigid + 2, m_fRigid);
        std::copy(s.m_fEcc, s.m_fEcc + 4, m_fEcc);
        std::copy(s.m_cRelease, s.m_cRelease + 6, m_cRelease);
        m_Wires = s.m_Wires;
        std::copy(s.m_nWind, s.m_nWind + 2, m_nWind);
        m_nStage = s.m_nStage;
        if (KeepsDesignBlock()) m_Steel = s.m_Steel;
    }
    if (withAxis) {
        SetAxisCode(s.GetAxisCode());
        m_fAngle = s.m_fAngle;
        std::copy(s.m_dRef, s.m_dRef + 3, m_dRef);
    }
    if (withLoads || theNodeCopyOptions.loads) {
        theUndo.AddRecord(new CUndoFrameLoad(m_nID, m_Loads));
        const int16_t lc = theProjectOptions.nCurrentLoadCase;
        if (!withLoads && theNodeCopyOptions.currentCaseOnly) {
            const int k = s.m_Loads.Index(lc);
            if (k >= 0) m_Loads.Insert(lc, s.m_Loads[k].nValue);
        } else {
            m_Loads = s.m_Loads;
        }
    }
}

int CFrame::CheckLoadPositions() const
{
    const double length = GetLength();
    for (int k = 0; k < m_Loads.Entries(); ++k) {
        const int n = m_Loads[k].nValue;
        if (n < 1 || n > theFrameLoads.GetSize()) continue;
        if (!theFrameLoads.GetAt(n - 1)->PointsWithin(length)) return 0;
    }
    return 1;
}

int CFrame::GetDisplayState()
{
    const CDisplayOptions& d = theDisplayOptions;
    if (!d.Switch(IsHorizontal() ? 15 : 16)) return 0;
    if (!PassesDisplayFilters(1, m_nID, m_nLayer, m_nStorey, m_nStage)) return 0;
    switch (ModelProjection().GetMode()) {
        case 1:
            if (theLevels.count > 0) {
                const CNode* n = FindNode(m_nNodeI);
                return StoreyPlanDisplayState(n && n->m_bOnStorey, m_nStorey);
            }
            return IsOnWorkPlane();
        case 2: {
            double a[3], b[3];
            if (!NodePoint(m_nNodeI, a) || !NodePoint(m_nNodeJ, b)) return 0;
            return theElevationPlane.IsPointOnPlane(a) && theElevationPlane.IsPointOnPlane(b) ? 1 : 0;
        }
        default: return 1;
    }
}
