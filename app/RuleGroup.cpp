// The group the command line's rules gather, at start and, when it follows them, later on.
#include "RuleGroup.h"
#include "CommandLine.h"
#include "GroupMark.h"
#include "Guardian.h"
#include "QuorTabNames.h"
#include "Utf8.h"
#include "WndEnum.h"
#include <algorithm>
#include <map>

using namespace quortab;

namespace {

// Titles the walk reads again a walk, of windows seen before. Under Wine, which reports no retitle
// across processes, these reads are most of what following costs at idle, each a wineserver
// request; where the system reports retitles they are only the net.
const size_t kTitlesPerWalk = 10;

// The rule group each window-event hook reports to.
std::map<HWINEVENTHOOK, CRuleGroup*> g_ruleHooks;

std::wstring TitleOf(HWND window)
{
    wchar_t title[kTextChars] = L"";
    ::GetWindowTextW(window, title, kTextChars);
    return title;
}

std::string ClassOf(HWND window)
{
    wchar_t name[256] = L"";
    ::GetClassNameW(window, name, 256);
    return Utf8FromWide(name);
}

std::string OwnPath()
{
    wchar_t path[MAX_PATH * 4] = L"";
    ::GetModuleFileNameW(NULL, path, MAX_PATH * 4);
    return Utf8FromWide(path);
}

void ShowBox(const std::string& text, UINT icon)
{
    ::MessageBoxW(NULL, WideFromUtf8(text).c_str(), WideFromUtf8(kFrameTitle).c_str(), MB_OK | icon);
}

}  // namespace

bool ReadCommandLine(const std::string& arguments, std::unique_ptr<CRuleGroup>& rules, int& exitCode)
{
    const CCommandLine line = ParseCommandLine(arguments);
    switch (line.kind) {
    case CCommandLine::Help:
        ShowBox(UsageText(), MB_ICONINFORMATION);
        exitCode = kHelpExitCode;
        return false;
    case CCommandLine::Error:
        ShowBox(ErrorText(line), MB_ICONERROR);
        exitCode = kUsageExitCode;
        return false;
    case CCommandLine::Rules:
        rules.reset(new CRuleGroup(line.rules, line.follow));
        return true;
    case CCommandLine::Guard:
        // A guardian's whole life; refused like any wrong line when the value is no group's handle.
        exitCode = RunGuardian(line.guarded) ? 0 : kUsageExitCode;
        if (exitCode)
            ShowBox(ErrorText(GuardRefused()), MB_ICONERROR);
        return false;
    case CCommandLine::NoArguments:
        break;
    }
    rules.reset();
    return true;
}

void WaitUntilShown(const std::vector<HWND>& windows, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    auto shown = [](HWND window) { return !::IsWindow(window) || ::IsWindowVisible(window); };
    while (!std::all_of(windows.begin(), windows.end(), shown) && ::GetTickCount() - start < timeoutMs) {
        // Their applications show them in their own time; a short nap between looks.
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
}

CRuleGroup::CRuleGroup(const CRuleSet& rules, bool follow)
    : m_group(nullptr), m_rules(rules), m_follow(follow), m_begun(false), m_walks(0) {}

CRuleGroup::~CRuleGroup()
{
    for (HWINEVENTHOOK hook : m_hooks) {
        ::UnhookWinEvent(hook);
        g_ruleHooks.erase(hook);
    }
}

bool CRuleGroup::Start(const CWndProxy& frame, const CTabGroup& group, std::function<void(HWND)> take)
{
    m_frame = frame;
    m_group = &group;
    m_take = std::move(take);
    LookAtEveryWindow();
    if (m_follow) {
        WatchForWindows();
        return true;
    }
    if (m_group->Count() > 0)
        return true;
    ShowBox(NothingMatchedText(m_rules.Rules()), MB_ICONWARNING);
    return false;
}

void CRuleGroup::WatchForWindows()
{
    // Made, shown and retitled windows of other processes; each event is filtered cheaply here
    // and looked at from the frame's queue.
    const DWORD flags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    for (DWORD last : {EVENT_OBJECT_SHOW, EVENT_OBJECT_NAMECHANGE}) {
        const DWORD first = last == EVENT_OBJECT_SHOW ? EVENT_OBJECT_CREATE : last;
        HWINEVENTHOOK hook = ::SetWinEventHook(first, last, NULL, OnWinEvent, 0, 0, flags);
        if (hook) {
            m_hooks.push_back(hook);
            g_ruleHooks[hook] = this;
        }
    }
    m_frame.SetTimer(kRuleWalkTimer, kRuleWalkMs);
}

void CALLBACK CRuleGroup::OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                     DWORD)
{
    if (object != OBJID_WINDOW || child != CHILDID_SELF || !window || event == EVENT_OBJECT_DESTROY)
        return;
    auto found = g_ruleHooks.find(hook);
    if (found == g_ruleHooks.end() || ::GetAncestor(window, GA_PARENT) != ::GetDesktopWindow())
        return;
    found->second->m_frame.PostMessage(kRuleWindowEvent, event, reinterpret_cast<LPARAM>(window));
}

