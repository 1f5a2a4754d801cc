#pragma once
// Device contexts, GDI objects, image lists and menus.
#include "framework/Geometry.h"
#include "framework/Object.h"
#include "framework/String.h"

#include <windows.h>
#include <commctrl.h>

#undef CopyRgn

class CWnd;
class CDC;
class CPen;
class CBrush;
class CFont;
class CBitmap;
class CRgn;
class CPalette;
class CGdiObject;

class FW_API CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    ~CGdiObject() override { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Temporary wrappers (not owning) live until the next idle time.
    static CGdiObject* FromHandle(HGDIOBJ h);
    static void DeleteTempMap();
    BOOL Attach(HGDIOBJ h);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // The handle of an object that may be null (a null handle then).
    static HGDIOBJ GetSafeHandle(const CGdiObject* obj) { return obj ? obj->m_hObject : nullptr; }
    int GetObject(int size, LPVOID out) const { return ::GetObjectA(m_hObject, size, out); }
    BOOL CreateStockObject(int index);
    operator HGDIOBJ() const { return m_hObject; }
};

class FW_API CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
    BOOL CreatePenIndirect(LOGPEN* lp) { return Attach(::CreatePenIndirect(lp)); }
    BOOL CreatePen(int style, int width, const LOGBRUSH* lb, int styleCount = 0, const DWORD* styles = nullptr)
    {
        return Attach(::ExtCreatePen(static_cast<DWORD>(style), static_cast<DWORD>(width), lb,
                                     static_cast<DWORD>(styleCount), styles));
    }
    int GetLogPen(LOGPEN* lp) { return GetObject(sizeof(LOGPEN), lp); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN h) { return static_cast<CPen*>(CGdiObject::FromHandle(h)); }
};

class FW_API CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
    explicit CBrush(CBitmap* bitmap);
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    BOOL CreateHatchBrush(int hatch, COLORREF color) { return Attach(::CreateHatchBrush(hatch, color)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* lb) { return Attach(::CreateBrushIndirect(lb)); }
    BOOL CreatePatternBrush(CBitmap* bitmap);
    BOOL CreateSysColorBrush(int index) { return Attach(::CreateSolidBrush(::GetSysColor(index))); }
    int GetLogBrush(LOGBRUSH* lb) { return GetObject(sizeof(LOGBRUSH), lb); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH h) { return static_cast<CBrush*>(CGdiObject::FromHandle(h)); }
};

class FW_API CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    BOOL CreateFontIndirect(const LOGFONT* lf) { return Attach(::CreateFontIndirectA(lf)); }
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, LPCTSTR face)
    {
        return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                    charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face));
    }
    // Height in tenths of a point, as in a font dialog.
    BOOL CreatePointFont(int pointSize, LPCTSTR face, CDC* dc = nullptr);
    int GetLogFont(LOGFONT* lf) { return GetObject(sizeof(LOGFONT), lf); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT h) { return static_cast<CFont*>(CGdiObject::FromHandle(h)); }
};

class FW_API CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    BOOL LoadBitmap(UINT id);
    BOOL LoadBitmap(LPCTSTR name);
    BOOL LoadOEMBitmap(UINT id) { return Attach(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(id))); }
    BOOL CreateBitmap(int w, int h, UINT planes, UINT bpp, const void* bits)
    {
        return Attach(::CreateBitmap(w, h, planes, bpp, bits));
    }
    BOOL CreateBitmapIndirect(LPBITMAP bm) { return Attach(::CreateBitmapIndirect(bm)); }
    BOOL CreateCompatibleBitmap(CDC* dc, int w, int h);
    BOOL CreateDiscardableBitmap(CDC* dc, int w, int h) { return CreateCompatibleBitmap(dc, w, h); }
    int GetBitmap(BITMAP* bm) { return GetObject(sizeof(BITMAP), bm); }
    CSize GetBitmapDimension() const;
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP h) { return static_cast<CBitmap*>(CGdiObject::FromHandle(h)); }
};

