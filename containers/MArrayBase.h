#pragma once
// Block-pooled positional store: elements live in pool blocks of 2^shift
// slots (MMemBlock) and never move; a positional index table maps each
// position to a (block, slot) code. Insertion and removal move only index
// entries, so element addresses stay valid while the element is stored.
//
// The order of the virtual operations is shared with KorvaLib, which empties,
// fills and reads stores handed to it only through them: do not reorder.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "containers/MMemBlock.h"
#include "korvalib/base/biostream.h"

// The least number of bytes one record of T takes in a stream. A count read
// from a file is refused when the rest of the file cannot hold that many
// records. A record type with a larger fixed part says so with a static
// member kMinStreamBytes (or by specialising this).
template <class T>
struct MRecordMinBytes {
    static constexpr int value = [] {
        if constexpr (requires { T::kMinStreamBytes; })
            return T::kMinStreamBytes > 1 ? int(T::kMinStreamBytes) : 1;
        else
            return 1;
    }();
};

template <class T>
class MArrayBase {
public:
    MArrayBase(int initialSize, int blockSize)
    {
        while (m_nShift < 14 && (2 << m_nShift) <= blockSize) ++m_nShift;
        if (initialSize > 0) {
            const long long blocks = ((long long)initialSize + BlockSize() - 1) >> m_nShift;
            // A store that cannot get its first blocks starts empty and grows later.
            if (blocks <= MaxBlocks() && GrowIndex(0, (int)blocks << m_nShift) && !GrowBlocks((int)blocks))
                ResizeIndex(0);
        }
    }
    MArrayBase(const MArrayBase&) = delete;
    MArrayBase& operator=(const MArrayBase&) = delete;

    // --- virtual operations, in their fixed order ---

    // Inserts a copy at position index (0..count); index + 1, or 0 when the
    // store could not grow (the store is then unchanged).
    virtual int InsertAt(int index, const T& element)
    {
        int block;
        if (m_nCount == Capacity()) {
            if (m_nBlocks + 1 > MaxBlocks() || !GrowIndex(Capacity(), Capacity() + BlockSize())) return 0;
            if (!GrowBlocks(m_nBlocks + 1)) {
                ResizeIndex(Capacity());
                return 0;
            }
            block = m_nBlocks - 1;
        } else {
            block = m_nFreeBlock;
            while (block < m_nLastBlock && m_pBlocks[block]->IsFull()) ++block;
        }
        int slot;
        m_pBlocks[block]->AllocSlot(slot);
        m_pBlocks[block]->GetElements()[slot] = element;
        m_nFreeBlock = m_pBlocks[block]->IsFull() ? block + 1 : block;
        std::memmove(m_pIndex + index + 1, m_pIndex + index, sizeof(int) * (m_nCount - index));
        m_pIndex[index] = (block << m_nShift) + slot;
        ++m_nCount;
        return index + 1;
    }

    virtual ~MArrayBase() { Release(); }

    virtual void RemoveAll() { Release(); }

    virtual int RemoveAt(int index)
    {
        const int code = m_pIndex[index];
        const int block = code >> m_nShift;
        if (block < m_nFreeBlock) m_nFreeBlock = block;
        m_pBlocks[block]->FreeSlot(code - (block << m_nShift));
        std::memmove(m_pIndex + index, m_pIndex + index + 1, sizeof(int) * (m_nCount - index - 1));
        --m_nCount;
        if (TrimTrailingBlocks(block)) ShrinkIndex();
        return 1;
    }

    virtual int Remove(const T& element)
    {
        const int key = Find(element);
        return key ? RemoveAt(key - 1) : 0;
    }

    // Removes the elements at the listed positions (as they were before the
    // call; distinct), keeping the others in order.
    virtual int RemoveMany(const int* indices, int n)
    {
        bool trimmed = false;
        for (int k = 0; k < n; ++k) {
            const int code = m_pIndex[indices[k]];
            m_pIndex[indices[k]] = -1;
            const int block = code >> m_nShift;
            if (block < m_nFreeBlock) m_nFreeBlock = block;
            m_pBlocks[block]->FreeSlot(code - (block << m_nShift));
            if (TrimTrailingBlocks(block)) trimmed = true;
        }
        int to = 0;
        for (int from = 0; from < m_nCount; ++from)
            if (m_pIndex[from] != -1) m_pIndex[to++] = m_pIndex[from];
        m_nCount -= n;
        if (trimmed) ShrinkIndex();
        return n;
    }

