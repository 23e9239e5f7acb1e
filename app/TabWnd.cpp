// The frame as a router: its start and end, the messages it takes and the user's input, each
// turned into a call of the piece that owns it.
#include "TabWnd.h"
#include "AboutDlg.h"
#include "Clipboard.h"
#include "CycleKeys.h"
#include "GroupMark.h"
#include "Guardian.h"
#include "MenuHandle.h"
#include "resource.h"
#include <map>
#include <windowsx.h>

using namespace quortab;

namespace {

// The frame each window-event hook reports to.
std::map<HWINEVENTHOOK, HWND> g_eventFrames;

void CALLBACK ReportWindowEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object != OBJID_WINDOW || child != CHILDID_SELF || !window)
        return;
    auto found = g_eventFrames.find(hook);
    CWndHandler* frame = found == g_eventFrames.end() ? nullptr : CWndHandler::FromHandle(found->second);
    if (frame)
        static_cast<CTabWndHandler*>(frame)->OnWindowEvent(window, event);
}

bool KeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

int HitTab(const CTabCtrlProxy& tabs, POINT at)
{
    TCHITTESTINFO hit = {};
    hit.pt = at;
    return tabs.HitTest(&hit);
}

}  // namespace

CTabWndHandler* CreateTabWindow(HINSTANCE instance, HWND parent, std::unique_ptr<CRuleGroup> rules)
{
    if (!g_tabWndClass)
        g_tabWndClass = RegisterWndClass(instance, kClassName, CS_DBLCLKS,
                                         ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP)));
    const DWORD style = rules ? kFrameStyle & ~WS_VISIBLE : kFrameStyle;
    CTabWndHandler* frame = new CTabWndHandler(std::move(rules));
    // Gone if this throws.
    frame->CreateWnd(MAKEINTATOM(g_tabWndClass), kFrameTitle, style, kFrameExStyle,
                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, NULL, instance);
    return frame;
}

CTabWndHandler* StartQuorTab(HINSTANCE instance, const std::string& arguments, int* exitCode, bool guarded)
{
    g_hInstance = instance;
    std::unique_ptr<CRuleGroup> rules;
    int code = 0;
    if (!ReadCommandLine(arguments, rules, code)) {
        if (exitCode)
            *exitCode = code;
        return nullptr;
    }
    std::vector<HWND> released;
    ReleaseOrphanedWindows(&released);
    ::SetUnhandledExceptionFilter(ShowGroupedWindowsOnCrash);
    if (guarded)
        KeepGuardian();
    ::InitCommonControls();
    // Rules may match what an earlier QuorTab left hidden, once it shows.
    if (rules)
        WaitUntilShown(released, kOrphansShownMs);
    return CreateTabWindow(instance, NULL, std::move(rules));
}

LONG WINAPI ShowGroupedWindowsOnCrash(EXCEPTION_POINTERS*)
{
    ShowWindowsMarkedByThisProcess();
    return EXCEPTION_EXECUTE_HANDLER;
}

CTabWndHandler::CTabWndHandler(std::unique_ptr<CRuleGroup> rules)
    : m_strip(m_group), m_placer(*this, m_group, m_strip), m_windowDrop(*this), m_showCommand(SW_SHOW),
      m_eventHook(NULL),
      m_upkeepPosted(false), m_closing(NULL), m_hiddenPasses(0), m_contextWindow(NULL), m_ruleGroup(std::move(rules))
{
    m_group.SetObserver(this);
}

CTabWndHandler::~CTabWndHandler() = default;

LRESULT CTabWndHandler::OnCreate(CREATESTRUCTA* create)
{
    m_strip.Create(m_hWnd, g_hInstance, StripProc, reinterpret_cast<DWORD_PTR>(this));
    if (m_ruleGroup)
        return m_ruleGroup->Start(*this, m_group, [this](HWND window) { TakeMatched(window); })
                 ? CWndHandler::OnCreate(create) : -1;
    CWndProxy first = PickWindow();
    if (!first.IsAttached())
        return -1;
    BeginGroup(first);
    return CWndHandler::OnCreate(create);
}

void CTabWndHandler::BeginGroup(const CWndProxy& first)
{
    PlaceFrame();
    PublishCycleTarget(m_hWnd, first.GetHandle());
    first.SetForegroundWindow();
    SetTimer(kUpkeepTimer, kUpkeepMs);
    // The strip follows at once where the system reports what grouped windows do; the timer
    // stays as the net for what it does not report.
    m_eventHook = ::SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_NAMECHANGE, NULL, ReportWindowEvent, 0, 0,
                                    WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (m_eventHook)
        g_eventFrames[m_eventHook] = m_hWnd;
    m_windowDrop.Start();
}

