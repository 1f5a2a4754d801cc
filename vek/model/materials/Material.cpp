#include "vek/model/materials/Material.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <vector>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/GFunc.h"
#include "korvalib/base/biostream.h"
#include "korvalib/model/CommonData.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/materials/SectionRecordIo.h"
#include "vek/model/analysis/AnalysisParameters.h"

MLArray<CMaterial> theMaterials;

namespace {

// Force, length and mass factors of the current unit system against code 0.
void UnitFactors(double& F, double& L, double& M)
{
    const int u = theProjectOptions.GetUnitCode();
    F = DCommonData::ForceFactor(u);
    L = DCommonData::DimensionFactor(u);
    M = DCommonData::MassFactor(u);
}

bool Within(double a, double b, double tol)
{
    return a - b < tol && b - a < tol;
}

}  // namespace

CMaterial::CMaterial()
{
    SetConcreteGrade(m_fGrade);
}

void CMaterial::FillConcrete(bool all)
{
    double F, L, M;
    UnitFactors(F, L, M);
    m_fModulus = float(DMaterial::GetElasticModuleFromConcret(m_fGrade, theProjectOptions.GetUnitCode()));
    if (all || m_fConst1 < 1e-8f) m_fConst1 = 0.2f;
    if (all || m_fVolWeight < 1e-10f) m_fVolWeight = float(24.5 * F / (L * L * L));
    if (all || m_fVolMass < 1e-10f) m_fVolMass = float(2.5 * M / (L * L * L));
    if (all || m_fConst2 < 1e-10f) m_fConst2 = 1e-5f;
}

bool CMaterial::SetConcreteGrade(double grade)
{
    m_fGrade = float(grade);
    if (!(grade > 5)) return false;
    FillConcrete(true);
    return true;
}

int CMaterial::Serialize(bofstream& out)
{
    out << (m_pName ? m_pName : "");
    out << m_fGrade << m_fModulus << m_fConst1 << m_fVolWeight << m_fVolMass << m_fConst2;
    return out.IsGood();
}

bool CMaterial::Load(bifstream& in, int elementType)
{
    const int v = nPrjVersion;
    CMaterial m(*this);
    if (v >= 600) {
        int32_t n = 0;
        in >> n;
        if (!in.IsGood() || n < 0 || n > 4096 || !in.CheckAvailable(n)) {
            in.SetFailed();
            return false;
        }
        std::vector<char> name(static_cast<size_t>(n) + 1, '\0');
        in.Read(name.data(), n);
        m.SetName(name.data());
    }
    if (v >= 700) {
        in >> m.m_fGrade >> m.m_fModulus >> m.m_fConst1 >> m.m_fVolWeight >> m.m_fVolMass >> m.m_fConst2;
    } else {
        double d[6] = {0, 0, 0, 0, 0, 0};
        const int count = v >= 600 || elementType != 1 ? (v >= 460 ? 6 : 5) : 6;
        for (int i = 0; i < count; ++i) in >> d[i];
        if (v >= 600 || elementType == 5 || elementType == 7) {
            m.m_fGrade = NarrowToFloat(d[0]);
            m.m_fModulus = NarrowToFloat(d[1]);
            m.m_fConst1 = NarrowToFloat(d[2]);
            m.m_fVolWeight = NarrowToFloat(d[3]);
            m.m_fVolMass = NarrowToFloat(d[4]);
            m.m_fConst2 = NarrowToFloat(d[5]);
        } else if (elementType == 1) {
            // E, grade, shear modulus G, unit weight, density, expansion.
            m.m_fModulus = NarrowToFloat(d[0]);
            m.m_fGrade = NarrowToFloat(d[1]);
            m.m_fConst1 = d[0] > 1e-5 && d[2] > 1e-5 ? NarrowToFloat(0.5 * d[0] / d[2] - 1) : 0.0f;
            m.m_fVolWeight = NarrowToFloat(d[3]);
            m.m_fVolMass = NarrowToFloat(d[4]);
            m.m_fConst2 = NarrowToFloat(d[5]);
        } else {
            // E, Poisson's ratio, grade, unit weight, density, expansion.
            m.m_fModulus = NarrowToFloat(d[0]);
            m.m_fConst1 = NarrowToFloat(d[1]);
            m.m_fGrade = NarrowToFloat(d[2]);
            m.m_fVolWeight = NarrowToFloat(d[3]);
            m.m_fVolMass = NarrowToFloat(d[4]);
            m.m_fConst2 = NarrowToFloat(d[5]);
        }
    }
    if (!in.IsGood()) return false;
    if (m.m_fGrade > 5 && m.m_fModulus < 1e-8f) m.FillConcrete(false);
    *this = m;
    return true;
}

void CMaterial::WriteDataFile(DKorvaDataFile& f, int type, int frameGradeFlag) const
{
    if (type == 1) {
        if (m_fGrade > 1 && frameGradeFlag == 0) f << "U=" << m_fGrade;
        f << "E=" << m_fModulus << "G=" << double(m_fModulus) / (2 * (1 + double(m_fConst1))) << "W=" << m_fVolWeight
          << "M=" << m_fVolMass << "C=" << m_fConst2 << wrap;
    } else if (type == 5 || type == 6) {
        if (m_fGrade > 1) f << "I=" << m_fGrade;
        f << "E=" << m_fModulus << "W=" << m_fVolWeight << "M=" << m_fVolMass << "U=" << m_fConst1 << "A=" << m_fConst2
          << wrap;
    } else if (type == 7 || type == 8) {
        f << "W=" << m_fVolWeight << "M=" << m_fVolMass << wrap;
        f << "E=" << m_fModulus << "U=" << m_fConst1 << "A=" << m_fConst2 << wrap;
    } else {
        f << wrap;
    }
}