    // Shrinks to at most n elements, or reserves room for n; never adds
    // elements. 0 when the room could not be reserved (store unchanged).
    virtual int SetSize(int n)
    {
        if (n <= Capacity()) {
            while (m_nCount > n && m_nCount > 0) RemoveAt(m_nCount - 1);
            return 1;
        }
        const long long blocks = ((long long)n + BlockSize() - 1) >> m_nShift;
        if (blocks > MaxBlocks() || !GrowIndex(Capacity(), (int)blocks << m_nShift)) return 0;
        if (!GrowBlocks((int)blocks)) {
            ResizeIndex(Capacity());
            return 0;
        }
        return 1;
    }

    virtual const T* GetAt(int index) const { return ElementAt(m_pIndex[index]); }
    virtual T* GetAt(int index) { return ElementAt(m_pIndex[index]); }

    // 1-based key of an element equal to the given one, 0 when none.
    virtual int Find(const T& element) = 0;
    // Stores a copy in the derived store's own way. A store may write into the
    // caller's element (the ID store gives it its new ID).
    virtual int Add(T& element) = 0;

    // Count, then each element's record in position order. 1 when the stream
    // took everything, 0 when it reports an error.
    virtual int Write(bofstream& out)
    {
        out << m_nCount;
        for (int i = 0; i < m_nCount && out.IsGood(); ++i) GetAt(i)->Serialize(out);
        return out.IsGood() ? 1 : 0;
    }

    // Empties the store and reads count records, each into a fresh element,
    // stored through Add. Stops at the end of the stream, on a stream error, on
    // a count the rest of the stream cannot hold, or when a record cannot be
    // stored; then the store is left empty and 0 is returned.
    virtual int Read(bifstream& in)
    {
        RemoveAll();
        int count = 0;
        in >> count;
        if (!in.IsGood() || count < 0) return 0;
        if (count == 0) return 1;
        if (!in.CheckAvailable((int64_t)count * MRecordMinBytes<T>::value) || !SetSize(count)) return 0;
        for (int i = 0; i < count; ++i) {
            T record;
            record.Serialize(in);
            if (!in.IsGood() || !Add(record)) {
                RemoveAll();
                return 0;
            }
        }
        return 1;
    }

    // --- non-virtual ---

    // Stores a copy of a value the caller cannot hand over for writing.
    int Add(const T& element)
    {
        T copy(element);
        return Add(copy);
    }

    int GetSize() const { return m_nCount; }
    int GetCount() const { return m_nCount; }
    int GetBlockSize() const { return BlockSize(); }
    int GetBlockCount() const { return m_nBlocks; }
    int GetCapacity() const { return Capacity(); }

protected:
    int BlockSize() const { return 1 << m_nShift; }
    int Capacity() const { return m_nBlocks << m_nShift; }
    int MaxBlocks() const { return (INT_MAX >> m_nShift) - 1; }

    T* ElementAt(int code) const
    {
        const int block = code >> m_nShift;
        return &m_pBlocks[block]->GetElements()[code - (block << m_nShift)];
    }

    static MMemBlock<T>* NewBlock(int size)
    {
        MMemBlock<T>* b = new (std::nothrow) MMemBlock<T>(static_cast<int16_t>(size));
        if (b && !b->IsValid()) {
            delete b;
            b = nullptr;
        }
        return b;
    }

    // Enlarges the index table from `from` to `to` entries, the new ones -1.
    bool GrowIndex(int from, int to)
    {
        if (from < 0 || to <= from) return true;
        const size_t bytes = (size_t)to * sizeof(int);
        int* index = static_cast<int*>(std::realloc(m_pIndex, bytes));
        if (!index) return false;
        std::memset(index + from, 0xFF, bytes - (size_t)from * sizeof(int));  // -1 entries
        m_pIndex = index;
        return true;
    }

