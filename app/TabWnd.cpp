#include "TabWnd.h"
#include "AboutDlg.h"
#include "AddWindowDlg.h"
#include "GroupMark.h"
#include "MenuHandle.h"
#include "resource.h"
#include <cstring>
#include <map>

using namespace quortab;

HINSTANCE g_hInstance = NULL;
ATOM g_tabWndClass = 0;
int g_prevSelection = -1;
char g_tipText[kTextChars];

namespace {

// Posted to the frame once a window's application has carried out what it was asked to do.
const UINT kWindowCaughtUp = WM_APP + 1;

void CALLBACK OnCaughtUp(HWND window, UINT, ULONG_PTR frame, LRESULT)
{
    ::PostMessageA(reinterpret_cast<HWND>(frame), kWindowCaughtUp, reinterpret_cast<WPARAM>(window), 0);
}

// Posted to the frame to run the upkeep now rather than at the next tick; one at a time, so that
// a burst of events (a window dragged) costs one pass per turn of the message loop.
const UINT kUpkeepNow = WM_APP + 2;

// The frame each window-event hook reports to.
std::map<HWINEVENTHOOK, HWND> g_eventFrames;

void CALLBACK ReportWindowEvent(HWINEVENTHOOK hook, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object != OBJID_WINDOW || child != CHILDID_SELF || !window)
        return;
    auto found = g_eventFrames.find(hook);
    CWndHandler* frame = found == g_eventFrames.end() ? nullptr : CWndHandler::FromHandle(found->second);
    if (frame)
        static_cast<CTabWndHandler*>(frame)->OnWindowEvent(window);
}

// The next visible window behind `upper` in the z-order: hidden ones (the frame's own tooltip)
// make no difference to what the user sees.
HWND VisibleBelow(HWND upper)
{
    HWND next = ::GetWindow(upper, GW_HWNDNEXT);
    while (next && !::IsWindowVisible(next))
        next = ::GetWindow(next, GW_HWNDNEXT);
    return next;
}

bool KeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

// Announces a selection change to the frame exactly as a click does: the tab control passes
// both notifications on to its parent.
void SelectTab(const CTabCtrlProxy& tabs, int step)
{
    const int count = tabs.GetItemCount();
    if (count <= 0)
        return;
    const int cur = tabs.GetCurSel();
    NMHDR header = {tabs.GetHandle(), 0, 0};
    auto notify = [&](int code) {
        header.code = static_cast<UINT>(code);
        tabs.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    };
    notify(TCN_SELCHANGING);
    int next = cur + step;
    if (next >= count)
        next = 0;
    else if (next < 0)
        next = count - 1;
    tabs.SetCurSel(next);
    notify(TCN_SELCHANGE);
}
}  // namespace

void SelectNextTab(HWND tabControl) { SelectTab(tabControl, +1); }
void SelectPreviousTab(HWND tabControl) { SelectTab(tabControl, -1); }

CTabWndHandler* CreateTabWindow(HINSTANCE instance, HWND parent)
{
    if (!g_tabWndClass)
        g_tabWndClass = RegisterWndClass(instance, kClassName, CS_DBLCLKS,
                                         ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP)));
    CTabWndHandler* frame = new CTabWndHandler;
    // Gone if this throws.
    frame->CreateWnd(MAKEINTATOM(g_tabWndClass), kFrameTitle, kFrameStyle, kFrameExStyle,
                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, NULL, instance);
    return frame;
}

CTabWndHandler* StartQuorTab(HINSTANCE instance)
{
    g_hInstance = instance;
    ReleaseOrphanedWindows();
    ::SetUnhandledExceptionFilter(ShowGroupedWindowsOnCrash);
    ::InitCommonControls();
    return CreateTabWindow(instance, NULL);
}

LONG WINAPI ShowGroupedWindowsOnCrash(EXCEPTION_POINTERS*)
{
    ShowWindowsMarkedByThisProcess();
    return EXCEPTION_EXECUTE_HANDLER;
}

CTabWndHandler::CTabWndHandler()
    : m_contextTab(-1), m_lastPlace(), m_placed(false), m_pending(NULL), m_pendingPlace(), m_showCommand(SW_SHOW),
      m_eventHook(NULL), m_upkeepPosted(false), m_tipsByFrame(false) {}

int CTabWndHandler::FindTab(HWND window) const
{
    const int count = m_hwndTab.GetItemCount();
    for (int i = 0; i < count; ++i)
        if (m_hwndTab.GetItemWindow(i) == window)
            return i;
    return -1;
}

