// Start-up of Vek.exe: the main window with its menu. The application object
// of the framework takes this over once the framework exists.
#include <windows.h>
#include "resource.h"

namespace {

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == ID_APP_EXIT) {
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "VekMainFrame";
    if (!RegisterClassA(&wc))
        return 1;
    HWND frame = CreateWindowA("VekMainFrame", "Vek", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               1000, 700, nullptr, LoadMenuA(inst, MAKEINTRESOURCEA(IDR_MAINFRAME)), inst, nullptr);
    if (!frame)
        return 1;
    HACCEL accel = LoadAcceleratorsA(inst, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ShowWindow(frame, show);
    UpdateWindow(frame);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorA(frame, accel, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    return static_cast<int>(m.wParam);
}
