// The sheet's own buttons, clicked as a user clicks them, close it.
#include <gtest/gtest.h>

#include "TestApp.h"
#include "fwtest_res.h"

namespace {

TEST(PropertySheetButtons, ClickingOkOrCancelClosesTheSheet)
{
    for (const int button : {IDOK, IDCANCEL}) {
        CPropertyPage one(IDD_PAGE_ONE), two(IDD_PAGE_TWO);
        CPropertySheet sheet("按钮");
        sheet.AddPage(&one);
        sheet.AddPage(&two);
        bool clicked = false;
        RunSoon([&] {
            ::PostMessageA(::GetDlgItem(sheet.m_hWnd, button), BM_CLICK, 0, 0);
            clicked = true;
        });
        EXPECT_EQ(sheet.DoModal(), button == IDOK ? IDOK : IDCANCEL);
        EXPECT_TRUE(clicked);
    }
}

}  // namespace
