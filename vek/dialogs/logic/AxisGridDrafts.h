#pragma once
// The axis-grid dialog's work without windows: its own copies of the grids,
// the fields of one grid as the dialog shows them, the captions of the two
// line tables by kind, and the copies put in place of the model's grids.
#include <memory>
#include <vector>

#include "vek/model/axisgrid/AxisGrid.h"

namespace axisedit {

// The fields of one grid: for an eccentric polar grid the origin is the
// rays' point and dx, dy lead from it to the arcs' centre.
struct CGridFields {
    int kind = 0;
    double x = 0, y = 0, angle = 0;
    float dx = 0, dy = 0;
    int show = 1;
};
CGridFields FieldsOf(const CAxisGrid& grid);
void StoreFields(const CGridFields& fields, CAxisGrid& grid);

// Captions of the first and the second line table for a grid kind.
void TableCaptions(int kind, bool planeModel, const char*& first, const char*& second);

class CGridDrafts {
public:
    // Copies of the grids; the first is chosen (none without grids).
    void CopyFrom(const CAxisGridList& grids);
    int Count() const { return int(m_grids.size()); }
    CAxisGrid* At(int i) const { return i >= 0 && i < Count() ? m_grids[size_t(i)].get() : nullptr; }
    // A new grid with the name at the end, chosen; false with 20 grids already.
    bool Add(const char* name);
    // Deletes grid i and chooses the one now at its place, else the last.
    void Remove(int i);
    // The model's grids become copies of these, with the flag of grids valid
    // on elevations (always on in a plane model); the grid nodes are made again.
    void Apply(bool validOnElevations, bool planeModel) const;

    int m_current = -1;

private:
    std::vector<std::unique_ptr<CAxisGrid>> m_grids;
};

}  // namespace axisedit
