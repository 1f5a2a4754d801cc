#include "vek/view/operate/LayerEdit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "korvalib/base/Gbk.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/Picking.h"

namespace {

constexpr uint32_t kNewLayerColour = 0xFFFF00;

// Selects the objects of a family that sit on a deleted layer (nodes only
// when nothing uses them) and carries every object's index through the map.
void RemapFamily(EFamily f, const std::vector<int>& map, const std::vector<bool>& deleted,
                 const std::vector<bool>* usedNodes)
{
    CModelFamily& family = ModelFamily(f);
    const int n = static_cast<int>(map.size());
    for (int pos : Positions(family)) {
        const int layer = family.GetLayer(pos);
        if (layer < 0 || layer >= n) {
            // Indices beyond the old list (damaged data) go to the last layer.
            family.SetLayer(pos, map.empty() ? 0 : map[static_cast<size_t>(n - 1)]);
            continue;
        }
        if (deleted[static_cast<size_t>(layer)]) {
            bool remove = true;
            if (usedNodes) {
                const int id = family.GetID(pos);
                remove = !(family.GetUseCount(pos) > 0 || (id > 0 && static_cast<size_t>(id) < usedNodes->size() &&
                                                           (*usedNodes)[static_cast<size_t>(id)]));
            }
            if (remove)
                if (CObjectBase* o = family.GetAt(pos)) o->m_nFlags |= kObjSelected;
        }
        family.SetLayer(pos, map[static_cast<size_t>(layer)]);
    }
}

// The nodes that any element still uses, by number.
std::vector<bool> UsedNodes()
{
    std::vector<bool> used(static_cast<size_t>(ModelFamily(EFamily::Nodes).GetLastID()) + 1, false);
    int ids[64];
    for (int f = 0; f < kFamilyCount; ++f) {
        if (static_cast<EFamily>(f) == EFamily::Nodes) continue;
        CModelFamily& family = ModelFamily(static_cast<EFamily>(f));
        for (int pos : Positions(family)) {
            const int k = std::min(family.GetNodes(pos, ids, 64), 64);
            for (int i = 0; i < k; ++i)
                if (ids[i] > 0 && static_cast<size_t>(ids[i]) < used.size()) used[static_cast<size_t>(ids[i])] = true;
        }
    }
    return used;
}

void DeleteSelection()
{
    if (theOperateLinks.deleteSelectedObjects) theOperateLinks.deleteSelectedObjects();
}

}  // namespace

CLayerEdit::CLayerEdit() : m_current(theLayers.GetCurrent())
{
    for (int i = 0; i < theLayers.GetSize(); ++i) {
        m_rows.push_back(RowData{theLayers[i], i});
        m_before.push_back(theLayers[i]);
    }
}

bool CLayerEdit::Rename(int r, const char* text)
{
    if (r < 0 || r >= RowCount() || !text) return false;
    LayerInfo probe;
    probe.SetName(text);
    for (int i = 0; i < RowCount(); ++i) {
        if (i == r) continue;
        if (gbk::EqualIgnoringAsciiCase(m_rows[static_cast<size_t>(i)].layer.name, probe.name)) return false;
    }
    m_rows[static_cast<size_t>(r)].layer.SetName(probe.name);
    return true;
}

void CLayerEdit::ToggleVisible(int r)
{
    if (r < 0 || r >= RowCount()) return;
    char& v = m_rows[static_cast<size_t>(r)].layer.visible;
    v = v == 'Y' ? 'N' : 'Y';
}

void CLayerEdit::ShowAll()
{
    for (RowData& row : m_rows) row.layer.visible = 'Y';
}

void CLayerEdit::InvertAll()
{
    for (RowData& row : m_rows) row.layer.visible = row.layer.visible == 'Y' ? 'N' : 'Y';
}

void CLayerEdit::SetColour(int r, uint32_t colour)
{
    if (r >= 0 && r < RowCount()) m_rows[static_cast<size_t>(r)].layer.colour = colour;
}

void CLayerEdit::SetCurrent(int r)
{
    if (r >= 0 && r < RowCount()) m_current = r;
}

int CLayerEdit::Add()
{
    m_rows.push_back(RowData{LayerInfo("新图层名", 'Y', kNewLayerColour), -1});
    return RowCount() - 1;
}

bool CLayerEdit::Delete(int r, bool (*confirm)())
{
    if (r <= 0 || r >= RowCount()) return false;
    if (IsOldRow(r) && !(confirm && confirm())) return false;
    m_rows.erase(m_rows.begin() + r);
    if (m_current >= r) --m_current;
    if (m_current < 0) m_current = 0;
    return true;
}

