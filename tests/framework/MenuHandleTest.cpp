#include "MenuHandle.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {
HMENU LoadMainMenu()
{
    return ::LoadMenuA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_MAIN_MENU));
}
}

TEST(MenuHandle, OwnedMenuIsDestroyedWithItsWrapperAndSubmenusAreBorrowed)
{
    HMENU menu = LoadMainMenu();
    ASSERT_TRUE(::IsMenu(menu));
    HMENU popup = NULL;
    {
        CMenuHandle owned(menu, true);
        CMenuHandle sub = owned.GetSubMenu(0);
        popup = sub.GetHandle();
        EXPECT_TRUE(::IsMenu(popup));
        EXPECT_FALSE(sub.IsOwned());
        EXPECT_EQ(NULL, owned.GetSubMenu(5).GetHandle()) << "unchecked: no such submenu";
    }
    EXPECT_FALSE(::IsMenu(menu));
    EXPECT_FALSE(::IsMenu(popup)) << "destroyed with the menu that holds it";
}

TEST(MenuHandle, BorrowedMenuIsLeftAlone)
{
    HMENU menu = ::CreatePopupMenu();
    { CMenuHandle borrowed(menu, false); }
    EXPECT_TRUE(::IsMenu(menu));
    ::DestroyMenu(menu);
}

TEST(MenuHandle, DestroyEmptiesTheWrapperSoLaterDestroysDoNothing)
{
    CMenuHandle empty(NULL, true);
    EXPECT_NO_THROW(empty.Destroy());

    HMENU menu = ::CreatePopupMenu();
    CMenuHandle owned(menu, true);
    owned.Destroy();
    EXPECT_FALSE(::IsMenu(menu));
    EXPECT_EQ(NULL, owned.GetHandle());
    EXPECT_FALSE(owned.IsOwned());
    EXPECT_NO_THROW(owned.Destroy());
}

TEST(MenuHandle, FailedDestroyThrowsAndKeepsTheHandle)
{
    HMENU gone = ::CreatePopupMenu();
    ::DestroyMenu(gone);
    CMenuHandle stale(gone, true);
    try {
        stale.Destroy();
        ADD_FAILURE() << "no exception";
    } catch (const CWindowsError& error) {
        EXPECT_EQ("Windows Error : ", error.GetText());  // the platform sets no error code here
    }
    EXPECT_EQ(gone, stale.GetHandle());
    EXPECT_TRUE(stale.IsOwned());
    // Its destructor meets the same failure and must not throw.
}

TEST(MenuHandle, EnableMenuItemByCommandAndByPosition)
{
    CMenuHandle menu(LoadMainMenu(), true);
    CMenuHandle file = menu.GetSubMenu(0);
    HMENU popup = file.GetHandle();

    EXPECT_EQ(static_cast<DWORD>(MF_ENABLED), file.EnableMenuItem(IDM_REMOVE_WINDOW, false, false));
    EXPECT_TRUE(::GetMenuState(popup, IDM_REMOVE_WINDOW, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(static_cast<DWORD>(MF_GRAYED), file.EnableMenuItem(IDM_REMOVE_WINDOW, true, false));
    EXPECT_FALSE(::GetMenuState(popup, IDM_REMOVE_WINDOW, MF_BYCOMMAND) & MF_GRAYED);

    file.EnableMenuItem(::GetMenuItemCount(popup) - 1, false, true);  // "Exit" is the last item
    EXPECT_TRUE(::GetMenuState(popup, IDM_EXIT, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(popup, IDM_ABOUT, MF_BYCOMMAND) & MF_GRAYED);

    EXPECT_EQ(static_cast<DWORD>(-1), file.EnableMenuItem(12345, true, false));
}
