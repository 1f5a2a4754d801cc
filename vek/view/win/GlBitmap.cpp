#include "vek/view/win/GlBitmap.h"

CGlBitmap::~CGlBitmap()
{
    Destroy();
}

bool CGlBitmap::Create(int width, int height)
{
    Destroy();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;  // bottom-up
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(nullptr);
    if (!m_dc) return false;
    m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    if (!m_bitmap) {
        Destroy();
        return false;
    }
    m_old = SelectObject(m_dc, m_bitmap);
    m_width = width;
    m_height = height;
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 32;
    int format = ChoosePixelFormat(m_dc, &pfd);
    if (!format || !SetPixelFormat(m_dc, format, &pfd)) {
        // Offer every format in turn; the first accepted wins.
        const int count = DescribePixelFormat(m_dc, 1, sizeof pfd, &pfd);
        format = 0;
        for (int i = 1; i <= count && !format; ++i)
            if (DescribePixelFormat(m_dc, i, sizeof pfd, &pfd) && SetPixelFormat(m_dc, i, &pfd)) format = i;
    }
    if (!format) {
        Destroy();
        return false;
    }
    m_rc = wglCreateContext(m_dc);
    if (!m_rc || !MakeCurrent()) {
        Destroy();
        return false;
    }
    return true;
}

void CGlBitmap::Destroy()
{
    if (m_rc) {
        if (wglGetCurrentContext() == m_rc) wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(m_rc);
        m_rc = nullptr;
    }
    if (m_dc && m_old) SelectObject(m_dc, m_old);
    if (m_bitmap) DeleteObject(m_bitmap);
    if (m_dc) DeleteDC(m_dc);
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_old = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
}

bool CGlBitmap::MakeCurrent() const
{
    return m_rc && wglMakeCurrent(m_dc, m_rc);
}

const unsigned char* CGlBitmap::Row(int y) const
{
    if (!m_bits || y < 0 || y >= m_height) return nullptr;
    GdiFlush();
    return static_cast<const unsigned char*>(m_bits) + static_cast<size_t>(m_height - 1 - y) * m_width * 4;
}

COLORREF CGlBitmap::Pixel(int x, int y) const
{
    const unsigned char* row = Row(y);
    if (!row || x < 0 || x >= m_width) return CLR_INVALID;
    const unsigned char* p = row + x * 4;
    return RGB(p[2], p[1], p[0]);
}
