#include "PickerTestSupport.h"
#include "BoxCatcher.h"
#include "Canvas.h"
#include "Dpi.h"
#include "IconWindows.h"
#include "resource.h"
#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0);     // the small2 icon of CIconWindows
const COLORREF kBlue = RGB(0, 0, 255);    // its big icon
const COLORREF kOrange = RGB(255, 160, 0);  // its class's small icon
const COLORREF kMarker = RGB(255, 0, 255);

struct ItemColours {
    COLORREF background;  // at the right end of the item, clear of any text
    COLORREF iconSpot;    // inside the icon's square
    int textPixels;       // pixels of the expected text colour right of the icon
    int strayPixels;      // pixels of a colour that does not belong to this state
};

// Reads an item back from the list box's own device context, as it is on the screen.
ItemColours ReadItem(HWND list, int item, COLORREF text, COLORREF stray)
{
    RECT rect = {};
    ::SendMessageA(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
    const HDC dc = ::GetDC(list);
    ItemColours colours = {::GetPixel(dc, rect.right - 2, (rect.top + rect.bottom) / 2),
                           ::GetPixel(dc, rect.left + 4, rect.top + 4), 0, 0};
    const int iconWidth = ::GetSystemMetrics(SM_CXSMICON);
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left + iconWidth + 1; x < rect.right; ++x) {
            const COLORREF pixel = ::GetPixel(dc, x, y);
            colours.textPixels += pixel == text;
            colours.strayPixels += pixel == stray;
        }
    ::ReleaseDC(list, dc);
    return colours;
}

bool InView(HWND list, int item)
{
    RECT rect = {}, client = {};
    ::SendMessageA(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
    ::GetClientRect(list, &client);
    return item >= 0 && rect.top >= client.top && rect.bottom <= client.bottom;
}

// A canvas filled with a marker colour, for drawing an item off the screen.
class CMemoryCanvas : public CCanvas {
public:
    CMemoryCanvas(int width, int height) : CCanvas(width, height)
    {
        RECT all = {0, 0, width, height};
        HBRUSH marker = ::CreateSolidBrush(kMarker);
        ::FillRect(DC(), &all, marker);
        ::DeleteObject(marker);
        // A current brush unlike any colour the item may use: a fill that falls back on the
        // DC's own brush shows up.
        m_oldBrush = ::SelectObject(DC(), ::GetStockObject(BLACK_BRUSH));
    }
    ~CMemoryCanvas() { ::SelectObject(DC(), m_oldBrush); }

private:
    HGDIOBJ m_oldBrush;
};

// The spot ReadItem looks at, in QuorTab's own icon (this test program's file icon) drawn on
// the window colour.
COLORREF ProgramIconSpot()
{
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    const HICON icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDI_APP),
                                                       IMAGE_ICON, size, size, 0));
    CCanvas canvas(size, size);
    const RECT all = {0, 0, size, size};
    ::FillRect(canvas.DC(), &all, ::GetSysColorBrush(COLOR_WINDOW));
    ::DrawIconEx(canvas.DC(), 0, 0, icon, size, size, 0, NULL, DI_NORMAL);
    ::DestroyIcon(icon);
    return canvas.At(4, 4);
}

// Waits until the window's row shows `colour` in its icon: its answer has come.
DialogStep UntilIconOf(HWND window, COLORREF colour)
{
    return [window, colour](HWND dialog) {
        const HWND list = ListBoxOf(dialog);
        ::UpdateWindow(list);
        return ReadItem(list, ItemOf(dialog, window), colour, colour).iconSpot == colour;
    };
}

}  // namespace

