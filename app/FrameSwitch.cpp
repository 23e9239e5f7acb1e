// The group's verbs and what they do to its windows: a tab's window takes the place of the one
// shown before and the others hide; tabs come and leave; the upkeep keeps the group true.
#include "TabWnd.h"
#include "AddWindowDlg.h"
#include "CycleKeys.h"
#include "GroupMark.h"
#include <algorithm>

using namespace quortab;

HINSTANCE g_hInstance = NULL;
ATOM g_tabWndClass = 0;

namespace {

void CALLBACK OnCaughtUp(HWND window, UINT, ULONG_PTR frame, LRESULT)
{
    ::PostMessageA(reinterpret_cast<HWND>(frame), kWindowCaughtUp, reinterpret_cast<WPARAM>(window), 0);
}

HWND Live(HWND window) { return window && ::IsWindow(window) ? window : NULL; }

// A window of an application that runs with more rights than ours (as administrator) refuses to
// be moved or hidden: a tab for it would switch to nothing. Asking it to move nowhere tells.
bool MayManage(HWND window)
{
    const UINT nowhere = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
    return ::SetWindowPos(window, NULL, 0, 0, 0, 0, nowhere) || ::GetLastError() != ERROR_ACCESS_DENIED;
}

const char kElevatedText[] = "This window belongs to a program that runs as administrator. Windows lets QuorTab "
                             "move and hide it only when QuorTab runs as administrator too.";

}  // namespace

CWndProxy CTabWndHandler::GetTabWindow(int index) const
{
    return CWndProxy(Live(m_group.Window(index)));
}

bool CTabWndHandler::InsertTab(const CWndProxy& window)
{
    char title[kTextChars] = "";
    window.GetWindowText(title, kTextChars);
    if (window.IsAttached() && !MayManage(window.GetHandle())) {
        MessageBox(kElevatedText, kFrameTitle, MB_OK | MB_ICONWARNING);
        return false;
    }
    if (!m_group.Insert(window.GetHandle(), title))
        return false;
    if (window.IsAttached())
        MarkGrouped(window.GetHandle());
    return true;
}

// Let go on the strip: a tab where the mark stood, selected, its window on the group's rectangle.
// One QuorTab may not manage is left alone without a box: the user did not name it. Called from
// a window-event hook, which must not let an error through: the barrier shows it.
void CTabWndHandler::JoinDropped(HWND window, int index)
{
    RunInBarrier(m_hWnd, m_hWnd, m_hWnd, "Unknown Error", [&] {
        const CWndProxy dropped(window);
        char title[kTextChars] = "";
        dropped.GetWindowText(title, kTextChars);
        if (!MayManage(window) || !m_group.InsertAt(index, window, title))
            return;
        MarkGrouped(window);
        SelectWindow(window);
        // It had the keyboard while it was dragged, and keeps it.
        dropped.SetForegroundWindow();
    });
}

// While a window dragged over the strip may be let go there, the strip stands in front of it.
void CTabWndHandler::KeepStripInFront(bool keep)
{
    m_placer.KeepInFront(keep);
    if (!keep)
        RunInBarrier(m_hWnd, m_hWnd, m_hWnd, "Unknown Error", [&] { m_placer.Place(); });
}

CWndProxy CTabWndHandler::PickWindow()
{
    CAddWindowDlg dialog(GetTabWindow(m_group.Selection()).GetHandle());
    CDestroyWatch watch(*this);
    const INT_PTR result = dialog.DoModal(m_hWnd, g_hInstance);
    if (watch.Gone() || !result)
        return CWndProxy();
    CWndProxy chosen(dialog.GetChosenWindow());
    return InsertTab(chosen) ? chosen : CWndProxy();
}

void CTabWndHandler::AddPickedWindow()
{
    // Null also when the frame went while the picker was open.
    CWndProxy added = PickWindow();
    if (added.IsAttached())
        added.ShowWindowAsync(SW_HIDE);
}

void CTabWndHandler::CloseContextTab()
{
    if (m_group.Find(m_contextWindow) < 0)
        return;
    // Its save prompt shows with its document; the tab goes with the window.
    SelectWindow(m_contextWindow);
    m_closing = m_contextWindow;
    ::PostMessageA(m_contextWindow, WM_CLOSE, 0, 0);
}

void CTabWndHandler::DropTab(HWND window, POINT cursor)
{
    RECT strip = {};
    ::GetWindowRect(m_hWnd, &strip);
    const TabDrop drop = DropOfTab(strip, cursor);
    const CTabCtrlProxy& tabs = m_strip.Control();
    if (drop == TabDrop::Reorder) {
        // Anywhere along the strip counts as the tab row; past the last tab is last.
        RECT row = {};
        tabs.GetItemRect(0, &row);
        TCHITTESTINFO hit = {cursor, 0};
        ::ScreenToClient(tabs.GetHandle(), &hit.pt);
        hit.pt.y = (row.top + row.bottom) / 2;
        const int under = tabs.HitTest(&hit);
        m_group.Move(m_group.Find(window), under >= 0 ? under : m_group.Count() - 1);
    } else if (drop == TabDrop::GiveBack) {
        RECT place = {};
        ::GetWindowRect(window, &place);
        const RECT work = WorkAreaOf({cursor.x, cursor.y, cursor.x + 1, cursor.y + 1});
        const RECT at = DropPlace(place, cursor, work);
        GiveBack(window, &at);
    }
}

