// The user's control of the frame beyond clicking tabs: Ctrl+Tab and the wheel, the context
// menu and its four commands, driven as a user drives them. The frame runs in this process, the
// grouped windows in our fixture process.
#include "AppTestSupport.h"
#include "BoxCatcher.h"
#include "DialogAnswerer.h"
#include "Input.h"
#include "resource.h"
#include <cstring>
#include <iterator>

namespace {

// Holds keys down in this thread's key state, as GetKeyState reports it, while alive.
class CHeldKeys {
public:
    explicit CHeldKeys(const std::vector<int>& keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        std::memcpy(state, m_saved, sizeof state);
        for (int key : keys)
            state[key] |= 0x80;
        ::SetKeyboardState(state);
    }
    ~CHeldKeys() { ::SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

// What a user's keys put in the queue of an open menu.
struct MenuKey {
    UINT message;
    WPARAM key;
};
const std::vector<MenuKey> kEscape = {{WM_KEYDOWN, VK_ESCAPE}};
// "Close Window", the fourth item ("&C" is also "Copy Command Line"'s).
const std::vector<MenuKey> kCloseItem = {{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_DOWN},
                                         {WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_RETURN}};
std::vector<MenuKey> Mnemonic(char letter) { return {{WM_CHAR, static_cast<WPARAM>(letter)}}; }
// "About..." has no mnemonic: down to the first item, then Enter.
const std::vector<MenuKey> kFirstItem = {{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_RETURN}};

struct MenuItem {
    std::string text;
    UINT id;
    UINT state;
};

class CMenuProbe;
CMenuProbe* g_probe = nullptr;

// Watches the frame's context menus while alive: records each pop-up's items when it opens and
// where it stands once it is on screen, then answers it with the keys given. A menu still open
// after five seconds is ended and reported, so no test can hang in the menu's loop.
class CMenuProbe : public CMessageHook {
public:
    CMenuProbe(CTabWndHandler* frame, const std::vector<MenuKey>& answer)
        : m_frame(frame), m_handle(frame->GetHandle()), m_answer(answer)
    {
        g_probe = this;
        m_frame->AddHook(this);
    }
    ~CMenuProbe()
    {
        // The frame may have gone with its window (Exit, the last tab removed).
        if (CWndHandler::FromHandle(m_handle) == m_frame)
            m_frame->RemoveHook(this);
        StopWatchdog();
        g_probe = nullptr;
    }

    void BeforeMessage(CWndProxy*, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP) {
            ++opened;
            menu = reinterpret_cast<HMENU>(wParam);
            items.clear();
            const int count = ::GetMenuItemCount(menu);
            for (int i = 0; i < count; ++i) {
                char text[256] = "";
                ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
                items.push_back({text, ::GetMenuItemID(menu, i), ::GetMenuState(menu, i, MF_BYPOSITION)});
            }
            m_watchdog = ::SetTimer(NULL, 0, 5000, Watchdog);
        } else if (message == WM_ENTERIDLE && wParam == MSGF_MENU && !m_answered) {
            // The menu is on screen and waits for the user.
            m_answered = true;
            ::GetWindowRect(reinterpret_cast<HWND>(lParam), &placed);
            for (const MenuKey& key : m_answer)
                ::PostMessageA(m_handle, key.message, key.key, 1);
        } else if (message == WM_EXITMENULOOP) {
            ++closed;
            StopWatchdog();
        }
    }
    void AfterMessage(CWndProxy*, UINT, WPARAM, LPARAM) override {}

    bool IsEnabled(UINT id) const
    {
        for (const MenuItem& item : items)
            if (item.id == id)
                return (item.state & (MF_GRAYED | MF_DISABLED)) == 0;
        ADD_FAILURE() << "no item " << id << " in the menu";
        return false;
    }

    int opened = 0;
    int closed = 0;
    bool timedOut = false;
    HMENU menu = NULL;
    std::vector<MenuItem> items;
    RECT placed = {};

private:
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
    {
        if (g_probe) {
            g_probe->timedOut = true;
            g_probe->StopWatchdog();
        }
        ::EndMenu();
    }
    void StopWatchdog()
    {
        if (m_watchdog)
            ::KillTimer(NULL, m_watchdog);
        m_watchdog = 0;
    }

    CTabWndHandler* m_frame;
    HWND m_handle;
    std::vector<MenuKey> m_answer;
    bool m_answered = false;
    UINT_PTR m_watchdog = 0;
};

struct SeenAbout {
    HWND dialog;
    HWND owner;
    HICON icon;
};

bool IsAboutBox(HWND window)
{
    return WindowTitle(window) == "About ";
}
}  // namespace

class InputCommandTest : public TabGroupTest {
protected:
    POINT OnTab(int index) const
    {
        POINT at = Centre(TabItemRect(Tab(), index));
        ::ClientToScreen(Tab(), &at);
        return at;
    }

