// Where the strip stands: one path moves it, whoever asks.
#include "StripPlacer.h"
#include "QuorTabNames.h"
#include "WindowsError.h"

using namespace quortab;

namespace {

// The next visible window behind `upper` in the z-order: hidden ones (the frame's own tooltip)
// make no difference to what the user sees.
HWND VisibleBelow(HWND upper)
{
    HWND next = ::GetWindow(upper, GW_HWNDNEXT);
    while (next && !::IsWindowVisible(next))
        next = ::GetWindow(next, GW_HWNDNEXT);
    return next;
}

// One style read tells all the strip needs of a window's state.
WindowShow ShowOf(HWND window)
{
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    if (!(style & WS_VISIBLE))
        return WindowShow::Hidden;
    return style & WS_MINIMIZE ? WindowShow::Minimized : style & WS_MAXIMIZE ? WindowShow::Maximized : WindowShow::Shown;
}

int BorderOf(HWND frame)
{
    RECT rect = {};
    ::AdjustWindowRectEx(&rect, static_cast<DWORD>(::GetWindowLongA(frame, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(frame, GWL_EXSTYLE)));
    return -rect.left;
}

}  // namespace

RECT WorkAreaOf(const RECT& place, RECT* monitorRect)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &monitor);
    if (monitorRect)
        *monitorRect = monitor.rcMonitor;
    return monitor.rcWork;
}

CStripPlacer::CStripPlacer(const CWndProxy& strip, CTabGroup& group, CStripView& view)
    : m_strip(strip), m_group(group), m_view(view), m_held(0), m_looked(NULL), m_lookedAt(), m_lookRead(false),
      m_show(WindowShow::Shown), m_border(-1), m_workKnown(false), m_workFor(), m_monitor(), m_work(),
      m_following(false), m_followed(), m_stillSince(0)
{
}

WindowShow CStripPlacer::Look(HWND window)
{
    m_looked = window;
    m_show = WindowShow::Shown;
    m_lookRead = m_group.GetPending(window, m_lookedAt);
    if (!m_lookRead && ::GetWindowRect(window, &m_lookedAt)) {
        m_lookRead = true;
        m_show = ShowOf(window);
    }
    return m_show;
}

void CStripPlacer::Place()
{
    const HWND window = m_group.Window(m_group.Selection());
    if (!window || m_held)
        return;
    try {
        PlaceUnder(window);
    } catch (const CWindowsError&) {
        // The window closed between the upkeep's look and now: an ordinary close, not an error.
        // The next upkeep pass drops its tab.
        if (::IsWindow(window))
            throw;
    }
}

void CStripPlacer::PlaceUnder(HWND window)
{
    if (m_looked != window)
        Look(window);
    m_looked = NULL;
    RECT target = m_lookedAt;
    if (!m_lookRead)
        CWndProxy(window).GetWindowRect(&target);
    const StripPlace place = PlaceFor(target, m_show);
    if (place.shown) {
        RECT last;
        if (m_group.GetLastPlace(last) && !::EqualRect(&last, &target))
            StartFollowing(target);
        m_group.SetLastPlace(target);
    }
    Move(window, place);
}

StripPlace CStripPlacer::PlaceFor(const RECT& window, WindowShow show)
{
    if (m_border < 0)
        m_border = BorderOf(m_strip.GetHandle());
    // Asking for the monitor costs more than the rest of a pass: asked again only when the
    // window may have left its monitor or the screen changed.
    if (!m_workKnown || !WorkAreaHolds(window, m_workFor, m_monitor)) {
        m_work = WorkAreaOf(window, &m_monitor);
        m_workFor = window;
        m_workKnown = true;
    }
    return PlaceStrip(window, show, m_view.RowHeight(), m_border, m_work);
}

void CStripPlacer::Move(HWND window, const StripPlace& place)
{
    const HWND strip = m_strip.GetHandle();
    StripNow now = {m_strip.IsWindowVisible() != FALSE, {}, ::GetWindow(window, GW_HWNDPREV), false};
    ::GetWindowRect(strip, &now.frame);
    // The z-order is walked only when the rectangle alone would leave the strip where it is.
    if (place.shown && ::EqualRect(&now.frame, &place.frame))
        now.inOrder = place.overLowerEdge ? VisibleBelow(strip) == window : VisibleBelow(window) == strip;
    StripMove move = DecideMove(place, window, strip, now);
    if (m_keptInFront)
        move.flags |= SWP_NOZORDER;
    if (move.visibility != StripMove::Keep)
        m_strip.ShowWindow(move.visibility == StripMove::Show ? SW_SHOW : SW_HIDE);
    const RECT& frame = place.frame;
    if (move.move)
        m_strip.SetWindowPos(CWndProxy(move.after), frame.left, frame.top, frame.right - frame.left,
                             frame.bottom - frame.top, move.flags);
}

void CStripPlacer::StartFollowing(const RECT& place)
{
    m_followed = place;
    m_stillSince = ::GetTickCount();
    if (!m_following)
        m_following = ::SetTimer(m_strip.GetHandle(), kFollowTimer, kFollowMs, NULL) != 0;
}

// One rectangle read and at most one move: titles and closed windows wait for the upkeep.
void CStripPlacer::Follow()
{
    const HWND window = m_group.Window(m_group.Selection());
    RECT place = {};
    const bool pending = window && m_group.GetPending(window, place);
    const bool read = window && !pending && ::GetWindowRect(window, &place);
    switch (DecideFollow(pending, read, place, m_followed, ::GetTickCount() - m_stillSince, kStillMs)) {
    case FollowStep::Wait:
        return;
    case FollowStep::Stop:
        ::KillTimer(m_strip.GetHandle(), kFollowTimer);
        m_following = false;
        return;
    case FollowStep::Move:
        break;
    }
    m_followed = place;
    m_stillSince = ::GetTickCount();
    m_group.SetLastPlace(place);
    Move(window, PlaceFor(place, m_show));
}
