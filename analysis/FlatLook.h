#pragma once
// What the flat controls, the flat toolbar and the flat menus share: the
// Windows version class, the hover tracker, the docked-bar test, the own
// menu shadow switch and the flat colours made from system colours.
#include "analysis/AnalysisApi.h"
#include "analysis/LookColor.h"
#include "framework/Afx.h"

// Windows version class: 0 unknown, 1 Win32s, 2 Windows 95 (and any other 9x
// not listed), 3 Windows 98, 4 Windows Me, 5 any other NT, 6 NT 4,
// 7 Windows 2000, 8 Windows XP. Read once, then remembered.
enum WinVersionClass {
    WinVersionUnknown = 0,
    WinVersionWin32s,
    WinVersion95,
    WinVersion98,
    WinVersionMe,
    WinVersionNT,
    WinVersionNT4,
    WinVersion2000,
    WinVersionXP
};
ANALYSIS_API int GetWinVersionClass();
// The class of a version as GetVersionEx reports it.
ANALYSIS_API int WinVersionClassOf(DWORD platformId, DWORD major, DWORD minor);

// Whether the menus draw their own shadow: only when the system draws none
// (drop shadows off, or the setting cannot be read).
ANALYSIS_API bool DrawsOwnMenuShadow();

// Whether the window sits in a control bar that is docked in a frame.
ANALYSIS_API bool IsInDockedBar(const CWnd* wnd);

// A system colour with its luminance and saturation moved by percentages.
inline COLORREF FlatColor(int sysColor, int luminancePercent, int saturationPercent = 0)
{
    return HLS_TRANSFORM(::GetSysColor(sysColor), luminancePercent, saturationPercent);
}

// Hover tracking of one control: enter and leave repaint it (HT_REPAINT)
// and recompute its frame (HT_FRAME). Leave tracking follows the window the
// mouse is in, so a control with a child (the edit of a combo box) stays
// hot while the mouse moves between them.
class ANALYSIS_API CHoverTracker {
public:
    enum : WORD { HT_REPAINT = 1, HT_FRAME = 2 };

    void Init(CWnd* owner, WORD flags)
    {
        m_pOwner = owner;
        m_flags = flags;
    }
    void Reset() { m_bHover = 0; }
    bool IsHover() const { return m_bHover != 0; }
    // The mouse moved in wnd (the owner when null): true when hovering began.
    bool OnMouseMove(CWnd* wnd = nullptr);
    // The mouse left wnd (the owner when null): true when hovering ended.
    bool OnMouseLeave(CWnd* wnd = nullptr);

private:
    void Changed();

    CWnd* m_pOwner = nullptr;
    HWND m_hTracked = nullptr;
    WORD m_flags = 0;
    BYTE m_bHover = 0;
};
