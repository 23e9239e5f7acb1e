#include "Placement.h"
#include "QuorTabNames.h"
#include <algorithm>

StripPlace PlaceStrip(const RECT& window, WindowShow show, int rowHeight, int border, const RECT& work)
{
    StripPlace place = {show != WindowShow::Hidden && show != WindowShow::Minimized, {}, false};
    RECT& frame = place.frame;
    frame = {window.left - border, window.bottom - border, window.right + border,
             window.bottom + rowHeight - quortab::kRowTrim + border};
    place.overLowerEdge = show == WindowShow::Maximized || frame.bottom > work.bottom;
    if (place.overLowerEdge) {
        const int height = frame.bottom - frame.top;
        frame.bottom = std::min(window.bottom, work.bottom);
        frame.top = frame.bottom - height;
        frame.left = std::max(frame.left, work.left);
        frame.right = std::min(frame.right, work.right);
    }
    return place;
}
