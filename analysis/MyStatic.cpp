#include "analysis/MyStatic.h"

#include <cstring>

namespace {
const UINT_PTR kFlashTimer = 1;
const UINT kFlashMs = 500;
}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CMyStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()
// clang-format on

CMyStatic::CMyStatic()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_hBkBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))),
      m_hAltBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)))
{
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_lf, &m_lf);
    m_font.CreateFontIndirect(&m_lf);
}

CMyStatic::~CMyStatic()
{
    if (m_hWnd && m_bFlashing) KillTimer(kFlashTimer);
    ::DeleteObject(m_hBkBrush);
    ::DeleteObject(m_hAltBrush);
}

CMyStatic& CMyStatic::SetText(LPCTSTR text)
{
    SetWindowText(text);
    return *this;
}

CMyStatic& CMyStatic::SetSunken(bool on)
{
    ModifyStyleEx(on ? 0 : WS_EX_STATICEDGE, on ? WS_EX_STATICEDGE : 0, SWP_FRAMECHANGED);
    return *this;
}

CMyStatic& CMyStatic::SetBorder(bool on)
{
    ModifyStyle(on ? 0 : WS_BORDER, on ? WS_BORDER : 0, SWP_FRAMECHANGED);
    return *this;
}

CMyStatic& CMyStatic::SetBkColor(COLORREF color)
{
    HBRUSH old = m_hBkBrush;
    m_hBkBrush = ::CreateSolidBrush(color);
    ::DeleteObject(old);
    return *this;
}

CMyStatic& CMyStatic::SetTextColor(COLORREF color)
{
    m_crText = color;
    if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return *this;
}

void CMyStatic::RebuildFont()
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
    if (m_hWnd) {
        SetFont(&m_font, FALSE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

CMyStatic& CMyStatic::SetFontBold(bool on)
{
    m_lf.lfWeight = on ? FW_BOLD : FW_NORMAL;
    RebuildFont();
    return *this;
}

CMyStatic& CMyStatic::SetFontItalic(bool on)
{
    m_lf.lfItalic = on ? 1 : 0;
    RebuildFont();
    return *this;
}

CMyStatic& CMyStatic::SetFontUnderline(bool on)
{
    m_lf.lfUnderline = on ? 1 : 0;
    RebuildFont();
    return *this;
}

CMyStatic& CMyStatic::SetFontSize(int size)
{
    m_lf.lfHeight = -size;
    RebuildFont();
    return *this;
}

CMyStatic& CMyStatic::SetFontName(LPCTSTR name)
{
    const char* s = name ? name : "";
    const int n = static_cast<int>(std::strlen(s));
    // A face name holds 31 bytes; a longer one is cut between characters.
    const int keep = n <= LF_FACESIZE - 1 ? n : fw::FloorBoundary(s, n, LF_FACESIZE - 1);
    std::memcpy(m_lf.lfFaceName, s, static_cast<size_t>(keep));
    m_lf.lfFaceName[keep] = 0;
    RebuildFont();
    return *this;
}

CMyStatic& CMyStatic::SetLink(bool on)
{
    m_bLink = on ? 1 : 0;
    if (m_hWnd) ModifyStyle(on ? 0 : SS_NOTIFY, on ? SS_NOTIFY : 0);
    return *this;
}

CMyStatic& CMyStatic::SetLinkCursor(HCURSOR cursor)
{
    m_hLinkCursor = cursor;
    return *this;
}

void CMyStatic::StopFlashing()
{
    if (!m_bFlashing) return;
    KillTimer(kFlashTimer);
    const int mode = m_nFlashMode;
    m_bFlashing = 0;
    m_nFlashMode = FlashNone;
    m_nFlashPhase = 0;
    if (mode == FlashTextMode)
        SetWindowText(m_strSaved);  // whatever flashes next, the text comes back
    else
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

CMyStatic& CMyStatic::FlashText(bool on)
{
    StopFlashing();
    if (on && m_hWnd) {
        GetWindowText(m_strSaved);
        m_nFlashPhase = 0;
        m_bFlashing = 1;
        m_nFlashMode = FlashTextMode;
        SetTimer(kFlashTimer, kFlashMs);
    }
    return *this;
}

CMyStatic& CMyStatic::FlashBackground(bool on)
{
    StopFlashing();
    if (on && m_hWnd) {
        m_nFlashPhase = 0;
        m_bFlashing = 1;
        m_nFlashMode = FlashBackgroundMode;
        SetTimer(kFlashTimer, kFlashMs);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return *this;
}

HBRUSH CMyStatic::CtlColor(CDC* dc, UINT ctlColor)
{
    if (ctlColor != CTLCOLOR_STATIC) return nullptr;
    // The control draws its text in the font it was given.
    if (reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)) != static_cast<HFONT>(m_font.m_hObject))
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), FALSE);
    dc->SelectObject(&m_font);
    dc->SetTextColor(m_crText);
    dc->SetBkMode(TRANSPARENT);
    return m_nFlashMode == FlashBackgroundMode && m_nFlashPhase == 0 ? m_hAltBrush : m_hBkBrush;
}

void CMyStatic::OnTimer(UINT_PTR id)
{
    if (id == kFlashTimer && m_bFlashing) {
        m_nFlashPhase = m_nFlashPhase ? 0 : 1;
        if (m_nFlashMode == FlashTextMode) {
            SetWindowText(m_nFlashPhase ? "" : m_strSaved.GetString());
        } else if (m_nFlashMode == FlashBackgroundMode) {
            Invalidate(FALSE);
            UpdateWindow();
        }
    }
    CStatic::OnTimer(id);
}

void CMyStatic::OnLButtonDown(UINT flags, CPoint pt)
{
    CString target;
    GetWindowText(target);
    ::ShellExecuteA(nullptr, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
    CStatic::OnLButtonDown(flags, pt);
}

BOOL CMyStatic::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_hLinkCursor) {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(wnd, hitTest, message);
}
