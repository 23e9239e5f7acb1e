// The strip follows grouped windows on the system's window events, not only on its timer. Which
// events reach another process is the platform's business: the first test pins down what this
// one delivers (Wine 8: none of those the frame listens for, so there the timer does the work),
// the second that the frame follows on an event alone.
#include "AppTestSupport.h"
#include <set>

namespace {
std::set<std::pair<HWND, DWORD>> g_seen;

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_WINDOW && child == CHILDID_SELF)
        g_seen.insert({window, event});
}

struct EventCase {
    const char* name;
    DWORD event;
    void (*act)(HWND window);
    bool delivered;  // across processes, on the platform the tests run on
};
const EventCase kEvents[] = {
    {"move", EVENT_OBJECT_LOCATIONCHANGE, [](HWND w) { ::SetWindowPos(w, NULL, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); }, false},
    {"title", EVENT_OBJECT_NAMECHANGE, [](HWND w) { ::SetWindowTextA(w, "Renamed"); }, false},
    {"hide", EVENT_OBJECT_HIDE, [](HWND w) { ::ShowWindow(w, SW_HIDE); }, false},
    {"show", EVENT_OBJECT_SHOW, [](HWND w) { ::ShowWindow(w, SW_SHOWNA); }, false},
    {"destroy", EVENT_OBJECT_DESTROY, [](HWND w) { ::PostMessageA(w, WM_CLOSE, 0, 0); }, false},
};
}  // namespace

TEST(WindowEvents, TheEventsTheFrameListensForReachAnotherProcessWhereThePlatformSendsThem)
{
    CFixtureProcess apps({"title=Watched"});
    HWND window = apps.Window(0);
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_NAMECHANGE, NULL, Record, 0, 0,
                                           WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    ASSERT_TRUE(hook);
    for (const EventCase& c : kEvents) {
        g_seen.clear();
        c.act(window);
        apps.CatchUp();
        EXPECT_EQ(c.delivered, PumpUntil([&] { return g_seen.count({window, c.event}) > 0; }, 1000)) << c.name;
    }
    ::UnhookWinEvent(hook);
}

TEST_F(TabGroupTest, AnEventFromAGroupedWindowRunsTheUpkeepWithoutTheTimer)
{
    CFixtureProcess apps({"title=One;x=100;y=80;w=500;h=300", "title=Loose"});
    HWND one = apps.Window(0);
    ASSERT_TRUE(Start(one));
    ASSERT_TRUE(UpkeepPlacesFrameBelow(one));
    ::KillTimer(Frame(), quortab::kUpkeepTimer);
    ::SetWindowPos(one, NULL, 220, 160, 420, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowTextA(one, "Renamed");
    m_frame->OnWindowEvent(apps.Window(1));
    PumpFor(300);
    EXPECT_EQ("One", TabText(Tab(), 0)) << "an event from a window outside the group is not ours";
    m_frame->OnWindowEvent(one);
    EXPECT_TRUE(UpkeepPlacesFrameBelow(one));
    EXPECT_EQ("Renamed", TabText(Tab(), 0));
}
