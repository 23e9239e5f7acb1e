// Giving windows back: the context menu's Remove Window and Exit, and grouped applications that
// end while QuorTab holds them.
#include "FrameGeometry.h"
#include "Pump.h"
#include "QuorTabProcess.h"
#include "RealInput.h"
#include "WineProgram.h"

TEST(E2eReleasing, RemovingAHiddenTabBringsItsWindowBackWhereItWasHidden)
{
    CWineProgram notepad("notepad.exe", kNotepadClass);
    CWineProgram mines("winemine.exe", kMinesweeperClass);
    ASSERT_TRUE(notepad.Window() && mines.Window());
    notepad.Place(80, 60, 560, 380);
    mines.Place(800, 300, 160, 226);
    const RECT minesStood = WindowRect(mines.Window());
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(notepad.Window()));
    ASSERT_TRUE(quortab.Add(mines.Window()));
    ASSERT_FALSE(::IsWindowVisible(mines.Window()));

    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(1), kMenuRemoveWindow));
    EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(mines.Window()) && quortab.TabCount() == 1; }));
    EXPECT_TRUE(SameRect(minesStood, WindowRect(mines.Window()))) << Describe(WindowRect(mines.Window()));
    EXPECT_EQ(std::vector<std::string>{"Untitled - Notepad"}, quortab.TabTitles());
    EXPECT_EQ(0, quortab.Selection());
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), notepad.Window()));
}

TEST(E2eReleasing, RemoveWindowIsOfferedOnATabButGreyedBesideTheTabs)
{
    CWineProgram notepad("notepad.exe", kNotepadClass);
    CWineProgram mines("winemine.exe", kMinesweeperClass);
    ASSERT_TRUE(notepad.Window() && mines.Window());
    notepad.Place(120, 90, 560, 380);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(notepad.Window()));
    ASSERT_TRUE(quortab.Add(mines.Window()));

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
    EXPECT_FALSE(::IsWindowVisible(mines.Window()));
}

TEST(E2eReleasing, RemovingTheSelectedTabLeavesItsWindowAndTheStripWhereTheyStand)
{
    CWineProgram notepad("notepad.exe", kNotepadClass);
    CWineProgram mines("winemine.exe", kMinesweeperClass);
    ASSERT_TRUE(notepad.Window() && mines.Window());
    notepad.Place(100, 80, 520, 380);
    mines.Place(760, 420, 160, 226);
    const RECT minesStood = WindowRect(mines.Window());
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(notepad.Window()));
    ASSERT_TRUE(quortab.Add(mines.Window()));
    const RECT notepadStood = WindowRect(notepad.Window());
    const RECT stripStood = WindowRect(quortab.Frame());

    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(0), kMenuRemoveWindow));
    ASSERT_TRUE(Eventually([&] { return quortab.TabCount() == 1; }));
    PumpFor(500);
    EXPECT_TRUE(::IsWindowVisible(notepad.Window()));
    EXPECT_TRUE(SameRect(notepadStood, WindowRect(notepad.Window())));
    EXPECT_EQ(-1, quortab.Selection()) << "no tab is selected any more";
    EXPECT_TRUE(SameRect(stripStood, WindowRect(quortab.Frame()))) << "the strip waits where it was";
    EXPECT_FALSE(::IsWindowVisible(mines.Window()));

    // Selecting the remaining tab shows Minesweeper where it was hidden, with the strip.
    ASSERT_TRUE(quortab.ClickTab(0));
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), mines.Window()));
    EXPECT_TRUE(SameRect(minesStood, WindowRect(mines.Window()))) << Describe(WindowRect(mines.Window()));
}

TEST(E2eReleasing, ClosingMinesweeperWithAltF4HandsTheStripToNotepad)
{
    CWineProgram notepad("notepad.exe", kNotepadClass);
    CWineProgram mines("winemine.exe", kMinesweeperClass);
    ASSERT_TRUE(notepad.Window() && mines.Window());
    notepad.Place(150, 100, 500, 360);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(notepad.Window()));
    ASSERT_TRUE(quortab.Add(mines.Window()));
    ASSERT_TRUE(quortab.ClickTab(1));
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == mines.Window(); }));
    const RECT notepadStood = WindowRect(notepad.Window());

    PressKeys({VK_MENU, VK_F4});
    ASSERT_TRUE(mines.WaitForExit(5000));
    EXPECT_TRUE(Eventually([&] { return quortab.TabCount() == 1 && quortab.Selection() == 0; }));
    EXPECT_EQ(std::vector<std::string>{"Untitled - Notepad"}, quortab.TabTitles());
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), notepad.Window()));
    EXPECT_TRUE(SameRect(notepadStood, WindowRect(notepad.Window()))) << "shown where it stands";
    EXPECT_EQ("", quortab.MessageBoxes()) << "closing a grouped program is no error";
}

