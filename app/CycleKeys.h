#pragma once
#include "Win32.h"

#include "QuorTabNames.h"

using quortab::kCycleKey;

// The frame and the window the keys work in, for the hook's thread to compare the foreground
// with; a frame going away clears them.
void PublishCycleTarget(HWND frame, HWND window);
