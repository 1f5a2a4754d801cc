// The frames in the data-file writer's beam slot: their rows, the distinct
// loads of each block (a prestress turned into an axial temperature), the
// section-material combination lines and the frames' own lines.
#include "vek/elements/line/frames/FrameDataFamily.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "korvalib/base/DataFile.h"
#include "vek/analysis/FamilyDataFile.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameDataLine.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameSort.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/materials/TightWire.h"

namespace {

constexpr float kSectionZero = 1e-14f;

void WriteGeneralSection(DKorvaDataFile& file, const CFrameSect& s)
{
    const float* p = s.m_fPara;
    if (s.IsGenSect()) {
        // Area, torsion, I33, I22, shear areas A2 and A3.
        if (p[0] > kSectionZero) file << "A=" << p[0];
        if (p[1] > kSectionZero) file << "J=" << p[1];
        if (p[3] > kSectionZero || p[2] > kSectionZero) {
            file << "I=" << p[2];
            if (p[3] > kSectionZero) file << p[3];
        }
        if (p[4] > kSectionZero || p[5] > kSectionZero) {
            file << "S=" << p[4];
            if (p[5] > kSectionZero) file << p[5];
        }
        return;
    }
    file << "N=" << int(s.m_cKind) << "B=";
    const int n = std::min(DFrameSect::GetParaNum(s.m_cKind), 6);
    for (int i = 0; i < n; ++i) file << p[i];
    if (s.m_cKind == 7) file << p[1] - p[0];
}

void WriteVariableSection(DKorvaDataFile& file, const CVframeSect& s)
{
    const float* p = s.m_fStart;
    const float* q = s.m_fEnd;
    switch (s.m_cKind) {
        case 1: file << "BI=" << p[1] << "DI=" << p[0] << "BJ=" << q[1] << "DJ=" << q[0]; break;
        case 2:
            file << "BI=" << p[0] << p[1] << p[2] << "DI=" << p[3] << p[4] << p[5];
            file << "BJ=" << q[0] << q[1] << q[2] << "DJ=" << q[3] << q[4] << q[5];
            break;
        case 3:
        case 4:
            file << "BI=" << p[0] << p[1] << "DI=" << p[2] << p[3] << "BJ=" << q[0] << q[1] << "DJ=" << q[2] << q[3];
            break;
        case 7: file << "BI=" << p[1] << p[0] << "BJ=" << q[1] << q[0]; break;
        default: break;
    }
}

// The load of one list at the two ends of a member of length L, by the
// lever rule: the list's force (distributed: piecewise linear between its
// points) and its moment about end I.
void ListEndShares(const DLoadPoints& list, bool distributed, double L, double& atI, double& atJ)
{
    atI = atJ = 0;
    const int n = list.Entries();
    if (n < 1 || L <= 0) return;
    const bool relative = IsRelativeList(list);
    auto x = [&](int i) { return relative ? -double(list.m_pX[i]) * L : double(list.m_pX[i]); };
    double force = 0, moment = 0;
    if (distributed) {
        for (int i = 0; i + 1 < n; ++i) {
            const double x0 = x(i), x1 = x(i + 1), v0 = list.m_pV[i], v1 = list.m_pV[i + 1];
            force += (v0 + v1) / 2 * (x1 - x0);
            moment += (x1 - x0) * (v0 * (2 * x0 + x1) + v1 * (x0 + 2 * x1)) / 6;
        }
    } else {
        for (int i = 0; i < n; ++i) {
            force += list.m_pV[i];
            moment += list.m_pV[i] * x(i);
        }
    }
    atJ = moment / L;
    atI = force - atJ;
}

// The forces of a load at the member's ends, in global components; the
// lists along the local axes are turned by the member's axes.
void LoadEndForces(const CFrame& f, const CFrameLoad& load, double atI[3], double atJ[3])
{
    const double L = f.GetLength();
    double axes[3][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    for (int k = 0; k < 3; ++k)
        if (!f.GetLocalAxis(k + 1, axes[k])) axes[k][0] = axes[k][1] = axes[k][2] = 0;
    for (int c = 0; c < 3; ++c) atI[c] = atJ[c] = 0;
    for (int group : {int(kDistributed), int(kSpanForce)})
        for (int d = 0; d < 6; ++d) {
            double i = 0, j = 0;
            ListEndShares(load.m_Points[group][d], group == kDistributed, L, i, j);
            for (int c = 0; c < 3; ++c) {
                const double along = d < 3 ? (c == d ? 1.0 : 0.0) : axes[d - 3][c];
                atI[c] += i * along;
                atJ[c] += j * along;
            }
        }
}

class CFramesInDataFile : public CFrameDataFamily {
public:
    int Count() const override { return theFrames.GetSize(); }

    void Row(int pos, CFrameDataRow& row) const override
    {
        const CFrame& f = *theFrames.GetAt(pos);
        row.id = f.m_nID;
        row.nodes[0] = f.m_nNodeI;
        row.nodes[1] = f.m_nNodeJ;
        row.kind = f.GetSectionKind();
        row.section = f.m_nSection;
        row.material = f.m_nMaterial;
        row.storey = f.m_nStorey;
        row.tensionOnly = f.GetAxialType() == 1;
        row.compressionOnly = f.GetAxialType() == 2;
        row.momentsReleased = f.m_cRelease[0] == kFullRelease && f.m_cRelease[1] == kFullRelease &&
                              f.m_cRelease[3] == kFullRelease && f.m_cRelease[4] == kFullRelease;
        row.loads.clear();
        for (int k = 0; k < f.m_Loads.Entries(); ++k)
            row.loads.emplace_back(int(f.m_Loads[k].nKey), int(f.m_Loads[k].nValue) - 1);
    }

    void Sort() override { SortFrames(theProjectOptions.nSortOrder); }

    int AddBlockLoad(int kind, int pos, int index) override
    {
        if (index < 0 || index >= theFrameLoads.GetSize()) return 0;
        CFrameLoad load = *theFrameLoads.GetAt(index);
        if (std::fabs(load.m_fPrestress) > 1e-5f) {
            double area = 0, E = 0, alpha = 0;
            std::string message;
            if (GetAxialTempParams(*theFrames.GetAt(pos), area, E, alpha, message))
                load.m_fTemp[0] += float(-double(load.m_fPrestress) / (E * area * alpha));
            else
                AppMessageBox(message.c_str(), MB_OK | MB_ICONWARNING);
            load.m_fPrestress = 0;
        }
        if (load.IsZero()) return 0;
        return m_block[Kind(kind)].FindOrAdd(load);
    }
    int BlockLoadCount(int kind) const override { return m_block[Kind(kind)].Count(); }
    int BlockLoadPoints(int kind) const override
    {
        const CBlockLoads<CFrameLoad>& block = m_block[Kind(kind)];
        int most = 0;
        for (int i = 1; i <= block.Count(); ++i)
            for (const auto& group : block.At(i).m_Points)
                for (const DLoadPoints& list : group) most = std::max(most, list.Entries());
        return most;
    }
    void KeepBlockLoads(int kind, const std::vector<char>& keep) override { m_block[Kind(kind)].Keep(keep); }
    void ClearBlockLoads() override
    {
        for (auto& block : m_block) block.Clear();
    }
    void WriteBlockLoad(DKorvaDataFile& file, int kind, int place) const override
    {
        m_block[Kind(kind)].At(place).WriteDataLoads(file);
    }

    void WriteCombination(DKorvaDataFile& file, int kind, int section, int material) const override
    {
        WriteSectMatCombineLine(file, kind, section, material);
    }
    void WriteFrameLine(DKorvaDataFile& file, int pos, int combination, int caseCount, const int* const* loads) override
    {
        WriteFrameDataLine(file, *theFrames.GetAt(pos), combination, caseCount, loads);
    }

    void EndLoads(int pos, std::vector<CFrameEndLoad>& out) const override
    {
        out.clear();
        const CFrame& f = *theFrames.GetAt(pos);
        for (int k = 0; k < f.m_Loads.Entries(); ++k) {
            const int number = f.m_Loads[k].nValue;
            if (number < 1 || number > theFrameLoads.GetSize()) continue;
            CFrameEndLoad l;
            l.loadCase = f.m_Loads[k].nKey;
            LoadEndForces(f, *theFrameLoads.GetAt(number - 1), l.atI, l.atJ);
            out.push_back(l);
        }
    }

    int CableCount() const override { return theTightWires.GetSize(); }
    void Cable(int i, float values[5]) const override
    {
        const CTightWire& w = *theTightWires.GetAt(i);
        values[0] = w.m_fDi;
        values[1] = w.m_fDc;
        values[2] = w.m_fDj;
        values[3] = w.m_fT;
        values[4] = w.m_fSpan;
    }
    void WriteCableSettings(DKorvaDataFile& file) const override { theProjectOptions.WritePField(file); }

    // The iteration of one-way members leaves a frame out of the next run
    // by the stiffness factor its line then carries.
    bool IsSwitchedOff(int pos) const override { return (theFrames.GetAt(pos)->m_nAttr & kFrameEgrf) != 0; }
    void SetSwitchedOff(int pos, bool off) override
    {
        uint32_t& attr = theFrames.GetAt(pos)->m_nAttr;
        attr = off ? attr | kFrameEgrf : attr & ~kFrameEgrf;
    }
    int IndexOfID(int id) const override { return ModelFamily(EFamily::Frames).IndexOfID(id); }

private:
    static int Kind(int kind) { return std::clamp(kind, 0, 2); }

    CBlockLoads<CFrameLoad> m_block[3];
};

}  // namespace

void WriteSectMatCombineLine(DKorvaDataFile& file, int kind, int section, int material)
{
    if (kind == kOrdinarySect) {
        if (const CFrameSect* s = FindFrameSect(section)) WriteGeneralSection(file, *s);
    } else if (kind == kSteelSect) {
        if (const CSframeSect* s = FindSframeSect(section)) s->WriteDataFields(file);
    } else if (const CVframeSect* s = FindVframeSect(section)) {
        WriteVariableSection(file, *s);
    }
    if (material >= 1 && material <= theMaterials.GetSize())
        theMaterials.GetAt(material - 1)->WriteDataFile(file, 1, kind == kSteelSect ? 1 : 0);
    else
        file << wrap;
}

CFrameDataFamily& FrameDataFamilyOfFrames()
{
    static CFramesInDataFile family;
    return family;
}
