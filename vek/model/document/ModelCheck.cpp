#include "vek/model/document/ModelCheck.h"

#include <algorithm>
#include <string>

#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/model/materials/Material.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

constexpr int kMaxNodesPerElement = 21;

CModelFamily& Family(EFamily f)
{
    return ModelFamily(f);
}

// The node numbers that count for an element of the family: beams and line
// elements their two ends, walls four corners, shells three corners and a
// fourth when it is at least 1, solids and planes every slot above 0.
int CountedNodes(EFamily f, CModelFamily& fam, int pos, int* nodes)
{
    int n = std::min(fam.GetNodes(pos, nodes, kMaxNodesPerElement), kMaxNodesPerElement);
    switch (f) {
        case EFamily::Frames:
        case EFamily::Trusses:
        case EFamily::Cframes:
        case EFamily::Pipes: return std::min(n, 2);
        case EFamily::Walls: return std::min(n, 4);
        case EFamily::Shells: n = std::min(n, 4); return n == 4 && nodes[3] < 1 ? 3 : n;
        default: return n;
    }
}

void Select(CModelFamily& fam, int pos)
{
    if (CObjectBase* o = fam.GetAt(pos)) o->m_nFlags |= kObjSelected;
}

}  // namespace

int RepairElementNodes()
{
    CModelFamily& nodes = Family(EFamily::Nodes);
    const int last = nodes.GetLastID();
    struct Kind {
        EFamily family;
        const char* name;
    } kinds[] = {{EFamily::Frames, " 梁柱 "},
                 {EFamily::Walls, " 墙 "},
                 {EFamily::Shells, " 板壳 "},
                 {EFamily::Solids, " 三维 "}};
    std::string named;
    for (const Kind& k : kinds) {
        CModelFamily& fam = Family(k.family);
        bool repaired = false;
        for (int pos : Positions(fam)) {
            int ids[kMaxNodesPerElement];
            const int n = CountedNodes(k.family, fam, pos, ids);
            bool bad = false;
            for (int i = 0; i < n; ++i) {
                // An empty slot of a solid is no node number.
                if (k.family == EFamily::Solids && ids[i] < 1) continue;
                if (nodes.IsValidID(ids[i])) continue;
                fam.SetNode(pos, i, last);
                bad = true;
            }
            if (bad) {
                Select(fam, pos);
                repaired = true;
            }
        }
        if (repaired) named += k.name;
    }
    if (named.empty()) return 1;
    AppMessageBox(
        ("部分" + named + "单元的节点号数据有误，程序自动把相应节点号调成最大的节点号，并使之处于选中状态!").c_str());
    return 0;
}

std::vector<int> CountNodeUses(bool withShells)
{
    const int last = Family(EFamily::Nodes).GetLastID();
    std::vector<int> counts(static_cast<size_t>(std::max(last, 0)) + 1, 0);
    static const EFamily kElements[] = {EFamily::Frames, EFamily::Trusses, EFamily::Cframes, EFamily::Pipes,
                                        EFamily::Shells, EFamily::Walls,   EFamily::Solids,  EFamily::Planes};
    for (EFamily f : kElements) {
        if (f == EFamily::Shells && !withShells) continue;
        CModelFamily& fam = Family(f);
        for (int pos : Positions(fam)) {
            int ids[kMaxNodesPerElement];
            const int n = CountedNodes(f, fam, pos, ids);
            for (int i = 0; i < n; ++i)
                if (ids[i] >= 1 && ids[i] <= last) ++counts[size_t(ids[i])];
        }
    }
    return counts;
}

void UpdateNodeUseCounts()
{
    CModelFamily& nodes = Family(EFamily::Nodes);
    const int last = nodes.GetLastID();
    const std::vector<int> counts = CountNodeUses();
    for (int pos : Positions(nodes)) {
        const int id = nodes.GetID(pos);
        // The counters are 16-bit.
        if (id >= 1 && id <= last) nodes.SetUseCount(pos, std::min(counts[size_t(id)], 0xFFFF));
    }

    // The restraint test: left to the level-0 nodes and to the piles when
    // they fix the structure.
    if ((theLevels.count > 0 && theProjectOptions.bFixLevel0Nodes) || nodes.GetCount() == 0 ||
        Family(EFamily::Frames).HasPiles())
        return;
    unsigned mask = theProjectOptions.bPlaneModel ? 1u : 0u;
    for (int f = 0; f < kFamilyCount; ++f) mask |= ModelFamily(EFamily(f)).GroundedTranslations();
    for (int pos : Positions(nodes)) mask |= unsigned(nodes.GetRestraints(pos));
    std::string words;
    static const char* const kWords[3] = {" UX", " UY", " UZ"};
    for (int k = 0; k < 3; ++k)
        if (!(mask & (1u << k))) words += kWords[k];
    if (!words.empty()) AppMessageBox(("结构在" + words + "的自由度没有任何约束!").c_str(), MB_OK | MB_ICONQUESTION);
}