TEST(AddWindowDraw, SelectedItemInHighlightColoursOthersInWindowColoursWithTheirIcons)
{
    CBoxCatcher boxes;
    CIconWindows windows({{IconReply::Small2, false, false, "Draw Red", true},
                          {IconReply::Big, false, false, "Draw Blue", true},
                          {IconReply::Nothing, false, false, "Draw Bare", true}});
    ASSERT_TRUE(windows.Ready());
    const HWND red = windows.Window(0), blue = windows.Window(1), bare = windows.Window(2);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT), highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW), windowText = ::GetSysColor(COLOR_WINDOWTEXT);
    ASSERT_NE(highlight, window);
    ASSERT_NE(highlightText, windowText);

    CAddWindowDlg picker(NULL);
    const DriveOutcome outcome = DrivePicker(picker, {
        SelectItemOf(red),
        UntilIconOf(red, kRed),
        UntilIconOf(blue, kBlue),
        Once([&](HWND dialog) {
            const HWND list = ListBoxOf(dialog);
            ::UpdateWindow(list);
            const int redItem = ItemOf(dialog, red), blueItem = ItemOf(dialog, blue), bareItem = ItemOf(dialog, bare);
            ASSERT_TRUE(InView(list, redItem) && InView(list, blueItem) && InView(list, bareItem));

            const ItemColours selected = ReadItem(list, redItem, highlightText, windowText);
            EXPECT_EQ(highlight, selected.background);
            EXPECT_GT(selected.textPixels, 0) << "title in COLOR_HIGHLIGHTTEXT";
            EXPECT_EQ(0, selected.strayPixels);
            EXPECT_EQ(kRed, selected.iconSpot) << "its small icon at the item's top left";

            const ItemColours plain = ReadItem(list, bareItem, windowText, highlight);
            EXPECT_EQ(window, plain.background);
            EXPECT_GT(plain.textPixels, 0) << "title in COLOR_WINDOWTEXT";
            EXPECT_EQ(0, plain.strayPixels);
            EXPECT_EQ(ProgramIconSpot(), plain.iconSpot) << "no icon from the window or its class: its program's";

            EXPECT_EQ(kBlue, ReadItem(list, blueItem, windowText, highlight).iconSpot)
                << "a big icon is drawn scaled into the same square";
        }),
        // The item that loses the selection is repainted on the window colour.
        SelectItemOf(bare),
        Once([&](HWND dialog) {
            const HWND list = ListBoxOf(dialog);
            ::UpdateWindow(list);
            const ItemColours was = ReadItem(list, ItemOf(dialog, red), windowText, highlight);
            EXPECT_EQ(window, was.background);
            EXPECT_GT(was.textPixels, 0);
            EXPECT_EQ(0, was.strayPixels) << "no trace of the highlight is left";
            EXPECT_EQ(highlight, ReadItem(list, ItemOf(dialog, bare), highlightText, windowText).background);
        }),
        ClickButton(IDCANCEL)});
    EXPECT_EQ(7u, outcome.stepsDone);
    EXPECT_EQ(0, outcome.result);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(AddWindowDraw, ItemGeometryIconAtTopLeftThenOnePixelThenTheCentredTitle)
{
    // Drawn off the dialog, so only the icon found at once shows: the class's.
    CIconWindows windows({{IconReply::Small2, true, false, "Geometry", false}});
    ASSERT_TRUE(windows.Ready());
    const HWND list = ::CreateWindowExA(0, "ListBox", "", WS_POPUP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                                        0, 0, 200, 100, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(list);
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Geometry"));
    ::SendMessageA(list, LB_SETITEMDATA, 0, reinterpret_cast<LPARAM>(windows.Window(0)));

    // An item away from the canvas's corner, taller than a text line.
    const int icon = ::GetSystemMetrics(SM_CXSMICON), width = 160, height = 40;
    const RECT rect = {3, 5, width, 29};
    CMemoryCanvas canvas(width, height);
    DRAWITEMSTRUCT draw = DrawRequest(list, canvas.DC(), 0, 0, rect);
    CAddWindowDlg picker(NULL);
    EXPECT_EQ(TRUE, picker.OnDrawItem(IDC_WINDOW_LIST, &draw));

    // Where the title must be: one pixel right of the icon, its line centred in the item.
    CMemoryCanvas reference(width, height);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(reference.DC(), &metrics);
    HBRUSH window = ::GetSysColorBrush(COLOR_WINDOW);
    ::FillRect(reference.DC(), &rect, window);
    ::SetBkColor(reference.DC(), ::GetSysColor(COLOR_WINDOW));
    ::SetTextColor(reference.DC(), ::GetSysColor(COLOR_WINDOWTEXT));
    ::TextOutA(reference.DC(), rect.left + icon + 1, (rect.top + rect.bottom - metrics.tmHeight) / 2,
               "Geometry", 8);

    EXPECT_EQ(kOrange, canvas.At(rect.left, rect.top));
    EXPECT_EQ(kOrange, canvas.At(rect.left + icon - 1, rect.top + icon - 1));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), canvas.At(rect.left, rect.top + icon))
        << "the icon sits at the top edge, not centred";
    int differences = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool inIcon = x >= rect.left && x < rect.left + icon && y >= rect.top && y < rect.top + icon;
            if (!inIcon && canvas.At(x, y) != reference.At(x, y) && ++differences <= 3)
                ADD_FAILURE() << "pixel " << x << "," << y << " differs from the expected drawing";
        }
    EXPECT_EQ(0, differences);
    ::DestroyWindow(list);
}