TEST(E2eReleasing, AHiddenApplicationThatEndsLosesOnlyItsTab)
{
    CFixtureProcess apps({"title=Fixture Window;x=200;y=150;w=500;h=300"});
    CWineProgram notepad("notepad.exe", kNotepadClass);
    CWineProgram mines("winemine.exe", kMinesweeperClass);
    ASSERT_TRUE(notepad.Window() && mines.Window());
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(apps.Window(0)));
    ASSERT_TRUE(quortab.Add(notepad.Window()));
    ASSERT_TRUE(quortab.Add(mines.Window()));
    const RECT place = WindowRect(apps.Window(0));

    ::TerminateProcess(notepad.Handle(), 1);
    ASSERT_TRUE(notepad.WaitForExit(5000));
    EXPECT_TRUE(Eventually([&] { return quortab.TabCount() == 2; }));
    EXPECT_EQ((std::vector<std::string>{"Fixture Window", "WineMine"}), quortab.TabTitles());
    EXPECT_EQ(0, quortab.Selection());
    EXPECT_TRUE(::IsWindowVisible(apps.Window(0)));
    EXPECT_FALSE(::IsWindowVisible(mines.Window()));
    EXPECT_TRUE(SameRect(place, WindowRect(apps.Window(0))));
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), apps.Window(0)));
    EXPECT_EQ("", quortab.MessageBoxes()) << "a program that ends is no error";
}

TEST(E2eReleasing, ExitFromTheMenuShowsEveryGroupedWindowAndEndsWithZero)
{
    CFixtureProcess apps({"title=Fixture Window;x=200;y=150;w=500;h=300"});
    CWineProgram notepad("notepad.exe", kNotepadClass);
    CWineProgram mines("winemine.exe", kMinesweeperClass);
    ASSERT_TRUE(notepad.Window() && mines.Window());
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(apps.Window(0)));
    ASSERT_TRUE(quortab.Add(notepad.Window()));
    ASSERT_TRUE(quortab.Add(mines.Window()));
    ASSERT_TRUE(quortab.ClickTab(1));
    ASSERT_TRUE(Eventually([&] { return ::IsWindowVisible(notepad.Window()) != FALSE; }));
    const RECT place = WindowRect(notepad.Window());

    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(0), kMenuExit));
    ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    EXPECT_EQ(0u, quortab.ExitCode());
    for (HWND window : {apps.Window(0), notepad.Window(), mines.Window()})
        EXPECT_TRUE(::IsWindowVisible(window)) << "'" << WindowTitle(window) << "' stays hidden";
    EXPECT_TRUE(SameRect(place, WindowRect(notepad.Window()))) << "shown where it last stood";
    EXPECT_TRUE(SameRect(place, WindowRect(apps.Window(0))));
}

TEST(E2eReleasing, ClosingTheLastGroupedApplicationEndsQuorTabWithZero)
{
    CWineProgram notepad("notepad.exe", kNotepadClass);
    ASSERT_TRUE(notepad.Window());
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(notepad.Window()));
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == notepad.Window(); }));

    PressKeys({VK_MENU, VK_F4});
    ASSERT_TRUE(notepad.WaitForExit(5000));
    ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    EXPECT_EQ(0u, quortab.ExitCode());
}

TEST(E2eReleasing, RemovingTheOnlyTabEndsQuorTabWithZeroAndLeavesMinesweeperShown)
{
    CWineProgram mines("winemine.exe", kMinesweeperClass);
    ASSERT_TRUE(mines.Window());
    mines.Place(300, 200, 160, 226);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(mines.Window()));

    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(0), kMenuRemoveWindow));
    ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    EXPECT_EQ(0u, quortab.ExitCode());
    EXPECT_TRUE(::IsWindowVisible(mines.Window()));
}
