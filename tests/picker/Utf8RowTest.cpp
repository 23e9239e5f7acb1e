// The picker's rows under the UTF-8 code page: this test program carries QuorTab's manifest.
#include "PickerTestSupport.h"
#include "Canvas.h"
#include "Fixture.h"
#include "QuorTabNames.h"
#include "resource.h"
#include <cwchar>
#include <gtest/gtest.h>

TEST(PickerRowUtf8, ATitleInSeveralScriptsIsListedWhole)
{
    ASSERT_EQ(static_cast<UINT>(CP_UTF8), ::GetACP());
    CFixtureProcess apps({FixtureTitle16(kManyScripts)});
    CAddWindowDlg picker(NULL);
    std::wstring listed;
    const DriveOutcome outcome = DrivePicker(picker, {
        Once([&](HWND dialog) {
            const int item = ItemOf(dialog, apps.Window(0));
            ASSERT_GE(item, 0);
            wchar_t text[quortab::kTextChars] = L"";
            ::SendMessageW(ListBoxOf(dialog), LB_GETTEXT, item, reinterpret_cast<LPARAM>(text));
            listed = text;
        }),
        ClickButton(IDCANCEL)});
    EXPECT_EQ(2u, outcome.stepsDone);
    EXPECT_EQ(kManyScripts, listed);
}

// The row as the wide call draws the title; GDI's 8-bit call would draw the UTF-8 bytes as the
// system's code page has them.
TEST(PickerRowUtf8, ATitleInSeveralScriptsIsDrawnAsItsCharacters)
{
    ASSERT_EQ(static_cast<UINT>(CP_UTF8), ::GetACP());
    const std::string title = Utf8(kManyScripts);
    const HWND list = ::CreateWindowExA(0, "ListBox", "", WS_POPUP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                                        0, 0, 400, 100, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(list);
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));

    const int width = 400, height = 24, icon = ::GetSystemMetrics(SM_CXSMICON);
    const RECT rect = {0, 0, width, height};
    auto blank = [&](CCanvas& canvas) {
        ::SelectObject(canvas.DC(), ::GetStockObject(DEFAULT_GUI_FONT));
        ::FillRect(canvas.DC(), &rect, ::GetSysColorBrush(COLOR_WINDOW));
        ::SetBkColor(canvas.DC(), ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(canvas.DC(), ::GetSysColor(COLOR_WINDOWTEXT));
        TEXTMETRICA metrics = {};
        ::GetTextMetricsA(canvas.DC(), &metrics);
        return (height - metrics.tmHeight) / 2;
    };
    CCanvas row(width, height), wide(width, height), narrow(width, height);
    blank(row);
    DRAWITEMSTRUCT draw = DrawRequest(list, row.DC(), 0, 0, rect);
    CAddWindowDlg picker(NULL);
    EXPECT_EQ(TRUE, picker.OnDrawItem(IDC_WINDOW_LIST, &draw));
    const int top = blank(wide);
    ::TextOutW(wide.DC(), icon + 1, top, kManyScripts, static_cast<int>(std::wcslen(kManyScripts)));
    blank(narrow);
    ::TextOutA(narrow.DC(), icon + 1, top, title.c_str(), static_cast<int>(title.size()));

    auto differences = [&](const CCanvas& a, const CCanvas& b) {
        int count = 0;
        for (int y = 0; y < height; ++y)
            for (int x = icon + 1; x < width; ++x)
                count += a.At(x, y) != b.At(x, y);
        return count;
    };
    EXPECT_EQ(0, differences(row, wide));
    EXPECT_GT(differences(wide, narrow), 0) << "the 8-bit call draws the same characters: this test proves nothing";
    ::DestroyWindow(list);
}
