// CMyImage: drawing onto device contexts, the clipboard and creation from GDI
// objects. Windows only.
#include "analysis/MyImage.h"

#include <cstring>
#include <vector>

namespace {

HWND (*g_mainWindow)() = nullptr;

HWND MainWindow()
{
    HWND hwnd = g_mainWindow ? g_mainWindow() : nullptr;
    return (hwnd && IsWindow(hwnd)) ? hwnd : nullptr;
}

inline DWORD Le32(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

// A 24-bit top-down DIB section for reading and writing device pixels.
struct Buffer24 {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    BYTE* bits = nullptr;
    long stride = 0;
    bool Make(HDC ref, long w, long h)
    {
        BITMAPINFO bi;
        std::memset(&bi, 0, sizeof(bi));
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        bi.bmiHeader.biCompression = BI_RGB;
        void* p = nullptr;
        dc = CreateCompatibleDC(ref);
        if (!dc) return false;
        bmp = CreateDIBSection(ref, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        if (!bmp) return false;
        bits = (BYTE*)p;
        stride = ((w * 24 + 31) / 32) * 4;
        old = SelectObject(dc, bmp);
        return true;
    }
    ~Buffer24()
    {
        if (dc && old) SelectObject(dc, old);
        if (bmp) DeleteObject(bmp);
        if (dc) DeleteDC(dc);
    }
};

}  // namespace

// ------------------------------------------------------------------ drawing

long CMyImage::Draw(HDC hdc, long x, long y, long cx, long cy, const RECT* source, const RECT* clip)
{
    if (!m_pDib || !hdc || !cx || !cy || !m_info.bEnabled) return 0;
    const long w = m_head.biWidth, h = m_head.biHeight;
    if (cx < 0) cx = w;
    if (cy < 0) cy = h;
    RECT src = {0, 0, w, h};
    if (source) src = *source;
    const long sw = src.right - src.left, sh = src.bottom - src.top;
    if (sw <= 0 || sh <= 0) return 0;
    UpdateHeaderInBlock();
    const BITMAPINFO* bmi = (const BITMAPINFO*)m_pDib;

    const int saved = SaveDC(hdc);
    if (clip) IntersectClipRect(hdc, clip->left, clip->top, clip->right, clip->bottom);

    if (!IsTransparent()) {
        SetStretchBltMode(hdc, COLORONCOLOR);
        if (cx == sw && cy == sh)
            SetDIBitsToDevice(hdc, x, y, sw, sh, src.left, h - src.bottom, 0, h, m_info.pImage, bmi, DIB_RGB_COLORS);
        else
            StretchDIBits(hdc, x, y, cx, cy, src.left, h - src.bottom, sw, sh, m_info.pImage, bmi, DIB_RGB_COLORS,
                          SRCCOPY);
    } else {
        // Copy the visible part of the destination, lay the opaque pixels on it,
        // and put it back.
        RECT box;
        if (GetClipBox(hdc, &box) == ERROR) box = RECT{x, y, x + cx, y + cy};
        RECT dst = {x, y, x + cx, y + cy}, vis;
        if (IntersectRect(&vis, &dst, &box)) {
            const long vw = vis.right - vis.left, vh = vis.bottom - vis.top;
            Buffer24 buf;
            if (buf.Make(hdc, vw, vh) && BitBlt(buf.dc, 0, 0, vw, vh, hdc, vis.left, vis.top, SRCCOPY)) {
                GdiFlush();
                const RGBQUAD t = GetTransColor();
                const bool same = cx == sw && cy == sh;
                for (long dy = 0; dy < vh; dy++) {
                    BYTE* row = buf.bits + dy * buf.stride;
                    const long oy = vis.top + dy - y;  // from the destination's top
                    long sy;
                    if (same) {
                        sy = src.top + oy;
                    } else {
                        sy = (long)(((long long)oy * h + cy - 1) / cy);  // rounded up
                        if (sy >= h) sy = h - 1;
                    }
                    for (long dx = 0; dx < vw; dx++) {
                        const long ox = vis.left + dx - x;
                        const long sx = same ? src.left + ox : (long)((long long)ox * w / cx);
                        const RGBQUAD c = GetPixelColor(sx, h - 1 - sy);
                        if (c.rgbRed == t.rgbRed && c.rgbGreen == t.rgbGreen && c.rgbBlue == t.rgbBlue) continue;
                        row[3 * dx] = c.rgbBlue;
                        row[3 * dx + 1] = c.rgbGreen;
                        row[3 * dx + 2] = c.rgbRed;
                    }
                }
                BitBlt(hdc, vis.left, vis.top, vw, vh, buf.dc, 0, 0, SRCCOPY);
            }
        }
    }
    RestoreDC(hdc, saved);
    return 1;
}

long CMyImage::Draw(HDC hdc, const RECT* dest, const RECT* source, const RECT* clip)
{
    if (!dest) return 0;
    return Draw(hdc, dest->left, dest->top, dest->right - dest->left, dest->bottom - dest->top, source, clip);
}

long CMyImage::Draw2(HDC hdc, long x, long y, long cx, long cy, const RECT* source)
{
    if (!m_pDib || !hdc || !cx || !cy || !m_info.bEnabled) return 0;
    const long w = m_head.biWidth, h = m_head.biHeight;
    if (cx < 0) cx = w;
    if (cy < 0) cy = h;
    RECT src = {0, 0, w, h};
    if (source) src = *source;
    const long sw = src.right - src.left, sh = src.bottom - src.top;
    if (sw <= 0 || sh <= 0) return 0;
    UpdateHeaderInBlock();
    const BITMAPINFO* bmi = (const BITMAPINFO*)m_pDib;
    if (!IsTransparent()) {
        SetStretchBltMode(hdc, COLORONCOLOR);
        StretchDIBits(hdc, x, y, cx, cy, src.left, h - src.bottom, sw, sh, m_info.pImage, bmi, DIB_RGB_COLORS, SRCCOPY);
        return 1;
    }
    RECT dst = {x, y, x + cx, y + cy};
    if (!RectVisible(hdc, &dst)) return 1;
    // Picture and a monochrome mask of its transparent colour: invert, and, invert.
    HDC mem = CreateCompatibleDC(hdc);
    HDC maskDc = CreateCompatibleDC(hdc);
    HBITMAP pic = CreateCompatibleBitmap(hdc, sw, sh);
    HBITMAP mask = ::CreateBitmap(sw, sh, 1, 1, nullptr);
    HGDIOBJ oldPic = SelectObject(mem, pic);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    SetDIBitsToDevice(mem, 0, 0, sw, sh, src.left, h - src.bottom, 0, h, m_info.pImage, bmi, DIB_RGB_COLORS);
    const RGBQUAD t = GetTransColor();
    SetBkColor(mem, RGB(t.rgbRed, t.rgbGreen, t.rgbBlue));
    BitBlt(maskDc, 0, 0, sw, sh, mem, 0, 0, SRCCOPY);
    // Transparent pixels of the picture become black so the second invert restores the background.
    SetBkColor(mem, RGB(255, 255, 255));
    SetTextColor(mem, RGB(0, 0, 0));
    BitBlt(mem, 0, 0, sw, sh, maskDc, 0, 0, 0x00220326 /* DSna */);
    SetStretchBltMode(hdc, COLORONCOLOR);
    const COLORREF oldBk = SetBkColor(hdc, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0));
    StretchBlt(hdc, x, y, cx, cy, mem, 0, 0, sw, sh, SRCINVERT);
    StretchBlt(hdc, x, y, cx, cy, maskDc, 0, 0, sw, sh, SRCAND);
    StretchBlt(hdc, x, y, cx, cy, mem, 0, 0, sw, sh, SRCINVERT);
    SetBkColor(hdc, oldBk);
    SetTextColor(hdc, oldText);
    SelectObject(mem, oldPic);
    SelectObject(maskDc, oldMask);
    DeleteObject(pic);
    DeleteObject(mask);
    DeleteDC(mem);
    DeleteDC(maskDc);
    return 1;
}

long CMyImage::Draw2(HDC hdc, const RECT* dest, const RECT* source)
{
    if (!dest) return 0;
    return Draw2(hdc, dest->left, dest->top, dest->right - dest->left, dest->bottom - dest->top, source);
}

long CMyImage::Stretch(HDC hdc, long x, long y, long cx, long cy)
{
    if (!m_pDib || !hdc) return 0;
    UpdateHeaderInBlock();
    SetStretchBltMode(hdc, COLORONCOLOR);
    StretchDIBits(hdc, x, y, cx, cy, 0, 0, m_head.biWidth, m_head.biHeight, m_info.pImage, (const BITMAPINFO*)m_pDib,
                  DIB_RGB_COLORS, SRCCOPY);
    return 1;
}

long CMyImage::Stretch(HDC hdc, const RECT* dest)
{
    if (!dest) return 0;
    return Stretch(hdc, dest->left, dest->top, dest->right - dest->left, dest->bottom - dest->top);
}

long CMyImage::Tile(HDC hdc, const RECT* rect)
{
    if (!m_pDib || !hdc || !rect) return 0;
    const long w = m_head.biWidth, h = m_head.biHeight;
    if (w <= 0 || h <= 0) return 0;
    for (long y = rect->top; y < rect->bottom; y += h) {
        const long ch = rect->bottom - y < h ? rect->bottom - y : h;
        for (long x = rect->left; x < rect->right; x += w) {
            const long cw = rect->right - x < w ? rect->right - x : w;
            RECT src = {0, 0, cw, ch};
            Draw(hdc, x, y, cw, ch, &src, nullptr);
        }
    }
    return 1;
}

long CMyImage::DrawAtDlgItem(HWND hwnd, int frame, int itemId, int stretch)
{
    if (!m_pDib || !hwnd || !IsWindow(hwnd)) return 0;
    HWND item = GetDlgItem(hwnd, itemId);
    if (!item) return 0;
    RECT r;
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, hwnd, (POINT*)&r, 2);
    const long side = m_head.biHeight;
    RECT src = {0, 0, m_head.biWidth, m_head.biHeight};
    if (frame >= 0) src = RECT{side * frame, 0, side * (frame + 1), side};
    const long sw = src.right - src.left, sh = src.bottom - src.top;
    HDC dc = GetDC(hwnd);
    if (!dc) return 0;
    long res;
    if (stretch == 0) {
        const long cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        res = Draw(dc, cx - sw / 2, cy - sh / 2, sw, sh, &src, nullptr);
    } else {
        res = Draw(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, &src, nullptr);
    }
    ReleaseDC(hwnd, dc);
    return res;
}

