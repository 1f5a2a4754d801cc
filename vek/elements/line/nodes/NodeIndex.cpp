#include "vek/elements/line/nodes/NodeIndex.h"

#include <algorithm>
#include <cmath>

#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ProjectOptions.h"

CNodeIndex theNodeIndex;

namespace {

constexpr double kMinCell = 1e-6;
// The segment grid's cell size is looked at again once the store holds this
// many times the nodes it was chosen for, and changed when it is this far off.
constexpr int kRetuneGrowth = 2;
constexpr double kRetuneRatio = 3;
// Round coordinates fall inside the segment grid's cells, not on their borders.
constexpr double kOriginShift = 0.3819660112501051;

// About the spacing of n nodes spread evenly over the box of the given
// extents, counting only the axes they spread along.
double SpacingOf(const double extent[3], int n)
{
    bool flat[3];
    for (int k = 0; k < 3; ++k) flat[k] = !(extent[k] > 0);
    double s = 0;
    for (int pass = 0; pass < 3; ++pass) {
        double logSum = -std::log(double(std::max(n, 1)));
        int dims = 0;
        for (int k = 0; k < 3; ++k)
            if (!flat[k]) logSum += std::log(extent[k]), ++dims;
        if (dims == 0) return 0;
        s = std::exp(logSum / dims);
        bool changed = false;
        for (int k = 0; k < 3; ++k)
            if (!flat[k] && !(extent[k] >= s)) flat[k] = changed = true;
        if (!changed) break;
    }
    return s;
}

}  // namespace

// ---- the cells -------------------------------------------------------------------

void CNodeCells::Reset(size_t ids, size_t count)
{
    m_heads.Reset(count);
    m_next.assign(ids, 0);
    m_cell.assign(ids * 3, 0);
    m_in.assign(ids, 0);
    m_count = 0;
}

void CNodeCells::Link(int id, const double p[3])
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
    int32_t c[3];
    grid.CellOf(p, c);
    int32_t& head = m_heads.At(c);
    m_next[k] = head;
    head = id;
    std::copy(c, c + 3, &m_cell[k * 3]);
    m_in[k] = 1;
    ++m_count;
}

void CNodeCells::Unlink(int id)
{
    const size_t k = size_t(id);
    if (id < 1 || k >= m_in.size() || !m_in[k]) return;
    const int32_t* c = &m_cell[k * 3];
    if (m_heads.Get(c) == id) {
        m_heads.At(c) = m_next[k];
    } else {
        for (int prev = m_heads.Get(c); prev; prev = m_next[size_t(prev)]) {
            if (m_next[size_t(prev)] == id) {
                m_next[size_t(prev)] = m_next[k];
                break;
            }
        }
    }
    m_next[k] = 0;
    m_in[k] = 0;
    --m_count;
}

// ---- the index -------------------------------------------------------------------

void CNodeIndex::Prepare()
{
    const double h = std::max(theProjectOptions.dHorzNodeSpacing, 0.0);
    const double v = std::max(double(theProjectOptions.fVertNodeSpacing), 0.0);
    if (h != m_h || v != m_v || m_near.Count() != theNodes.GetSize()) m_valid = false;
    if (!m_valid) Rebuild();
}

void CNodeIndex::Rebuild()
{
    m_h = std::max(theProjectOptions.dHorzNodeSpacing, 0.0);
    m_v = std::max(double(theProjectOptions.fVertNodeSpacing), 0.0);
    m_near.grid = CCellGrid();
    m_near.grid.size[0] = m_near.grid.size[1] = std::max(2 * m_h, kMinCell);
    m_near.grid.size[2] = std::max(2 * m_v, kMinCell);
    const size_t ids = size_t(theNodes.GetLastID()) + 1, n = size_t(theNodes.GetSize());
    m_near.Reset(ids, n);
    for (size_t i = 0; i < n; ++i) {
        const CNode* node = theNodes.GetAt(int(i));
        m_near.Link(node->m_nID, node->m_dCoord);
    }
    m_segment.Reset(0, 0);
    m_segmentTunedFor = -1;  // made on its first search
    m_valid = true;
}

double CNodeIndex::SegmentMargin() const
{
    return std::max(m_h, m_v);
}

// The segment grid's cells about as wide as the nodes lie apart, and never
// so small that the margin of a search spans many of them.
void CNodeIndex::PrepareSegments()
{
    Prepare();
    const int n = theNodes.GetSize();
    if (m_segmentTunedFor >= 0 && n <= std::max(64, kRetuneGrowth * m_segmentTunedFor)) return;
    double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (int i = 0; i < n; ++i) {
        const double* p = theNodes.GetAt(i)->m_dCoord;
        for (int k = 0; k < 3; ++k) {
            if (p[k] < lo[k]) lo[k] = p[k];
            if (p[k] > hi[k]) hi[k] = p[k];
        }
    }
    double extent[3];
    for (int k = 0; k < 3; ++k) extent[k] = hi[k] >= lo[k] ? hi[k] - lo[k] : 0;
    double cell = std::max({SpacingOf(extent, n), 4 * SegmentMargin(), kMinCell});
    if (!(cell < 1e300)) cell = 1e300;
    CCellGrid& g = m_segment.grid;
    // Cells near the size wanted are kept: linking every node again costs
    // more than the few extra nodes or cells each search takes.
    if (m_segmentTunedFor >= 0 && cell > g.size[0] / kRetuneRatio && cell < g.size[0] * kRetuneRatio) {
        m_segmentTunedFor = n;
        return;
    }
    for (int k = 0; k < 3; ++k) {
        g.size[k] = cell;
        g.origin[k] = -kOriginShift * cell;
    }
    m_segment.Reset(size_t(theNodes.GetLastID()) + 1, size_t(n));
    for (int i = 0; i < n; ++i) {
        const CNode* node = theNodes.GetAt(i);
        m_segment.Link(node->m_nID, node->m_dCoord);
    }
    m_segmentTunedFor = n;
}

void CNodeIndex::Clear()
{
    m_near.Reset(0, 0);
    m_segment.Reset(0, 0);
    m_segmentTunedFor = -1;
    m_valid = false;
    ++m_changes;
}

void CNodeIndex::RangeOf(const double p[3], int32_t lo[3], int32_t hi[3]) const
{
    const double r[3] = {m_h, m_h, m_v};
    for (int k = 0; k < 3; ++k) {
        lo[k] = m_near.grid.Coord(k, p[k] - r[k]);
        hi[k] = m_near.grid.Coord(k, p[k] + r[k]);
    }
}

void CNodeIndex::Insert(int id, const double p[3])
{
    if (!m_valid) return;  // rebuilt in full on the next search
    m_near.Link(id, p);
    if (m_segmentTunedFor >= 0) m_segment.Link(id, p);
}

void CNodeIndex::Remove(int id)
{
    if (!m_valid) return;
    m_near.Unlink(id);
    m_segment.Unlink(id);
}

void CNodeIndex::Moved(int id, const double p[3])
{
    ++m_changes;
    if (!m_valid) return;
    Remove(id);
    Insert(id, p);
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
