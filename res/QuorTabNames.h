// The program's fixed names and numbers, used by the program, the resource script, the tests and
// the benchmark alike.
#pragma once

#define QUORTAB_ADD_WINDOW_CAPTION "Add a Window"

#ifndef RC_INVOKED
#include <windows.h>
#include <commctrl.h>

namespace quortab {

// The frame's window class and title.
constexpr char kClassName[] = "QuorQuorTab";
constexpr char kFrameTitle[] = "Quor Tab";
constexpr char kAddWindowCaption[] = QUORTAB_ADD_WINDOW_CAPTION;
// The mark that shows where a window dragged over the strip would become a tab.
constexpr char kDropMarkClass[] = "QuorTabDropMark";

// A title is kept to this many UTF-16 units; a longer one is cut on a character boundary.
constexpr int kTitleLimit = 1023;
// Window titles and other texts are read into buffers of this many chars, the zero included:
// room for kTitleLimit units in UTF-8, the process's code page, at three bytes a unit at most (a
// character of two units takes four).
constexpr int kTextChars = 3070;
static_assert(kTextChars == kTitleLimit * 3 + 1, "a title of the limit fits in UTF-8");

constexpr UINT_PTR kUpkeepTimer = 0;
constexpr UINT kUpkeepMs = 250;
// While the selected window is being dragged the strip follows it, until it has stood still this
// long. It looks twice a display frame: looking once a frame beats against moves made at display
// rate, and a look that lands just before a move misses it and the next few. Windows makes it at
// least 10 ms and fires it on its clock's ticks, 15.6 ms apart unless a program asked for finer.
constexpr UINT_PTR kFollowTimer = 1;
constexpr UINT kFollowMs = 8;
constexpr DWORD kStillMs = 500;
// A group gathered by rules from the command line and following them looks at every window this
// often, as the net for what the window-event hooks miss, and looks again at a new window this
// long after it was made, when it has shown and been titled.
constexpr UINT_PTR kRuleWalkTimer = 16;
constexpr UINT kRuleWalkMs = 1000;
constexpr UINT_PTR kLookAgainTimer = 17;
constexpr UINT kLookAgainMs = 250;
// How long a QuorTab started with rules waits for the windows an earlier one left hidden to show
// before it looks for its own.
constexpr DWORD kOrphansShownMs = 2000;

// The program's private messages. The frame hands every message it gets to each of its parts, so
// two parts sharing a number would each take the other's message for its own.
// A grouped window has done what it was asked before: wParam the window.
constexpr UINT kWindowCaughtUp = WM_APP + 1;
// A window event from a grouped window: run the upkeep now rather than at the next tick.
constexpr UINT kUpkeepNow = WM_APP + 2;
// From the keyboard hook: wParam 1 for the next tab, -1 for the previous one.
constexpr UINT kCycleKey = WM_APP + 3;
// A window has answered WM_GETICON: wParam the window asked, lParam its answer (null for none).
constexpr UINT kIconAnswer = WM_APP + 4;
// A window event for the rules of a following group: wParam the event, lParam the window.
constexpr UINT kRuleWindowEvent = WM_APP + 5;

constexpr UINT kPrivateMessages[] = {kWindowCaughtUp, kUpkeepNow, kCycleKey, kIconAnswer, kRuleWindowEvent};
constexpr bool AllDistinct(const UINT* values, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        for (size_t j = i + 1; j < count; ++j)
            if (values[i] == values[j])
                return false;
    return true;
}
static_assert(AllDistinct(kPrivateMessages, sizeof kPrivateMessages / sizeof kPrivateMessages[0]),
              "each private message has a number of its own");

// Every tab is this wide at 96 DPI.
constexpr int kTabWidth = 100;
// The frame's client area is this much less tall than the tab row with its borders.
constexpr int kRowTrim = 5;

constexpr DWORD kFrameStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
constexpr DWORD kFrameExStyle = WS_EX_TOOLWINDOW;
// A fixed-width tab centres its icon and title together, so a long title would run over the
// icon: both start at the left.
constexpr DWORD kTabStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_TOOLTIPS | TCS_FIXEDWIDTH
                          | TCS_FORCELABELLEFT | TCS_HOTTRACK | TCS_BOTTOM;

}  // namespace quortab
#endif
