#pragma once
#include "Win32.h"

// A press on a tab and what the mouse makes of it until the button comes up: a click, or, once
// the mouse went farther than the system's drag distance with the button down, a drag.
class CTabDrag {
public:
    // `window` is the pressed tab's window (null: the press hit no tab).
    void Press(HWND window, POINT at) { m_pressed = window; m_pressedAt = at; m_dragging = false; }
    void MoveTo(POINT at, SIZE slop);
    // The pressed tab's window (null: no press to end) and whether it was dragged; the press ends.
    HWND Release(bool& dragged);
    // The mouse was taken away: the press ends without a drop.
    void Cancel() { m_pressed = NULL; }

private:
    HWND m_pressed = NULL;
    POINT m_pressedAt = {};
    bool m_dragging = false;
};
