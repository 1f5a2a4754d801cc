#pragma once
// The timing programs' clock: the best of a few runs of the same work, in
// seconds, by the performance counter.
#include <windows.h>

#include <algorithm>
#include <functional>

inline double BestSeconds(const std::function<void()>& run, int runs = 5)
{
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QueryPerformanceCounter(&a);
        run();
        QueryPerformanceCounter(&b);
        best = std::min(best, double(b.QuadPart - a.QuadPart) / f.QuadPart);
    }
    return best;
}
