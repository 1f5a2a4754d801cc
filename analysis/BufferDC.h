#pragma once
// Off-screen drawing: CBufferDC collects the drawing of one rectangle in a
// memory bitmap and puts it on the destination in one copy when it goes
// out of scope; the selectors put a pen, a brush, a stock object or a bold
// font into a device context and take it out again.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

class ANALYSIS_API CBufferDC : public CDC {
public:
    // rect: in the destination's coordinates; null or empty: the destination's
    // clip box. Drawing uses the destination's coordinates unchanged, and
    // nothing drawn outside the rectangle reaches the destination. When no
    // memory bitmap can be had, drawing goes straight to the destination.
    CBufferDC(HDC dest, const RECT* rect = nullptr);
    ~CBufferDC() override;
    CBufferDC(const CBufferDC&) = delete;
    CBufferDC& operator=(const CBufferDC&) = delete;

    bool IsBuffered() const { return m_hBitmap != nullptr; }
    const CRect& GetRect() const { return m_rect; }

private:
    HDC m_hDest;
    CRect m_rect;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    bool m_bCached = false;  // drawing in the thread's kept bitmap
    int m_nSavedDC = 0;
};

// A solid pen of width 1 while alive.
class ANALYSIS_API CPenSelector {
public:
    CPenSelector(CDC& dc, COLORREF color);
    ~CPenSelector();
    CPenSelector(const CPenSelector&) = delete;
    CPenSelector& operator=(const CPenSelector&) = delete;
    void Color(COLORREF color);

private:
    HDC m_hDC;
    HPEN m_hPen = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

// A solid brush, or the hollow brush for CLR_NONE, while alive.
class ANALYSIS_API CBrushSelector {
public:
    CBrushSelector(CDC& dc, COLORREF color);
    ~CBrushSelector();
    CBrushSelector(const CBrushSelector&) = delete;
    CBrushSelector& operator=(const CBrushSelector&) = delete;
    void Color(COLORREF color);

private:
    HDC m_hDC;
    HBRUSH m_hBrush = nullptr;  // null for the stock hollow brush
    HGDIOBJ m_hOld = nullptr;
};

// A stock object (the GUI font in every use) and, unless KeepTextColor is
// given, a text colour while alive.
class ANALYSIS_API CStockSelector {
public:
    static constexpr COLORREF KeepTextColor = 0xFF000000;
    CStockSelector(CDC& dc, int stockObject, COLORREF textColor = KeepTextColor);
    ~CStockSelector();
    CStockSelector(const CStockSelector&) = delete;
    CStockSelector& operator=(const CStockSelector&) = delete;
    void Object(int stockObject);
    void TextColor(COLORREF color);

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
    COLORREF m_oldText = KeepTextColor;
};

// The current font made bold (or not bold) while alive; changes nothing when
// it already is.
class ANALYSIS_API CBoldSelector {
public:
    CBoldSelector(CDC& dc, bool bold);
    ~CBoldSelector();
    CBoldSelector(const CBoldSelector&) = delete;
    CBoldSelector& operator=(const CBoldSelector&) = delete;
    bool Changed() const { return m_hFont != nullptr; }

private:
    HDC m_hDC;
    HFONT m_hFont = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

// The colour depth of a device context.
ANALYSIS_API int BitsPerPixel(HDC dc);
// A downward (or upward) arrow of `lines` lines under (over) its apex:
// line i runs from x - i to x + i at row y - i (y + i).
ANALYSIS_API void DrawArrow(CDC& dc, int x, int y, int lines, bool down);
// An image of an image list as a silhouette in one colour.
ANALYSIS_API void DrawSilhouette(CDC& dc, HIMAGELIST images, int index, int x, int y, COLORREF color);
// A copy of a rectangle of the screen; null when none can be had.
ANALYSIS_API HBITMAP CopyScreenRect(const RECT& rect);
