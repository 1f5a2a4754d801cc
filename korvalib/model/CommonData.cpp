// Tolerances, unit factors and the common control record.
#include "korvalib/model/CommonData.h"

#include <cstring>

#include "korvalib/model/ModelRecordUtil.h"
#include "korvalib/base/biostream.h"

using korva_detail::AssignWhole;
using korva_detail::ReadRecord;

const double NodeMinDist = 0.0001;
const double LoadError = 0.0001;
const double MassSpringError = 0.0001;
const double MaterialError = 0.001;
const double SectionError = 0.0001;
const double CombinationError = 0.001;

namespace {
struct UnitFactors {
    double force, dimension;
};
constexpr UnitFactors kUnits[] = {{1, 1}, {1, 100}, {1000, 1}, {1000000, 1000}, {1000, 1000}};
constexpr int kUnitCount = sizeof(kUnits) / sizeof(kUnits[0]);
}  // namespace

double DCommonData::ForceFactor(int unit)
{
    return unit >= 0 && unit < kUnitCount ? kUnits[unit].force : 1.0;
}
double DCommonData::DimensionFactor(int unit)
{
    return unit >= 0 && unit < kUnitCount ? kUnits[unit].dimension : 1.0;
}
double DCommonData::MassFactor(int unit)
{
    return ForceFactor(unit) / DimensionFactor(unit);
}

DCommonData::DCommonData()
{
    Initialize();
}
DCommonData::~DCommonData() = default;
DCommonData& DCommonData::operator=(const DCommonData& o)
{
    return AssignWhole(*this, o);
}

void DCommonData::Initialize()
{
    static const char defaults[6] = {2, 2, 2, 2, 0, 0};
    memcpy(m_cControl, defaults, sizeof m_cControl);
    m_WeightFactors.Clear();
    m_FactorsA.Clear();
    m_FactorsB.Clear();
    m_FactorsC.Clear();
    m_FactorsD.Clear();
    m_cFlag = 0;
    m_sAttr = 1;
}

int DCommonData::operator==(const DCommonData& o) const
{
    return memcmp(m_cControl, o.m_cControl, sizeof m_cControl) == 0 && (m_WeightFactors == o.m_WeightFactors) &&
           (m_FactorsA == o.m_FactorsA) && (m_FactorsB == o.m_FactorsB) && (m_FactorsC == o.m_FactorsC) &&
           (m_FactorsD == o.m_FactorsD) && m_cFlag == o.m_cFlag && m_sAttr == o.m_sAttr;
}

// Order: six control bytes, weight factors, lists A, C, D, the flag, list B,
// the attribute word.
int DCommonData::Serialize(bofstream& out)
{
    out.Write(m_cControl, 6);
    m_WeightFactors.Serialize(out);
    m_FactorsA.Serialize(out);
    m_FactorsC.Serialize(out);
    m_FactorsD.Serialize(out);
    out << m_cFlag;
    m_FactorsB.Serialize(out);
    out << m_sAttr;
    return out.IsGood();
}

int DCommonData::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DCommonData& t) {
        in.Read(t.m_cControl, 6);
        t.m_WeightFactors.Serialize(in);
        t.m_FactorsA.Serialize(in);
        t.m_FactorsC.Serialize(in);
        t.m_FactorsD.Serialize(in);
        if (nVersion > 100) in >> t.m_cFlag;
        if (nVersion > 110) t.m_FactorsB.Serialize(in);
        if (nVersion > 111) in >> t.m_sAttr;
    });
}
