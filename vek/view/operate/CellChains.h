#pragma once
// A lookup of numbered entries by a 64-bit cell key: open addressing over
// the keys, each key heading a chain of entry numbers. Emptying keeps the
// memory, so a lookup filled anew on every drawing allocates nothing once
// it has reached its size. Entry numbers run 0, 1, 2, ... as the owner
// stores them.
#include <algorithm>
#include <cstdint>
#include <vector>

class CCellChains {
public:
    void Clear()
    {
        if (m_used == 0 && m_next.empty()) return;
        std::fill(m_heads.begin(), m_heads.end(), -1);
        m_used = 0;
        m_next.clear();
    }
    void Insert(uint64_t key, int n)
    {
        if ((m_used + 1) * 2 > m_keys.size()) Grow();
        const size_t slot = Find(key);
        if (m_heads[slot] < 0) {
            m_keys[slot] = key;
            ++m_used;
        }
        if (m_next.size() <= size_t(n)) m_next.resize(size_t(n) + 1, -1);
        m_next[size_t(n)] = m_heads[slot];
        m_heads[slot] = n;
    }
    // Visits the entries of the key until visit says true; true then.
    template <class Visit>
    bool Any(uint64_t key, Visit visit) const
    {
        if (m_keys.empty()) return false;
        for (int n = m_heads[Find(key)]; n >= 0; n = m_next[size_t(n)])
            if (visit(n)) return true;
        return false;
    }

private:
    // The slot of the key, or the empty slot where it goes.
    size_t Find(uint64_t key) const
    {
        const size_t mask = m_keys.size() - 1;
        size_t i = size_t(key ^ (key >> 31)) & mask;
        while (m_heads[i] >= 0 && m_keys[i] != key) i = (i + 1) & mask;
        return i;
    }
    void Grow()
    {
        std::vector<uint64_t> keys;
        std::vector<int32_t> heads;
        keys.swap(m_keys);
        heads.swap(m_heads);
        const size_t size = keys.empty() ? 64 : keys.size() * 2;
        m_keys.assign(size, 0);
        m_heads.assign(size, -1);
        for (size_t i = 0; i < keys.size(); ++i)
            if (heads[i] >= 0) {
                const size_t slot = Find(keys[i]);
                m_keys[slot] = keys[i];
                m_heads[slot] = heads[i];
            }
    }

    std::vector<uint64_t> m_keys;
    std::vector<int32_t> m_heads;  // -1: an empty slot
    std::vector<int32_t> m_next;   // by entry: the next entry of its chain, -1 at the end
    size_t m_used = 0;             // slots holding a key
};
