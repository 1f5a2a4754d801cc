#include "tests/support/WinTestSupport.h"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace vektest {

namespace {

std::string Capture(HWND hwnd, const char* name, bool fromScreen)
{
    RECT rc{};
    if (!GetWindowRect(hwnd, &rc)) return {};
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0) return {};
    HDC wdc = GetWindowDC(hwnd);
    HDC mdc = CreateCompatibleDC(wdc);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(wdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::string path;
    if (bmp) {
        HGDIOBJ old = SelectObject(mdc, bmp);
        if (fromScreen) {
            HDC sdc = GetDC(nullptr);
            BitBlt(mdc, 0, 0, w, h, sdc, rc.left, rc.top, SRCCOPY);
            ReleaseDC(nullptr, sdc);
        } else if (!PrintWindow(hwnd, mdc, 0)) {
            BitBlt(mdc, 0, 0, w, h, wdc, 0, 0, SRCCOPY);
        }
        GdiFlush();
        const DWORD stride = ((w * 3 + 3) / 4) * 4, size = stride * h;
        BITMAPFILEHEADER fh{};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(BITMAPINFOHEADER);
        fh.bfSize = fh.bfOffBits + size;
        path = std::string(VEK_ARTIFACTS) + "/" + name + ".bmp";
        FILE* f = std::fopen(path.c_str(), "wb");
        bool ok = f && std::fwrite(&fh, sizeof fh, 1, f) == 1 &&
                  std::fwrite(&bi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, f) == 1 && std::fwrite(bits, size, 1, f) == 1;
        if (f && std::fclose(f) != 0) ok = false;
        if (!ok) path.clear();
        SelectObject(mdc, old);
        DeleteObject(bmp);
    }
    DeleteDC(mdc);
    ReleaseDC(hwnd, wdc);
    return path;
}

}  // namespace

std::string SaveWindowShot(HWND hwnd, const char* name)
{
    return Capture(hwnd, name, false);
}

std::string SaveScreenShot(HWND hwnd, const char* name)
{
    return Capture(hwnd, name, true);
}

void PumpPending(const PreTranslate& pre)
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (pre && pre(&m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD safetyMs, const PreTranslate& pre)
{
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        PumpPending(pre);
        if (done()) return true;
        const ULONGLONG spent = GetTickCount64() - start;
        if (spent >= safetyMs) return false;
        // Sleeps until a message, paint or timer is there for this thread.
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(safetyMs - spent), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

namespace {
std::vector<std::pair<UINT_PTR, std::function<void()>>> soon;
void CALLBACK SoonTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    for (size_t i = 0; i < soon.size(); ++i) {
        if (soon[i].first == id) {
            auto fn = std::move(soon[i].second);
            soon.erase(soon.begin() + static_cast<std::ptrdiff_t>(i));
            fn();
            return;
        }
    }
}
}  // namespace

void RunSoon(std::function<void()> fn, UINT delayMs)
{
    const UINT_PTR id = SetTimer(nullptr, 0, delayMs, SoonTimer);
    soon.emplace_back(id, std::move(fn));
}

void CancelSoon()
{
    for (const auto& s : soon) KillTimer(nullptr, s.first);
    soon.clear();
}

std::vector<uint32_t> WindowPixels(HWND hwnd, int width, int height)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) {
        DeleteDC(mem);
        return {};
    }
    HGDIOBJ old = SelectObject(mem, dib);
    HDC window = GetDC(hwnd);
    BitBlt(mem, 0, 0, width, height, window, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, window);
    GdiFlush();
    std::vector<uint32_t> out(static_cast<const uint32_t*>(bits),
                              static_cast<const uint32_t*>(bits) + static_cast<size_t>(width) * height);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    return out;
}

std::string WaitForPrintedPdf(const std::string& title)
{
    for (int i = 0; i < 600; ++i) {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(kPrintedPdfFolder, ec)) {
            const std::string name = e.path().filename().string();
            if (name.find(title) == std::string::npos || e.path().extension() != ".pdf") continue;
            // cups-pdf writes the file in place: it is whole once it ends with the trailer.
            std::ifstream f(e.path(), std::ios::binary);
            std::stringstream text;
            text << f.rdbuf();
            if (text.str().find("%%EOF") != std::string::npos) return e.path().string();
        }
        Sleep(100);
    }
    return {};
}

}  // namespace vektest