void CRuleGroup::OnMessage(UINT message, WPARAM event, LPARAM window)
{
    if (message != kRuleWindowEvent)
        return;
    const HWND handle = reinterpret_cast<HWND>(window);
    if (event == EVENT_OBJECT_CREATE) {
        m_known.erase(handle);
        // Not yet shown nor titled, as a rule: looked at again shortly.
        if (m_fresh.empty())
            m_frame.SetTimer(kLookAgainTimer, kLookAgainMs);
        m_fresh.push_back({handle, ::GetTickCount()});
    }
    Consider(handle);
}

bool CRuleGroup::OnTimer(UINT_PTR id)
{
    if (id == kRuleWalkTimer)
        LookAtEveryWindow();
    else if (id == kLookAgainTimer)
        LookAtFreshWindows();
    else
        return false;
    return true;
}

void CRuleGroup::LookAtEveryWindow()
{
    m_programs.DropEnded();
    ++m_walks;
    const std::vector<HWND> windows = ListTopLevelWindows();
    std::vector<WalkEntry> entries;
    for (HWND window : windows)
        entries.push_back(EntryOf(window));
    const std::vector<bool> look = WindowsToLookAt(entries, kTitlesPerWalk);
    // What is known of the windows the walk no longer sees goes with them.
    std::map<HWND, Known> seen;
    for (size_t i = 0; i < windows.size(); ++i) {
        if (look[i])
            Consider(windows[i]);
        auto known = m_known.find(windows[i]);
        if (known != m_known.end())
            seen.insert(m_known.extract(known));
    }
    m_known.swap(seen);
}

WalkEntry CRuleGroup::EntryOf(HWND window) const
{
    auto found = m_known.find(window);
    if (found == m_known.end())
        return {WalkStanding::Unseen, 0};
    const Known& known = found->second;
    if (known.never || (!known.byProgramOrClass && !m_rules.Has(RuleKind::Title)))
        return {WalkStanding::Settled, known.readAt};
    if (!known.byProgramOrClass && known.titleRead && !known.titleMatches)
        return {WalkStanding::AwaitsTitle, known.readAt};
    return {WalkStanding::Open, known.readAt};
}

void CRuleGroup::LookAtFreshWindows()
{
    const DWORD now = ::GetTickCount();
    auto due = [&](const Fresh& fresh) { return now - fresh.madeAt >= kLookAgainMs; };
    for (const Fresh& fresh : m_fresh)
        if (due(fresh))
            Consider(fresh.window);
    m_fresh.erase(std::remove_if(m_fresh.begin(), m_fresh.end(), due), m_fresh.end());
    if (m_fresh.empty())
        ::KillTimer(m_frame.GetHandle(), kLookAgainTimer);
}

void CRuleGroup::Consider(HWND window)
{
    if (m_begun && m_group->Count() == 0)
        return;
    // A window the user took out stays out.
    if (m_group->Find(window) >= 0 || m_group->WasTakenOut(window) || !Matches(window))
        return;
    if (!ClaimGrouped(window))
        return;
    m_take(window);
    m_begun = m_begun || m_group->Count() > 0;
}

// Cheapest first: every question to another process's window costs a trip to the system, and the
// once-a-second walk asks them of every window on the desktop.
bool CRuleGroup::Matches(HWND window)
{
    Known& known = KnownOf(window);
    if (known.never)
        return false;
    return (known.byProgramOrClass || TitleMatches(window, known)) && IsEligibleWindow(window);
}

// Titles rarely change: the rules look at one again only when it has.
bool CRuleGroup::TitleMatches(HWND window, Known& known)
{
    if (!m_rules.Has(RuleKind::Title))
        return false;
    const std::wstring title = TitleOf(window);
    known.readAt = m_walks;
    if (known.titleRead && known.title == title)
        return known.titleMatches;
    known.titleRead = true;
    known.title = title;
    known.titleMatches = m_rules.Matches(RuleKind::Title, Utf8FromWide(title));
    return known.titleMatches;
}

CRuleGroup::Known& CRuleGroup::KnownOf(HWND window)
{
    auto found = m_known.find(window);
    if (found != m_known.end())
        return found->second;
    Known known{};
    DWORD process = 0;
    // Our own message boxes are no one's to group; nor is a window already gone.
    // Only what a rule asks for is read: a process opened here is also looked at every walk.
    if (::GetWindowThreadProcessId(window, &process) && process != ::GetCurrentProcessId())
        known.byProgramOrClass =
            (m_rules.Has(RuleKind::Process) && m_rules.Matches(RuleKind::Process, m_programs.OfProcess(process)))
            || (m_rules.Has(RuleKind::Class) && m_rules.Matches(RuleKind::Class, ClassOf(window)));
    else
        known.never = true;
    return m_known[window] = known;
}

std::string CommandLineOf(const CTabGroup& group, bool follow)
{
    CProgramNames programs;
    std::vector<TabProgram> tabs;
    for (int i = 0; i < group.Count(); ++i) {
        const HWND window = group.Window(i);
        if (::IsWindow(window))
            tabs.push_back({programs.OfWindow(window), Utf8FromWide(TitleOf(window))});
    }
    return RebuildCommandLine(OwnPath(), tabs, follow);
}
