#pragma once
// A device context and an OpenGL that record what the drawing layer asks of
// them, so its calls can be checked without a window.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "vek/view/draw/DrawDevice.h"
#include "vek/view/draw/GlApi.h"

namespace vektest {

class RecordingDC : public CDrawDC {
public:
    enum Kind { kPen, kBrush, kFont, kStock };
    struct Object {
        Object(Kind k, PenSpec p = PenSpec()) : kind(k), pen(p) {}
        Kind kind;
        PenSpec pen;
        uint32_t colour = 0;
        int pattern = -1;
        ViewFontDesc font{};
        bool deleted = false;
    };

    RecordingDC()
    {
        // The device's own pen (black, 1 pixel), brush and font.
        m_pen = Make(Object(kPen, PenSpec{0, 1, 0}));
        m_brush = Make(Object(kBrush));
        Object font(kFont);
        font.font.height = -1;
        m_font = Make(font);
    }

    std::vector<std::string> calls;
    std::vector<Object> objects;  // index + 1 is the handle
    int created = 0, deleted = 0, selected = 0;
    std::vector<POINT> lineEnds;    // MoveTo and LineTo points
    std::vector<PenSpec> linePens;  // the pen of each LineTo
    std::vector<RECT> ellipses;
    std::vector<std::vector<POINT>> polylines;
    std::vector<POINT> textPoints;
    std::vector<std::string> texts;
    int rop = kRopCopyPen;

