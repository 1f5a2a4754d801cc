// Line element records.
#include "korvalib/model/LineElements.h"

#include <cstring>

#include "korvalib/model/CommonData.h"
#include "korvalib/model/ModelRecordUtil.h"
#include "korvalib/base/biostream.h"

using namespace korva_detail;

namespace {

int SamePair(int a1, int b1, int a2, int b2)
{
    return (a1 == a2 && b1 == b2) || (a1 == b2 && b1 == a2);
}

template <class T>
void WriteHead(bofstream& out, const T& r)
{
    out << r.m_nID << r.m_sAttr1 << r.m_sAttr2 << r.m_nNodeI << r.m_nNodeJ;
}

template <class T>
void ReadHead(bifstream& in, T& r)
{
    in >> r.m_nID >> r.m_sAttr1 >> r.m_sAttr2 >> r.m_nNodeI >> r.m_nNodeJ;
}

}  // namespace

// ---- DTrussBase ----

int DTrussBase::operator==(const DTrussBase& o) const
{
    return SamePair(m_nNodeI, m_nNodeJ, o.m_nNodeI, o.m_nNodeJ);
}

int DTrussBase::Serialize(bofstream& out)
{
    WriteHead(out, *this);
    out << m_sAttr3 << m_sAttr4 << m_fAttr << m_sLastAttr;
    return out.IsGood();
}

int DTrussBase::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DTrussBase& t) {
        ReadHead(in, t);
        in >> t.m_sAttr3 >> t.m_sAttr4 >> t.m_fAttr;
        if (nVersion > 100) in >> t.m_sLastAttr;
    });
}

// ---- DCframeBase ----

DCframeBase::~DCframeBase() = default;
DCframeBase& DCframeBase::operator=(const DCframeBase& o)
{
    return AssignWhole(*this, o);
}

int DCframeBase::operator==(const DCframeBase& o) const
{
    return SamePair(m_nNodeI, m_nNodeJ, o.m_nNodeI, o.m_nNodeJ);
}

void DCframeBase::SetCircle(double r)
{
    m_cCurve = 1;
    m_fCurve1 = float(r);
}

void DCframeBase::SetParabola(double p)
{
    m_cCurve = 2;
    m_fCurve1 = float(p);
}

void DCframeBase::SetHyperbola(double a, double b)
{
    m_cCurve = 3;
    m_fCurve1 = float(a);
    m_fCurve2 = float(b);
}

void DCframeBase::SetSpline(const double* x, const double* y)
{
    m_cCurve = 4;
    for (int i = 0; i < 5; ++i) {
        m_fSplineX[i] = float(x[i]);
        m_fSplineY[i] = float(y[i]);
    }
}

int DCframeBase::GetCircle(double& r) const
{
    r = m_fCurve1;
    return m_cCurve == 1;
}

int DCframeBase::GetParabola(double& p) const
{
    p = m_fCurve1;
    return m_cCurve == 2;
}

int DCframeBase::GetHyperbola(double& a, double& b) const
{
    a = m_fCurve1;
    b = m_fCurve2;
    return m_cCurve == 3;
}

int DCframeBase::GetSpline(double* x, double* y) const
{
    for (int i = 0; i < 5; ++i) {
        x[i] = m_fSplineX[i];
        y[i] = m_fSplineY[i];
    }
    return m_cCurve == 4;
}

int DCframeBase::Serialize(bofstream& out)
{
    WriteHead(out, *this);
    out << m_sAttr3 << m_sAttr4 << m_cCurve << m_fCurve1 << m_fCurve2;
    out.Write(m_fSplineX, 20);
    out.Write(m_fSplineY, 20);
    out.Write(m_fVector, 12);
    for (char c : m_cBytes) out << c;
    m_Loads.Serialize(out);
    out << m_sLastAttr;
    return out.IsGood();
}

int DCframeBase::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DCframeBase& t) {
        ReadHead(in, t);
        in >> t.m_sAttr3 >> t.m_sAttr4 >> t.m_cCurve >> t.m_fCurve1 >> t.m_fCurve2;
        in.Read(t.m_fSplineX, 20);
        in.Read(t.m_fSplineY, 20);
        in.Read(t.m_fVector, 12);
        for (char& c : t.m_cBytes) in >> c;
        t.m_Loads.Serialize(in);
        if (nVersion > 100) in >> t.m_sLastAttr;
    });
}

// ---- DPipeBase ----

int DPipeBase::operator==(const DPipeBase& o) const
{
    return SamePair(m_nNodeI, m_nNodeJ, o.m_nNodeI, o.m_nNodeJ);
}

void DPipeBase::SetLocal2(double x, double y, double z)
{
    m_fLocal2[0] = float(x);
    m_fLocal2[1] = float(y);
    m_fLocal2[2] = float(z);
    m_cMode = 1;
}

void DPipeBase::SetCurveData(double value, double x, double y, double z, int n)
{
    m_fCurveValue = float(value);
    m_fCurveVector[0] = float(x);
    m_fCurveVector[1] = float(y);
    m_fCurveVector[2] = float(z);
    m_cCurveInt = char(n);
    m_cMode = 2;
}

