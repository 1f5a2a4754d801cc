// Flat menus: the hook and the subclassed popup, the popup's frame, image
// column, separator, toolbar images, selection and shadow, the menu bar's
// open item merged with its popup, and mnemonics.
#include <gtest/gtest.h>

#include <cstring>

#include "LookTestApp.h"
#include "analysis/FlatLook.h"
#include "look_res.h"

using namespace looktest;

namespace {

HWND OpenPopup()
{
    struct Found {
        HWND h = nullptr;
    } found;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND h, LPARAM l) -> BOOL {
            char cls[16] = {};
            ::GetClassNameA(h, cls, sizeof cls);
            if (std::strcmp(cls, "#32768") == 0 && ::IsWindowVisible(h)) {
                reinterpret_cast<Found*>(l)->h = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.h;
}

// Tops and heights of a prepared popup's items (they start 3 pixels in).
struct ItemBox {
    int top, height;
};
std::vector<ItemBox> ItemBoxes(HMENU menu)
{
    std::vector<ItemBox> boxes;
    int top = 3;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        const int h = static_cast<int>(info.dwItemData & 0xFF);
        boxes.push_back({top, h});
        top += h;
    }
    return boxes;
}

class FlatMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MouseAway();
        frame = CLookFrame::Make();
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override
    {
        if (::testing::Test::HasFailure()) vektest::SaveWindowShot(frame->m_hWnd, "look_menus");
        ::SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(FALSE), 0);
        CLookFrame::Destroy(frame);
    }
    // Opens a popup over the view; fn runs while it is open. The popup closes
    // after it unless fn answers that it stays open (for keys still to come).
    UINT Open(HMENU popup, const std::function<bool(HWND)>& fn, UINT flags = 0)
    {
        CRect view;
        frame->GetActiveView()->GetWindowRect(&view);
        frame->m_onMenuIdle = [&] {
            HWND p = OpenPopup();
            if (!p) ADD_FAILURE() << "no popup window";
            if (!p || !fn(p)) ::EndMenu();
        };
        const UINT r = static_cast<UINT>(::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | flags, view.left + 40,
                                                          view.top + 20, 0, frame->m_hWnd, nullptr));
        frame->m_onMenuIdle = nullptr;
        frame->m_onMenuStep = nullptr;
        return r;
    }
    // Keys for the open popup p, then a step once the menu has taken them.
    void Keys(HWND p, std::initializer_list<WPARAM> chars, std::function<void()> then)
    {
        for (WPARAM c : chars) ::PostMessageA(p, c < ' ' ? WM_KEYDOWN : WM_CHAR, c, 1);
        frame->m_onMenuStep = std::move(then);
        ::PostMessageA(frame->m_hWnd, CLookFrame::kMenuStep, 0, 0);
    }
    HMENU FilePopup() const { return ::GetSubMenu(::GetMenu(frame->m_hWnd), 0); }
    CLookFrame* frame = nullptr;
};

TEST_F(FlatMenuTest, APopupOfAFlatFrameIsSubclassedWhileOpen)
{
    bool had = false, afterUninit = true, ownerDrawn = false;
    Open(FilePopup(), [&](HWND p) {
        had = ::GetPropA(p, XPWNDPROP_OLDPROC) != nullptr;
        ownerDrawn = CMenuXP::IsOwnerDrawn(FilePopup());
        CMenuXP::UninitializeHook();  // the last user: every popup gets its own procedure back
        afterUninit = ::GetPropA(p, XPWNDPROP_OLDPROC) != nullptr;
        EXPECT_FALSE(CMenuXP::IsHookInstalled());
        CMenuXP::InitializeHook();
        return false;
    });
    EXPECT_TRUE(had);
    EXPECT_TRUE(ownerDrawn);
    EXPECT_FALSE(afterUninit);
    EXPECT_TRUE(CMenuXP::IsHookInstalled());
}

