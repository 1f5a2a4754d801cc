// The test bed: what every later test relies on of Wine and the toolchain.
#include <windows.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform_res.h"
#include "tests/support/WinTestSupport.h"

namespace {

std::string Bytes(const char* s)
{
    return std::string(s);
}

TEST(CodePage, AnsiCodePageIs936AndLiteralsAreGbk)
{
    EXPECT_EQ(GetACP(), 936u);
    // "中文" in GBK, written out by hand.
    const unsigned char expected[] = {0xD6, 0xD0, 0xCE, 0xC4, 0};
    EXPECT_EQ(Bytes("中文"), Bytes(reinterpret_cast<const char*>(expected)));
}

TEST(Resources, StringTableTextArrivesAsExactGbkBytes)
{
    char buf[64] = {};
    const int n = LoadStringA(GetModuleHandleA(nullptr), IDS_GBK_TEXT, buf, sizeof buf);
    // "结构工作台" in GBK.
    const unsigned char expected[] = {0xBD, 0xE1, 0xB9, 0xB9, 0xB9, 0xA4, 0xD7, 0xF7, 0xCC, 0xA8};
    ASSERT_EQ(n, static_cast<int>(sizeof expected));
    EXPECT_EQ(0, std::memcmp(buf, expected, sizeof expected));
    EXPECT_EQ(buf[n], '\0');
}

TEST(Fonts, SongTiFaceHasChineseGlyphs)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    LOGFONTA lf{};
    lf.lfHeight = -12;
    lf.lfCharSet = GB2312_CHARSET;
    std::strcpy(lf.lfFaceName, "宋体");
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    WORD glyphs[4] = {0, 0, 0xFFFF, 0xFFFF};
    // Four GBK bytes are two characters and so two glyphs.
    const DWORD got = GetGlyphIndicesA(dc, "中文", 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
    EXPECT_EQ(got, 2u);
    EXPECT_NE(glyphs[0], 0xFFFF);
    EXPECT_NE(glyphs[1], 0xFFFF);
    SIZE sz{};
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "中", 2, &sz));
    EXPECT_GT(sz.cx, 6);  // a full-width glyph, not a replacement box of a narrow font
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

// Pixels that drawing one character in black on white leaves non-white.
int InkOf(HDC dc, void* bits, int w, int h, char c)
{
    auto* px = static_cast<uint32_t*>(bits);
    std::fill(px, px + w * h, 0x00FFFFFFu);
    GdiFlush();
    TextOutA(dc, w / 4, h / 4, &c, 1);
    GdiFlush();
    return static_cast<int>(std::count_if(px, px + w * h, [](uint32_t p) { return (p & 0xFFFFFF) != 0xFFFFFF; }));
}

// The printable ASCII characters that leave no ink in a font ("" when all do).
std::string BlankCharacters(HFONT font)
{
    constexpr int W = 64, H = 64;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return "(no memory DC)";
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = W;
    bi.bmiHeader.biHeight = -H;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) {
        DeleteDC(dc);
        return "(no memory bitmap)";
    }
    HGDIOBJ oldBmp = SelectObject(dc, dib);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    std::string blank;
    for (char c = 0x21; c <= 0x7E; c++)
        if (InkOf(dc, bits, W, H, c) == 0) blank += c;
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteObject(dib);
    DeleteDC(dc);
    return blank;
}

// Names such as "bars_doc" or "9a17-aa52" must read as they are in dialogs:
// every printable ASCII character draws in the faces dialogs get, at the
// sizes they use (8 to 12 points at 96 dpi).
TEST(Fonts, DialogFacesDrawEveryPrintableAsciiCharacter)
{
    const struct {
        const char* face;
        BYTE charset;
    } faces[] = {
        {"MS Shell Dlg", DEFAULT_CHARSET}, {"MS Shell Dlg 2", DEFAULT_CHARSET},
        {"Tahoma", DEFAULT_CHARSET},       {"MS Sans Serif", DEFAULT_CHARSET},
        {"宋体", GB2312_CHARSET},
    };
    for (const auto& f : faces) {
        for (int px = 11; px <= 16; px++) {
            LOGFONTA lf{};
            lf.lfHeight = -px;
            lf.lfCharSet = f.charset;
            std::strcpy(lf.lfFaceName, f.face);
            HFONT font = CreateFontIndirectA(&lf);
            ASSERT_NE(font, nullptr);
            EXPECT_EQ(BlankCharacters(font), "") << f.face << " at " << px << " pixels";
            DeleteObject(font);
        }
    }

    // The fonts the system hands out: the stock GUI font, and the message
    // and icon-title fonts that message boxes, list views and menus use.
    EXPECT_EQ(BlankCharacters(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))), "") << "DEFAULT_GUI_FONT";
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    LOGFONTA iconTitle{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0));
    for (const LOGFONTA* lf : {&ncm.lfMessageFont, &ncm.lfMenuFont, &iconTitle}) {
        HFONT font = CreateFontIndirectA(lf);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(BlankCharacters(font), "") << lf->lfFaceName << " at " << lf->lfHeight;
        DeleteObject(font);
    }
}

