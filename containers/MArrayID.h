#pragma once
// ID-indexed store: elements found by their own positive ID in constant time,
// kept at fixed addresses in the pool blocks of MArrayBase, walked in
// ascending ID order by an ordinal position (a cursor makes an in-order walk
// cost one step per element). The base's index table is indexed here by
// ID - 1; an entry is -1 for a free ID or the element's slot code.
//
// KorvaLib fills stores handed to it through RemoveAll and Add only, so the
// virtual operations keep the base's order.
#include <climits>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

#include "containers/MArrayBase.h"

// How the store reaches an element's ID: by default the data member m_nID (a
// 32-bit or 16-bit signed integer). Specialise for element types that name it
// otherwise.
template <class T>
struct MArrayIDAccess {
    static auto& Ref(T& t) { return t.m_nID; }
    static int Get(const T& t) { return static_cast<int>(t.m_nID); }
};

template <class T>
class MArrayID : public MArrayBase<T> {
    using Base = MArrayBase<T>;
    using IdType = std::remove_cvref_t<decltype(MArrayIDAccess<T>::Ref(std::declval<T&>()))>;
    static_assert(std::is_same_v<IdType, int32_t> || std::is_same_v<IdType, int16_t>,
                  "an element ID is a 32-bit or a 16-bit signed integer");

public:
    // Highest ID the store accepts: the range of a 16-bit ID, and for 32-bit IDs
    // a bound that keeps the ID table (2 x ID entries at most) to 128 MB, so an
    // ID read from a damaged file cannot make it huge.
    static constexpr int kMaxID = std::is_same_v<IdType, int16_t> ? 32767 : (1 << 24);

    MArrayID(int initialSize, int blockSize) : Base(initialSize, blockSize) { m_nIDCapacity = this->Capacity(); }

    // Stores element under the ID index + 1 (the stored copy carries that ID),
    // replacing an element already stored there. 1, or 0 when the ID is beyond
    // the store's range or room could not be allocated (store unchanged).
    int InsertAt(int index, const T& element) override { return Place(index, element); }

    ~MArrayID() override = default;

    void RemoveAll() override
    {
        this->Release();
        m_nHighest = -1;
        m_nCursorPos = -1;
        m_nCursorID = -1;
        m_nIDCapacity = 0;
    }

    int RemoveAt(int position) override { return RemoveByID(GetIDAt(position)); }

    int Remove(const T& element) override { return RemoveByID(MArrayIDAccess<T>::Get(element)); }

    // Each position is taken against the store as it stands after the
    // previous removals.
    int RemoveMany(const int* positions, int n) override
    {
        if (n < 1) return n;
        for (int k = 0; k < n; ++k) RemoveAt(positions[k]);
        return n;
    }

    // Keeps at most n elements (the lowest IDs) or reserves room for n.
    int SetSize(int n) override
    {
        if (n < 0) n = 0;
        const long long rounded = ((long long)n + this->BlockSize() - 1) >> this->m_nShift << this->m_nShift;
        if (rounded > INT_MAX / 2) return 0;
        if (n > m_nIDCapacity) {
            if (!this->GrowIndex(m_nIDCapacity, (int)rounded)) return 0;
            m_nIDCapacity = (int)rounded;
        }
        if (n <= this->Capacity()) {
            while (this->m_nCount > n) RemoveAt(n);
            return 1;
        }
        return this->GrowBlocks((int)(rounded >> this->m_nShift)) ? 1 : 0;
    }

    // As the base's Write (count, then the records in ascending ID order),
    // walking the ID table instead of a position cursor.
    int Write(bofstream& out) override
    {
        out << this->m_nCount;
        for (int idx = 0; idx <= m_nHighest && out.IsGood(); ++idx) {
            const int code = this->m_pIndex[idx];
            if (code != -1) this->ElementAt(code)->Serialize(out);
        }
        return out.IsGood() ? 1 : 0;
    }