TEST(FlatMenus, APopupOfAPlainWindowKeepsTheSystemsDrawing)
{
    MouseAway();
    CLookFrame* plain = CLookFrame::Make(false);
    ASSERT_NE(plain, nullptr);
    HMENU popup = ::GetSubMenu(::GetMenu(plain->m_hWnd), 0);
    bool had = true;
    plain->m_onMenuIdle = [&] {
        HWND p = OpenPopup();
        had = p && ::GetPropA(p, XPWNDPROP_OLDPROC) != nullptr;
        ::EndMenu();
    };
    ::TrackPopupMenu(popup, 0, 200, 200, 0, plain->m_hWnd, nullptr);
    EXPECT_FALSE(had);
    EXPECT_FALSE(CMenuXP::IsOwnerDrawn(popup));
    CLookFrame::Destroy(plain);
}

TEST_F(FlatMenuTest, FrameColumnSeparatorImagesAndShadow)
{
    const HMENU popup = FilePopup();
    const COLORREF face75 = FlatColor(COLOR_BTNFACE, 75), face20 = FlatColor(COLOR_BTNFACE, 20);
    Open(popup, [&](HWND p) {
        ShotOnFailure shot(p, "look_menu_popup");
        CRect wr;
        ::GetWindowRect(p, &wr);
        const int w = wr.Width(), h = wr.Height();
        // The frame: a dark line, two light ones, 4 pixels in from the right and bottom.
        EXPECT_EQ(Hex(WindowPixel(p, 0, h / 2)), Hex(::GetSysColor(COLOR_3DDKSHADOW)));
        EXPECT_EQ(Hex(WindowPixel(p, 1, h / 2)), Hex(face75));
        EXPECT_EQ(Hex(WindowPixel(p, 2, h / 2)), Hex(face75));
        EXPECT_EQ(Hex(WindowPixel(p, w - 5, h / 2)), Hex(::GetSysColor(COLOR_3DDKSHADOW)));
        EXPECT_EQ(Hex(WindowPixel(p, w / 2, h - 5)), Hex(::GetSysColor(COLOR_3DDKSHADOW)));

        const std::vector<ItemBox> box = ItemBoxes(popup);
        EXPECT_EQ(box.size(), 6u);
        if (box.size() != 6) return false;
        // A plain item: the image column, then the lighter rest.
        const int plainMid = box[5].top + box[5].height / 2;
        EXPECT_EQ(Hex(WindowPixel(p, 3 + 10, plainMid)), Hex(face20));
        EXPECT_EQ(Hex(WindowPixel(p, 3 + 22, plainMid)), Hex(face75));
        // The separator.
        EXPECT_EQ(Hex(WindowPixel(p, 3 + 30, box[2].top + box[2].height / 2)), Hex(FlatColor(COLOR_BTNFACE, -18)));
        EXPECT_EQ(Hex(WindowPixel(p, 3 + 20, box[2].top + box[2].height / 2)), Hex(face20));

        // The toolbar's image of the first item, at (3, 3) of the item.
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(frame->m_toolBar.SendMessage(TB_GETIMAGELIST));
        EXPECT_NE(images, nullptr);
        MemCanvas expected(16, 15, face20);  // the image over the image column
        ImageList_Draw(images, 0, expected.dc(), 0, 0, ILD_TRANSPARENT);
        int differ = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x) differ += WindowPixel(p, 3 + 3 + x, box[0].top + 3 + y) != expected.At(x, y);
        EXPECT_EQ(differ, 0);

        // The checked item's box; the disabled item's grey silhouette.
        EXPECT_EQ(Hex(WindowPixel(p, 3 + 1, box[3].top + box[3].height / 2)), Hex(::GetSysColor(COLOR_HIGHLIGHT)));
        int grey = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                grey += WindowPixel(p, 3 + 3 + x, box[4].top + 3 + y) == FlatColor(COLOR_BTNFACE, -27);
        EXPECT_GT(grey, 10);

        // The shadow: what lay under the popup, darkened by 93 - 5k per cent.
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(Hex(ScreenPixel(wr.right - 1 - k, wr.top + h / 2)), Hex(ShadeColor(CLookView::kColor, k))) << k;
            EXPECT_EQ(Hex(ScreenPixel(wr.left + w / 2, wr.bottom - 1 - k)), Hex(ShadeColor(CLookView::kColor, k))) << k;
        }
        EXPECT_EQ(Hex(ScreenPixel(wr.right - 2, wr.top + 1)), Hex(CLookView::kColor)) << "the corner is clear";
        return false;
    });
}

