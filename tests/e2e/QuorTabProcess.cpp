#include "QuorTabProcess.h"
#include "BoxCatcher.h"
#include "Canvas.h"
#include "FrameGeometry.h"
#include "Input.h"
#include "PickerDriver.h"
#include "Pump.h"
#include "QuorTabNames.h"
#include "resource.h"
#include <commctrl.h>

const char kFixtureWindow[] = "title=Fixture Window;x=200;y=150;w=500;h=300";

namespace {
using quortab::kTextChars;
const size_t kTextOffset = 256;
const size_t kRemoteSize = kTextOffset + kTextChars;
}  // namespace

bool Eventually(const std::function<bool()>& done, DWORD timeoutMs)
{
    return PumpUntil(done, timeoutMs);
}

CQuorTab::CQuorTab(const std::string& arguments, DWORD idleWaitMs)
    : CQuorTabProgram(idleWaitMs, "QuorTab.exe", arguments), m_remote(NULL), m_job(NULL)
{
    if (Started())
        m_remote = static_cast<char*>(::VirtualAllocEx(Handle(), NULL, kRemoteSize, MEM_COMMIT | MEM_RESERVE,
                                                       PAGE_READWRITE));
}

CQuorTab::~CQuorTab()
{
    if (m_job)
        ::CloseHandle(m_job);
}

bool CQuorTab::HoldInJobWithItsGuardian()
{
    HANDLE guardian = WaitForGuardian();
    m_job = ::CreateJobObjectA(NULL, NULL);
    const bool held = guardian && m_job && ::AssignProcessToJobObject(m_job, Handle()) &&
                      ::AssignProcessToJobObject(m_job, guardian);
    if (guardian)
        ::CloseHandle(guardian);
    return held;
}

bool CQuorTab::KillWithItsGuardian()
{
    return m_job && ::TerminateJobObject(m_job, 1);
}

HWND CQuorTab::Menu() const
{
    return FindVisibleWindow(kMenuClass, NULL);
}

HWND CQuorTab::WaitForMenu(DWORD timeoutMs) const
{
    HWND menu = NULL;
    PumpUntil([&] { return (menu = Menu()) != NULL; }, timeoutMs);
    return menu;
}

bool CQuorTab::ReadRemote(const void* address, void* data, size_t size) const
{
    SIZE_T done = 0;
    return m_remote && ::ReadProcessMemory(Handle(), address, data, size, &done) && done == size;
}

bool CQuorTab::WriteRemote(void* address, const void* data, size_t size) const
{
    SIZE_T done = 0;
    return m_remote && ::WriteProcessMemory(Handle(), address, data, size, &done) && done == size;
}

LRESULT CQuorTab::SendToTab(UINT message, WPARAM wParam, bool withBuffer) const
{
    HWND tab = TabControl();
    if (!tab)
        return -1;
    return SendWithin(tab, message, wParam, withBuffer ? reinterpret_cast<LPARAM>(m_remote) : 0);
}

int CQuorTab::TabCount() const { return static_cast<int>(SendToTab(TCM_GETITEMCOUNT, 0, false)); }
int CQuorTab::Selection() const { return static_cast<int>(SendToTab(TCM_GETCURSEL, 0, false)); }

HWND CQuorTab::TabWindow(int index) const
{
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (!WriteRemote(m_remote, &item, sizeof item) || SendToTab(TCM_GETITEMA, index, true) <= 0 ||
        !ReadRemote(m_remote, &item, sizeof item))
        return NULL;
    return reinterpret_cast<HWND>(item.lParam);
}

std::string CQuorTab::TabTitle(int index) const
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = m_remote + kTextOffset;
    item.cchTextMax = kTextChars;
    char text[kTextChars + 1] = "";
    if (!WriteRemote(m_remote, &item, sizeof item) || !WriteRemote(item.pszText, text, 1) ||
        SendToTab(TCM_GETITEMA, index, true) <= 0 || !ReadRemote(m_remote, &item, sizeof item))
        return "<no tab " + std::to_string(index) + ">";
    // The control may answer with a pointer to its own copy instead of filling our buffer.
    ReadRemote(item.pszText, text, kTextChars);
    text[kTextChars] = '\0';
    return text;
}

std::vector<std::string> CQuorTab::TabTitles() const
{
    std::vector<std::string> titles;
    for (int i = 0, count = TabCount(); i < count; ++i)
        titles.push_back(TabTitle(i));
    return titles;
}

