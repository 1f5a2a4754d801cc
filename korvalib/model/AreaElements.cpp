// Area and solid element records.
#include "korvalib/model/AreaElements.h"

#include <cstring>

#include "korvalib/model/CommonData.h"
#include "korvalib/base/GFunc.h"
#include "korvalib/model/ModelRecordUtil.h"
#include "korvalib/base/biostream.h"

using namespace korva_detail;

namespace {

template <class T>
void WriteHead(bofstream& out, const T& r)
{
    out << r.m_nID << r.m_sAttr1 << r.m_sAttr2;
}

template <class T>
void ReadHead(bifstream& in, T& r)
{
    in >> r.m_nID >> r.m_sAttr1 >> r.m_sAttr2;
}

template <class T>
void WriteTail(bofstream& out, T& r)
{
    r.m_Loads.Serialize(out);
    out << r.m_sLastAttr;
}

template <class T>
void ReadTail(bifstream& in, T& r)
{
    r.m_Loads.Serialize(in);
    if (nVersion > 100) in >> r.m_sLastAttr;
}

// Thickness pair of a kind: shell (a, b or a), film (a, 0), slab (0, a).
int ThickOfKind(int kind, double a, double b, float& in, float& bend)
{
    switch (kind) {
        case 0:
            in = float(a);
            bend = float(b > SectionError ? b : a);
            return 1;
        case 1:
            in = float(a);
            bend = 0;
            return 1;
        case 2:
            in = 0;
            bend = float(a);
            return 1;
        default: return 0;
    }
}

}  // namespace

// ---- DPlaneBase ----

DPlaneBase::~DPlaneBase() = default;
DPlaneBase& DPlaneBase::operator=(const DPlaneBase& o)
{
    return AssignWhole(*this, o);
}
int DPlaneBase::operator==(const DPlaneBase& o) const
{
    return GFunc::IsEqual(m_nNodes, o.m_nNodes, 9);
}
void DPlaneBase::SetQuadNodes(const int* nodes)
{
    std::memcpy(m_nNodes, nodes, 36);
}

void DPlaneBase::SetTriangleNodes(const int* nodes)
{
    std::memcpy(m_nNodes, nodes, 24);
    m_nNodes[6] = m_nNodes[7] = m_nNodes[8] = 0;
}

int DPlaneBase::IsTriangle() const
{
    return int64_t(m_nNodes[6]) + m_nNodes[7] + m_nNodes[8] <= 0;
}

void DPlaneBase::GetVertex(int* nodes, int& count) const
{
    if (IsTriangle()) {
        count = 3;
        nodes[0] = m_nNodes[0];
        nodes[1] = m_nNodes[1];
        nodes[2] = m_nNodes[2];
    } else {
        count = 4;
        nodes[0] = m_nNodes[0];
        nodes[1] = m_nNodes[2];
        nodes[2] = m_nNodes[8];
        nodes[3] = m_nNodes[6];
    }
}

int DPlaneBase::Serialize(bofstream& out)
{
    WriteHead(out, *this);
    out.Write(m_nNodes, 36);
    out << m_sAttr3 << m_fAttr1 << m_fAttr2;
    WriteTail(out, *this);
    return out.IsGood();
}

int DPlaneBase::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DPlaneBase& t) {
        ReadHead(in, t);
        in.Read(t.m_nNodes, 36);
        in >> t.m_sAttr3 >> t.m_fAttr1 >> t.m_fAttr2;
        ReadTail(in, t);
    });
}

// ---- DThreedBase ----

DThreedBase::~DThreedBase() = default;
DThreedBase& DThreedBase::operator=(const DThreedBase& o)
{
    return AssignWhole(*this, o);
}
int DThreedBase::operator==(const DThreedBase& o) const
{
    return GFunc::IsEqual(m_nNodes, o.m_nNodes, 8);
}
void DThreedBase::SetNodes(const int* nodes)
{
    std::memcpy(m_nNodes, nodes, 32);
}

int DThreedBase::Serialize(bofstream& out)
{
    WriteHead(out, *this);
    out.Write(m_nNodes, 32);
    out << m_sAttr3 << m_fAttr;
    WriteTail(out, *this);
    return out.IsGood();
}

int DThreedBase::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DThreedBase& t) {
        ReadHead(in, t);
        in.Read(t.m_nNodes, 32);
        in >> t.m_sAttr3 >> t.m_fAttr;
        ReadTail(in, t);
    });
}

// ---- DS16Base ----

