#pragma once
// A static text whose colours and font can be set, that can flash its text
// or its background, and that can open its text (a web address, a file) when
// clicked.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

class ANALYSIS_API CMyStatic : public CStatic {
public:
    CMyStatic();
    ~CMyStatic() override;

    // Every setter returns the control, so that calls chain.
    CMyStatic& SetText(LPCTSTR text);
    CMyStatic& SetSunken(bool on);
    CMyStatic& SetBorder(bool on);
    CMyStatic& SetBkColor(COLORREF color);
    CMyStatic& SetTextColor(COLORREF color);
    CMyStatic& SetFontBold(bool on);
    CMyStatic& SetFontItalic(bool on);
    CMyStatic& SetFontUnderline(bool on);
    CMyStatic& SetFontSize(int size);
    // At most 31 bytes, cut at a character boundary.
    CMyStatic& SetFontName(LPCTSTR name);
    CMyStatic& SetLink(bool on);
    CMyStatic& SetLinkCursor(HCURSOR cursor);
    // Flashing every 500 ms; switching it off puts the text back.
    CMyStatic& FlashText(bool on);
    CMyStatic& FlashBackground(bool on);

    enum { FlashNone = 0, FlashTextMode = 1, FlashBackgroundMode = 2 };
    int GetFlashMode() const { return m_nFlashMode; }
    int GetFlashPhase() const { return m_nFlashPhase; }
    const LOGFONTA& GetLogFont() const { return m_lf; }

protected:
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    void OnTimer(UINT_PTR id);
    void OnLButtonDown(UINT flags, CPoint pt);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void RebuildFont();
    void StopFlashing();

    COLORREF m_crText;
    HBRUSH m_hBkBrush;
    HBRUSH m_hAltBrush;
    LOGFONTA m_lf{};
    CFont m_font;
    CString m_strSaved;
    int m_nFlashPhase = 0;
    int m_bFlashing = 0;
    int m_bLink = 1;
    int m_nFlashMode = FlashNone;
    HCURSOR m_hLinkCursor = nullptr;
    DECLARE_MESSAGE_MAP()
};
