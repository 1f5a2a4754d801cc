#include "analysis/BufferDC.h"

#include <algorithm>

namespace {

// One memory context and bitmap per thread, kept from one drawing to the
// next: making them for every control and item costs more than the drawing.
// The bitmap grows to the largest rectangle asked for.
struct BufferCache {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    int width = 0, height = 0, bits = 0;
    bool busy = false;

    ~BufferCache() { Free(); }
    void Free()
    {
        if (dc) {
            ::SelectObject(dc, oldBitmap);
            ::DeleteDC(dc);
        }
        if (bitmap) ::DeleteObject(bitmap);
        dc = nullptr;
        bitmap = nullptr;
        width = height = bits = 0;
    }
    // The cached context for a destination, or null when it cannot serve it.
    HDC Take(HDC dest, int w, int h)
    {
        if (busy) return nullptr;  // a drawing inside a drawing gets its own
        const int destBits = BitsPerPixel(dest);
        if (!dc || destBits != bits || w > width || h > height) {
            HDC mem = ::CreateCompatibleDC(dest);
            HBITMAP bmp = mem ? ::CreateCompatibleBitmap(dest, std::max(w, width), std::max(h, height)) : nullptr;
            if (!bmp) {
                if (mem) ::DeleteDC(mem);
                return nullptr;
            }
            const int newWidth = std::max(w, width), newHeight = std::max(h, height);
            Free();
            dc = mem;
            bitmap = bmp;
            oldBitmap = ::SelectObject(dc, bitmap);
            width = newWidth;
            height = newHeight;
            bits = destBits;
        }
        busy = true;
        return dc;
    }
};

thread_local BufferCache t_cache;

}  // namespace

int BitsPerPixel(HDC dc)
{
    // Asking the device is slow on some systems: a memory context has the
    // depth of its bitmap, a window's context that of the screen.
    if (::GetObjectType(dc) == OBJ_MEMDC) {
        BITMAP bm{};
        if (::GetObjectA(::GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm)) return bm.bmBitsPixel * bm.bmPlanes;
    }
    static const int screen = [] {
        HDC s = ::GetDC(nullptr);
        const int bits = ::GetDeviceCaps(s, BITSPIXEL) * ::GetDeviceCaps(s, PLANES);
        ::ReleaseDC(nullptr, s);
        return bits;
    }();
    return screen;
}

