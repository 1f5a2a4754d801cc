#include <algorithm>
#include <cmath>
#include <utility>

#include "korvalib/base/DataFile.h"
#include "vek/analysis/DataFileWriter.h"
#include "vek/analysis/FamilyDataFile.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/document/RegionLoads.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {
CFrameDataFamily* theFrameDataSlot = nullptr;
CWallDataFamily* theWallDataSlot = nullptr;
CRegionDataFamily* theRegionDataSlot = nullptr;

int SectionCount(int kind)
{
    switch (kind) {
        case 0: return theFrameSects.GetSize();
        case 1: return theSframeSects.GetSize();
        default: return theVframeSects.GetSize();
    }
}
}  // namespace

CFrameDataFamily* RegisterFrameDataFamily(CFrameDataFamily* family)
{
    return std::exchange(theFrameDataSlot, family);
}

CFrameDataFamily* FrameDataFamily()
{
    return theFrameDataSlot;
}

CWallDataFamily* RegisterWallDataFamily(CWallDataFamily* family)
{
    return std::exchange(theWallDataSlot, family);
}

CWallDataFamily* WallDataFamily()
{
    return theWallDataSlot;
}

CRegionDataFamily* RegisterRegionDataFamily(CRegionDataFamily* family)
{
    return std::exchange(theRegionDataSlot, family);
}

CRegionDataFamily* RegionDataFamily()
{
    return theRegionDataSlot;
}

void CElementLoadTables::Build(int caseCount, int frameCount, int wallCount)
{
    cases = caseCount;
    frames.assign(size_t(caseCount), std::vector<int>(size_t(std::max(frameCount, 0)), 0));
    walls.assign(size_t(caseCount), std::vector<int>(size_t(std::max(wallCount, 0)), 0));
    frameRows.clear();
    wallRows.clear();
    for (auto& row : frames) frameRows.push_back(row.data());
    for (auto& row : walls) wallRows.push_back(row.data());
}