DS16Base::~DS16Base() = default;
DS16Base& DS16Base::operator=(const DS16Base& o)
{
    return AssignWhole(*this, o);
}
int DS16Base::operator==(const DS16Base& o) const
{
    return GFunc::IsEqual(m_nNodes, o.m_nNodes, 16);
}
void DS16Base::SetNodes(const int* nodes)
{
    std::memcpy(m_nNodes, nodes, 64);
}

int DS16Base::Serialize(bofstream& out)
{
    WriteHead(out, *this);
    out.Write(m_nNodes, 64);
    out << m_sAttr3 << m_fAttr;
    WriteTail(out, *this);
    return out.IsGood();
}

int DS16Base::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DS16Base& t) {
        ReadHead(in, t);
        in.Read(t.m_nNodes, 64);
        in >> t.m_sAttr3 >> t.m_fAttr;
        ReadTail(in, t);
    });
}

// ---- DSol21Base ----

DSol21Base& DSol21Base::operator=(const DSol21Base& o)
{
    return AssignWhole(*this, o);
}

int DSol21Base::operator==(const DSol21Base& o) const
{
    if (m_cShape != o.m_cShape || m_cCount != o.m_cCount || m_cCount > 21) return 0;
    return GFunc::IsEqual(m_nNodes, o.m_nNodes, m_cCount);
}

void DSol21Base::SetNodes(const int* nodes, int count, int shape)
{
    if (count < 0) count = 0;
    if (count > 21) count = 21;
    std::memset(m_nNodes, 0, sizeof m_nNodes);
    if (count > 0) std::memcpy(m_nNodes, nodes, size_t(count) * 4);
    m_cCount = (unsigned char)count;
    m_cShape = char(shape);
}

int DSol21Base::Serialize(bofstream& out)
{
    // The record holds at most 21 nodes; a larger count is not written.
    if (m_cCount > 21) {
        out.SetFailed();
        return 0;
    }
    WriteHead(out, *this);
    out << m_cShape << m_cCount;
    out.Write(m_nNodes, m_cCount * 4);
    out << m_sAttr3 << m_fAttr;
    WriteTail(out, *this);
    return out.IsGood();
}

int DSol21Base::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DSol21Base& t) {
        ReadHead(in, t);
        in >> t.m_cShape >> t.m_cCount;
        if (!in.IsGood()) return;
        if (t.m_cCount > 21) {
            in.SetFailed();
            return;
        }
        std::memset(t.m_nNodes, 0, sizeof t.m_nNodes);
        in.Read(t.m_nNodes, t.m_cCount * 4);
        in >> t.m_sAttr3 >> t.m_fAttr;
        ReadTail(in, t);
    });
}

// ---- DSol8rBase ----

DSol8rBase::~DSol8rBase() = default;
DSol8rBase& DSol8rBase::operator=(const DSol8rBase& o)
{
    return AssignWhole(*this, o);
}

int DSol8rBase::operator==(const DSol8rBase& o) const
{
    if (m_cShape != o.m_cShape) return 0;
    return GFunc::IsEqual(m_nNodes, o.m_nNodes, ShapeNodes(m_cShape));
}

void DSol8rBase::SetNodes(const int* nodes, int shape)
{
    m_cShape = char(shape);
    int n = ShapeNodes(shape);
    std::memset(m_nNodes, 0, sizeof m_nNodes);
    if (n > 0) std::memcpy(m_nNodes, nodes, size_t(n) * 4);
}

int DSol8rBase::Serialize(bofstream& out)
{
    WriteHead(out, *this);
    out << m_cShape;
    out.Write(m_nNodes, ShapeNodes(m_cShape) * 4);
    out << m_sAttr3 << m_fAttr;
    WriteTail(out, *this);
    return out.IsGood();
}

int DSol8rBase::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DSol8rBase& t) {
        ReadHead(in, t);
        in >> t.m_cShape;
        std::memset(t.m_nNodes, 0, sizeof t.m_nNodes);
        in.Read(t.m_nNodes, ShapeNodes(t.m_cShape) * 4);
        in >> t.m_sAttr3 >> t.m_fAttr;
        ReadTail(in, t);
    });
}

// ---- DShellBase ----

DShellBase::~DShellBase() = default;
DShellBase& DShellBase::operator=(const DShellBase& o)
{
    return AssignWhole(*this, o);
}

int DShellBase::operator==(const DShellBase& o) const
{
    return m_cKind == o.m_cKind && GFunc::IsEqual(m_nNodes, o.m_nNodes, 4);
}

void DShellBase::SetNodes(const int* nodes, int kind)
{
    std::memcpy(m_nNodes, nodes, 16);
    m_cKind = char(kind);
}

