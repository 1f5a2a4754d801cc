#pragma once
// A fixed block of n constructed element slots with a bitmap of the slots in
// use. Taking or giving back a slot neither constructs nor destroys an element,
// so a stored element never moves for the life of the block.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

template <class T>
class MMemBlock {
public:
    // n must lie in 1..32767. When the elements or the bitmap cannot be
    // allocated the block is left without slots (IsValid() false); the stores
    // test that and refuse to use it.
    explicit MMemBlock(int16_t n)
    {
        if (n < 1) return;
        m_pElements = new (std::nothrow) T[n];
        m_pUsed = static_cast<uint8_t*>(std::calloc((n + 7) / 8, 1));
        if (!m_pElements || !m_pUsed) {
            delete[] m_pElements;
            std::free(m_pUsed);
            m_pElements = nullptr;
            m_pUsed = nullptr;
            return;
        }
        m_nSize = n;
        m_nLimit = static_cast<int16_t>(n - 1);
    }
    MMemBlock(const MMemBlock&) = delete;
    MMemBlock& operator=(const MMemBlock&) = delete;

    virtual ~MMemBlock()
    {
        delete[] m_pElements;
        std::free(m_pUsed);
    }

    bool IsValid() const { return m_pElements != nullptr; }
    bool IsFull() const { return m_nUsed >= m_nSize; }
    int16_t GetSize() const { return m_nSize; }
    int16_t GetUsed() const { return m_nUsed; }
    T* GetElements() const { return m_pElements; }
    bool IsSlotUsed(int slot) const { return (m_pUsed[slot >> 3] >> (slot & 7)) & 1; }

    // Takes the lowest free slot at or after the next-free hint.
    bool AllocSlot(int& slot)
    {
        for (int s = m_nHint; s <= m_nLimit; ++s) {
            uint8_t& byte = m_pUsed[s >> 3];
            const uint8_t bit = static_cast<uint8_t>(1u << (s & 7));
            if (!(byte & bit)) {
                byte = static_cast<uint8_t>(byte | bit);
                ++m_nUsed;
                m_nHint = static_cast<int16_t>(s + 1);
                slot = s;
                return true;
            }
        }
        slot = -1;
        return false;
    }

    // Gives back every slot; the elements keep their values.
    void FreeAll()
    {
        if (!m_pUsed) return;
        std::memset(m_pUsed, 0, static_cast<size_t>((m_nSize + 7) / 8));
        m_nUsed = 0;
        m_nHint = 0;
        m_nLimit = static_cast<int16_t>(m_nSize - 1);
    }

    // Gives back a slot in use; the element keeps its value.
    void FreeSlot(int slot)
    {
        m_pUsed[slot >> 3] = static_cast<uint8_t>(m_pUsed[slot >> 3] & ~(1u << (slot & 7)));
        --m_nUsed;
        if (m_nHint > slot) m_nHint = static_cast<int16_t>(slot);
        if (m_nLimit < slot) m_nLimit = static_cast<int16_t>(slot);
    }

private:
    T* m_pElements = nullptr;
    uint8_t* m_pUsed = nullptr;
    int16_t m_nSize = 0;
    int16_t m_nUsed = 0;
    int16_t m_nLimit = -1;
    int16_t m_nHint = 0;
};
