// Tabs that leave the group, and windows their applications hide: the selection passes on, so
// that the strip never stands under nothing while the group has windows to show.
#include "TabWnd.h"
#include "GroupMark.h"

// The tab that took the closed one's place is shown where it stands, or, when the user closed
// that window from the strip, where it stood.
void CTabWndHandler::ShowDroppedTabs(HWND selectedBefore, bool closedHere)
{
    if (m_group.Window(m_group.Selection()) == selectedBefore)
        return;
    RECT place;
    const bool atLast = closedHere && m_group.GetLastPlace(place);
    ShowSelectedAt(atLast ? &place : nullptr);
}

void CTabWndHandler::GiveBack(HWND window, const RECT* at)
{
    const int index = m_group.Find(window);
    if (index < 0)
        return;
    RECT place;
    const bool wasSelected = index == m_group.Selection();
    const bool placed = wasSelected && PlaceOf(window, place);
    UnmarkGrouped(window);
    CWndProxy released(::IsWindow(window) ? window : NULL);
    if (at)
        released.MoveWindowAsync(*at);
    released.ShowWindowAsync(SW_SHOW);
    // Taken out by the user: a following group does not take it back.
    m_group.TakeOut(index);
    if (m_group.Count() <= 0)
        PostMessage(WM_CLOSE, 0, 0);
    else if (wasSelected)
        PassSelectionOn(m_group.Selection(), placed ? &place : nullptr);
}

// A selected window its own application hid (one that goes to the notification area) would take
// the strip and every other tab with it: the next tab takes its place until it shows again.
void CTabWndHandler::WatchHiddenByApp()
{
    const int sel = m_group.Selection();
    RECT place;
    if (sel < 0)
        return;
    const bool hidden = m_show == WindowShow::Hidden && !m_group.GetPending(m_group.Window(sel), place);
    if (!hidden) {
        m_hiddenPasses = 0;
        m_group.SetHiddenByApp(sel, false);
    }
    for (int i = 0; i < m_group.Count(); ++i)
        if (m_group.Tab(i).hiddenByApp && i != sel && ::IsWindowVisible(m_group.Window(i)))
            return PassSelectionOn(i, nullptr);
    // Hidden for less than a whole pass may be a show of ours on its way.
    if (!hidden || ++m_hiddenPasses < 2 || m_group.Tab(sel).hiddenByApp)
        return;
    m_group.SetHiddenByApp(sel, true);
    const int next = m_group.NextNotHidden();
    if (next >= 0 && m_group.GetLastPlace(place))
        PassSelectionOn(next, &place);
}

void CTabWndHandler::PassSelectionOn(int to, const RECT* at)
{
    m_hiddenPasses = 0;
    // The tab may be selected already: one that took a leaving tab's place.
    m_group.Select(to);
    ShowSelectedAt(at);
}