// The first window the rules match as a picked one: where it stands, restored if minimized, in
// front; the others hidden, as added windows are.
void CTabWndHandler::TakeMatched(HWND window)
{
    const CWndProxy taken(window);
    const bool first = m_group.Count() == 0;
    if (!InsertTab(taken))
        return;
    if (!first) {
        taken.ShowWindowAsync(SW_HIDE);
        return;
    }
    if (::IsIconic(window))
        taken.ShowWindowAsync(SW_RESTORE);
    BeginGroup(taken);
}

// The strip shows each change; "Close Window" is forgotten when its window goes or another tab
// is selected.
void CTabWndHandler::OnTabChanged(const CTabGroup&, const TabChange& change)
{
    m_strip.Apply(change);
    if ((change.kind == TabChange::Removed && change.window == m_closing) ||
        (change.kind == TabChange::Selected && change.window != m_closing))
        m_closing = NULL;
}

LRESULT CTabWndHandler::OnDestroy()
{
    PublishCycleTarget(m_hWnd, NULL);
    if (m_eventHook) {
        ::UnhookWinEvent(m_eventHook);
        g_eventFrames.erase(m_eventHook);
    }
    m_ruleGroup.reset();
    m_strip.Destroy(StripProc);
    for (int i = 0; i < m_group.Count(); ++i) {
        CWndProxy window = GetTabWindow(i);
        UnmarkGrouped(window.GetHandle());
        window.ShowWindowAsync(SW_SHOW);
    }
    return CWndHandler::OnDestroy();
}

LRESULT CTabWndHandler::OnNotify(WPARAM id, NMHDR* header)
{
    if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW)
        m_strip.FillTipText(header);
    if (header->hwndFrom == GetTabControl()) {
        switch (header->code) {
        case TCN_SELCHANGING:
            // The group chooses the tab, never the control: it shows what the group chose.
            CWndHandler::OnNotify(id, header);
            return TRUE;
        case TCN_KEYDOWN:
            OnStripKey(reinterpret_cast<NMTCKEYDOWN*>(header)->wVKey);
            break;
        }
    }
    return CWndHandler::OnNotify(id, header);
}

LRESULT CTabWndHandler::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    OnPrivateMessage(message, wParam, lParam);
    if (message == WM_DISPLAYCHANGE || message == WM_SETTINGCHANGE)
        m_placer.ScreenChanged();
    if (message == WM_DPICHANGED) {
        m_strip.FitToDpi(LOWORD(wParam));
        // The row's new height makes the frame's; the tabs' new places make the tooltips'.
        PlaceFrame();
        m_strip.SyncTips();
    }
    if (m_ruleGroup)
        m_ruleGroup->OnMessage(message, wParam, lParam);
    return CWndHandler::OnOtherMessage(message, wParam, lParam);
}

void CTabWndHandler::OnPrivateMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    RECT place;
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (message == kWindowCaughtUp && m_group.GetPending(window, place)) {
        m_group.CaughtUp(window);
        PlaceFrame();
    } else if (message == kUpkeepNow) {
        m_upkeepPosted = false;
        Upkeep();
    } else if (message == kCycleKey) {
        OnCycleKey(static_cast<int>(wParam));
    } else if (message == kIconAnswer) {
        m_strip.OnIconAnswer(wParam, lParam);
    }
}

void CTabWndHandler::OnWindowEvent(HWND window, DWORD event)
{
    if (event == EVENT_OBJECT_LOCATIONCHANGE)
        m_windowDrop.OnMoved(window);
    if (m_upkeepPosted || m_group.Find(window) < 0)
        return;
    // Posted one at a time, so that a burst of events (a window dragged) costs one pass per turn
    // of the message loop.
    m_upkeepPosted = PostMessage(kUpkeepNow, 0, 0) != FALSE;
}

LRESULT CTabWndHandler::OnTimer(WPARAM id, LPARAM proc)
{
    if (id == kFollowTimer)
        m_placer.Follow();
    else if (!m_ruleGroup || !m_ruleGroup->OnTimer(id))
        Upkeep();
    return CWndHandler::OnTimer(id, proc);
}

LRESULT CTabWndHandler::OnSize(WPARAM type, UINT width, UINT height)
{
    m_strip.Fit(width, height);
    return CWndHandler::OnSize(type, width, height);
}

// The strip's own input, seen before the tab control's.
LRESULT CALLBACK CTabWndHandler::StripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR frame)
{
    CTabWndHandler* self = reinterpret_cast<CTabWndHandler*>(frame);
    // The control moves its selection on an arrow key even when refused: the arrows are ours.
    if (message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT)) {
        RunInBarrier(self->m_hWnd, self->m_hWnd, self->m_hWnd, "Unknown Error", [&] { self->OnStripKey(wParam); });
        return 0;
    }
    // A quick second press comes as a double click, and is a press all the same.
    const bool press = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    const bool mouse = press || message == WM_MOUSEMOVE || message == WM_LBUTTONUP || message == WM_MBUTTONUP ||
                       message == WM_CAPTURECHANGED;
    // The control sees the press first and is refused the selection; the release is ours first.
    // The window a press shows must not take the activation, and the mouse with it, before the
    // release: it gets the keyboard then.
    LRESULT result = 0;
    const int showCommand = self->m_showCommand;
    if (press) {
        self->m_showCommand = SW_SHOWNA;
        result = ::DefSubclassProc(strip, message, wParam, lParam);
    }
    if (mouse) {
        RunInBarrier(self->m_hWnd, self->m_hWnd, self->m_hWnd, "Unknown Error",
                     [&] { self->OnStripMouse(press ? WM_LBUTTONDOWN : message, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); });
    }
    self->m_showCommand = showCommand;
    return press ? result : ::DefSubclassProc(strip, message, wParam, lParam);
}

