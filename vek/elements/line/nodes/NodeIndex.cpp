#include "vek/elements/line/nodes/NodeIndex.h"

#include <algorithm>
#include <cmath>

#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ProjectOptions.h"

CNodeIndex theNodeIndex;

namespace {

constexpr double kMinCell = 1e-6;
// Cells beyond this many from the origin share the outermost one.
constexpr double kMaxCell = 1.0e9;

int32_t CellCoord(double v, double size)
{
    const double c = std::floor(v / size);
    if (!(c > -kMaxCell)) return int32_t(-kMaxCell);  // NaN lands here too
    if (c > kMaxCell) return int32_t(kMaxCell);
    return int32_t(c);
}

uint64_t HashOf(const int32_t c[3])
{
    uint64_t h = uint32_t(c[0]) * 0x9E3779B97F4A7C15ull;
    h ^= (uint32_t(c[1]) + 0x7F4A7C15ull) * 0xC2B2AE3D27D4EB4Full;
    h ^= (uint32_t(c[2]) + 0x165667B1ull) * 0x165667B19E3779F9ull;
    return h ^ (h >> 29);
}

}  // namespace

void CNodeIndex::Prepare()
{
    const double h = std::max(theProjectOptions.dHorzNodeSpacing, 0.0);
    const double v = std::max(double(theProjectOptions.fVertNodeSpacing), 0.0);
    if (h != m_h || v != m_v || m_count != theNodes.GetSize()) m_valid = false;
    if (!m_valid) Rebuild();
}

void CNodeIndex::Rebuild()
{
    m_h = std::max(theProjectOptions.dHorzNodeSpacing, 0.0);
    m_v = std::max(double(theProjectOptions.fVertNodeSpacing), 0.0);
    m_cellH = std::max(2 * m_h, kMinCell);
    m_cellV = std::max(2 * m_v, kMinCell);
    // A power of two, at most half of it in use.
    size_t size = 64;
    while (size < size_t(theNodes.GetSize()) * 2) size *= 2;
    m_slots.assign(size, Slot{});
    m_used = 0;
    const size_t ids = size_t(theNodes.GetLastID()) + 1;
    m_next.assign(ids, 0);
    m_cell.assign(ids * 3, 0);
    m_in.assign(ids, 0);
    m_count = 0;
    m_valid = true;
    const int n = theNodes.GetSize();
    for (int i = 0; i < n; ++i) {
        const CNode* node = theNodes.GetAt(i);
        Link(node->m_nID, node->m_dCoord);
    }
}

void CNodeIndex::Clear()
{
    m_slots.clear();
    m_used = 0;
    m_next.clear();
    m_cell.clear();
    m_in.clear();
    m_count = 0;
    m_valid = false;
    ++m_changes;
}

void CNodeIndex::CellOf(const double p[3], int c[3]) const
{
    c[0] = CellCoord(p[0], m_cellH);
    c[1] = CellCoord(p[1], m_cellH);
    c[2] = CellCoord(p[2], m_cellV);
}

void CNodeIndex::RangeOf(const double p[3], int lo[3], int hi[3]) const
{
    lo[0] = CellCoord(p[0] - m_h, m_cellH);
    hi[0] = CellCoord(p[0] + m_h, m_cellH);
    lo[1] = CellCoord(p[1] - m_h, m_cellH);
    hi[1] = CellCoord(p[1] + m_h, m_cellH);
    lo[2] = CellCoord(p[2] - m_v, m_cellV);
    hi[2] = CellCoord(p[2] + m_v, m_cellV);
}

size_t CNodeIndex::FindSlot(const int c[3]) const
{
    const size_t mask = m_slots.size() - 1;
    size_t i = size_t(HashOf(c)) & mask;
    while (m_slots[i].used) {
        const Slot& s = m_slots[i];
        if (s.c[0] == c[0] && s.c[1] == c[1] && s.c[2] == c[2]) return i;
        i = (i + 1) & mask;
    }
    return i;
}

int CNodeIndex::Head(int x, int y, int z) const
{
    if (m_slots.empty()) return 0;
    const int c[3] = {x, y, z};
    const Slot& s = m_slots[FindSlot(c)];
    return s.used ? s.head : 0;
}

void CNodeIndex::Grow()
{
    std::vector<Slot> old;
    old.swap(m_slots);
    size_t size = 64;
    while (size < old.size() * 2 || size < m_used * 4) size *= 2;
    m_slots.assign(size, Slot{});
    m_used = 0;
    for (const Slot& s : old) {
        if (!s.used || !s.head) continue;  // empty chains are dropped
        Slot& t = m_slots[FindSlot(s.c)];
        t = s;
        ++m_used;
    }
}

size_t CNodeIndex::SlotFor(const int c[3])
{
    // The table's size is a power of two, at most half of it in use.
    if (m_slots.empty() || (m_used + 1) * 2 > m_slots.size()) Grow();
    const size_t i = FindSlot(c);
    Slot& s = m_slots[i];
    if (!s.used) {
        s.used = true;
        s.c[0] = c[0];
        s.c[1] = c[1];
        s.c[2] = c[2];
        s.head = 0;
        ++m_used;
    }
    return i;
}

void CNodeIndex::Link(int id, const double p[3])
{
    if (id < 1) return;
    const size_t k = size_t(id);
    if (k >= m_next.size()) {
        const size_t size = std::max(k + 1, m_next.size() * 2);
        m_next.resize(size, 0);
        m_cell.resize(size * 3, 0);
        m_in.resize(size, 0);
    }
    if (m_in[k]) return;
    int c[3];
    CellOf(p, c);
    Slot& s = m_slots[SlotFor(c)];
    m_next[k] = s.head;
    s.head = id;
    std::copy(c, c + 3, &m_cell[k * 3]);
    m_in[k] = 1;
    ++m_count;
}

void CNodeIndex::Insert(int id, const double p[3])
{
    if (!m_valid) return;  // rebuilt in full on the next search
    Link(id, p);
}

void CNodeIndex::Remove(int id)
{
    if (!m_valid) return;
    const size_t k = size_t(id);
    if (id < 1 || k >= m_in.size() || !m_in[k]) return;
    const int* c = &m_cell[k * 3];
    const size_t at = FindSlot(c);
    Slot& s = m_slots[at];
    if (s.used) {
        if (s.head == id) {
            s.head = m_next[k];
        } else {
            for (int prev = s.head; prev; prev = m_next[size_t(prev)]) {
                if (m_next[size_t(prev)] == id) {
                    m_next[size_t(prev)] = m_next[k];
                    break;
                }
            }
        }
    }
    m_next[k] = 0;
    m_in[k] = 0;
    --m_count;
}

void CNodeIndex::Moved(int id, const double p[3])
{
    ++m_changes;
    if (!m_valid) return;
    Remove(id);
    Link(id, p);
}

bool CNodeIndex::Near(int id, const double p[3]) const
{
    const CNode* n = theNodes.GetByID(id);
    return PointsCoincide(n->m_dCoord, p);
}

int CNodeIndex::FindLowest(const double p[3], int skip)
{
    int best = 0;
    ForEachNear(p, [&](int id) {
        if (id != skip && (best == 0 || id < best)) best = id;
    });
    return best;
}