std::string CMaterial::GetParamText() const
{
    const char letters[6] = {'U', 'E', 'V', 'W', 'M', 'A'};
    const char* formats[6] = {"%.3f", "%.3E", "%.3f", "%.3E", "%.3E", "%.3E"};
    const double values[6] = {m_fGrade, m_fModulus, m_fConst1, m_fVolWeight, m_fVolMass, m_fConst2};
    std::string text;
    for (int i = 0; i < 6; ++i) {
        char v[64], item[80];
        std::snprintf(v, sizeof v, formats[i], values[i]);
        GFunc::CompressFloatString(v, 0);
        if (!v[0]) continue;
        std::snprintf(item, sizeof item, "%c=%s", letters[i], v);
        text += item;
    }
    return text;
}

std::string CMaterial::GetInfoText() const
{
    char text[512];
    std::snprintf(text, sizeof text,
                  "混凝土强度等级:%.5g\r\n弹模:%.5g\r\n泊松比:%.5g\r\n比重:%.5g\r\n密度:%.5g\r\n热胀系数:%.5g",
                  m_fGrade, m_fModulus, m_fConst1, m_fVolWeight, m_fVolMass, m_fConst2);
    return text;
}

std::string CMaterial::GetExportLine() const
{
    const char* name = m_pName ? m_pName : "";
    std::vector<char> text(std::strlen(name) + 256);
    std::snprintf(text.data(), text.size(), "%s,%.1f,%.3e,%.2f,%.3e,%.3e,%.3e\n", name, m_fGrade, m_fModulus, m_fConst1,
                  m_fVolWeight, m_fVolMass, m_fConst2);
    return text.data();
}

int CMaterial::IsSameProperties(const CMaterial& o) const
{
    return Within(m_fGrade, o.m_fGrade, 1e-6) && Within(m_fModulus, o.m_fModulus, 1e-6) &&
                   Within(m_fConst1, o.m_fConst1, 1e-6) && Within(m_fVolWeight, o.m_fVolWeight, 1e-10) &&
                   Within(m_fVolMass, o.m_fVolMass, 1e-10) && Within(m_fConst2, o.m_fConst2, 1e-10)
               ? 1
               : 0;
}

int CMaterial::IsZero() const
{
    return Within(m_fGrade, 0, 1e-6) && Within(m_fModulus, 0, 1e-6) && Within(m_fConst1, 0, 1e-6) &&
                   Within(m_fVolWeight, 0, 1e-10) && Within(m_fVolMass, 0, 1e-10) && Within(m_fConst2, 0, 1e-10)
               ? 1
               : 0;
}

void CMaterial::ScaleUnits(double F, double M, double L)
{
    m_fModulus *= float(F / (L * L));
    m_fVolWeight *= float(F / (L * L * L));
    m_fVolMass *= float(M / (L * L * L));
}

int AddModelMaterial(const CMaterial& material, bool matchByName, bool reuseEqual, bool skipEmpty)
{
    CMaterial m(material);
    const int count = theMaterials.GetSize();
    auto name = [](int i) { return theMaterials.GetAt(i)->m_pName ? theMaterials.GetAt(i)->m_pName : ""; };
    if (!matchByName) {
        for (int n = count + 1;; ++n) {
            char fresh[32];
            std::snprintf(fresh, sizeof fresh, "材料%d", n);
            bool taken = false;
            for (int i = 0; i < count && !taken; ++i) taken = strcasecmp(name(i), fresh) == 0;
            if (!taken) {
                m.SetName(fresh);
                break;
            }
        }
    }
    if (skipEmpty) {
        const double v[6] = {m.m_fGrade, m.m_fModulus, m.m_fConst1, m.m_fVolWeight, m.m_fVolMass, m.m_fConst2};
        bool empty = true;
        for (double x : v) empty = empty && std::fabs(x) <= 1e-6;
        if (empty) return 0;
    }
    if (reuseEqual) {
        for (int i = 0; i < count; ++i) {
            const bool same = matchByName ? strcasecmp(name(i), m.m_pName ? m.m_pName : "") == 0
                                          : theMaterials.GetAt(i)->IsSameProperties(m) != 0;
            if (same) return i + 1;
        }
    }
    if (!theMaterials.Add(m)) {
        AppMessageBox("材料数量太多，材料添加失败！");
        return 0;
    }
    return theMaterials.GetSize();
}

bool WriteMaterials(bofstream& out)
{
    out << int32_t(theMaterials.GetSize());
    for (int i = 0; i < theMaterials.GetSize(); ++i) theMaterials.GetAt(i)->Serialize(out);
    return WriteReinforceBlock(out) && out.IsGood();
}

bool ReadMaterials(bifstream& in)
{
    const int v = nPrjVersion;
    CMaterial temp;
    if (v >= 600 && v <= 680 && !temp.Load(in, 1)) return false;
    int32_t count = 0;
    in >> count;
    // A record holds at least its name's length and six values.
    if (!in.IsGood() || count < 0 || !in.CheckAvailable(int64_t(count) * (v >= 700 ? 28 : 52))) {
        in.SetFailed();
        return false;
    }
    MLArray<CMaterial> read;
    if (!read.SetSize(count)) {
        AppMessageBox("梁柱单元材料数太多!");
        return false;
    }
    for (int i = 0; i < count; ++i) {
        CMaterial m;
        if (!m.Load(in, 1) || !read.Add(m)) {
            in.SetFailed();
            return false;
        }
    }
    CReinforcePara reinforce;
    if (!reinforce.Read(in)) return false;
    theMaterials.Copy(read);
    theReinforcePara = reinforce;
    return true;
}
