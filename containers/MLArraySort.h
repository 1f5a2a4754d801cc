#pragma once
// Sorted flat arrays: elements kept in ascending order by a virtual less-than
// test, found by binary search, inserted at their place.
//   MLArraySort<T>       keeps every inserted element (equal ones in insertion order);
//   MLArraySortMutex<T>  keeps at most one element per key; adding an invalid
//                        element deletes the entry with its key.
#include "containers/MLArray.h"

// Order and equality used by the sorted arrays; specialise for element types
// that are compared by a key rather than by operator< and operator==.
template <class T>
struct MLArraySortOrder {
    static bool Equal(const T& a, const T& b) { return a == b; }
    static bool Less(const T& a, const T& b) { return a < b; }
};

// Validity test of MLArraySortMutex elements.
template <class T>
struct MLArraySortValid {
    static bool IsValid(const T& a) { return a.IsValid(); }
};

template <class T>
class MLArraySortBase : public MLArrayCommonBase<T> {
public:
    explicit MLArraySortBase(int n = 0) : MLArrayCommonBase<T>(n) {}
    MLArraySortBase(const MLArraySortBase& other) : MLArrayCommonBase<T>(other) {}
    MLArraySortBase& operator=(const MLArraySortBase&) = delete;

    bool InsertAt(int i, const T& value) { return this->InsertAtImpl(i, value); }

    // mode 2: test at a known position; mode 3: insertion position (after the
    // last equal element); other modes: position of the first equal element.
    bool Find(const T& value, int mode, int& index) override
    {
        const int n = this->m_nCount;
        if (mode == 2) return index >= 0 && index < n && this->IsEqual(this->m_pData[index], value);
        if (n <= 0) {
            if (mode == 3) index = 0;
            return false;
        }
        int lo = 0, hi = n - 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (IsLess(this->m_pData[mid], value))
                lo = mid + 1;
            else
                hi = mid;
        }
        if (this->IsEqual(value, this->m_pData[lo])) {
            if (mode == 3)
                while (lo < n && this->IsEqual(this->m_pData[lo], value)) ++lo;
            index = lo;
            return true;
        }
        if (mode == 3) index = IsLess(this->m_pData[lo], value) ? lo + 1 : lo;
        return false;
    }

    bool Add(const T& value) override
    {
        int index = 0;
        if (this->m_nCount > 0) Find(value, 3, index);
        return InsertAt(index, value);
    }

    virtual bool IsLess(const T& a, const T& b) const = 0;
};

template <class T>
class MLArraySort : public MLArraySortBase<T> {
public:
    explicit MLArraySort(int n = 0) : MLArraySortBase<T>(n) {}
    MLArraySort(const MLArraySort& other) : MLArraySortBase<T>(other) {}
    MLArraySort& operator=(const MLArraySort&) = delete;

    bool IsEqual(const T& a, const T& b) const override { return MLArraySortOrder<T>::Equal(a, b); }
    bool IsLess(const T& a, const T& b) const override { return MLArraySortOrder<T>::Less(a, b); }
};

template <class T>
class MLArraySortMutex : public MLArraySortBase<T> {
public:
    explicit MLArraySortMutex(int n = 0) : MLArraySortBase<T>(n) {}
    MLArraySortMutex(const MLArraySortMutex& other) : MLArraySortBase<T>(other) {}
    MLArraySortMutex& operator=(const MLArraySortMutex&) = delete;

    bool IsEqual(const T& a, const T& b) const override { return MLArraySortOrder<T>::Equal(a, b); }

    // One entry per key: a valid value replaces or inserts, an invalid one
    // removes its key's entry (false when there is none).
    bool Add(const T& value) override
    {
        int index = 0;
        const bool found = this->m_nCount > 0 && this->Find(value, 3, index);
        const bool valid = MLArraySortValid<T>::IsValid(value);
        if (found) {
            if (valid)
                this->m_pData[index - 1] = value;
            else
                this->RemoveAt(index - 1);
            return true;
        }
        if (!valid) return false;
        return this->InsertAt(index, value);
    }

    bool IsLess(const T& a, const T& b) const override { return MLArraySortOrder<T>::Less(a, b); }
};
