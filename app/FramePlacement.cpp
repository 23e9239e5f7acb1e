// Where the frame stands: under the selected window, or over its lower edge, following it.
#include "TabWnd.h"
#include "StripTips.h"

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

void CTabWndHandler::PlaceFrame()
{
    const HWND window = m_group.Window(m_group.Selection());
    if (!window)
        return;
    try {
        PlaceFrameBelow(window);
    } catch (const CWindowsError&) {
        // The window closed between the upkeep's look and now: an ordinary close, not an error.
        // The next upkeep pass drops its tab.
        if (::IsWindow(window))
            throw;
    }
}

void CTabWndHandler::PlaceFrameBelow(HWND window)
{
    RECT target;
    m_show = WindowShow::Shown;
    if (!m_group.GetPending(window, target)) {
        CWndProxy(window).GetWindowRect(&target);
        m_show = ShowOf(window);
    }
    const StripPlace place = PlaceFor(target, m_show);
    if (place.shown) {
        RECT last;
        if (m_group.GetLastPlace(last) && !::EqualRect(&last, &target))
            StartFollowing(target);
        m_group.SetLastPlace(target);
    }
    MoveFrame(window, place);
}

StripPlace CTabWndHandler::PlaceFor(const RECT& window, WindowShow show)
{
    if (!m_rowHeight) {
        RECT tabRect = {};
        m_hwndTab.GetWindowRect(&tabRect);
        const int windowHeight = tabRect.bottom - tabRect.top;
        m_hwndTab.AdjustRect(false, &tabRect);
        m_rowHeight = windowHeight - (tabRect.bottom - tabRect.top);
        RECT frame = {};
        ::AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLong(GWL_EXSTYLE)));
        m_border = -frame.left;
    }
    // Asking for the monitor costs more than the rest of a pass: asked again only when the
    // window may have left its monitor or the screen changed.
    if (!m_workKnown || !WorkAreaHolds(window, m_workFor, m_monitor)) {
        m_work = WorkAreaOf(window, &m_monitor);
        m_workFor = window;
        m_workKnown = true;
    }
    return PlaceStrip(window, show, m_rowHeight, m_border, m_work);
}

void CTabWndHandler::MoveFrame(HWND window, const StripPlace& place)
{
    if (place.shown != IsWindowVisible())
        ShowWindow(place.shown ? SW_SHOW : SW_HIDE);
    if (!place.shown)
        return;
    CWndProxy after(window);
    UINT flags = SWP_NOACTIVATE;
    // A window dragged over the strip may be let go there: the strip stays in front of it.
    const bool raised = m_windowDrop.MarkedIndex() >= 0;
    if (raised) {
        flags |= SWP_NOZORDER;
    } else if (place.overLowerEdge) {
        const HWND above = ::GetWindow(window, GW_HWNDPREV);
        if (above == m_hWnd)
            flags |= SWP_NOZORDER;
        after = CWndProxy(above ? above : HWND_TOP);
    }
    // Placing the frame where it stands costs a repaint and the server's time four times a second.
    RECT current = {};
    ::GetWindowRect(m_hWnd, &current);
    if (::EqualRect(&current, &place.frame) && (raised || FrameInOrder(window, place.overLowerEdge)))
        return;
    const RECT& frame = place.frame;
    SetWindowPos(after, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, flags);
}

bool CTabWndHandler::FrameInOrder(HWND window, bool inFront) const
{
    return inFront ? VisibleBelow(m_hWnd) == window : VisibleBelow(window) == m_hWnd;
}

void CTabWndHandler::StartFollowing(const RECT& place)
{
    m_followed = place;
    m_stillSince = ::GetTickCount();
    if (!m_following)
        m_following = ::SetTimer(m_hWnd, kFollowTimer, kFollowMs, NULL) != 0;
}

// One rectangle read and at most one move: titles and closed windows wait for the upkeep.
void CTabWndHandler::Follow()
{
    const HWND window = m_group.Window(m_group.Selection());
    RECT place;
    if (window && m_group.GetPending(window, place))
        return;
    if (!window || !::GetWindowRect(window, &place) || ::GetTickCount() - m_stillSince >= kStillMs) {
        ::KillTimer(m_hWnd, kFollowTimer);
        m_following = false;
        return;
    }
    if (::EqualRect(&place, &m_followed))
        return;
    m_followed = place;
    m_stillSince = ::GetTickCount();
    m_group.SetLastPlace(place);
    // The upkeep's own move: along the bottom of the work area the strip stands in front.
    MoveFrame(window, PlaceFor(place, m_show));
}

// Tabs and their text keep on any screen the size they have at 96 DPI.
void CTabWndHandler::FitToDpi(UINT dpi)
{
    m_font.Apply(m_hwndTab.GetHandle(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), dpi);
    m_hwndTab.SetItemSize(ScaleForDpi(kTabWidth, dpi), 0);
    m_icons.FitToDpi(dpi);
    m_rowHeight = 0;
}

void CTabWndHandler::OnDpiChanged(UINT dpi)
{
    FitToDpi(dpi);
    // The row's new height makes the frame's; the tabs' new places make the tooltips'.
    PlaceFrame();
    SyncTabTips(m_hwndTab, m_tipsByFrame);
}