    // On the tab row, right of the last tab.
    POINT BesideTabs() const
    {
        RECT client = {};
        ::GetClientRect(Tab(), &client);
        RECT item = TabItemRect(Tab(), 0);
        POINT at = {client.right - 10, (item.top + item.bottom) / 2};
        ::ClientToScreen(Tab(), &at);
        return at;
    }

    // The tab control's own answer to "which tab is at this screen point".
    int TabAt(POINT at) const
    {
        TCHITTESTINFO hit = {};
        hit.pt = at;
        ::ScreenToClient(Tab(), &hit.pt);
        return static_cast<int>(::SendMessageA(Tab(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }

    // The context menu as a right-click at `at` over `clicked` delivers it; returns once the
    // menu has closed. A chosen command is posted and runs at the next pump.
    void ContextMenu(CMenuProbe& probe, HWND clicked, POINT at)
    {
        ::SendMessageA(Frame(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(clicked), MAKELPARAM(at.x, at.y));
        EXPECT_EQ(1, probe.opened);
        EXPECT_EQ(1, probe.closed);
        EXPECT_FALSE(probe.timedOut) << "the menu did not react to the keys";
    }

    // Chooses a command from the menu opened on tab `index`, and lets the command run.
    void ChooseOnTab(int index, const std::vector<MenuKey>& keys, const std::function<bool()>& ran)
    {
        std::vector<HWND> grouped;
        for (int i = 0; i < TabCount(Tab()); ++i)
            grouped.push_back(TabData(Tab(), i));
        {
            // Unhooked before the command runs: the command may end the frame.
            CMenuProbe probe(m_frame, keys);
            ContextMenu(probe, Tab(), OnTab(index));
        }
        EXPECT_TRUE(PumpUntil(ran, 3000)) << "the chosen command did not run";
        for (HWND window : grouped)
            CatchUp(window);
    }

    HWND Selected() const { return TabData(Tab(), CurSel(Tab())); }

    // Puts the selected window in front, so that giving the frame the foreground shows.
    void ForegroundToSelected()
    {
        HWND window = Selected();
        ::SetForegroundWindow(window);
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == window; }, 3000));
    }

    ::testing::AssertionResult OnlySelectedShownAt(const RECT& place) const
    {
        const int sel = CurSel(Tab());
        for (int i = 0; i < TabCount(Tab()); ++i)
            CatchUp(TabData(Tab(), i));
        for (int i = 0; i < TabCount(Tab()); ++i) {
            HWND window = TabData(Tab(), i);
            if ((::IsWindowVisible(window) != FALSE) != (i == sel))
                return ::testing::AssertionFailure() << "tab " << i << " is " << (i == sel ? "hidden" : "shown")
                                                     << " with tab " << sel << " selected";
        }
        if (!SameRect(place, WindowRect(Selected())))
            return ::testing::AssertionFailure() << "the selected window stands at " << Describe(WindowRect(Selected()))
                                                 << ", not " << Describe(place);
        return ::testing::AssertionSuccess();
    }

    void Wheel(HWND to, int delta)
    {
        ::SendMessageA(to, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))),
                       MAKELPARAM(400, 400));
    }
};