long CMyImage::DrawTextA(HDC hdc, long x, long y, const char* text, RGBQUAD color, const char* face, long size,
                         long weight, BYTE italic, BYTE underline)
{
    if (!m_pDib || !text) return 0;
    HDC screen = nullptr;
    if (!hdc) hdc = screen = GetDC(nullptr);
    char name[32] = {0};
    if (face) std::strncpy(name, face, 31);
    HFONT font = CreateFontA(size, 0, 0, 0, weight, italic, underline, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name);
    HDC mem = CreateCompatibleDC(hdc);
    HGDIOBJ oldFont = SelectObject(mem, font);
    const int len = (int)std::strlen(text);
    SIZE ext = {0, 0};
    GetTextExtentPoint32A(mem, text, len, &ext);
    long res = 0;
    if (ext.cx > 0 && ext.cy > 0) {
        Buffer24 buf;
        if (buf.Make(hdc, ext.cx, ext.cy)) {
            HGDIOBJ f2 = SelectObject(buf.dc, font);
            std::memset(buf.bits, 0, (size_t)buf.stride * ext.cy);
            SetBkMode(buf.dc, TRANSPARENT);
            SetTextColor(buf.dc, RGB(255, 255, 255));
            TextOutA(buf.dc, 0, 0, text, len);
            GdiFlush();
            for (long py = 0; py < ext.cy; py++)
                for (long px = 0; px < ext.cx; px++) {
                    const BYTE* p = buf.bits + py * buf.stride + 3 * px;
                    if (p[0] > 127 || p[1] > 127 || p[2] > 127)
                        SetPixelColor(x + px, m_head.biHeight - 1 - (y + py), color);
                }
            SelectObject(buf.dc, f2);
            res = 1;
        }
    }
    SelectObject(mem, oldFont);
    DeleteDC(mem);
    DeleteObject(font);
    if (screen) ReleaseDC(nullptr, screen);
    return res;
}

