// The strip follows grouped windows on the system's window events, not only on its timer. Which
// events reach another process is the platform's business: the first tests pin down what this
// one delivers (Wine 10, as Windows: moves, shows, hides and ends, but no retitles; a caption
// drag as capture start and end with a move each step, no move-size events), the others that
// the frame follows on an event alone, and on its timer where none comes. Wine also reports the
// test process's own windows to the frame's hook, which asks to skip them: a platform without
// events is stood in for by refusing the hook.
#include "AppTestSupport.h"
#include "Input.h"
#include <set>

namespace {
std::set<std::pair<HWND, DWORD>> g_seen;

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_WINDOW && child == CHILDID_SELF)
        g_seen.insert({window, event});
}

bool Seen(HWND window, DWORD event) { return g_seen.count({window, event}) > 0; }

// Every event of `first`..`last` that another process's windows raise, while it lives.
class CEventRecord {
public:
    CEventRecord(DWORD first, DWORD last)
        : m_hook(::SetWinEventHook(first, last, NULL, Record, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS))
    {
        g_seen.clear();
    }
    ~CEventRecord() { if (m_hook) ::UnhookWinEvent(m_hook); }
    bool Hooked() const { return m_hook != NULL; }

private:
    HWINEVENTHOOK m_hook;
};

struct EventCase {
    const char* name;
    DWORD event;
    void (*act)(HWND window);
    bool delivered;  // across processes, on the platform the tests run on
};
const EventCase kEvents[] = {
    {"move", EVENT_OBJECT_LOCATIONCHANGE, [](HWND w) { ::SetWindowPos(w, NULL, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); }, true},
    {"title", EVENT_OBJECT_NAMECHANGE, [](HWND w) { ::SetWindowTextA(w, "Renamed"); }, false},
    {"hide", EVENT_OBJECT_HIDE, [](HWND w) { ::ShowWindow(w, SW_HIDE); }, true},
    {"show", EVENT_OBJECT_SHOW, [](HWND w) { ::ShowWindow(w, SW_SHOWNA); }, true},
    {"destroy", EVENT_OBJECT_DESTROY, [](HWND w) { ::PostMessageA(w, WM_CLOSE, 0, 0); }, true},
};

struct DragEventCase {
    const char* name;
    DWORD event;
    bool delivered;
};
const DragEventCase kDragEvents[] = {
    {"capture start", EVENT_SYSTEM_CAPTURESTART, true},
    {"capture end", EVENT_SYSTEM_CAPTUREEND, true},
    {"move-size start", EVENT_SYSTEM_MOVESIZESTART, false},
    {"move-size end", EVENT_SYSTEM_MOVESIZEEND, false},
    {"a move", EVENT_OBJECT_LOCATIONCHANGE, true},
};

// Counts the frame's follow ticks, and the frame moves made inside them.
class CFollowWatch : public CMessageHook {
public:
    explicit CFollowWatch(CWndHandler* frame) : m_frame(frame) { m_frame->AddHook(this); }
    ~CFollowWatch() { if (CWndHandler::FromHandle(m_frameHandle) == m_frame) m_frame->RemoveHook(this); }
    int ticks = 0, moves = 0;
    void BeforeMessage(CWndProxy*, UINT message, WPARAM wParam, LPARAM) override
    {
        if (message == WM_TIMER && wParam == quortab::kFollowTimer)
            ++ticks, m_inTick = true;
        else if (message == WM_WINDOWPOSCHANGED && m_inTick)
            ++moves;
    }
    void AfterMessage(CWndProxy*, UINT message, WPARAM wParam, LPARAM) override
    {
        if (message == WM_TIMER && wParam == quortab::kFollowTimer)
            m_inTick = false;
    }

private:
    CWndHandler* m_frame;
    HWND m_frameHandle = m_frame->GetHandle();
    bool m_inTick = false;
};
}  // namespace

TEST(WindowEvents, TheEventsTheFrameListensForReachAnotherProcessWhereThePlatformSendsThem)
{
    CFixtureProcess apps({"title=Watched"});
    HWND window = apps.Window(0);
    for (const EventCase& c : kEvents) {
        CEventRecord record(EVENT_OBJECT_DESTROY, EVENT_OBJECT_NAMECHANGE);
        ASSERT_TRUE(record.Hooked());
        c.act(window);
        apps.CatchUp();
        // What is not delivered is given as long as what is delivered took to come.
        EXPECT_EQ(c.delivered, PumpUntil([&] { return Seen(window, c.event); }, 1000)) << c.name;
    }
    // Unlike Windows, Wine hands the hook this process's own windows too, though it asked to skip them.
    const HWND own = ::CreateWindowExA(0, "STATIC", "Own", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 300, 200, NULL,
                                       NULL, NULL, NULL);
    CEventRecord record(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE);
    ::SetWindowPos(own, NULL, 90, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil([&] { return Seen(own, EVENT_OBJECT_LOCATIONCHANGE); }, 1000));
    ::DestroyWindow(own);
}