CBufferDC::CBufferDC(HDC dest, const RECT* rect) : m_hDest(dest)
{
    if (rect && !CRect(rect).IsRectEmpty())
        m_rect = *rect;
    else
        ::GetClipBox(dest, &m_rect);
    // The bitmap is drawn from its top-left corner: the window origin keeps
    // the destination's coordinates, so an item far down a long menu costs no
    // more than the first one.
    if (HDC cached = m_rect.IsRectEmpty() ? nullptr : t_cache.Take(dest, m_rect.Width(), m_rect.Height())) {
        m_nSavedDC = ::SaveDC(cached);
        ::SetWindowOrgEx(cached, m_rect.left, m_rect.top, nullptr);
        ::IntersectClipRect(cached, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
        m_hBitmap = t_cache.bitmap;
        m_bCached = true;
        m_hDC = m_hAttribDC = cached;
        return;
    }
    HDC mem = m_rect.IsRectEmpty() ? nullptr : ::CreateCompatibleDC(dest);
    HBITMAP bmp = mem ? ::CreateCompatibleBitmap(dest, m_rect.Width(), m_rect.Height()) : nullptr;
    if (!bmp) {
        if (mem) ::DeleteDC(mem);
        m_hDC = m_hAttribDC = dest;  // drawn straight on the destination
        return;
    }
    m_hBitmap = bmp;
    m_hOldBitmap = ::SelectObject(mem, bmp);
    ::SetWindowOrgEx(mem, m_rect.left, m_rect.top, nullptr);
    m_hDC = m_hAttribDC = mem;
}

CBufferDC::~CBufferDC()
{
    if (m_bCached) {
        ::BitBlt(m_hDest, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
        ::RestoreDC(m_hDC, m_nSavedDC);  // as it was: no origin, clip or objects left behind
        t_cache.busy = false;
    } else if (m_hBitmap) {
        ::BitBlt(m_hDest, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    m_hDC = m_hAttribDC = nullptr;
}

CPenSelector::CPenSelector(CDC& dc, COLORREF color) : m_hDC(dc.m_hDC)
{
    m_hPen = ::CreatePen(PS_SOLID, 1, color);
    m_hOld = ::SelectObject(m_hDC, m_hPen);
}

CPenSelector::~CPenSelector()
{
    ::SelectObject(m_hDC, m_hOld);
    ::DeleteObject(m_hPen);
}

void CPenSelector::Color(COLORREF color)
{
    HPEN pen = ::CreatePen(PS_SOLID, 1, color);
    ::SelectObject(m_hDC, pen);
    ::DeleteObject(m_hPen);
    m_hPen = pen;
}

CBrushSelector::CBrushSelector(CDC& dc, COLORREF color) : m_hDC(dc.m_hDC)
{
    m_hBrush = color == CLR_NONE ? nullptr : ::CreateSolidBrush(color);
    m_hOld = ::SelectObject(m_hDC, m_hBrush ? static_cast<HGDIOBJ>(m_hBrush) : ::GetStockObject(NULL_BRUSH));
}

CBrushSelector::~CBrushSelector()
{
    ::SelectObject(m_hDC, m_hOld);
    if (m_hBrush) ::DeleteObject(m_hBrush);
}

void CBrushSelector::Color(COLORREF color)
{
    HBRUSH brush = color == CLR_NONE ? nullptr : ::CreateSolidBrush(color);
    ::SelectObject(m_hDC, brush ? static_cast<HGDIOBJ>(brush) : ::GetStockObject(NULL_BRUSH));
    if (m_hBrush) ::DeleteObject(m_hBrush);
    m_hBrush = brush;
}

CStockSelector::CStockSelector(CDC& dc, int stockObject, COLORREF textColor) : m_hDC(dc.m_hDC)
{
    m_hOld = ::SelectObject(m_hDC, ::GetStockObject(stockObject));
    if (textColor != KeepTextColor) TextColor(textColor);
}

CStockSelector::~CStockSelector()
{
    ::SelectObject(m_hDC, m_hOld);
    if (m_oldText != KeepTextColor) ::SetTextColor(m_hDC, m_oldText);
}

void CStockSelector::Object(int stockObject)
{
    ::SelectObject(m_hDC, ::GetStockObject(stockObject));
}

void CStockSelector::TextColor(COLORREF color)
{
    const COLORREF old = ::SetTextColor(m_hDC, color);
    if (m_oldText == KeepTextColor) m_oldText = old;
}

CBoldSelector::CBoldSelector(CDC& dc, bool bold) : m_hDC(dc.m_hDC)
{
    LOGFONTA lf{};
    if (!::GetObjectA(::GetCurrentObject(m_hDC, OBJ_FONT), sizeof lf, &lf)) return;
    const LONG want = bold ? FW_BOLD : FW_NORMAL;
    if ((lf.lfWeight >= FW_BOLD) == bold) return;
    lf.lfWeight = want;
    m_hFont = ::CreateFontIndirectA(&lf);
    if (m_hFont) m_hOld = ::SelectObject(m_hDC, m_hFont);
}

CBoldSelector::~CBoldSelector()
{
    if (m_hFont) {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hFont);
    }
}

void DrawArrow(CDC& dc, int x, int y, int lines, bool down)
{
    for (int i = 0; i < lines; ++i) {
        const int row = down ? y - i : y + i;
        dc.MoveTo(x - i, row);
        dc.LineTo(x + i + 1, row);
    }
}

void DrawSilhouette(CDC& dc, HIMAGELIST images, int index, int x, int y, COLORREF color)
{
    HICON icon = ImageList_GetIcon(images, index, ILD_NORMAL);
    if (!icon) return;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    HBRUSH brush = ::CreateSolidBrush(color);
    ::DrawStateA(dc.m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, cx, cy, DST_ICON | DSS_MONO);
    ::DeleteObject(brush);
    ::DestroyIcon(icon);
}

HBITMAP CopyScreenRect(const RECT& rect)
{
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return nullptr;
    HDC screen = ::GetDC(nullptr);
    if (!screen) return nullptr;
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = mem ? ::CreateCompatibleBitmap(screen, w, h) : nullptr;
    if (bmp) {
        HGDIOBJ old = ::SelectObject(mem, bmp);
        ::BitBlt(mem, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
        ::SelectObject(mem, old);
    }
    if (mem) ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return bmp;
}
