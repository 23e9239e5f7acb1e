// The tab group at work: grouped windows live in our fixture process, the frame in this one.
#include "AppTestSupport.h"
#include "BoxCatcher.h"
#include "MessageRecorder.h"
#include "resource.h"
#include <algorithm>

namespace {
// What Ctrl+Alt+PageDown (+1) and Ctrl+Alt+PageUp (-1) post from the key hook.
void CycleKey(HWND frame, int step) { ::SendMessageA(frame, quortab::kCycleKey, static_cast<WPARAM>(step), 0); }
}  // namespace

TEST_F(TabGroupTest, StartMakesThePickedWindowTheOnlySelectedTabWithTheFrameBelowIt)
{
    ASSERT_TRUE(GroupOf(1));
    const HWND one = App(0);

    EXPECT_EQ(1, TabCount(Tab()));
    EXPECT_EQ(0, CurSel(Tab()));
    EXPECT_EQ("One", TabText(Tab(), 0));
    EXPECT_EQ(one, TabData(Tab(), 0));
    RECT item = TabItemRect(Tab(), 0);
    EXPECT_EQ(quortab::kTabWidth, item.right - item.left);
    // Activating the window of another process completes there; the upkeep then restores the
    // frame's place in the z-order.
    EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == one; }, 3000)) << ::GetForegroundWindow();
    EXPECT_TRUE(UpkeepPlacesFrameBelow(one));
    EXPECT_TRUE(ShownSoon(Frame()));
}

