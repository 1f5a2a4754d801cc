#pragma once
// The drawing layer's device over a real GDI device context.
#include <windows.h>

#include "vek/view/draw/DrawDevice.h"

class CGdiDrawDC : public CDrawDC {
public:
    explicit CGdiDrawDC(HDC dc = nullptr) : m_dc(dc) {}
    void SetHdc(HDC dc) { m_dc = dc; }
    // Whether the device prints, when the caller knows better than the
    // device's technology tells (a metafile recorded for a printer); -1: ask.
    void SetPrinting(int printing) { m_printing = printing; }
    HDC GetHdc() const { return m_dc; }

    GdiObject CurrentPen() override;
    GdiObject CurrentFont() override;
    int GetPenSpec(GdiObject pen, PenSpec& out) override;
    int GetFontSpec(GdiObject font, int& height, int& orientation) override;
    GdiObject CreatePen(int style, int width, uint32_t colour) override;
    GdiObject CreateSolidBrush(uint32_t colour) override;
    GdiObject CreateHatchBrush(int pattern, uint32_t colour) override;
    GdiObject CreateFont(const ViewFontDesc& font) override;
    GdiObject StockObject(int index) override;
    GdiObject SelectObject(GdiObject object) override;
    void DeleteObject(GdiObject object) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(const POINT* points, int count) override;
    void Polygon(const POINT* points, int count) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) override;
    void TextOut(int x, int y, const char* text, int length) override;
    int GetTextWidth(const char* text, int length) override;
    void InvertText(int x, int y, const char* text, int length) override;
    uint32_t GetTextColor() override;
    uint32_t SetTextColor(uint32_t colour) override;
    unsigned GetTextAlign() override;
    unsigned SetTextAlign(unsigned flags) override;
    int SetROP2(int mode) override;
    void FillSolidRect(const RECT& rect, uint32_t colour) override;
    int GetClipBox(RECT& rect) override;
    int IsPrinting() override;

private:
    HDC m_dc;
    int m_printing = -1;
    // The pen this adapter made last and what it was made with: reading it
    // back needs no GetObject.
    HGDIOBJ m_knownPen = nullptr;
    PenSpec m_knownSpec;
};
