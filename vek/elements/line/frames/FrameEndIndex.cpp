#include "vek/elements/line/frames/FrameEndIndex.h"

#include <cstdint>
#include <unordered_map>

#include "vek/elements/line/frames/Frame.h"

namespace {

struct CEndIndex {
    std::unordered_map<uint64_t, int32_t> byEnds;
    int count = 0;  // frames indexed
    bool valid = false;
};

CEndIndex& Index()
{
    static CEndIndex index;
    return index;
}

uint64_t Key(int a, int b)
{
    if (a > b) std::swap(a, b);
    return uint64_t(uint32_t(a)) << 32 | uint32_t(b);
}

void Rebuild()
{
    CEndIndex& x = Index();
    x.byEnds.clear();
    x.byEnds.reserve(size_t(theFrames.GetSize()));
    // The lowest number of each pair stands for it.
    for (int i = theFrames.GetSize() - 1; i >= 0; --i) {
        const CFrame* f = theFrames.GetAt(i);
        x.byEnds[Key(f->m_nNodeI, f->m_nNodeJ)] = f->m_nID;
    }
    x.count = theFrames.GetSize();
    x.valid = true;
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
    CEndIndex& x = Index();
    if (!x.valid) return;
    x.byEnds.emplace(Key(f.m_nNodeI, f.m_nNodeJ), f.m_nID);
    ++x.count;
}

void ReindexFrameEnds(const CFrame& f, int oldI, int oldJ)
{
    CEndIndex& x = Index();
    if (!x.valid) return;
    const auto old = x.byEnds.find(Key(oldI, oldJ));
    // Another frame between the old ends may remain: the next use rebuilds.
    if (old != x.byEnds.end() && old->second == f.m_nID) x.byEnds.erase(old);
    x.byEnds.emplace(Key(f.m_nNodeI, f.m_nNodeJ), f.m_nID);
}

int FindIndexedFrame(int nodeA, int nodeB)
{
    CEndIndex& x = Index();
    for (int pass = 0; pass < 2; ++pass) {
        if (!x.valid || x.count != theFrames.GetSize()) Rebuild();
        const auto it = x.byEnds.find(Key(nodeA, nodeB));
        if (it == x.byEnds.end()) return 0;
        if (Joins(it->second, nodeA, nodeB)) return it->second;
        x.valid = false;  // the frame went or moved: look again in a fresh index
    }
    return 0;
}