void CheckAnalysisParameters()
{
    bool fixed = false;
    for (EFamily f : {EFamily::Nodes, EFamily::Frames, EFamily::Shells, EFamily::Walls, EFamily::Solids})
        if (!Family(f).RunCheck(ECheck::StoredNumbers)) fixed = true;
    if (fixed) AppMessageBox("某些单元的ID号与存储位置不一致, 程序已经自动作了修复.");

    CSpectrumSettings& spectra = theSpectrumSettings;
    const bool spectrum = spectra.AnyDirection();
    const bool history = ModelHooks().HistoryAnalysisType() != 0;
    if ((spectrum || history) && !theEigenPara.on) {
        AppMessageBox("如果要进行地震反应谱计算或时程分析，必须进行振型计算，系统将自动设置振型计算参数!");
        theEigenPara.Reset();
        theEigenPara.on = 1;
    }
    if (spectrum) {
        if (spectra.modes.GetSize() == 0) {
            AppMessageBox("地震反应谱计算中需要用到振型数据，但是没有输入参与计算的振型编号，请输入相关数据!");
        } else {
            bool removed = false;
            for (int i = spectra.modes.GetSize() - 1; i >= 0; --i) {
                if (*spectra.modes.GetAt(i) <= theEigenPara.modes) continue;
                spectra.modes.RemoveAt(i);
                if (i < spectra.dampings.GetSize()) spectra.dampings.RemoveAt(i);
                removed = true;
            }
            if (removed) AppMessageBox("地震反应谱中参与计算的振型编号大于振型计算个数, 系统将作自动删除这些振型编号!");
        }
    }
    Family(EFamily::HistoryCurves).RunCheck(ECheck::HistoryData);
    if (theProjectOptions.bStabilityAnalysis) {
        if (Family(EFamily::Solids).GetCount() > 0) {
            AppMessageBox("KORVA的整体稳定性计算目前不能支持三维实体元，系统将取消此选项！");
            theProjectOptions.bStabilityAnalysis = 0;
        } else if (Family(EFamily::Walls).HasOpenings()) {
            AppMessageBox("KORVA的整体稳定性计算目前不支持开洞的墙单元，系统将取消此选项！");
            theProjectOptions.bStabilityAnalysis = 0;
        }
    }
    Family(EFamily::Nodes).RunCheck(ECheck::Displacements);
}

void DeleteUnusedMaterials()
{
    const int count = theMaterials.GetSize();
    if (count == 0) return;
    static const EFamily kHolders[] = {EFamily::Frames, EFamily::Shells, EFamily::Walls, EFamily::Solids,
                                       EFamily::Planes};
    std::vector<int> renumber(static_cast<size_t>(count), 0);
    for (EFamily f : kHolders) {
        CModelFamily& fam = Family(f);
        if (!fam.HasMaterials()) continue;
        for (int pos : Positions(fam)) {
            const int m = fam.GetMaterial(pos);
            if (m > count)
                fam.SetMaterial(pos, 0);
            else if (m >= 1)
                renumber[size_t(m - 1)] = 1;
        }
    }
    int next = 0;
    for (int& r : renumber) r = r ? ++next : 0;
    for (int i = count - 1; i >= 0; --i)
        if (!renumber[size_t(i)]) theMaterials.RemoveAt(i);
    for (EFamily f : kHolders) {
        CModelFamily& fam = Family(f);
        if (!fam.HasMaterials()) continue;
        for (int pos : Positions(fam)) {
            const int m = fam.GetMaterial(pos);
            if (m >= 1 && m <= count) fam.SetMaterial(pos, renumber[size_t(m - 1)]);
        }
    }
}

