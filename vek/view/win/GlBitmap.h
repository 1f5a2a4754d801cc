#pragma once
// An OpenGL picture in memory: a bottom-up 32-bit DIB section selected into
// a memory DC with a bitmap pixel format and a rendering context. (GL drawn
// into a bitmap made with CreateCompatibleBitmap lands upside down under
// some drivers; a DIB section is right on all.)
#include <windows.h>

class CGlBitmap {
public:
    CGlBitmap() = default;
    ~CGlBitmap();
    CGlBitmap(const CGlBitmap&) = delete;
    CGlBitmap& operator=(const CGlBitmap&) = delete;

    // Makes the bitmap, the DC and the context, and makes the context current.
    bool Create(int width, int height);
    void Destroy();
    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool MakeCurrent() const;
    // The pixel at (x, y), y counted from the top, as 0x00BBGGRR.
    COLORREF Pixel(int x, int y) const;
    // Rows top first, 4 bytes a pixel (blue, green, red, unused).
    const unsigned char* Row(int y) const;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    HGLRC m_rc = nullptr;
    void* m_bits = nullptr;
    int m_width = 0, m_height = 0;
};
