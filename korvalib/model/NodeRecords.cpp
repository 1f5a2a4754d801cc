// Node records.
#include "korvalib/model/NodeRecords.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "korvalib/model/CommonData.h"
#include "korvalib/model/ModelRecordUtil.h"
#include "korvalib/base/biostream.h"

using korva_detail::AssignWhole;
using korva_detail::ReadRecord;

namespace {

template <class A, class B>
bool Parallel(const A* a, const B* b)
{
    return std::fabs(double(a[0]) * b[1] - double(a[1]) * b[0]) <= 0.001 &&
           std::fabs(double(a[1]) * b[2] - double(a[2]) * b[1]) <= 0.001 &&
           std::fabs(double(a[0]) * b[2] - double(a[2]) * b[0]) <= 0.001;
}

template <class T>
bool AllWithin(const T* a, const T* b, int n, double tol)
{
    for (int i = 0; i < n; ++i)
        if (std::fabs(double(a[i]) - double(b[i])) > tol) return false;
    return true;
}

void SetSix(float* dst, const double* src)
{
    for (int i = 0; i < 6; ++i) dst[i] = src ? float(src[i]) : 0.0f;
}
void AddSix(float* dst, const double* src, double sign)
{
    if (!src) return;
    for (int i = 0; i < 6; ++i) dst[i] = float(dst[i] + sign * src[i]);
}

}  // namespace

// ---- DNodeBase ----

DNodeBase::DNodeBase(double x, double y, double z) : m_dCoord{x, y, z} {}
DNodeBase::~DNodeBase() = default;
DNodeBase& DNodeBase::operator=(const DNodeBase& o)
{
    return AssignWhole(*this, o);
}

int DNodeBase::operator==(const DNodeBase& o) const
{
    return AllWithin(m_dCoord, o.m_dCoord, 3, NodeMinDist);
}

int DNodeBase::IsRest(int d) const
{
    return d >= 1 && d <= 6 && (m_cRestraint & (1 << (d - 1))) != 0;
}
void DNodeBase::Rest(int d)
{
    if (d >= 1 && d <= 6) m_cRestraint = char(m_cRestraint | (1 << (d - 1)));
}
void DNodeBase::UnRest(int d)
{
    if (d >= 1 && d <= 6) m_cRestraint = char(m_cRestraint & ~(1 << (d - 1)));
}

// The fixed part of a node, 48 bytes, moved as one block (nodes are many).
namespace {
constexpr int kNodeFixedBytes = 4 + 2 + 2 + 24 + 1 + 1 + 4 + 1 + 4 + 4 + 1;
// The fixed part and the load list's 16-bit count.
static_assert(DNodeBase::kMinStreamBytes == kNodeFixedBytes + 2);

template <class T>
void Pack(unsigned char*& p, const T& v)
{
    memcpy(p, &v, sizeof v);
    p += sizeof v;
}
template <class T>
void Unpack(const unsigned char*& p, T& v)
{
    memcpy(&v, p, sizeof v);
    p += sizeof v;
}
}  // namespace

int DNodeBase::Serialize(bofstream& out)
{
    // Most nodes carry no loads: their list's zero count joins the block.
    unsigned char b[kNodeFixedBytes + 2];
    unsigned char* p = b;
    Pack(p, m_nID);
    Pack(p, m_sAttr1);
    Pack(p, m_sAttr2);
    Pack(p, m_dCoord);
    Pack(p, m_cFlag1);
    Pack(p, m_cRestraint);
    Pack(p, m_nAttr1);
    Pack(p, m_cFlag2);
    Pack(p, m_nAttr2);
    Pack(p, m_fAttr);
    Pack(p, m_cFlag3);
    if (m_Loads.Entries() == 0) {
        Pack(p, int16_t(0));
        out.Write(b, kNodeFixedBytes + 2);
    } else {
        out.Write(b, kNodeFixedBytes);
        m_Loads.Serialize(out);
    }
    return out.IsGood();
}

// The fixed part and the load list are read into locals: the node takes
// them only when both were read whole, and no copy of the node is made.
int DNodeBase::Serialize(bifstream& in)
{
    if (!in.IsGood()) return 0;
    unsigned char b[kNodeFixedBytes + 2];
    DElementLoad loads;
    const unsigned char* ahead = in.Peek(kNodeFixedBytes + 2);
    if (ahead && ahead[kNodeFixedBytes] == 0 && ahead[kNodeFixedBytes + 1] == 0) {
        // Most nodes carry no loads: the fixed part and the zero count at once.
        if (!in.Read(b, kNodeFixedBytes + 2)) return 0;
    } else {
        if (!in.Read(b, kNodeFixedBytes)) return 0;
        if (!loads.Serialize(in) || !in.IsGood()) return 0;
    }
    const unsigned char* p = b;
    Unpack(p, m_nID);
    Unpack(p, m_sAttr1);
    Unpack(p, m_sAttr2);
    Unpack(p, m_dCoord);
    Unpack(p, m_cFlag1);
    Unpack(p, m_cRestraint);
    Unpack(p, m_nAttr1);
    Unpack(p, m_cFlag2);
    Unpack(p, m_nAttr2);
    Unpack(p, m_fAttr);
    Unpack(p, m_cFlag3);
    if (loads.Entries() > 0 || m_Loads.Entries() > 0) m_Loads = std::move(loads);
    return 1;
}

// ---- DNodeMass ----

