#include "FrameGeometry.h"
#include "QuorTabNames.h"
#include <commctrl.h>

int MeasureTabRowHeight(UINT dpi)
{
    ::InitCommonControls();
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, NULL, NULL, NULL, NULL);
    HWND tab = ::CreateWindowExA(0, WC_TABCONTROLA, "", quortab::kTabStyle, 0, 0, 300, 200, parent, NULL, NULL, NULL);
    LOGFONTA stock = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
    stock.lfHeight = ::MulDiv(stock.lfHeight, static_cast<int>(dpi), static_cast<int>(GetSystemDpi()));
    const HFONT font = ::CreateFontIndirectA(&stock);
    ::SendMessageA(tab, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    ::SendMessageA(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(quortab::kTabWidth, 0));
    // Each tab shows an icon of the small-icon size at `dpi`, which may make the row taller.
    const int icon = GetSystemMetricForDpi(SM_CXSMICON, dpi);
    const HIMAGELIST images = ::ImageList_Create(icon, icon, ILC_COLOR32 | ILC_MASK, 1, 1);
    ::ImageList_AddIcon(images, ::LoadIconA(NULL, IDI_APPLICATION));
    ::SendMessageA(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    // The control sizes its row only once it holds a tab.
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>("tab");
    item.iImage = 0;
    ::SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    RECT rect = {0, 0, 300, 200};
    ::SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    ::DestroyWindow(parent);
    ::ImageList_Destroy(images);
    ::DeleteObject(font);
    return 200 - (rect.bottom - rect.top);
}

std::string ZOrder(int count)
{
    std::string names;
    for (HWND w = ::GetTopWindow(NULL); w && count > 0; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(w))
            continue;
        names += ClassName(w) + " '" + WindowTitle(w) + "', ";
        --count;
    }
    return names;
}

::testing::AssertionResult FrameIsPlacedBelow(HWND frame, HWND window, UINT dpi)
{
    RECT target = WindowRect(window);
    RECT client = ClientRectOnScreen(frame);
    RECT expected = {target.left, target.bottom, target.right,
                     target.bottom + MeasureTabRowHeight(dpi) - quortab::kRowTrim};
    if (!SameRect(client, expected))
        return ::testing::AssertionFailure() << "frame client area " << Describe(client) << ", expected "
                                             << Describe(expected) << " below window " << Describe(target);
    // Hidden windows in between (the frame's own tooltip, owned by it and so kept above it)
    // make no difference to what the user sees.
    HWND next = ::GetWindow(window, GW_HWNDNEXT);
    while (next && next != frame && !::IsWindowVisible(next))
        next = ::GetWindow(next, GW_HWNDNEXT);
    if (next != frame) {
        return ::testing::AssertionFailure() << "the frame is not directly behind the window in the z-order: "
            << ClassName(next) << " '" << WindowTitle(next) << "' is; the frame is "
            << (::GetWindow(frame, GW_HWNDNEXT) == window ? "directly in front of it" : "elsewhere")
            << "; z-order from the top: " << ZOrder(8);
    }
    if ((::IsWindowVisible(frame) != FALSE) != (::IsWindowVisible(window) != FALSE))
        return ::testing::AssertionFailure() << "the frame's visibility does not follow the window's";
    return ::testing::AssertionSuccess();
}
