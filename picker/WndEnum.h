#pragma once
#include "WindowWalk.h"
#include "QuorTabNames.h"

using quortab::kIconQueryTimeoutMs;

// Whether the user may turn the window into a tab: visible, not owned by a visible window,
// with a full caption, not a tool window, and not grouped by a running QuorTab.
bool IsEligibleWindow(HWND handle);

// The icon to draw for the window, asked of the window first and then of its class; null when
// there is none. Never owned: the window, its class or the system keeps it.
HICON GetWindowIcon(const CWndProxy& window);
