// Timing of the flat look (not a test): how long the last item of a 60-item
// flat popup takes to paint against its first, and how long a dialog of 60
// flat controls takes to repaint against the same template with the
// system's controls. Prints both figures and their ratios.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "analysis/MenuXP.h"
#include "analysis/MyDialog.h"
#include "framework/Afx.h"

namespace {

class CTimingApp : public CWinApp {
public:
    CTimingApp() : CWinApp("FlatLookTiming") {}
} theTimingApp;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump()
{
    MSG m;
    while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
    }
}

// Microseconds per paint of one item of a prepared 60-item popup.
double ItemPaint(HMENU menu, int position, HDC dc, int rounds)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_DATA;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    int top = 3;
    for (int i = 0; i < position; ++i) {
        MENUITEMINFOA before{};
        before.cbSize = sizeof before;
        before.fMask = MIIM_DATA;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &before);
        top += static_cast<int>(before.dwItemData & 0xFF);
    }
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = info.wID;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = reinterpret_cast<HWND>(menu);
    dis.hDC = dc;
    dis.rcItem = RECT{3, top, 3 + 200, top + static_cast<int>(info.dwItemData & 0xFF)};
    dis.itemData = info.dwItemData;
    const double start = Now();
    for (int i = 0; i < rounds; ++i) CMenuXP::OnDrawItem(&dis, nullptr);
    return (Now() - start) / rounds * 1e6;
}

// A dialog template of 60 controls: 20 push buttons, 20 edits, 20 combo boxes
// (or 60 of one kind: 0 buttons, 1 edits, 2 combo boxes).
std::vector<WORD> SixtyControls(int only = -1)
{
    std::vector<WORD> t;
    auto dword = [&](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto align = [&] {
        if (t.size() % 2) t.push_back(0);
    };
    dword(WS_POPUP | WS_VISIBLE | DS_SETFONT);
    dword(0);
    t.push_back(60);
    t.insert(t.end(), {0, 0, 380, 260});
    t.insert(t.end(), {0, 0, 0});  // no menu, default class, no caption
    t.push_back(9);
    for (const wchar_t* f = L"宋体"; *f; ++f) t.push_back(static_cast<WORD>(*f));
    t.push_back(0);
    for (int i = 0; i < 60; ++i) {
        align();
        const int kind = only >= 0 ? only : i % 3, row = i / 3;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        WORD atom = 0x0080;  // button
        if (kind == 1) {
            style |= WS_BORDER | ES_AUTOHSCROLL;
            atom = 0x0081;  // edit
        } else if (kind == 2) {
            style |= CBS_DROPDOWN | WS_VSCROLL;
            atom = 0x0085;  // combo box
        }
        dword(style);
        dword(0);
        t.insert(t.end(), {static_cast<WORD>(10 + kind * 120), static_cast<WORD>(5 + row * 12), 110, 11});
        t.push_back(static_cast<WORD>(1000 + i));
        t.insert(t.end(), {0xFFFF, atom});
        for (const wchar_t* s = kind == 0 ? L"按钮" : L""; *s; ++s) t.push_back(static_cast<WORD>(*s));
        t.push_back(0);
        t.push_back(0);  // no creation data
    }
    return t;
}

// Milliseconds per repaint of the whole dialog with its controls.
double Repaint(CDialog& dialog, int rounds)
{
    Pump();
    const double start = Now();
    for (int i = 0; i < rounds; ++i)
        dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return (Now() - start) / rounds * 1e3;
}

}  // namespace

int main()
{
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW);

    // The popup: 60 items prepared by the flat menus, painted into a window
    // as tall as the popup.
    CWnd owner;
    owner.CreateEx(0, nullptr, "timing", WS_POPUP, CRect(0, 0, 220, 1400), nullptr, 0);
    CMenu menu;
    menu.CreatePopupMenu();
    for (int i = 0; i < 60; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "第 %d 项\tCtrl+%d", i + 1, i % 10);
        menu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(2000 + i), text);
    }
    CMenuXP::SetXPLookNFeel(&owner, menu.m_hMenu, true, false);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP surface = ::CreateCompatibleBitmap(screen, 220, 1400);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, surface);
    const int rounds = 3000;
    ItemPaint(menu.m_hMenu, 0, dc, 100);  // warm up
    const double first = ItemPaint(menu.m_hMenu, 0, dc, rounds);
    const double last = ItemPaint(menu.m_hMenu, 59, dc, rounds);
    ::SelectObject(dc, old);
    ::DeleteObject(surface);
    ::DeleteDC(dc);
    std::printf("popup of 60 items: first item %.1f us, last item %.1f us a paint; last / first = %.2f\n", first, last,
                last / first);

    // The dialogs: the same template, with the system's controls and with flat ones.
    const std::vector<WORD> tmpl = SixtyControls();
    CDialog plain;
    CMyDialog flat;
    plain.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(tmpl.data()));
    flat.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(tmpl.data()));
    plain.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    flat.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const int repaints = 60;
    Repaint(plain, 5);
    Repaint(flat, 5);
    const double system = Repaint(plain, repaints);
    const double flatMs = Repaint(flat, repaints);
    std::printf(
        "dialog of 60 controls (%d made flat): system controls %.2f ms, flat controls %.2f ms a repaint; "
        "flat / system = %.2f\n",
        flat.GetFlatControls().GetCount(), system, flatMs, flatMs / system);
    flat.DestroyWindow();
    plain.DestroyWindow();
    const char* kinds[] = {"push buttons", "edits", "combo boxes"};
    for (int kind = 0; kind < 3; ++kind) {
        const std::vector<WORD> one = SixtyControls(kind);
        CDialog p;
        CMyDialog f;
        p.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(one.data()));
        f.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(one.data()));
        Repaint(p, 5);
        Repaint(f, 5);
        const double a = Repaint(p, repaints), b = Repaint(f, repaints);
        std::printf("  60 %s: system %.2f ms, flat %.2f ms; flat / system = %.2f\n", kinds[kind], a, b, b / a);
        f.DestroyWindow();
        p.DestroyWindow();
    }
    owner.DestroyWindow();
    return 0;
}
