// The frame: its start and end, the messages it takes, and the upkeep that keeps the strip true.
#include "TabWnd.h"
#include "GroupMark.h"
#include "CycleKeys.h"
#include "StripTips.h"
#include "resource.h"
#include <algorithm>
#include <map>

using namespace quortab;

namespace {

// kUpkeepNow is posted one at a time, so that a burst of events (a window dragged) costs one
// pass per turn of the message loop.
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

CTabWndHandler* StartQuorTab(HINSTANCE instance, const std::string& arguments, int* exitCode)
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
    : m_windowDrop(*this), m_showCommand(SW_SHOW), m_eventHook(NULL), m_upkeepPosted(false), m_tipsByFrame(false),
      m_icons(m_hwndTab, m_group), m_rowHeight(0), m_border(0), m_workKnown(false), m_workFor(), m_monitor(), m_work(),
      m_show(WindowShow::Shown), m_following(false), m_followed(), m_stillSince(0),
      m_pressed(NULL), m_pressedAt(), m_dragging(false), m_closing(NULL), m_hiddenPasses(0), m_contextWindow(NULL),
      m_ruleGroup(std::move(rules))
{
    m_group.SetObserver(this);
}

CTabWndHandler::~CTabWndHandler() = default;

LRESULT CTabWndHandler::OnCreate(CREATESTRUCTA* create)
{
    m_hwndTab.Attach(::CreateWindowExA(0, WC_TABCONTROLA, "", kTabStyle, 0, 0, CW_USEDEFAULT,
                                       CW_USEDEFAULT, m_hWnd, NULL, g_hInstance, NULL));
    FitToDpi(GetWindowDpi(m_hWnd));
    ::SetWindowSubclass(m_hwndTab.GetHandle(), StripProc, 0, reinterpret_cast<DWORD_PTR>(this));

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

void CTabWndHandler::FillTipText(NMHDR* header)
{
    // The tooltip identifies each tab by its index; a stale index leaves the text empty rather
    // than another tab's.
    const int index = static_cast<int>(header->idFrom);
    const std::string title = index >= 0 && index < m_group.Count() ? m_group.Tab(index).title : std::string();
    lstrcpynA(g_tipText, title.c_str(), sizeof g_tipText);
    if (header->code == TTN_GETDISPINFOA) {
        reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = g_tipText;
    } else {
        // A tooltip whose tool window answers in Unicode asks in the wide form.
        static wchar_t wideTipText[sizeof g_tipText];
        ::MultiByteToWideChar(CP_ACP, 0, g_tipText, -1, wideTipText, sizeof g_tipText);
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = wideTipText;
    }
}

LRESULT CTabWndHandler::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kWindowCaughtUp) {
        RECT place;
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (m_group.GetPending(window, place)) {
            m_group.CaughtUp(window);
            PlaceFrame();
        }
    } else if (message == kUpkeepNow) {
        m_upkeepPosted = false;
        Upkeep();
    } else if (message == kCycleKey) {
        OnCycleKey(static_cast<int>(wParam));
    } else if (message == kIconAnswer) {
        m_icons.OnAnswer(wParam, lParam);
    }
    if (message == WM_DISPLAYCHANGE || message == WM_SETTINGCHANGE)
        m_workKnown = false;
    if (message == WM_DPICHANGED)
        OnDpiChanged(LOWORD(wParam));
    if (m_ruleGroup)
        m_ruleGroup->OnMessage(message, wParam, lParam);
    return CWndHandler::OnOtherMessage(message, wParam, lParam);
}

void CTabWndHandler::OnWindowEvent(HWND window, DWORD event)
{
    if (event == EVENT_OBJECT_LOCATIONCHANGE)
        m_windowDrop.OnMoved(window);
    if (m_upkeepPosted || m_group.Find(window) < 0)
        return;
    m_upkeepPosted = PostMessage(kUpkeepNow, 0, 0) != FALSE;
}

LRESULT CTabWndHandler::OnTimer(WPARAM id, LPARAM proc)
{
    if (id == kFollowTimer)
        Follow();
    else if (!m_ruleGroup || !m_ruleGroup->OnTimer(id))
        Upkeep();
    return CWndHandler::OnTimer(id, proc);
}

// Reads each window's title once and writes only what changed; the strip itself is not read.
void CTabWndHandler::Upkeep()
{
    std::vector<HWND> closed;
    RefreshTitles(closed);
    if (!closed.empty()) {
        const HWND selectedBefore = m_group.Window(m_group.Selection());
        const bool closedHere = selectedBefore && selectedBefore == m_closing;
        auto exists = [&](HWND w) { return std::find(closed.begin(), closed.end(), w) == closed.end(); };
        m_group.DropClosed(exists);
        ShowDroppedTabs(selectedBefore, closedHere);
    }
    if (m_group.Count() <= 0)
        PostMessage(WM_CLOSE, 0, 0);
    PlaceFrame();
    WatchHiddenByApp();
}

void CTabWndHandler::RefreshTitles(std::vector<HWND>& closed)
{
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
}

LRESULT CTabWndHandler::OnSize(WPARAM type, UINT width, UINT height)
{
    ::MoveWindow(m_hwndTab.GetHandle(), 0, 0, width, height, TRUE);
    SyncTabTips(m_hwndTab, m_tipsByFrame);
    return CWndHandler::OnSize(type, width, height);
}

LRESULT CTabWndHandler::OnDestroy()
{
    PublishCycleTarget(m_hWnd, NULL);
    ::RemoveWindowSubclass(m_hwndTab.GetHandle(), StripProc, 0);
    if (m_eventHook) {
        ::UnhookWinEvent(m_eventHook);
        g_eventFrames.erase(m_eventHook);
    }
    m_ruleGroup.reset();
    m_icons.Release();
    for (int i = 0; i < m_group.Count(); ++i) {
        CWndProxy window = GetTabWindow(i);
        UnmarkGrouped(window.GetHandle());
        window.ShowWindowAsync(SW_SHOW);
    }
    return CWndHandler::OnDestroy();
}

