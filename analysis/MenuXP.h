#pragma once
// Flat, owner-drawn menus: an image column with the toolbars' images, a
// framed selection, right-aligned shortcuts, a menu bar whose open item
// merges with the popup under it, and a soft shadow drawn by the menu itself
// where the system draws none. One process-wide state and one window hook:
// the application installs the hook at start-up; a frame switches the look
// on for itself, prepares its menus and forwards WM_MEASUREITEM,
// WM_DRAWITEM and WM_MENUCHAR of owner-drawn menus here.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

#include <map>

// An image of an image list.
struct ANALYSIS_API CImgDesc {
    HIMAGELIST m_hImgList = nullptr;
    int m_nIndex = -1;
};

// Window properties of the flat look.
#define XPWNDPROP_MENUXP "XPWndProp_MenuXP"    // a top-level window with the flat look
#define XPWNDPROP_OLDPROC "XPWndProp_OldProc"  // a popup menu's own window procedure

class ANALYSIS_API CMenuXP {
public:
    static bool m_Gradient;
    static bool m_GradientSel;
    // 0xFFFFFFFF follows COLOR_BTNFACE (start 20 %, end 75 % lighter).
    static COLORREF m_GradientStart;
    static COLORREF m_GradientEnd;
    static int m_GradientWidth;

    static std::map<UINT, CString> ms_sCaptions;
    static std::map<HMENU, CString> ms_sSubMenuCaptions;
    static std::map<UINT, CImgDesc> ms_Images;
    static std::map<HMENU, CImgDesc> ms_SubMenuImages;

    // One more user of the hook; the first installs it for this thread.
    static void InitializeHook();
    // One user less; the last gives every menu window its own procedure back
    // and removes the hook.
    static void UninitializeHook();
    static bool IsHookInstalled();

    static void SetXPLookNFeel(CWnd* wnd, bool on = true);
    static bool GetXPLookNFeel(const CWnd* wnd);
    // Makes the items of a menu owner-drawn and measures them; nothing when on is false.
    static void SetXPLookNFeel(CWnd* wnd, HMENU menu, bool on = true, bool menuBar = false);
    static void UpdateMenuBar(CWnd* wnd);
    static bool IsOwnerDrawn(HMENU menu);

    static void OnMeasureItem(MEASUREITEMSTRUCT* mis);
    static bool OnDrawItem(DRAWITEMSTRUCT* dis, HWND wnd);
    static LRESULT OnMenuChar(HMENU menu, UINT ch, UINT flags);

    static void SetMenuItemImage(UINT id, HIMAGELIST images, int index);
    static void SetMRUMenuBarItem(RECT& rect);
    static void SetGradient(bool on = true);

    // The frame's side: the owner-draw messages of flat menus, answered in
    // *result; false for anything else.
    static bool HandleFrameMessage(CWnd* frame, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The open menu-bar item's rectangle (screen), and how many open
    // menu-bar items were drawn.
    static CRect GetMRUMenuBarItem();
    static int GetOpenBarItemsDrawn();
};