void DShellBase::SetThick(double inPlane, double bending)
{
    float a = 0, b = 0;
    if (!ThickOfKind(m_cKind, inPlane, bending, a, b)) return;
    for (auto& pair : m_fThick) {
        pair[0] = a;
        pair[1] = b;
    }
}

void DShellBase::SetShell(const int* nodes, double inPlane, double bending)
{
    SetNodes(nodes, 0);
    SetThick(inPlane, bending);
}

void DShellBase::SetFilm(const int* nodes, double inPlane)
{
    SetNodes(nodes, 1);
    SetThick(inPlane, 0);
}

void DShellBase::SetSlab(const int* nodes, double bending)
{
    SetNodes(nodes, 2);
    SetThick(bending, 0);
}

void DShellBase::GetAverageThick(double& inPlane, double& bending) const
{
    int n = GetNodeNum();
    double a = 0, b = 0;
    for (int i = 0; i < n; ++i) {
        a += m_fThick[i][0];
        b += m_fThick[i][1];
    }
    inPlane = a / n;
    bending = b / n;
}

int DShellBase::Serialize(bofstream& out)
{
    WriteHead(out, *this);
    out << m_cKind << m_cFlag;
    out.Write(m_nNodes, 16);
    out << m_sAttr3 << m_fThick[0][0] << m_fThick[0][1] << m_cByte << m_fAttr;
    WriteTail(out, *this);
    for (int i = 1; i < 4; ++i) out << m_fThick[i][0] << m_fThick[i][1];
    return out.IsGood();
}

int DShellBase::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DShellBase& t) {
        ReadHead(in, t);
        in >> t.m_cKind >> t.m_cFlag;
        in.Read(t.m_nNodes, 16);
        in >> t.m_sAttr3 >> t.m_fThick[0][0] >> t.m_fThick[0][1] >> t.m_cByte >> t.m_fAttr;
        ReadTail(in, t);
        if (nVersion > 120) {
            for (int i = 1; i < 4; ++i) in >> t.m_fThick[i][0] >> t.m_fThick[i][1];
        } else {
            for (int i = 1; i < 4; ++i) {
                t.m_fThick[i][0] = t.m_fThick[0][0];
                t.m_fThick[i][1] = t.m_fThick[0][1];
            }
        }
    });
}

// ---- DWallBase ----

DWallBase::~DWallBase() = default;
DWallBase& DWallBase::operator=(const DWallBase& o)
{
    return AssignWhole(*this, o);
}

int DWallBase::operator==(const DWallBase& o) const
{
    return m_cKind == o.m_cKind && GFunc::IsEqual(m_nNodes, o.m_nNodes, 4);
}

void DWallBase::SetNodes(const int* nodes, int kind)
{
    std::memcpy(m_nNodes, nodes, 16);
    m_cKind = char(kind);
}

void DWallBase::SetThick(double inPlane, double bending)
{
    float a = 0, b = 0;
    if (!ThickOfKind(m_cKind, inPlane, bending, a, b)) return;
    m_fThickIn = a;
    m_fThickBend = b;
}

void DWallBase::SetShellWall(const int* nodes, double inPlane, double bending)
{
    SetNodes(nodes, 0);
    SetThick(inPlane, bending);
}

void DWallBase::SetFilmWall(const int* nodes, double inPlane)
{
    SetNodes(nodes, 1);
    SetThick(inPlane, 0);
}

void DWallBase::SetSlabWall(const int* nodes, double bending)
{
    SetNodes(nodes, 2);
    SetThick(bending, 0);
}

void DWallBase::SetHole(double a, double b, double c, double d)
{
    m_fHole[0] = float(a);
    m_fHole[1] = float(b);
    m_fHole[2] = float(c);
    m_fHole[3] = float(d);
    m_cHole = (a > SectionError || b > SectionError || c > SectionError || d > SectionError) ? 2 : 1;
}

int DWallBase::Serialize(bofstream& out)
{
    WriteHead(out, *this);
    out << m_cKind << m_cFlag << m_cHole;
    out.Write(m_fHole, 16);
    out.Write(m_nNodes, 16);
    out << m_sAttr3 << m_fThickIn << m_fThickBend << m_fAttr1 << m_fAttr2 << m_cFlag2;
    WriteTail(out, *this);
    return out.IsGood();
}

int DWallBase::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DWallBase& t) {
        ReadHead(in, t);
        in >> t.m_cKind >> t.m_cFlag >> t.m_cHole;
        in.Read(t.m_fHole, 16);
        in.Read(t.m_nNodes, 16);
        in >> t.m_sAttr3 >> t.m_fThickIn >> t.m_fThickBend >> t.m_fAttr1 >> t.m_fAttr2 >> t.m_cFlag2;
        ReadTail(in, t);
    });
}
