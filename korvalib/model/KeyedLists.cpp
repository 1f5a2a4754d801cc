// Keyed lists: sorted by key, one owned buffer resized by one entry per change.
#include "korvalib/model/KeyedLists.h"

#include <cmath>

#include "korvalib/model/CommonData.h"
#include "korvalib/model/ModelRecordUtil.h"
#include "korvalib/base/biostream.h"

namespace {

using korva_detail::CopyArray;
using korva_detail::NewArray;
using korva_detail::Within;

constexpr int kMaxEntries = 32767;  // the count is a short

// Bisection: position of key, or -1 with insertAt set to its sorted place.
template <class Item>
int FindKey(const Item* items, int count, int16_t key, int* insertAt = nullptr)
{
    int lo = 0, hi = count - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (items[mid].nKey == key) return mid;
        if (items[mid].nKey < key)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    if (insertAt) *insertAt = lo;
    return -1;
}

template <class Item>
void FreeList(int16_t& count, Item*& items)
{
    delete[] items;
    items = nullptr;
    count = 0;
}

// Without memory the list stays as it was (a new list stays empty).
template <class Item>
void CopyList(int16_t& count, Item*& items, int16_t srcCount, const Item* src)
{
    if (items == src) return;
    Item* p = nullptr;
    if (!CopyArray(p, src, srcCount)) return;
    delete[] items;
    items = p;
    count = srcCount > 0 ? srcCount : 0;
}

template <class Item>
void RemoveItem(int16_t& count, Item*& items, int pos)
{
    if (pos < 0 || pos >= count) return;
    if (count == 1) {
        FreeList(count, items);
        return;
    }
    Item* p = NewArray<Item>(size_t(count - 1));
    if (p) {
        for (int i = 0, j = 0; i < count; ++i)
            if (i != pos) p[j++] = items[i];
        delete[] items;
        items = p;
    } else {  // keep the larger buffer
        for (int i = pos; i + 1 < count; ++i) items[i] = items[i + 1];
    }
    --count;
}

template <class Item>
int InsertItem(int16_t& count, Item*& items, const Item& item, bool empty)
{
    if (item.nKey <= 0) return 0;
    int at = 0;
    const int pos = FindKey(items, count, item.nKey, &at);
    if (pos >= 0) {
        if (empty)
            RemoveItem(count, items, pos);
        else
            items[pos] = item;
        return 1;
    }
    if (empty || count >= kMaxEntries) return 0;
    Item* p = NewArray<Item>(size_t(count + 1));
    if (!p) return 0;
    for (int i = 0; i < at; ++i) p[i] = items[i];
    p[at] = item;
    for (int i = at; i < count; ++i) p[i + 1] = items[i];
    delete[] items;
    items = p;
    ++count;
    return 1;
}

template <class Item>
void MoveList(int16_t& count, Item*& items, int16_t& srcCount, Item*& src)
{
    if (items == src) return;
    delete[] items;
    items = src;
    count = srcCount;
    src = nullptr;
    srcCount = 0;
}

template <class Item, class WriteOne>
int WriteList(bofstream& out, int16_t count, const Item* items, WriteOne writeOne)
{
    out << count;
    for (int i = 0; i < count; ++i) {
        out << items[i].nKey;
        writeOne(out, items[i]);
    }
    return out.IsGood();
}

// Reads a list into a new buffer: the count is bounded by the bytes left,
// the keys must be positive and strictly ascending.
template <class Item, class ReadOne>
int ReadList(bifstream& in, int16_t& count, Item*& items, int dataBytes, ReadOne readOne)
{
    FreeList(count, items);
    if (!in.IsGood()) return 0;
    int16_t n = 0;
    in >> n;
    if (!in.IsGood()) return 0;
    if (n < 0) {
        in.SetFailed();
        return 0;
    }
    if (n == 0) return 1;
    if (!in.CheckAvailable(int64_t(n) * (2 + dataBytes))) return 0;
    Item* p = NewArray<Item>(size_t(n));
    if (!p) {
        in.SetFailed();
        return 0;
    }
    for (int i = 0; i < n && in.IsGood(); ++i) {
        in >> p[i].nKey;
        readOne(in, p[i]);
        if (p[i].nKey <= 0 || (i > 0 && p[i].nKey <= p[i - 1].nKey)) in.SetFailed();
    }
    if (!in.IsGood()) {
        delete[] p;
        return 0;
    }
    items = p;
    count = n;
    return 1;
}

}  // namespace

// ---- DElementLoad ----

DElementLoad::DElementLoad(const DElementLoad& o)
{
    CopyList(m_nCount, m_pItems, o.m_nCount, o.m_pItems);
}
DElementLoad::~DElementLoad()
{
    FreeList(m_nCount, m_pItems);
}
DElementLoad& DElementLoad::operator=(const DElementLoad& o)
{
    if (this != &o) CopyList(m_nCount, m_pItems, o.m_nCount, o.m_pItems);
    return *this;
}
DElementLoad& DElementLoad::operator=(DElementLoad&& o) noexcept
{
    if (this != &o) MoveList(m_nCount, m_pItems, o.m_nCount, o.m_pItems);
    return *this;
}
int DElementLoad::Index(int16_t key) const
{
    return FindKey(m_pItems, m_nCount, key);
}
void DElementLoad::Clear()
{
    FreeList(m_nCount, m_pItems);
}