CWndProxy CTabWndHandler::GetTabWindow(int index) const
{
    HWND window = m_hwndTab.GetItemWindow(index);
    return CWndProxy(window && ::IsWindow(window) ? window : NULL);
}

bool CTabWndHandler::InsertTab(const CWndProxy& window)
{
    // One window, one tab: a second would hide the window whenever the first is selected.
    if (window.IsAttached() && FindTab(window.GetHandle()) >= 0)
        return false;
    if (window.IsAttached())
        MarkGrouped(window.GetHandle());
    char title[kTextChars] = "";
    window.GetWindowText(title, kTextChars);
    m_hwndTab.InsertItem(m_hwndTab.GetItemCount(), title, window.GetHandle());
    SyncTabTips();
    return true;
}

CWndProxy CTabWndHandler::PickWindow()
{
    const int sel = m_hwndTab.GetCurSel();
    CWndProxy excluded = sel >= 0 ? GetTabWindow(sel) : CWndProxy();
    CAddWindowDlg dialog(excluded.GetHandle());
    CDestroyWatch watch(*this);
    const INT_PTR result = dialog.DoModal(m_hWnd, g_hInstance);
    if (watch.Gone() || !result)
        return CWndProxy();
    CWndProxy chosen(dialog.GetChosenWindow());
    return InsertTab(chosen) ? chosen : CWndProxy();
}

void CTabWndHandler::PlaceFrame()
{
    const int sel = m_hwndTab.GetCurSel();
    if (sel < 0)
        return;
    CWndProxy window = GetTabWindow(sel);
    try {
        PlaceFrameBelow(window);
    } catch (const CWindowsError&) {
        // The window closed between the upkeep's look and now: an ordinary close, not an error.
        // The next upkeep pass drops its tab.
        if (::IsWindow(window.GetHandle()))
            throw;
    }
}

void CTabWndHandler::PlaceFrameBelow(const CWndProxy& window)
{
    RECT target;
    bool shown = true;
    if (window.GetHandle() == m_pending) {
        target = m_pendingPlace;
    } else {
        window.GetWindowRect(&target);
        // A minimized window's strip would stand where its icon is: it goes with the window.
        shown = window.IsWindowVisible() && !::IsIconic(window.GetHandle());
    }
    if (shown) {
        m_lastPlace = target;
        m_placed = true;
    }
    if (shown != IsWindowVisible())
        ShowWindow(shown ? SW_SHOW : SW_HIDE);

    RECT tabRect = {};
    m_hwndTab.GetWindowRect(&tabRect);
    const int windowHeight = tabRect.bottom - tabRect.top;
    m_hwndTab.AdjustRect(false, &tabRect);
    const int rowHeight = windowHeight - (tabRect.bottom - tabRect.top);

    RECT frame = {target.left, target.bottom, target.right, target.bottom + rowHeight - kRowTrim};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLong(GWL_EXSTYLE)));
    CWndProxy after = window;
    UINT flags = SWP_NOACTIVATE;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromRect(&target, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    if (::IsZoomed(window.GetHandle()) || frame.bottom > work.bottom) {
        // Below the window the strip would be off screen: it goes over the window's lower edge,
        // in front of it, inside the work area.
        const int height = frame.bottom - frame.top;
        frame.bottom = target.bottom < work.bottom ? target.bottom : work.bottom;
        frame.top = frame.bottom - height;
        frame.left = frame.left > work.left ? frame.left : work.left;
        frame.right = frame.right < work.right ? frame.right : work.right;
        const HWND above = ::GetWindow(window.GetHandle(), GW_HWNDPREV);
        if (above == m_hWnd)
            flags |= SWP_NOZORDER;
        after = CWndProxy(above ? above : HWND_TOP);
    }
    // Placing the frame where it stands costs a repaint and the server's time four times a second.
    RECT current = {};
    ::GetWindowRect(m_hWnd, &current);
    const bool inOrder = after.GetHandle() == window.GetHandle() ? VisibleBelow(window.GetHandle()) == m_hWnd
                                                                  : VisibleBelow(m_hWnd) == window.GetHandle();
    if (::EqualRect(&current, &frame) && (!shown || inOrder))
        return;
    SetWindowPos(after, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, flags);
}