TEST(WindowEvents, ARealCaptionDragMovesTheWindowAndReportsCaptureAndMovesToAnotherProcess)
{
    CFixtureProcess apps({"title=Dragged;x=200;y=150;w=400;h=250"});
    const HWND window = apps.Window(0);
    ASSERT_TRUE(window);
    ::SetForegroundWindow(window);
    const RECT before = WindowRect(window);
    CEventRecord record(EVENT_SYSTEM_CAPTURESTART, EVENT_OBJECT_LOCATIONCHANGE);
    ASSERT_TRUE(record.Hooked());
    const POINT caption = {(before.left + before.right) / 2, before.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
    Drag(caption, POINT{caption.x + 90, caption.y + 60});
    EXPECT_TRUE(PumpUntil([&] {
        const RECT now = WindowRect(window);
        return now.left == before.left + 90 && now.top == before.top + 60;
    })) << "the window stands at " << Describe(WindowRect(window));
    // Capture end is the last of them to come.
    PumpUntil([&] { return Seen(window, EVENT_SYSTEM_CAPTUREEND); }, 1000);
    for (const DragEventCase& c : kDragEvents)
        EXPECT_EQ(c.delivered, Seen(window, c.event)) << c.name;
}

TEST_F(TabGroupTest, AnEventFromAGroupedWindowRunsTheUpkeepWithoutTheTimer)
{
    CFixtureProcess apps({"title=One;x=100;y=80;w=500;h=300", "title=Loose;x=700;y=80;w=300;h=200"});
    HWND one = apps.Window(0), loose = apps.Window(1);
    ASSERT_TRUE(Start(one));
    ASSERT_TRUE(UpkeepPlacesFrameBelow(one));
    ::KillTimer(Frame(), quortab::kUpkeepTimer);
    // A retitle raises no event here: it shows only once an event brings an upkeep pass.
    ::SetWindowTextA(one, "Renamed");
    {
        CEventRecord record(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE);
        ::SetWindowPos(loose, NULL, 720, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(PumpUntil([&] { return Seen(loose, EVENT_OBJECT_LOCATIONCHANGE); }));
        PumpFor(100);
    }
    EXPECT_EQ("One", TabText(Tab(), 0)) << "an event from a window outside the group is not ours";
    // Where the strip stands and what its tab says, not the z-order: under load the activations of
    // the start can reorder the windows after the timer is gone, and no event reports that.
    const RECT before = WindowRect(Frame()), stood = WindowRect(one);
    const auto glued = [&] {
        const RECT strip = WindowRect(Frame()), window = WindowRect(one);
        return strip.left - window.left == before.left - stood.left && strip.right - window.right == before.right - stood.right &&
               strip.top - window.bottom == before.top - stood.bottom;
    };
    ::SetWindowPos(one, NULL, 220, 160, 420, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PumpUntil(glued)) << "strip " << Describe(WindowRect(Frame())) << " under " << Describe(WindowRect(one));
    EXPECT_TRUE(PumpUntil([&] { return TabText(Tab(), 0) == "Renamed"; }));
}

// Where no event comes, the timer alone keeps the strip true.
TEST_F(TabGroupTest, WithoutEventsTheTimerFollowsAMovedWindowAndFastTicksEndOnceItStandsStill)
{
    CNoWindowEvents noEvents;
    ASSERT_TRUE(noEvents.Patched());
    ASSERT_TRUE(GroupOf(2));
    const HWND one = App(0);
    CFollowWatch watch(m_frame);
    // The start's own placement may have set off a round of following: let it end.
    const auto stopped = [&] {
        const int before = watch.ticks;
        PumpFor(2 * quortab::kFollowMs + 20);
        return watch.ticks == before;
    };
    ASSERT_TRUE(PumpUntil(stopped, 3000));
    watch.ticks = 0;
    PumpFor(quortab::kStillMs + quortab::kUpkeepMs);
    EXPECT_EQ(0, watch.ticks) << "nothing follows a window at rest";

    // A drag: each step waits for the strip, the next comes at once. The first is found by the
    // upkeep; while it is being followed, the fast ticks find the others.
    RECT place = WindowRect(one);
    for (int step = 0; step < 10; ++step) {
        ::OffsetRect(&place, 7, 3);
        ::SetWindowPos(one, NULL, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(UpkeepPlacesFrameBelow(one)) << "step " << step;
    }
    EXPECT_GT(watch.ticks, 0);
    EXPECT_GT(watch.moves, 0) << "the strip was moved by the fast ticks";
    EXPECT_TRUE(PumpUntil(stopped, quortab::kStillMs + 3000)) << "the fast ticks end once the window stands still";
}
