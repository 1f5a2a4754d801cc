#pragma once
// A window test of the program's own frame driven as a user drives it: menu
// commands, keys through the application's accelerators, clicks at model
// points by the real pointer, typing into the prompt bar, value questions
// answered, files chosen in the file dialogs.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "AppTestUtil.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/DialogsBar.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/AppDialogsRes.h"
#include "vek/res/InteractRes.h"
#include "vek/res/resource.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/win/BottomDlg.h"

extern CVekApp theApp;

namespace vektest {

class ProgramWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = apptest::Frame();
        ASSERT_NE(frame, nullptr);
        CFileDialog::SetTestHook(&AnswerFileDialog);
        Command(ID_FILE_NEW);
        view = frame->GetActiveView();
        ASSERT_NE(view, nullptr);
        theProjectOptions.nGenerateMethod = 1;
        // The application's idle pass routes the view's messages to the interaction.
        theApp.OnIdle(0);
        CRect client;
        view->GetClientRect(&client);
        theViewProjection.SetScreenRect(0, 0, client.Width(), client.Height());
        theViewProjection.SetMode(1, 0, 0, 0);
        theViewProjection.SetDefaultView();
        const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 0, 1);
        frame->SetForegroundWindow();
        view->SetFocus();
        Pump();
    }
    void TearDown() override
    {
        MouseAway();
        theOperationStack.EndAllOperations();
        Pump();
        if (::testing::Test::HasFailure()) SaveScreenShot(frame->m_hWnd, FailureShot());
        for (const std::string& text : boxes.texts) ADD_FAILURE() << "message box: " << text;
        CFileDialog::SetTestHook(nullptr);
        ChosenFile().clear();
        if (CDocument* doc = frame->GetActiveDocument()) doc->SetModifiedFlag(FALSE);
        Command(ID_FILE_NEW);
        ::SetCurrentDirectoryA(apptest::ProgramFolder().c_str());
    }
    virtual const char* FailureShot() const { return "window_test_failure"; }

    // The path the next file dialog answers with; empty: Cancel.
    static std::string& ChosenFile()
    {
        static std::string path;
        return path;
    }
    static INT_PTR AnswerFileDialog(CFileDialog* dlg)
    {
        if (ChosenFile().empty()) return IDCANCEL;
        lstrcpynA(dlg->m_ofn.lpstrFile, ChosenFile().c_str(), dlg->m_ofn.nMaxFile);
        return IDOK;
    }

    // Messages as the application's loop takes them, accelerators included.
    static bool Wait(const std::function<bool()>& done)
    {
        return PumpUntil(done, apptest::kSafety, [](MSG* m) { return theApp.PreTranslateMessage(m) != FALSE; });
    }
    static void Pump()
    {
        PumpPending([](MSG* m) { return theApp.PreTranslateMessage(m) != FALSE; });
    }
    // A command as the menu or a toolbar button sends it.
    void Command(UINT id)
    {
        frame->SendMessage(WM_COMMAND, id);
        Pump();
    }
    void Chord(WORD key)
    {
        frame->SetForegroundWindow();
        view->SetFocus();
        Key(VK_CONTROL, true);
        Tap(key);
        Key(VK_CONTROL, false);
    }
    // The code of the interaction's current operation, 0 none.
    static int Code()
    {
        const CSingleOperate* op = theOperationStack.GetCurrentOperation();
        return op ? op->m_nCode : 0;
    }
    static HWND BarItem(int id) { return ::GetDlgItem(theBottomDlg->m_hWnd, id); }
    // Keys typed into the prompt bar's edit.
    static void Type(const char* keys)
    {
        for (const char* k = keys; *k; ++k)
            ::SendMessageA(BarItem(IDC_BAR_INPUT), WM_CHAR, static_cast<unsigned char>(*k), 1);
        Pump();
    }
    static POINT Pixel(const double p[3])
    {
        int sx, sy;
        theViewProjection.WorldToScreenInt(p, sx, sy);
        return POINT{sx, sy};
    }
    static POINT Pixel(double x, double y)
    {
        const double p[3] = {x, y, 0};
        return Pixel(p);
    }
    bool PointerAt(POINT p) const
    {
        POINT c;
        ::GetCursorPos(&c);
        view->ScreenToClient(&c);
        return c.x == p.x && c.y == p.y;
    }
    // A click of the real pointer at a pixel of the view.
    void ClickAt(POINT p)
    {
        MouseToClient(view->m_hWnd, p.x, p.y);
        ASSERT_TRUE(Wait([&] { return PointerAt(p); }));
        MouseButton(true);
        MouseButton(false);
    }
    // The number of the node within a pixel of the screen point, 0 none.
    static int NodeAtPixel(POINT p)
    {
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            const POINT q = Pixel(theNodes.GetAt(i)->m_dCoord);
            if (std::abs(q.x - p.x) <= 1 && std::abs(q.y - p.y) <= 1) return theNodes.GetAt(i)->m_nID;
        }
        return 0;
    }
    // The node at a point of the plan z = 0, 0 none.
    static int NodeAt(double x, double y)
    {
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            const double* c = theNodes.GetAt(i)->m_dCoord;
            if (std::fabs(c[0] - x) < 1e-9 && std::fabs(c[1] - y) < 1e-9 && std::fabs(c[2]) < 1e-9)
                return theNodes.GetAt(i)->m_nID;
        }
        return 0;
    }
    static int Count() { return theNodes.GetSize(); }
    // Answers the value question on the screen with the text, as the user types it and presses Enter.
    static void AnswerValue(const char* text, std::string* question)
    {
        RunSoon([=] {
            HWND dlg = ValueDialog();
            if (!dlg) {
                AnswerValue(text, question);
                return;
            }
            char shown[256] = {};
            ::GetDlgItemTextA(dlg, IDC_FLASH_TEXT, shown, sizeof shown);
            *question = shown;
            ::SetDlgItemTextA(dlg, IDC_FLASH_EDIT, text);
            // Enter in the edit: the dialog's default command.
            ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
        });
    }
    // The shown value question of this thread, or null.
    static HWND ValueDialog()
    {
        HWND found = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND w, LPARAM lp) -> BOOL {
                if (!::IsWindowVisible(w) || !::GetDlgItem(w, IDC_FLASH_EDIT)) return TRUE;
                *reinterpret_cast<HWND*>(lp) = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    // Clicks the node, then confirms the selection with the bar's apply button.
    void ApplyTo(int id)
    {
        const CNode* n = theNodes.GetByID(id);
        ClickAt(Pixel(n->m_dCoord));
        ASSERT_TRUE(Wait([&] { return theNodes.GetByID(id)->IsSelected(); }));
        theBottomDlg->UpdateBarControls();
        ::SendMessageA(BarItem(IDC_BAR_APPLY), BM_CLICK, 0, 0);
        ASSERT_TRUE(Wait([&] { return !theNodes.GetByID(id)->IsSelected(); }));
    }

    CMainFrame* frame = nullptr;
    CWnd* view = nullptr;
    apptest::BoxRecorder boxes;
};

}  // namespace vektest
