// Switching: a tab's window takes the place of the one shown before, and the others hide. The
// frame's other parts build on these.
#include "TabWnd.h"
#include "AddWindowDlg.h"
#include "CycleKeys.h"
#include "GroupMark.h"
#include "StripTips.h"

using namespace quortab;

HINSTANCE g_hInstance = NULL;
ATOM g_tabWndClass = 0;
char g_tipText[kTextChars];

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
// One QuorTab may not manage is left alone without a box: the user did not name it.
void CTabWndHandler::JoinDropped(HWND window, int index)
{
    const CWndProxy dropped(window);
    char title[kTextChars] = "";
    dropped.GetWindowText(title, kTextChars);
    if (!MayManage(window) || !m_group.InsertAt(index, window, title))
        return;
    MarkGrouped(window);
    SelectWindow(window);
}

// The strip, told of each change of the group, follows it there and nowhere else.
void CTabWndHandler::OnTabChanged(const CTabGroup& group, const TabChange& change)
{
    const char* title = change.kind == TabChange::Removed ? "" : group.Tab(change.index).title.c_str();
    switch (change.kind) {
    case TabChange::Inserted:
        m_hwndTab.InsertItem(change.index, title, change.window);
        m_icons.Add(change.window);
        break;
    case TabChange::Removed:
        m_hwndTab.DeleteItem(change.index);
        m_icons.Remove(change.window);
        m_closing = change.window == m_closing ? NULL : m_closing;
        break;
    case TabChange::Moved:
        m_hwndTab.DeleteItem(change.from);
        m_hwndTab.InsertItem(change.index, title, change.window);
        m_icons.Sync();
        break;
    case TabChange::Retitled:
        if (m_hwndTab.SetItemText(change.index, title))
            m_icons.Ask(change.window);
        return;
    case TabChange::Selected:
        m_closing = change.window == m_closing ? m_closing : NULL;
        return ShowSelection();
    }
    m_rowHeight = 0;
    ShowSelection();
    SyncTabTips(m_hwndTab, m_tipsByFrame);
}

// The strip's selection follows the group's; setting it announces nothing.
void CTabWndHandler::ShowSelection()
{
    if (m_hwndTab.GetCurSel() != m_group.Selection())
        m_hwndTab.SetCurSel(m_group.Selection());
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
