#pragma once
#include "Dpi.h"
#include "WindowFacts.h"
#include <gtest/gtest.h>
#include <string>

// The height the tab row and the control's borders take, measured on a control of our own
// with the frame's tab style and its font at `dpi` (the stock GUI font at this process's DPI,
// grown or shrunk by the ratio of the two DPIs elsewhere).
int MeasureTabRowHeight(UINT dpi = GetSystemDpi());

// Where the frame must stand for `window`: glued to its lower edge, exactly as wide, kRowTrim
// pixels less tall than the tab row, directly behind it in the z-order (hidden windows aside).
// Works for a frame and a window of other processes too; `dpi` is the frame's.
::testing::AssertionResult FrameIsPlacedBelow(HWND frame, HWND window, UINT dpi = GetSystemDpi());

// The first `count` visible top-level windows from the top, by class and title, for failure messages.
std::string ZOrder(int count);