class FW_API CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    BOOL CreateRectRgn(int l, int t, int r, int b) { return Attach(::CreateRectRgn(l, t, r, b)); }
    BOOL CreateRectRgnIndirect(LPCRECT r) { return Attach(::CreateRectRgnIndirect(r)); }
    BOOL CreateEllipticRgn(int l, int t, int r, int b) { return Attach(::CreateEllipticRgn(l, t, r, b)); }
    BOOL CreateRoundRectRgn(int l, int t, int r, int b, int w, int h)
    {
        return Attach(::CreateRoundRectRgn(l, t, r, b, w, h));
    }
    BOOL CreatePolygonRgn(const POINT* pts, int count, int mode)
    {
        return Attach(::CreatePolygonRgn(pts, count, mode));
    }
    int CombineRgn(const CRgn* a, const CRgn* b, int mode)
    {
        return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(a->m_hObject),
                            b ? static_cast<HRGN>(b->m_hObject) : nullptr, mode);
    }
    int CopyRgn(const CRgn* src) { return CombineRgn(src, nullptr, RGN_COPY); }
    void SetRectRgn(int l, int t, int r, int b) { ::SetRectRgn(static_cast<HRGN>(m_hObject), l, t, r, b); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y); }
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    int GetRgnBox(LPRECT r) const { return ::GetRgnBox(static_cast<HRGN>(m_hObject), r); }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn(static_cast<HRGN>(m_hObject), dx, dy); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    static CRgn* FromHandle(HRGN h) { return static_cast<CRgn*>(CGdiObject::FromHandle(h)); }
};

class FW_API CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
public:
    BOOL CreatePalette(LPLOGPALETTE lp) { return Attach(::CreatePalette(lp)); }
    BOOL CreateHalftonePalette(CDC* dc);
    UINT GetEntryCount() const
    {
        WORD n = 0;
        ::GetObjectA(m_hObject, sizeof n, &n);
        return n;
    }
    UINT GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY out) const
    {
        return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), start, count, out);
    }
    UINT SetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY in)
    {
        return ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), start, count, in);
    }
    UINT GetNearestPaletteIndex(COLORREF c) const
    {
        return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), c);
    }
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
    static CPalette* FromHandle(HPALETTE h) { return static_cast<CPalette*>(CGdiObject::FromHandle(h)); }
};