TEST_F(TabGroupTest, FrameIsACaptionlessToolWindowOfItsOwnClass)
{
    ASSERT_TRUE(GroupOf(1));
    EXPECT_EQ(quortab::kClassName, ClassName(Frame()));
    EXPECT_EQ(quortab::kFrameTitle, WindowTitle(Frame()));
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(Frame(), GWL_STYLE));
    EXPECT_EQ(quortab::kFrameStyle, style) << std::hex << style;
    EXPECT_EQ(0u, style & WS_DLGFRAME) << "no caption";
    EXPECT_TRUE(::GetWindowLongPtrA(Frame(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "no taskbar button";

    // Class registered once: a second frame in the same process needs no new registration.
    const ATOM atom = g_tabWndClass;
    CPickerDriver driver(App(1));
    CTabWndHandler* second = CreateTabWindow(g_hInstance, NULL);
    ASSERT_TRUE(second);
    EXPECT_EQ(atom, g_tabWndClass);
    ::DestroyWindow(second->GetHandle());
}

TEST_F(TabGroupTest, CancellingTheFirstPickFailsCreationQuietlyAndLeavesNothing)
{
    ASSERT_TRUE(StartApps(kThreeWindows));
    CBoxCatcher boxes;
    CPickerDriver driver(NULL);
    EXPECT_THROW(CreateTabWindow(g_hInstance, NULL), CWindowsError);
    EXPECT_EQ(1, driver.DialogsSeen());
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(EndedWithZero());
}

TEST_F(TabGroupTest, ThePickerLeavesOutTheSelectedWindowAndHiddenGroupMembers)
{
    ASSERT_TRUE(StartApps(kThreeWindows));
    std::vector<HWND> atStart;
    {
        CPickerDriver first(App(0));
        m_frame = CreateTabWindow(g_hInstance, NULL);
        m_frameHandle = m_frame->GetHandle();
        ASSERT_EQ(1, first.DialogsSeen());
        atStart = first.LastListed();
    }
    auto listed = [](const std::vector<HWND>& list, HWND w) {
        return std::find(list.begin(), list.end(), w) != list.end();
    };
    EXPECT_TRUE(listed(atStart, App(0))) << "nothing is excluded at start";

    {
        CPickerDriver second(App(1));
        m_frame->SendMessage(WM_COMMAND, IDM_ADD_WINDOW, 0);
        EXPECT_FALSE(listed(second.LastListed(), App(0))) << "the selected window is excluded";
        EXPECT_FALSE(listed(second.LastListed(), Frame())) << "the frame never offers itself";
    }
    CPickerDriver third(NULL);
    m_frame->SendMessage(WM_COMMAND, IDM_ADD_WINDOW, 0);
    EXPECT_FALSE(listed(third.LastListed(), App(1))) << "hidden group members are not offered";
    EXPECT_TRUE(listed(third.LastListed(), App(2)));
    EXPECT_EQ(2, TabCount(Tab())) << "a cancelled pick adds nothing";
}

TEST_F(TabGroupTest, ClickingATabPutsItsWindowOnThePreviousRectangleAndHidesTheOthers)
{
    ASSERT_TRUE(GroupOf(3));
    HWND one = App(0), two = App(1), three = App(2);
    ASSERT_EQ(3, TabCount(Tab()));
    EXPECT_EQ(0, CurSel(Tab())) << "added tabs are not selected";
    EXPECT_TRUE(HiddenSoon(two));
    EXPECT_TRUE(HiddenSoon(three));

    const RECT place = WindowRect(one);
    ClickTab(Tab(), 2);
    EXPECT_EQ(2, CurSel(Tab()));
    EXPECT_TRUE(SameRect(place, WindowRect(three))) << Describe(WindowRect(three));
    EXPECT_TRUE(ShownSoon(three));
    EXPECT_TRUE(HiddenSoon(one));
    EXPECT_TRUE(HiddenSoon(two));
    EXPECT_EQ(WindowRect(three).bottom, ClientRectOnScreen(Frame()).top) << "placed by the switch itself";
    EXPECT_TRUE(UpkeepPlacesFrameBelow(three));

    ClickTab(Tab(), 1);
    EXPECT_TRUE(SameRect(place, WindowRect(two)));
    EXPECT_TRUE(ShownSoon(two));
    EXPECT_TRUE(HiddenSoon(three));
    EXPECT_TRUE(UpkeepPlacesFrameBelow(two));
}

TEST_F(TabGroupTest, UpkeepRefreshesTitlesAndTheTooltipShowsTheWholeTitle)
{
    const std::string longTitle = "A window whose title is far longer than a hundred-pixel tab can show";
    ASSERT_TRUE(GroupOf(2));

    ::SetWindowTextA(App(0), "Renamed");
    ::SetWindowTextA(App(1), longTitle.c_str());
    EXPECT_TRUE(UpkeepUntil([&] { return TabText(Tab(), 0) == "Renamed" && TabText(Tab(), 1) == longTitle; }));

    // The tooltip asks the frame for a tab's text by the tab's index.
    HWND tips = reinterpret_cast<HWND>(::SendMessageA(Tab(), TCM_GETTOOLTIPS, 0, 0));
    ASSERT_TRUE(tips);
    EXPECT_EQ(2, ::SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = tips;
    info.hdr.idFrom = 1;
    info.hdr.code = TTN_GETDISPINFOA;
    ::SendMessageA(Frame(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_TRUE(info.lpszText);
    EXPECT_EQ(longTitle, info.lpszText);
}

TEST_F(TabGroupTest, HoveringATabShowsItsTitleInATooltip)
{
    ASSERT_TRUE(StartApps({"title=First;x=100;y=80;w=500;h=300",
                           "title=Second window with a long title;x=100;y=80;w=500;h=300"}));
    ASSERT_TRUE(Start(App(0)));
    Add(App(1));
    HWND tips = reinterpret_cast<HWND>(::SendMessageA(Tab(), TCM_GETTOOLTIPS, 0, 0));
    ASSERT_TRUE(tips);
    POINT at = Centre(TabItemRect(Tab(), 1));
    ::ClientToScreen(Tab(), &at);
    ::SetCursorPos(at.x - 2, at.y);
    PumpFor(50);
    ::SetCursorPos(at.x, at.y);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(tips) != FALSE; }, 5000));
    EXPECT_EQ("Second window with a long title", WindowTitle(tips));
}

TEST_F(TabGroupTest, ClosingTheSelectedWindowSelectsTheTabThatTakesItsPlace)
{
    ASSERT_TRUE(GroupOf(3));
    HWND one = App(0), two = App(1), three = App(2);
    // Its place once the group has hidden it: a place read before could still change.
    ASSERT_TRUE(HiddenSoon(two));
    const RECT twoStands = WindowRect(two);

    ::PostMessageA(one, WM_CLOSE, 0, 0);
    ASSERT_TRUE(UpkeepUntil([&] { return TabCount(Tab()) == 2; }));
    CatchUpTabs(Tab());
    EXPECT_EQ(0, CurSel(Tab()));
    EXPECT_EQ(two, TabData(Tab(), 0));
    EXPECT_TRUE(ShownSoon(two));
    EXPECT_TRUE(SameRect(twoStands, WindowRect(two)))
        << "shown where it stands, not moved: " << Describe(twoStands) << " became " << Describe(WindowRect(two));
    EXPECT_TRUE(UpkeepPlacesFrameBelow(two));

    // The last tab selected and closed: the new last tab is selected.
    ClickTab(Tab(), 1);
    ASSERT_EQ(1, CurSel(Tab()));
    ::PostMessageA(three, WM_CLOSE, 0, 0);
    ASSERT_TRUE(UpkeepUntil([&] { return TabCount(Tab()) == 1; }));
    CatchUpTabs(Tab());
    EXPECT_EQ(0, CurSel(Tab()));
    EXPECT_TRUE(ShownSoon(two));
    EXPECT_TRUE(UpkeepPlacesFrameBelow(two));
}

TEST_F(TabGroupTest, ClosingAnUnselectedWindowKeepsSelectionAndView)
{
    ASSERT_TRUE(GroupOf(3));
    HWND one = App(0), two = App(1), three = App(2);
    ClickTab(Tab(), 2);
    const RECT place = WindowRect(three);

    ::PostMessageA(one, WM_CLOSE, 0, 0);
    ASSERT_TRUE(UpkeepUntil([&] { return TabCount(Tab()) == 2; }));
    EXPECT_EQ(three, TabData(Tab(), CurSel(Tab())));
    EXPECT_TRUE(ShownSoon(three));
    EXPECT_TRUE(HiddenSoon(two));
    EXPECT_TRUE(SameRect(place, WindowRect(three)));
    EXPECT_TRUE(UpkeepPlacesFrameBelow(three));
}

TEST_F(TabGroupTest, TheLastWindowGoneClosesTheFrameAndPostsQuitWithZero)
{
    ASSERT_TRUE(GroupOf(1));
    ::PostMessageA(App(0), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !FrameAlive(); }, 3000));
    EXPECT_TRUE(EndedWithZero());
}