namespace {

// Loads nothing refers to are dropped and the table entries of the
// elements follow the places of the rest. ids: the elements of this store.
template <class Keep>
void CompactBlockLoads(int count, const std::vector<int>& ids, std::vector<std::vector<int>>& table, Keep keep)
{
    if (count <= 0) return;
    std::vector<char> used(size_t(count), 0);
    for (int id : ids)
        for (auto& cases : table)
            if (id >= 1 && size_t(id) <= cases.size()) {
                const int p = cases[size_t(id - 1)];
                if (p >= 1 && p <= count) used[size_t(p - 1)] = 1;
            }
    std::vector<int> renumber(size_t(count) + 1, 0);
    int k = 0;
    for (int i = 0; i < count; ++i)
        if (used[size_t(i)]) renumber[size_t(i + 1)] = ++k;
    if (k == count) return;
    keep(used);
    for (int id : ids)
        for (auto& cases : table)
            if (id >= 1 && size_t(id) <= cases.size()) {
                int& p = cases[size_t(id - 1)];
                if (p >= 1 && p <= count) p = renumber[size_t(p)];
            }
}

// Each of the element's loads as (load case, index into its family's list):
// its own in their order, or with regions the records of the transfer table
// by case (its own merged with the regions' shares).
template <class Add>
void ForEachElementLoad(const std::vector<std::pair<int, int>>& own, int id, int cases,
                        const std::vector<std::vector<int>>* transfer, Add add)
{
    if (!transfer) {
        for (const auto& [lc, index] : own)
            if (lc >= 1 && lc <= cases) add(lc, index);
        return;
    }
    for (int lc = 1; lc <= cases; ++lc) add(lc, (*transfer)[size_t(lc - 1)][size_t(id - 1)] - 1);
}

// The elements' own loads in a panel transfer table, for the regions' loads
// to merge with.
void FillTransferTable(std::vector<std::vector<int>>& table, int id, const std::vector<std::pair<int, int>>& own)
{
    for (const auto& [lc, index] : own)
        if (lc >= 1 && size_t(lc) <= table.size() && id >= 1 && size_t(id) <= table[size_t(lc - 1)].size())
            table[size_t(lc - 1)][size_t(id - 1)] = index >= 0 ? index + 1 : 0;
}

// The tables of the write, still empty, give the transfer tables their shape.
void StartRegionTransfer(const CElementLoadTables& tables)
{
    thePanelTransferTables.frames = tables.frames;
    thePanelTransferTables.walls = tables.walls;
    if (CFrameDataFamily* frames = FrameDataFamily()) {
        CFrameDataRow row;
        for (int pos = 0; pos < frames->Count(); ++pos) {
            frames->Row(pos, row);
            FillTransferTable(thePanelTransferTables.frames, row.id, row.loads);
        }
    }
    if (CWallDataFamily* walls = WallDataFamily()) {
        CWallDataRow row;
        for (int pos = 0; pos < walls->Count(); ++pos) {
            walls->Row(pos, row);
            FillTransferTable(thePanelTransferTables.walls, row.id, row.loads);
        }
    }
}

void BuildWallLoadTables(CElementLoadTables& tables, const std::vector<std::vector<int>>* transfer)
{
    CWallDataFamily* fam = WallDataFamily();
    if (!fam) return;
    fam->ClearBlockLoads();
    CWallDataRow row;
    std::vector<int> ids;
    for (int pos = 0; pos < fam->Count(); ++pos) {
        fam->Row(pos, row);
        ids.push_back(row.id);
        if (row.id < 1 || size_t(row.id) > (tables.walls.empty() ? 0 : tables.walls[0].size())) continue;
        ForEachElementLoad(row.loads, row.id, tables.cases, transfer, [&](int lc, int index) {
            if (index >= 0) tables.walls[size_t(lc - 1)][size_t(row.id - 1)] = fam->AddBlockLoad(pos, index);
        });
    }
    CompactBlockLoads(fam->BlockLoadCount(), ids, tables.walls,
                      [fam](const std::vector<char>& keep) { fam->KeepBlockLoads(keep); });
}

}  // namespace

void BuildElementLoadTables(CElementLoadTables& tables)
{
    // The regions' loads merge into the beams' and walls' loads of their case.
    CRegionDataFamily* regions = RegionDataFamily();
    if (regions) {
        StartRegionTransfer(tables);
        ModelHooks().ShowPrompt("正在导刚性(或导载)区域内的荷载...");
        regions->TransferLoads();
    }
    struct EndTransfer {
        bool on;
        ~EndTransfer()
        {
            if (on) thePanelTransferTables = CPanelTransferTables();
        }
    } endTransfer{regions != nullptr};
    BuildWallLoadTables(tables, regions ? &thePanelTransferTables.walls : nullptr);
    CFrameDataFamily* fam = FrameDataFamily();
    if (!fam) return;
    fam->ClearBlockLoads();
    CFrameDataRow row;
    for (int pos = 0; pos < fam->Count(); ++pos) {
        fam->Row(pos, row);
        if (row.id < 1 || size_t(row.id) > (tables.frames.empty() ? 0 : tables.frames[0].size())) continue;
        const int kind = std::clamp(row.kind, 0, 2);
        ForEachElementLoad(row.loads, row.id, tables.cases, regions ? &thePanelTransferTables.frames : nullptr,
                           [&](int lc, int index) {
                               if (index >= 0)
                                   tables.frames[size_t(lc - 1)][size_t(row.id - 1)] =
                                       fam->AddBlockLoad(kind, pos, index);
                           });
    }

    // Loads nothing refers to are dropped; the rest keep their order.
    for (int kind = 0; kind < 3; ++kind) {
        std::vector<int> ids;
        for (int pos = 0; pos < fam->Count(); ++pos) {
            fam->Row(pos, row);
            if (std::clamp(row.kind, 0, 2) == kind) ids.push_back(row.id);
        }
        CompactBlockLoads(fam->BlockLoadCount(kind), ids, tables.frames,
                          [fam, kind](const std::vector<char>& keep) { fam->KeepBlockLoads(kind, keep); });
    }
}