TEST(AddWindowDraw, FocusOfAnEmptyListOnlyFillsTheRectangle)
{
    const HWND list = ::CreateWindowExA(0, "ListBox", "", WS_POPUP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                                        0, 0, 200, 100, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(list);
    CAddWindowDlg picker(NULL);
    const struct {
        UINT state;
        int colour;
    } cases[] = {{0, COLOR_WINDOW}, {ODS_SELECTED | ODS_FOCUS, COLOR_HIGHLIGHT}};
    for (const auto& test : cases) {
        CMemoryCanvas canvas(40, 20);
        const RECT rect = {0, 0, 40, 16};
        DRAWITEMSTRUCT draw = DrawRequest(list, canvas.DC(), static_cast<UINT>(-1), test.state, rect);
        EXPECT_EQ(TRUE, picker.OnDrawItem(IDC_WINDOW_LIST, &draw));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(::GetSysColor(test.colour), canvas.At(x, y)) << x << "," << y;
        EXPECT_EQ(kMarker, canvas.At(0, 16)) << "nothing outside the item";
    }
    ::DestroyWindow(list);
}

// The dialog moved to a monitor of another DPI (this suite runs at 96 DPI on one): its rows
// grow with the text line, and hold the small icon at that DPI's size, drawn at full size.
TEST(AddWindowDraw, AtAnotherDpiRowsAndIconsTakeThatDpisSize)
{
    CIconWindows windows({{IconReply::Small2, false, false, "Scaled Red", true}});
    ASSERT_TRUE(windows.Ready());
    const HWND red = windows.Window(0);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    CAddWindowDlg picker(NULL);
    int rowAt96 = 0;
    auto moveTo = [](UINT dpi) {
        return Once([dpi](HWND dialog) {
            RECT suggested = {};
            ::GetWindowRect(dialog, &suggested);
            ::SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        });
    };
    // The row's height, and whether the icon covers a pixel `offset` pixels into it both ways.
    auto look = [&](HWND dialog, int offset) {
        const HWND list = ListBoxOf(dialog);
        ::InvalidateRect(list, NULL, TRUE);
        ::UpdateWindow(list);
        RECT rect = {};
        ::SendMessageA(list, LB_GETITEMRECT, ItemOf(dialog, red), reinterpret_cast<LPARAM>(&rect));
        const HDC dc = ::GetDC(list);
        const COLORREF spot = ::GetPixel(dc, rect.left + offset, rect.top + offset);
        ::ReleaseDC(list, dc);
        return std::make_pair(static_cast<int>(rect.bottom - rect.top), spot);
    };
    const DriveOutcome outcome = DrivePicker(picker, {
        UntilIconOf(red, kRed),
        Once([&](HWND dialog) {
            const auto at96 = look(dialog, 15);
            rowAt96 = at96.first;
            EXPECT_GE(rowAt96, ::GetSystemMetrics(SM_CYSMICON)) << "a row holds its icon";
            EXPECT_EQ(kRed, at96.second);
            EXPECT_EQ(window, look(dialog, 16).second) << "a 16-pixel icon at 96 DPI";
        }),
        moveTo(144),
        Once([&](HWND dialog) {
            const auto at144 = look(dialog, 23);
            EXPECT_EQ(::MulDiv(rowAt96, 144, 96), at144.first);
            EXPECT_GE(at144.first, GetSystemMetricForDpi(SM_CYSMICON, 144));
            EXPECT_EQ(kRed, at144.second) << "a 24-pixel icon at 144 DPI";
        }),
        moveTo(96),
        Once([&](HWND dialog) {
            EXPECT_EQ(rowAt96, look(dialog, 15).first);
            EXPECT_EQ(window, look(dialog, 16).second) << "back to 16 pixels";
        }),
        ClickButton(IDCANCEL)});
    EXPECT_EQ(7u, outcome.stepsDone);
    EXPECT_EQ(0, outcome.result);
}