class FW_API CDC : public CObject {
    DECLARE_DYNCREATE(CDC)
public:
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    static CDC* FromHandle(HDC h);
    static void DeleteTempMap();
    BOOL Attach(HDC h);
    HDC Detach();
    BOOL DeleteDC();
    HDC GetSafeHdc() const { return m_hDC; }
    // The handle of a device context object that may be null (a null handle then).
    static HDC GetSafeHdc(const CDC* dc) { return dc ? dc->m_hDC : nullptr; }
    operator HDC() const { return m_hDC; }
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* initData);
    BOOL IsPrinting() const { return m_bPrinting; }
    CWnd* GetWindow() const;

    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    // Selection: returns the object selected before (a temporary wrapper).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* rgn);
    CGdiObject* SelectStockObject(int index);
    HGDIOBJ SelectObject(HGDIOBJ h) { return ::SelectObject(m_hDC, h); }
    CPalette* SelectPalette(CPalette* pal, BOOL forceBackground);
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    CPen* GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN))); }
    CBrush* GetCurrentBrush() const
    {
        return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
    }
    CFont* GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }
    CBitmap* GetCurrentBitmap() const
    {
        return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
    }

    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    int SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
    int GetROP2() const { return ::GetROP2(m_hDC); }
    UINT SetTextAlign(UINT flags) { return ::SetTextAlign(m_hDC, flags); }
    UINT GetTextAlign() const { return ::GetTextAlign(m_hDC); }
    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }
    int SetPolyFillMode(int mode) { return ::SetPolyFillMode(m_hDC, mode); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
    CPoint SetViewportOrg(int x, int y)
    {
        POINT p{};
        ::SetViewportOrgEx(m_hDC, x, y, &p);
        return p;
    }
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const
    {
        POINT p{};
        ::GetViewportOrgEx(m_hDC, &p);
        return p;
    }
    CPoint SetWindowOrg(int x, int y)
    {
        POINT p{};
        ::SetWindowOrgEx(m_hDC, x, y, &p);
        return p;
    }
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const
    {
        POINT p{};
        ::GetWindowOrgEx(m_hDC, &p);
        return p;
    }
    CPoint OffsetViewportOrg(int dx, int dy)
    {
        POINT p{};
        ::OffsetViewportOrgEx(m_hDC, dx, dy, &p);
        return p;
    }
    CSize SetViewportExt(int cx, int cy)
    {
        SIZE s{};
        ::SetViewportExtEx(m_hDC, cx, cy, &s);
        return s;
    }
    CSize SetWindowExt(int cx, int cy)
    {
        SIZE s{};
        ::SetWindowExtEx(m_hDC, cx, cy, &s);
        return s;
    }
    void DPtoLP(LPPOINT pts, int count = 1) const { ::DPtoLP(m_hDC, pts, count); }
    void DPtoLP(LPRECT r) const { ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(r), 2); }
    void LPtoDP(LPPOINT pts, int count = 1) const { ::LPtoDP(m_hDC, pts, count); }
    void LPtoDP(LPRECT r) const { ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(r), 2); }

    int GetClipBox(LPRECT r) const { return ::GetClipBox(m_hDC, r); }
    int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
    int IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
    int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
    int ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
    int SelectClipRgn(CRgn* rgn) { return ::SelectClipRgn(m_hDC, rgn ? static_cast<HRGN>(rgn->m_hObject) : nullptr); }
    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    BOOL PtVisible(POINT p) const { return PtVisible(p.x, p.y); }
    BOOL RectVisible(LPCRECT r) const { return ::RectVisible(m_hDC, r); }

    CPoint MoveTo(int x, int y)
    {
        POINT p{};
        ::MoveToEx(m_hDC, x, y, &p);
        return p;
    }
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const
    {
        POINT p{};
        ::GetCurrentPositionEx(m_hDC, &p);
        return p;
    }
    BOOL Polyline(const POINT* pts, int count) { return ::Polyline(m_hDC, pts, count); }
    BOOL Polygon(const POINT* pts, int count) { return ::Polygon(m_hDC, pts, count); }
    BOOL PolyPolygon(const POINT* pts, const INT* counts, int n) { return ::PolyPolygon(m_hDC, pts, counts, n); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    BOOL RoundRect(int l, int t, int r, int b, int w, int h) { return ::RoundRect(m_hDC, l, t, r, b, w, h); }
    BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
    BOOL Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
    BOOL Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4)
    {
        return ::Arc(m_hDC, l, t, r, b, x3, y3, x4, y4);
    }
    BOOL Pie(int l, int t, int r, int b, int x3, int y3, int x4, int y4)
    {
        return ::Pie(m_hDC, l, t, r, b, x3, y3, x4, y4);
    }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
    COLORREF SetPixel(POINT p, COLORREF c) { return SetPixel(p.x, p.y, c); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }
    void FillRect(LPCRECT r, CBrush* brush) { ::FillRect(m_hDC, r, static_cast<HBRUSH>(brush->m_hObject)); }
    void FillSolidRect(LPCRECT r, COLORREF c);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF c);
    void FrameRect(LPCRECT r, CBrush* brush) { ::FrameRect(m_hDC, r, static_cast<HBRUSH>(brush->m_hObject)); }
    void InvertRect(LPCRECT r) { ::InvertRect(m_hDC, r); }
    void Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(LPRECT r, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, r, edge, flags); }
    void DrawFocusRect(LPCRECT r) { ::DrawFocusRect(m_hDC, r); }
    BOOL DrawFrameControl(LPRECT r, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, r, type, state); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL DrawState(CPoint pt, CSize size, HBITMAP bmp, UINT flags, HBRUSH brush = nullptr)
    {
        return ::DrawStateA(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(bmp), 0, pt.x, pt.y, size.cx, size.cy,
                            flags | DST_BITMAP);
    }
    BOOL DrawState(CPoint pt, CSize size, HICON icon, UINT flags, HBRUSH brush = nullptr)
    {
        return ::DrawStateA(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, pt.x, pt.y, size.cx, size.cy,
                            flags | DST_ICON);
    }
    BOOL DrawState(CPoint pt, CSize size, LPCTSTR text, UINT flags, BOOL prefix = TRUE, int len = 0,
                   HBRUSH brush = nullptr)
    {
        return ::DrawStateA(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(text), static_cast<WPARAM>(len), pt.x, pt.y,
                            size.cx, size.cy, flags | (prefix ? DST_PREFIXTEXT : DST_TEXT));
    }
    BOOL GrayString(CBrush* brush, GRAYSTRINGPROC proc, LPARAM data, int count, int x, int y, int w, int h)
    {
        return ::GrayStringA(m_hDC, brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr, proc, data, count, x, y, w,
                             h);
    }

    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, rop);
    }
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop)
    {
        return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, sw, sh, rop);
    }
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }

    BOOL TextOut(int x, int y, LPCTSTR text, int count) { return ::TextOutA(m_hDC, x, y, text, count); }
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT r, LPCTSTR text, UINT count, LPINT dx)
    {
        return ::ExtTextOutA(m_hDC, x, y, options, r, text, count, dx);
    }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT r, const CString& text, LPINT dx)
    {
        return ExtTextOut(x, y, options, r, text, static_cast<UINT>(text.GetLength()), dx);
    }
    CSize TabbedTextOut(int x, int y, LPCTSTR text, int count, int tabs, LPINT tabStops, int origin)
    {
        const LONG r = ::TabbedTextOutA(m_hDC, x, y, text, count, tabs, tabStops, origin);
        return CSize(LOWORD(r), HIWORD(r));
    }
    int DrawText(LPCTSTR text, int count, LPRECT r, UINT format) { return ::DrawTextA(m_hDC, text, count, r, format); }
    int DrawText(const CString& text, LPRECT r, UINT format) { return DrawText(text, text.GetLength(), r, format); }
    int DrawTextEx(LPTSTR text, int count, LPRECT r, UINT format, LPDRAWTEXTPARAMS params)
    {
        return ::DrawTextExA(m_hDC, text, count, r, format, params);
    }
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    CSize GetTabbedTextExtent(LPCTSTR text, int count, int tabs, LPINT stops) const
    {
        const DWORD r = ::GetTabbedTextExtentA(m_hDC, text, count, tabs, stops);
        return CSize(LOWORD(r), HIWORD(r));
    }
    BOOL GetTextMetrics(LPTEXTMETRIC tm) const { return ::GetTextMetricsA(m_hDC, tm); }
    int GetTextFace(CString& face) const;

    int StartDoc(LPDOCINFO info) { return ::StartDocA(m_hDC, info); }
    int EndDoc() { return ::EndDoc(m_hDC); }
    int AbortDoc() { return ::AbortDoc(m_hDC); }
    int StartPage() { return ::StartPage(m_hDC); }
    int EndPage() { return ::EndPage(m_hDC); }
    int Escape(int escape, int count, LPCSTR in, LPVOID out) { return ::Escape(m_hDC, escape, count, in, out); }
    BOOL PlayMetaFile(HENHMETAFILE mf, LPCRECT r) { return ::PlayEnhMetaFile(m_hDC, mf, r); }
};

