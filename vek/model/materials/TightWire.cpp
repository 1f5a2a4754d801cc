#include "vek/model/materials/TightWire.h"

#include <cmath>

#include "korvalib/base/biostream.h"
#include "vek/model/ProjectOptions.h"

MLArray<CTightWire> theTightWires;
CTightWireParameter theTightWireParameter;

CTightWire& CTightWire::operator=(const CTightWire& o)
{
    m_fDi = o.m_fDi;
    m_fDc = o.m_fDc;
    m_fDj = o.m_fDj;
    m_fT = o.m_fT;
    m_fSpan = o.m_fSpan;
    return *this;
}

int CTightWire::Serialize(bofstream& out)
{
    out << m_fDi << m_fDc << m_fDj << m_fT << m_fSpan;
    return out.IsGood();
}

int CTightWire::Serialize(bifstream& in)
{
    float v[5] = {m_fDi, m_fDc, m_fDj, m_fT, m_fSpan};
    for (float& x : v) in >> x;
    if (!in.IsGood()) return 0;
    m_fDi = v[0];
    m_fDc = v[1];
    m_fDj = v[2];
    m_fT = v[3];
    m_fSpan = v[4];
    return 1;
}

bool CTightWire::IsSame(const CTightWire& o) const
{
    const double tol = theProjectOptions.dHorzNodeSpacing;
    auto near = [tol](double a, double b) { return std::fabs(a - b) <= tol; };
    return near(m_fDi, o.m_fDi) && near(m_fDc, o.m_fDc) && near(m_fDj, o.m_fDj) && near(m_fSpan, o.m_fSpan) &&
           std::fabs(double(m_fT) - o.m_fT) <= 1e-10;
}

int CTightWire::IsZero() const
{
    return std::fabs(m_fT) <= 1e-10 || std::fabs(m_fSpan) <= 1e-10;
}

void CTightWire::ScaleUnits(double forceFactor, double lengthFactor)
{
    // In single precision: a stored value near the float range becomes
    // infinite rather than undefined.
    const float L = float(lengthFactor), F = float(forceFactor);
    m_fDi *= L;
    m_fDc *= L;
    m_fDj *= L;
    m_fSpan *= L;
    m_fT *= F;
}

int CTightWireParameter::Serialize(bofstream& out)
{
    m_wire.Serialize(out);
    out << m_cMode;
    return out.IsGood();
}

int CTightWireParameter::Serialize(bifstream& in)
{
    CTightWire w = m_wire;
    char mode = m_cMode;
    w.Serialize(in);
    in >> mode;
    if (!in.IsGood()) return 0;
    m_wire = w;
    m_cMode = mode;
    return 1;
}
