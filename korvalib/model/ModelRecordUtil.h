#pragma once
// Helpers shared by the model record files (not exported).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "korvalib/base/biostream.h"

namespace korva_detail {

// Reads a record into a copy and hands it over only when all of it was
// read, so a damaged record leaves the target as it was.
template <class T, class Fn>
int ReadRecord(T& target, bifstream& in, Fn readFields)
{
    if (!in.IsGood()) return 0;
    T t(target);
    readFields(t);
    if (!in.IsGood()) return 0;
    target = t;
    return 1;
}

template <class A, class B>
int AllWithin(const A* a, const B* b, int n, double tol)
{
    for (int i = 0; i < n; ++i)
        if (std::fabs(double(a[i]) - double(b[i])) > tol) return 0;
    return 1;
}

inline int Within(double a, double b, double tol) { return std::fabs(a - b) <= tol; }

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

// A copy of a text in KorvaLib's heap (null for null).
inline char* CopyText(const char* s)
{
    if (!s) return nullptr;
    size_t n = std::strlen(s) + 1;
    char* p = new char[n];
    std::memcpy(p, s, n);
    return p;
}

inline void SetText(char*& target, const char* s)
{
    if (target == s) return;
    char* p = CopyText(s);
    delete[] target;
    target = p;
}

// An array of n floats read from a file: the count is bounded by what is
// left of the file before anything is allocated.
inline float* ReadFloats(bifstream& in, int n)
{
    if (n <= 0) return nullptr;
    if (!in.CheckAvailable(int64_t(n) * 4)) return nullptr;
    float* p = new (std::nothrow) float[size_t(n)];
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