TEST_F(InputCommandTest, TheContextMenuShowsItsCommandsAtTheClickAndIsDestroyedOnce)
{
    ASSERT_TRUE(GroupOf(3));
    CBoxCatcher boxes;
    CMenuProbe probe(m_frame, kEscape);
    const POINT at = OnTab(1);
    ContextMenu(probe, Tab(), at);

    const struct {
        const char* text;
        UINT id;
    } expected[] = {
        {"About...", IDM_ABOUT},
        {"&Add Window...", IDM_ADD_WINDOW},
        {"&Remove Window", IDM_REMOVE_WINDOW},
        {"&Close Window", IDM_CLOSE_WINDOW},
        {"&Copy Command Line", IDM_COPY_COMMAND_LINE},
        {"&Exit", IDM_EXIT},
    };
    ASSERT_EQ(std::size(expected), probe.items.size());
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(expected[i].text, probe.items[i].text) << "item " << i;
        EXPECT_EQ(expected[i].id, probe.items[i].id) << "item " << i;
        EXPECT_EQ(0u, probe.items[i].state & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR | MF_POPUP)) << "item " << i;
    }
    EXPECT_EQ(at.x, probe.placed.left) << "left-aligned at the click";
    EXPECT_EQ(at.y, probe.placed.top) << "top-aligned at the click";

    EXPECT_FALSE(::IsMenu(probe.menu)) << "the loaded menu outlived its opening";
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].text;
    EXPECT_EQ(NULL, ::GetMenu(Frame())) << "never a menu bar";

    // Escape chooses nothing.
    PumpFor(300);
    EXPECT_EQ(3, TabCount(Tab()));
    EXPECT_EQ(0, CurSel(Tab()));
    EXPECT_TRUE(FrameAlive());
}

TEST_F(InputCommandTest, RemoveWindowIsEnabledOnATabAndGreyedElsewhere)
{
    ASSERT_TRUE(GroupOf(3));
    const POINT beside = BesideTabs();
    ASSERT_EQ(-1, TabAt(beside)) << "the point must miss every tab";
    ASSERT_EQ(1, TabAt(OnTab(1)));

    struct Case {
        const char* where;
        HWND clicked;
        POINT at;
        bool enabled;
    } cases[] = {
        {"the selected tab", Tab(), OnTab(0), true},
        {"beside the tabs", Tab(), beside, false},
        {"an unselected tab", Tab(), OnTab(2), true},
        // Only a click on the tab control names a tab, whatever the point.
        {"the frame itself", Frame(), OnTab(1), false},
        {"a tab again", Tab(), OnTab(1), true},
    };
    for (const Case& c : cases) {
        CMenuProbe probe(m_frame, kEscape);
        ContextMenu(probe, c.clicked, c.at);
        EXPECT_EQ(c.enabled, probe.IsEnabled(IDM_REMOVE_WINDOW)) << c.where;
        EXPECT_TRUE(probe.IsEnabled(IDM_ADD_WINDOW)) << c.where;
        EXPECT_TRUE(probe.IsEnabled(IDM_ABOUT)) << c.where;
        EXPECT_TRUE(probe.IsEnabled(IDM_EXIT)) << c.where;
    }

    // Remove Window after a menu that named no tab removes nothing.
    {
        CMenuProbe probe(m_frame, kEscape);
        ContextMenu(probe, Tab(), beside);
    }
    m_frame->SendMessage(WM_COMMAND, IDM_REMOVE_WINDOW, 0);
    PumpFor(300);
    EXPECT_EQ(3, TabCount(Tab()));
    EXPECT_TRUE(FrameAlive());
}