DNodeMass::DNodeMass(int node, const double* masses) : m_nID(node)
{
    SetSix(m_fMass, masses);
}
DNodeMass::~DNodeMass() = default;
int DNodeMass::operator==(const DNodeMass& o) const
{
    return AllWithin(m_fMass, o.m_fMass, 6, MassSpringError);
}
void DNodeMass::SetMass(const double* m)
{
    SetSix(m_fMass, m);
}
void DNodeMass::IncreaseMass(const double* m)
{
    AddSix(m_fMass, m, 1.0);
}
void DNodeMass::DecreaseMass(const double* m)
{
    AddSix(m_fMass, m, -1.0);
}

int DNodeMass::Serialize(bofstream& out)
{
    static_assert(kMinStreamBytes == 4 + 24);
    out << m_nID;
    out.Write(m_fMass, 24);
    return out.IsGood();
}

int DNodeMass::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DNodeMass& t) {
        in >> t.m_nID;
        in.Read(t.m_fMass, 24);
    });
}

// ---- DNodeLoad ----

DNodeLoad::DNodeLoad(int node, const double* forces, const double* displacements) : m_nID(node)
{
    SetSix(m_fForce, forces);
    SetSix(m_fDisplace, displacements);
}
DNodeLoad::~DNodeLoad() = default;

int DNodeLoad::operator==(const DNodeLoad& o) const
{
    return AllWithin(m_fForce, o.m_fForce, 6, LoadError) && AllWithin(m_fDisplace, o.m_fDisplace, 6, LoadError);
}
void DNodeLoad::SetForce(const double* f)
{
    SetSix(m_fForce, f);
}
void DNodeLoad::IncreaseForce(const double* f)
{
    AddSix(m_fForce, f, 1.0);
}
void DNodeLoad::DecreaseForce(const double* f)
{
    AddSix(m_fForce, f, -1.0);
}
void DNodeLoad::SetDisplace(const double* d)
{
    SetSix(m_fDisplace, d);
}
void DNodeLoad::IncreaseDisplace(const double* d)
{
    AddSix(m_fDisplace, d, 1.0);
}
void DNodeLoad::DecreaseDisplace(const double* d)
{
    AddSix(m_fDisplace, d, -1.0);
}

int DNodeLoad::Serialize(bofstream& out)
{
    static_assert(kMinStreamBytes == 4 + 24 + 24);
    out << m_nID;
    out.Write(m_fForce, 24);
    out.Write(m_fDisplace, 24);
    return out.IsGood();
}

int DNodeLoad::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DNodeLoad& t) {
        in >> t.m_nID;
        in.Read(t.m_fForce, 24);
        in.Read(t.m_fDisplace, 24);
    });
}

// ---- DNodeConstraint ----

DNodeConstraint::DNodeConstraint(int node, const int* codes) : m_nID(node)
{
    for (int i = 0; i < 6; ++i) m_nCode[i] = codes ? codes[i] : 0;
}
DNodeConstraint::~DNodeConstraint() = default;

int DNodeConstraint::operator==(const DNodeConstraint& o) const
{
    if (m_nID != o.m_nID) return 0;
    for (int i = 0; i < 6; ++i)
        if (m_nCode[i] != o.m_nCode[i]) return 0;
    return 1;
}

int DNodeConstraint::Serialize(bofstream& out)
{
    static_assert(kMinStreamBytes == 4 + 24);
    out << m_nID;
    out.Write(m_nCode, 24);
    return out.IsGood();
}

int DNodeConstraint::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DNodeConstraint& t) {
        in >> t.m_nID;
        in.Read(t.m_nCode, 24);
    });
}

// ---- DNodeSpring ----

DNodeSpring::~DNodeSpring() = default;

int DNodeSpring::operator==(const DNodeSpring& o) const
{
    if (m_cKind != o.m_cKind) return 0;
    if (m_nNode2 > 0)
        return (m_nNode1 == o.m_nNode1 && m_nNode2 == o.m_nNode2) || (m_nNode1 == o.m_nNode2 && m_nNode2 == o.m_nNode1);
    return m_nNode1 == o.m_nNode1 && Parallel(m_dDir, o.m_dDir);
}

int DNodeSpring::Serialize(bofstream& out)
{
    out << m_nID << m_nNode1 << m_nNode2 << m_cKind << m_dValue;
    out.Write(m_dDir, 24);
    out << m_sAttr;
    return out.IsGood();
}

int DNodeSpring::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DNodeSpring& t) {
        if (nVersion > 100)
            in >> t.m_nID;
        else
            t.m_nID = NextStreamRecordNumber();
        in >> t.m_nNode1 >> t.m_nNode2 >> t.m_cKind >> t.m_dValue;
        in.Read(t.m_dDir, 24);
        if (nVersion > 110) in >> t.m_sAttr;
    });
}

// ---- DNodeDisplacement ----

DNodeDisplacement::~DNodeDisplacement() = default;
DNodeDisplacement& DNodeDisplacement::operator=(const DNodeDisplacement& o)
{
    return AssignWhole(*this, o);
}

int DNodeDisplacement::operator==(const DNodeDisplacement& o) const
{
    return m_nNode == o.m_nNode && m_nCode == o.m_nCode && Parallel(m_fDir, o.m_fDir);
}

int DNodeDisplacement::Serialize(bofstream& out)
{
    out << m_nNode << m_nCode;
    m_Factors.Serialize(out);
    out.Write(m_fDir, 12);
    return out.IsGood();
}

int DNodeDisplacement::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DNodeDisplacement& t) {
        in >> t.m_nNode >> t.m_nCode;
        t.m_Factors.Serialize(in);
        in.Read(t.m_fDir, 12);
    });
}
