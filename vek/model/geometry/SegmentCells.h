#pragma once
// The cells of a grid that a segment, widened by a margin, may meet. They
// are walked slab by slab along the axis the segment spans most cells of,
// each slab taking only the cells its part of the segment reaches, so that a
// long or slanting segment costs about the cells it passes, not its box.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// Cells beyond this many from the grid's origin share the outermost one.
constexpr double kCellGridLimit = 1.0e9;

struct CCellGrid {
    double size[3] = {1, 1, 1};
    double origin[3] = {0, 0, 0};

    // Monotone in v; NaN lands in the lowest cell.
    int32_t Coord(int axis, double v) const
    {
        const double c = std::floor((v - origin[axis]) / size[axis]);
        if (!(c > -kCellGridLimit)) return int32_t(-kCellGridLimit);
        if (c > kCellGridLimit) return int32_t(kCellGridLimit);
        return int32_t(c);
    }
    void CellOf(const double p[3], int32_t c[3]) const
    {
        for (int k = 0; k < 3; ++k) c[k] = Coord(k, p[k]);
    }
};

// Cells to a number each (the head of a chain), in one table probed in
// line and kept at most half full. Cells whose number went back to none are
// dropped when the table grows.
class CCellHeads {
public:
    explicit CCellHeads(int32_t none) : m_none(none) { Reset(0); }
    void Reset(size_t cells)
    {
        size_t size = 64;
        while (size < cells * 2) size *= 2;
        m_slots.assign(size, Slot{{0, 0, 0}, m_none, false});
        m_used = 0;
    }
    // Every cell back to none, the table keeping its size: refilling it to
    // the same size allocates nothing.
    void Clear()
    {
        if (m_used == 0) return;
        std::fill(m_slots.begin(), m_slots.end(), Slot{{0, 0, 0}, m_none, false});
        m_used = 0;
    }
    int32_t Get(const int32_t c[3]) const
    {
        const Slot& s = m_slots[Find(c)];
        return s.used ? s.head : m_none;
    }
    // The cell's number, made none when the cell is new.
    int32_t& At(const int32_t c[3])
    {
        if ((m_used + 1) * 2 > m_slots.size()) Grow();
        Slot& s = m_slots[Find(c)];
        if (!s.used) {
            s = Slot{{c[0], c[1], c[2]}, m_none, true};
            ++m_used;
        }
        return s.head;
    }

private:
    struct Slot {
        int32_t c[3];
        int32_t head;
        bool used;
    };
    size_t Find(const int32_t c[3]) const
    {
        const size_t mask = m_slots.size() - 1;
        uint64_t h = uint32_t(c[0]) * 0x9E3779B97F4A7C15ull;
        h ^= (uint32_t(c[1]) + 0x7F4A7C15ull) * 0xC2B2AE3D27D4EB4Full;
        h ^= (uint32_t(c[2]) + 0x165667B1ull) * 0x165667B19E3779F9ull;
        size_t i = size_t(h ^ (h >> 29)) & mask;
        while (m_slots[i].used) {
            const Slot& s = m_slots[i];
            if (s.c[0] == c[0] && s.c[1] == c[1] && s.c[2] == c[2]) return i;
            i = (i + 1) & mask;
        }
        return i;
    }
    void Grow()
    {
        std::vector<Slot> old;
        old.swap(m_slots);
        size_t size = 64;
        while (size < old.size() * 2 || size < m_used * 4) size *= 2;
        m_slots.assign(size, Slot{{0, 0, 0}, m_none, false});
        m_used = 0;
        for (const Slot& s : old) {
            if (!s.used || s.head == m_none) continue;
            m_slots[Find(s.c)] = s;
            ++m_used;
        }
    }

    std::vector<Slot> m_slots;
    size_t m_used = 0;
    int32_t m_none;
};

// Calls f(cell) for every cell that holds a point within margin of the
// segment a-b (a superset, each cell once); false, calling none, when that
// is more than maxCells cells.
template <class F>
bool ForEachCellNearSegment(const CCellGrid& g, const double a[3], const double b[3], double margin, double maxCells,
                            F&& f)
{
    double d[3], scale = 1;
    for (int k = 0; k < 3; ++k) {
        d[k] = b[k] - a[k];
        scale = std::max({scale, std::fabs(a[k]), std::fabs(b[k])});
    }
    // Room for the rounding of the positions worked out here.
    const double m = margin + 1e-9 * scale;
    int32_t lo[3], hi[3];
    int s = 0;
    for (int k = 0; k < 3; ++k) {
        lo[k] = g.Coord(k, std::min(a[k], b[k]) - m);
        hi[k] = g.Coord(k, std::max(a[k], b[k]) + m);
        if (hi[k] - lo[k] > hi[s] - lo[s]) s = k;
    }
    const int o1 = (s + 1) % 3, o2 = (s + 2) % 3;
    // The cells of the other two axes that the part of the segment in slab
    // i (widened by the margin) reaches.
    auto slab = [&](int64_t i, int32_t r1[2], int32_t r2[2]) {
        double t0 = 0, t1 = 1;
        if (d[s] != 0) {
            const double x0 = i <= -kCellGridLimit ? -HUGE_VAL : g.origin[s] + double(i) * g.size[s] - m;
            const double x1 = i >= kCellGridLimit ? HUGE_VAL : g.origin[s] + double(i + 1) * g.size[s] + m;
            double u0 = (x0 - a[s]) / d[s], u1 = (x1 - a[s]) / d[s];
            if (u0 > u1) std::swap(u0, u1);
            t0 = std::max(0.0, u0);
            t1 = std::min(1.0, u1);
            if (!(t0 <= t1)) t0 = t1 = u1 < 0 ? 0.0 : 1.0;
        }
        for (int n = 0; n < 2; ++n) {
            const int k = n ? o2 : o1;
            int32_t* r = n ? r2 : r1;
            const double p = a[k] + t0 * d[k], q = t1 >= 1 ? b[k] : a[k] + t1 * d[k];
            r[0] = g.Coord(k, std::min(p, q) - m);
            r[1] = g.Coord(k, std::max(p, q) + m);
        }
    };
    const double slabs = double(hi[s]) - double(lo[s]) + 1;
    if (slabs > maxCells) return false;
    double box = slabs * (double(hi[o1]) - lo[o1] + 1) * (double(hi[o2]) - lo[o2] + 1);
    if (box > maxCells) {
        double total = 0;
        for (int64_t i = lo[s]; i <= hi[s]; ++i) {
            int32_t r1[2], r2[2];
            slab(i, r1, r2);
            total += (double(r1[1]) - r1[0] + 1) * (double(r2[1]) - r2[0] + 1);
        }
        if (total > maxCells) return false;
    }
    int32_t c[3];
    for (int64_t i = lo[s]; i <= hi[s]; ++i) {
        int32_t r1[2], r2[2];
        slab(i, r1, r2);
        c[s] = int32_t(i);
        for (int64_t y = r1[0]; y <= r1[1]; ++y) {
            c[o1] = int32_t(y);
            for (int64_t z = r2[0]; z <= r2[1]; ++z) {
                c[o2] = int32_t(z);
                f(c);
            }
        }
    }
    return true;
}