void CLayerEdit::Apply(bool sort)
{
    const int m = static_cast<int>(m_before.size());
    m_deleted.assign(static_cast<size_t>(m), true);
    bool displayChanged = false;
    for (const RowData& row : m_rows) {
        if (row.old < 0 || row.old >= m) continue;
        m_deleted[static_cast<size_t>(row.old)] = false;
        if (row.layer.visible != m_before[static_cast<size_t>(row.old)].visible) displayChanged = true;
    }
    bool anyDeleted = false;
    for (bool d : m_deleted) anyDeleted = anyDeleted || d;

    // The rows in their new order, by identity: equal names never merge.
    std::vector<int> order(m_rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    if (sort && order.size() > 2)
        std::stable_sort(order.begin() + 1, order.end(), [this](int a, int b) {
            return std::strcmp(m_rows[static_cast<size_t>(a)].layer.name, m_rows[static_cast<size_t>(b)].layer.name) <
                   0;
        });

    m_map.assign(static_cast<size_t>(m), 0);
    int removedSoFar = 0;
    for (int j = 0; j < m; ++j) {
        if (m_deleted[static_cast<size_t>(j)]) ++removedSoFar;
        m_map[static_cast<size_t>(j)] = std::max(0, j - removedSoFar);
    }
    int current = 0;
    for (size_t k = 0; k < order.size(); ++k) {
        const RowData& row = m_rows[static_cast<size_t>(order[k])];
        if (row.old >= 0 && row.old < m) m_map[static_cast<size_t>(row.old)] = static_cast<int>(k);
        if (order[k] == m_current) current = static_cast<int>(k);
    }
    if (sort)
        for (int j = 0; j < m; ++j)
            if (m_deleted[static_cast<size_t>(j)]) m_map[static_cast<size_t>(j)] = 0;

    theLayers.Reset();
    for (size_t k = 0; k < order.size(); ++k) {
        const LayerInfo& layer = m_rows[static_cast<size_t>(order[k])].layer;
        if (k == 0)
            theLayers[0] = layer;
        else
            theLayers.Add(layer);
    }
    theLayers.SetCurrent(current);
    ModelHooks().RefreshLayerSelector();

    if (anyDeleted) {
        UnselectAll();
        displayChanged = true;
    } else if (!sort) {
        if (displayChanged) OperateHost().InvalidateModel();
        return;
    }

    // Every kind but the nodes: the objects of deleted layers go.
    for (int f = 0; f < kFamilyCount; ++f)
        if (static_cast<EFamily>(f) != EFamily::Nodes) RemapFamily(static_cast<EFamily>(f), m_map, m_deleted, nullptr);
    if (anyDeleted) DeleteSelection();
    // Then the nodes that nothing uses any more.
    const std::vector<bool> used = UsedNodes();
    RemapFamily(EFamily::Nodes, m_map, m_deleted, &used);
    if (anyDeleted) DeleteSelection();
    // The deletion cannot be undone, and old steps would restore old indices.
    ModelHooks().ClearUndo();
    if (displayChanged) OperateHost().InvalidateModel();
}

CStoreyRowTexts StoreyRowTexts(int k, bool shown)
{
    CStoreyRowTexts t;
    char text[96];
    std::snprintf(text, sizeof text, "第%d层", k - 1);
    t.storey = text;
    if (k == 0) t.storey += "[不属于任何层]";
    t.shown = shown ? "显示" : "不显示";
    if (k <= 1) {
        t.height = "无层高";
    } else {
        std::snprintf(text, sizeof text, "%.4f", theLevels.heights[k - 2]);
        t.height = text;
    }
    if (k == 0) {
        t.elevation = "无标高";
    } else if (k == 1) {
        t.elevation = "0.0";
    } else {
        std::snprintf(text, sizeof text, "%.4f", theLevels.GetElevation(k - 1));
        t.elevation = text;
    }
    return t;
}

void ApplyStoreyFlags(const std::vector<uint8_t>& flags)
{
    const int n = theLevels.GetCount();
    for (int k = 0; k < n + 2 && k < static_cast<int>(flags.size()) && k < 202; ++k)
        theLevels.flags[k] = flags[static_cast<size_t>(k)];
    if (n > 0 && !theLevels.Shown(theLevels.current)) {
        theLevelRange.first = theLevelRange.last = theLevels.current;
        theLevelRange.step = 1;
        ModelHooks().RefreshStoreyTexts();
    }
}
