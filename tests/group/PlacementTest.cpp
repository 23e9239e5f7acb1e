// Where the strip goes, as a table: the window and its state in, the frame's rectangle out.
#include "Placement.h"
#include "QuorTabNames.h"
#include "WindowFacts.h"
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    RECT window;
    WindowShow show;
    int rowHeight;
    int border;
    RECT work;
    bool shown;
    bool overLowerEdge;
    RECT frame;
};

const RECT kWork = {0, 0, 1200, 870};
// The work area of a monitor left of the primary one.
const RECT kLeftWork = {-1280, 0, 0, 994};

// The row here is 25 pixels, the trim kRowTrim (5): the client area is 20 tall.
const Case kCases[] = {
    {"ordinary: client area under the window, as wide", {100, 100, 600, 400}, WindowShow::Shown, 25, 1, kWork,
     true, false, {99, 399, 601, 421}},
    {"without a border", {100, 100, 600, 400}, WindowShow::Shown, 25, 0, kWork,
     true, false, {100, 400, 600, 420}},
    {"just fits above the bottom of the work area", {100, 100, 600, 849}, WindowShow::Shown, 25, 1, kWork,
     true, false, {99, 848, 601, 870}},
    {"one pixel lower goes over the window's lower edge", {100, 100, 600, 850}, WindowShow::Shown, 25, 1, kWork,
     true, true, {99, 828, 601, 850}},
    {"below the work area: over the edge, inside the work area", {100, 600, 600, 1000}, WindowShow::Shown, 25, 1,
     kWork, true, true, {99, 848, 601, 870}},
    {"maximized: over the edge, cut to the work area", {-8, -8, 1208, 878}, WindowShow::Maximized, 25, 1, kWork,
     true, true, {0, 848, 1200, 870}},
    {"minimized: hidden with the window", {-32000, -32000, -31840, -31976}, WindowShow::Minimized, 25, 1, kWork,
     false, false, {-32001, -31977, -31839, -31955}},
    {"hidden: hidden with the window", {100, 100, 600, 400}, WindowShow::Hidden, 25, 1, kWork,
     false, false, {99, 399, 601, 421}},
    {"left of the primary monitor", {-1100, 200, -300, 700}, WindowShow::Shown, 25, 1, kLeftWork,
     true, false, {-1101, 699, -299, 721}},
    {"left of the primary monitor, maximized", {-1288, -8, 8, 1002}, WindowShow::Maximized, 25, 1, kLeftWork,
     true, true, {-1280, 972, 0, 994}},
    // At 144 DPI the row is half as tall again and the border may grow.
    {"at 144 DPI", {150, 150, 900, 600}, WindowShow::Shown, 37, 2, kWork, true, false, {148, 598, 902, 634}},
    {"at 144 DPI near the bottom", {150, 150, 900, 840}, WindowShow::Shown, 37, 2, kWork, true, true,
     {148, 804, 902, 840}},
};

TEST(Placement, Table)
{
    for (const Case& c : kCases) {
        const StripPlace place = PlaceStrip(c.window, c.show, c.rowHeight, c.border, c.work);
        EXPECT_EQ(c.shown, place.shown) << c.name;
        EXPECT_EQ(c.overLowerEdge, place.overLowerEdge) << c.name;
        if (c.shown) {
            EXPECT_EQ(c.frame.left, place.frame.left) << c.name;
            EXPECT_EQ(c.frame.top, place.frame.top) << c.name;
            EXPECT_EQ(c.frame.right, place.frame.right) << c.name;
            EXPECT_EQ(c.frame.bottom, place.frame.bottom) << c.name;
        }
    }
}

}  // namespace

namespace {

TEST(Placement, DropPlaceKeepsTheSizeWithTheCornerAtTheCursorInsideTheWorkArea)
{
    struct Row { const char* name; POINT cursor; RECT expected; };
    const RECT window = {100, 100, 500, 400};
    const Row rows[] = {
        {"free", {300, 200}, {300, 200, 700, 500}},
        {"past the right and bottom edges", {1100, 800}, {800, 570, 1200, 870}},
        {"above and left of the work area", {-50, -20}, {0, 0, 400, 300}},
    };
    for (const Row& row : rows) {
        const RECT got = DropPlace(window, row.cursor, kWork);
        EXPECT_EQ(Describe(row.expected), Describe(got)) << row.name;
    }
    const RECT huge = {0, 0, 1500, 1000};
    EXPECT_EQ(Describe(RECT{0, 0, 1500, 1000}), Describe(DropPlace(huge, {600, 400}, kWork)))
        << "larger than the work area: its corner at the work area's";
    EXPECT_EQ(Describe(RECT{-1280, 100, -880, 400}), Describe(DropPlace(window, {-1500, 100}, kLeftWork)))
        << "left of the primary monitor";
}

TEST(Placement, TheWorkAreaHoldsForTheSameRectangleOrOneWhollyOnItsMonitor)
{
    const RECT monitor = {0, 0, 1200, 900};
    const RECT last = {100, 100, 600, 400};
    const RECT maximized = {-8, -8, 1208, 878};
    struct Row { const char* name; RECT window; RECT last; bool holds; };
    const Row rows[] = {
        {"unchanged", last, last, true},
        {"moved, wholly on the monitor", {130, 120, 630, 420}, last, true},
        {"filling the monitor", monitor, last, true},
        {"maximized, unchanged", maximized, maximized, true},
        {"maximized from elsewhere: it overhangs", maximized, last, false},
        {"over the right edge", {900, 100, 1400, 400}, last, false},
        {"on a monitor to the left", {-1100, 200, -300, 700}, last, false},
        {"minimized", {-32000, -32000, -31840, -31976}, last, false},
        {"empty", {300, 300, 300, 300}, last, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.holds, WorkAreaHolds(row.window, row.last, monitor)) << row.name;
}

TEST(Placement, ATabReleasedOverTheStripReordersFarFromItGivesBackAndNearItDoesNothing)
{
    const RECT strip = {100, 400, 600, 420};  // 20 tall
    struct Row { POINT cursor; TabDrop drop; };
    const Row rows[] = {
        {{300, 410}, TabDrop::Reorder},   {{100, 400}, TabDrop::Reorder},
        {{300, 430}, TabDrop::Nothing},   {{300, 385}, TabDrop::Nothing},  {{90, 410}, TabDrop::Nothing},
        {{300, 441}, TabDrop::GiveBack},  {{300, 379}, TabDrop::GiveBack}, {{79, 410}, TabDrop::GiveBack},
        {{621, 410}, TabDrop::GiveBack},
    };
    for (const Row& row : rows)
        EXPECT_EQ(static_cast<int>(row.drop), static_cast<int>(DropOfTab(strip, row.cursor)))
            << row.cursor.x << "," << row.cursor.y;
}

}  // namespace

namespace {

// Handles stand for windows here: the decisions compare them and nothing more.
HWND Handle(int n) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(n)); }
const HWND kWindow = Handle(0x100), kStrip = Handle(0x200), kOther = Handle(0x300);

