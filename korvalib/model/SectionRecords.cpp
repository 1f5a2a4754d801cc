// Beam, tapered beam and pipe sections, and materials.
#include "korvalib/model/SectionRecords.h"

#include <cstring>
#include <utility>

#include "korvalib/model/CommonData.h"
#include "korvalib/base/GFunc.h"
#include "korvalib/model/ModelRecordUtil.h"
#include "korvalib/base/biostream.h"

using namespace korva_detail;

namespace {

constexpr double Pi = 3.141592653589793;

double AreaOfKind(int kind, const float* p)
{
    double P[6];
    for (int i = 0; i < 6; ++i) P[i] = p[i];
    switch (kind) {
        case 1: return P[0] * P[1];
        case 2: return P[0] * P[3] + P[1] * P[4] + P[2] * P[5];
        case 3:
        case 4: return P[0] * P[2] + P[1] * P[3];
        case 5: return P[2] * (P[0] + P[1] - P[2]);
        case 6: return P[3] * (P[0] + P[1] + P[2]);
        case 7: return Pi * (P[1] * P[1] - P[0] * P[0]);
        // Arc plate: inner radius, thickness, half opening angle in degrees.
        case 8: return Pi * P[2] * (P[1] * P[1] + 2 * P[0] * P[1]) / 180;
        case 9: return P[0] * P[1] - (P[1] - 2 * P[2]) * (P[0] - 2 * P[3]);
        case 10: return P[2] * (P[1] - 2 * P[3]) + 2 * P[0] * P[3];
        case 40: return P[0];
        default: return 0.0;
    }
}

// Name field: 4-byte length and the text with its zero.
int WriteName(bofstream& out, const char* name)
{
    out << (name ? name : "");
    return out.IsGood();
}

}  // namespace

// ---- DFrameSect ----

DFrameSect::DFrameSect() : m_pName(CopyText("Sect")) {}
DFrameSect::~DFrameSect()
{
    delete[] m_pName;
}

DFrameSect::DFrameSect(const DFrameSect& o)
{
    *this = o;
}
DFrameSect::DFrameSect(DFrameSect&& o) noexcept
{
    *this = std::move(o);
}

DFrameSect& DFrameSect::operator=(const DFrameSect& o)
{
    return AssignNamed(*this, o, &DFrameSect::CopyFields);
}
DFrameSect& DFrameSect::operator=(DFrameSect&& o) noexcept
{
    return MoveNamed(*this, o, &DFrameSect::CopyFields);
}

void DFrameSect::CopyFields(const DFrameSect& o)
{
    m_sNumber = o.m_sNumber;
    m_cKind = o.m_cKind;
    std::memcpy(m_fPara, o.m_fPara, sizeof m_fPara);
}

void DFrameSect::SetName(const char* name)
{
    SetText(m_pName, name ? name : "");
}
int DFrameSect::operator==(const DFrameSect& o) const
{
    return EqualNoCase(m_pName, o.m_pName);
}

int DFrameSect::GetParaNum(int kind)
{
    switch (kind) {
        case 1:
        case 7: return 2;
        case 2:
        case 40: return 6;
        case 3:
        case 4:
        case 6:
        case 9:
        case 10: return 4;
        case 5:
        case 8: return 3;
        default: return 0;
    }
}

void DFrameSect::SetSect(int kind, const double* para)
{
    m_cKind = char(kind);
    int n = GetParaNum(kind);
    for (int i = 0; i < n; ++i) m_fPara[i] = float(para[i]);
}

void DFrameSect::SetSect(double area, const double A[2], double a, const double B[2])
{
    m_cKind = 40;
    m_fPara[0] = float(area);
    m_fPara[1] = float(a);
    m_fPara[2] = float(A[0]);
    m_fPara[3] = float(A[1]);
    m_fPara[4] = float(B[1]);
    m_fPara[5] = float(B[0]);
}

void DFrameSect::SetTrussSect(double area, double second)
{
    m_cKind = 40;
    m_fPara[0] = float(area);
    m_fPara[2] = float(second);
    m_fPara[1] = m_fPara[3] = m_fPara[4] = m_fPara[5] = 0;
}

