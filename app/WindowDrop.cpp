#include "WindowDrop.h"
#include "Dpi.h"
#include "QuorTabNames.h"
#include "WndEnum.h"
#include <commctrl.h>
#include <algorithm>
#include <map>

namespace {

std::map<HWINEVENTHOOK, CWindowDrop*> g_watches;

void CALLBACK ReportDragEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object != OBJID_WINDOW || child != CHILDID_SELF || !window)
        return;
    const auto found = g_watches.find(hook);
    if (found == g_watches.end())
        return;
    switch (event) {
    case EVENT_SYSTEM_CAPTURESTART: found->second->OnEvent(DragEvent::CaptureStart, window); break;
    case EVENT_SYSTEM_CAPTUREEND: found->second->OnEvent(DragEvent::CaptureEnd, window); break;
    case EVENT_SYSTEM_MOVESIZESTART: found->second->OnEvent(DragEvent::MoveSizeStart, window); break;
    case EVENT_SYSTEM_MOVESIZEEND: found->second->OnEvent(DragEvent::MoveSizeEnd, window); break;
    }
}

// What the picker would offer, and a top-level window: a capture is often a button's.
bool MayJoin(HWND window)
{
    return ::GetAncestor(window, GA_ROOT) == window && IsEligibleWindow(window);
}

bool PrimaryButtonDown()
{
    const int button = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (::GetAsyncKeyState(button) & 0x8000) != 0;
}

HWND MakeMark(HWND frame)
{
    static ATOM markClass;
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(frame, GWLP_HINSTANCE));
    if (!markClass) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = instance;
        windowClass.hbrBackground = ::GetSysColorBrush(COLOR_HIGHLIGHT);
        windowClass.lpszClassName = quortab::kDropMarkClass;
        markClass = ::RegisterClassA(&windowClass);
    }
    // Owned by the frame, so that it stays in front of the strip it marks.
    return ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, quortab::kDropMarkClass, "", WS_POPUP, 0, 0, 0, 0,
                             frame, NULL, instance, NULL);
}

// The z-order as one listing: a walk window by window races other strips that raise themselves
// meanwhile, and could pass over one that moved above the point it has reached.
struct ZWalk {
    HWND frame;
    HWND mark;
    std::vector<ZWindow> found;
};

BOOL CALLBACK CollectUntil(HWND window, LPARAM lParam)
{
    ZWalk& walk = *reinterpret_cast<ZWalk*>(lParam);
    ZWindow z = {window, {}};
    if (window != walk.mark && ::IsWindowVisible(window) && ::GetWindowRect(window, &z.rect))
        walk.found.push_back(z);
    return window != walk.frame;
}

}  // namespace

CWindowDrop::CWindowDrop(CDropTarget& target)
    : m_target(target), m_hook(NULL), m_mark(NULL), m_index(-1), m_lastAt()
{
}

CWindowDrop::~CWindowDrop()
{
    if (m_hook) {
        ::UnhookWinEvent(m_hook);
        g_watches.erase(m_hook);
    }
    if (m_mark)
        ::DestroyWindow(m_mark);
}

void CWindowDrop::Start()
{
    m_hook = ::SetWinEventHook(EVENT_SYSTEM_CAPTURESTART, EVENT_SYSTEM_MOVESIZEEND, NULL, ReportDragEvent, 0, 0,
                               WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (m_hook)
        g_watches[m_hook] = this;
}

void CWindowDrop::OnEvent(DragEvent event, HWND window)
{
    // Events may still come in while the frame goes.
    if (!::IsWindow(m_target.StripFrame()))
        return;
    switch (m_drag.On(event, window, MayJoin)) {
    case CWindowDrag::Step::Began:
    case CWindowDrag::Step::Moved:
        Track(window);
        break;
    case CWindowDrag::Step::Ended:
        Drop(window);
        break;
    case CWindowDrag::Step::Nothing:
        break;
    }
}

void CWindowDrop::Track(HWND dragged)
{
    POINT at = {};
    ::GetCursorPos(&at);
    m_lastAt = at;
    bool behind = false;
    if (!OverStrip(dragged, at, &behind))
        return Leave();
    m_target.KeepStripInFront(true);
    // Each step of the system's move brings the dragged window to the top again.
    if (behind)
        ::SetWindowPos(m_target.StripFrame(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::vector<RECT> tabs = TabRects();
    ::ScreenToClient(m_target.StripTabs(), &at);
    m_index = DropIndex(tabs, at);
    ShowMark(tabs);
}

// Let go with the button up: on the strip it joins. Esc ends the drag with the button still down.
// The event comes after the release, when the hand may have moved on: the window was let go
// where its last move took it.
void CWindowDrop::Drop(HWND dragged)
{
    const bool joins = m_index >= 0 && !PrimaryButtonDown() && OverStrip(dragged, m_lastAt);
    const int index = m_index;
    Leave();
    if (joins)
        m_target.JoinDropped(dragged, index);
}

void CWindowDrop::Leave()
{
    if (m_index < 0)
        return;
    m_index = -1;
    if (m_mark)
        ::ShowWindow(m_mark, SW_HIDE);
    m_target.KeepStripInFront(false);
}

// Only the strip on top at the cursor counts, and only where nothing but the dragged window covers
// it: another strip above this one, or any window in between, takes the drop from it.
bool CWindowDrop::OverStrip(HWND dragged, POINT at, bool* behindDragged) const
{
    const HWND frame = m_target.StripFrame();
    RECT strip = {};
    if (!::IsWindowVisible(frame) || !::GetWindowRect(frame, &strip) || !::PtInRect(&strip, at))
        return false;
    ZWalk walk = {frame, m_mark, {}};
    ::EnumWindows(CollectUntil, reinterpret_cast<LPARAM>(&walk));
    const std::vector<ZWindow>& topDown = walk.found;
    if (behindDragged)
        *behindDragged = std::any_of(topDown.begin(), topDown.end(),
                                     [&](const ZWindow& z) { return z.window == dragged; });
    return WindowUnderDrag(topDown, at, dragged) == frame;
}

std::vector<RECT> CWindowDrop::TabRects() const
{
    const HWND tabs = m_target.StripTabs();
    std::vector<RECT> rects(static_cast<size_t>(TabCtrl_GetItemCount(tabs)));
    for (size_t i = 0; i < rects.size(); ++i)
        TabCtrl_GetItemRect(tabs, static_cast<int>(i), &rects[i]);
    return rects;
}

void CWindowDrop::ShowMark(const std::vector<RECT>& tabs)
{
    if (!m_mark)
        m_mark = MakeMark(m_target.StripFrame());
    if (!m_mark || tabs.empty())
        return;
    const HWND control = m_target.StripTabs();
    const int width = std::max(3, static_cast<int>(GetWindowDpi(control) / 32));
    POINT corner = {DropMarkLeft(tabs, m_index, width), tabs.front().top};
    ::ClientToScreen(control, &corner);
    const int height = tabs.front().bottom - tabs.front().top;
    ::SetWindowPos(m_mark, HWND_TOP, corner.x, corner.y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
