// The chain of resource modules: a library that joins it at load lends its
// dialogs, menus, strings and toolbars to the program; the program's own
// resources come first; the library leaves the chain when it is unloaded.
#include <gtest/gtest.h>

#include "TestApp.h"
#include "fwtest_res.h"
#include "reslib/reslib_res.h"

namespace {

class ResourceChainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        before = CDynLinkLibrary::GetCount();
        lib = ::LoadLibraryA("fwtest_reslib.dll");
        ASSERT_NE(lib, nullptr);
    }
    void TearDown() override
    {
        if (lib) ::FreeLibrary(lib);
    }
    int before = 0;
    HMODULE lib = nullptr;
};

TEST_F(ResourceChainTest, LibraryJoinsAtLoadAndLeavesAtUnload)
{
    ASSERT_EQ(CDynLinkLibrary::GetCount(), before + 1);
    EXPECT_EQ(CDynLinkLibrary::GetAt(0)->m_hModule, lib) << "the newest library is searched first";
    ::FreeLibrary(lib);
    lib = nullptr;
    EXPECT_EQ(CDynLinkLibrary::GetCount(), before);
    CString text;
    EXPECT_FALSE(text.LoadString(IDS_RESLIB_TEXT));
}

TEST_F(ResourceChainTest, StringsComeFromTheModuleThatHoldsThem)
{
    CString text;
    ASSERT_TRUE(text.LoadString(IDS_RESLIB_TEXT)) << "a string the program's own block lacks";
    EXPECT_STREQ(text, "库里的字符串");
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(IDS_RESLIB_TEXT), RT_STRING), lib);
    ASSERT_TRUE(text.LoadString(IDS_RESLIB_SHADOWED));
    EXPECT_STREQ(text, "你好，结构工程师") << "the program's own string of the same id comes first";
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(IDS_RESLIB_SHADOWED), RT_STRING), ::GetModuleHandleA(nullptr));
}

TEST_F(ResourceChainTest, DialogsMenusAndToolbarsOfTheLibrary)
{
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_RESLIB));
    EXPECT_NE(::GetDlgItem(dialog.m_hWnd, IDC_RESLIB_EDIT), nullptr);
    dialog.DestroyWindow();

    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_RESLIB_MENU));
    EXPECT_EQ(menu.GetSubMenu(0)->GetMenuItemCount(), 2u);

    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(&parent));
    ASSERT_TRUE(bar.LoadToolBar(IDR_RESLIB_BAR));
    EXPECT_EQ(bar.GetCount(), 3);
    EXPECT_EQ(bar.GetItemID(2), 7102u);
    bar.DestroyWindow();
    parent.DestroyWindow();
}

}  // namespace
