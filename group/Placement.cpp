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

bool WorkAreaHolds(const RECT& window, const RECT& last, const RECT& monitor)
{
    RECT within;
    return ::EqualRect(&window, &last) || (::IntersectRect(&within, &window, &monitor) && ::EqualRect(&within, &window));
}

RECT DropPlace(const RECT& window, POINT cursor, const RECT& work)
{
    const int width = window.right - window.left, height = window.bottom - window.top;
    // A window larger than the work area keeps its top-left corner inside it.
    const int left = std::max(std::min(static_cast<int>(cursor.x), static_cast<int>(work.right) - width), static_cast<int>(work.left));
    const int top = std::max(std::min(static_cast<int>(cursor.y), static_cast<int>(work.bottom) - height), static_cast<int>(work.top));
    return {left, top, left + width, top + height};
}

TabDrop DropOfTab(const RECT& strip, POINT cursor)
{
    if (::PtInRect(&strip, cursor))
        return TabDrop::Reorder;
    const int reach = strip.bottom - strip.top;
    const RECT around = {strip.left - reach, strip.top - reach, strip.right + reach, strip.bottom + reach};
    return ::PtInRect(&around, cursor) ? TabDrop::Nothing : TabDrop::GiveBack;
}

StripMove DecideMove(const StripPlace& place, HWND window, HWND strip, const StripNow& now)
{
    StripMove move = {place.shown == now.visible ? StripMove::Keep : place.shown ? StripMove::Show : StripMove::Hide,
                      false, window, SWP_NOACTIVATE};
    if (!place.shown)
        return move;
    if (place.overLowerEdge) {
        // In front of the window: behind whatever stands above it, which may be the strip itself.
        move.after = now.above ? now.above : HWND_TOP;
        if (now.above == strip)
            move.flags |= SWP_NOZORDER;
    }
    // Placing the strip where it stands costs a repaint and the server's time on every pass.
    move.move = !::EqualRect(&now.frame, &place.frame) || !now.inOrder;
    return move;
}

FollowStep DecideFollow(bool pending, bool read, const RECT& now, const RECT& followed, DWORD stillFor, DWORD stillMs)
{
    if (pending)
        return FollowStep::Wait;
    if (!read || stillFor >= stillMs)
        return FollowStep::Stop;
    return ::EqualRect(&now, &followed) ? FollowStep::Wait : FollowStep::Move;
}