TEST_F(FlatMenuTest, TheSelectedItemIsFramedAndItsImageLifted)
{
    const HMENU popup = FilePopup();
    Open(popup, [&](HWND p) {
        // Two steps down: the second item, which has an image. The check runs
        // when the menu reports the new selection (it has drawn it by then).
        frame->m_onMenuSelect = [&, p](UINT id) {
            if (id != ID_LOOK_OPEN) return;
            frame->m_onMenuSelect = nullptr;
            CRect wr;
            ::GetWindowRect(p, &wr);
            const std::vector<ItemBox> box = ItemBoxes(popup);
            const int mid = box[1].top + box[1].height / 2;
            const COLORREF hl = ::GetSysColor(COLOR_HIGHLIGHT);
            EXPECT_EQ(Hex(WindowPixel(p, 3, mid)), Hex(hl));
            EXPECT_EQ(Hex(WindowPixel(p, wr.Width() - 4 - 3 - 3, mid)), Hex(HLS_TRANSFORM(hl, 70, -57)));
            int shadow = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 17; ++x)
                    shadow += WindowPixel(p, 3 + 2 + x, box[1].top + 2 + y) == HLS_TRANSFORM(hl, 50, -66);
            EXPECT_GT(shadow, 0) << "the image's shadow shows under the lifted image";
            ::EndMenu();
        };
        Tap(VK_DOWN);
        Tap(VK_DOWN);
        return true;
    });
}

TEST_F(FlatMenuTest, WithSystemShadowsTheMenuDrawsNone)
{
    ASSERT_TRUE(::SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(TRUE), 0));
    EXPECT_FALSE(DrawsOwnMenuShadow());
    Open(FilePopup(), [&](HWND p) {
        CRect wr;
        ::GetWindowRect(p, &wr);
        EXPECT_EQ(Hex(WindowPixel(p, wr.Width() - 1, wr.Height() / 2)), Hex(::GetSysColor(COLOR_3DDKSHADOW)));
        EXPECT_EQ(Hex(ScreenPixel(wr.right, wr.top + wr.Height() / 2)), Hex(CLookView::kColor));
        EXPECT_EQ(Hex(ScreenPixel(wr.right + 3, wr.top + wr.Height() / 2)), Hex(CLookView::kColor));
        return false;
    });
}

TEST_F(FlatMenuTest, TheOpenMenuBarItemMergesWithItsPopup)
{
    const int drawnBefore = CMenuXP::GetOpenBarItemsDrawn();
    CRect item;
    ASSERT_TRUE(::GetMenuItemRect(frame->m_hWnd, ::GetMenu(frame->m_hWnd), 0, &item));
    bool opened = false;
    frame->m_onMenuIdle = [&] {
        HWND p = OpenPopup();
        opened = p != nullptr;
        if (p) {
            ShotOnFailure shot(frame->m_hWnd, "look_menu_bar");
            CRect pr;
            ::GetWindowRect(p, &pr);
            const COLORREF open = FlatColor(COLOR_BTNFACE, 20);
            EXPECT_EQ(Hex(ScreenPixel(item.left, item.CenterPoint().y)), Hex(::GetSysColor(COLOR_3DDKSHADOW)));
            EXPECT_EQ(Hex(ScreenPixel(item.left + 2, item.top + 2)), Hex(open));
            EXPECT_EQ(Hex(ScreenPixel(item.right - 1, item.CenterPoint().y)),
                      Hex(ShadeColor(::GetSysColor(COLOR_BTNFACE), 0)));
            EXPECT_LE(std::abs(CMenuXP::GetMRUMenuBarItem().bottom - pr.top), 1);
            EXPECT_EQ(Hex(ScreenPixel(item.left + 3, pr.top)), Hex(open)) << "the popup's top under the item";
            EXPECT_EQ(Hex(ScreenPixel(pr.right - 10, pr.top)), Hex(::GetSysColor(COLOR_3DDKSHADOW)));
        }
        ::EndMenu();
    };
    frame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    ASSERT_TRUE(WaitUntil([&] { return opened; }));
    frame->m_onMenuIdle = nullptr;
    EXPECT_GT(CMenuXP::GetOpenBarItemsDrawn(), drawnBefore);
}

