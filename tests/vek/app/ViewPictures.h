#pragma once
// The view's picture in window tests: kept as a PNG among the build's
// artifacts, and its pixels asked whether anything is drawn near a point.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Image.h"
#include "vek/view/win/VekView.h"

namespace apptest {

// The view's back buffer as artifacts/<name>.png.
inline void SaveViewPicture(CVekView* view, const char* name)
{
    ::GdiFlush();
    CImage image;
    image.Attach(view->GetBackBitmap());
    image.Save((std::string(VEK_ARTIFACTS) + "/" + name + ".png").c_str());
    image.Detach();
}

// Whether anything but the background (the first pixel's colour) lies within
// d pixels of (x, y) in a w x h picture of 0xRRGGBB values.
inline bool DrawnNear(const std::vector<uint32_t>& px, int w, int h, int x, int y, int d)
{
    const uint32_t back = px[0] & 0xFFFFFF;
    for (int yy = std::max(0, y - d); yy <= std::min(h - 1, y + d); ++yy)
        for (int xx = std::max(0, x - d); xx <= std::min(w - 1, x + d); ++xx)
            if ((px[size_t(yy) * size_t(w) + size_t(xx)] & 0xFFFFFF) != back) return true;
    return false;
}

}  // namespace apptest
