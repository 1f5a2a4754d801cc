#pragma once
// A picture in memory to draw on and read back, compatible with the screen
// and filled with one colour.
#include <windows.h>

namespace vektest {

class MemCanvas {
public:
    MemCanvas(int w, int h, COLORREF fill)
    {
        HDC screen = ::GetDC(nullptr);
        m_dc = ::CreateCompatibleDC(screen);
        m_bmp = ::CreateCompatibleBitmap(screen, w, h);
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_dc, m_bmp);
        RECT all{0, 0, w, h};
        HBRUSH b = ::CreateSolidBrush(fill);
        ::FillRect(m_dc, &all, b);
        ::DeleteObject(b);
    }
    ~MemCanvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bmp);
        ::DeleteDC(m_dc);
    }
    MemCanvas(const MemCanvas&) = delete;
    MemCanvas& operator=(const MemCanvas&) = delete;

    HDC dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }

private:
    HDC m_dc;
    HBITMAP m_bmp;
    HGDIOBJ m_old;
};

}  // namespace vektest