int DPipeBase::GetLocal2(double& x, double& y, double& z) const
{
    if (m_cMode != 1) return 0;
    x = m_fLocal2[0];
    y = m_fLocal2[1];
    z = m_fLocal2[2];
    return 1;
}

int DPipeBase::GetCurveData(double& value, double& x, double& y, double& z, int& n) const
{
    if (m_cMode != 2) return 0;
    value = m_fCurveValue;
    x = m_fCurveVector[0];
    y = m_fCurveVector[1];
    z = m_fCurveVector[2];
    n = m_cCurveInt;
    return 1;
}

int DPipeBase::Serialize(bofstream& out)
{
    WriteHead(out, *this);
    out << m_cMode;
    out.Write(m_fLocal2, 12);
    out << m_sAttr3 << m_sAttr4 << m_fAttr1 << m_fAttr2;
    if (m_cMode == 2) {
        out << m_fCurveValue << m_cCurveInt;
        out.Write(m_fCurveVector, 12);
    }
    out << m_sLastAttr;
    return out.IsGood();
}

int DPipeBase::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DPipeBase& t) {
        ReadHead(in, t);
        in >> t.m_cMode;
        in.Read(t.m_fLocal2, 12);
        in >> t.m_sAttr3 >> t.m_sAttr4 >> t.m_fAttr1 >> t.m_fAttr2;
        if (t.m_cMode == 2) {
            in >> t.m_fCurveValue >> t.m_cCurveInt;
            in.Read(t.m_fCurveVector, 12);
        }
        if (nVersion > 100) in >> t.m_sLastAttr;
    });
}

// ---- DTightWire ----

DTightWire::~DTightWire() = default;

int DTightWire::operator==(const DTightWire& o) const
{
    return Within(m_fLength1, o.m_fLength1, NodeMinDist) && Within(m_fLength2, o.m_fLength2, NodeMinDist) &&
           Within(m_fLength3, o.m_fLength3, NodeMinDist) && Within(m_fForce, o.m_fForce, LoadError) &&
           Within(m_fLength4, o.m_fLength4, NodeMinDist);
}

int DTightWire::Serialize(bofstream& out)
{
    out << m_nValue << m_fLength1 << m_fLength2 << m_fLength3 << m_fForce << m_fLength4;
    return out.IsGood();
}

int DTightWire::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DTightWire& t) {
        in >> t.m_nValue >> t.m_fLength1 >> t.m_fLength2 >> t.m_fLength3 >> t.m_fForce >> t.m_fLength4;
    });
}

// ---- DTightWireIndex ----

DTightWireIndex::DTightWireIndex(const DTightWireIndex& o)
{
    *this = o;
}

DTightWireIndex& DTightWireIndex::operator=(const DTightWireIndex& o)
{
    if (this == &o) return *this;
    DTightWireItem* p = nullptr;
    if (!CopyArray(p, o.m_pItems, o.m_sCount)) return *this;  // no memory: as it was
    delete[] m_pItems;
    m_pItems = p;
    m_sCount = o.m_sCount > 0 ? o.m_sCount : 0;
    return *this;
}

DTightWireIndex::~DTightWireIndex()
{
    Clear();
}

void DTightWireIndex::Clear()
{
    delete[] m_pItems;
    m_pItems = nullptr;
    m_sCount = 0;
}

int DTightWireIndex::Add(int element, float a, float b)
{
    if (m_sCount < 0 || m_sCount >= 0x7fff) return 0;
    DTightWireItem* p = NewArray<DTightWireItem>(size_t(m_sCount) + 1);
    if (!p) return 0;
    if (m_sCount > 0) std::memcpy(p, m_pItems, size_t(m_sCount) * sizeof(DTightWireItem));
    p[m_sCount] = DTightWireItem{element, a, b};
    delete[] m_pItems;
    m_pItems = p;
    ++m_sCount;
    return 1;
}

int DTightWireIndex::operator==(const DTightWireIndex& o) const
{
    if (m_sCount != o.m_sCount) return 0;
    for (int i = 0; i < m_sCount; ++i) {
        const DTightWireItem& a = m_pItems[i];
        const DTightWireItem& b = o.m_pItems[i];
        if (a.nElement != b.nElement || !Within(a.fValue1, b.fValue1, NodeMinDist) ||
            !Within(a.fValue2, b.fValue2, NodeMinDist))
            return 0;
    }
    return 1;
}

int DTightWireIndex::Serialize(bofstream& out)
{
    int16_t n = m_sCount > 0 ? m_sCount : 0;
    out << n;
    if (n > 0) out.Write(m_pItems, n * 12);
    return out.IsGood();
}

int DTightWireIndex::Serialize(bifstream& in)
{
    Clear();
    int16_t n = 0;
    in >> n;
    if (!in.IsGood()) return 0;
    if (n < 0 || (n > 0 && !in.CheckAvailable(int64_t(n) * 12))) {
        in.SetFailed();
        return 0;
    }
    if (n == 0) return 1;
    DTightWireItem* p = NewArray<DTightWireItem>(size_t(n));
    if (!p) {
        in.SetFailed();
        return 0;
    }
    if (!in.Read(p, n * 12)) {
        delete[] p;
        return 0;
    }
    m_pItems = p;
    m_sCount = n;
    return 1;
}
