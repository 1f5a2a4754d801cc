#pragma once
// Snap searches at model points for the tests, on the clock the tests drive.
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OsnapState.h"

namespace optest {

inline long& FakeClock()
{
    static long now = 0;
    return now;
}

inline POINT Pixel(double x, double y, double z = 0)
{
    const double p[3] = {x, y, z};
    int sx, sy;
    theViewProjection.WorldToScreenInt(p, sx, sy);
    return POINT{sx, sy};
}

// A search at the pixel of a model point, moved by (dx, dy) pixels; the
// clock steps on so that the rate limit lets it through. The snap type, 0
// when none may be taken.
inline int SnapAt(double x, double y, int dx = 0, int dy = 0, const double* ref = nullptr)
{
    FakeClock() += 1000;
    const POINT p = Pixel(x, y);
    theOsnapState.Snap(ref, p.x + dx, p.y + dy);
    return theOsnapState.m_snapValid == 'Y' ? theOsnapState.m_type : 0;
}

inline void SnapLine(double x1, double y1, double x2, double y2)
{
    const double a[3] = {x1, y1, 0}, b[3] = {x2, y2, 0};
    theOsnapState.AddSnapLine(a, b, 0, 0);
}

}  // namespace optest
