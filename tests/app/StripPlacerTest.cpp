// The placer on windows of this process: whichever path moves the strip (the upkeep's placement or
// the fast follow), it stands behind its window, or in front over its lower edge at the bottom of
// the work area; and an upkeep pass places it once, whatever asked inside it.
#include "AppTestSupport.h"
#include "StripPlacer.h"

namespace {

struct Shown : CTabGroupObserver {
    explicit Shown(CStripView& view) : view(view) {}
    void OnTabChanged(const CTabGroup&, const TabChange& change) override { view.Apply(change); }
    CStripView& view;
};

HWND VisibleBelow(HWND upper)
{
    HWND next = ::GetWindow(upper, GW_HWNDNEXT);
    while (next && !::IsWindowVisible(next))
        next = ::GetWindow(next, GW_HWNDNEXT);
    return next;
}

int g_placed = 0;
LRESULT CALLBACK CountPlacements(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_WINDOWPOSCHANGED)
        ++g_placed;
    return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK Input(HWND strip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    return ::DefSubclassProc(strip, message, wParam, lParam);
}

class StripPlacer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::InitCommonControls();
        window = ::CreateWindowExA(0, "STATIC", "grouped", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 400, 300,
                                   NULL, NULL, NULL, NULL);
        frame.Attach(::CreateWindowExA(quortab::kFrameExStyle, "STATIC", "", quortab::kFrameStyle, 0, 0, 100, 30, NULL,
                                       NULL, NULL, NULL));
        view.Create(frame.GetHandle(), ::GetModuleHandleA(NULL), Input, 0);
        group.SetObserver(&shown);
        group.Insert(window, "grouped");
        ::SetWindowSubclass(frame.GetHandle(), CountPlacements, 0, 0);
        work = WorkAreaOf({100, 100, 500, 400});
    }
    void TearDown() override
    {
        group.SetObserver(nullptr);
        view.Destroy(Input);
        ::RemoveWindowSubclass(frame.GetHandle(), CountPlacements, 0);
        ::DestroyWindow(frame.GetHandle());
        ::DestroyWindow(window);
    }
    // Where a user's drag or another program would put the window: on top of the z-order.
    RECT Raise(int left, int bottom)
    {
        const RECT to = {left, bottom - 300, left + 400, bottom};
        ::SetWindowPos(window, HWND_TOP, to.left, to.top, 400, 300, SWP_NOACTIVATE);
        return to;
    }
    bool InFront(const RECT& at) const
    {
        RECT outer = {};
        ::GetWindowRect(frame.GetHandle(), &outer);
        return VisibleBelow(frame.GetHandle()) == window && outer.bottom == at.bottom;
    }
    bool Behind(const RECT& at) const
    {
        POINT client = {0, 0};
        ::ClientToScreen(frame.GetHandle(), &client);
        return VisibleBelow(window) == frame.GetHandle() && client.y == at.bottom && client.x == at.left;
    }

    HWND window = NULL;
    CWndProxy frame;
    CTabGroup group;
    CStripView view{group};
    Shown shown{view};
    CStripPlacer placer{frame, group, view};
    RECT work = {};
};

}  // namespace

TEST_F(StripPlacer, EveryPathPutsTheStripBehindItsWindowOrInFrontAtTheBottomOfTheWorkArea)
{
    struct Row { const char* name; bool follow; bool bottom; };
    const Row rows[] = {
        {"the upkeep's placement, higher up", false, false},
        {"the upkeep's placement, along the bottom", false, true},
        {"the fast follow, higher up", true, false},
        {"the fast follow, along the bottom", true, true},
    };
    for (const Row& row : rows) {
        const int bottom = row.bottom ? static_cast<int>(work.bottom) : 500;
        Raise(120, bottom);
        placer.Place();
        // The window moves and comes to the top, over the strip: a placement that finds it
        // elsewhere starts the fast follow, which takes the next move.
        RECT at = Raise(150, bottom);
        placer.Place();
        if (row.follow)
            at = Raise(153, bottom);
        row.follow ? placer.Follow() : placer.Place();
        if (row.bottom)
            EXPECT_TRUE(InFront(at)) << row.name;
        else
            EXPECT_TRUE(Behind(at)) << row.name;
    }
}

TEST_F(StripPlacer, AnUpkeepPassPlacesTheStripOnceAtItsEndWhateverAskedInsideIt)
{
    placer.Place();
    const RECT at = Raise(200, 450);
    g_placed = 0;
    {
        CStripPlacer::CPass pass(placer);
        placer.Place();
        placer.Place();
        EXPECT_EQ(0, g_placed) << "inside the pass placements are only noted";
        EXPECT_EQ(WindowShow::Shown, placer.Look(window));
        pass.Place();
    }
    EXPECT_EQ(1, g_placed) << "one move at the end of the pass";
    EXPECT_TRUE(Behind(at));

    // Hidden by its program: the look says so, and the one placement hides the strip with it.
    ::ShowWindow(window, SW_HIDE);
    {
        CStripPlacer::CPass pass(placer);
        EXPECT_EQ(WindowShow::Hidden, placer.Look(window));
        pass.Place();
    }
    EXPECT_FALSE(::IsWindowVisible(frame.GetHandle()));
    placer.Place();
    ::ShowWindow(window, SW_SHOWNA);
    placer.Place();
    EXPECT_TRUE(::IsWindowVisible(frame.GetHandle())) << "outside a pass it places at once";
}
