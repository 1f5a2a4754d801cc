#pragma once
// The two positional block-pooled stores that complete MArrayBase:
//   MArray<T>      appends, and finds by operator==;
//   MArraySort<T>  keeps ascending order by operator<, and when filled through
//                  Add holds no two elements that its search finds equal.
// Both override only the destructor, Find and Add.
#include "containers/MArrayBase.h"

template <class T>
class MArray : public MArrayBase<T> {
public:
    MArray(int initialSize, int blockSize) : MArrayBase<T>(initialSize, blockSize) {}
    ~MArray() override = default;

    // 1-based position of the first equal element, 0 when none.
    int Find(const T& value) override
    {
        for (int i = 0; i < this->m_nCount; ++i)
            if (*this->GetAt(i) == value) return i + 1;
        return 0;
    }

    int Add(T& value) override { return this->InsertAt(this->m_nCount, value); }
    using MArrayBase<T>::Add;
};

template <class T>
class MArraySort : public MArrayBase<T> {
public:
    MArraySort(int initialSize, int blockSize) : MArrayBase<T>(initialSize, blockSize) {}
    ~MArraySort() override = default;

    int Find(const T& value) override
    {
        int low;
        return Search(value, low);
    }

    // An equal element already stored gives its position and nothing is
    // inserted; otherwise the value goes where it keeps the order.
    int Add(T& value) override
    {
        int low;
        if (const int found = Search(value, low)) return found;
        return this->InsertAt(low, value);
    }
    using MArrayBase<T>::Add;

private:
    // Binary search that moves right past smaller elements before it tests for
    // equality: 1-based position of an equal element, or 0 with `low` the
    // insertion position.
    int Search(const T& value, int& low)
    {
        low = 0;
        int high = this->m_nCount - 1;
        while (low <= high) {
            const int middle = low + (high - low) / 2;
            T& element = *this->GetAt(middle);
            if (element < value)
                low = middle + 1;
            else if (element == value)
                return middle + 1;
            else
                high = middle - 1;
        }
        return 0;
    }
};
