#pragma once
// The coincidence index of the node store: a hash of grid cells twice the
// node tolerances wide, each holding a chain of the node numbers whose
// position falls in it. A point's coincident nodes lie in at most two cells
// per axis, so finding them costs a few probes whatever the model's size.
//
// A second grid, of cells about as wide as the nodes lie apart, serves the
// searches along segments: in tolerance-wide cells a beam would pass a
// hundred cells for the few nodes near it.
//
// The store keeps it up to date as nodes come and go; code that moves nodes
// reports each move (NodeMoved) or all of them (Invalidate). A stale index
// is rebuilt on its next use.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "vek/model/geometry/SegmentCells.h"

// Node numbers in a hash of cells, a chain per cell.
class CNodeCells {
public:
    CCellGrid grid;

    // Empty, for node numbers up to ids - 1 and about count nodes.
    void Reset(size_t ids, size_t count);
    void Link(int id, const double p[3]);
    void Unlink(int id);
    int Head(const int32_t c[3]) const { return m_heads.Get(c); }
    int Next(int id) const { return m_next[size_t(id)]; }
    int Count() const { return m_count; }

private:
    CCellHeads m_heads{0};
    std::vector<int32_t> m_next;  // by node number: the next number of its chain
    std::vector<int32_t> m_cell;  // by node number: 3 cell coordinates, for removal
    std::vector<uint8_t> m_in;    // by node number: 1 when linked
    int m_count = 0;
};

class CNodeIndex {
public:
    void Insert(int id, const double p[3]);
    void Remove(int id);
    // The node's position changed.
    void Moved(int id, const double p[3]);
    void Clear();
    // Rebuilt from the store on the next search.
    void Invalidate()
    {
        m_valid = false;
        ++m_changes;
    }
    // Counts the reports of moved nodes (and the rebuilds they ask for), so
    // that what is worked out from node positions can tell it is stale.
    unsigned Changes() const { return m_changes; }

    // The lowest number of a node at the point within the tolerances
    // (bounds inclusive), except the one numbered skip; 0 when none.
    int FindLowest(const double p[3], int skip = 0);
    // Every node within the tolerances of the point, in no fixed order.
    template <class F>
    void ForEachNear(const double p[3], F&& f)
    {
        Prepare();
        int32_t lo[3], hi[3], c[3];
        RangeOf(p, lo, hi);
        for (c[0] = lo[0]; c[0] <= hi[0]; ++c[0])
            for (c[1] = lo[1]; c[1] <= hi[1]; ++c[1])
                for (c[2] = lo[2]; c[2] <= hi[2]; ++c[2])
                    for (int id = m_near.Head(c); id; id = m_near.Next(id))
                        if (Near(id, p)) f(id);
    }

    // Every node that may lie within the larger tolerance of the segment
    // a-b (a superset), each once, in no fixed order; false, visiting none,
    // when that takes more than maxCells cells.
    template <class F>
    bool ForEachNearSegment(const double a[3], const double b[3], double maxCells, F&& f)
    {
        PrepareSegments();
        return ForEachCellNearSegment(m_segment.grid, a, b, SegmentMargin(), maxCells, [&](const int32_t c[3]) {
            for (int id = m_segment.Head(c); id; id = m_segment.Next(id)) f(id);
        });
    }

private:
    void Prepare();
    void Rebuild();
    void PrepareSegments();
    double SegmentMargin() const;
    void RangeOf(const double p[3], int32_t lo[3], int32_t hi[3]) const;
    bool Near(int id, const double p[3]) const;

    CNodeCells m_near;           // cells twice the tolerances
    CNodeCells m_segment;        // cells of about the nodes' spacing
    int m_segmentTunedFor = -1;  // the node count its cell size was chosen for
    double m_h = -1, m_v = -1;   // the tolerances the cells were made for
    bool m_valid = false;
    unsigned m_changes = 0;
};

extern CNodeIndex theNodeIndex;
