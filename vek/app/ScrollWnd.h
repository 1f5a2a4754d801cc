#pragma once
// A child window with both scroll bars over a content area larger than its
// client area: the derived class states the content size and draws in content
// coordinates; this scrolls, clips and paints.
#include "framework/Afx.h"

class CScrollWnd : public CWnd {
    DECLARE_DYNAMIC(CScrollWnd)
public:
    CScrollWnd() = default;
    ~CScrollWnd() override = default;

    // Draws the content in content coordinates.
    virtual void OnDraw(CDC* dc) = 0;
    // Text mapping with the window origin at the scroll positions.
    virtual void OnPrepareDC(CDC* dc);

    void SetContentSize(int width, int height);
    // Both positions at once (bars and contents follow).
    void SetScrollPositions(int x, int y);
    // Ranges, pages and positions from the content and client sizes; a bar is
    // shown exactly when the content exceeds the client area that way.
    void UpdateScrollBars();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    int m_nContentWidth = 0;
    int m_nContentHeight = 0;
    int m_nClientWidth = 0;
    int m_nClientHeight = 0;
    int m_nScrollX = 0;
    int m_nScrollY = 0;

protected:
    void Scroll(int bar, UINT code, int thumb);
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    DECLARE_MESSAGE_MAP()
};
