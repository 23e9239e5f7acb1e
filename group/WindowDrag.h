#pragma once
// A window dragged by its caption onto a strip joins that group. The system's window events tell
// of the drag: move-size start and end where the platform sends them, otherwise a capture taken by
// a top-level window that then moves, and the capture's end.
#include "Win32.h"
#include <vector>

enum class DragEvent { MoveSizeStart, MoveSizeEnd, CaptureStart, CaptureEnd, Moved };

// The drag under way, if any, from the events alone. Any press that captures the mouse in any
// program starts a capture: it is a drag only once the window that took it moves.
class CWindowDrag {
public:
    enum class Step { Nothing, Began, Moved, Ended };
    // `eligible`: whether the event's window is one the user may group, asked only when it matters.
    template <typename Eligible>
    Step On(DragEvent event, HWND window, Eligible eligible)
    {
        const Step step = Next(event, window);
        if (step != Step::Began)
            return step;
        if (eligible(window))
            return step;
        m_dragged = m_captured = NULL;
        return Step::Nothing;
    }
    HWND Dragged() const { return m_dragged; }

private:
    Step Next(DragEvent event, HWND window);
    HWND m_captured = NULL;
    HWND m_dragged = NULL;
};

// A top-level window as the z-order walk sees it.
struct ZWindow {
    HWND window;
    RECT rect;
};

// The first window, from the top, that holds `at`, leaving out the one being dragged (the cursor is
// on its caption). Null over the bare desktop.
HWND WindowUnderDrag(const std::vector<ZWindow>& topDown, POINT at, HWND dragged);

// Where a window let go at `at` (the strip's client coordinates) becomes a tab: before the tab
// under the cursor, or after the last one anywhere else along the strip, the rule a dragged tab
// follows. The tabs' rectangles are in strip order; the hit is tried at the row's middle height.
int DropIndex(const std::vector<RECT>& tabs, POINT at);
// The mark's left edge for `index`, `width` wide, centred on the gap before that tab or on the
// right edge of the last one.
int DropMarkLeft(const std::vector<RECT>& tabs, int index, int width);