    GdiObject CurrentPen() override { return m_pen; }
    GdiObject CurrentFont() override { return m_font; }
    int GetPenSpec(GdiObject pen, PenSpec& out) override
    {
        const Object* o = Find(pen);
        if (!o || (o->kind != kPen && o->kind != kStock)) return 0;
        out = o->pen;
        return 1;
    }
    int GetFontSpec(GdiObject font, int& height, int& orientation) override
    {
        const Object* o = Find(font);
        if (!o || o->kind != kFont) return 0;
        height = o->font.height;
        orientation = o->font.orientation;
        return 1;
    }
    GdiObject CreatePen(int style, int width, uint32_t colour) override
    {
        ++created;
        calls.push_back("CreatePen");
        return Make(Object(kPen, PenSpec{style, width, colour}));
    }
    GdiObject CreateSolidBrush(uint32_t colour) override
    {
        ++created;
        calls.push_back("CreateSolidBrush");
        Object o(kBrush);
        o.colour = colour;
        return Make(o);
    }
    GdiObject CreateHatchBrush(int pattern, uint32_t colour) override
    {
        ++created;
        calls.push_back("CreateHatchBrush");
        Object o(kBrush);
        o.colour = colour;
        o.pattern = pattern;
        return Make(o);
    }
    GdiObject CreateFont(const ViewFontDesc& font) override
    {
        ++created;
        calls.push_back("CreateFont");
        Object o(kFont);
        o.font = font;
        return Make(o);
    }
    GdiObject StockObject(int index) override
    {
        auto it = m_stock.find(index);
        if (it != m_stock.end()) return it->second;
        Object o(kStock, PenSpec{index == kNullPen ? 5 : 0, 1, 0});
        return m_stock[index] = Make(o);
    }
    GdiObject SelectObject(GdiObject object) override
    {
        ++selected;
        Object* o = Find(object);
        if (!o) return nullptr;
        if (o->deleted) ++selectedDeleted;
        GdiObject* slot = o->kind == kPen || (o->kind == kStock && IsStockPen(object)) ? &m_pen
                          : o->kind == kFont                                           ? &m_font
                                                                                       : &m_brush;
        GdiObject before = *slot;
        *slot = object;
        return before;
    }
    void DeleteObject(GdiObject object) override
    {
        Object* o = Find(object);
        if (!o) return;
        if (object == m_pen || object == m_brush || object == m_font) ++deletedWhileSelected;
        o->deleted = true;
        ++deleted;
    }
    void MoveTo(int x, int y) override
    {
        calls.push_back("MoveTo");
        lineEnds.push_back(POINT{x, y});
    }
    void LineTo(int x, int y) override
    {
        calls.push_back("LineTo");
        lineEnds.push_back(POINT{x, y});
        const Object* pen = Find(m_pen);
        linePens.push_back(pen ? pen->pen : PenSpec());
    }
    void Polyline(const POINT* p, int n) override
    {
        calls.push_back("Polyline" + std::to_string(n));
        lastPoints.assign(p, p + n);
        polylines.emplace_back(p, p + n);
    }
    void Polygon(const POINT* p, int n) override
    {
        calls.push_back("Polygon" + std::to_string(n));
        lastPoints.assign(p, p + n);
    }
    void Ellipse(int l, int t, int r, int b) override
    {
        calls.push_back("Ellipse");
        lastPoints = {POINT{l, t}, POINT{r, b}};
        ellipses.push_back(RECT{l, t, r, b});
    }
    void Arc(int l, int t, int r, int b, int, int, int, int) override
    {
        calls.push_back("Arc");
        lastPoints = {POINT{l, t}, POINT{r, b}};
    }
    void TextOut(int x, int y, const char* text, int length) override
    {
        calls.push_back("TextOut");
        texts.emplace_back(text, static_cast<size_t>(length));
        lastPoints = {POINT{x, y}};
        textPoints.push_back(POINT{x, y});
    }
    int GetTextWidth(const char*, int length) override { return length * 8; }
    uint32_t GetTextColor() override { return m_textColour; }
    uint32_t SetTextColor(uint32_t c) override
    {
        calls.push_back("SetTextColor");
        const uint32_t old = m_textColour;
        m_textColour = c;
        return old;
    }
    unsigned GetTextAlign() override { return m_align; }
    unsigned SetTextAlign(unsigned f) override
    {
        calls.push_back("SetTextAlign");
        const unsigned old = m_align;
        m_align = f;
        return old;
    }
    int SetROP2(int mode) override
    {
        calls.push_back("SetROP2:" + std::to_string(mode));
        const int old = rop;
        rop = mode;
        return old;
    }
    void FillSolidRect(const RECT&, uint32_t) override { calls.push_back("FillSolidRect"); }
    int GetClipBox(RECT& r) override
    {
        r = RECT{0, 0, 100, 100};
        return 1;
    }
    int IsPrinting() override { return 0; }

    const Object* SelectedPen() const { return Find(m_pen); }
    const Object* SelectedBrush() const { return Find(m_brush); }
    const Object* SelectedFont() const { return Find(m_font); }
    GdiObject PenHandle() const { return m_pen; }
    GdiObject OwnPen() const { return reinterpret_cast<GdiObject>(uintptr_t(1)); }
    int Count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : calls) n += c == call;
        return n;
    }
    int selectedDeleted = 0, deletedWhileSelected = 0;
    std::vector<POINT> lastPoints;

private:
    GdiObject Make(const Object& o)
    {
        objects.push_back(o);
        return reinterpret_cast<GdiObject>(uintptr_t(objects.size()));
    }
    Object* Find(GdiObject h)
    {
        const uintptr_t i = reinterpret_cast<uintptr_t>(h);
        return i >= 1 && i <= objects.size() ? &objects[i - 1] : nullptr;
    }
    const Object* Find(GdiObject h) const { return const_cast<RecordingDC*>(this)->Find(h); }
    bool IsStockPen(GdiObject h) const
    {
        for (const auto& [index, handle] : m_stock)
            if (handle == h) return index >= 6 && index <= 8;
        return false;
    }

    GdiObject m_pen, m_brush, m_font;
    std::map<int, GdiObject> m_stock;
    uint32_t m_textColour = 0;
    unsigned m_align = 0;
};

