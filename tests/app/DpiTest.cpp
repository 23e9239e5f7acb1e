// The strip at the DPI of the frame's monitor. This suite's Wine prefix runs at 96 DPI, one DPI
// for every monitor, so a move to a monitor of another DPI is played by sending the frame the
// message Windows sends then.
#include "AppTestSupport.h"

namespace {
const std::vector<std::string> kTwoWindows = {
    "title=One;x=100;y=80;w=500;h=300",
    "title=Two;x=300;y=250;w=400;h=250",
};

HFONT TabFont(HWND tab) { return reinterpret_cast<HFONT>(::SendMessageA(tab, WM_GETFONT, 0, 0)); }

LONG FontHeight(HFONT font)
{
    LOGFONTA data = {};
    ::GetObjectA(font, sizeof data, &data);
    return data.lfHeight;
}

// What the frame gets when it lands on a monitor of `dpi`.
void MoveToMonitorOfDpi(HWND frame, UINT dpi)
{
    RECT suggested = WindowRect(frame);
    ::SendMessageA(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Each tooltip tool of the strip, by its id, with the rectangle it watches.
std::vector<RECT> ToolRects(HWND tab)
{
    HWND tips = reinterpret_cast<HWND>(::SendMessageA(tab, TCM_GETTOOLTIPS, 0, 0));
    const int count = static_cast<int>(::SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    std::vector<RECT> rects(count);
    for (int i = 0; i < count; ++i) {
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = tab;
        tool.uId = i;
        ::SendMessageA(tips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool));
        rects[i] = tool.rect;
    }
    return rects;
}
}  // namespace

TEST_F(TabGroupTest, AtTheScreensOwnDpiTheStripKeepsTheStockFontAndHundredPixelTabs)
{
    ASSERT_EQ(96u, GetSystemDpi()) << "this suite's prefix runs at 96 DPI";
    CFixtureProcess apps(kTwoWindows);
    ASSERT_TRUE(Start(apps.Window(0)));
    EXPECT_EQ(::GetStockObject(DEFAULT_GUI_FONT), TabFont(Tab()));
    const RECT item = TabItemRect(Tab(), 0);
    EXPECT_EQ(100, item.right - item.left);
}

TEST_F(TabGroupTest, AMonitorOfAnotherDpiScalesTabsTextAndStripAndTheFrameStaysUnderTheWindow)
{
    const LONG stockHeight = FontHeight(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    CFixtureProcess apps(kTwoWindows);
    HWND one = apps.Window(0);
    ASSERT_TRUE(Start(one));
    Add(apps.Window(1));

    struct Case {
        UINT dpi;
        int tabWidth;
    };
    // Up and down again: the way back to 96 ends where the strip began.
    const Case cases[] = {{144, 150}, {120, 125}, {192, 200}, {96, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE("at " + std::to_string(c.dpi) + " DPI");
        MoveToMonitorOfDpi(Frame(), c.dpi);
        for (int i = 0; i < TabCount(Tab()); ++i) {
            const RECT item = TabItemRect(Tab(), i);
            EXPECT_EQ(c.tabWidth, item.right - item.left) << "tab " << i;
        }
        EXPECT_EQ(::MulDiv(stockHeight, c.dpi, 96), FontHeight(TabFont(Tab())));
        EXPECT_TRUE(FrameIsPlacedBelow(Frame(), one, c.dpi)) << "placed at once, not by the next upkeep";
        // The tooltips the frame keeps watch the tabs where they are now.
        const std::vector<RECT> tools = ToolRects(Tab());
        ASSERT_EQ(2u, tools.size());
        for (int i = 0; i < 2; ++i)
            EXPECT_TRUE(SameRect(TabItemRect(Tab(), i), tools[i])) << "tool " << i << " " << Describe(tools[i]);
    }
    EXPECT_EQ(::GetStockObject(DEFAULT_GUI_FONT), TabFont(Tab())) << "back at 96 DPI, the stock font itself";
    EXPECT_TRUE(UpkeepPlacesFrameBelow(one));
}