    // Resizes the index table to exactly `entries` (released at 0).
    void ResizeIndex(int entries)
    {
        if (entries <= 0) {
            std::free(m_pIndex);
            m_pIndex = nullptr;
        } else {
            ShrinkTable(reinterpret_cast<void**>(&m_pIndex), (size_t)entries * sizeof(int));
        }
    }

    // Enlarges the block table to `blocks` entries, each a new empty block. On
    // any allocation failure the blocks made here are deleted and the block
    // table and count stay as they were.
    bool GrowBlocks(int blocks)
    {
        if (blocks <= m_nBlocks) return true;
        auto** table = static_cast<MMemBlock<T>**>(std::realloc(m_pBlocks, (size_t)blocks * sizeof(MMemBlock<T>*)));
        if (!table) return false;
        m_pBlocks = table;
        for (int b = m_nBlocks; b < blocks; ++b) {
            m_pBlocks[b] = NewBlock(BlockSize());
            if (!m_pBlocks[b]) {
                for (int k = m_nBlocks; k < b; ++k) delete m_pBlocks[k];
                if (m_nBlocks == 0) {
                    std::free(m_pBlocks);
                    m_pBlocks = nullptr;
                } else {
                    ShrinkTable(reinterpret_cast<void**>(&m_pBlocks), (size_t)m_nBlocks * sizeof(MMemBlock<T>*));
                }
                return false;
            }
        }
        m_nBlocks = blocks;
        m_nLastBlock = blocks - 1;
        return true;
    }

    // After a slot of `block` was freed: when it is the last block and now
    // empty, deletes the run of empty blocks that ends with it but its first
    // (one empty block stays as a spare). True when blocks were deleted.
    bool TrimTrailingBlocks(int block)
    {
        if (block != m_nBlocks - 1 || m_pBlocks[block]->GetUsed() != 0) return false;
        int f = block;
        while (f > 0 && m_pBlocks[f - 1]->GetUsed() == 0) --f;
        if (f >= block) return false;
        for (int b = f + 1; b <= block; ++b) delete m_pBlocks[b];
        m_nBlocks = f + 1;
        m_nLastBlock = f;
        if (m_nFreeBlock > m_nBlocks) m_nFreeBlock = m_nBlocks;
        ShrinkTable(reinterpret_cast<void**>(&m_pBlocks), (size_t)m_nBlocks * sizeof(MMemBlock<T>*));
        return true;
    }

    void ShrinkIndex() { ResizeIndex(Capacity()); }

    // Empties the pool but keeps its first `blocks` blocks (the others are
    // deleted), so a store read again need not delete and make every element.
    // The kept elements keep their values until a new element is assigned
    // over them. The index table is the caller's to reset.
    void FreeSlotsKeepingBlocks(int blocks)
    {
        if (blocks < 0) blocks = 0;
        if (blocks < m_nBlocks) {
            for (int b = blocks; b < m_nBlocks; ++b) delete m_pBlocks[b];
            if (blocks == 0) {
                std::free(m_pBlocks);
                m_pBlocks = nullptr;
            } else {
                ShrinkTable(reinterpret_cast<void**>(&m_pBlocks), (size_t)blocks * sizeof(MMemBlock<T>*));
            }
            m_nBlocks = blocks;
        }
        for (int b = 0; b < m_nBlocks; ++b) m_pBlocks[b]->FreeAll();
        m_nCount = 0;
        m_nFreeBlock = 0;
        m_nLastBlock = m_nBlocks - 1;
    }

    // Shrinking reallocation; a table that cannot be shrunk stays as it was.
    static void ShrinkTable(void** table, size_t bytes)
    {
        if (void* p = std::realloc(*table, bytes ? bytes : 1)) *table = p;
    }

    void Release()
    {
        for (int b = 0; b < m_nBlocks; ++b) delete m_pBlocks[b];
        std::free(m_pBlocks);
        std::free(m_pIndex);
        m_pBlocks = nullptr;
        m_pIndex = nullptr;
        m_nCount = 0;
        m_nBlocks = 0;
        m_nFreeBlock = 0;
        m_nLastBlock = -1;
    }

    int m_nShift = 0;
    int m_nCount = 0;
    int m_nBlocks = 0;
    int m_nFreeBlock = 0;
    int m_nLastBlock = -1;
    MMemBlock<T>** m_pBlocks = nullptr;
    int* m_pIndex = nullptr;
};