int DFrameSect::GetSect(int& kind, double* para) const
{
    if (!IsSpecSect()) return 0;
    kind = m_cKind;
    int n = GetParaNum(m_cKind);
    for (int i = 0; i < n; ++i) para[i] = m_fPara[i];
    return n;
}

int DFrameSect::GetSect(double& area, double A[2], double& a, double B[2]) const
{
    if (!IsGenSect()) return 0;
    area = m_fPara[0];
    a = m_fPara[1];
    A[0] = m_fPara[2];
    A[1] = m_fPara[3];
    B[1] = m_fPara[4];
    B[0] = m_fPara[5];
    return 1;
}

int DFrameSect::GetTrussSect(double& area, double& second) const
{
    if (!IsGenSect()) return 0;
    area = m_fPara[0];
    second = m_fPara[2];
    return 1;
}

double DFrameSect::GetSectArea() const
{
    return AreaOfKind(m_cKind, m_fPara);
}

int DFrameSect::Serialize(bofstream& out)
{
    out << m_sNumber << m_cKind;
    WriteName(out, m_pName);
    out.Write(m_fPara, 24);
    return out.IsGood();
}

int DFrameSect::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DFrameSect& t) {
        in >> t.m_sNumber >> t.m_cKind;
        in.ReadString(t.m_pName);
        in.Read(t.m_fPara, 24);
    });
}

// ---- DVframeSect ----

DVframeSect::DVframeSect() : m_pName(CopyText("VSect")) {}
DVframeSect::~DVframeSect()
{
    delete[] m_pName;
}

DVframeSect::DVframeSect(const DVframeSect& o)
{
    *this = o;
}
DVframeSect::DVframeSect(DVframeSect&& o) noexcept
{
    *this = std::move(o);
}

DVframeSect& DVframeSect::operator=(const DVframeSect& o)
{
    return AssignNamed(*this, o, &DVframeSect::CopyFields);
}
DVframeSect& DVframeSect::operator=(DVframeSect&& o) noexcept
{
    return MoveNamed(*this, o, &DVframeSect::CopyFields);
}

void DVframeSect::CopyFields(const DVframeSect& o)
{
    m_sNumber = o.m_sNumber;
    m_cKind = o.m_cKind;
    std::memcpy(m_fStart, o.m_fStart, sizeof m_fStart);
    std::memcpy(m_fEnd, o.m_fEnd, sizeof m_fEnd);
}

void DVframeSect::SetName(const char* name)
{
    SetText(m_pName, name ? name : "");
}
int DVframeSect::operator==(const DVframeSect& o) const
{
    return EqualNoCase(m_pName, o.m_pName);
}

int DVframeSect::GetParaNum(int kind)
{
    switch (kind) {
        case 1:
        case 7: return 2;
        case 2: return 6;
        case 3:
        case 4: return 4;
        default: return 0;
    }
}

double DVframeSect::GetSectArea() const
{
    switch (m_cKind) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 7: return (AreaOfKind(m_cKind, m_fStart) + AreaOfKind(m_cKind, m_fEnd)) / 2;
        default: return 0.0;
    }
}

int DVframeSect::Serialize(bofstream& out)
{
    out << m_sNumber << m_cKind;
    WriteName(out, m_pName);
    out.Write(m_fStart, 24);
    out.Write(m_fEnd, 24);
    return out.IsGood();
}

int DVframeSect::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DVframeSect& t) {
        in >> t.m_sNumber >> t.m_cKind;
        in.ReadString(t.m_pName);
        in.Read(t.m_fStart, 24);
        in.Read(t.m_fEnd, 24);
    });
}

// ---- DPipeSect ----

DPipeSect::DPipeSect() : m_pName(CopyText("psection")) {}
DPipeSect::~DPipeSect()
{
    delete[] m_pName;
}

DPipeSect::DPipeSect(const DPipeSect& o)
{
    *this = o;
}
DPipeSect::DPipeSect(DPipeSect&& o) noexcept
{
    *this = std::move(o);
}

DPipeSect& DPipeSect::operator=(const DPipeSect& o)
{
    return AssignNamed(*this, o, &DPipeSect::CopyFields);
}
DPipeSect& DPipeSect::operator=(DPipeSect&& o) noexcept
{
    return MoveNamed(*this, o, &DPipeSect::CopyFields);
}

