#include "vek/elements/line/frames/FrameEndIndex.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeIndex.h"
#include "vek/model/ProjectOptions.h"

namespace {

// A frame spanning more cells than this is kept in a list of its own that
// every search takes.
constexpr double kMaxFrameCells = 64;

struct CFrameIndex {
    std::unordered_map<uint64_t, int32_t> byEnds;
    std::unordered_map<uint64_t, std::vector<int32_t>> byCell;
    std::vector<int32_t> long_;  // frames over too many cells
    double cell = 1;
    double tol = 0;
    int count = 0;  // frames indexed
    unsigned nodeChanges = 0;
    bool valid = false;
};

CFrameIndex& Index()
{
    static CFrameIndex index;
    return index;
}

uint64_t EndKey(int a, int b)
{
    if (a > b) std::swap(a, b);
    return uint64_t(uint32_t(a)) << 32 | uint32_t(b);
}

// Cells far apart may share a key: they only add candidates.
uint64_t CellKey(int64_t x, int64_t y, int64_t z)
{
    return (uint64_t(x) & 0x1FFFFF) << 42 | (uint64_t(y) & 0x1FFFFF) << 21 | (uint64_t(z) & 0x1FFFFF);
}

int64_t CellOf(double v, double cell)
{
    return int64_t(std::floor(v / cell));
}

// The cells of the box of a and b widened by the tolerance; how many.
double CellRange(const CFrameIndex& x, const double a[3], const double b[3], int64_t lo[3], int64_t hi[3])
{
    double cells = 1;
    for (int k = 0; k < 3; ++k) {
        lo[k] = CellOf(std::min(a[k], b[k]) - x.tol, x.cell);
        hi[k] = CellOf(std::max(a[k], b[k]) + x.tol, x.cell);
        cells *= double(hi[k] - lo[k] + 1);
    }
    return cells;
}

bool Ends(const CFrame& f, double a[3], double b[3])
{
    const CNode* i = FindNode(f.m_nNodeI);
    const CNode* j = FindNode(f.m_nNodeJ);
    if (!i || !j) return false;
    std::copy(i->m_dCoord, i->m_dCoord + 3, a);
    std::copy(j->m_dCoord, j->m_dCoord + 3, b);
    return true;
}

void PlaceInCells(CFrameIndex& x, const CFrame& f)
{
    double a[3], b[3];
    if (!Ends(f, a, b)) return;
    int64_t lo[3], hi[3];
    if (CellRange(x, a, b, lo, hi) > kMaxFrameCells) {
        x.long_.push_back(f.m_nID);
        return;
    }
    for (int64_t i = lo[0]; i <= hi[0]; ++i)
        for (int64_t j = lo[1]; j <= hi[1]; ++j)
            for (int64_t k = lo[2]; k <= hi[2]; ++k) x.byCell[CellKey(i, j, k)].push_back(f.m_nID);
}

// Cells about as long as the frames on average, not below ten tolerances.
void Rebuild()
{
    CFrameIndex& x = Index();
    x.byEnds.clear();
    x.byCell.clear();
    x.long_.clear();
    x.tol = std::max({theProjectOptions.dHorzNodeSpacing, double(theProjectOptions.fVertNodeSpacing), 1e-9});
    double total = 0;
    int measured = 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        const double l = theFrames.GetAt(i)->GetLength();
        if (l > 0) total += l, ++measured;
    }
    x.cell = std::max(measured ? total / measured : 1.0, 10 * x.tol);
    x.byEnds.reserve(size_t(theFrames.GetSize()));
    // The lowest number of each pair stands for it.
    for (int i = theFrames.GetSize() - 1; i >= 0; --i) {
        const CFrame* f = theFrames.GetAt(i);
        x.byEnds[EndKey(f->m_nNodeI, f->m_nNodeJ)] = f->m_nID;
    }
    for (int i = 0; i < theFrames.GetSize(); ++i) PlaceInCells(x, *theFrames.GetAt(i));
    x.count = theFrames.GetSize();
    x.nodeChanges = theNodeIndex.Changes();
    x.valid = true;
}

void Prepare()
{
    const CFrameIndex& x = Index();
    if (!x.valid || x.count != theFrames.GetSize() || x.nodeChanges != theNodeIndex.Changes()) Rebuild();
}

bool Joins(int id, int a, int b)
{
    const CFrame* f = FindFrame(id);
    return f && ((f->m_nNodeI == a && f->m_nNodeJ == b) || (f->m_nNodeI == b && f->m_nNodeJ == a));
}

}  // namespace

void InvalidateFrameEndIndex()
{
    Index().valid = false;
}

void IndexFrameEnds(const CFrame& f)
{
    CFrameIndex& x = Index();
    if (!x.valid) return;
    x.byEnds.emplace(EndKey(f.m_nNodeI, f.m_nNodeJ), f.m_nID);
    PlaceInCells(x, f);
    ++x.count;
    // Cells made for other lengths: made again on the next use.
    if (double(x.long_.size()) > std::max(kMaxFrameCells, x.count / 4.0)) x.valid = false;
}

void ReindexFrameEnds(const CFrame& f, int oldI, int oldJ)
{
    CFrameIndex& x = Index();
    if (!x.valid) return;
    const auto old = x.byEnds.find(EndKey(oldI, oldJ));
    // Another frame between the old ends may remain: it is found again only
    // after a rebuild, which a merged model never needs.
    if (old != x.byEnds.end() && old->second == f.m_nID) x.byEnds.erase(old);
    x.byEnds.emplace(EndKey(f.m_nNodeI, f.m_nNodeJ), f.m_nID);
    // The old cells keep the number: a candidate more, never one less.
    PlaceInCells(x, f);
}

int FindIndexedFrame(int nodeA, int nodeB)
{
    CFrameIndex& x = Index();
    for (int pass = 0; pass < 2; ++pass) {
        Prepare();
        const auto it = x.byEnds.find(EndKey(nodeA, nodeB));
        if (it == x.byEnds.end()) return 0;
        if (Joins(it->second, nodeA, nodeB)) return it->second;
        x.valid = false;  // the frame went or moved: look again in a fresh index
    }
    return 0;
}

bool FindFramesNearSegment(const double a[3], const double b[3], std::vector<int>& out)
{
    out.clear();
    Prepare();
    CFrameIndex& x = Index();
    int64_t lo[3], hi[3];
    if (CellRange(x, a, b, lo, hi) > std::max(double(theFrames.GetSize()), kMaxFrameCells)) return false;
    for (int64_t i = lo[0]; i <= hi[0]; ++i)
        for (int64_t j = lo[1]; j <= hi[1]; ++j)
            for (int64_t k = lo[2]; k <= hi[2]; ++k) {
                const auto it = x.byCell.find(CellKey(i, j, k));
                if (it != x.byCell.end()) out.insert(out.end(), it->second.begin(), it->second.end());
            }
    out.insert(out.end(), x.long_.begin(), x.long_.end());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return true;
}
