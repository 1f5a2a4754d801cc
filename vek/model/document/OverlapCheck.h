#pragma once
// Beams and walls that lie on top of each other along a line, which the
// solver would take as separate members. The beam family fills one check per
// storey; every overlapping pair is selected for the user to mend.
#include <cstdint>

#include "containers/MLArray.h"

class COverlapCheck {
public:
    struct LineEle {
        uint8_t kind;  // 1 beam, 6 wall
        int32_t id;
        bool operator==(const LineEle& o) const { return kind == o.kind && id == o.id; }
    };

    COverlapCheck() : m_items(128) {}
    MLArray<LineEle>& Items() { return m_items; }
    bool Add(const LineEle& e) { return m_items.Add(e); }

    // Non-zero when a pair overlaps. The first four pairs are selected and
    // reported one by one; later ones are counted silently.
    int FindOverlaps();
    int OverlapCount() const { return m_count; }

private:
    MLArray<LineEle> m_items;
    int m_count = 0;
};

// Two segments A1-A2 and B1-B2 overlap: their boxes meet, they are parallel
// and an end of one lies on the other.
bool SegmentsOverlap(const double* a1, const double* a2, const double* b1, const double* b2);
