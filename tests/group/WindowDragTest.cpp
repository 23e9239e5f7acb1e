// A window dragged onto a strip, as tables: the events that make a drag, which window a point
// is over, and where the dropped window's tab goes.
#include "WindowDrag.h"
#include <gtest/gtest.h>

namespace {

const HWND kA = reinterpret_cast<HWND>(0x10);
const HWND kB = reinterpret_cast<HWND>(0x20);
const HWND kStrip = reinterpret_cast<HWND>(0x30);

using Step = CWindowDrag::Step;
struct Event {
    DragEvent event;
    HWND window;
    Step step;
};
struct DragCase {
    const char* name;
    bool eligible;
    std::vector<Event> events;
};

const DragCase kDrags[] = {
    {"Windows: move-size start and end", true,
     {{DragEvent::MoveSizeStart, kA, Step::Began}, {DragEvent::Moved, kA, Step::Moved},
      {DragEvent::Moved, kB, Step::Nothing}, {DragEvent::MoveSizeEnd, kA, Step::Ended}}},
    {"Windows: its own capture inside the move-size loop changes nothing", true,
     {{DragEvent::MoveSizeStart, kA, Step::Began}, {DragEvent::CaptureStart, kA, Step::Nothing},
      {DragEvent::Moved, kA, Step::Moved}, {DragEvent::CaptureEnd, kA, Step::Ended},
      {DragEvent::MoveSizeEnd, kA, Step::Nothing}}},
    {"Wine: a capture, then the capturing window moves", true,
     {{DragEvent::CaptureStart, kA, Step::Nothing}, {DragEvent::Moved, kA, Step::Began},
      {DragEvent::Moved, kA, Step::Moved}, {DragEvent::CaptureEnd, kA, Step::Ended}}},
    {"a press that captures but moves nothing is no drag", true,
     {{DragEvent::CaptureStart, kA, Step::Nothing}, {DragEvent::CaptureEnd, kA, Step::Nothing},
      {DragEvent::Moved, kA, Step::Nothing}}},
    {"another window's move during a capture is none of it", true,
     {{DragEvent::CaptureStart, kA, Step::Nothing}, {DragEvent::Moved, kB, Step::Nothing},
      {DragEvent::CaptureEnd, kB, Step::Nothing}, {DragEvent::Moved, kA, Step::Began},
      {DragEvent::CaptureEnd, kA, Step::Ended}}},
    {"a later capture replaces the one before", true,
     {{DragEvent::CaptureStart, kA, Step::Nothing}, {DragEvent::CaptureStart, kB, Step::Nothing},
      {DragEvent::Moved, kA, Step::Nothing}, {DragEvent::Moved, kB, Step::Began},
      {DragEvent::CaptureEnd, kB, Step::Ended}}},
    {"a window the user may not group never drags", false,
     {{DragEvent::CaptureStart, kA, Step::Nothing}, {DragEvent::Moved, kA, Step::Nothing},
      {DragEvent::Moved, kA, Step::Nothing}, {DragEvent::CaptureEnd, kA, Step::Nothing},
      {DragEvent::MoveSizeStart, kA, Step::Nothing}, {DragEvent::MoveSizeEnd, kA, Step::Nothing}}},
};

}  // namespace

TEST(WindowDrag, EventsMakeADragOnlyOfAWindowThatTookTheMouseAndMoves)
{
    for (const DragCase& c : kDrags) {
        CWindowDrag drag;
        for (size_t i = 0; i < c.events.size(); ++i) {
            const Event& e = c.events[i];
            const Step step = drag.On(e.event, e.window, [&](HWND) { return c.eligible; });
            EXPECT_EQ(e.step, step) << c.name << ", event " << i;
        }
        EXPECT_EQ(NULL, drag.Dragged()) << c.name << ": every drag here has ended";
    }
}

TEST(WindowDrag, APointIsOverTheFirstWindowFromTheTopThatIsNotTheDraggedOne)
{
    const RECT strip = {100, 400, 600, 422};
    const std::vector<ZWindow> stripOnTop = {{kA, {80, 380, 700, 600}}, {kStrip, strip}, {kB, {0, 0, 800, 800}}};
    const std::vector<ZWindow> coveredByB = {{kA, {80, 380, 700, 600}}, {kB, {0, 0, 800, 800}}, {kStrip, strip}};
    struct {
        const char* name;
        const std::vector<ZWindow>& zOrder;
        POINT at;
        HWND dragged;
        HWND under;
    } cases[] = {
        {"the dragged window on top is looked through", stripOnTop, {300, 410}, kA, kStrip},
        {"beside the strip, the window behind", stripOnTop, {300, 500}, kA, kB},
        {"another window above the strip takes the point", coveredByB, {300, 410}, kA, kB},
        {"dragging the window that covers the strip uncovers it", coveredByB, {300, 410}, kB, kA},
        {"the bare desktop", stripOnTop, {900, 900}, kA, NULL},
        {"the strip's right edge is outside it", stripOnTop, {600, 410}, kA, kB},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.under, WindowUnderDrag(c.zOrder, c.at, c.dragged)) << c.name;
}

TEST(WindowDrag, TheTabGoesBeforeTheTabUnderTheCursorOrAfterTheLast)
{
    // Three tabs of 100 on a row from y 2 to 24; the row's middle is 13.
    const std::vector<RECT> tabs = {{2, 2, 102, 24}, {102, 2, 202, 24}, {202, 2, 302, 24}};
    struct {
        const char* name;
        POINT at;
        int index;
        int markLeft;  // for a mark 4 wide
    } cases[] = {
        {"on the first tab", {50, 13}, 0, 0},
        {"on the second tab's left edge", {102, 13}, 1, 100},
        {"on the last pixel of the second tab", {201, 13}, 1, 100},
        {"on the third tab", {250, 13}, 2, 200},
        {"past the last tab", {400, 13}, 3, 300},
        {"above the row, on the strip: the row's middle counts", {150, 0}, 1, 100},
        {"left of the first tab", {1, 13}, 3, 300},
    };
    for (const auto& c : cases) {
        const int index = DropIndex(tabs, c.at);
        EXPECT_EQ(c.index, index) << c.name;
        EXPECT_EQ(c.markLeft, DropMarkLeft(tabs, index, 4)) << c.name;
    }
}