TEST_F(InputCommandTest, ARealRightClickOnATabOpensTheMenuForThatTab)
{
    ASSERT_TRUE(GroupOf(3));
    const POINT at = OnTab(2);
    ASSERT_EQ(Tab(), ::WindowFromPoint(at)) << "the tab row must be uncovered";

    CMenuProbe probe(m_frame, Mnemonic('r'));
    SendMouse(at, MOUSEEVENTF_RIGHTDOWN);
    SendMouse(at, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(PumpUntil([&] { return probe.closed == 1; }, 5000)) << "no context menu";
    EXPECT_FALSE(probe.timedOut);
    EXPECT_TRUE(probe.IsEnabled(IDM_REMOVE_WINDOW));
    EXPECT_EQ(at.x, probe.placed.left);
    EXPECT_EQ(at.y, probe.placed.top);
    EXPECT_TRUE(PumpUntil([&] { return TabCount(Tab()) == 2; }, 3000));
    EXPECT_EQ(App(0), TabData(Tab(), 0));
    EXPECT_EQ(App(1), TabData(Tab(), 1)) << "the tab under the click goes";
    EXPECT_TRUE(ShownSoon(App(2)));
}

TEST_F(InputCommandTest, RemovingUnselectedTabsShowsTheirWindowsWhereTheyWereHidden)
{
    ASSERT_TRUE(GroupOf(3));
    HWND one = App(0), two = App(1), three = App(2);
    const RECT twoStood = StoodAtStart(1);
    const RECT place = WindowRect(one);
    ClickTab(Tab(), 2);
    ASSERT_TRUE(OnlySelectedShownAt(place));
    ASSERT_TRUE(UpkeepPlacesFrameBelow(three));
    const RECT frameStood = WindowRect(Frame());

    // Two was never selected: it reappears where it was made.
    ChooseOnTab(1, Mnemonic('r'), [&] { return TabCount(Tab()) == 2; });
    EXPECT_TRUE(ShownSoon(two));
    EXPECT_TRUE(SameRect(twoStood, WindowRect(two))) << Describe(WindowRect(two));
    EXPECT_EQ(three, Selected()) << "the selection stays with its window";
    EXPECT_TRUE(ShownSoon(three));
    EXPECT_TRUE(HiddenSoon(one));
    EXPECT_TRUE(SameRect(place, WindowRect(three)));
    EXPECT_TRUE(SameRect(frameStood, WindowRect(Frame())));

    // One was hidden where Three now stands; the selection slides down with Three's tab.
    ChooseOnTab(0, Mnemonic('r'), [&] { return TabCount(Tab()) == 1; });
    EXPECT_TRUE(ShownSoon(one));
    EXPECT_TRUE(SameRect(place, WindowRect(one)));
    EXPECT_EQ(0, CurSel(Tab()));
    EXPECT_EQ(three, Selected());
    EXPECT_TRUE(ShownSoon(three));
    EXPECT_TRUE(SameRect(frameStood, WindowRect(Frame())));
    EXPECT_TRUE(UpkeepPlacesFrameBelow(three));
}

TEST_F(InputCommandTest, RemovingTheSelectedTabShowsTheNextOneOnItsRectangle)
{
    ASSERT_TRUE(GroupOf(3));
    HWND one = App(0), two = App(1), three = App(2);
    const RECT place = WindowRect(one);
    ASSERT_TRUE(UpkeepPlacesFrameBelow(one));

    ChooseOnTab(0, Mnemonic('r'), [&] { return TabCount(Tab()) == 2; });
    EXPECT_EQ(0, CurSel(Tab())) << "the tab that slid into its place";
    EXPECT_EQ(two, TabData(Tab(), 0));
    EXPECT_TRUE(ShownSoon(one)) << "the released window stays";
    EXPECT_TRUE(SameRect(place, WindowRect(one)));
    EXPECT_TRUE(ShownSoon(two)) << "the strip never stands under nothing";
    CatchUp(two);
    EXPECT_TRUE(SameRect(place, WindowRect(two))) << Describe(WindowRect(two));
    EXPECT_TRUE(HiddenSoon(three));
    EXPECT_TRUE(UpkeepPlacesFrameBelow(two));
}

TEST_F(InputCommandTest, RemovingTheOnlyTabEndsTheFrameWithZeroAndLeavesItsWindowShown)
{
    ASSERT_TRUE(GroupOf(1));
    const HWND one = App(0);
    const RECT place = WindowRect(one);
    // The upkeep would close an empty frame too; without it only the command can.
    ::KillTimer(Frame(), quortab::kUpkeepTimer);

    ChooseOnTab(0, Mnemonic('r'), [&] { return !FrameAlive(); });
    EXPECT_TRUE(ShownSoon(one));
    EXPECT_TRUE(SameRect(place, WindowRect(one)));
    EXPECT_TRUE(EndedWithZero());
}

TEST_F(InputCommandTest, AddWindowAppendsAnUnselectedTabAndHidesItsWindowAndCancelChangesNothing)
{
    ASSERT_TRUE(GroupOf(1));
    HWND one = App(0), two = App(1), three = App(2);
    const RECT place = WindowRect(one);
    ASSERT_TRUE(UpkeepPlacesFrameBelow(one));
    const RECT frameStood = WindowRect(Frame());

    {
        CPickerDriver picker(two);
        ChooseOnTab(0, Mnemonic('a'), [&] { return TabCount(Tab()) == 2; });
        EXPECT_EQ(1, picker.DialogsSeen());
    }
    CatchUpApps();
    EXPECT_EQ(two, TabData(Tab(), 1)) << "appended at the end";
    EXPECT_EQ("Two", TabText(Tab(), 1));
    EXPECT_EQ(0, CurSel(Tab()));
    EXPECT_TRUE(HiddenSoon(two));
    EXPECT_TRUE(ShownSoon(one));
    EXPECT_TRUE(SameRect(place, WindowRect(one)));
    EXPECT_TRUE(SameRect(frameStood, WindowRect(Frame())));

    {
        CPickerDriver picker(NULL);
        ChooseOnTab(1, Mnemonic('a'), [&] { return picker.DialogsSeen() == 1; });
    }
    PumpFor(300);
    EXPECT_EQ(2, TabCount(Tab()));
    EXPECT_EQ(0, CurSel(Tab()));
    EXPECT_TRUE(ShownSoon(three)) << "a cancelled pick hides nothing";
    EXPECT_TRUE(ShownSoon(one));
    EXPECT_TRUE(SameRect(frameStood, WindowRect(Frame())));
}

TEST_F(InputCommandTest, ExitShowsEveryGroupedWindowAndEndsWithZero)
{
    ASSERT_TRUE(GroupOf(3));
    HWND one = App(0), two = App(1), three = App(2);
    const RECT threeStood = StoodAtStart(2);
    const RECT place = WindowRect(one);
    ClickTab(Tab(), 1);
    CatchUpApps();
    ASSERT_TRUE(HiddenSoon(one));
    ASSERT_TRUE(HiddenSoon(three));

    ChooseOnTab(1, Mnemonic('e'), [&] { return !FrameAlive(); });
    CatchUpApps();
    EXPECT_TRUE(ShownSoon(one));
    EXPECT_TRUE(ShownSoon(two));
    EXPECT_TRUE(ShownSoon(three));
    EXPECT_TRUE(SameRect(place, WindowRect(two))) << "released where they last stood";
    EXPECT_TRUE(SameRect(threeStood, WindowRect(three)));
    EXPECT_TRUE(EndedWithZero());
}

TEST_F(InputCommandTest, AboutOpensTheAboutBoxWithTheClassIconOwnedByTheFrame)
{
    ASSERT_TRUE(GroupOf(1));
    const HICON classIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(Frame(), GCLP_HICON));
    ASSERT_TRUE(classIcon);

    // Each About box is recorded and closed with its Close button.
    std::vector<SeenAbout> seen;
    CDialogAnswerer about(IsAboutBox, [&](HWND box) {
        HICON icon = reinterpret_cast<HICON>(::SendDlgItemMessageA(box, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
        seen.push_back({box, ::GetWindow(box, GW_OWNER), icon});
        ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    });
    ChooseOnTab(0, kFirstItem, [&] { return seen.size() == 1 && !::IsWindow(seen[0].dialog); });
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(Frame(), seen[0].owner);
    EXPECT_EQ(classIcon, seen[0].icon);
    EXPECT_TRUE(FrameAlive());
    EXPECT_EQ(1, TabCount(Tab()));
}

TEST_F(InputCommandTest, CtrlTabAndCtrlShiftTabCycleWithWrapAndBringTheFrameForward)
{
    ASSERT_TRUE(GroupOf(3));
    const RECT place = WindowRect(App(0));

    const struct {
        std::vector<int> held;
        WPARAM key;
        int selected;
        bool frameForward;
    } steps[] = {
        {{VK_CONTROL}, VK_TAB, 1, true},
        {{VK_CONTROL}, VK_TAB, 2, true},
        {{VK_CONTROL}, VK_TAB, 0, true},
        {{VK_CONTROL, VK_SHIFT}, VK_TAB, 2, true},
        {{VK_CONTROL, VK_SHIFT}, VK_TAB, 1, true},
        {{VK_CONTROL, VK_SHIFT}, VK_TAB, 0, true},
        {{}, VK_TAB, 0, false},
        {{VK_SHIFT}, VK_TAB, 0, false},
        {{VK_CONTROL}, VK_NEXT, 0, false},
    };
    // The frame gets the key itself while it has the focus, the tab control's notification
    // while the control has it; both must act alike.
    for (HWND target : {Frame(), Tab()}) {
        SCOPED_TRACE(target == Frame() ? "WM_KEYDOWN to the frame" : "TCN_KEYDOWN from the tab control");
        for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
            ForegroundToSelected();
            {
                CHeldKeys held(steps[i].held);
                ::SendMessageA(target, WM_KEYDOWN, steps[i].key, 1);
            }
            EXPECT_EQ(steps[i].selected, CurSel(Tab())) << "step " << i;
            EXPECT_TRUE(OnlySelectedShownAt(place)) << "step " << i;
            EXPECT_EQ(steps[i].frameForward, ::GetForegroundWindow() == Frame()) << "step " << i;
        }
    }
    EXPECT_TRUE(UpkeepPlacesFrameBelow(Selected()));
}

TEST_F(InputCommandTest, RealCtrlTabKeystrokesCycleWhereverTheFocusIs)
{
    ASSERT_TRUE(GroupOf(3));

    const struct {
        HWND focus;
        std::vector<WORD> keys;
        int selected;
    } steps[] = {
        {Tab(), {VK_CONTROL, VK_TAB}, 1},
        {Frame(), {VK_CONTROL, VK_TAB}, 2},
        {Frame(), {VK_CONTROL, VK_SHIFT, VK_TAB}, 1},
        {Tab(), {VK_CONTROL, VK_SHIFT, VK_TAB}, 0},
        {Frame(), {VK_TAB}, 0},
    };
    for (const auto& step : steps) {
        ::SetForegroundWindow(Frame());
        ::SetFocus(step.focus);
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == Frame() && ::GetFocus() == step.focus; }, 3000));
        const int before = CurSel(Tab());
        PressKeys(step.keys);
        if (step.selected != before)
            EXPECT_TRUE(PumpUntil([&] { return CurSel(Tab()) == step.selected; }, 3000))
                << "focus on the " << (step.focus == Frame() ? "frame" : "tab control");
        else
            PumpFor(300);
        EXPECT_EQ(step.selected, CurSel(Tab()));
        CatchUpApps();
        EXPECT_TRUE(ShownSoon(Selected()));
    }
}

