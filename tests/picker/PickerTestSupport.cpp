#include "PickerTestSupport.h"
#include "resource.h"
#include <gtest/gtest.h>

HWND ListBoxOf(HWND dialog)
{
    return ::GetDlgItem(dialog, IDC_WINDOW_LIST);
}

std::vector<ListedWindow> ListedWindows(HWND dialog)
{
    const HWND list = ListBoxOf(dialog);
    std::vector<ListedWindow> items;
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(::SendMessageA(list, LB_GETTEXTLEN, i, 0) + 1, '\0');
        text.resize(::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0])));
        items.push_back({text, reinterpret_cast<HWND>(::SendMessageA(list, LB_GETITEMDATA, i, 0))});
    }
    return items;
}

int ItemOf(HWND dialog, HWND window)
{
    const std::vector<HWND> handles = PickerWindows(dialog);
    for (size_t i = 0; i < handles.size(); ++i)
        if (handles[i] == window)
            return static_cast<int>(i);
    return -1;
}

std::vector<HWND> RawWalk()
{
    std::vector<HWND> windows;
    ::EnumWindows([](HWND window, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

DRAWITEMSTRUCT DrawRequest(HWND list, HDC dc, UINT item, UINT state, const RECT& rect)
{
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_LISTBOX;
    draw.CtlID = IDC_WINDOW_LIST;
    draw.itemID = item;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = list;
    draw.hDC = dc;
    draw.rcItem = rect;
    return draw;
}

DriveOutcome DrivePicker(CAddWindowDlg& dialog, const std::vector<DialogStep>& steps)
{
    return DriveDialog(dialog, [&] { return dialog.DoModal(NULL, ::GetModuleHandleA(NULL)); }, steps);
}

DialogStep SelectItemOf(HWND window)
{
    return Once([window](HWND dialog) {
        const int item = ItemOf(dialog, window);
        EXPECT_GE(item, 0) << "the window is listed";
        ::SendMessageA(ListBoxOf(dialog), LB_SETCURSEL, item, 0);
    });
}

namespace {
DialogStep ClickItem(HWND window, bool twice)
{
    return Once([window, twice](HWND dialog) {
        const HWND list = ListBoxOf(dialog);
        const int item = ItemOf(dialog, window);
        EXPECT_GE(item, 0) << "the window is listed";
        ::SendMessageA(list, LB_SETTOPINDEX, item, 0);
        RECT rect = {};
        ::SendMessageA(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageA(list, WM_LBUTTONUP, 0, at);
        if (twice) {
            ::PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            ::PostMessageA(list, WM_LBUTTONUP, 0, at);
        }
    });
}
}

DialogStep ClickItemOf(HWND window)
{
    return ClickItem(window, false);
}

DialogStep DoubleClickItemOf(HWND window)
{
    return ClickItem(window, true);
}