HBITMAP CMyImage::CreateBitmap(HDC hdc)
{
    if (!m_pDib) return nullptr;
    UpdateHeaderInBlock();
    HDC screen = nullptr;
    if (!hdc) hdc = screen = GetDC(nullptr);
    HBITMAP bmp = CreateDIBitmap(hdc, &m_head, CBM_INIT, m_info.pImage, (const BITMAPINFO*)m_pDib, DIB_RGB_COLORS);
    if (screen) ReleaseDC(nullptr, screen);
    return bmp;
}

long CMyImage::CopyToCBitmap(HDC hdc, HBITMAP* bitmap)
{
    if (!m_pDib || !hdc || !bitmap) return 0;
    if (!*bitmap) *bitmap = CreateCompatibleBitmap(hdc, m_head.biWidth, m_head.biHeight);
    if (!*bitmap) return 0;
    UpdateHeaderInBlock();
    return SetDIBits(hdc, *bitmap, 0, (UINT)m_head.biHeight, m_info.pImage, (const BITMAPINFO*)m_pDib, DIB_RGB_COLORS) >
           0;
}

// ---------------------------------------------------------------- clipboard

void CMyImage::SetMainWindowSource(HWND (*source)())
{
    g_mainWindow = source;
}

HANDLE CMyImage::CopyToHandle() const
{
    if (!m_pDib) return nullptr;
    const DWORD size = GetSize();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!h) return nullptr;
    void* p = GlobalLock(h);
    if (!p) {
        GlobalFree(h);
        return nullptr;
    }
    std::memcpy(p, m_pDib, size);
    std::memcpy(p, &m_head, sizeof(m_head));
    GlobalUnlock(h);
    return h;
}