TEST_F(FlatMenuTest, AMnemonicRunsItsItemADoubledAmpersandDoesNot)
{
    CMenu menus;
    ASSERT_TRUE(menus.LoadMenu(IDR_LOOKPOPUP));
    frame->m_onMenuSelect = nullptr;
    bool stillOpen = false;
    auto pressX = [&](HWND p) {
        Keys(p, {'x'}, [&] {
            stillOpen = OpenPopup() != nullptr;
            if (stillOpen) ::EndMenu();
        });
        return true;
    };
    UINT chosen = Open(menus.GetSubMenu(0)->m_hMenu, pressX, TPM_RETURNCMD);
    EXPECT_EQ(chosen, static_cast<UINT>(ID_LOOK_EXPORT));
    chosen = Open(menus.GetSubMenu(1)->m_hMenu, pressX, TPM_RETURNCMD);
    EXPECT_EQ(chosen, 0u);
    EXPECT_TRUE(stillOpen) << "a doubled ampersand is no mnemonic";
}

TEST_F(FlatMenuTest, MnemonicLookupOfOwnerDrawnItems)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 9001, "A&&X");
    menu.AppendMenu(MF_STRING, 9002, "B&&&X");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, 9003, "C&X\tCtrl+X");
    menu.AppendMenu(MF_STRING, 9004, "&Y");
    CMenuXP::SetXPLookNFeel(frame, menu.m_hMenu, true, false);
    EXPECT_EQ(CMenuXP::OnMenuChar(menu.m_hMenu, 'x', MF_POPUP), MAKELRESULT(3, MNC_EXECUTE));
    EXPECT_EQ(CMenuXP::OnMenuChar(menu.m_hMenu, 'Y', MF_POPUP), MAKELRESULT(4, MNC_EXECUTE)) << "at the start too";
    EXPECT_EQ(CMenuXP::OnMenuChar(menu.m_hMenu, 'Z', MF_POPUP), 0);
    EXPECT_EQ(CMenuXP::OnMenuChar(menu.m_hMenu, 'x', MF_POPUP | MF_SYSMENU), 0);
    EXPECT_EQ(CMenuXP::OnMenuChar(menu.m_hMenu, 'x', 0), MAKELRESULT(3, MNC_EXECUTE));
}

TEST_F(FlatMenuTest, PreparingAMenuTwiceChangesNothingAlreadyOwnerDrawn)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_LOOK_NEW, "新建\tCtrl+N");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, 9010, "其他");
    CMenuXP::SetXPLookNFeel(frame, menu.m_hMenu, false, false);
    EXPECT_FALSE(CMenuXP::IsOwnerDrawn(menu.m_hMenu)) << "nothing when the look is off";
    CMenuXP::SetXPLookNFeel(frame, menu.m_hMenu, true, false);
    auto snapshot = [&] {
        std::vector<std::pair<UINT, ULONG_PTR>> items;
        for (int i = 0; i < 3; ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_DATA;
            ::GetMenuItemInfoA(menu.m_hMenu, static_cast<UINT>(i), TRUE, &info);
            items.emplace_back(info.fType, info.dwItemData);
        }
        return items;
    };
    const auto first = snapshot();
    for (const auto& item : first) EXPECT_TRUE(item.first & MFT_OWNERDRAW);
    EXPECT_EQ(first[1].second & 0xFF, first[1].second) << "a separator's data is its height alone";
    EXPECT_EQ(CMenuXP::ms_sCaptions[ID_LOOK_NEW], CString("新建\tCtrl+N"));
    EXPECT_EQ(CMenuXP::ms_Images.count(ID_LOOK_NEW), 1u) << "the image of the frame's toolbar button";
    CMenuXP::SetXPLookNFeel(frame, menu.m_hMenu, true, false);
    EXPECT_EQ(snapshot(), first);
}

}  // namespace
