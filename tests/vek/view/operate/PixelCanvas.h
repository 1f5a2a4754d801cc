#pragma once
// A device of pixels in memory for the drawing layer: lines, outlines and
// texts set pixels, or flip them while the raster operation is XOR, so that
// a picture drawn twice in XOR can be compared with the one before. Texts
// drawn plainly set a box of pixels; inverted texts flip it.
#include <cmath>
#include <cstdint>
#include <vector>

#include "vek/view/draw/DrawDevice.h"

namespace optest {

class PixelCanvas : public CDrawDC, public CDrawHost {
public:
    PixelCanvas(int w, int h, uint32_t fill = 0x204060) : m_w(w), m_h(h), m_pixels(size_t(w) * size_t(h), fill)
    {
        m_prev = SetDrawHost(this);
    }
    ~PixelCanvas() override { SetDrawHost(m_prev); }

    std::vector<uint32_t> Pixels() const { return m_pixels; }
    const std::vector<uint32_t>& Buffer() const { return m_pixels; }
    uint32_t At(int x, int y) const { return m_pixels[size_t(y) * size_t(m_w) + size_t(x)]; }
    int Changed(const std::vector<uint32_t>& before) const
    {
        int n = 0;
        for (size_t i = 0; i < m_pixels.size(); ++i) n += m_pixels[i] != before[i];
        return n;
    }
    int sessions = 0, textsPlain = 0, textsInverted = 0;

    // CDrawHost
    CDrawDC* BeginSession() override
    {
        ++sessions;
        return this;
    }
    void EndSession() override {}
    void RefreshNow() override {}

    // CDrawDC
    GdiObject CurrentPen() override { return m_pen; }
    GdiObject CurrentFont() override { return m_font; }
    int GetPenSpec(GdiObject pen, PenSpec& out) override
    {
        const Obj* o = Find(pen);
        if (!o) return 0;
        out = o->pen;
        return 1;
    }
    int GetFontSpec(GdiObject, int& height, int& orientation) override
    {
        height = 12;
        orientation = 0;
        return 1;
    }
    GdiObject CreatePen(int style, int width, uint32_t colour) override { return Make(Obj{0, {style, width, colour}}); }
    GdiObject CreateSolidBrush(uint32_t) override { return Make(Obj{1, {}}); }
    GdiObject CreateHatchBrush(int, uint32_t) override { return Make(Obj{1, {}}); }
    GdiObject CreateFont(const ViewFontDesc&) override { return Make(Obj{2, {}}); }
    GdiObject StockObject(int index) override { return Make(Obj{index == kNullPen ? 0 : 1, {5, 1, 0}}); }
    GdiObject SelectObject(GdiObject object) override
    {
        const Obj* o = Find(object);
        if (!o) return nullptr;
        GdiObject& slot = o->kind == 0 ? m_pen : (o->kind == 2 ? m_font : m_brush);
        GdiObject before = slot;
        slot = object;
        return before;
    }
    void DeleteObject(GdiObject) override {}
    void MoveTo(int x, int y) override
    {
        m_x = x;
        m_y = y;
    }
    void LineTo(int x, int y) override
    {
        Line(m_x, m_y, x, y);
        m_x = x;
        m_y = y;
    }
    void Polyline(const POINT* p, int n) override
    {
        for (int i = 1; i < n; ++i) Line(p[i - 1].x, p[i - 1].y, p[i].x, p[i].y);
    }
    void Polygon(const POINT* p, int n) override
    {
        for (int i = 0; i < n; ++i) Line(p[i].x, p[i].y, p[(i + 1) % n].x, p[(i + 1) % n].y);
    }
    void Ellipse(int l, int t, int r, int b) override
    {
        // The outline as 32 chords.
        const double cx = (l + r) / 2.0, cy = (t + b) / 2.0, rx = (r - l) / 2.0, ry = (b - t) / 2.0;
        POINT p[33];
        for (int i = 0; i <= 32; ++i) {
            const double a = i * 6.283185307179586 / 32;
            p[i] = POINT{LONG(std::lround(cx + rx * std::cos(a))), LONG(std::lround(cy + ry * std::sin(a)))};
        }
        Polyline(p, 33);
    }
    void Arc(int l, int t, int r, int b, int, int, int, int) override { Ellipse(l, t, r, b); }
    void TextOut(int x, int y, const char*, int length) override
    {
        ++textsPlain;
        Box(x, y, length * 6, 10, false);
    }
    void InvertText(int x, int y, const char*, int length) override
    {
        ++textsInverted;
        Box(x, y, length * 6, 10, true);
    }
    int GetTextWidth(const char*, int length) override { return length * 6; }
    uint32_t GetTextColor() override { return m_text; }
    uint32_t SetTextColor(uint32_t c) override
    {
        const uint32_t old = m_text;
        m_text = c;
        return old;
    }
    unsigned GetTextAlign() override { return m_align; }
    unsigned SetTextAlign(unsigned f) override
    {
        const unsigned old = m_align;
        m_align = f;
        return old;
    }
    int SetROP2(int mode) override
    {
        const int old = m_rop;
        m_rop = mode;
        return old;
    }
    void FillSolidRect(const RECT& r, uint32_t colour) override
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) Put(x, y, colour, false);
    }
    int GetClipBox(RECT& r) override
    {
        r = RECT{0, 0, m_w, m_h};
        return 1;
    }
    int IsPrinting() override { return 0; }

private:
    struct Obj {
        int kind;  // 0 pen, 1 brush, 2 font
        PenSpec pen;
    };
    GdiObject Make(const Obj& o)
    {
        m_objects.push_back(o);
        return reinterpret_cast<GdiObject>(uintptr_t(m_objects.size()));
    }
    const Obj* Find(GdiObject h) const
    {
        const uintptr_t i = reinterpret_cast<uintptr_t>(h);
        return i >= 1 && i <= m_objects.size() ? &m_objects[i - 1] : nullptr;
    }
    uint32_t PenColour() const
    {
        const Obj* o = Find(m_pen);
        return o ? o->pen.colour : 0;
    }
    void Put(int x, int y, uint32_t colour, bool flip)
    {
        if (x < 0 || y < 0 || x >= m_w || y >= m_h) return;
        uint32_t& p = m_pixels[size_t(y) * size_t(m_w) + size_t(x)];
        p = flip ? (p ^ colour) : colour;
    }
    // Every pixel from the first end up to, not including, the last (as GDI draws).
    void Line(int x0, int y0, int x1, int y1)
    {
        const Obj* pen = Find(m_pen);
        if (pen && pen->pen.style == 5) return;
        const bool flip = m_rop == kRopXorPen;
        const uint32_t c = PenColour();
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        while (!(x0 == x1 && y0 == y1)) {
            Put(x0, y0, c, flip);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }
    void Box(int x, int y, int w, int h, bool invert)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) Put(i, j, invert ? 0xFFFFFF : m_text, invert);
    }

    int m_w, m_h;
    std::vector<uint32_t> m_pixels;
    std::vector<Obj> m_objects;
    GdiObject m_pen = nullptr, m_brush = nullptr, m_font = nullptr;
    int m_x = 0, m_y = 0, m_rop = kRopCopyPen;
    uint32_t m_text = 0;
    unsigned m_align = 0;
    CDrawHost* m_prev;
};

}  // namespace optest