    // As the base's Read, but the pool blocks the records will fill are kept
    // rather than deleted and made again (the rest are deleted), and each
    // record, read into a fresh element, is moved into the store the way Add
    // stores a copy.
    int Read(bifstream& in) override
    {
        int count = 0;
        in >> count;
        if (!in.IsGood() || count <= 0 || !in.CheckAvailable((int64_t)count * MRecordMinBytes<T>::value)) {
            RemoveAll();
            return count == 0 && in.IsGood() ? 1 : 0;
        }
        const long long blocks = ((long long)count + this->BlockSize() - 1) >> this->m_nShift;
        if (blocks > this->MaxBlocks()) {
            RemoveAll();
            return 0;
        }
        ResetKeepingBlocks((int)blocks);
        if (!SetSize(count)) {
            RemoveAll();
            return 0;
        }
        for (int i = 0; i < count; ++i) {
            T record;
            record.Serialize(in);
            if (!in.IsGood() || !AddRead(record)) {
                RemoveAll();
                return 0;
            }
        }
        return 1;
    }

    const T* GetAt(int position) const override { return this->ElementAt(this->m_pIndex[GetIDAt(position) - 1]); }
    T* GetAt(int position) override { return this->ElementAt(this->m_pIndex[GetIDAt(position) - 1]); }

    int Find(const T& element) override { return IsValidID(MArrayIDAccess<T>::Get(element)); }

    // An element without an ID (below 1) gets GetFreeID, written into the
    // caller's element; 0 when a 16-bit store has no ID left in its range.
    int Add(T& element) override
    {
        int id = MArrayIDAccess<T>::Get(element);
        if (id < 1) {
            id = GetFreeID();
            if (id > kMaxID) return 0;
            MArrayIDAccess<T>::Ref(element) = static_cast<IdType>(id);
        }
        return InsertAt(id - 1, element);
    }
    using Base::Add;

    // --- not virtual ---

    // ID of the element at an ordinal position (0..count-1, unchecked).
    int GetIDAt(int position) const
    {
        if (position == m_nCursorPos) return m_nCursorID + 1;
        if (position == this->m_nCount - 1) {
            m_nCursorPos = position;
            m_nCursorID = m_nHighest;
        } else if (m_nCursorPos < 0 || m_nCursorID < 0 || position == 0) {
            m_nCursorPos = 0;
            m_nCursorID = NextUsed(-1);
        }
        while (m_nCursorPos < position) {
            m_nCursorID = NextUsed(m_nCursorID);
            ++m_nCursorPos;
        }
        while (m_nCursorPos > position) {
            m_nCursorID = PrevUsed(m_nCursorID);
            --m_nCursorPos;
        }
        return m_nCursorID + 1;
    }

    // The element with an ID in use (unchecked).
    T* GetByID(int id) const { return this->ElementAt(this->m_pIndex[id - 1]); }

    int IsValidID(int id) const
    {
        if (id < 1 || id > m_nIDCapacity || this->m_pIndex[id - 1] == -1) return 0;
        return id;
    }

    int GetLastID() const { return this->m_nCount < 1 ? 0 : GetIDAt(this->m_nCount - 1); }
    // True when the IDs in use are 1..count: position p holds ID p + 1, and
    // GetByID reaches it without walking the store (the cursor stays put).
    bool IsDense() const { return m_nHighest + 1 == this->m_nCount; }

    int GetFreeID() const
    {
        if (this->m_nCount >= m_nHighest + 1) return m_nHighest + 2;
        for (int i = 0; i <= m_nHighest; ++i)
            if (this->m_pIndex[i] == -1) return i + 1;
        return m_nIDCapacity + 1;
    }

    int RemoveByID(int id)
    {
        if (id < 1 || id - 1 > m_nHighest || this->m_pIndex[id - 1] == -1) return 0;
        const int idx = id - 1;
        const int code = this->m_pIndex[idx];
        const int block = code >> this->m_nShift;
        if (block < this->m_nFreeBlock) this->m_nFreeBlock = block;
        this->m_pBlocks[block]->FreeSlot(code - (block << this->m_nShift));

        if (m_nCursorID == idx) {
            if (m_nCursorPos >= this->m_nCount - 1) {
                --m_nCursorPos;
                m_nCursorID = m_nCursorPos < 0 ? -1 : PrevUsed(idx);
            } else {
                m_nCursorID = NextUsed(idx);
            }
        } else if (idx < m_nCursorID) {
            --m_nCursorPos;
        }

        this->m_pIndex[idx] = -1;
        --this->m_nCount;

        if (idx == m_nHighest) {
            while (m_nHighest >= 0 && this->m_pIndex[m_nHighest] == -1) --m_nHighest;
            if (m_nIDCapacity > 2 * m_nHighest + 2) {
                m_nIDCapacity = 2 * m_nHighest + 2;
                this->ResizeIndex(m_nIDCapacity);
            }
        }
        this->TrimTrailingBlocks(block);
        return 1;
    }