int WriteFrameBlock(DKorvaDataFile& file, int caseCount, CKvdDataSet* set, int kind, CElementLoadTables& tables)
{
    CFrameDataFamily* fam = FrameDataFamily();
    if (!fam || fam->Count() == 0) return 1;
    static const char* const kKeys[3] = {"\nFRAME\n", "\nSFRAME\n", "\nVFRAME\n"};
    static const char* const kPrompts[3] = {"正在生成混凝土梁柱数据...", "正在生成钢梁柱数据...",
                                            "正在生成变截面梁柱数据..."};
    file << kKeys[kind];
    ModelHooks().ShowPrompt(kPrompts[kind]);

    struct Combination {
        int section, material;
    };
    std::vector<Combination> combinations;
    std::vector<int> combinationOf(size_t(fam->Count()), 0);
    CFrameDataRow row;
    char text[96];
    for (int pos = 0; pos < fam->Count(); ++pos) {
        fam->Row(pos, row);
        if (std::clamp(row.kind, 0, 2) != kind) continue;
        // A number past its list would make the solver read another record.
        if (row.kind != 1 && (row.material < 1 || row.material > theMaterials.GetSize())) {
            std::snprintf(text, sizeof text, "第%1d号梁柱单元的材料数据不全!", row.id);
            AppMessageBox(text, MB_OK | MB_ICONSTOP);
            return 0;
        }
        if (row.kind == 1 && row.material > theMaterials.GetSize()) row.material = 0;
        if (row.section < 1 || row.section > SectionCount(kind)) {
            std::snprintf(text, sizeof text, "第%1d号梁柱单元的截面数据不全!", row.id);
            AppMessageBox(text, MB_OK | MB_ICONSTOP);
            return 0;
        }
        const int material = row.material < 1 ? 0 : row.material;
        size_t c = 0;
        while (c < combinations.size() &&
               (combinations[c].section != row.section || combinations[c].material != material))
            ++c;
        if (c == combinations.size()) combinations.push_back({row.section, material});
        combinationOf[size_t(pos)] = int(c + 1);
    }

    const int loads = fam->BlockLoadCount(kind);
    file << int(combinations.size()) << loads << (loads > 0 ? fam->BlockLoadPoints(kind) : 0);
    theProjectOptions.WriteGravityDir(file);
    file << "O=2 ";
    const int cables = kind == 1 ? 0 : fam->CableCount();
    if (cables > 0) {
        file << "PRE=" << cables;
        fam->WriteCableSettings(file);
    }
    file << wrap;
    for (size_t i = 0; i < combinations.size(); ++i) {
        file << int(i + 1);
        fam->WriteCombination(file, kind, combinations[i].section, combinations[i].material);
    }
    for (int i = 1; i <= loads; ++i) {
        file << i;
        fam->WriteBlockLoad(file, kind, i);
    }
    for (int i = 0; i < cables; ++i) {
        float v[5] = {0, 0, 0, 0, 0};
        fam->Cable(i, v);
        file << i + 1 << "D=" << v[0] << v[1] << v[2] << "T=" << v[3] << "L=" << v[4] << wrap;
    }

    const int* const* rows = tables.frameRows.data();
    int lastId = 0;
    for (int pos = 0; pos < fam->Count(); ++pos) {
        fam->Row(pos, row);
        lastId = std::max(lastId, row.id);
    }
    std::vector<char> written(size_t(lastId) + 1, 'n');
    auto writeOne = [&](int pos) {
        fam->WriteFrameLine(file, pos, combinationOf[size_t(pos)], caseCount, rows);
        if (set) fam->AddToDataSet(*set, pos, combinationOf[size_t(pos)], caseCount, rows);
    };
    if (theLevels.count > 0 && theProjectOptions.nSortOrder != 8) {
        for (int s = 0; s <= theLevels.count; ++s) {
            StoreyElementLists* lists = theStoreyLists.Get(s);
            if (!lists || lists->frames.GetSize() == 0) continue;
            file << "C " << s << "--------------- Level " << s << "---------------\n";
            for (int k = 0; k < lists->frames.GetSize(); ++k) {
                const int id = *lists->frames.GetAt(k);
                const int pos = fam->IndexOfID(id);
                if (pos < 0 || id > lastId || written[size_t(id)] == 'y') continue;
                fam->Row(pos, row);
                if (std::clamp(row.kind, 0, 2) != kind) continue;
                written[size_t(id)] = 'y';
                writeOne(pos);
            }
        }
    }
    file << "C ----- Frame elements with no level or List by layer -------\n";
    for (int pos = 0; pos < fam->Count(); ++pos) {
        fam->Row(pos, row);
        if (std::clamp(row.kind, 0, 2) != kind || (row.id >= 1 && written[size_t(row.id)] == 'y')) continue;
        writeOne(pos);
    }
    file << wrap;
    return 1;
}