TEST(Placement, TheStripsOneMoveStandsBehindItsWindowOrInFrontOverItsEdgeAndSkipsWhatHolds)
{
    const RECT below = {99, 399, 601, 421}, elsewhere = {0, 0, 10, 10};
    const StripPlace under = {true, below, false}, over = {true, below, true}, hidden = {false, below, false};
    struct Row {
        const char* name;
        StripPlace place;
        StripNow now;
        StripMove::Visibility visibility;
        bool move;
        HWND after;
        UINT flags;
    };
    const Row rows[] = {
        {"under: behind the window", under, {true, elsewhere, kOther, false}, StripMove::Keep, true, kWindow,
         SWP_NOACTIVATE},
        {"under, already there and just behind it: nothing", under, {true, below, kOther, true}, StripMove::Keep,
         false, kWindow, SWP_NOACTIVATE},
        {"under, in place but out of order: the z-order mended", under, {true, below, kStrip, false},
         StripMove::Keep, true, kWindow, SWP_NOACTIVATE},
        {"under a window that showed: the strip shows", under, {false, elsewhere, NULL, false}, StripMove::Show, true,
         kWindow, SWP_NOACTIVATE},
        {"over the edge: behind what stands above the window", over, {true, elsewhere, kOther, false},
         StripMove::Keep, true, kOther, SWP_NOACTIVATE},
        {"over the edge of the topmost window: on top", over, {true, elsewhere, NULL, false}, StripMove::Keep, true,
         HWND_TOP, SWP_NOACTIVATE},
        {"over the edge, already in front: moved, z-order kept", over, {true, elsewhere, kStrip, false},
         StripMove::Keep, true, kStrip, SWP_NOACTIVATE | SWP_NOZORDER},
        {"over the edge, in place and in front: nothing", over, {true, below, kStrip, true}, StripMove::Keep, false,
         kStrip, SWP_NOACTIVATE | SWP_NOZORDER},
        {"over the edge, in place but behind: brought in front", over, {true, below, kOther, false},
         StripMove::Keep, true, kOther, SWP_NOACTIVATE},
        {"window hidden: the strip hides, not moved", hidden, {true, elsewhere, kOther, false}, StripMove::Hide,
         false, kWindow, SWP_NOACTIVATE},
        {"window hidden, strip hidden: nothing", hidden, {false, elsewhere, kOther, false}, StripMove::Keep, false,
         kWindow, SWP_NOACTIVATE},
    };
    for (const Row& row : rows) {
        const StripMove move = DecideMove(row.place, kWindow, kStrip, row.now);
        EXPECT_EQ(row.visibility, move.visibility) << row.name;
        EXPECT_EQ(row.move, move.move) << row.name;
        if (row.move) {
            EXPECT_EQ(row.after, move.after) << row.name;
            EXPECT_EQ(row.flags, move.flags) << row.name;
        }
    }
}

TEST(Placement, TheFastFollowWaitsForOurMovesMovesWithTheWindowAndStopsOnceItStandsStill)
{
    const RECT followed = {100, 100, 600, 400}, moved = {103, 102, 603, 402};
    struct Row { const char* name; bool pending; bool read; RECT now; DWORD stillFor; FollowStep step; };
    const Row rows[] = {
        {"moved", false, true, moved, 16, FollowStep::Move},
        {"where it stood", false, true, followed, 16, FollowStep::Wait},
        {"a move of ours on its way", true, false, moved, 16, FollowStep::Wait},
        {"still long enough", false, true, followed, 500, FollowStep::Stop},
        {"just short of still long enough", false, true, followed, 499, FollowStep::Wait},
        {"gone, or no selection", false, false, {}, 16, FollowStep::Stop},
    };
    for (const Row& row : rows)
        EXPECT_EQ(static_cast<int>(row.step),
                  static_cast<int>(DecideFollow(row.pending, row.read, row.now, followed, row.stillFor, 500)))
            << row.name;
}

}  // namespace
