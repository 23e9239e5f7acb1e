#pragma once
#include "WindowWalk.h"

// Whether the user may turn the window into a tab: visible, not owned by a visible window,
// with a full caption, not a tool window, and not grouped by a running QuorTab.
bool IsEligibleWindow(HWND handle);
