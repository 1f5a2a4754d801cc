// What the flat controls, bars and menus share, and the library's start.
#include <gtest/gtest.h>

#include "LookTestApp.h"
#include "analysis/FlatLook.h"

namespace {

TEST(SharedLook, WindowsVersionClasses)
{
    struct Case {
        DWORD platform, major, minor;
        int expected;
    } cases[] = {
        {VER_PLATFORM_WIN32s, 3, 10, WinVersionWin32s},    {VER_PLATFORM_WIN32_WINDOWS, 4, 0, WinVersion95},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, WinVersion98}, {VER_PLATFORM_WIN32_WINDOWS, 4, 90, WinVersionMe},
        {VER_PLATFORM_WIN32_NT, 4, 0, WinVersionNT4},      {VER_PLATFORM_WIN32_NT, 5, 0, WinVersion2000},
        {VER_PLATFORM_WIN32_NT, 5, 1, WinVersionXP},       {VER_PLATFORM_WIN32_NT, 5, 2, WinVersionNT},
        {VER_PLATFORM_WIN32_NT, 6, 1, WinVersionNT},       {99, 1, 0, WinVersionUnknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WinVersionClassOf(c.platform, c.major, c.minor), c.expected)
            << c.platform << " " << c.major << "." << c.minor;
    EXPECT_EQ(GetWinVersionClass(), WinVersionNT) << "this test bed reports Windows 7";
}

TEST(SharedLook, TheLibraryJoinedTheResourceChainAtLoad)
{
    const HMODULE analysis = ::GetModuleHandleA("analysis.dll");
    ASSERT_NE(analysis, nullptr);
    bool joined = false;
    for (int i = 0; i < CDynLinkLibrary::GetCount(); ++i)
        joined = joined || CDynLinkLibrary::GetAt(i)->m_hModule == analysis;
    EXPECT_TRUE(joined);
}

TEST(SharedLook, DockedBarTestNeedsABarInAFrame)
{
    EXPECT_FALSE(IsInDockedBar(nullptr));
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
    CToolBar loose;
    ASSERT_TRUE(loose.CreateEx(&parent));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD, CRect(0, 0, 50, 20), &loose, 1));
    EXPECT_FALSE(IsInDockedBar(&edit)) << "a bar in no frame";
    EXPECT_FALSE(IsInDockedBar(&loose));
    edit.DestroyWindow();
    loose.DestroyWindow();
    parent.DestroyWindow();
}

}  // namespace