void DPipeSect::CopyFields(const DPipeSect& o)
{
    m_sNumber = o.m_sNumber;
    m_fDiameter = o.m_fDiameter;
    m_fThickness = o.m_fThickness;
    m_fAttr = o.m_fAttr;
}

void DPipeSect::SetName(const char* name)
{
    SetText(m_pName, name ? name : "");
}
int DPipeSect::operator==(const DPipeSect& o) const
{
    return EqualNoCase(m_pName, o.m_pName);
}

double DPipeSect::GetSectArea() const
{
    double D = m_fDiameter, t = m_fThickness;
    return Pi * t * (D - t);
}

int DPipeSect::Serialize(bofstream& out)
{
    out << m_sNumber;
    WriteName(out, m_pName);
    out << m_fDiameter << m_fThickness << m_fAttr;
    return out.IsGood();
}

int DPipeSect::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DPipeSect& t) {
        in >> t.m_sNumber;
        in.ReadString(t.m_pName);
        in >> t.m_fDiameter >> t.m_fThickness >> t.m_fAttr;
    });
}

// ---- DMaterial ----

DMaterial::DMaterial() : m_pName(CopyText("mat")) {}
DMaterial::~DMaterial()
{
    delete[] m_pName;
}

DMaterial::DMaterial(const DMaterial& o)
{
    *this = o;
}
DMaterial::DMaterial(DMaterial&& o) noexcept
{
    *this = std::move(o);
}

DMaterial& DMaterial::operator=(const DMaterial& o)
{
    return AssignNamed(*this, o, &DMaterial::CopyFields);
}
DMaterial& DMaterial::operator=(DMaterial&& o) noexcept
{
    return MoveNamed(*this, o, &DMaterial::CopyFields);
}

void DMaterial::CopyFields(const DMaterial& o)
{
    m_sNumber = o.m_sNumber;
    m_fGrade = o.m_fGrade;
    m_fModulus = o.m_fModulus;
    m_fConst1 = o.m_fConst1;
    m_fVolWeight = o.m_fVolWeight;
    m_fVolMass = o.m_fVolMass;
    m_fConst2 = o.m_fConst2;
}

void DMaterial::SetName(const char* name)
{
    SetText(m_pName, name ? name : "");
}
int DMaterial::operator==(const DMaterial& o) const
{
    return EqualNoCase(m_pName, o.m_pName);
}

void DMaterial::GetEFcFromConcret(double grade, int unit, double& E, double& fc)
{
    static const double g[14] = {15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80};
    static const double e[14] = {2.2, 2.55, 2.8, 3.0, 3.15, 3.24, 3.35, 3.45, 3.55, 3.6, 3.65, 3.7, 3.75, 3.8};
    static const double f[14] = {7.2, 9.6, 11.9, 14.3, 16.7, 19.1, 21.1, 23.1, 25.3, 27.5, 29.7, 31.8, 33.8, 35.9};
    // Linear in the grade, extrapolated with the end segments.
    double s =
        DCommonData::ForceFactor(unit) / (DCommonData::DimensionFactor(unit) * DCommonData::DimensionFactor(unit));
    E = GFunc::GetYToXOnSomeData(grade, g, e, 14, 1, 1) * 1.0e7 * s;
    fc = GFunc::GetYToXOnSomeData(grade, g, f, 14, 1, 1) * 1000.0 * s;
}

double DMaterial::GetElasticModuleFromConcret(double grade, int unit)
{
    double E = 0, fc = 0;
    GetEFcFromConcret(grade, unit, E, fc);
    return E;
}

double DMaterial::GetElasticModule(int unit) const
{
    if (m_fModulus > 0.00001) return m_fModulus;
    if (m_fGrade > 7) return GetElasticModuleFromConcret(m_fGrade, unit);
    return 0.0;
}

int DMaterial::Serialize(bofstream& out)
{
    out << m_sNumber;
    WriteName(out, m_pName);
    out << m_fGrade << m_fModulus << m_fConst1 << m_fVolWeight << m_fVolMass << m_fConst2;
    return out.IsGood();
}

int DMaterial::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DMaterial& t) {
        in >> t.m_sNumber;
        in.ReadString(t.m_pName);
        in >> t.m_fGrade >> t.m_fModulus >> t.m_fConst1 >> t.m_fVolWeight >> t.m_fVolMass >> t.m_fConst2;
    });
}