// --- a dialog from a resource template, driven by messages ---------------

struct EntryResult {
    char name[64] = {};
    char count[16] = {};
    bool wasVisible = false;
};

constexpr UINT kDriveDialog = WM_APP + 1;

INT_PTR CALLBACK EntryDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* res = reinterpret_cast<EntryResult*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dlg, DWLP_USER, lp);
            SetTimer(dlg, 1, 15000, nullptr);  // never hang the run
            PostMessageA(dlg, kDriveDialog, 0, 0);
            return TRUE;
        case kDriveDialog: {
            // What a user would do: type into the edits, then click OK.
            res->wasVisible = IsWindowVisible(dlg) != FALSE;
            SendDlgItemMessageA(dlg, IDC_NAME, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("钢梁-1"));
            HWND count = GetDlgItem(dlg, IDC_COUNT);
            SetFocus(count);
            for (char c : std::string("42")) SendMessageA(count, WM_CHAR, static_cast<WPARAM>(c), 1);
            SendDlgItemMessageA(dlg, IDOK, BM_CLICK, 0, 0);
            return TRUE;
        }
        case WM_TIMER:
            vektest::SaveWindowShot(dlg, "platform_dialog_timeout");
            EndDialog(dlg, -1);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                GetDlgItemTextA(dlg, IDC_NAME, res->name, sizeof res->name);
                GetDlgItemTextA(dlg, IDC_COUNT, res->count, sizeof res->count);
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

TEST(Dialogs, TemplateDialogTakesTextAndOkAndHandsValuesBack)
{
    EntryResult res;
    const INT_PTR rc = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ENTRY), nullptr, EntryDlgProc,
                                       reinterpret_cast<LPARAM>(&res));
    ASSERT_EQ(rc, IDOK);
    EXPECT_TRUE(res.wasVisible);
    EXPECT_EQ(Bytes(res.name), Bytes("钢梁-1"));
    EXPECT_EQ(Bytes(res.count), "42");
}

// --- OpenGL into a memory bitmap -----------------------------------------

TEST(OpenGL, RendersIntoDibSection)
{
    constexpr int W = 64, H = 64;
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = W;
    bi.bmiHeader.biHeight = H;  // bottom-up: row 0 in memory is the bottom row, as in GL
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    HGDIOBJ oldBmp = SelectObject(dc, dib);

    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL | PFD_SUPPORT_GDI;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int pf = ChoosePixelFormat(dc, &pfd);
    ASSERT_GT(pf, 0);
    ASSERT_TRUE(SetPixelFormat(dc, pf, &pfd));
    HGLRC rc = wglCreateContext(dc);
    ASSERT_NE(rc, nullptr);
    ASSERT_TRUE(wglMakeCurrent(dc, rc));

    glViewport(0, 0, W, H);
    glClearColor(0.f, 0.f, 1.f, 1.f);  // blue background
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_QUADS);
    glColor3f(1.f, 0.f, 0.f);  // red left half
    glVertex2f(-1.f, -1.f);
    glVertex2f(0.f, -1.f);
    glVertex2f(0.f, 1.f);
    glVertex2f(-1.f, 1.f);
    glColor3f(0.f, 1.f, 0.f);  // green top-right quarter
    glVertex2f(0.f, 0.f);
    glVertex2f(1.f, 0.f);
    glVertex2f(1.f, 1.f);
    glVertex2f(0.f, 1.f);
    glEnd();
    glFinish();
    GdiFlush();

    auto pixel = [&](int x, int yFromBottom) {
        const auto* p = static_cast<const unsigned char*>(bits) + (yFromBottom * W + x) * 4;
        return RGB(p[2], p[1], p[0]);  // DIB pixels are B, G, R, x
    };
    EXPECT_EQ(pixel(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(pixel(10, 54), RGB(255, 0, 0));
    EXPECT_EQ(pixel(54, 10), RGB(0, 0, 255));
    EXPECT_EQ(pixel(54, 54), RGB(0, 255, 0));

    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(rc);
    SelectObject(dc, oldBmp);
    DeleteObject(dib);
    DeleteDC(dc);
}

// --- a console program of ours, its output on a pipe ---------------------

std::string ChildPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    return p.substr(0, p.find_last_of("\\/") + 1) + "platform_child.exe";
}

TEST(Processes, ChildOutputAndExitCodeComeBackOverPipe)
{
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &sa, 0));
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + ChildPath() + "\" 7 500";
    ASSERT_TRUE(
        CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        << cmd;
    CloseHandle(writeEnd);

    std::string out;
    char buf[256];
    DWORD got = 0;
    while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    CloseHandle(readEnd);
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);

    EXPECT_EQ(code, 7u);
    // The C runtime writes text mode: lines end in CR LF.
    EXPECT_EQ(out.rfind("line 1\r\nline 2\r\n", 0), 0u) << out.substr(0, 40);
    EXPECT_NE(out.find("line 500\r\n"), std::string::npos);
    EXPECT_NE(out.find("计算完成"), std::string::npos);
}

}  // namespace
