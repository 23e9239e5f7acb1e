// What the group does when the world is not tidy: applications that hang, maximize or minimize
// their windows, windows that go while the frame's own dialogs or menu are open, context menus
// from the keyboard or beyond the primary monitor.
#include "AppTestSupport.h"
#include "BoxCatcher.h"
#include "ImportPatch.h"
#include "resource.h"

namespace {

// Each window in a process of its own, so that one can hang while the other answers.
const char kOne[] = "title=One;x=100;y=80;w=500;h=300";
const char kTwo[] = "title=Two;x=300;y=250;w=400;h=250";

// Makes a fixture process stop answering until released (or gone out of scope).
class CHang {
public:
    explicit CHang(const CFixtureProcess& process)
        : m_release(::CreateEventA(NULL, TRUE, FALSE, FixtureHangName(process.Id(), "release").c_str())),
          m_resumed(::CreateEventA(NULL, TRUE, FALSE, FixtureHangName(process.Id(), "resumed").c_str()))
    {
        HANDLE hanging = ::CreateEventA(NULL, TRUE, FALSE, FixtureHangName(process.Id(), "hanging").c_str());
        ::PostMessageA(process.Window(0), FIXTURE_HANG, 0, 0);
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hanging, 10000)) << "the fixture did not hang";
        ::CloseHandle(hanging);
    }
    ~CHang()
    {
        Release();
        ::CloseHandle(m_release);
        ::CloseHandle(m_resumed);
    }
    bool Resumed() const { return ::WaitForSingleObject(m_resumed, 0) == WAIT_OBJECT_0; }
    void Release() { ::SetEvent(m_release); ::WaitForSingleObject(m_resumed, 30000); }

private:
    HANDLE m_release;
    HANDLE m_resumed;
};

struct HungSwitch {
    const char* name;
    bool nextHangs;  // the window switched to, or else the one switched away from
};
void PrintTo(const HungSwitch& c, std::ostream* out) { *out << c.name; }

class HungSwitchTest : public TabGroupTest, public ::testing::WithParamInterface<HungSwitch> {};
}  // namespace

TEST_P(HungSwitchTest, TheSwitchDoesNotWaitAndTheWindowAppearsOnlyOnThePreviousPlace)
{
    CFixtureProcess first({kOne}), second({kTwo});
    HWND one = first.Window(0), two = second.Window(0);
    ASSERT_TRUE(Start(one));
    Add(two);
    second.CatchUp();
    const RECT place = WindowRect(one);
    {
        CHang hang(GetParam().nextHangs ? second : first);
        PressTab(Tab(), 1);
        EXPECT_FALSE(hang.Resumed()) << "the switch waited for the hung application";
        EXPECT_TRUE(ShownSoon(Frame()));
        EXPECT_EQ(place.bottom, ClientRectOnScreen(Frame()).top) << "the strip stands where the window goes";
        PumpFor(300);
        EXPECT_TRUE(ShownSoon(Frame())) << "the upkeep kept the strip while the window catches up";
        hang.Release();
    }
    first.CatchUp();
    second.CatchUp();
    EXPECT_TRUE(ShownSoon(two));
    EXPECT_TRUE(HiddenSoon(one));
    EXPECT_TRUE(SameRect(place, WindowRect(two))) << Describe(WindowRect(two));
    EXPECT_TRUE(SameRect(place, ShownAt(two))) << "first shown at " << Describe(ShownAt(two));
    EXPECT_TRUE(UpkeepPlacesFrameBelow(two));
}

const HungSwitch kHungSwitches[] = {{"ToAHungApplication", true}, {"AwayFromAHungApplication", false}};
INSTANTIATE_TEST_SUITE_P(Reliability, HungSwitchTest, ::testing::ValuesIn(kHungSwitches),
                         [](const ::testing::TestParamInfo<HungSwitch>& info) { return std::string(info.param.name); });

// Where the strip must stand when it cannot stand below the window: over its lower edge, in front
// of it, inside the work area.
::testing::AssertionResult StripOverLowerEdge(HWND frame, HWND window)
{
    const RECT target = WindowRect(window), strip = WindowRect(frame);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    HWND behind = ::GetWindow(frame, GW_HWNDNEXT);
    while (behind && behind != window && !::IsWindowVisible(behind))
        behind = ::GetWindow(behind, GW_HWNDNEXT);
    if (!::IsWindowVisible(frame) || strip.bottom != std::min(target.bottom, work.bottom) ||
        strip.top < work.top || strip.left < work.left || strip.right > work.right || behind != window)
        return ::testing::AssertionFailure() << "strip " << Describe(strip) << " for window " << Describe(target)
                                             << " in work area " << Describe(work)
                                             << (behind == window ? "" : ", not directly in front of it: behind it is ")
                                             << (behind == window ? "" : ClassName(behind) + " '" + WindowTitle(behind) + "'");
    return ::testing::AssertionSuccess();
}

