#pragma once
// The device context the drawing layer draws on, as the few GDI calls it
// makes: the program wraps a real DC, tests use a recording one. Objects are
// the device's own handles; the layer creates, selects and deletes them
// through these calls only.
#include <cstdint>

#include "framework/WinTypes.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/TextAlign.h"
#include "vek/view/ViewSettings.h"

using GdiObject = void*;

struct PenSpec {
    int style = 0;
    int width = 0;
    uint32_t colour = 0;
};

class CDrawDC {
public:
    virtual ~CDrawDC() = default;

    // The objects selected now.
    virtual GdiObject CurrentPen() = 0;
    virtual GdiObject CurrentFont() = 0;
    // What a pen or a font was made with; 0 when it cannot be read.
    virtual int GetPenSpec(GdiObject pen, PenSpec& out) = 0;
    virtual int GetFontSpec(GdiObject font, int& height, int& orientation) = 0;

    virtual GdiObject CreatePen(int style, int width, uint32_t colour) = 0;
    virtual GdiObject CreateSolidBrush(uint32_t colour) = 0;
    virtual GdiObject CreateHatchBrush(int pattern, uint32_t colour) = 0;
    virtual GdiObject CreateFont(const ViewFontDesc& font) = 0;
    virtual GdiObject StockObject(int index) = 0;
    // Returns the object selected before.
    virtual GdiObject SelectObject(GdiObject object) = 0;
    virtual void DeleteObject(GdiObject object) = 0;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Polyline(const POINT* points, int count) = 0;
    virtual void Polygon(const POINT* points, int count) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) = 0;
    virtual void TextOut(int x, int y, const char* text, int length) = 0;
    virtual int GetTextWidth(const char* text, int length) = 0;
    // Inverts the pixels under the glyphs of the text (its top left corner
    // at x, y) in the selected font: a second call restores them.
    virtual void InvertText(int x, int y, const char* text, int length) {}
    virtual uint32_t GetTextColor() = 0;
    virtual uint32_t SetTextColor(uint32_t colour) = 0;
    virtual unsigned GetTextAlign() = 0;
    virtual unsigned SetTextAlign(unsigned flags) = 0;
    // Returns the previous raster operation.
    virtual int SetROP2(int mode) = 0;
    virtual void FillSolidRect(const RECT& rect, uint32_t colour) = 0;
    virtual int GetClipBox(RECT& rect) = 0;
    virtual int IsPrinting() = 0;
};

// Stock objects and raster operations used.
constexpr int kNullBrush = 5;
constexpr int kNullPen = 8;
constexpr int kRopCopyPen = 13;
constexpr int kRopXorPen = 7;
// Text alignment bits: kAlignLeft ... kAlignBaseline (TextAlign.h).
// What a drawing session outside a paint draws on: the view's memory DC
// with its back buffer selected. The view binds itself.
class CDrawHost {
public:
    virtual ~CDrawHost() = default;
    // Selects the back buffer into the memory DC; null when there is none.
    virtual CDrawDC* BeginSession() = 0;
    // Selects back what was there and invalidates the window.
    virtual void EndSession() = 0;
    // Shows the back buffer at once (feedback while a modal prompt waits).
    virtual void RefreshNow() = 0;
};

CDrawHost* SetDrawHost(CDrawHost* host);
CDrawHost* GetDrawHost();