// The paint context of a window between BeginPaint and EndPaint.
class FW_API CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    PAINTSTRUCT m_ps{};
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

protected:
    HWND m_hWnd;
};

class FW_API CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

class FW_API CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};

// Memory context with its own bitmap, compatible with a given context.
class FW_API CMemDC : public CDC {
public:
    CMemDC(CDC* compatible, int w, int h);
    ~CMemDC() override;
    CBitmap m_bitmap;

private:
    HGDIOBJ m_old = nullptr;
};

// Enhanced metafile recorder.
class FW_API CMetaFileDC : public CDC {
    DECLARE_DYNAMIC(CMetaFileDC)
public:
    // file: null for a metafile in memory; bounds in 0.01 mm, null to let GDI compute them.
    BOOL CreateEnhanced(CDC* ref, LPCTSTR file, LPCRECT bounds, LPCTSTR description);
    HENHMETAFILE CloseEnhanced();
    ~CMetaFileDC() override;
};

class FW_API CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    HIMAGELIST m_hImageList = nullptr;
    CImageList() = default;
    ~CImageList() override { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL Attach(HIMAGELIST h);
    HIMAGELIST Detach();
    BOOL DeleteImageList();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    // The handle of an image list object that may be null (a null handle then).
    static HIMAGELIST GetSafeHandle(const CImageList* list) { return list ? list->m_hImageList : nullptr; }
    operator HIMAGELIST() const { return m_hImageList; }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    int Add(CBitmap* bmp, CBitmap* mask);
    int Add(CBitmap* bmp, COLORREF mask);
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    BOOL Remove(int i) { return ImageList_Remove(m_hImageList, i); }
    BOOL Draw(CDC* dc, int image, POINT pt, UINT style)
    {
        return ImageList_Draw(m_hImageList, image, dc->m_hDC, pt.x, pt.y, style);
    }
    HICON ExtractIcon(int image) { return ImageList_ExtractIcon(nullptr, m_hImageList, image); }
    BOOL GetImageInfo(int image, IMAGEINFO* info) const { return ImageList_GetImageInfo(m_hImageList, image, info); }
    COLORREF SetBkColor(COLORREF c) { return ImageList_SetBkColor(m_hImageList, c); }
    static CImageList* FromHandle(HIMAGELIST h);
};

