// A press on a tab as a table: the mouse's path in, what the release makes of it out.
#include "TabDrag.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const HWND kTab = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x100));
const SIZE kSlop = {4, 4};

TEST(TabDrag, APressIsAClickUntilTheMouseGoesFartherThanTheDragDistance)
{
    struct Row { const char* name; HWND pressed; std::vector<POINT> path; bool cancelled; HWND released; bool dragged; };
    const Row rows[] = {
        {"a click", kTab, {}, false, kTab, false},
        {"within the distance both ways", kTab, {{14, 10}, {6, 14}, {10, 6}}, false, kTab, false},
        {"one pixel past it across", kTab, {{15, 10}}, false, kTab, true},
        {"one pixel past it down", kTab, {{10, 15}}, false, kTab, true},
        {"past it and back: still a drag", kTab, {{30, 10}, {10, 10}}, false, kTab, true},
        {"a press on no tab drags nothing", NULL, {{30, 10}}, false, NULL, false},
        {"the mouse taken away: nothing to release", kTab, {{30, 10}}, true, NULL, false},
    };
    for (const Row& row : rows) {
        CTabDrag drag;
        drag.Press(row.pressed, {10, 10});
        for (POINT at : row.path)
            drag.MoveTo(at, kSlop);
        if (row.cancelled)
            drag.Cancel();
        bool dragged = !row.dragged;
        EXPECT_EQ(row.released, drag.Release(dragged)) << row.name;
        EXPECT_EQ(row.dragged, dragged) << row.name;
        EXPECT_EQ(HWND{}, drag.Release(dragged)) << row.name << ": a release ends the press";
    }
}

}  // namespace
