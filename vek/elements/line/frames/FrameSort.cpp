#include "vek/elements/line/frames/FrameSort.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameEndIndex.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

struct Key {
    int id;
    int group;
    double mid[3];
};

// A stable merge sort: the order stays defined even where a comparison with
// a tolerance is not transitive.
template <class T, class Less>
void MergeSort(std::vector<T>& v, Less less)
{
    std::vector<T> tmp(v.size());
    for (size_t width = 1; width < v.size(); width *= 2) {
        for (size_t lo = 0; lo < v.size(); lo += 2 * width) {
            const size_t mid = std::min(lo + width, v.size()), hi = std::min(lo + 2 * width, v.size());
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) tmp[k++] = less(v[j], v[i]) ? v[j++] : v[i++];
            while (i < mid) tmp[k++] = v[i++];
            while (j < hi) tmp[k++] = v[j++];
        }
        v.swap(tmp);
    }
}

int Compare(double a, double b, double tol)
{
    return a < b - tol ? -1 : a > b + tol ? 1 : 0;
}

// Rebuilds the store from the frames in the new order (new numbers 1..n).
void Renumber(const std::vector<int>& order, std::vector<int>& map)
{
    std::vector<CFrame> copies;
    copies.reserve(order.size());
    for (size_t p = 0; p < order.size(); ++p) {
        copies.push_back(*FindFrame(order[p]));
        map[size_t(order[p] - 1)] = int(p + 1);
        copies.back().m_nID = int(p + 1);
    }
    theFrames.RemoveAll();
    InvalidateFrameEndIndex();
    theFrames.SetSize(int(copies.size()));
    for (CFrame& f : copies) theFrames.Add(f);
}

}  // namespace

int SortFrames(int mode)
{
    const int n = theFrames.GetSize();
    if (n < 2) return 0;
    ModelHooks().ShowPrompt("正在排序梁柱单元...");
    std::vector<Key> keys;
    keys.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const CFrame* f = theFrames.GetAt(i);
        Key k{f->m_nID, 0, {0, 0, 0}};
        const CNode* a = FindNode(f->m_nNodeI);
        const CNode* b = FindNode(f->m_nNodeJ);
        for (int c = 0; c < 3 && a && b; ++c) k.mid[c] = (a->m_dCoord[c] + b->m_dCoord[c]) / 2;
        if (mode == 20)
            k.group = f->GetSectionKind();
        else
            k.group = (mode == 8 || theLevels.count <= 0) ? f->m_nLayer : f->m_nStorey;
        keys.push_back(k);
    }
    static const int kAxes[7][3] = {{1, 2, 0}, {2, 0, 1}, {2, 1, 0}, {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}};
    const double tol = theProjectOptions.dHorzNodeSpacing;
    MergeSort(keys, [&](const Key& x, const Key& y) {
        if (mode == 20 || mode == 7 || mode == 8) {
            const int gx = (mode != 20 && x.group < 0) ? INT32_MAX : x.group;
            const int gy = (mode != 20 && y.group < 0) ? INT32_MAX : y.group;
            if (gx != gy) return gx < gy;
        } else {
            const int* axes = kAxes[mode >= 1 && mode <= 6 ? mode : 0];
            for (int c = 0; c < 3; ++c)
                if (const int r = Compare(x.mid[axes[c]], y.mid[axes[c]], tol)) return r < 0;
        }
        return x.id < y.id;
    });
    bool ascending = true;
    for (int p = 0; p < n && ascending; ++p)
        ascending = keys[size_t(p)].id == theFrames.GetIDAt(p) && keys[size_t(p)].id == p + 1;
    if (ascending) return 0;
    std::vector<int> order, map(size_t(theFrames.GetLastID()), 0);
    for (const Key& k : keys) order.push_back(k.id);
    Renumber(order, map);
    RemapFrameReferences(map.data(), int(map.size()));
    theUndo.Clear();
    SetDocumentModified(1);
    return 1;
}

int DeleteDuplicateFrames()
{
    const int n = theFrames.GetSize();
    if (n < 2) return 0;
    struct Pair {
        int lo, hi, id;
    };
    std::vector<Pair> pairs;
    pairs.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const CFrame* f = theFrames.GetAt(i);
        pairs.push_back({std::min(f->m_nNodeI, f->m_nNodeJ), std::max(f->m_nNodeI, f->m_nNodeJ), f->m_nID});
    }
    MergeSort(pairs, [](const Pair& a, const Pair& b) {
        return a.lo != b.lo ? a.lo < b.lo : a.hi != b.hi ? a.hi < b.hi : a.id < b.id;
    });
    const int last = theFrames.GetLastID();
    std::vector<int> survivor(size_t(last), 0);
    int removed = 0;
    for (size_t k = 1; k < pairs.size(); ++k) {
        const Pair& p = pairs[k];
        const Pair& first = pairs[k - 1];
        if (p.lo == first.lo && p.hi == first.hi) {
            survivor[size_t(p.id - 1)] = survivor[size_t(first.id - 1)] ? survivor[size_t(first.id - 1)] : first.id;
            ++removed;
        }
    }
    if (!removed) return 0;
    std::vector<uint8_t> flags(size_t(last), 0);
    for (int i = 0; i < n; ++i) {
        CFrame* f = theFrames.GetAt(i);
        const int keep = survivor[size_t(f->m_nID - 1)];
        if (!keep) continue;
        flags[size_t(f->m_nID - 1)] = 1;
        ErasePicture(*f, [](CFrame& x) { x.Draw(); });
        AttachFrameNodes(*f, -1);
        if (theLevels.count > 0) RemoveFrameFromLevel(f->m_nID, f->m_nStorey);
        CFrame* s = FindFrame(keep);
        for (int e = 0; e < f->m_Loads.Entries(); ++e) {
            const DElementLoadItem item = f->m_Loads[e];
            if (item.nKey > 0 && item.nValue >= 1) s->m_Loads.Insert(item.nKey, item.nValue);
        }
    }
    std::vector<int> order, map(size_t(last), 0);
    for (int i = 0; i < n; ++i) {
        const int id = theFrames.GetIDAt(i);
        if (!flags[size_t(id - 1)]) order.push_back(id);
    }
    Renumber(order, map);
    for (int id = 1; id <= last; ++id)
        if (flags[size_t(id - 1)]) map[size_t(id - 1)] = map[size_t(survivor[size_t(id - 1)] - 1)];
    RemoveDeletedFrameReferences(flags.data(), last);
    RemapFrameReferences(map.data(), last);
    theUndo.Clear();
    SetDocumentModified(1);
    return removed;
}

int SortElementsCommand()
{
    const int changed = SortFrames(theProjectOptions.nSortOrder);
    ModelHooks().ShowPrompt("排序完毕.");
    ModelHooks().InvalidateModel();
    return changed;
}
