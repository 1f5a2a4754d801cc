#pragma once
// Lists keyed and sorted by load-case number, embedded in many records.
// Each keeps its entries in one owned buffer, sorted by key (>= 1, unique);
// an empty list holds no buffer. A copy assignment without the memory for
// it leaves the list as it was; a list copy-constructed without it is empty.
//
// Stream layout: short count, then per entry the short key and its data.
#include <cstdint>

#include "korvalib/base/KorvaApi.h"

class bofstream;
class bifstream;

struct KORVA_API DElementLoadItem {
    int16_t nKey = 0;
    int32_t nValue = 0;
};

struct KORVA_API DNumFactorItem {
    int16_t nKey = 0;
    float fFactor = 0;
};

struct KORVA_API DWeightFactorItem {
    int16_t nKey = 0;
    float fValue[3] = {0, 0, 0};
    DWeightFactorItem& operator=(const DWeightFactorItem& o)
    {
        nKey = o.nKey;
        fValue[0] = o.fValue[0];
        fValue[1] = o.fValue[1];
        fValue[2] = o.fValue[2];
        return *this;
    }
};

// Load references: key and a positive value.
class KORVA_API DElementLoad {
public:
    DElementLoad() = default;
    DElementLoad(const DElementLoad& o);
    DElementLoad(DElementLoad&& o) noexcept : m_nCount(o.m_nCount), m_pItems(o.m_pItems)
    {
        o.m_nCount = 0;
        o.m_pItems = nullptr;
    }
    ~DElementLoad();
    DElementLoad& operator=(const DElementLoad& o);
    DElementLoad& operator=(DElementLoad&& o) noexcept;
    // Equal counts (entries are not compared).
    int operator==(const DElementLoad& o) const { return m_nCount == o.m_nCount; }

    int Entries() const { return m_nCount; }
    DElementLoadItem& operator[](int i) { return m_pItems[i]; }
    const DElementLoadItem& operator[](int i) const { return m_pItems[i]; }
    // Position of key, -1 when absent.
    int Index(int16_t key) const;
    void Clear();
    // Sets the count and resizes the buffer (new entries zero); 0 when n
    // is out of the 16-bit count's range or memory is short.
    int SetSize(int n);
    void RemoveAt(int pos);
    // A value <= 0 removes the key. 1 when the list changed or the key was
    // replaced; 0 for a key <= 0, nothing to remove, or no memory.
    int Insert(int16_t key, int value);
    int Remove(int16_t key) { return Insert(key, 0); }

    int Serialize(bofstream& out);
    // Empties the list first; a damaged list leaves it empty and the stream failed.
    int Serialize(bifstream& in);

private:
    int16_t m_nCount = 0;
    DElementLoadItem* m_pItems = nullptr;
};

// Factors per load case. A factor within CombinationError of 0 removes the
// key unless keepZero is set.
class KORVA_API DNumFactors {
public:
    DNumFactors() = default;
    DNumFactors(const DNumFactors& o);
    DNumFactors(DNumFactors&& o) noexcept : m_nCount(o.m_nCount), m_pItems(o.m_pItems)
    {
        o.m_nCount = 0;
        o.m_pItems = nullptr;
    }
    ~DNumFactors();
    DNumFactors& operator=(const DNumFactors& o);
    DNumFactors& operator=(DNumFactors&& o) noexcept;
    // Equal counts and factors at the same positions within CombinationError.
    int operator==(const DNumFactors& o) const;

    int Entries() const { return m_nCount; }
    DNumFactorItem& operator[](int i) { return m_pItems[i]; }
    const DNumFactorItem& operator[](int i) const { return m_pItems[i]; }
    int Index(int16_t key) const;
    void Clear();
    int Insert(int16_t key, float factor, int keepZero);
    int Remove(int16_t key) { return Insert(key, 0.0f, 0); }

    int Serialize(bofstream& out);
    int Serialize(bifstream& in);

private:
    int16_t m_nCount = 0;
    DNumFactorItem* m_pItems = nullptr;
};

// Three weight factors per load case; all three within CombinationError
// (summed magnitudes) remove the key.
class KORVA_API DWeightFactor {
public:
    DWeightFactor() = default;
    DWeightFactor(const DWeightFactor& o);
    DWeightFactor(DWeightFactor&& o) noexcept : m_nCount(o.m_nCount), m_pItems(o.m_pItems)
    {
        o.m_nCount = 0;
        o.m_pItems = nullptr;
    }
    ~DWeightFactor();
    DWeightFactor& operator=(const DWeightFactor& o);
    DWeightFactor& operator=(DWeightFactor&& o) noexcept;
    int operator==(const DWeightFactor& o) const;

    int Entries() const { return m_nCount; }
    DWeightFactorItem& operator[](int i) { return m_pItems[i]; }
    const DWeightFactorItem& operator[](int i) const { return m_pItems[i]; }
    int Index(int16_t key) const;
    void Clear();
    int Insert(int16_t key, float a, float b, float c);
    int Remove(int16_t key) { return Insert(key, 0.0f, 0.0f, 0.0f); }

    int Serialize(bofstream& out);
    int Serialize(bifstream& in);

private:
    int16_t m_nCount = 0;
    DWeightFactorItem* m_pItems = nullptr;
};