// A press selects the tab pressed; moving with the button down drags it, to another place in the
// strip or off it. A middle click lets a tab's window go where it stands.
void CTabWndHandler::OnStripMouse(UINT message, POINT at)
{
    const CTabCtrlProxy& tabs = m_strip.Control();
    bool dragged = false;
    if (message == WM_LBUTTONDOWN) {
        const HWND pressed = m_group.Window(HitTab(tabs, at));
        m_drag.Press(pressed, at);
        SelectWindow(pressed);
        if (pressed)
            ::SetCapture(tabs.GetHandle());
    } else if (message == WM_MOUSEMOVE) {
        m_drag.MoveTo(at, {::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG)});
    } else if (message == WM_LBUTTONUP) {
        const HWND window = m_drag.Release(dragged);
        if (!window)
            return;
        ::ReleaseCapture();
        ::ClientToScreen(tabs.GetHandle(), &at);
        if (dragged)
            DropTab(window, at);
        CWndProxy(m_group.Window(m_group.Selection())).SetForegroundWindow();
    } else if (message == WM_CAPTURECHANGED) {
        m_drag.Cancel();
    } else if (message == WM_MBUTTONUP) {
        GiveBack(m_group.Window(HitTab(tabs, at)));
    }
}

// The strip's own keys: its arrows step without wrapping around, as the control's own did.
void CTabWndHandler::OnStripKey(WPARAM key)
{
    if (key == VK_LEFT || key == VK_RIGHT)
        SelectTab(m_group.Selection() + (key == VK_LEFT ? -1 : +1));
    else
        CycleOnCtrlTab(key);
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
    SelectBy(step);
    m_showCommand = SW_SHOW;
    SetForegroundWindow();
}

// The keys came while the user worked in the group's window: the newly selected one gets the
// keyboard, so that the next press works too.
void CTabWndHandler::OnCycleKey(int step)
{
    SelectBy(step > 0 ? +1 : -1);
    SetForegroundWindow();
    CWndProxy(m_group.Window(m_group.Selection())).SetForegroundWindow();
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
    popup.EnableMenuItem(IDM_REMOVE_WINDOW, m_contextWindow != NULL, false);
    popup.EnableMenuItem(IDM_CLOSE_WINDOW, m_contextWindow != NULL, false);
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
    const CTabCtrlProxy& tabs = m_strip.Control();
    int tab = -1;
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: the menu opens at the selected tab, which it then acts on.
        tab = m_group.Selection();
        RECT item = {};
        tabs.GetItemRect(tab, &item);
        at = {item.left, item.bottom};
        ::ClientToScreen(tabs.GetHandle(), &at);
    } else if (window == tabs.GetHandle()) {
        POINT client = at;
        ::ScreenToClient(tabs.GetHandle(), &client);
        tab = HitTab(tabs, client);
    }
    m_contextWindow = m_group.Window(tab);
    return at;
}

LRESULT CTabWndHandler::OnCommand(UINT code, WPARAM id, LPARAM control)
{
    // The picker and the About box run nested loops, in which the last tab may go and the
    // frame with it.
    CDestroyWatch watch(*this);
    OnMenuCommand(LOWORD(id));
    if (watch.Gone())
        return 0;
    return CWndHandler::OnCommand(code, id, control);
}

// The commands act on the tab under the mouse when the menu opened, wherever it stands now: the
// upkeep may have dropped other tabs while the menu was open.
void CTabWndHandler::OnMenuCommand(WORD id)
{
    if (id == IDM_ADD_WINDOW) {
        AddPickedWindow();
    } else if (id == IDM_REMOVE_WINDOW) {
        GiveBack(m_contextWindow);
    } else if (id == IDM_CLOSE_WINDOW) {
        CloseContextTab();
    } else if (id == IDM_COPY_COMMAND_LINE) {
        SetClipboardText(m_hWnd, CommandLineOf(m_group, m_ruleGroup && m_ruleGroup->Follows()));
    } else if (id == IDM_EXIT) {
        PostMessage(WM_CLOSE, 0, 0);
    } else if (id == IDM_ABOUT) {
        CAboutDlg about(reinterpret_cast<HICON>(GetClassLong(GCLP_HICON)));
        about.DoModal(m_hWnd, g_hInstance);
    }
}