// Records OpenGL calls as short texts: "Begin:1", "Vertex", "Color:255,0,0", ...
class RecordingGl : public CGlApi {
public:
    std::vector<std::string> calls;
    std::vector<std::vector<double>> vertices;
    int polygonMode[2] = {int(gl::kFill), int(gl::kFill)};
    bool stipple = false;

    void Begin(unsigned mode) override { calls.push_back("Begin:" + std::to_string(mode)); }
    void End() override { calls.push_back("End"); }
    void Vertex3dv(const double* p) override
    {
        calls.push_back("Vertex");
        vertices.push_back({p[0], p[1], p[2]});
    }
    void Color3ubv(const uint8_t* c) override
    {
        calls.push_back("Color:" + std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]));
    }
    void Normal3dv(const double*) override { calls.push_back("Normal"); }
    void LineWidth(float w) override { calls.push_back("LineWidth:" + std::to_string(int(w))); }
    void LineStipple(int f, uint16_t p) override
    {
        calls.push_back("LineStipple:" + std::to_string(f) + ":" + std::to_string(p));
    }
    void Enable(unsigned cap) override
    {
        calls.push_back("Enable:" + std::to_string(cap));
        if (cap == gl::kLineStipple) stipple = true;
    }
    void Disable(unsigned cap) override
    {
        calls.push_back("Disable:" + std::to_string(cap));
        if (cap == gl::kLineStipple) stipple = false;
    }
    void PolygonStipple(const uint8_t* mask) override
    {
        calls.push_back("PolygonStipple");
        lastMask.assign(mask, mask + 128);
    }
    void PolygonMode(unsigned face, unsigned mode) override
    {
        calls.push_back("PolygonMode:" + std::to_string(face) + ":" + std::to_string(mode));
        if (face != gl::kBack) polygonMode[0] = int(mode);
        if (face != gl::kFront) polygonMode[1] = int(mode);
    }
    void GetPolygonMode(int m[2]) override
    {
        m[0] = polygonMode[0];
        m[1] = polygonMode[1];
    }
    void Flush() override { calls.push_back("Flush"); }
    void PushMatrix() override { calls.push_back("PushMatrix"); }
    void PopMatrix() override { calls.push_back("PopMatrix"); }
    void Translated(double, double, double) override { calls.push_back("Translated"); }
    void MatrixMode(unsigned m) override { calls.push_back("MatrixMode:" + std::to_string(m)); }
    void LoadIdentity() override { calls.push_back("LoadIdentity"); }
    void LoadMatrixd(const double* m) override
    {
        calls.push_back("LoadMatrix");
        lastMatrix.assign(m, m + 16);
    }
    void Ortho(double l, double r, double b, double t, double n, double f) override
    {
        calls.push_back("Ortho");
        ortho = {l, r, b, t, n, f};
    }
    void Viewport(int x, int y, int w, int h) override
    {
        calls.push_back("Viewport:" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(w) + "," +
                        std::to_string(h));
    }
    GlQuadric* NewQuadric() override
    {
        ++quadrics;
        return reinterpret_cast<GlQuadric*>(&quadricTag);
    }
    int quadrics = 0;  // made so far
    void DeleteQuadric(GlQuadric*) override { ++quadricsDeleted; }
    void Sphere(GlQuadric*, double r, int slices, int stacks) override
    {
        calls.push_back("Sphere:" + std::to_string(slices) + "," + std::to_string(stacks));
        sphereRadius = r;
    }

    int Count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : calls) n += c == call;
        return n;
    }
    int CountPrefix(const std::string& prefix) const
    {
        int n = 0;
        for (const std::string& c : calls) n += c.compare(0, prefix.size(), prefix) == 0;
        return n;
    }

    std::vector<uint8_t> lastMask;
    std::vector<double> lastMatrix, ortho;
    double sphereRadius = 0;
    int quadricsDeleted = 0;
    int quadricTag = 0;
};

}  // namespace vektest