void DeleteUnusedData()
{
    ModelHooks().ShowPrompt("正在删除无用信息...");
    ModelHooks().ClearUndo();
    DeleteUnusedMaterials();
    for (EFamily f :
         {EFamily::Nodes, EFamily::Frames, EFamily::Shells, EFamily::Walls, EFamily::Solids, EFamily::Planes})
        Family(f).RunCheck(ECheck::PurgeUnused);
    ModelHooks().ShowPrompt("完成无用信息的删除");
}

void CheckModelData()
{
    CModelHooks& hooks = ModelHooks();
    hooks.ClearUndo();
    RepairElementNodes();
    if (theDocumentHooks.zoomExtents) theDocumentHooks.zoomExtents(1, 0, 0);
    RebuildStoreyLists();
    for (EFamily f : {EFamily::Frames, EFamily::Walls}) Family(f).RunCheck(ECheck::WindExposure);
    for (EFamily f :
         {EFamily::Nodes, EFamily::Frames, EFamily::Shells, EFamily::Walls, EFamily::Solids, EFamily::Planes})
        Family(f).RunCheck(ECheck::Merge);
    UpdateNodeUseCounts();
    Family(EFamily::Nodes).RunCheck(ECheck::FreeNodes);
    CheckAnalysisParameters();
    Family(EFamily::Walls).RunCheck(ECheck::WindParameters);

    hooks.ShowPrompt("正在检查梁柱单元数据...");
    int good = Family(EFamily::Frames).RunCheck(ECheck::Elements);
    hooks.ShowPrompt("正在检查板壳单元数据...");
    good &= Family(EFamily::Shells).RunCheck(ECheck::Elements);
    hooks.ShowPrompt("正在检查墙单元数据...");
    good &= Family(EFamily::Walls).RunCheck(ECheck::Elements);
    hooks.ShowPrompt("正在检查小区域数据...");
    for (EFamily f : {EFamily::StiffRegions, EFamily::Solids, EFamily::Planes})
        good &= Family(f).RunCheck(ECheck::Elements);
    Family(EFamily::Springs).RunCheck(ECheck::MissingNodes);
    theDisplayRange.Validate();
    good &= Family(EFamily::Frames).RunCheck(ECheck::Piles);
    CDisplayOptions::UpdateVisibleObjects();
    if (!good) {
        hooks.ShowPrompt("数据检查完成!");
        AppMessageBox("某些单元和节点处于被选择状态, 按ESC可以取消选中状态。");
        hooks.InvalidateModel();
    } else {
        hooks.ShowPrompt("数据检查完成,没有明显错误");
    }
}

int CompactIDs(CModelFamily& store, std::vector<int>& map)
{
    const int count = store.GetCount();
    map.assign(static_cast<size_t>(std::max(store.GetLastID(), 0)), 0);
    bool same = true;
    for (int pos = 0; pos < count; ++pos) {
        const int old = store.GetID(pos);
        if (old >= 1 && size_t(old) <= map.size()) map[size_t(old - 1)] = pos + 1;
        if (old != pos + 1) same = false;
    }
    if (same) return 0;
    // Ascending: every new number is below its old one and already free.
    for (size_t old = 1; old <= map.size(); ++old) {
        const int to = map[old - 1];
        if (to >= 1 && to != int(old)) store.ChangeID(int(old), to);
    }
    return 1;
}

void RenumberNodes()
{
    CModelFamily& nodes = Family(EFamily::Nodes);
    if (nodes.GetCount() == 0) return;
    std::vector<int> map;
    if (!CompactIDs(nodes, map)) return;
    ModelHooks().ShowPrompt("正在转换原有的节点号索引...");
    nodes.RemapReferences(map.data(), int(map.size()));
    ModelHooks().ClearUndo();
    SetDocumentModified(1);
}

void RenumberElements()
{
    bool changed = false;
    std::vector<int> map;
    for (EFamily f : {EFamily::Frames, EFamily::Shells, EFamily::Walls}) {
        CModelFamily& fam = Family(f);
        if (CompactIDs(fam, map)) {
            fam.RemapReferences(map.data(), int(map.size()));
            changed = true;
        }
    }
    for (EFamily f : {EFamily::Solids, EFamily::Springs})
        if (CompactIDs(Family(f), map)) changed = true;
    if (!changed) return;
    ModelHooks().ClearUndo();
    SetDocumentModified(1);
}
