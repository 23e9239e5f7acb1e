#pragma once
#include "WindowFacts.h"
#include <gtest/gtest.h>
#include <string>

// The height the tab row and the control's borders take, measured on a control of our own
// with the frame's tab style and font.
int MeasureTabRowHeight();

// Where the frame must stand for `window`: glued to its lower edge, exactly as wide, kRowTrim
// pixels less tall than the tab row, directly behind it in the z-order (hidden windows aside).
// Works for a frame and a window of other processes too.
::testing::AssertionResult FrameIsPlacedBelow(HWND frame, HWND window);
