// The strip as people use it beyond clicks: dragging tabs, the middle click, Close Window, the
// keys that work in the grouped window, and a window its application hides.
#include "QuorTabProcess.h"
#include "FrameGeometry.h"
#include "Input.h"
#include "Pump.h"
#include "WindowFacts.h"
#include "WindowGroup.h"
#include <gtest/gtest.h>

class E2eStrip : public WindowGroupTest {};

namespace {
const char kFirst[] = "title=First;x=150;y=100;w=480;h=300";
const char kSecond[] = "title=Second;x=700;y=120;w=300;h=200";
const char kThird[] = "title=Third;x=300;y=420;w=360;h=220";

bool Grouped(HWND window) { return ::GetPropA(window, "QuorTab.GroupedBy") != NULL; }

// The selected window stands, visible, on `place` with the strip under it.
::testing::AssertionResult SelectedOn(const CQuorTab& quortab, HWND window, const RECT& place)
{
    if (!Eventually([&] { return quortab.TabWindow(quortab.Selection()) == window && ::IsWindowVisible(window) &&
                                 SameRect(place, WindowRect(window)); }))
        return ::testing::AssertionFailure() << "selected: '" << quortab.TabTitle(quortab.Selection()) << "' at "
                                             << Describe(WindowRect(window)) << ", not " << Describe(place);
    return StripSettlesUnder(quortab.Frame(), window);
}
}  // namespace

