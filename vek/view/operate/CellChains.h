#pragma once
// Numbered entries filed by the grid cell of a point: each cell heads a
// chain of entry numbers. Emptying keeps the memory, so a lookup filled anew
// on every drawing allocates nothing once it has reached its size. Entry
// numbers run 0, 1, 2, ... as the owner stores them.
#include <cstdint>
#include <vector>

#include "vek/model/geometry/SegmentCells.h"

class CCellChains {
public:
    void Clear()
    {
        m_heads.Clear();
        m_next.clear();
    }
    void Insert(const int32_t cell[3], int n)
    {
        if (m_next.size() <= size_t(n)) m_next.resize(size_t(n) + 1, -1);
        int32_t& head = m_heads.At(cell);
        m_next[size_t(n)] = head;
        head = n;
    }
    // Visits the entries of the cell until visit says true; true then.
    template <class Visit>
    bool Any(const int32_t cell[3], Visit visit) const
    {
        for (int n = m_heads.Get(cell); n >= 0; n = m_next[size_t(n)])
            if (visit(n)) return true;
        return false;
    }

private:
    CCellHeads m_heads{-1};
    std::vector<int32_t> m_next;  // by entry: the next entry of its chain, -1 at the end
};