void CTabWndHandler::SyncTabTips()
{
    const HWND tips = m_hwndTab.GetToolTips();
    if (!tips)
        return;
    const int count = m_hwndTab.GetItemCount();
    int tools = static_cast<int>(::SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    if (!m_tipsByFrame) {
        // A control that registers its own tools has one per tab by now.
        if (count == 0 || tools >= count)
            return;
        m_tipsByFrame = true;
    }
    TOOLINFOA tool = {};
    // The older size: common controls without a manifest refuse the newer one.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = m_hwndTab.GetHandle();
    // Deleting one tool ends the tooltip's watch over the strip for every tool, and only adding
    // one starts it again: a strip that lost tabs gets all its tools anew.
    if (tools > count) {
        for (; tools > 0; --tools) {
            tool.uId = tools - 1;
            ::SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    // Each tab's tool covers its rectangle and asks the frame for its text by index. The tooltip
    // watches the mouse itself: such a control does not relay mouse moves to it.
    tool.uFlags = TTF_SUBCLASS;
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    for (int i = 0; i < count; ++i) {
        tool.uId = i;
        m_hwndTab.GetItemRect(i, &tool.rect);
        ::SendMessageA(tips, i < tools ? TTM_NEWTOOLRECTA : TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LRESULT CTabWndHandler::OnCreate(CREATESTRUCTA* create)
{
    m_hwndTab.Attach(::CreateWindowExA(0, WC_TABCONTROLA, "", kTabStyle, 0, 0, CW_USEDEFAULT,
                                       CW_USEDEFAULT, m_hWnd, NULL, g_hInstance, NULL));
    FitToDpi(GetWindowDpi(m_hWnd));

    CWndProxy first = PickWindow();
    if (!first.IsAttached())
        return -1;
    PlaceFrame();
    first.SetForegroundWindow();
    SetTimer(kUpkeepTimer, kUpkeepMs);
    // The strip follows at once where the system reports what grouped windows do; the timer
    // stays as the net for what it does not report.
    m_eventHook = ::SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_NAMECHANGE, NULL, ReportWindowEvent, 0, 0,
                                    WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (m_eventHook)
        g_eventFrames[m_eventHook] = m_hWnd;
    return CWndHandler::OnCreate(create);
}

LRESULT CTabWndHandler::OnPaint(CPaintDC& dc)
{
    return CWndHandler::OnPaint(dc);
}

LRESULT CTabWndHandler::OnNotify(WPARAM id, NMHDR* header)
{
    if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW)
        FillTipText(header);
    if (header->hwndFrom == m_hwndTab.GetHandle()) {
        switch (header->code) {
        case TCN_SELCHANGING:
            g_prevSelection = m_hwndTab.GetCurSel();
            break;
        case TCN_SELCHANGE:
            OnSelChange();
            break;
        case TCN_KEYDOWN:
            CycleOnCtrlTab(reinterpret_cast<NMTCKEYDOWN*>(header)->wVKey);
            break;
        }
    }
    return CWndHandler::OnNotify(id, header);
}

void CTabWndHandler::FillTipText(NMHDR* header)
{
    // The tooltip identifies each tab by its index; a stale index leaves the text empty rather
    // than another tab's.
    m_hwndTab.GetItemText(static_cast<int>(header->idFrom), g_tipText, sizeof g_tipText);
    if (header->code == TTN_GETDISPINFOA) {
        reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = g_tipText;
    } else {
        // A tooltip whose tool window answers in Unicode asks in the wide form.
        static wchar_t wideTipText[sizeof g_tipText];
        ::MultiByteToWideChar(CP_ACP, 0, g_tipText, -1, wideTipText, sizeof g_tipText);
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = wideTipText;
    }
}

void CTabWndHandler::OnSelChange()
{
    const int sel = m_hwndTab.GetCurSel();
    if (sel < 0)
        return;
    CWndProxy next = GetTabWindow(sel);
    RECT place;
    bool placed = false;
    if (next.IsAttached()) {
        // The move goes ahead of the show in the window's own queue: it never appears elsewhere
        // first.
        placed = g_prevSelection != -1 && PlaceOf(GetTabWindow(g_prevSelection), place);
        if (placed)
            next.MoveWindowAsync(place);
        else
            placed = PlaceOf(next, place);
    }
    next.ShowWindowAsync(m_showCommand);
    if (placed)
        ExpectShown(next, place);
    const int count = m_hwndTab.GetItemCount();
    for (int i = 0; i < count; ++i)
        if (i != sel)
            GetTabWindow(i).ShowWindowAsync(SW_HIDE);
    PlaceFrame();
}

// Where a window stands, or is about to: a window still catching up with a move is where it was
// sent, and one that is gone leaves the group's last place.
bool CTabWndHandler::PlaceOf(const CWndProxy& window, RECT& place) const
{
    if (window.IsAttached() && window.GetHandle() == m_pending) {
        place = m_pendingPlace;
        return true;
    }
    if (window.IsAttached() && ::GetWindowRect(window.GetHandle(), &place))
        return true;
    place = m_lastPlace;
    return m_placed;
}

void CTabWndHandler::ExpectShown(const CWndProxy& window, const RECT& place)
{
    m_pending = window.GetHandle();
    m_pendingPlace = place;
    // Answered only after the window's thread has handled what we asked of it before.
    if (!::SendMessageCallbackA(m_pending, WM_NULL, 0, 0, OnCaughtUp, reinterpret_cast<ULONG_PTR>(m_hWnd)))
        m_pending = NULL;
}

LRESULT CTabWndHandler::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kWindowCaughtUp && reinterpret_cast<HWND>(wParam) == m_pending) {
        m_pending = NULL;
        PlaceFrame();
    } else if (message == kUpkeepNow) {
        m_upkeepPosted = false;
        Upkeep();
    }
    if (message == WM_DPICHANGED)
        OnDpiChanged(LOWORD(wParam));
    return CWndHandler::OnOtherMessage(message, wParam, lParam);
}

// Tabs and their text keep on any screen the size they have at 96 DPI.
void CTabWndHandler::FitToDpi(UINT dpi)
{
    m_font.Apply(m_hwndTab.GetHandle(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), dpi);
    m_hwndTab.SetItemSize(ScaleForDpi(kTabWidth, dpi), 0);
}

void CTabWndHandler::OnDpiChanged(UINT dpi)
{
    FitToDpi(dpi);
    // The row's new height makes the frame's; the tabs' new places make the tooltips'.
    PlaceFrame();
    SyncTabTips();
}

void CTabWndHandler::CycleOnCtrlTab(WPARAM key)
{
    if (key == VK_TAB && KeyDown(VK_CONTROL))
        Cycle(KeyDown(VK_SHIFT) ? -1 : +1);
}

void CTabWndHandler::Cycle(int step)
{
    // The frame takes the foreground: the window shown, which does so later in its own thread,
    // must not take it back. Taken first as well, so that the window hidden, which may have had
    // it, learns that before it hides and passes nothing on.
    SetForegroundWindow();
    m_showCommand = SW_SHOWNA;
    if (step > 0)
        SelectNextTab(m_hwndTab.GetHandle());
    else if (step < 0)
        SelectPreviousTab(m_hwndTab.GetHandle());
    m_showCommand = SW_SHOW;
    SetForegroundWindow();
}

void CTabWndHandler::OnWindowEvent(HWND window)
{
    if (m_upkeepPosted || FindTab(window) < 0)
        return;
    m_upkeepPosted = PostMessage(kUpkeepNow, 0, 0) != FALSE;
}

LRESULT CTabWndHandler::OnTimer(WPARAM id, LPARAM proc)
{
    Upkeep();
    return CWndHandler::OnTimer(id, proc);
}

void CTabWndHandler::Upkeep()
{
    int count = m_hwndTab.GetItemCount();
    int sel = m_hwndTab.GetCurSel();
    const int countBefore = count;
    for (int i = 0; i < count; ++i) {
        CWndProxy window = GetTabWindow(i);
        if (window.IsAttached())
            RefreshTitle(i, window);
        else
            DropClosedTab(i--, count, sel);
    }
    if (count != countBefore)
        SyncTabTips();
    if (count <= 0)
        PostMessage(WM_CLOSE, 0, 0);
    PlaceFrame();
}

void CTabWndHandler::RefreshTitle(int index, const CWndProxy& window)
{
    char title[kTextChars] = "";
    char shown[kTextChars] = "";
    window.GetWindowText(title, kTextChars);
    // Every write repaints the strip.
    m_hwndTab.GetItemText(index, shown, kTextChars);
    if (std::strcmp(title, shown) != 0)
        m_hwndTab.SetItemText(index, title);
}

void CTabWndHandler::DropClosedTab(int index, int& count, int& sel)
{
    m_hwndTab.DeleteItem(index);
    --count;
    // The selected tab slides down with the ones before it; without this a selected window
    // closing in the same pass as an earlier one would leave nothing shown.
    if (index < sel) {
        --sel;
    } else if (index == sel) {
        if (sel >= count)
            sel = count - 1;
        m_hwndTab.SetCurSel(sel);
        CWndProxy shown = GetTabWindow(sel);
        RECT place;
        if (sel >= 0 && shown.ShowWindowAsync(SW_SHOW) && PlaceOf(shown, place))
            ExpectShown(shown, place);
    }
}

LRESULT CTabWndHandler::OnSize(WPARAM type, UINT width, UINT height)
{
    ::MoveWindow(m_hwndTab.GetHandle(), 0, 0, width, height, TRUE);
    SyncTabTips();
    return CWndHandler::OnSize(type, width, height);
}

LRESULT CTabWndHandler::OnDestroy()
{
    if (m_eventHook) {
        ::UnhookWinEvent(m_eventHook);
        g_eventFrames.erase(m_eventHook);
    }
    const int count = m_hwndTab.GetItemCount();
    for (int i = 0; i < count; ++i) {
        CWndProxy window = GetTabWindow(i);
        UnmarkGrouped(window.GetHandle());
        window.ShowWindowAsync(SW_SHOW);
    }
    return CWndHandler::OnDestroy();
}

LRESULT CTabWndHandler::OnKeyDown(WPARAM key, LPARAM* keyData)
{
    CycleOnCtrlTab(key);
    return CWndHandler::OnKeyDown(key, keyData);
}

LRESULT CTabWndHandler::OnMouseWheel(UINT keys, UINT delta, LPARAM* position)
{
    // Forward, away from the user, goes back a tab.
    const short direction = static_cast<short>(delta);
    Cycle(direction > 0 ? -1 : direction < 0 ? +1 : 0);
    return CWndHandler::OnMouseWheel(keys, delta, position);
}

LRESULT CTabWndHandler::OnContextMenu(HWND window, UINT x, UINT y)
{
    // Screen coordinates left of or above the primary monitor are negative.
    const POINT at = FindContextTab(window, {static_cast<short>(x), static_cast<short>(y)});
    CMenuHandle menu(::LoadMenuA(reinterpret_cast<HINSTANCE>(GetWindowLong(GWLP_HINSTANCE)),
                                 MAKEINTRESOURCEA(IDR_MAIN_MENU)), true);
    CMenuHandle popup = menu.GetSubMenu(0);
    popup.EnableMenuItem(IDM_REMOVE_WINDOW, m_contextTab >= 0, false);
    CDestroyWatch watch(*this);
    popup.TrackPopupMenu(TPM_RIGHTBUTTON, at.x, at.y, *this);
    if (watch.Gone())
        return 0;
    // Lets the menu's modal loop see a message and end promptly.
    PostMessage(WM_NULL, 0, 0);
    LRESULT result = CWndHandler::OnContextMenu(window, x, y);
    menu.Destroy();
    return result;
}

POINT CTabWndHandler::FindContextTab(HWND window, POINT at)
{
    m_contextTab = -1;
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: the menu opens at the selected tab, which it then acts on.
        m_contextTab = m_hwndTab.GetCurSel();
        RECT item = {};
        m_hwndTab.GetItemRect(m_contextTab, &item);
        at = {item.left, item.bottom};
        ::ClientToScreen(m_hwndTab.GetHandle(), &at);
    } else if (window == m_hwndTab.GetHandle()) {
        TCHITTESTINFO hit = {};
        hit.pt = at;
        ::ScreenToClient(m_hwndTab.GetHandle(), &hit.pt);
        m_contextTab = m_hwndTab.HitTest(&hit);
    }
    return at;
}

LRESULT CTabWndHandler::OnCommand(UINT code, WPARAM id, LPARAM control)
{
    // The picker and the About box run nested loops, in which the last tab may go and the
    // frame with it.
    CDestroyWatch watch(*this);
    switch (LOWORD(id)) {
    case IDM_ADD_WINDOW:
        AddPickedWindow();
        break;
    case IDM_REMOVE_WINDOW:
        RemoveContextTab();
        break;
    case IDM_EXIT:
        PostMessage(WM_CLOSE, 0, 0);
        break;
    case IDM_ABOUT:
        ShowAbout();
        break;
    }
    if (watch.Gone())
        return 0;
    return CWndHandler::OnCommand(code, id, control);
}

void CTabWndHandler::AddPickedWindow()
{
    // Null also when the frame went while the picker was open.
    CWndProxy added = PickWindow();
    if (added.IsAttached())
        added.ShowWindowAsync(SW_HIDE);
}

void CTabWndHandler::RemoveContextTab()
{
    CWndProxy released = GetTabWindow(m_contextTab);
    UnmarkGrouped(released.GetHandle());
    released.ShowWindowAsync(SW_SHOW);
    m_hwndTab.DeleteItem(m_contextTab);
    SyncTabTips();
    if (m_hwndTab.GetItemCount() <= 0)
        PostMessage(WM_CLOSE, 0, 0);
}

void CTabWndHandler::ShowAbout()
{
    CAboutDlg about(reinterpret_cast<HICON>(GetClassLong(GCLP_HICON)));
    about.DoModal(m_hWnd, g_hInstance);
}
