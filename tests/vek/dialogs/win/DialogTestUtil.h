#pragma once
// Helpers of the dialogs' window tests: typing and clicking as a user does,
// combo keys, reading controls back, modal dialogs driven from inside their
// loop, and a picture of each dialog in the artifacts' "dialogs" folder.
#include <functional>
#include <string>

#include "analysis/TableWnd.h"
#include "framework/Afx.h"
#include "tests/support/WinTestSupport.h"
#include "tests/vek/app/AppTestUtil.h"

namespace dlgtest {

using apptest::Frame;

inline std::string TextOf(HWND w)
{
    char text[1024] = {};
    ::SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}
inline std::string ItemText(HWND dlg, int id)
{
    return TextOf(::GetDlgItem(dlg, id));
}

// Replaces an edit's text by typing: select all, then the characters (GBK
// double-byte runs as an input method puts them in).
inline void TypeInto(HWND edit, const char* text)
{
    ::SetFocus(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    for (const char* k = text; *k;) {
        const auto c = static_cast<unsigned char>(*k);
        if (c >= 0x81 && k[1]) {
            // A run of double-byte characters as an input method's result
            // string: put in at the caret (the system edit under Wine takes no
            // lead byte alone through an ANSI window procedure).
            const char* end = k;
            while (static_cast<unsigned char>(*end) >= 0x81 && end[1]) end += 2;
            const std::string run(k, end);
            ::SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(run.c_str()));
            k = end;
        } else {
            ::SendMessageA(edit, WM_CHAR, c, 1);
            ++k;
        }
    }
    vektest::PumpPending();
}

// A click on a button as the mouse makes it.
inline void Click(HWND dlg, int id)
{
    const HWND b = ::GetDlgItem(dlg, id);
    ::SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    vektest::PumpPending();
}

// A key pressed in a control that has the focus.
inline void KeyIn(HWND w, WORD vk)
{
    ::SetFocus(w);
    ::SendMessageA(w, WM_KEYDOWN, vk, 1);
    ::SendMessageA(w, WM_KEYUP, vk, 0xC0000001);
    vektest::PumpPending();
}

// A key pressed in a control of a modal dialog: queued, so that the dialog's
// loop sees it (Tab, Enter and Esc are the dialog's).
inline void PostKey(HWND w, WORD vk)
{
    ::SetFocus(w);
    ::PostMessageA(w, WM_KEYDOWN, vk, 1);
    ::PostMessageA(w, WM_KEYUP, vk, 0xC0000001);
}

// Moves a drop-down list's choice to entry `index` by arrow keys.
inline void ChooseByKeys(HWND combo, int index)
{
    ::SetFocus(combo);
    KeyIn(combo, VK_HOME);
    for (int i = 0; i < index; ++i) KeyIn(combo, VK_DOWN);
}

inline int Selection(HWND combo)
{
    return int(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

inline std::string EntryText(HWND combo, int index)
{
    char text[512] = {};
    if (::SendMessageA(combo, CB_GETLBTEXTLEN, index, 0) >= LRESULT(sizeof text)) return {};
    ::SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

inline bool Enabled(HWND dlg, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dlg, id)) != FALSE;
}

// Saves what the screen shows of the window under build/artifacts/dialogs.
inline void Picture(HWND w, const char* name)
{
    ::CreateDirectoryA(VEK_ARTIFACTS "/dialogs", nullptr);
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    vektest::PumpPending();
    vektest::SaveScreenShot(w, (std::string("dialogs/") + name).c_str());
}

inline CDialog* ActiveModal()
{
    return CDialog::GetActiveModal();
}

// Runs fn once a modal dialog is up, inside its loop. It looks again on a
// timer rather than waiting, so the dialog may come from a posted command.
inline void WhenModal(std::function<void(CDialog*)> fn)
{
    vektest::RunSoon([fn] {
        CDialog* d = ActiveModal();
        if (d && d->m_hWnd && ::IsWindowVisible(d->m_hWnd))
            fn(d);
        else
            WhenModal(fn);
    });
}

// Runs fn once a modal dialog of class T is the active one (one opened from
// inside another's handler, say).
template <class T>
inline void WhenModalOf(std::function<void(T*)> fn)
{
    vektest::RunSoon([fn] {
        CDialog* d = ActiveModal();
        T* t = d ? dynamic_cast<T*>(d) : nullptr;
        if (t && t->m_hWnd && ::IsWindowVisible(t->m_hWnd))
            fn(t);
        else
            WhenModalOf<T>(fn);
    });
}

// Types into a grid from a cell on: a click on the cell, then each text
// followed by Tab, as the keyboard gives them.
inline void TypeCells(CTableWnd* grid, int row, int col, std::initializer_list<const char*> texts)
{
    const RECT r = grid->GetTable().CellRect(row, col);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SetFocus(grid->m_hWnd);
    ::SendMessageA(grid->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(grid->m_hWnd, WM_LBUTTONUP, 0, at);
    vektest::PumpPending();
    for (const char* t : texts) {
        for (const char* k = t; *k; ++k) ::SendMessageA(::GetFocus(), WM_CHAR, static_cast<unsigned char>(*k), 1);
        ::SendMessageA(::GetFocus(), WM_CHAR, VK_TAB, 1);
        vektest::PumpPending();
    }
}

inline std::string CellText(CTableWnd* grid, int row, int col)
{
    char text[128] = {};
    grid->GetCellText(row, col, text, sizeof text);
    return text;
}

}  // namespace dlgtest