TEST_F(E2eStrip, ATabDraggedAlongTheStripTakesThePlaceOfTheTabUnderTheCursor)
{
    ASSERT_TRUE(StartApps({kFirst, kSecond, kThird}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    ASSERT_TRUE(quortab.Reachable(quortab.TabPoint(0)));
    Drag(quortab.TabPoint(0), quortab.TabPoint(2));
    EXPECT_TRUE(Eventually([&] { return quortab.TabTitles() == std::vector<std::string>{"Second", "Third", "First"}; }))
        << quortab.Describe();
    EXPECT_EQ(App(0), quortab.TabWindow(quortab.Selection())) << "the selection stays with its window";

    // Past the last tab is last.
    ASSERT_TRUE(quortab.Reachable(quortab.TabPoint(0)));
    Drag(quortab.TabPoint(0), quortab.BesideTabs());
    EXPECT_TRUE(Eventually([&] { return quortab.TabTitles() == std::vector<std::string>{"Third", "First", "Second"}; }))
        << quortab.TabTitle(0) << " " << quortab.TabTitle(1) << " " << quortab.TabTitle(2) << "; " << quortab.Describe();
    EXPECT_TRUE(SelectedOn(quortab, App(1), StoodAtStart(0))) << "the press selected the tab it dragged";
}

TEST_F(E2eStrip, ATabDraggedOffTheStripLetsItsWindowGoAtTheCursorAndTheNextTakesItsPlace)
{
    ASSERT_TRUE(StartApps({kFirst, kSecond, kThird}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    const RECT place = WindowRect(App(0));
    const RECT strip = WindowRect(quortab.Frame());
    // Farther below the strip than it is tall: the window goes.
    const POINT drop = {strip.left + 40, strip.bottom + 3 * (strip.bottom - strip.top)};
    ASSERT_TRUE(quortab.Reachable(quortab.TabPoint(0)));
    Drag(quortab.TabPoint(0), drop);
    ASSERT_TRUE(Eventually([&] { return quortab.TabCount() == 2; })) << quortab.Describe();
    EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(App(0)) && WindowRect(App(0)).left == drop.x; }))
        << Describe(WindowRect(App(0)));
    const RECT let = WindowRect(App(0));
    EXPECT_EQ(place.right - place.left, let.right - let.left) << "its size is kept";
    EXPECT_EQ(drop.y, let.top);
    EXPECT_FALSE(Grouped(App(0)));
    EXPECT_TRUE(SelectedOn(quortab, App(1), place)) << "the next tab takes the place it left";

    // Released near the strip, nothing happens but the press's selection.
    ASSERT_TRUE(quortab.Reachable(quortab.TabPoint(1)));
    Drag(quortab.TabPoint(1), POINT{quortab.TabPoint(1).x, strip.bottom + 4});
    EXPECT_TRUE(SelectedOn(quortab, App(2), place));
    PumpFor(500);
    EXPECT_EQ(2, quortab.TabCount());
}

TEST_F(E2eStrip, AMiddleClickLetsATabsWindowGoWhereItStands)
{
    ASSERT_TRUE(StartApps({kFirst}, {kNotepad}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    const HWND notepad = App(1);
    const RECT hiddenAt = WindowRect(notepad);
    ASSERT_TRUE(quortab.Reachable(quortab.TabPoint(1)));
    SendMouse(quortab.TabPoint(1), MOUSEEVENTF_MIDDLEDOWN);
    SendMouse(quortab.TabPoint(1), MOUSEEVENTF_MIDDLEUP);
    ASSERT_TRUE(Eventually([&] { return quortab.TabCount() == 1; })) << quortab.Describe();
    EXPECT_TRUE(ShownSoon(notepad));
    EXPECT_TRUE(SameRect(hiddenAt, WindowRect(notepad)));
    EXPECT_FALSE(Grouped(notepad));
    EXPECT_TRUE(SelectedOn(quortab, App(0), StoodAtStart(0))) << "the selected tab is untouched";
}

TEST_F(E2eStrip, CloseWindowSelectsTheTabClosesItsWindowAndTheNextTakesItsPlace)
{
    ASSERT_TRUE(StartApps({kFirst}, {kNotepad, kMinesweeper}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    const HWND notepad = App(1);
    const RECT place = WindowRect(App(0));
    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(1), kMenuCloseWindow));
    // An untouched Notepad closes without asking.
    ASSERT_TRUE(Eventually([&] { return !::IsWindow(notepad); })) << quortab.Describe();
    EXPECT_TRUE(Eventually([&] { return quortab.TabCount() == 2; }));
    EXPECT_TRUE(SelectedOn(quortab, App(2), place)) << "Minesweeper slid into Notepad's tab and its place";
}

TEST_F(E2eStrip, CtrlAltPageKeysSwitchWhileTheGroupsWindowHasTheKeyboardAndPassElsewhere)
{
    ASSERT_TRUE(StartApps({kFirst, kSecond}, {kNotepad}));
    const HWND outside = App(1);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group({App(0), App(2)}));
    const RECT place = WindowRect(App(0));
    Click(Centre(ClientRectOnScreen(App(0))));
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == App(0); }));

    PressKeys({VK_CONTROL, VK_MENU, VK_NEXT});
    EXPECT_TRUE(SelectedOn(quortab, App(2), place));
    EXPECT_TRUE(Eventually([&] { return ::GetForegroundWindow() == App(2); })) << "the keyboard goes along";
    PressKeys({VK_CONTROL, VK_MENU, VK_NEXT});
    EXPECT_TRUE(SelectedOn(quortab, App(0), place)) << "wraps around";
    PressKeys({VK_CONTROL, VK_MENU, VK_PRIOR});
    EXPECT_TRUE(SelectedOn(quortab, App(2), place));

    // In a window outside the group the keys are that window's.
    Click(Centre(ClientRectOnScreen(outside)));
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == outside; }));
    PressKeys({VK_CONTROL, VK_MENU, VK_NEXT});
    PumpFor(600);
    EXPECT_EQ(App(2), quortab.TabWindow(quortab.Selection()));
}

TEST_F(E2eStrip, AWindowItsApplicationHidesPassesItsPlaceOnAndTakesItBackWhenShown)
{
    ASSERT_TRUE(StartApps({kFirst, kSecond}, {kMinesweeper}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    const HWND first = App(0), second = App(1);
    const RECT place = WindowRect(first);
    // Its application hides it, as one that goes to the notification area does.
    ::ShowWindow(first, SW_HIDE);
    EXPECT_TRUE(SelectedOn(quortab, second, place)) << quortab.Describe();
    EXPECT_EQ(3, quortab.TabCount()) << "the hidden window keeps its tab";
    EXPECT_TRUE(HiddenSoon(first));

    ::ShowWindow(first, SW_SHOWNA);
    EXPECT_TRUE(SelectedOn(quortab, first, place)) << "shown again, it is the selected one";
    EXPECT_TRUE(HiddenSoon(second));
    EXPECT_TRUE(HiddenSoon(App(2)));
}
