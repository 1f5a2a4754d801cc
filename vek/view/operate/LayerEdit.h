#pragma once
// What the layer and storey dialogs do, without their windows. The layer
// dialog works on a copy of the layer list and applies it on OK: the
// objects of deleted layers go (nodes that elements still use stay) and
// every object's layer index is carried through one map from old to new
// indices, whatever its kind.
#include <cstdint>
#include <string>
#include <vector>

#include "vek/model/LayerList.h"

class CLayerEdit {
public:
    // A copy of theLayers.
    CLayerEdit();

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const LayerInfo& Row(int r) const { return m_rows[static_cast<size_t>(r)].layer; }
    int Current() const { return m_current; }
    // The row stands for a layer that existed when the copy was made.
    bool IsOldRow(int r) const { return r >= 0 && r < RowCount() && m_rows[static_cast<size_t>(r)].old >= 0; }

    // A new name for a row: cut to 20 bytes, refused when another row has
    // it (letters compared without case). False when refused.
    bool Rename(int r, const char* text);
    void ToggleVisible(int r);
    void ShowAll();
    void InvertAll();
    void SetColour(int r, uint32_t colour);
    void SetCurrent(int r);
    // Appends a default layer; its row.
    int Add();
    // Removes a row (never row 0). For a layer that existed, confirm is
    // asked first; false when nothing was removed.
    bool Delete(int r, bool (*confirm)());

    // Applies the copy, with the rows after the fixed one sorted by name when asked.
    void Apply(bool sort);

    // The map of the last Apply: old layer index to new (deleted layers
    // give their neighbour, or 0 under sorting), and which were deleted.
    const std::vector<int>& Map() const { return m_map; }
    const std::vector<bool>& Deleted() const { return m_deleted; }

private:
    struct RowData {
        LayerInfo layer;
        int old;  // the layer's index when the copy was made, -1 for a new one
    };
    std::vector<RowData> m_rows;
    std::vector<LayerInfo> m_before;
    int m_current;
    std::vector<int> m_map;
    std::vector<bool> m_deleted;
};

// The storey dialog's rows k = 0..n+1: storey k-1 (row 0: no storey).
struct CStoreyRowTexts {
    std::string storey, shown, height, elevation;
};
CStoreyRowTexts StoreyRowTexts(int row, bool shown);
// OK of the storey dialog: the flags (n+2 of them) into theLevels; when the
// work-platform storey is switched off, the storey range becomes it alone.
void ApplyStoreyFlags(const std::vector<uint8_t>& flags);