TEST_F(InputCommandTest, TheWheelMovesOneTabPerMessageAndBringsTheFrameForward)
{
    ASSERT_TRUE(GroupOf(3));
    const RECT place = WindowRect(App(0));

    // Away from the user (positive) goes back, towards the user forward; one tab each time.
    const struct {
        int delta;
        int selected;
    } steps[] = {{-120, 1}, {-120, 2}, {-120, 0}, {120, 2}, {240, 1}, {-360, 2}, {30, 1}, {-32768, 2},
                 {32767, 1}, {0, 1}};
    for (const auto& step : steps) {
        ForegroundToSelected();
        Wheel(Frame(), step.delta);
        EXPECT_EQ(step.selected, CurSel(Tab())) << "delta " << step.delta;
        EXPECT_TRUE(OnlySelectedShownAt(place)) << "delta " << step.delta;
        EXPECT_EQ(Frame(), ::GetForegroundWindow()) << "delta " << step.delta;
    }
    EXPECT_TRUE(UpkeepPlacesFrameBelow(Selected()));

    // The tab control fills the frame; its wheel messages reach the frame as well.
    Wheel(Tab(), -120);
    EXPECT_EQ(2, CurSel(Tab()));
}

TEST_F(InputCommandTest, TheStripsArrowKeysStepThroughTheTabsWithoutWrappingAround)
{
    ASSERT_TRUE(GroupOf(3));
    const RECT place = WindowRect(App(0));
    const struct {
        WPARAM key;
        int selected;
    } steps[] = {{VK_LEFT, 0}, {VK_RIGHT, 1}, {VK_RIGHT, 2}, {VK_RIGHT, 2}, {VK_LEFT, 1}, {VK_HOME, 1}};
    for (const auto& step : steps) {
        // As the strip gets them with the focus.
        ::SendMessageA(Tab(), WM_KEYDOWN, step.key, 1);
        EXPECT_EQ(step.selected, CurSel(Tab())) << "key " << step.key;
        EXPECT_TRUE(OnlySelectedShownAt(place)) << "key " << step.key;
    }
}

