#pragma once
// Arrays of pointers to heap objects of a polymorphic class T. The array
// deletes the objects only in RemoveAll; its destructor and RemoveAt leave them
// alive (owners call RemoveAll before the array dies).
#include "containers/MLArray.h"

// Equality of the pointed objects: an element type with IsSame compares by it,
// any other by pointer identity. Specialise to choose otherwise.
template <class T>
struct MLArrayPtrEqual {
    static bool Equal(const T* a, const T* b)
    {
        if constexpr (requires(const T& x, const T& y) { x.IsSame(y); }) {
            if (a == b) return true;
            if (!a || !b) return false;
            return a->IsSame(*b);
        } else {
            return a == b;
        }
    }
};

template <class T, class Base = MLArrayBase<void*>>
class MLArrayPtrBase : public Base {
public:
    explicit MLArrayPtrBase(int n = 0) : Base(n) {}
    MLArrayPtrBase(const MLArrayPtrBase&) = delete;
    MLArrayPtrBase& operator=(const MLArrayPtrBase&) = delete;

    // Deletes every non-null object, then releases the buffer.
    bool RemoveAll()
    {
        for (int i = 0; i < this->m_nCount; ++i) {
            T* p = static_cast<T*>(this->m_pData[i]);
            this->m_pData[i] = nullptr;
            delete p;
        }
        const bool ok = this->SetSize(0);
        this->m_nCount = 0;
        return ok;
    }
};

template <class T>
class MLArrayPtr : public MLArrayPtrBase<T, MLArrayBase<void*>> {
public:
    explicit MLArrayPtr(int n = 0) : MLArrayPtrBase<T, MLArrayBase<void*>>(n) {}

    bool IsEqual(void* const& a, void* const& b) const override
    {
        return MLArrayPtrEqual<T>::Equal(static_cast<const T*>(a), static_cast<const T*>(b));
    }
};