class FW_API CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    HMENU m_hMenu = nullptr;
    CMenu() = default;
    ~CMenu() override { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    static CMenu* FromHandle(HMENU h);
    static void DeleteTempMap();
    BOOL Attach(HMENU h);
    HMENU Detach();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    // The handle of a menu object that may be null (a null handle then).
    static HMENU GetSafeHmenu(const CMenu* menu) { return menu ? menu->m_hMenu : nullptr; }
    operator HMENU() const { return m_hMenu; }
    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT id);
    BOOL LoadMenu(LPCTSTR name);
    BOOL DestroyMenu();

    UINT GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
    UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(m_hMenu, pos); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_hMenu, id, flags); }
    int GetMenuString(UINT id, CString& text, UINT flags) const;
    int GetMenuString(UINT id, LPTSTR buf, int max, UINT flags) const
    {
        return ::GetMenuStringA(m_hMenu, id, buf, max, flags);
    }
    CMenu* GetSubMenu(int pos) const { return FromHandle(::GetSubMenu(m_hMenu, pos)); }
    BOOL GetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPos = FALSE)
    {
        return ::GetMenuItemInfoA(m_hMenu, item, byPos, info);
    }
    BOOL SetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPos = FALSE)
    {
        return ::SetMenuItemInfoA(m_hMenu, item, byPos, info);
    }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr)
    {
        return ::AppendMenuA(m_hMenu, flags, id, text);
    }
    BOOL InsertMenu(UINT pos, UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr)
    {
        return ::InsertMenuA(m_hMenu, pos, flags, id, text);
    }
    BOOL ModifyMenu(UINT pos, UINT flags, UINT_PTR id = 0, LPCTSTR text = nullptr)
    {
        return ::ModifyMenuA(m_hMenu, pos, flags, id, text);
    }
    BOOL RemoveMenu(UINT pos, UINT flags) { return ::RemoveMenu(m_hMenu, pos, flags); }
    BOOL DeleteMenu(UINT pos, UINT flags) { return ::DeleteMenu(m_hMenu, pos, flags); }
    UINT EnableMenuItem(UINT id, UINT flags) { return static_cast<UINT>(::EnableMenuItem(m_hMenu, id, flags)); }
    UINT CheckMenuItem(UINT id, UINT flags) { return ::CheckMenuItem(m_hMenu, id, flags); }
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags)
    {
        return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
    }
    BOOL SetMenuItemBitmaps(UINT pos, UINT flags, CBitmap* unchecked, CBitmap* checked);
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT r = nullptr);
};

// Drops the temporary wrappers of windows, DCs, GDI objects and menus.
FW_API void AfxDeleteTempMaps();