TEST_F(TabGroupTest, TheStripStaysOnScreenForMaximizedLowAndMinimizedWindows)
{
    CFixtureProcess apps({kOne});
    HWND one = apps.Window(0);
    ASSERT_TRUE(Start(one));
    ASSERT_TRUE(UpkeepPlacesFrameBelow(one));
    ::testing::AssertionResult last = ::testing::AssertionFailure();

    ::ShowWindow(one, SW_MAXIMIZE);
    EXPECT_TRUE(UpkeepUntil([&] { return (last = StripOverLowerEdge(Frame(), one)); })) << "maximized: " << last.message();

    ::ShowWindow(one, SW_RESTORE);
    EXPECT_TRUE(UpkeepPlacesFrameBelow(one));
    const RECT work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SetWindowPos(one, NULL, 100, work.bottom - 150, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(UpkeepUntil([&] { return (last = StripOverLowerEdge(Frame(), one)); })) << "below the edge: " << last.message();

    ::ShowWindow(one, SW_MINIMIZE);
    EXPECT_TRUE(UpkeepUntil([&] { return !::IsWindowVisible(Frame()); })) << "the strip goes with a minimized window";
    ::ShowWindow(one, SW_RESTORE);
    EXPECT_TRUE(UpkeepUntil([&] { return (last = StripOverLowerEdge(Frame(), one)); })) << "restored: " << last.message();
}

TEST_F(TabGroupTest, DraggedAlongTheBottomOfTheWorkAreaTheStripStaysInFrontAfterEveryMove)
{
    // The fast ticks follow here, not the upkeep passes that events would run.
    CNoWindowEvents noEvents;
    CFixtureProcess apps({kOne});
    HWND one = apps.Window(0);
    ASSERT_TRUE(Start(one));
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(one, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT place = {100, monitor.rcWork.bottom - 300, 600, monitor.rcWork.bottom};
    ::SetWindowPos(one, NULL, place.left, place.top, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    ::testing::AssertionResult last = ::testing::AssertionFailure();
    ASSERT_TRUE(UpkeepUntil([&] { return (last = StripOverLowerEdge(Frame(), one)); })) << last.message();
    const LONG offset = WindowRect(Frame()).left - place.left;
    for (int step = 0; step < 10; ++step) {
        ::OffsetRect(&place, 7, 0);
        ::SetWindowPos(one, NULL, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(PumpUntil([&] { return WindowRect(Frame()).left - place.left == offset; }, 3000)) << "step " << step;
        EXPECT_TRUE(StripOverLowerEdge(Frame(), one)) << "step " << step;
    }
}

namespace {
// Closes the last grouped window as soon as the frame's dialog or menu waits for the user.
class CCloseWhenIdle : public CMessageHook {
public:
    explicit CCloseWhenIdle(HWND window) : m_window(window) {}
    void BeforeMessage(CWndProxy*, UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_ENTERIDLE && !m_done) {
            m_done = true;
            ::PostMessageA(m_window, WM_CLOSE, 0, 0);
        }
    }
    void AfterMessage(CWndProxy*, UINT, WPARAM, LPARAM) override {}

private:
    HWND m_window;
    bool m_done = false;
};

// Counts access violations while alive, seen first, even where the system would swallow them in
// a window procedure: with freed memory overwritten, any use of a deleted object makes one.
LONG g_accessViolations = 0;
LONG CALLBACK CountAccessViolation(EXCEPTION_POINTERS* exception)
{
    if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        ++g_accessViolations;
    return EXCEPTION_CONTINUE_SEARCH;
}
class CAccessViolations {
public:
    CAccessViolations() : m_handler(::AddVectoredExceptionHandler(1, CountAccessViolation)) { g_accessViolations = 0; }
    ~CAccessViolations() { ::RemoveVectoredExceptionHandler(m_handler); }
    LONG Count() const { return g_accessViolations; }

private:
    PVOID m_handler;
};

struct NestedLoop {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
void PrintTo(const NestedLoop& c, std::ostream* out) { *out << c.name; }
class NestedLoopTest : public TabGroupTest, public ::testing::WithParamInterface<NestedLoop> {};
}  // namespace

TEST_P(NestedLoopTest, TheLastWindowClosingWhileItIsOpenEndsTheProgramCleanly)
{
    CFixtureProcess apps({kOne});
    ASSERT_TRUE(Start(apps.Window(0)));
    CCloseWhenIdle closer(apps.Window(0));
    m_frame->AddHook(&closer);
    CBoxCatcher boxes;
    CAccessViolations violations;
    ::PostMessageA(Frame(), GetParam().message, GetParam().wParam, GetParam().lParam);
    EXPECT_TRUE(PumpUntil([&] { return !FrameAlive(); }, 5000));
    EXPECT_EQ(0, violations.Count()) << "the handler went on with the deleted frame";
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].text;
    WPARAM code = 99;
    EXPECT_TRUE(TakeQuit(&code));
    EXPECT_EQ(0u, code);
}

const NestedLoop kNestedLoops[] = {
    {"Picker", WM_COMMAND, IDM_ADD_WINDOW, 0},
    {"AboutBox", WM_COMMAND, IDM_ABOUT, 0},
    {"ContextMenu", WM_CONTEXTMENU, 0, MAKELPARAM(0xFFFF, 0xFFFF)},
};
INSTANTIATE_TEST_SUITE_P(Reliability, NestedLoopTest, ::testing::ValuesIn(kNestedLoops),
                         [](const ::testing::TestParamInfo<NestedLoop>& info) { return std::string(info.param.name); });

namespace {
// Records where the frame's context menu opened and whether "Remove Window" was enabled, then
// closes it.
class CMenuWatch : public CMessageHook {
public:
    explicit CMenuWatch(HWND frame) : m_frame(frame) {}
    void BeforeMessage(CWndProxy*, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP)
            removeEnabled = (::GetMenuState(reinterpret_cast<HMENU>(wParam), IDM_REMOVE_WINDOW, MF_BYCOMMAND) & MF_GRAYED) == 0;
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU && !opened) {
            opened = true;
            ::GetWindowRect(reinterpret_cast<HWND>(lParam), &placed);
            ::PostMessageA(m_frame, WM_KEYDOWN, VK_ESCAPE, 1);
        }
    }
    void AfterMessage(CWndProxy*, UINT, WPARAM, LPARAM) override {}

    bool opened = false;
    bool removeEnabled = false;
    RECT placed = {};

private:
    HWND m_frame;
};
}  // namespace

TEST_F(TabGroupTest, ContextMenusFromTheKeyboardAndLeftOfThePrimaryMonitorFindTheirTab)
{
    CFixtureProcess apps({kOne, kTwo});
    HWND one = apps.Window(0);
    ASSERT_TRUE(Start(one));
    Add(apps.Window(1));
    // Partly left of the screen: the first tab's middle has a negative x.
    ::SetWindowPos(one, NULL, -250, 80, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(UpkeepPlacesFrameBelow(one));
    RECT item = TabItemRect(Tab(), 0);
    POINT at = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(Tab(), &at);
    ASSERT_LT(at.x, 0);

    CMenuWatch atTab(Frame());
    m_frame->AddHook(&atTab);
    ::SendMessageA(Frame(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Tab()), MAKELPARAM(at.x, at.y));
    m_frame->RemoveHook(&atTab);
    EXPECT_TRUE(atTab.opened);
    EXPECT_TRUE(atTab.removeEnabled) << "the hit test missed the tab at a negative x";

    ::SetWindowPos(one, NULL, 100, 80, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(UpkeepPlacesFrameBelow(one));
    item = TabItemRect(Tab(), 0);
    POINT corner = {item.left, item.bottom};
    ::ClientToScreen(Tab(), &corner);
    CMenuWatch fromKeys(Frame());
    m_frame->AddHook(&fromKeys);
    ::SendMessageA(Frame(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Frame()), MAKELPARAM(0xFFFF, 0xFFFF));
    m_frame->RemoveHook(&fromKeys);
    EXPECT_TRUE(fromKeys.opened);
    EXPECT_TRUE(fromKeys.removeEnabled) << "from the keyboard the menu acts on the selected tab";
    EXPECT_EQ(corner.x, fromKeys.placed.left);
    EXPECT_EQ(corner.y, fromKeys.placed.top);
}

TEST_F(TabGroupTest, AWindowThatAlreadyHasATabGetsNoSecond)
{
    CFixtureProcess apps({kOne});
    HWND one = apps.Window(0);
    ASSERT_TRUE(Start(one));
    m_frame->InsertTab(CWndProxy(one));
    EXPECT_EQ(1, TabCount(Tab()));
}

namespace {
// Stands in for an elevated application's window, which Windows does not let us move or hide.
HWND g_refusing = NULL;
BOOL WINAPI RefusingSetWindowPos(HWND window, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    if (window == g_refusing) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    using SetWindowPosProc = BOOL(WINAPI*)(HWND, HWND, int, int, int, int, UINT);
    static const SetWindowPosProc real = reinterpret_cast<SetWindowPosProc>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetWindowPos")));
    return real(window, after, x, y, cx, cy, flags);
}
}  // namespace

TEST_F(TabGroupTest, AWindowThatRefusesToBeMovedGetsNoTabAndABoxSaysWhy)
{
    ASSERT_TRUE(GroupOf(1));
    g_refusing = App(1);
    CImportPatch patch("user32.dll", "SetWindowPos", reinterpret_cast<const void*>(RefusingSetWindowPos));
    ASSERT_TRUE(patch.Patched());
    CBoxCatcher boxes;
    Add(App(1));
    g_refusing = NULL;
    EXPECT_EQ(1, TabCount(Tab())) << "the group stays as it was";
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_NE(std::string::npos, boxes.Boxes()[0].text.find("administrator")) << boxes.Boxes()[0].text;
    EXPECT_EQ(quortab::kFrameTitle, boxes.Boxes()[0].caption);
    EXPECT_TRUE(ShownSoon(App(1))) << "it stays where it is, shown";
    EXPECT_EQ(NULL, ::GetPropA(App(1), "QuorTab.GroupedBy")) << "and unmarked";
}
