#include "analysis/FlatLook.h"

int WinVersionClassOf(DWORD platformId, DWORD major, DWORD minor)
{
    switch (platformId) {
        case VER_PLATFORM_WIN32s: return WinVersionWin32s;
        case VER_PLATFORM_WIN32_WINDOWS:
            if (major == 4 && minor == 10) return WinVersion98;
            if (major == 4 && minor == 90) return WinVersionMe;
            return WinVersion95;
        case VER_PLATFORM_WIN32_NT:
            if (major == 4) return WinVersionNT4;
            if (major == 5 && minor == 0) return WinVersion2000;
            if (major == 5 && minor == 1) return WinVersionXP;
            return WinVersionNT;
        default: return WinVersionUnknown;
    }
}

int GetWinVersionClass()
{
    static const int version = [] {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!::GetVersionExA(&info)) return static_cast<int>(WinVersionUnknown);
#pragma GCC diagnostic pop
        return WinVersionClassOf(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
    }();
    return version;
}

bool DrawsOwnMenuShadow()
{
    BOOL systemShadow = FALSE;
    return !::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &systemShadow, 0) || !systemShadow;
}

bool IsInDockedBar(const CWnd* wnd)
{
    if (!wnd || !wnd->m_hWnd) return false;
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(wnd->m_hWnd));
    auto* bar = parent ? DYNAMIC_DOWNCAST(CControlBar, parent) : nullptr;
    return bar && bar->m_pDockSite;
}

void CHoverTracker::Changed()
{
    if (!m_pOwner || !m_pOwner->m_hWnd) return;
    if (m_flags & HT_REPAINT) m_pOwner->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (m_flags & HT_FRAME)
        m_pOwner->SetWindowPos(nullptr, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

namespace {
void TrackLeave(HWND hwnd, bool cancel)
{
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_LEAVE | (cancel ? TME_CANCEL : 0);
    tme.hwndTrack = hwnd;
    ::TrackMouseEvent(&tme);
}
}  // namespace

bool CHoverTracker::OnMouseMove(CWnd* wnd)
{
    HWND h = wnd ? wnd->m_hWnd : (m_pOwner ? m_pOwner->m_hWnd : nullptr);
    if (!h) return false;
    if (!m_bHover) {
        m_bHover = 1;
        m_hTracked = h;
        Changed();
        TrackLeave(h, false);
        return true;
    }
    if (h != m_hTracked) {
        if (m_hTracked && ::IsWindow(m_hTracked)) TrackLeave(m_hTracked, true);
        m_hTracked = h;
        TrackLeave(h, false);
    }
    return false;
}

bool CHoverTracker::OnMouseLeave(CWnd* wnd)
{
    HWND h = wnd ? wnd->m_hWnd : (m_pOwner ? m_pOwner->m_hWnd : nullptr);
    if (!m_bHover || h != m_hTracked) return false;
    m_bHover = 0;
    m_hTracked = nullptr;
    Changed();
    return true;
}