bool CMyImage::CopyToClipboard()
{
    HWND hwnd = MainWindow();
    if (!hwnd || !m_pDib) return false;
    HANDLE h = CopyToHandle();
    if (!h) return false;
    if (!OpenClipboard(hwnd)) {
        GlobalFree(h);
        return false;
    }
    EmptyClipboard();
    const bool ok = SetClipboardData(CF_DIB, h) != nullptr;
    CloseClipboard();
    if (!ok) GlobalFree(h);
    return ok;
}

bool CMyImage::CopyBitmapToClipboard(HBITMAP bitmap, HPALETTE palette)
{
    HWND hwnd = MainWindow();
    if (!hwnd || !bitmap) return false;
    if (!OpenClipboard(hwnd)) return false;
    EmptyClipboard();
    if (palette) SetClipboardData(CF_PALETTE, palette);
    const bool ok = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    CloseClipboard();
    return ok;
}

bool CMyImage::CopyDCToClipboard(HDC hdc, const RECT& rect)
{
    if (!hdc || !MainWindow()) return false;
    const long w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return false;
    HDC mem = CreateCompatibleDC(hdc);
    HBITMAP bmp = CreateCompatibleBitmap(hdc, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, hdc, rect.left, rect.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    if (!CopyBitmapToClipboard(bmp, nullptr)) {
        DeleteObject(bmp);
        return false;
    }
    return true;
}

bool CMyImage::CopyFromClipboard()
{
    HWND hwnd = MainWindow();
    if (!hwnd) return false;
    if (!OpenClipboard(hwnd)) return false;
    bool ok = false;
    HANDLE h = GetClipboardData(CF_DIB);
    if (h) ok = CreateFromHANDLE(h);
    CloseClipboard();
    return ok;
}

// ------------------------------------------------------- creation from GDI

bool CMyImage::CreateFromHBITMAP(HBITMAP bitmap)
{
    Destroy();
    if (!bitmap) return false;
    BITMAP bm;
    if (!GetObject(bitmap, sizeof(bm), &bm)) return false;
    if (!Create((DWORD)bm.bmWidth, (DWORD)bm.bmHeight, bm.bmBitsPixel, CMYIMAGE_FORMAT_UNKNOWN)) return false;
    HDC dc = GetDC(nullptr);
    BITMAPINFOHEADER head = m_head;
    std::memcpy(m_pDib, &head, sizeof(head));
    const int lines =
        GetDIBits(dc, bitmap, 0, (UINT)m_head.biHeight, m_info.pImage, (BITMAPINFO*)m_pDib, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    UpdateHeaderInBlock();  // GetDIBits may have changed the header in the block
    m_info.last_c_isvalid = false;
    return lines > 0;
}

bool CMyImage::CreateFromHICON(HICON icon)
{
    Destroy();
    if (!icon) return false;
    ICONINFO ii;
    if (!GetIconInfo(icon, &ii)) return false;
    const bool ok = CreateFromHBITMAP(ii.hbmColor ? ii.hbmColor : ii.hbmMask);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    return ok;
}

bool CMyImage::CreateFromHANDLE(HANDLE handle)
{
    Destroy();
    if (!handle) return false;
    const SIZE_T size = GlobalSize(handle);
    const BYTE* p = (const BYTE*)GlobalLock(handle);
    if (!p) return false;
    const bool ok = CreateFromPackedDIB(p, size);
    GlobalUnlock(handle);
    return ok;
}

bool CMyImage::CreateFromPackedDIB(const BYTE* dib, size_t size)
{
    Destroy();
    if (!dib || size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, dib, sizeof(bih));
    // The header, masks and palette must lie inside the block.
    if (bih.biSize < sizeof(BITMAPINFOHEADER) || bih.biSize > size) return false;
    const WORD bits = bih.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (bih.biWidth <= 0 || bih.biHeight == 0 || bih.biHeight == (LONG)0x80000000) return false;
    const bool fields = bih.biCompression == BI_BITFIELDS;
    if (bih.biCompression != BI_RGB && !(fields && (bits == 16 || bits == 32))) return false;
    const bool topDown = bih.biHeight < 0;
    const uint64_t w = (uint64_t)bih.biWidth, h = (uint64_t)(topDown ? -(int64_t)bih.biHeight : bih.biHeight);
    uint64_t offset = bih.biSize;
    DWORD masks[3] = {0, 0, 0};
    if (fields) {
        if (bih.biSize == sizeof(BITMAPINFOHEADER)) {
            if (offset + 12 > size) return false;
            offset += 12;
        }
        masks[0] = Le32(dib + 40);
        masks[1] = Le32(dib + 44);
        masks[2] = Le32(dib + 48);
    }
    uint64_t entries = bih.biClrUsed;
    if (bits <= 8 && entries == 0) entries = 1u << bits;
    if (entries > 0x10000 || offset + entries * 4 > size) return false;
    const uint64_t palOffset = offset;
    offset += entries * 4;
    const uint64_t row = ((w * bits + 31) / 32) * 4;
    if (row * h > size - offset) return false;

    if (!Create((DWORD)w, (DWORD)h, bits, CMYIMAGE_FORMAT_UNKNOWN)) return false;
    if (bih.biXPelsPerMeter > 0) SetXDPI((int32_t)(bih.biXPelsPerMeter * 254.0 / 10000 + 0.5));
    if (bih.biYPelsPerMeter > 0) SetYDPI((int32_t)(bih.biYPelsPerMeter * 254.0 / 10000 + 0.5));
    if (IsIndexed()) {
        const uint64_t keep = entries < GetNumColors() ? entries : GetNumColors();
        std::memcpy(GetPalette(), dib + palOffset, (size_t)keep * 4);
    }
    const BYTE* rows = dib + offset;
    if (bits <= 8 || bits == 24) {
        for (uint64_t y = 0; y < h; y++)
            std::memcpy(m_info.pImage + (size_t)y * m_info.dwEffWidth, rows + (size_t)(topDown ? h - 1 - y : y) * row,
                        (size_t)row);
    } else {
        std::vector<BYTE> src((size_t)(row * h));
        for (uint64_t y = 0; y < h; y++)
            std::memcpy(src.data() + (size_t)y * row, rows + (size_t)(topDown ? h - 1 - y : y) * row, (size_t)row);
        if (bits == 16 && !fields) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        }
        Bitfield2RGB(src.data(), masks[0], masks[1], masks[2], (BYTE)bits);
    }
    UpdateHeaderInBlock();
    m_info.last_c_isvalid = false;
    return true;
}

bool CMyImage::LoadFromDC(HDC hdc, const RECT& rect)
{
    if (!hdc) return false;
    const long w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return false;
    HDC mem = CreateCompatibleDC(hdc);
    HBITMAP bmp = CreateCompatibleBitmap(hdc, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, hdc, rect.left, rect.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    const bool ok = CreateFromHBITMAP(bmp);
    DeleteObject(bmp);
    return ok;
}