RECT CQuorTab::TabOnScreen(int index) const
{
    RECT rect = {};
    if (!WriteRemote(m_remote, &rect, sizeof rect) || SendToTab(TCM_GETITEMRECT, index, true) <= 0 ||
        !ReadRemote(m_remote, &rect, sizeof rect))
        return RECT{};
    ::MapWindowPoints(TabControl(), NULL, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

static HWND PickerList(HWND picker)
{
    return ::GetDlgItem(picker, IDC_WINDOW_LIST);
}

int PickerSelection(HWND picker)
{
    return static_cast<int>(SendWithin(PickerList(picker), LB_GETCURSEL, 0, 0));
}

RECT PickerItemOnScreen(HWND picker, int index)
{
    HWND list = PickerList(picker);
    RECT rect = {};
    SendWithin(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    ::MapWindowPoints(list, NULL, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT DialogButtonCentre(HWND dialog, int id)
{
    return Centre(WindowRect(::GetDlgItem(dialog, id)));
}

bool PickerItemPoint(HWND picker, HWND window, POINT* at)
{
    std::vector<HWND> listed = PickerWindows(picker);
    for (size_t i = 0; i < listed.size(); ++i) {
        if (listed[i] == window) {
            *at = Centre(PickerItemOnScreen(picker, static_cast<int>(i)));
            return true;
        }
    }
    return false;
}

bool PickWithMouse(HWND picker, HWND window)
{
    POINT item;
    if (!PickerItemPoint(picker, window, &item))
        return false;
    Click(item);
    // The list must show the choice before OK is pressed, as a person would wait to see it, and
    // must have let go of the mouse: it selects on the press and holds the capture until the
    // release, so an early press on OK would go to the list.
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    const DWORD threadId = ::GetWindowThreadProcessId(picker, NULL);
    if (!Eventually([&] {
            const int sel = PickerSelection(picker);
            const std::vector<HWND> windows = PickerWindows(picker);
            return sel >= 0 && sel < static_cast<int>(windows.size()) && windows[sel] == window &&
                   ::GetGUIThreadInfo(threadId, &thread) && thread.hwndCapture == NULL;
        }))
        return false;
    Click(DialogButtonCentre(picker, IDOK));
    return true;
}

POINT CQuorTab::TabPoint(int index) const
{
    return Centre(TabOnScreen(index));
}

POINT CQuorTab::BesideTabs() const
{
    RECT last = TabOnScreen(TabCount() - 1);
    RECT strip = WindowRect(TabControl());
    return POINT{(last.right + strip.right) / 2, (last.top + last.bottom) / 2};
}

namespace {
std::string Where(POINT at)
{
    return "(" + std::to_string(at.x) + "," + std::to_string(at.y) + ")";
}

std::string Name(HWND window)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return ClassName(window) + " '" + WindowTitle(window) + "' of process " + std::to_string(pid);
}

// What a person would see at a point: which window of which program, and what lies on top.
std::string WhatIsAt(POINT at)
{
    std::string text = Name(::WindowFromPoint(at)) + "; in front: " + Name(::GetForegroundWindow()) + "; from the top:";
    int shown = 0;
    for (HWND w = ::GetTopWindow(NULL); w && shown < 6; w = ::GetWindow(w, GW_HWNDNEXT))
        if (::IsWindowVisible(w)) {
            text += " " + Name(w) + ";";
            ++shown;
        }
    return text;
}
}  // namespace

std::string CQuorTab::Describe() const
{
    std::string text = "QuorTab (process " + std::to_string(Id()) + ") ";
    if (::WaitForSingleObject(Handle(), 0) == WAIT_OBJECT_0)
        return text + "has ended with exit code " + std::to_string(static_cast<long>(ExitCode()));
    text += "has these windows:";
    for (HWND window : TopLevelWindows()) {
        const std::string cls = ClassName(window);
        text += " " + cls + " '" + WindowTitle(window) + (::IsWindowVisible(window) ? "' visible" : "' hidden");
        // A message box says what went wrong in its static text.
        if (cls == kDialogClass)
            for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                if (!WindowTitle(child).empty())
                    text += " [" + WindowTitle(child) + "]";
        text += ";";
    }
    return text;
}

int MenuItemTextPixels(HWND menu, ContextMenuItem item)
{
    const RECT client = ClientRectOnScreen(menu);
    const int band = (client.bottom - client.top) / kMenuItems;
    // The middle of the item's line, clear of the menu's border and margins.
    CCanvas line(client.right - client.left, band / 2);
    line.CopyScreen(client.left, client.top + band * item + band / 4);
    return line.Count(::GetSysColor(COLOR_MENUTEXT));
}

std::string CQuorTab::MessageBoxes() const
{
    std::string boxes;
    for (HWND window : TopLevelWindows()) {
        if (!IsMessageBox(window) || !::IsWindowVisible(window))
            continue;
        boxes += "'" + WindowTitle(window) + "':";
        for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (!WindowTitle(child).empty())
                boxes += " [" + WindowTitle(child) + "]";
        boxes += "; ";
    }
    return boxes;
}

std::string CQuorTab::AnswerMessageBox() const
{
    std::string said;
    if (!Eventually([&] { return !(said = MessageBoxes()).empty(); }))
        return said;
    for (HWND window : TopLevelWindows())
        if (IsMessageBox(window) && ::IsWindowVisible(window))
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    return said;
}

::testing::AssertionResult CQuorTab::StartWith(HWND first)
{
    HWND picker = WaitForPicker();
    if (!picker)
        return ::testing::AssertionFailure() << "no picker at start: " << Describe();
    if (!PickWithMouse(picker, first))
        return ::testing::AssertionFailure() << "'" << WindowTitle(first) << "' could not be picked";
    if (!WaitForFrame())
        return ::testing::AssertionFailure() << "no strip after the pick: " << Describe();
    return StripSettlesUnder(Frame(), first);
}

::testing::AssertionResult CQuorTab::Reachable(POINT at) const
{
    if (Eventually([&] { return ::WindowFromPoint(at) == TabControl(); }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the strip is not under the mouse at " << Where(at) << " but "
                                         << WhatIsAt(at);
}

::testing::AssertionResult CQuorTab::ClickTab(int index)
{
    const POINT at = TabPoint(index);
    ::testing::AssertionResult reachable = Reachable(at);
    if (reachable)
        Click(at);
    return reachable;
}

::testing::AssertionResult CQuorTab::ClickBesideTabs()
{
    const POINT at = BesideTabs();
    ::testing::AssertionResult reachable = Reachable(at);
    if (reachable)
        Click(at);
    return reachable;
}

::testing::AssertionResult CQuorTab::ChooseFromMenu(POINT at, ContextMenuItem item)
{
    ::testing::AssertionResult reachable = Reachable(at);
    if (!reachable)
        return reachable;
    RightClick(at);
    HWND menu = WaitForMenu();
    if (!menu)
        return ::testing::AssertionFailure() << "no menu after a right-click at " << Where(at) << " on "
                                             << WhatIsAt(at) << "; " << Describe();
    // The item is chosen with the keyboard, as the menu underlines: while a menu is open it
    // holds the X pointer grab, so Wine cannot move the X pointer along with the injected
    // cursor and puts the cursor back where the X pointer stayed within 100 ms, which can
    // turn a click on an item into a click beside it.
    switch (item) {
    case kMenuAbout:
        // It has no underlined letter: Home goes to the first item whatever the mouse points
        // at, and Enter follows at once, before any move of the mouse can take the choice away.
        TypeKeys({VK_HOME, VK_RETURN});
        break;
    case kMenuAddWindow: PressKeys({'A'}); break;
    case kMenuRemoveWindow: PressKeys({'R'}); break;
    case kMenuCloseWindow:
    case kMenuCopyCommandLine:
        // The two share their letter, which under Wine chooses the first of them at once: these
        // are counted from the top instead, a key at a time, once the menu has settled under
        // the mouse.
        PumpFor(300);
        PressKeys({VK_HOME});
        for (int down = 0; down < item; ++down) {
            PumpFor(100);
            PressKeys({VK_DOWN});
        }
        PumpFor(100);
        PressKeys({VK_RETURN});
        break;
    case kMenuExit: PressKeys({'E'}); break;
    default: break;
    }
    if (!Eventually([&] { return Menu() == NULL; }))
        return ::testing::AssertionFailure() << "the menu stays open after choosing item " << item;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CQuorTab::Add(HWND window)
{
    const int before = TabCount();
    ::testing::AssertionResult chosen = ChooseFromMenu(TabPoint(Selection()), kMenuAddWindow);
    if (!chosen)
        return chosen;
    HWND picker = WaitForPicker();
    if (!picker)
        return ::testing::AssertionFailure() << "no picker after Add Window: " << Describe();
    if (!PickWithMouse(picker, window))
        return ::testing::AssertionFailure() << "'" << WindowTitle(window) << "' could not be picked";
    // The tab comes first and the window disappears right after it.
    if (!Eventually([&] { return TabCount() == before + 1 && !::IsWindowVisible(window); }))
        return ::testing::AssertionFailure() << "after adding '" << WindowTitle(window) << "' there are "
                                             << TabCount() << " tabs and the window is "
                                             << (::IsWindowVisible(window) ? "visible" : "hidden") << "; "
                                             << Describe();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult StripSettlesUnder(HWND frame, HWND window)
{
    // Settled means it still stands there after the next upkeep: an activation that is still on
    // its way (the picker closing, a window of another program going) may put the strip in
    // front for a moment, and the upkeep puts it back.
    ::testing::AssertionResult last = ::testing::AssertionFailure();
    Eventually([&] {
        if (!(last = FrameIsPlacedBelow(frame, window)))
            return false;
        PumpFor(quortab::kUpkeepMs + 50);
        return static_cast<bool>(last = FrameIsPlacedBelow(frame, window));
    });
    return last;
}

::testing::AssertionResult CQuorTab::Group(const std::vector<HWND>& windows)
{
    if (windows.empty())
        return ::testing::AssertionFailure() << "no window to group";
    ::testing::AssertionResult grouped = StartWith(windows[0]);
    for (size_t i = 1; grouped && i < windows.size(); ++i)
        grouped = Add(windows[i]);
    return grouped;
}
