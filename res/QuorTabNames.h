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

// Window titles and other texts are read into buffers of this many characters, the zero included.
constexpr int kTextChars = 1024;

constexpr UINT_PTR kUpkeepTimer = 0;
constexpr UINT kUpkeepMs = 250;
// While the selected window is being dragged the strip follows it at display rate (the system
// timer's resolution), until it has stood still this long.
constexpr UINT_PTR kFollowTimer = 1;
constexpr UINT kFollowMs = 16;
constexpr DWORD kStillMs = 500;

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
