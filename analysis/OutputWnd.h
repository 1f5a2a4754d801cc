#pragma once
// The output pane of the run monitor: the ring of output lines drawn in a
// window with a vertical scroll bar, newest line at the bottom.
#include "analysis/OutputLines.h"
#include "framework/Afx.h"

class ANALYSIS_API COutputWndBase : public COutputLines {
public:
    COutputWndBase();
    ~COutputWndBase() override;
    COutputWndBase(const COutputWndBase& other);
    COutputWndBase& operator=(const COutputWndBase& other);

    // Appends the chunk of a 2024 (wParam start, lParam end) and scrolls the pane to the end.
    void AddOutpuString(CWnd* pane, WPARAM start, LPARAM end);
    // The whole buffer as plain text on the clipboard.
    BOOL CopyOutputToClipboard(HWND owner = nullptr);
    short GetViewLineNums() const { return m_nViewLines; }
    const LOGFONT& GetFontDescription() const { return m_logFont; }
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF GetBgColor() const { return m_crBackground; }
    int GetTopSlotShown() const { return m_nTop; }

protected:
    void OnDraw(CDC* dc);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnVScroll(CWnd* pane, UINT code, UINT pos);
    void ScrollToTheEnd(CWnd* pane);
    void Redraw(CWnd* pane);
    void OnRedrawTimer(CWnd* pane);
    void SetViewRange(CWnd* pane);
    void ReadProfileSetting(CWinApp* app);
    void WriteProfileSetting(CWinApp* app);
    CFont* GetPaneFont();

    static constexpr UINT_PTR kRedrawTimer = 1;
    static constexpr DWORD kRedrawMs = 40;
    DWORD m_dwLastRedraw = 0;
    BOOL m_bRedrawDue = FALSE;
    int m_nScrollPos = -1;  // as last set on the pane
    short m_nLineHeight = 0;
    short m_nTop = 0;
    short m_nViewLines = 0;
    COLORREF m_crText = RGB(255, 0, 0);
    COLORREF m_crBackground = RGB(0, 0, 0);
    LOGFONT m_logFont{};
    CFont m_font;
};

// The pane window.
class COutputWnd : public CWnd, public COutputWndBase {
    DECLARE_DYNAMIC(COutputWnd)
public:
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);

protected:
    void OnPaint();
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()
};
