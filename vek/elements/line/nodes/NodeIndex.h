#pragma once
// The coincidence index of the node store: a hash of grid cells twice the
// node tolerances wide, each holding a chain of the node numbers whose
// position falls in it. A point's coincident nodes lie in at most two cells
// per axis, so finding them costs a few probes whatever the model's size.
//
// The store keeps it up to date as nodes come and go; code that moves nodes
// reports each move (NodeMoved) or all of them (Invalidate). A stale index
// is rebuilt on its next use.
#include <cstddef>
#include <cstdint>
#include <vector>

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
        int lo[3], hi[3];
        RangeOf(p, lo, hi);
        for (int x = lo[0]; x <= hi[0]; ++x)
            for (int y = lo[1]; y <= hi[1]; ++y)
                for (int z = lo[2]; z <= hi[2]; ++z)
                    for (int id = Head(x, y, z); id; id = m_next[size_t(id)])
                        if (Near(id, p)) f(id);
    }

    // Every node in the cells that the box, widened by the tolerances, meets,
    // in no fixed order; false, visiting none, when that is more than
    // maxCells cells.
    template <class F>
    bool ForEachInBox(const double lo[3], const double hi[3], double maxCells, F&& f)
    {
        Prepare();
        int a[3], b[3], unused[3];
        RangeOf(lo, a, unused);
        RangeOf(hi, unused, b);
        double cells = 1;
        for (int k = 0; k < 3; ++k) cells *= double(b[k]) - double(a[k]) + 1;
        if (cells > maxCells) return false;
        for (int x = a[0]; x <= b[0]; ++x)
            for (int y = a[1]; y <= b[1]; ++y)
                for (int z = a[2]; z <= b[2]; ++z)
                    for (int id = Head(x, y, z); id; id = m_next[size_t(id)]) f(id);
        return true;
    }

private:
    struct Slot {
        int32_t c[3];
        int32_t head;  // 0: an empty chain (the key stays to keep probes intact)
        bool used;
    };
    void Prepare();
    void Rebuild();
    void RangeOf(const double p[3], int lo[3], int hi[3]) const;
    void CellOf(const double p[3], int c[3]) const;
    int Head(int x, int y, int z) const;
    size_t FindSlot(const int c[3]) const;  // the slot of the key, or the empty slot where it goes
    size_t SlotFor(const int c[3]);         // finds or makes the key's slot
    void Grow();
    bool Near(int id, const double p[3]) const;
    void Link(int id, const double p[3]);

    std::vector<Slot> m_slots;
    size_t m_used = 0;            // slots holding a key
    std::vector<int32_t> m_next;  // by node number: the next number of its chain
    std::vector<int32_t> m_cell;  // by node number: 3 cell coordinates, for removal
    std::vector<uint8_t> m_in;    // by node number: 1 when linked
    int m_count = 0;
    double m_h = -1, m_v = -1;  // the tolerances the cells were made for
    double m_cellH = 1, m_cellV = 1;
    bool m_valid = false;
    unsigned m_changes = 0;
};

extern CNodeIndex theNodeIndex;
