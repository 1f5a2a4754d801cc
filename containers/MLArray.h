#pragma once
// Flat growable arrays: a contiguous buffer of constructed elements that grows
// by doubling, addressed by index, searched through a virtual equality test.
//
// Elements move only by assignment, never by raw memory copy. Every slot of the
// buffer, used or not, holds a constructed element.
#include <climits>
#include <new>

// Element equality used by MLArray<T>::IsEqual; specialise for element types
// whose equality is not operator==.
template <class T>
struct MLArrayEqual {
    static bool Equal(const T& a, const T& b) { return a == b; }
};

template <class T>
class MLArrayBareBase {
public:
    explicit MLArrayBareBase(int n = 0)
    {
        if (n >= 1) {
            m_pData = new (std::nothrow) T[n];
            m_nCapacity = m_pData ? n : 0;
        }
    }
    MLArrayBareBase(const MLArrayBareBase& other) { CopyBuffer(other); }
    MLArrayBareBase& operator=(const MLArrayBareBase&) = delete;
    virtual ~MLArrayBareBase() { delete[] m_pData; }

    // Reallocates to exactly n slots; false (array unchanged) when the
    // allocation fails. Copies min(n, old capacity) slots, used or not.
    bool SetSize(int n)
    {
        T* p = nullptr;
        if (n >= 1) {
            p = new (std::nothrow) T[n];
            if (!p) return false;
            const int keep = n < m_nCapacity ? n : m_nCapacity;
            for (int i = 0; i < keep; ++i) p[i] = m_pData[i];
        }
        delete[] m_pData;
        m_pData = p;
        m_nCapacity = n >= 1 ? n : 0;
        return true;
    }

    int GetCapacity() const { return m_nCapacity; }

protected:
    // Takes the other's capacity and assigns all its slots; on allocation
    // failure the array is left without a buffer. Returns whether a buffer exists.
    bool CopyBuffer(const MLArrayBareBase& other)
    {
        m_pData = nullptr;
        m_nCapacity = 0;
        if (other.m_nCapacity >= 1) {
            m_pData = new (std::nothrow) T[other.m_nCapacity];
            if (!m_pData) return false;
            m_nCapacity = other.m_nCapacity;
            for (int i = 0; i < m_nCapacity; ++i) m_pData[i] = other.m_pData[i];
        }
        return m_pData != nullptr;
    }

    T* m_pData = nullptr;
    int m_nCapacity = 0;
};

template <class T>
class MLArrayCommonBase : public MLArrayBareBase<T> {
public:
    explicit MLArrayCommonBase(int n = 0) : MLArrayBareBase<T>(n) {}
    MLArrayCommonBase(const MLArrayCommonBase& other) : MLArrayBareBase<T>(other)
    {
        m_nCount = this->m_pData ? other.m_nCount : 0;
    }
    MLArrayCommonBase& operator=(const MLArrayCommonBase&) = delete;

    virtual bool IsEqual(const T& a, const T& b) const = 0;
    virtual bool Find(const T& value, int mode, int& index) = 0;
    virtual bool Add(const T& value) = 0;

    bool SetSize(int n)
    {
        if (!MLArrayBareBase<T>::SetSize(n)) return false;
        if (m_nCount > this->m_nCapacity) m_nCount = this->m_nCapacity;
        return true;
    }

    int GetSize() const { return m_nCount; }
    int GetCount() const { return m_nCount; }

    // Clamps an index into the used range. On an empty array the first slot is
    // brought into use (growing to one slot when there is none); -1 when that
    // growth fails.
    int ValidIndex(int i)
    {
        if (i >= 0 && i < m_nCount) return i;
        if (m_nCount > 0) return i >= m_nCount ? m_nCount - 1 : 0;
        if (this->m_nCapacity == 0 && !SetSize(1)) return -1;
        m_nCount = 1;
        return 0;
    }

    // Never fails for a valid array; out-of-range indices give the first or last
    // element. An empty array that cannot get its one slot throws bad_alloc,
    // since there is no element whose address could be returned.
    T* GetAt(int i)
    {
        const int k = ValidIndex(i);
        if (k < 0) throw std::bad_alloc();
        return &this->m_pData[k];
    }

    void RemoveAtIndex(int i)
    {
        for (int j = i; j < m_nCount - 1; ++j) this->m_pData[j] = this->m_pData[j + 1];
        --m_nCount;
    }

    bool RemoveAt(int i)
    {
        if (m_nCount == 0) return false;
        RemoveAtIndex(ValidIndex(i));
        return true;
    }

    void Copy(const MLArrayCommonBase& other)
    {
        if (&other == this) return;
        SetSize(0);
        m_nCount = this->CopyBuffer(other) ? other.m_nCount : 0;
    }

protected:
    // Insertion shared by the plain and the sorted arrays.
    bool InsertAtImpl(int i, const T& value)
    {
        if (i > m_nCount) i = m_nCount;
        if (i < 0) i = 0;
        if (m_nCount == this->m_nCapacity) {
            // The value may live in this array's buffer; keep it across the growth.
            const T keep = value;
            if (this->m_nCapacity > INT_MAX / 2) return false;
            if (!SetSize(this->m_nCapacity < 1 ? 10 : this->m_nCapacity * 2)) return false;
            return PlaceAt(i, keep);
        }
        if (&value >= this->m_pData && &value < this->m_pData + m_nCount) {
            const T keep = value;
            return PlaceAt(i, keep);
        }
        return PlaceAt(i, value);
    }

    int m_nCount = 0;

private:
    bool PlaceAt(int i, const T& value)
    {
        for (int j = m_nCount - 1; j >= i; --j) this->m_pData[j + 1] = this->m_pData[j];
        this->m_pData[i] = value;
        ++m_nCount;
        return true;
    }
};

template <class T>
class MLArrayBase : public MLArrayCommonBase<T> {
public:
    explicit MLArrayBase(int n = 0) : MLArrayCommonBase<T>(n) {}
    MLArrayBase(const MLArrayBase& other) : MLArrayCommonBase<T>(other) {}
    MLArrayBase& operator=(const MLArrayBase&) = delete;

    bool InsertAt(int i, const T& value) { return this->InsertAtImpl(i, value); }

    // Linear search from index (a negative start counts as 0); mode is unused.
    bool Find(const T& value, int mode, int& index) override
    {
        (void)mode;
        for (int j = index < 0 ? 0 : index; j < this->m_nCount; ++j) {
            if (this->IsEqual(this->m_pData[j], value)) {
                index = j;
                return true;
            }
        }
        return false;
    }

    bool Add(const T& value) override { return InsertAt(this->m_nCount, value); }
};

template <class T>
class MLArray : public MLArrayBase<T> {
public:
    explicit MLArray(int n = 0) : MLArrayBase<T>(n) {}
    MLArray(const MLArray& other) : MLArrayBase<T>(other) {}
    MLArray& operator=(const MLArray&) = delete;

    bool IsEqual(const T& a, const T& b) const override { return MLArrayEqual<T>::Equal(a, b); }
};