int DElementLoad::SetSize(int n)
{
    if (n < 0 || n > kMaxEntries) return 0;
    if (n == 0) {
        Clear();
        return 1;
    }
    DElementLoadItem* p = NewArray<DElementLoadItem>(size_t(n));
    if (!p) return 0;
    for (int i = 0; i < n && i < m_nCount; ++i) p[i] = m_pItems[i];
    delete[] m_pItems;
    m_pItems = p;
    m_nCount = static_cast<int16_t>(n);
    return 1;
}

void DElementLoad::RemoveAt(int pos)
{
    RemoveItem(m_nCount, m_pItems, pos);
}

int DElementLoad::Insert(int16_t key, int value)
{
    DElementLoadItem item;
    item.nKey = key;
    item.nValue = value;
    return InsertItem(m_nCount, m_pItems, item, value <= 0);
}

int DElementLoad::Serialize(bofstream& out)
{
    return WriteList(out, m_nCount, m_pItems, [](bofstream& s, const DElementLoadItem& e) { s << e.nValue; });
}

int DElementLoad::Serialize(bifstream& in)
{
    return ReadList(in, m_nCount, m_pItems, 4, [](bifstream& s, DElementLoadItem& e) { s >> e.nValue; });
}

// ---- DNumFactors ----

DNumFactors::DNumFactors(const DNumFactors& o)
{
    CopyList(m_nCount, m_pItems, o.m_nCount, o.m_pItems);
}
DNumFactors::~DNumFactors()
{
    FreeList(m_nCount, m_pItems);
}
DNumFactors& DNumFactors::operator=(const DNumFactors& o)
{
    if (this != &o) CopyList(m_nCount, m_pItems, o.m_nCount, o.m_pItems);
    return *this;
}
DNumFactors& DNumFactors::operator=(DNumFactors&& o) noexcept
{
    if (this != &o) MoveList(m_nCount, m_pItems, o.m_nCount, o.m_pItems);
    return *this;
}

int DNumFactors::operator==(const DNumFactors& o) const
{
    if (m_nCount != o.m_nCount) return 0;
    for (int i = 0; i < m_nCount; ++i)
        if (!Within(m_pItems[i].fFactor, o.m_pItems[i].fFactor, CombinationError)) return 0;
    return 1;
}

int DNumFactors::Index(int16_t key) const
{
    return FindKey(m_pItems, m_nCount, key);
}
void DNumFactors::Clear()
{
    FreeList(m_nCount, m_pItems);
}

int DNumFactors::Insert(int16_t key, float factor, int keepZero)
{
    DNumFactorItem item;
    item.nKey = key;
    item.fFactor = factor;
    const bool empty = !keepZero && Within(factor, 0.0, CombinationError);
    return InsertItem(m_nCount, m_pItems, item, empty);
}

int DNumFactors::Serialize(bofstream& out)
{
    return WriteList(out, m_nCount, m_pItems, [](bofstream& s, const DNumFactorItem& e) { s << e.fFactor; });
}

int DNumFactors::Serialize(bifstream& in)
{
    return ReadList(in, m_nCount, m_pItems, 4, [](bifstream& s, DNumFactorItem& e) { s >> e.fFactor; });
}

// ---- DWeightFactor ----

DWeightFactor::DWeightFactor(const DWeightFactor& o)
{
    CopyList(m_nCount, m_pItems, o.m_nCount, o.m_pItems);
}
DWeightFactor::~DWeightFactor()
{
    FreeList(m_nCount, m_pItems);
}
DWeightFactor& DWeightFactor::operator=(const DWeightFactor& o)
{
    if (this != &o) CopyList(m_nCount, m_pItems, o.m_nCount, o.m_pItems);
    return *this;
}
DWeightFactor& DWeightFactor::operator=(DWeightFactor&& o) noexcept
{
    if (this != &o) MoveList(m_nCount, m_pItems, o.m_nCount, o.m_pItems);
    return *this;
}

int DWeightFactor::operator==(const DWeightFactor& o) const
{
    if (m_nCount != o.m_nCount) return 0;
    for (int i = 0; i < m_nCount; ++i)
        for (int k = 0; k < 3; ++k)
            if (!Within(m_pItems[i].fValue[k], o.m_pItems[i].fValue[k], CombinationError)) return 0;
    return 1;
}

int DWeightFactor::Index(int16_t key) const
{
    return FindKey(m_pItems, m_nCount, key);
}
void DWeightFactor::Clear()
{
    FreeList(m_nCount, m_pItems);
}

int DWeightFactor::Insert(int16_t key, float a, float b, float c)
{
    DWeightFactorItem item;
    item.nKey = key;
    item.fValue[0] = a;
    item.fValue[1] = b;
    item.fValue[2] = c;
    const bool empty = std::fabs(a) + std::fabs(b) + std::fabs(c) <= CombinationError;
    return InsertItem(m_nCount, m_pItems, item, empty);
}

int DWeightFactor::Serialize(bofstream& out)
{
    return WriteList(out, m_nCount, m_pItems,
                     [](bofstream& s, const DWeightFactorItem& e) { s << e.fValue[0] << e.fValue[1] << e.fValue[2]; });
}

int DWeightFactor::Serialize(bifstream& in)
{
    return ReadList(in, m_nCount, m_pItems, 12,
                    [](bifstream& s, DWeightFactorItem& e) { s >> e.fValue[0] >> e.fValue[1] >> e.fValue[2]; });
}
