#include "vek/elements/line/frames/FrameDataLine.h"

#include <cmath>
#include <cstdio>

#include "korvalib/base/DataFile.h"
#include "korvalib/model/CommonData.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"

namespace {
const char* const kCannot = "无法把指定的预拉压力转换成轴向升降温";
}  // namespace

double DefaultSteelModulus(int unitCode)
{
    const double L = DCommonData::DimensionFactor(unitCode);
    return 2.06e8 * DCommonData::ForceFactor(unitCode) / (L * L);
}

void WriteFrameDataLine(DKorvaDataFile& file, CFrame& f, int combination, int n, const int* const* rows)
{
    file << int(f.m_nID) << int(f.m_nNodeI) << int(f.m_nNodeJ) << "M=" << combination;
    file.InsertBlkAfterNumber(false);
    file << "DIR" << f.GetAxisCode() << "=";
    file.InsertBlkAfterNumber(true);
    file << f.m_dRef[0] << f.m_dRef[1] << f.m_dRef[2];
    const bool axialOnly = f.GetAxialType() != 0;
    const bool released =
        f.m_cRelease[0] == 100 && f.m_cRelease[1] == 100 && f.m_cRelease[3] == 100 && f.m_cRelease[4] == 100;
    if (axialOnly || released) {
        bool loaded = false;
        for (int c = 0; c < n && rows; ++c)
            if (rows[c][f.m_nID - 1] > 0) loaded = true;
        if (!loaded)
            f.SetOutputSections(0);
        else if (f.GetOutputSections() == 0)
            f.SetOutputSections(1);
    }
    file << "T=" << f.GetOutputSections();
    file << "E=" << double(f.m_fRigid[0]) << double(f.m_fRigid[1]);
    file << "R=";
    if (axialOnly) {
        file << "1 1 0 1 1 0 ";
        if (f.m_nAttr & kFrameEgrf) file << "EGRF=1E-10 ";
    } else {
        for (uint8_t r : f.m_cRelease) file << double(r) / 100.0;
    }
    bool ecc = false;
    for (float e : f.m_fEcc)
        if (std::fabs(e) > 0.0001) ecc = true;
    if (ecc) {
        file << "ECC=";
        for (float e : f.m_fEcc) file << double(e);
    }
    if (f.GetSectionKind() == 0 && f.m_Wires.Entries() > 0) {
        file << "MPL=";
        for (int k = 0; k < f.m_Wires.Entries(); ++k)
            file << int(f.m_Wires[k].nElement) << double(f.m_Wires[k].fValue1) << double(f.m_Wires[k].fValue2);
    }
    if (rows && n > 0)
        WriteTrimmedIntList(file, rows, f.m_nID, n);
    else
        file << "L=" << 0;
    for (int k = 0; k < f.m_Loads.Entries(); ++k) {
        const int id = f.m_Loads[k].nValue;
        if (id < 1 || id > theFrameLoads.GetSize()) continue;
        const float p = theFrameLoads.GetAt(id - 1)->m_fPrestress;
        if (std::fabs(p) > 0.01) file << "Axial=" << double(p);
    }
    file << "ACT=" << std::abs(int(f.m_nStage)) << wrap;
}

int GetAxialTempParams(const CFrame& f, double& area, double& E, double& alpha, std::string& message)
{
    area = E = alpha = 0;
    const int unit = theProjectOptions.GetUnitCode();
    const int kind = f.GetSectionKind();
    const bool material = f.m_nMaterial >= 1 && f.m_nMaterial <= theMaterials.GetSize();
    if (material) {
        const CMaterial* m = theMaterials.GetAt(f.m_nMaterial - 1);
        E = m->m_fModulus;
        alpha = m->m_fConst2;
        if (m->m_fGrade > 6) {
            if (alpha < 1e-15) alpha = 1.2e-5;
            if (E < 1e-10) E = DMaterial::GetElasticModuleFromConcret(m->m_fGrade, unit);
        }
    }
    char head[96];
    if (f.m_nSection > 0 && (material || kind == 1)) {
        if (kind == 2) {
            std::snprintf(head, sizeof head, "%d号梁柱单元的截面为变截面，", int(f.m_nID));
            message = std::string(head) + kCannot;
            return 0;
        }
        if (kind == 1) {
            if (f.m_nSection <= theSframeSects.GetSize())
                area = theSframeSects.GetAt(f.m_nSection - 1)->GetSectArea(unit);
            // The steel modulus in the model's own units.
            if (E < 1e-5) E = DefaultSteelModulus(unit);
            if (alpha < 1e-15) alpha = 1.2e-5;
        } else if (f.m_nSection <= theFrameSects.GetSize()) {
            area = theFrameSects.GetAt(f.m_nSection - 1)->GetSectArea();
        }
        if (area > 1e-15 && alpha > 1e-15 && E > 1e-10) return 1;
        message = kCannot;
        return 0;
    }
    std::snprintf(head, sizeof head, "%d号梁柱单元没有赋给材料或截面，", int(f.m_nID));
    message = std::string(head) + kCannot;
    return 0;
}
