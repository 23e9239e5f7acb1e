// Giving windows back: the context menu's Remove Window and Exit, and grouped applications that
// end while QuorTab holds them.
#include "FrameGeometry.h"
#include "Input.h"
#include "Pump.h"
#include "QuorTabProcess.h"
#include "WindowGroup.h"

class E2eReleasing : public WindowGroupTest {};

TEST_F(E2eReleasing, RemovingAHiddenTabBringsItsWindowBackWhereItWasHidden)
{
    ASSERT_TRUE(StartApps({}, {kNotepad, kMinesweeper}));
    const HWND notepad = App(0), mines = App(1);
    PlaceWindow(notepad, 80, 60, 560, 380);
    PlaceWindow(mines, 800, 300, 160, 226);
    const RECT minesStood = WindowRect(mines);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    ASSERT_TRUE(HiddenSoon(mines));

    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(1), kMenuRemoveWindow));
    EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(mines) && quortab.TabCount() == 1; }));
    EXPECT_TRUE(SameRect(minesStood, WindowRect(mines))) << Describe(WindowRect(mines));
    EXPECT_EQ(std::vector<std::string>{"Untitled - Notepad"}, quortab.TabTitles());
    EXPECT_EQ(0, quortab.Selection());
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), notepad));
}

TEST_F(E2eReleasing, RemoveWindowIsOfferedOnATabButGreyedBesideTheTabs)
{
    ASSERT_TRUE(StartApps({}, {kNotepad, kMinesweeper}));
    const HWND notepad = App(0), mines = App(1);
    PlaceWindow(notepad, 120, 90, 560, 380);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));

    ASSERT_TRUE(quortab.Reachable(quortab.TabPoint(1)));
    RightClick(quortab.TabPoint(1));
    HWND menu = quortab.WaitForMenu();
    ASSERT_TRUE(menu);
    PumpFor(200);  // let the menu paint before looking at it
    EXPECT_GT(MenuItemTextPixels(menu, kMenuAddWindow), 20) << "an enabled item is drawn in the menu text colour";
    EXPECT_GT(MenuItemTextPixels(menu, kMenuRemoveWindow), 20) << "Remove Window is offered on a tab";
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(Eventually([&] { return quortab.Menu() == NULL; }));

    ASSERT_TRUE(quortab.Reachable(quortab.BesideTabs()));
    RightClick(quortab.BesideTabs());
    menu = quortab.WaitForMenu();
    ASSERT_TRUE(menu);
    PumpFor(200);
    EXPECT_GT(MenuItemTextPixels(menu, kMenuAddWindow), 20);
    EXPECT_EQ(0, MenuItemTextPixels(menu, kMenuRemoveWindow)) << "Remove Window is greyed beside the tabs";
    // Its key does nothing either.
    PressKeys({'R'});
    PumpFor(500);
    EXPECT_EQ(2, quortab.TabCount());
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(Eventually([&] { return quortab.Menu() == NULL; }));
    EXPECT_EQ(2, quortab.TabCount());
    EXPECT_TRUE(HiddenSoon(mines));
}

TEST_F(E2eReleasing, RemovingTheSelectedTabLeavesItsWindowAndTheNextTakesItsPlace)
{
    ASSERT_TRUE(StartApps({}, {kNotepad, kMinesweeper}));
    const HWND notepad = App(0), mines = App(1);
    PlaceWindow(notepad, 100, 80, 520, 380);
    PlaceWindow(mines, 760, 420, 160, 226);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    const RECT notepadStood = WindowRect(notepad);

    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(0), kMenuRemoveWindow));
    ASSERT_TRUE(Eventually([&] { return quortab.TabCount() == 1; }));
    EXPECT_TRUE(ShownSoon(notepad));
    EXPECT_TRUE(SameRect(notepadStood, WindowRect(notepad))) << "the released window stays where it stood";
    EXPECT_EQ(0, quortab.Selection()) << "the remaining tab is selected";
    // Minesweeper keeps its own size; it takes Notepad's corner, and the strip goes under it.
    EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(mines) && WindowRect(mines).left == notepadStood.left; }))
        << Describe(WindowRect(mines));
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), mines));
}