TEST_F(TabGroupTest, TheFrameFollowsMovesResizesHidingAndShowing)
{
    ASSERT_TRUE(GroupOf(1));
    const HWND one = App(0);

    ::SetWindowPos(one, NULL, 220, 140, 640, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(UpkeepPlacesFrameBelow(one));

    ::ShowWindow(one, SW_HIDE);
    EXPECT_TRUE(UpkeepUntil([&] { return !::IsWindowVisible(Frame()); }));
    ::ShowWindow(one, SW_SHOWNA);
    EXPECT_TRUE(UpkeepUntil([&] { return ::IsWindowVisible(Frame()) != FALSE; }));
    EXPECT_TRUE(UpkeepPlacesFrameBelow(one));
}

TEST_F(TabGroupTest, CyclingWrapsAtBothEndsAndStaysPutWithOneTab)
{
    ASSERT_TRUE(GroupOf(1));
    const HWND one = App(0);
    const RECT place = WindowRect(one);
    CycleKey(Frame(), +1);
    EXPECT_EQ(0, CurSel(Tab()));
    CycleKey(Frame(), -1);
    EXPECT_EQ(0, CurSel(Tab()));
    EXPECT_TRUE(SameRect(place, WindowRect(one)));
    EXPECT_TRUE(ShownSoon(one));

    Add(App(1));
    Add(App(2));
    const int forward[] = {1, 2, 0, 1};
    for (int expected : forward) {
        CycleKey(Frame(), +1);
        CatchUpTabs(Tab());
        EXPECT_EQ(expected, CurSel(Tab()));
        EXPECT_TRUE(ShownSoon(TabData(Tab(), expected)));
        EXPECT_TRUE(SameRect(place, WindowRect(TabData(Tab(), expected))));
    }
    const int backward[] = {0, 2, 1, 0};
    for (int expected : backward) {
        CycleKey(Frame(), -1);
        CatchUpTabs(Tab());
        EXPECT_EQ(expected, CurSel(Tab()));
    }
    EXPECT_TRUE(UpkeepPlacesFrameBelow(one));
}

TEST_F(TabGroupTest, ClosingTheFrameShowsEveryGroupedWindowThatStillExists)
{
    ASSERT_TRUE(GroupOf(3));
    HWND one = App(0), two = App(1), three = App(2);
    ::PostMessageA(three, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(three); }));
    const RECT twoStood = WindowRect(two);

    m_frame->SendMessage(WM_CLOSE, 0, 0);
    EXPECT_FALSE(FrameAlive());
    CatchUpApps();
    EXPECT_TRUE(ShownSoon(one));
    EXPECT_TRUE(ShownSoon(two));
    EXPECT_TRUE(SameRect(twoStood, WindowRect(two))) << "released where it last stood";
}