    // ID of a stored element that IsSame the given one (0 when none); freeID
    // gets a free ID (the lowest one seen, or the highest ID + 1).
    int FindSame(const T& element, int& freeID) const
    {
        freeID = m_nHighest + 2;
        if (this->m_nCount == 0) return 0;
        int result = 0;
        for (int id = 1; id <= m_nHighest + 1; ++id) {
            const int code = this->m_pIndex[id - 1];
            if (code != -1) {
                if (this->ElementAt(code)->IsSame(element)) result = id;
            } else if (id < freeID) {
                freeID = id;
            }
            if (result && freeID <= m_nIDCapacity) break;
        }
        return result;
    }

    int GetIDCapacity() const { return m_nIDCapacity; }

private:
    // InsertAt's work; a record read from a stream is moved in, not copied.
    template <class U>
    int Place(int index, U&& element)
    {
        if (index < 0 || index >= kMaxID) return 0;
        if (index < m_nIDCapacity && this->m_pIndex[index] != -1) {
            T* stored = this->ElementAt(this->m_pIndex[index]);
            *stored = std::forward<U>(element);
            MArrayIDAccess<T>::Ref(*stored) = static_cast<IdType>(index + 1);
            return 1;
        }
        if (index >= m_nIDCapacity) {
            const int cap = 2 * index + 2;
            if (!this->GrowIndex(m_nIDCapacity, cap)) return 0;
            m_nIDCapacity = cap;
        }
        int block;
        if (this->m_nCount == this->Capacity()) {
            if (this->m_nBlocks + 1 > this->MaxBlocks() || !this->GrowBlocks(this->m_nBlocks + 1)) return 0;
            block = this->m_nBlocks - 1;
        } else {
            block = this->m_nFreeBlock;
            while (block < this->m_nLastBlock && this->m_pBlocks[block]->IsFull()) ++block;
        }
        int slot;
        this->m_pBlocks[block]->AllocSlot(slot);
        T* stored = &this->m_pBlocks[block]->GetElements()[slot];
        *stored = std::forward<U>(element);
        MArrayIDAccess<T>::Ref(*stored) = static_cast<IdType>(index + 1);
        this->m_nFreeBlock = this->m_pBlocks[block]->IsFull() ? block + 1 : block;
        if (m_nCursorID > index) ++m_nCursorPos;
        this->m_pIndex[index] = (block << this->m_nShift) + slot;
        if (index > m_nHighest) m_nHighest = index;
        ++this->m_nCount;
        return 1;
    }

    // Add for a record just read: the same ID rules, the record moved in.
    int AddRead(T& record)
    {
        int id = MArrayIDAccess<T>::Get(record);
        if (id < 1) {
            id = GetFreeID();
            if (id > kMaxID) return 0;
            MArrayIDAccess<T>::Ref(record) = static_cast<IdType>(id);
        }
        return Place(id - 1, std::move(record));
    }

    // Empties the store, keeping at most `blocks` pool blocks and an ID table
    // of at most that many blocks' worth of entries, all free.
    void ResetKeepingBlocks(int blocks)
    {
        this->FreeSlotsKeepingBlocks(blocks);
        const long long ids = (long long)blocks << this->m_nShift;
        if (m_nIDCapacity > ids) {
            this->ResizeIndex((int)ids);
            m_nIDCapacity = this->m_pIndex ? (int)ids : 0;
        }
        if (m_nIDCapacity > 0) std::memset(this->m_pIndex, 0xFF, (size_t)m_nIDCapacity * sizeof(int));  // -1 entries
        m_nHighest = -1;
        m_nCursorPos = -1;
        m_nCursorID = -1;
    }

    int NextUsed(int idx) const
    {
        do ++idx;
        while (this->m_pIndex[idx] == -1);
        return idx;
    }
    int PrevUsed(int idx) const
    {
        do --idx;
        while (this->m_pIndex[idx] == -1);
        return idx;
    }

    mutable int m_nCursorPos = -1;
    mutable int m_nCursorID = -1;
    int m_nIDCapacity = 0;
    int m_nHighest = -1;
};