TEST_F(E2eReleasing, ClosingMinesweeperWithAltF4HandsTheStripToNotepad)
{
    ASSERT_TRUE(StartApps({}, {kNotepad, kMinesweeper}));
    const HWND notepad = App(0), mines = App(1);
    PlaceWindow(notepad, 150, 100, 500, 360);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    ASSERT_TRUE(quortab.ClickTab(1));
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == mines; }));
    // In front is not yet focused: the keys wait until WineMine has taken its activation in.
    CatchUpApps();
    const RECT notepadStood = WindowRect(notepad);

    PressKeys({VK_MENU, VK_F4});
    ASSERT_TRUE(ProcessOf(mines).WaitForExit(5000))
        << "in front: '" << WindowTitle(::GetForegroundWindow()) << "'; " << quortab.Describe();
    EXPECT_TRUE(Eventually([&] { return quortab.TabCount() == 1 && quortab.Selection() == 0; }));
    EXPECT_EQ(std::vector<std::string>{"Untitled - Notepad"}, quortab.TabTitles());
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), notepad));
    EXPECT_TRUE(SameRect(notepadStood, WindowRect(notepad))) << "shown where it stands";
    EXPECT_EQ("", quortab.MessageBoxes()) << "closing a grouped program is no error";
}

TEST_F(E2eReleasing, AHiddenApplicationThatEndsLosesOnlyItsTab)
{
    ASSERT_TRUE(StartApps({kFixtureWindow}, {kNotepad, kMinesweeper}));
    const HWND fixture = App(0), notepad = App(1), mines = App(2);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    const RECT place = WindowRect(fixture);

    ::TerminateProcess(ProcessOf(notepad).Handle(), 1);
    ASSERT_TRUE(ProcessOf(notepad).WaitForExit(5000));
    EXPECT_TRUE(Eventually([&] { return quortab.TabCount() == 2; }));
    EXPECT_EQ((std::vector<std::string>{"Fixture Window", "WineMine"}), quortab.TabTitles());
    EXPECT_EQ(0, quortab.Selection());
    EXPECT_TRUE(ShownSoon(fixture));
    EXPECT_TRUE(HiddenSoon(mines));
    EXPECT_TRUE(SameRect(place, WindowRect(fixture)));
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), fixture));
    EXPECT_EQ("", quortab.MessageBoxes()) << "a program that ends is no error";
}

TEST_F(E2eReleasing, ExitFromTheMenuShowsEveryGroupedWindowAndEndsWithZero)
{
    ASSERT_TRUE(StartApps({kFixtureWindow}, {kNotepad, kMinesweeper}));
    const HWND fixture = App(0), notepad = App(1), mines = App(2);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    ASSERT_TRUE(quortab.ClickTab(1));
    ASSERT_TRUE(Eventually([&] { return ::IsWindowVisible(notepad) != FALSE; }));
    const RECT place = WindowRect(notepad);

    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(0), kMenuExit));
    ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    EXPECT_EQ(0u, quortab.ExitCode());
    // Each application shows its window itself once QuorTab has asked it to, without waiting.
    for (HWND window : {fixture, notepad, mines})
        EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(window) != FALSE; }))
            << "'" << WindowTitle(window) << "' stays hidden";
    EXPECT_TRUE(SameRect(place, WindowRect(notepad))) << "shown where it last stood";
    EXPECT_TRUE(SameRect(place, WindowRect(fixture)));
}

TEST_F(E2eReleasing, ClosingTheLastGroupedApplicationEndsQuorTabWithZero)
{
    ASSERT_TRUE(StartApps({}, {kNotepad}));
    const HWND notepad = App(0);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(notepad));
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == notepad; }));
    CatchUpApps();

    PressKeys({VK_MENU, VK_F4});
    ASSERT_TRUE(ProcessOf(notepad).WaitForExit(5000)) << "in front: '" << WindowTitle(::GetForegroundWindow()) << "'";
    ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    EXPECT_EQ(0u, quortab.ExitCode());
}

TEST_F(E2eReleasing, RemovingTheOnlyTabEndsQuorTabWithZeroAndLeavesMinesweeperShown)
{
    ASSERT_TRUE(StartApps({}, {kMinesweeper}));
    const HWND mines = App(0);
    PlaceWindow(mines, 300, 200, 160, 226);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(mines));

    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(0), kMenuRemoveWindow));
    ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    EXPECT_EQ(0u, quortab.ExitCode());
    EXPECT_TRUE(ShownSoon(mines));
}