void WriteWallBlock(DKorvaDataFile& file, int caseCount, CKvdDataSet* set, CElementLoadTables& tables)
{
    CWallDataFamily* fam = WallDataFamily();
    if (!fam || fam->Count() == 0) return;
    ModelHooks().ShowPrompt("正在生成墙单元信息...");
    file << "\nWALL\n" << theMaterials.GetSize() << fam->BlockLoadCount();
    theProjectOptions.WriteGravityDir(file);
    file << (theReinforcePara.on ? "I=1 " : "I=0 ");
    file << (theSpectrumSettings.AnyDirection() ? int(theSpectrumSettings.kind) : 0);
    file << (theLevels.count > 0 && theLevels.GetElevation(theLevels.count) > 30.0 ? 1 : 0);
    file << "O=2 ";
    theProjectOptions.WriteTField(file);
    file << wrap;
    for (int i = 1; i <= theMaterials.GetSize(); ++i) {
        file << i;
        theMaterials.GetAt(i - 1)->WriteDataFile(file, 6, 0);
    }
    if (fam->BlockLoadCount() > 0) fam->WriteBlockLoads(file, set);

    const int* const* rows = tables.wallRows.data();
    CWallDataRow row;
    int lastId = 0;
    for (int pos = 0; pos < fam->Count(); ++pos) {
        fam->Row(pos, row);
        lastId = std::max(lastId, row.id);
    }
    std::vector<char> written(size_t(lastId) + 1, 'n');
    auto writeOne = [&](int pos) {
        fam->WriteWallLine(file, pos, caseCount, rows);
        if (set) fam->AddToDataSet(*set, pos, caseCount, rows);
    };
    if (theLevels.count > 0 && theProjectOptions.nSortOrder != 8) {
        for (int s = 0; s <= theLevels.count; ++s) {
            StoreyElementLists* lists = theStoreyLists.Get(s);
            if (!lists || lists->walls.GetSize() == 0) continue;
            file << "C " << s << "--------------- Level " << s << "---------------\n";
            for (int k = 0; k < lists->walls.GetSize(); ++k) {
                const int id = *lists->walls.GetAt(k);
                const int pos = fam->IndexOfID(id);
                if (pos < 0 || id > lastId || written[size_t(id)] == 'y') continue;
                written[size_t(id)] = 'y';
                writeOne(pos);
            }
        }
    }
    for (int pos = 0; pos < fam->Count(); ++pos) {
        fam->Row(pos, row);
        if (row.id >= 1 && written[size_t(row.id)] == 'y') continue;
        writeOne(pos);
    }
    file << wrap;
}
