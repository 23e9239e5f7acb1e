// Groups grown by dragging: a window dragged by its caption with real input and let go on a strip
// becomes a tab there; Esc, a let-go elsewhere or a window only passing over joins nothing; of two
// strips one over the other, the top one takes it.
#include "QuorTabProcess.h"
#include "Fixture.h"
#include "FrameGeometry.h"
#include "Input.h"
#include "Pump.h"
#include "WindowFacts.h"
#include "QuorTabNames.h"
#include "WindowGroup.h"
#include <gtest/gtest.h>

class E2eWindowDrop : public WindowGroupTest {};

namespace {
const char kFirst[] = "title=First;x=150;y=100;w=480;h=300";
const char kSecond[] = "title=Second;x=700;y=120;w=300;h=200";

bool Grouped(HWND window) { return ::GetPropA(window, "QuorTab.GroupedBy") != NULL; }

// Where a person takes a window to drag it: its caption, left of the buttons.
POINT CaptionPoint(HWND window)
{
    const RECT r = WindowRect(window);
    return {r.left + 60, r.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
}

bool InFrontOf(HWND upper, HWND lower)
{
    for (HWND w = ::GetWindow(upper, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (w == lower)
            return true;
    return false;
}

HWND Mark(const CQuorTab& group) { return group.FindVisibleWindow(quortab::kDropMarkClass, NULL); }

// The mark stands on the strip's left edge of tab `index`, or on the last tab's right edge.
::testing::AssertionResult MarkAt(const CQuorTab& quortab, int index)
{
    const int count = quortab.TabCount();
    const RECT tab = quortab.TabOnScreen(index < count ? index : count - 1);
    const LONG edge = index < count ? tab.left : tab.right;
    RECT mark = {};
    if (Eventually([&] {
            const HWND shown = Mark(quortab);
            mark = shown ? WindowRect(shown) : RECT{};
            return shown && mark.left <= edge && edge <= mark.right && mark.top >= tab.top - 2 &&
                   mark.bottom <= tab.bottom + 2;
        }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the mark is at " << Describe(mark) << ", not on x " << edge;
}
}  // namespace

TEST_F(E2eWindowDrop, AWindowLetGoOnTheStripBecomesTheSelectedTabWhereTheMarkStoodOnTheGroupsPlace)
{
    ASSERT_TRUE(StartApps({kFirst}, {kMinesweeper, kNotepad}));
    const HWND notepad = App(2);
    PlaceWindow(notepad, 650, 380, 400, 300);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group({App(0), App(1)}));
    const RECT place = WindowRect(App(0));
    ::SetForegroundWindow(notepad);
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == notepad; }));

    const POINT from = CaptionPoint(notepad);
    const POINT onSecondTab = quortab.TabPoint(1);
    Press(from);
    MoveHeld(from, onSecondTab);
    EXPECT_TRUE(MarkAt(quortab, 1)) << "before the tab under the cursor";
    EXPECT_TRUE(Eventually([&] { return InFrontOf(quortab.Frame(), notepad); })) << "the strip shows in front";
    Release(onSecondTab);

    ASSERT_TRUE(Eventually([&] { return quortab.TabCount() == 3; })) << quortab.Describe();
    EXPECT_EQ(notepad, quortab.TabWindow(1));
    EXPECT_TRUE(Eventually([&] { return Grouped(notepad); })) << "marked as grouped";
    EXPECT_TRUE(Eventually([&] {
        return quortab.Selection() == 1 && ::IsWindowVisible(notepad) && SameRect(place, WindowRect(notepad));
    })) << "notepad at " << Describe(WindowRect(notepad)) << ", the group's place " << Describe(place);
    EXPECT_TRUE(Eventually([&] { return !::IsWindowVisible(App(0)); })) << "the window shown before hides";
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), notepad));
    EXPECT_TRUE(Eventually([&] { return !Mark(quortab); }));
}

