// Switching among grouped windows with the real mouse, keys and wheel, and the strip following
// the visible window.
#include "FrameGeometry.h"
#include "Input.h"
#include "Pump.h"
#include "QuorTabNames.h"
#include "QuorTabProcess.h"
#include "WindowGroup.h"

class E2eSwitching : public WindowGroupTest {};

namespace {
// Only the selected tab's window is visible, and the strip sits under it.
::testing::AssertionResult OnlySelectedShows(const CQuorTab& quortab, int selected)
{
    if (quortab.Selection() != selected)
        return ::testing::AssertionFailure() << "tab " << quortab.Selection() << " is selected, not " << selected;
    for (int i = 0; i < quortab.TabCount(); ++i)
        if ((::IsWindowVisible(quortab.TabWindow(i)) != FALSE) != (i == selected))
            return ::testing::AssertionFailure() << "'" << quortab.TabTitle(i) << "' is "
                                                 << (i == selected ? "hidden" : "visible");
    return FrameIsPlacedBelow(quortab.Frame(), quortab.TabWindow(selected));
}

// Waits until the tab is selected and everything else follows.
::testing::AssertionResult Shows(const CQuorTab& quortab, int selected)
{
    Eventually([&] { return OnlySelectedShows(quortab, selected); });
    return OnlySelectedShows(quortab, selected);
}
}  // namespace

TEST_F(E2eSwitching, SwitchingToNotepadPutsItWhereMinesweeperStood)
{
    ASSERT_TRUE(StartApps({}, {kNotepad, kMinesweeper}));
    const HWND notepad = App(0), mines = App(1);
    PlaceWindow(notepad, 100, 80, 520, 380);
    PlaceWindow(mines, 700, 150, 160, 226);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    EXPECT_EQ((std::vector<std::string>{"Untitled - Notepad", "WineMine"}), quortab.TabTitles());
    EXPECT_TRUE(HiddenSoon(mines)) << "an added window waits hidden for its tab";
    EXPECT_TRUE(Shows(quortab, 0)) << "adding does not switch";

    const RECT notepadStood = WindowRect(notepad);
    ASSERT_TRUE(quortab.ClickTab(1));
    EXPECT_TRUE(Shows(quortab, 1));
    EXPECT_TRUE(SameRect(notepadStood, WindowRect(mines)))
        << "Minesweeper takes Notepad's place: " << Describe(WindowRect(mines));

    // The user drags Minesweeper elsewhere by its caption; the strip comes along.
    const RECT before = WindowRect(mines);
    const POINT caption = {before.left + 60, before.top + 10};
    Drag(caption, POINT{caption.x + 150, caption.y + 120});
    ASSERT_TRUE(Eventually([&] { return WindowRect(mines).left == before.left + 150; }))
        << "the drag did not move Minesweeper: " << Describe(WindowRect(mines));
    const RECT minesStood = WindowRect(mines);
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), mines));

    ASSERT_TRUE(quortab.ClickTab(0));
    EXPECT_TRUE(Shows(quortab, 0));
    EXPECT_TRUE(SameRect(minesStood, WindowRect(notepad)))
        << "Notepad takes Minesweeper's place: " << Describe(WindowRect(notepad));
}

TEST_F(E2eSwitching, CtrlTabAndCtrlShiftTabWalkThroughThreeWindowsAndWrapAround)
{
    ASSERT_TRUE(StartApps({kFixtureWindow}, {kNotepad, kMinesweeper}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    const RECT place = WindowRect(App(0));

    // A click on the empty strip beside the tabs gives QuorTab the keyboard, and switches nothing.
    ASSERT_TRUE(quortab.ClickBesideTabs());
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == quortab.Frame(); }));
    EXPECT_TRUE(Shows(quortab, 0));

    const int forward[] = {1, 2, 0};
    for (int expected : forward) {
        PressKeys({VK_CONTROL, VK_TAB});
        EXPECT_TRUE(Shows(quortab, expected)) << "Ctrl+Tab towards " << expected;
        EXPECT_TRUE(SameRect(place, WindowRect(quortab.TabWindow(expected))));
        EXPECT_TRUE(Eventually([&] { return ::GetForegroundWindow() == quortab.Frame(); }))
            << "the strip keeps the keyboard for the next Ctrl+Tab";
    }
    PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_TRUE(Shows(quortab, 2)) << "Ctrl+Shift+Tab from the first tab wraps to the last";
    PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_TRUE(Shows(quortab, 1));

    PressKeys({VK_TAB});
    PumpFor(500);
    EXPECT_TRUE(OnlySelectedShows(quortab, 1)) << "Tab without Ctrl switches nothing";
}

TEST_F(E2eSwitching, TurningTheWheelOverTheStripStepsOneTabPerNotch)
{
    ASSERT_TRUE(StartApps({kFixtureWindow}, {kNotepad, kMinesweeper}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    // The grouped window has the keyboard, as after typing in it; the wheel still reaches the
    // strip under the mouse.
    Click(Centre(ClientRectOnScreen(App(0))));
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == App(0); }));

    struct Step { int notches; int selected; const char* what; };
    const Step steps[] = {
        {-1, 1, "towards the user: the next tab"},
        {-1, 2, "towards the user again"},
        {-1, 0, "after the last tab comes the first"},
        {1, 2, "away from the user: the previous tab, wrapping"},
        {3, 1, "a turn of three notches in one message still moves one tab"},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(quortab.Reachable(quortab.BesideTabs()));
        TurnWheel(quortab.BesideTabs(), step.notches);
        EXPECT_TRUE(Shows(quortab, step.selected)) << step.what;
        EXPECT_TRUE(Eventually([&] { return ::GetForegroundWindow() == quortab.Frame(); }))
            << "the strip is the foreground window after the wheel";
    }
    PumpFor(300);
    EXPECT_TRUE(OnlySelectedShows(quortab, 1));
}

TEST_F(E2eSwitching, TheTabFollowsItsWindowsTitleAndAHoveredTabShowsItInFull)
{
    const std::string longTitle = "Quarterly report draft - with a title far too long for one tab";
    ASSERT_TRUE(StartApps({"title=Report;x=200;y=150;w=500;h=300"}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(App(0)));
    ASSERT_EQ(std::vector<std::string>{"Report"}, quortab.TabTitles());

    ::SendMessageA(App(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longTitle.c_str()));
    EXPECT_TRUE(Eventually([&] { return quortab.TabTitle(0) == longTitle; })) << quortab.TabTitle(0);

    // The narrow tab cuts the title; resting the mouse on it shows the whole title, as
    // tooltips do, once the strip is the active window.
    ASSERT_TRUE(quortab.ClickBesideTabs());
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == quortab.Frame(); }));
    MoveMouse(quortab.TabPoint(0));
    HWND tip = NULL;
    EXPECT_TRUE(Eventually([&] {
        tip = quortab.FindVisibleWindow(TOOLTIPS_CLASSA, NULL);
        return tip != NULL;
    }, 5000)) << "no tooltip over the tab";
    if (tip) {
        // Asked, not read: a tooltip keeps its text to itself, not as a window caption.
        char text[quortab::kTextChars] = "";
        ::SendMessageTimeoutA(tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                              3000, NULL);
        EXPECT_EQ(longTitle, text);
        RECT shown = WindowRect(tip);
        EXPECT_GT(shown.right - shown.left, quortab::kTabWidth) << "the tip is wider than the tab it explains";
    }
}