namespace {
// A window whose program says no to closing, as one whose user cancels its save prompt does.
bool g_askedToClose = false;
LRESULT CALLBACK StaysOpenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_askedToClose = g_askedToClose || message == WM_CLOSE;
    return message == WM_CLOSE ? 0 : ::DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

// Close Window that the program refused, then another tab chosen: when that window goes later,
// its place is not the one the next window takes; the next shows where it stands.
TEST_F(InputCommandTest, ARefusedCloseWindowIsForgottenOnceAnotherTabIsSelected)
{
    ASSERT_TRUE(GroupOf(1));
    const HWND one = App(0);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StaysOpenProc;
    wc.lpszClassName = "InputCommandTestStaysOpen";
    ::RegisterClassA(&wc);
    const HWND stays = ::CreateWindowExA(0, wc.lpszClassName, "Stays", WS_OVERLAPPEDWINDOW, 300, 200, 300, 200,
                                         NULL, NULL, NULL, NULL);
    ASSERT_TRUE(m_frame->InsertTab(CWndProxy(stays)));
    g_askedToClose = false;
    ChooseOnTab(1, kCloseItem, [&] { return g_askedToClose; });
    ASSERT_EQ(1, CurSel(Tab())) << "Close Window brings its tab to the front";
    ClickTab(Tab(), 0);
    ClickTab(Tab(), 1);
    CatchUp(one);
    const RECT elsewhere = {50, 60, 350, 260};
    ::SetWindowPos(one, NULL, elsewhere.left, elsewhere.top, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil([&] { return SameRect(elsewhere, WindowRect(one)); }, 3000));

    ::DestroyWindow(stays);
    ASSERT_TRUE(UpkeepUntil([&] { return TabCount(Tab()) == 1; }));
    EXPECT_TRUE(ShownSoon(one));
    CatchUp(one);
    EXPECT_TRUE(SameRect(elsewhere, WindowRect(one))) << Describe(WindowRect(one));
}
