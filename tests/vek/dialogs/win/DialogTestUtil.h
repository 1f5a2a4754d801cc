#pragma once
// Helpers of the dialogs' window tests: typing and clicking as a user does,
// combo keys, reading controls back, modal dialogs driven from inside their
// loop, and a picture of each dialog in the artifacts' "dialogs" folder.
#include <functional>
#include <string>

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
// double bytes as two WM_CHARs, as an input method sends them).
inline void TypeInto(HWND edit, const char* text)
{
    ::SetFocus(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    for (const char* k = text; *k; ++k) ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*k), 1);
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

}  // namespace dlgtest
