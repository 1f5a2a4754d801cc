#include "vek/view/win/GdiDrawDC.h"

#include <cstring>

GdiObject CGdiDrawDC::CurrentPen()
{
    return ::GetCurrentObject(m_dc, OBJ_PEN);
}

GdiObject CGdiDrawDC::CurrentFont()
{
    return ::GetCurrentObject(m_dc, OBJ_FONT);
}

int CGdiDrawDC::GetPenSpec(GdiObject pen, PenSpec& out)
{
    if (!pen) return 0;
    if (pen == m_knownPen) {
        out = m_knownSpec;
        return 1;
    }
    LOGPEN lp;
    if (::GetObjectA(static_cast<HGDIOBJ>(pen), sizeof lp, &lp) != sizeof lp) return 0;
    out.style = static_cast<int>(lp.lopnStyle);
    out.width = lp.lopnWidth.x;
    out.colour = lp.lopnColor;
    return 1;
}

int CGdiDrawDC::GetFontSpec(GdiObject font, int& height, int& orientation)
{
    LOGFONTA lf;
    if (!font || ::GetObjectA(static_cast<HGDIOBJ>(font), sizeof lf, &lf) == 0) return 0;
    height = lf.lfHeight;
    orientation = lf.lfOrientation;
    return 1;
}

GdiObject CGdiDrawDC::CreatePen(int style, int width, uint32_t colour)
{
    HPEN pen = ::CreatePen(style, width, colour);
    if (pen) {
        m_knownPen = pen;
        m_knownSpec.style = style;
        m_knownSpec.width = width;
        m_knownSpec.colour = colour;
    }
    return pen;
}

GdiObject CGdiDrawDC::CreateSolidBrush(uint32_t colour)
{
    return ::CreateSolidBrush(colour);
}

GdiObject CGdiDrawDC::CreateHatchBrush(int pattern, uint32_t colour)
{
    return ::CreateHatchBrush(pattern, colour);
}

GdiObject CGdiDrawDC::CreateFont(const ViewFontDesc& font)
{
    LOGFONTA lf{};
    lf.lfHeight = font.height;
    lf.lfEscapement = font.escapement;
    lf.lfOrientation = font.orientation;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeOut;
    lf.lfCharSet = font.charSet;
    const size_t n = strnlen(font.faceName, sizeof font.faceName);
    std::memcpy(lf.lfFaceName, font.faceName, n < LF_FACESIZE ? n : LF_FACESIZE - 1);
    return ::CreateFontIndirectA(&lf);
}

GdiObject CGdiDrawDC::StockObject(int index)
{
    return ::GetStockObject(index);
}

GdiObject CGdiDrawDC::SelectObject(GdiObject object)
{
    return ::SelectObject(m_dc, static_cast<HGDIOBJ>(object));
}

void CGdiDrawDC::DeleteObject(GdiObject object)
{
    if (object == m_knownPen) m_knownPen = nullptr;
    ::DeleteObject(static_cast<HGDIOBJ>(object));
}

void CGdiDrawDC::MoveTo(int x, int y)
{
    ::MoveToEx(m_dc, x, y, nullptr);
}

void CGdiDrawDC::LineTo(int x, int y)
{
    ::LineTo(m_dc, x, y);
}

void CGdiDrawDC::Polyline(const POINT* points, int count)
{
    ::Polyline(m_dc, points, count);
}

void CGdiDrawDC::Polygon(const POINT* points, int count)
{
    ::Polygon(m_dc, points, count);
}

void CGdiDrawDC::Ellipse(int left, int top, int right, int bottom)
{
    ::Ellipse(m_dc, left, top, right, bottom);
}

void CGdiDrawDC::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4)
{
    ::Arc(m_dc, left, top, right, bottom, x3, y3, x4, y4);
}

void CGdiDrawDC::TextOut(int x, int y, const char* text, int length)
{
    ::TextOutA(m_dc, x, y, text, length);
}

int CGdiDrawDC::GetTextWidth(const char* text, int length)
{
    SIZE s{};
    ::GetTextExtentPoint32A(m_dc, text, length, &s);
    return s.cx;
}

void CGdiDrawDC::InvertText(int x, int y, const char* text, int length)
{
    if (!m_dc || !text || length <= 0) return;
    SIZE s{};
    ::GetTextExtentPoint32A(m_dc, text, length, &s);
    if (s.cx <= 0 || s.cy <= 0) return;
    // White glyphs on black in a bitmap of their own, then XORed onto the
    // device: black leaves the pixels, white inverts them.
    HDC mem = ::CreateCompatibleDC(m_dc);
    HBITMAP bmp = ::CreateCompatibleBitmap(m_dc, s.cx, s.cy);
    if (mem && bmp) {
        HGDIOBJ oldBmp = ::SelectObject(mem, bmp);
        HGDIOBJ oldFont = ::SelectObject(mem, ::GetCurrentObject(m_dc, OBJ_FONT));
        RECT r{0, 0, s.cx, s.cy};
        ::FillRect(mem, &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::SetBkMode(mem, TRANSPARENT);
        ::SetTextColor(mem, RGB(255, 255, 255));
        ::SetTextAlign(mem, TA_LEFT | TA_TOP);
        ::TextOutA(mem, 0, 0, text, length);
        ::BitBlt(m_dc, x, y, s.cx, s.cy, mem, 0, 0, SRCINVERT);
        ::SelectObject(mem, oldFont);
        ::SelectObject(mem, oldBmp);
    }
    if (bmp) ::DeleteObject(bmp);
    if (mem) ::DeleteDC(mem);
}

uint32_t CGdiDrawDC::GetTextColor()
{
    return ::GetTextColor(m_dc);
}

uint32_t CGdiDrawDC::SetTextColor(uint32_t colour)
{
    return ::SetTextColor(m_dc, colour);
}

unsigned CGdiDrawDC::GetTextAlign()
{
    return ::GetTextAlign(m_dc);
}

unsigned CGdiDrawDC::SetTextAlign(unsigned flags)
{
    return ::SetTextAlign(m_dc, flags);
}

int CGdiDrawDC::SetROP2(int mode)
{
    return ::SetROP2(m_dc, mode);
}

void CGdiDrawDC::FillSolidRect(const RECT& rect, uint32_t colour)
{
    const COLORREF old = ::SetBkColor(m_dc, colour);
    ::ExtTextOutA(m_dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_dc, old);
}

int CGdiDrawDC::GetClipBox(RECT& rect)
{
    return ::GetClipBox(m_dc, &rect);
}

int CGdiDrawDC::IsPrinting()
{
    if (m_printing >= 0) return m_printing;
    return ::GetDeviceCaps(m_dc, TECHNOLOGY) == DT_RASPRINTER;
}
