#pragma once
#include "Win32.h"

// Sent to the frame by the keyboard hook: wParam 1 for the next tab, -1 for the previous one.
const UINT kCycleKey = WM_APP + 10;

// The frame and the window the keys work in, for the hook's thread to compare the foreground
// with; a frame going away clears them.
void PublishCycleTarget(HWND frame, HWND window);
