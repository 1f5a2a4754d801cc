#include "vek/elements/line/frames/FrameEndIndex.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeIndex.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/geometry/SegmentCells.h"

namespace {

// A frame spanning more cells than this is kept in a list of its own that
// every search takes.
constexpr double kMaxFrameCells = 64;
// Round coordinates fall inside the cells, not on their borders.
constexpr double kOriginShift = 0.3819660112501051;

// Frame numbers by cell: a hash of cells, each the head of a chain of
// entries. A frame stays in the cells it left until the next rebuild: a
// candidate more, never one less.
class CFrameCells {
public:
    void Clear()
    {
        m_heads.Reset(0);
        m_entries.clear();
    }
    void Add(const int32_t c[3], int32_t id)
    {
        int32_t& head = m_heads.At(c);
        if (head >= 0 && m_entries[size_t(head)].id == id) return;  // placed here already
        m_entries.push_back({id, head});
        head = int32_t(m_entries.size() - 1);
    }
    template <class F>
    void ForEachIn(const int32_t c[3], F&& f) const
    {
        for (int32_t e = m_heads.Get(c); e >= 0; e = m_entries[size_t(e)].next) f(m_entries[size_t(e)].id);
    }

private:
    struct Entry {
        int32_t id, next;
    };
    CCellHeads m_heads{-1};
    std::vector<Entry> m_entries;
};

// Frame numbers by a key of their end nodes, in one table probed in line.
class CEndTable {
public:
    void Clear(size_t count)
    {
        size_t size = 64;
        while (size < count * 2) size *= 2;
        m_slots.assign(size, Slot{});
        m_used = 0;
    }
    int32_t Find(uint64_t key) const
    {
        const Slot& s = m_slots[FindSlot(key)];
        return s.id;
    }
    // Adds the pair; an existing number for the key stays unless replace.
    void Put(uint64_t key, int32_t id, bool replace)
    {
        if (id < 1) return;
        if ((m_used + 1) * 2 > m_slots.size()) Grow();
        Slot& s = m_slots[FindSlot(key)];
        if (s.id && !replace) return;
        if (!s.id) ++m_used;
        s = Slot{key, id};
    }
    void Erase(uint64_t key)
    {
        const size_t mask = m_slots.size() - 1;
        size_t hole = FindSlot(key);
        if (!m_slots[hole].id) return;
        // Entries after the hole move back into it when their probe passed it.
        for (size_t i = (hole + 1) & mask; m_slots[i].id; i = (i + 1) & mask) {
            const size_t home = Home(m_slots[i].key);
            if (((i - home) & mask) >= ((i - hole) & mask)) {
                m_slots[hole] = m_slots[i];
                hole = i;
            }
        }
        m_slots[hole] = Slot{};
        --m_used;
    }

private:
    struct Slot {
        uint64_t key = 0;
        int32_t id = 0;  // 0: empty
    };
    size_t Home(uint64_t key) const { return size_t((key * 0x9E3779B97F4A7C15ull) >> 20) & (m_slots.size() - 1); }
    size_t FindSlot(uint64_t key) const
    {
        const size_t mask = m_slots.size() - 1;
        size_t i = Home(key);
        while (m_slots[i].id && m_slots[i].key != key) i = (i + 1) & mask;
        return i;
    }
    void Grow()
    {
        std::vector<Slot> old;
        old.swap(m_slots);
        m_slots.assign(old.size() * 2, Slot{});
        for (const Slot& s : old)
            if (s.id) m_slots[FindSlot(s.key)] = s;
    }