// Every way of choosing a tab ends here: the group decides, and the window it selected takes the
// place of the one selected before.
void CTabWndHandler::SelectTab(int index)
{
    if (m_group.Select(index))
        ShowSelected(m_group.PrevSelection());
}

void CTabWndHandler::SelectBy(int step)
{
    if (m_group.SelectNext(step))
        ShowSelected(m_group.PrevSelection());
}

void CTabWndHandler::SelectWindow(HWND window)
{
    const int index = m_group.Find(window);
    if (index >= 0)
        SelectTab(index);
}

void CTabWndHandler::ShowSelected(int from)
{
    RECT place;
    const bool placed = from != -1 && PlaceOf(m_group.Window(from), place);
    ShowSelectedAt(placed ? &place : nullptr);
}

// Shows the selected window on `at`, or where it stands, and hides the others.
void CTabWndHandler::ShowSelectedAt(const RECT* at)
{
    const int sel = m_group.Selection();
    if (sel < 0)
        return;
    CWndProxy next = GetTabWindow(sel);
    RECT place;
    const bool placed = next.IsAttached() && (at ? (place = *at, true) : PlaceOf(next.GetHandle(), place));
    // The move goes ahead of the show in the window's own queue: it never appears elsewhere first.
    if (at && placed)
        next.MoveWindowAsync(place);
    m_group.SetHiddenByApp(sel, false);
    next.ShowWindowAsync(m_showCommand);
    if (placed)
        ExpectShown(next, place);
    for (int i = 0; i < m_group.Count(); ++i)
        if (i != sel && !m_group.Tab(i).hiddenByApp)
            GetTabWindow(i).ShowWindowAsync(SW_HIDE);
    PlaceFrame();
    PublishCycleTarget(m_hWnd, next.GetHandle());
}

// Where a window stands, or is about to: a window still catching up with a move is where it was
// sent, and one that is gone leaves the group's last place.
bool CTabWndHandler::PlaceOf(HWND window, RECT& place) const
{
    if (m_group.GetPending(window, place))
        return true;
    if (Live(window) && ::GetWindowRect(window, &place))
        return true;
    return m_group.GetLastPlace(place);
}

void CTabWndHandler::ExpectShown(const CWndProxy& window, const RECT& place)
{
    m_group.SetPending(window.GetHandle(), place);
    // Answered only after the window's thread has handled what we asked of it before.
    if (!::SendMessageCallbackA(window.GetHandle(), WM_NULL, 0, 0, OnCaughtUp, reinterpret_cast<ULONG_PTR>(m_hWnd)))
        m_group.CaughtUp(window.GetHandle());
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

// Reads each window's title once and writes only what changed; the strip itself is not read.
// One placement ends the pass, after the look at the selected window that the watch for windows
// hidden by their programs goes by.
void CTabWndHandler::Upkeep()
{
    CStripPlacer::CPass pass(m_placer);
    DropClosedTabs();
    if (m_group.Count() <= 0)
        PostMessage(WM_CLOSE, 0, 0);
    if (m_group.Selection() >= 0)
        WatchHiddenByApp(m_placer.Look(m_group.Window(m_group.Selection())));
    pass.Place();
}

std::vector<HWND> CTabWndHandler::RefreshTitles()
{
    std::vector<HWND> closed;
    char title[kTextChars];
    for (int i = 0; i < m_group.Count(); ++i) {
        const CWndProxy window(m_group.Window(i));
        title[0] = '\0';
        // An empty title is rare: only then is it worth asking whether the window is still there.
        if (!window.GetWindowText(title, kTextChars) && !::IsWindow(window.GetHandle()))
            closed.push_back(window.GetHandle());
        else
            m_group.Retitle(i, title);
    }
    return closed;
}

// The tab that took the closed one's place is shown where it stands, or, when the user closed
// that window from the strip, where it stood.
void CTabWndHandler::DropClosedTabs()
{
    const std::vector<HWND> closed = RefreshTitles();
    if (closed.empty())
        return;
    const HWND selectedBefore = m_group.Window(m_group.Selection());
    const bool closedHere = selectedBefore && selectedBefore == m_closing;
    m_group.DropClosed([&](HWND w) { return std::find(closed.begin(), closed.end(), w) == closed.end(); });
    if (m_group.Window(m_group.Selection()) == selectedBefore)
        return;
    RECT place;
    const bool atLast = closedHere && m_group.GetLastPlace(place);
    ShowSelectedAt(atLast ? &place : nullptr);
}

// A selected window its own application hid (one that goes to the notification area) would take
// the strip and every other tab with it: the next tab takes its place until it shows again.
void CTabWndHandler::WatchHiddenByApp(WindowShow show)
{
    const int sel = m_group.Selection();
    RECT place;
    const bool hidden = show == WindowShow::Hidden && !m_group.GetPending(m_group.Window(sel), place);
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
