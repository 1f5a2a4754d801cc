#pragma once
// Helpers shared by the model record files (not exported).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "korvalib/base/biostream.h"

namespace korva_detail {

// ---- Memory ----
// KorvaLib throws nothing, also when memory runs out: its allocations give
// null then. Each such failure is also counted for the thread, so that a copy
// made part by part (a record's member-wise copy) can tell afterwards whether
// every part was copied.

// Allocations that failed so far on this thread.
unsigned AllocFailures();
void CountAllocFailure();

// n zeroed items (n >= 1), or null when memory is short.
template <class T>
T* NewArray(size_t n)
{
    T* p = new (std::nothrow) T[n]();
    if (!p) CountAllocFailure();
    return p;
}

// Two arrays of n items each, both or neither.
template <class T>
int NewArrays(T*& a, T*& b, size_t n)
{
    T* p = NewArray<T>(n);
    T* q = p ? NewArray<T>(n) : nullptr;
    if (!q) {
        delete[] p;
        return 0;
    }
    a = p;
    b = q;
    return 1;
}

// A copy of n items of src in a new array for out (null for n <= 0). When
// memory is short: 0, and out untouched.
template <class T>
int CopyArray(T*& out, const T* src, int n)
{
    T* p = nullptr;
    if (n > 0) {
        p = NewArray<T>(size_t(n));
        if (!p) return 0;
        std::copy_n(src, n, p);
    }
    out = p;
    return 1;
}

// Copies of n items of a and of b, both or neither.
template <class T>
int CopyArrays(T*& outA, T*& outB, const T* a, const T* b, int n)
{
    T* p = nullptr;
    T* q = nullptr;
    if (!CopyArray(p, a, n)) return 0;
    if (!CopyArray(q, b, n)) {
        delete[] p;
        return 0;
    }
    outA = p;
    outB = q;
    return 1;
}

// Copy assignment of a record with owned parts: the copy is made aside and
// moved in only when every part was copied, so when memory runs out the
// target stays as it was.
template <class T>
T& AssignWhole(T& target, const T& src)
{
    static_assert(std::is_nothrow_move_assignable_v<T>, "moving the copy in must not allocate");
    if (&target == &src) return target;
    const unsigned failures = AllocFailures();
    T copy(src);
    if (AllocFailures() == failures) target = std::move(copy);
    return target;
}

// Reads a record into a copy and hands it over only when all of it was
// read, so a damaged record leaves the target as it was. Without memory for
// the copy the stream is marked failed.
template <class T, class Fn>
int ReadRecord(T& target, bifstream& in, Fn readFields)
{
    static_assert(std::is_nothrow_move_assignable_v<T>, "handing the record over must not allocate");
    if (!in.IsGood()) return 0;
    const unsigned failures = AllocFailures();
    T t(target);
    if (AllocFailures() != failures) {
        in.SetFailed();
        return 0;
    }
    readFields(t);
    if (!in.IsGood()) return 0;
    target = std::move(t);
    return 1;
}

template <class A, class B>
int AllWithin(const A* a, const B* b, int n, double tol)
{
    for (int i = 0; i < n; ++i)
        if (std::fabs(double(a[i]) - double(b[i])) > tol) return 0;
    return 1;
}

inline int Within(double a, double b, double tol)
{
    return std::fabs(a - b) <= tol;
}

// Skips n bytes of an older layout.
inline void Skip(bifstream& in, int n)
{
    char buf[64];
    while (n > 0 && in.IsGood()) {
        int k = n < 64 ? n : 64;
        in.Read(buf, k);
        n -= k;
    }
}

inline int EqualNoCase(const char* a, const char* b)
{
    if (!a || !b) return a == b;
    for (; *a && *b; ++a, ++b) {
        unsigned char x = (unsigned char)*a, y = (unsigned char)*b;
        if (x >= 'a' && x <= 'z') x = (unsigned char)(x - 32);
        if (y >= 'a' && y <= 'z') y = (unsigned char)(y - 32);
        if (x != y) return 0;
    }
    return *a == *b;
}

// A copy of a text in KorvaLib's heap: null for null, and null when memory
// is short.
inline char* CopyText(const char* s)
{
    if (!s) return nullptr;
    size_t n = std::strlen(s) + 1;
    char* p = NewArray<char>(n);
    if (p) std::memcpy(p, s, n);
    return p;
}

// Replaces target by a copy of s; 0 (target kept) when memory is short.
inline int SetText(char*& target, const char* s)
{
    if (target == s) return 1;
    char* p = CopyText(s);
    if (s && !p) return 0;
    delete[] target;
    target = p;
    return 1;
}

// Copy and move assignment of a record whose one owned part is its name
// (m_pName); copyFields copies the rest. The name is copied first, so
// without memory for it the record stays as it was. A null name is copied
// as an empty one.
template <class T>
T& AssignNamed(T& target, const T& src, void (T::*copyFields)(const T&))
{
    if (&target != &src && SetText(target.m_pName, src.m_pName ? src.m_pName : "")) (target.*copyFields)(src);
    return target;
}

template <class T>
T& MoveNamed(T& target, T& src, void (T::*copyFields)(const T&)) noexcept
{
    if (&target == &src) return target;
    std::swap(target.m_pName, src.m_pName);
    (target.*copyFields)(src);
    return target;
}

// An array of n floats read from a file: the count is bounded by what is
// left of the file before anything is allocated.
inline float* ReadFloats(bifstream& in, int n)
{
    if (n <= 0) return nullptr;
    if (!in.CheckAvailable(int64_t(n) * 4)) return nullptr;
    float* p = NewArray<float>(size_t(n));
    if (!p) {
        in.SetFailed();
        return nullptr;
    }
    if (!in.Read(p, n * 4)) {
        delete[] p;
        return nullptr;
    }
    return p;
}

}  // namespace korva_detail
