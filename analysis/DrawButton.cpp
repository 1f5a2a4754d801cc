#include "analysis/DrawButton.h"

#include "analysis/BufferDC.h"
#include "analysis/FlatLook.h"

namespace {

void DrawGlyph(CDC& dc, const CRect& r, int glyph, COLORREF color)
{
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    switch (glyph) {
        case CDrawButton::GlyphUp:
        case CDrawButton::GlyphDown: {
            CPenSelector pen(dc, color);
            const bool down = glyph == CDrawButton::GlyphDown;
            DrawArrow(dc, cx, down ? cy + 2 : cy + 2 - 3, 4, down);
            break;
        }
        case CDrawButton::GlyphEllipsis: {
            CStockSelector font(dc, DEFAULT_GUI_FONT, color);
            const int oldMode = dc.SetBkMode(TRANSPARENT);
            CRect text(r.left, r.top + r.Height() / 3, r.right, r.bottom);
            dc.DrawText("...", 3, &text, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
            dc.SetBkMode(oldMode);
            break;
        }
        case CDrawButton::GlyphMark: {
            CPenSelector pen(dc, color);
            const int w = r.Width() / 3, h = r.Height() / 3;
            for (int i = 0; i < 4; ++i) {
                const int x = r.left + w + (i % 2) * w, y = r.top + h + (i / 2) * h;
                dc.MoveTo(x - 2, y + 2);
                dc.LineTo(x + 2, y - 2);
            }
            break;
        }
        default: break;
    }
}

}  // namespace

void CDrawButton::DrawPart(CDC& dc, const CRect& r, WORD state, int glyph, bool pressed)
{
    const bool disabled = (state & Disabled) != 0;
    if (!(state & Flat)) {
        CRect face = r;
        dc.DrawFrameControl(&face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        CRect g = r;
        if (pressed) g.OffsetRect(1, 1);
        DrawGlyph(dc, g, glyph, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        return;
    }
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF hot = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF pressedFill = HLS_TRANSFORM(hot, 50, -50);
    const COLORREF hotFill = HLS_TRANSFORM(hot, 70, -57);
    {
        CPenSelector pen(dc, face);
        CBrushSelector brush(dc, face);
        if (!disabled && (state & Hot)) {
            pen.Color(hot);
            brush.Color(pressed ? pressedFill : hotFill);
            dc.Rectangle(&r);
        } else if (!(state & FaceOnlyWhenHot)) {
            pen.Color(::GetSysColor((state & OutsideBar) ? COLOR_BTNSHADOW : COLOR_WINDOW));
            dc.Rectangle(&r);
        }
    }
    COLORREF glyphColor = ::GetSysColor(COLOR_BTNTEXT);
    if (!disabled && dc.GetPixel(r.left + 1, r.top + 1) == hotFill) glyphColor = RGB(0, 0, 0);
    if (pressed) glyphColor = RGB(240, 240, 240);
    if (disabled) glyphColor = ::GetSysColor(COLOR_GRAYTEXT);
    DrawGlyph(dc, r, glyph, glyphColor);
}

void CDrawButton::Draw(CDC* dc, WORD state)
{
    if (!dc) return;
    if (state == 0) state = m_state;
    const int glyph = state & 0xFF;
    if (glyph != GlyphSpin) {
        DrawPart(*dc, m_rect, state, glyph, (state & Pressed) != 0);
        return;
    }
    CRect upper = m_rect, lower = m_rect;
    upper.bottom = lower.top = m_rect.top + m_rect.Height() / 2;
    DrawPart(*dc, upper, state, GlyphUp, (state & UpperPressed) != 0);
    DrawPart(*dc, lower, state, GlyphDown, (state & Pressed) != 0);
}
