// The label control: flashing text and background, its font, and a link
// that opens its text through the shell.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "LookTestApp.h"
#include "analysis/MyDialog.h"
#include "analysis/MyStatic.h"
#include "look_res.h"

using namespace looktest;

namespace {

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MouseAway();
        ASSERT_TRUE(ShowModeless(dlg, IDD_LABELS, 120, 120));
        ASSERT_TRUE(label.SubclassDlgItem(IDC_LABEL, &dlg));
        ASSERT_TRUE(link.SubclassDlgItem(IDC_LINK, &dlg));
        dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    void TearDown() override
    {
        if (::testing::Test::HasFailure()) vektest::SaveWindowShot(dlg.m_hWnd, "look_labels");
        dlg.DestroyWindow();
        Drain();
    }
    CString Text(CWnd& w) const
    {
        CString s;
        w.GetWindowText(s);
        return s;
    }
    CMyDialog dlg;
    CMyStatic label, link;
};

TEST_F(LabelTest, FlashingTextAlternatesAndComesBackWhenStopped)
{
    label.FlashText(true);
    EXPECT_EQ(label.GetFlashMode(), CMyStatic::FlashTextMode);
    ASSERT_TRUE(WaitUntil([&] { return Text(label).IsEmpty(); }));
    ASSERT_TRUE(WaitUntil([&] { return Text(label) == "闪烁的文字"; }));
    ASSERT_TRUE(WaitUntil([&] { return Text(label).IsEmpty(); }));
    label.FlashText(false);
    EXPECT_STREQ(Text(label), "闪烁的文字") << "stopping puts the text back";
    EXPECT_EQ(label.GetFlashMode(), CMyStatic::FlashNone);
    // Switching from text to background flashing also gives the text back.
    label.FlashText(true);
    ASSERT_TRUE(WaitUntil([&] { return Text(label).IsEmpty(); }));
    label.FlashBackground(true);
    EXPECT_STREQ(Text(label), "闪烁的文字");
    label.FlashBackground(false);
}

TEST_F(LabelTest, FlashingBackgroundAlternatesWithTheButtonFace)
{
    const COLORREF red = RGB(200, 20, 20);
    label.SetBkColor(red).SetText("x");
    CRect r;
    label.GetClientRect(&r);
    label.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(Hex(ClientPixel(label.m_hWnd, r.right - 2, r.bottom / 2)), Hex(red));
    label.FlashBackground(true);
    auto corner = [&] { return ClientPixel(label.m_hWnd, r.right - 2, r.bottom / 2); };
    ASSERT_TRUE(WaitUntil([&] { return corner() == ::GetSysColor(COLOR_BTNFACE); }));
    ASSERT_TRUE(WaitUntil([&] { return corner() == red; }));
    ASSERT_TRUE(WaitUntil([&] { return corner() == ::GetSysColor(COLOR_BTNFACE); }));
    label.FlashBackground(false);
    EXPECT_EQ(Hex(corner()), Hex(red));
}

TEST_F(LabelTest, FontSizeAndNameCutBetweenCharacters)
{
    auto metrics = [&] {
        HDC dc = ::GetDC(label.m_hWnd);
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(label.SendMessage(WM_GETFONT)));
        TEXTMETRICA tm{};
        ::GetTextMetricsA(dc, &tm);
        ::SelectObject(dc, old);
        ::ReleaseDC(label.m_hWnd, dc);
        return tm;
    };
    label.SetFontSize(12);
    EXPECT_EQ(label.GetLogFont().lfHeight, -12);
    TEXTMETRICA tm = metrics();
    // The character height asked for; the rasteriser may round the face's em by a pixel.
    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 12, 1);
    label.SetFontBold(true);
    tm = metrics();
    EXPECT_GE(tm.tmWeight, FW_BOLD);

    // 16 characters of two bytes: 32 bytes; a face name holds 31.
    label.SetFontName("结构结构结构结构结构结构结构结构");
    EXPECT_EQ(std::strlen(label.GetLogFont().lfFaceName), 30u);
    EXPECT_EQ(std::string(label.GetLogFont().lfFaceName), std::string("结构结构结构结构结构结构结构结"));
    label.SetFontName("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    EXPECT_EQ(std::string(label.GetLogFont().lfFaceName), "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
    label.SetFontName("宋体");
    EXPECT_STREQ(label.GetLogFont().lfFaceName, "宋体");
}

TEST_F(LabelTest, ALinkStartsWhatItsTextNames)
{
    char exe[MAX_PATH];
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string program(exe);
    program = program.substr(0, program.find_last_of("\\/") + 1) + "look_marker.exe";
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string id = std::to_string(::GetCurrentProcessId());
    const std::string marker = std::string(temp) + "look_marker_" + id + ".txt";
    const std::string eventName = "VekLookMarker-" + id;
    ::DeleteFileA(marker.c_str());
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(event, nullptr);
    ::SetEnvironmentVariableA("VEK_LOOK_MARKER_FILE", marker.c_str());
    ::SetEnvironmentVariableA("VEK_LOOK_MARKER_EVENT", eventName.c_str());

    link.SetText(program.c_str());
    link.SetLink(true);
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY) << "a link takes clicks";
    MouseToClient(link.m_hWnd, 5, 5);
    MouseButton(true);
    MouseButton(false);
    // The program signals when it has left its marker.
    EXPECT_TRUE(WaitUntil([&] { return ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }));
    FILE* f = std::fopen(marker.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buf[16] = {};
    std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    EXPECT_STREQ(buf, "clicked");
    ::DeleteFileA(marker.c_str());
    ::CloseHandle(event);
    link.SetLink(false);
    EXPECT_FALSE(link.GetStyle() & SS_NOTIFY);
}

}  // namespace