TEST_F(E2eWindowDrop, EscALetGoBesideTheStripOrAWindowPassingOverJoinsNothing)
{
    ASSERT_TRUE(StartApps({kFirst, kSecond}, {kNotepad}));
    const HWND notepad = App(2);
    PlaceWindow(notepad, 650, 380, 400, 300);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group({App(0), App(1)}));
    ::SetForegroundWindow(notepad);
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == notepad; }));
    const RECT stood = WindowRect(notepad);
    const POINT from = CaptionPoint(notepad);
    const POINT onTab = quortab.TabPoint(0);

    // Esc: the system puts the window back while the button is still down.
    Press(from);
    MoveHeld(from, onTab);
    ASSERT_TRUE(MarkAt(quortab, 0));
    TypeKeys({VK_ESCAPE});
    EXPECT_TRUE(Eventually([&] { return SameRect(stood, WindowRect(notepad)); })) << Describe(WindowRect(notepad));
    EXPECT_TRUE(Eventually([&] { return !Mark(quortab); })) << "the mark goes";
    Release(onTab);
    PumpFor(500);
    EXPECT_EQ(2, quortab.TabCount());
    EXPECT_FALSE(Grouped(notepad));

    // Over the strip and on, let go beside it.
    const RECT strip = WindowRect(quortab.Frame());
    const POINT beside = {onTab.x, strip.bottom + 60};
    Press(from);
    MoveHeld(from, onTab);
    ASSERT_TRUE(MarkAt(quortab, 0));
    MoveHeld(onTab, beside);
    EXPECT_TRUE(Eventually([&] { return !Mark(quortab); })) << "the mark goes with the cursor";
    Release(beside);
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), App(0))) << "the strip goes back behind its window";
    PumpFor(500);
    EXPECT_EQ(2, quortab.TabCount());
    EXPECT_FALSE(Grouped(notepad));
    EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(App(0)) != FALSE; })) << "the group's window stays shown";
}

TEST_F(E2eWindowDrop, OfTwoStripsOneOverTheOtherTheTopOneTakesTheWindow)
{
    // The second strip overlaps the first one's right half, a few pixels lower.
    ASSERT_TRUE(StartApps({kFirst, "title=Upper;x=400;y=106;w=480;h=300"}, {kNotepad}));
    const HWND notepad = App(2);
    PlaceWindow(notepad, 300, 500, 400, 250);
    CQuorTab lower;
    ASSERT_TRUE(lower.Group({App(0)}));
    CQuorTab upper;
    ASSERT_TRUE(upper.Group({App(1)}));
    ASSERT_TRUE(StripSettlesUnder(upper.Frame(), App(1)));
    // On both strips, and on the upper one past its only tab.
    const RECT a = WindowRect(lower.Frame()), b = WindowRect(upper.Frame());
    const POINT both = {(upper.TabOnScreen(0).right + a.right) / 2, (b.top + a.bottom) / 2};
    ASSERT_TRUE(::PtInRect(&a, both) && ::PtInRect(&b, both) && both.x > upper.TabOnScreen(0).right)
        << Describe(a) << " " << Describe(b) << " " << Describe(upper.TabOnScreen(0));
    ASSERT_TRUE(upper.Reachable(both));
    ::SetForegroundWindow(notepad);
    ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == notepad; }));

    const POINT from = CaptionPoint(notepad);
    Press(from);
    MoveHeld(from, both);
    EXPECT_TRUE(MarkAt(upper, 1)) << "after the last tab";
    Release(both);
    ASSERT_TRUE(Eventually([&] { return upper.TabCount() == 2; }))
        << upper.Describe() << "; the lower one has " << lower.TabCount() << " tabs; z-order: " << ZOrder(6);
    EXPECT_EQ(notepad, upper.TabWindow(1));
    PumpFor(500);
    EXPECT_EQ(1, lower.TabCount()) << "the strip under it takes nothing";
}

// Windows reports its own move of a window as move-size start and end, with no capture of its
// own to speak of; a fixture that raises those events stands in for it here.
TEST_F(E2eWindowDrop, MoveSizeStartAndEndAloneMakeADragThatJoins)
{
    ASSERT_TRUE(StartApps({kFirst, "title=Moved;x=650;y=450;w=360;h=220"}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group({App(0)}));
    const HWND moved = App(1);
    const POINT onTab = quortab.TabPoint(0);
    ::SendMessageA(moved, FIXTURE_MOVE_SIZE, 1, 0);
    MoveMouse(onTab);
    ::SetWindowPos(moved, NULL, onTab.x - 60, onTab.y - 12, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(MarkAt(quortab, 0));
    ::SendMessageA(moved, FIXTURE_MOVE_SIZE, 0, 0);
    ASSERT_TRUE(Eventually([&] { return quortab.TabCount() == 2; })) << quortab.Describe();
    EXPECT_EQ(moved, quortab.TabWindow(0));
    EXPECT_TRUE(Eventually([&] { return quortab.Selection() == 0 && !::IsWindowVisible(App(0)); }));
}
