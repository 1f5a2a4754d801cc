#pragma once
// Modal dialogs of the program answered from inside their own loops, as a
// user fills them: clicks, typed keys, a name asked for, a picture kept.
#include <functional>
#include <string>

#include "framework/Afx.h"
#include "tests/support/WinTestSupport.h"

namespace apptest {

inline CDialog* ActiveModal()
{
    return CDialog::GetActiveModal();
}

// Runs fn once a modal dialog other than `outer` is up, inside its loop.
inline void WhenModal(std::function<void(CDialog*)> fn, CDialog* outer = nullptr)
{
    vektest::RunSoon([fn, outer] {
        vektest::PumpUntil([outer] {
            CDialog* d = ActiveModal();
            return d && d != outer && d->m_hWnd && ::IsWindowVisible(d->m_hWnd);
        });
        fn(ActiveModal());
    });
}

// A click on a button: a radio button or check box changes its state too.
inline void Click(CDialog* d, int id)
{
    d->GetDlgItem(id)->SendMessage(BM_CLICK);
}

// Types the text into the control as keystrokes would.
inline void Type(CDialog* d, int id, const char* text)
{
    CWnd* edit = d->GetDlgItem(id);
    edit->SetFocus();
    edit->SendMessage(EM_SETSEL, 0, -1);
    for (const char* c = text; *c; ++c) edit->SendMessage(WM_CHAR, WPARAM(static_cast<unsigned char>(*c)), 0);
}

// The name dialog of Add: the name typed, OK.
inline void AnswerName(CDialog* owner, const char* name, std::string* title = nullptr)
{
    WhenModal(
        [name, title](CDialog* d) {
            if (title) {
                CString t;
                d->GetWindowText(t);
                *title = t.GetString();
            }
            d->SetDlgItemText(103, name);
            Click(d, IDOK);
        },
        owner);
}

// The dialog as shown, kept with the other dialogs' pictures among the
// build's artifacts to be looked at.
inline void Screenshot(CDialog* d, const char* name)
{
    ::CreateDirectoryA(VEK_ARTIFACTS "/dialogs", nullptr);
    d->UpdateWindow();
    vektest::PumpPending();
    vektest::SaveScreenShot(d->m_hWnd, (std::string("dialogs/") + name).c_str());
}

}  // namespace apptest
