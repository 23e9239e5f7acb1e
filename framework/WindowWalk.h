#pragma once
#include "WndProxy.h"
#include <vector>

// Visitor of the desktop's top-level windows, made on its user's stack for one walk.
class CWndEnumerator {
public:
    // The proxy lives for this call only: keep the handle, not the proxy.
    // True to go on with the next window, false to stop the walk.
    virtual bool OnWindow(CWndProxy& window) = 0;

protected:
    ~CWndEnumerator() {}  // never deleted through this base
};

// Visits every top-level window in the order EnumWindows reports them, until the visitor stops.
// Throws CWindowsError when the walk fails; an exception from the visitor ends the walk and
// comes out of here.
void EnumTopLevelWindows(CWndEnumerator& visitor);

// The top-level windows, top-most first, as the walk visits them, for a caller that looks at many
// of them often; what was listed before a failure when the listing fails part-way.
std::vector<HWND> ListTopLevelWindows();

// The EnumWindows callback; lParam carries the visitor's address.
BOOL CALLBACK EnumWndProc(HWND handle, LPARAM lParam);