TEST_F(TabGroupTest, SwitchingFromATabWhoseWindowDiedShowsTheNewOneInTheGroupsLastPlace)
{
    // No event either: the click comes before any upkeep pass has seen the window go.
    CNoWindowEvents noEvents;
    ASSERT_TRUE(GroupOf(2));
    const HWND one = App(0), two = App(1);
    const RECT place = WindowRect(one);
    ASSERT_FALSE(SameRect(place, WindowRect(two)));
    // Close the selected window without giving the upkeep a chance to run.
    ::KillTimer(Frame(), quortab::kUpkeepTimer);
    ::PostMessageA(one, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(one); }));

    CBoxCatcher boxes;
    ClickTab(Tab(), 1);
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].text;
    EXPECT_TRUE(ShownSoon(two));
    EXPECT_TRUE(SameRect(place, WindowRect(two))) << Describe(WindowRect(two));
    ::SetTimer(Frame(), quortab::kUpkeepTimer, quortab::kUpkeepMs, NULL);
    EXPECT_TRUE(UpkeepPlacesFrameBelow(two));
    EXPECT_TRUE(FrameAlive());
}

TEST_F(TabGroupTest, AnEarlierAndTheSelectedWindowClosingInOnePassStillLeaveATabShown)
{
    ASSERT_TRUE(GroupOf(3));
    HWND one = App(0), two = App(1), three = App(2);
    ClickTab(Tab(), 2);
    ::KillTimer(Frame(), quortab::kUpkeepTimer);
    ::PostMessageA(one, WM_CLOSE, 0, 0);
    ::PostMessageA(three, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(one) && !::IsWindow(three); }));

    m_frame->SendMessage(WM_TIMER, 0, 0);
    ASSERT_EQ(1, TabCount(Tab()));
    EXPECT_EQ(0, CurSel(Tab()));
    CatchUpApps();
    EXPECT_TRUE(ShownSoon(two));
    ::SetTimer(Frame(), quortab::kUpkeepTimer, quortab::kUpkeepMs, NULL);
    EXPECT_TRUE(UpkeepPlacesFrameBelow(two));
}