    std::vector<Slot> m_slots = std::vector<Slot>(64);
    size_t m_used = 0;
};

struct CFrameIndex {
    CEndTable byEnds;
    CFrameCells byCell;
    std::vector<int32_t> long_;  // frames over too many cells
    CCellGrid grid;
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

bool Ends(const CFrame& f, double a[3], double b[3])
{
    const CNode* i = FindNode(f.m_nNodeI);
    const CNode* j = FindNode(f.m_nNodeJ);
    if (!i || !j) return false;
    std::copy(i->m_dCoord, i->m_dCoord + 3, a);
    std::copy(j->m_dCoord, j->m_dCoord + 3, b);
    return true;
}

// The cells the frame's own line passes; searches widen their segment.
void PlaceInCells(CFrameIndex& x, const CFrame& f)
{
    double a[3], b[3];
    if (!Ends(f, a, b)) return;
    if (!ForEachCellNearSegment(x.grid, a, b, 0, kMaxFrameCells, [&](const int32_t c[3]) { x.byCell.Add(c, f.m_nID); }))
        x.long_.push_back(f.m_nID);
}

// Cells about as long as the frames on average, not below ten tolerances.
void Rebuild()
{
    CFrameIndex& x = Index();
    x.byEnds.Clear(size_t(theFrames.GetSize()));
    x.byCell.Clear();
    x.long_.clear();
    x.tol = std::max({theProjectOptions.dHorzNodeSpacing, double(theProjectOptions.fVertNodeSpacing), 1e-9});
    double total = 0;
    int measured = 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        const double l = theFrames.GetAt(i)->GetLength();
        if (l > 0) total += l, ++measured;
    }
    double cell = std::max(measured ? total / measured : 1.0, 10 * x.tol);
    if (!(cell < 1e300)) cell = 1e300;
    for (int k = 0; k < 3; ++k) {
        x.grid.size[k] = cell;
        x.grid.origin[k] = -kOriginShift * cell;
    }
    // The lowest number of each pair stands for it.
    for (int i = theFrames.GetSize() - 1; i >= 0; --i) {
        const CFrame* f = theFrames.GetAt(i);
        x.byEnds.Put(EndKey(f->m_nNodeI, f->m_nNodeJ), f->m_nID, true);
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
    x.byEnds.Put(EndKey(f.m_nNodeI, f.m_nNodeJ), f.m_nID, false);
    PlaceInCells(x, f);
    ++x.count;
    // Cells made for other lengths: made again on the next use.
    if (double(x.long_.size()) > std::max(kMaxFrameCells, x.count / 4.0)) x.valid = false;
}

void ReindexFrameEnds(const CFrame& f, int oldI, int oldJ)
{
    CFrameIndex& x = Index();
    if (!x.valid) return;
    // Another frame between the old ends may remain: it is found again only
    // after a rebuild, which a merged model never needs.
    if (x.byEnds.Find(EndKey(oldI, oldJ)) == f.m_nID) x.byEnds.Erase(EndKey(oldI, oldJ));
    x.byEnds.Put(EndKey(f.m_nNodeI, f.m_nNodeJ), f.m_nID, false);
    // The old cells keep the number: a candidate more, never one less.
    PlaceInCells(x, f);
}

int FindIndexedFrame(int nodeA, int nodeB)
{
    CFrameIndex& x = Index();
    for (int pass = 0; pass < 2; ++pass) {
        Prepare();
        const int id = x.byEnds.Find(EndKey(nodeA, nodeB));
        if (!id) return 0;
        if (Joins(id, nodeA, nodeB)) return id;
        x.valid = false;  // the frame went or moved: look again in a fresh index
    }
    return 0;
}

bool FindFramesNearSegment(const double a[3], const double b[3], std::vector<int>& out)
{
    out.clear();
    Prepare();
    CFrameIndex& x = Index();
    // A crossing is found within the tolerance along each line and across
    // them: the two frames come within three tolerances of each other.
    const bool walked =
        ForEachCellNearSegment(x.grid, a, b, 3 * x.tol, std::max(double(theFrames.GetSize()), kMaxFrameCells),
                               [&](const int32_t c[3]) { x.byCell.ForEachIn(c, [&](int id) { out.push_back(id); }); });
    if (!walked) return false;
    out.insert(out.end(), x.long_.begin(), x.long_.end());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return true;
}
