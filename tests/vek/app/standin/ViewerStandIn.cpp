// A stand-in for the dynamic-result viewer in the tests: it registers the
// viewer's two messages, answers the identification request, and writes what
// it was sent to a report file.
//   viewer_standin <report file> [normal|minimized|hidden|wrong]
// The named event "VekViewerStandIn<pid>" is set once its window is up.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

UINT identify, showNode;
const char* reportPath = "";
bool wrongAnswer = false;

void Report(const std::string& line)
{
    if (FILE* f = std::fopen(reportPath, "ab")) {
        std::fputs((line + "\n").c_str(), f);
        std::fclose(f);
    }
}

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == identify && identify) return wrongAnswer ? identify + 1 : identify;
    if (m == showNode && showNode) {
        char line[96];
        std::snprintf(line, sizeof line, "node %u item %u direction %u", static_cast<unsigned>(w),
                      static_cast<unsigned>(LOWORD(l)), static_cast<unsigned>(HIWORD(l)));
        Report(line);
        return 0;
    }
    if (m == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(l);
        const char* text = static_cast<const char*>(data->lpData);
        char line[400];
        std::snprintf(line, sizeof line, "copy %lu %lu %s", static_cast<unsigned long>(data->dwData),
                      static_cast<unsigned long>(data->cbData),
                      data->cbData > 0 && text ? std::string(text, strnlen(text, data->cbData)).c_str() : "");
        Report(line);
        return TRUE;
    }
    if (m == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    reportPath = argv[1];
    const std::string mode = argc > 2 ? argv[2] : "normal";
    wrongAnswer = mode == "wrong";
    identify = RegisterWindowMessageA("ARE_YOU_MOLTERA");
    showNode = RegisterWindowMessageA("VODIDEDAVIZUVURAZ");

    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "VekViewerStandIn";
    RegisterClassA(&wc);
    HWND h = CreateWindowA("VekViewerStandIn", "viewer stand-in", WS_OVERLAPPEDWINDOW, 60, 60, 320, 200, nullptr,
                           nullptr, wc.hInstance, nullptr);
    if (!h) return 3;
    if (mode == "minimized")
        ShowWindow(h, SW_SHOWMINNOACTIVE);
    else if (mode != "hidden")
        ShowWindow(h, SW_SHOWNOACTIVATE);

    char name[64];
    std::snprintf(name, sizeof name, "VekViewerStandIn%lu", GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, name);
    if (ready) SetEvent(ready);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (ready) CloseHandle(ready);
    return 0;
}
