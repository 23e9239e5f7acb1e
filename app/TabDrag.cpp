// The strip's own input, seen before the tab control's. Tabs that drag: a press selects the tab
// pressed; moving with the button down drags the tab, to another place in the strip or off it,
// which lets its window go. A middle click lets a tab's window go where it stands.
#include "TabWnd.h"
#include <windowsx.h>

namespace {
int HitTab(const CTabCtrlProxy& tabs, POINT at)
{
    TCHITTESTINFO hit = {};
    hit.pt = at;
    return tabs.HitTest(&hit);
}
}  // namespace

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

void CTabWndHandler::OnStripMouse(UINT message, POINT at)
{
    if (message == WM_LBUTTONDOWN) {
        m_pressed = m_group.Window(HitTab(m_hwndTab, at));
        m_pressedAt = at;
        m_dragging = false;
        SelectWindow(m_pressed);
        if (m_pressed)
            ::SetCapture(m_hwndTab.GetHandle());
    } else if (message == WM_MOUSEMOVE && m_pressed && !m_dragging) {
        m_dragging = std::abs(at.x - m_pressedAt.x) > ::GetSystemMetrics(SM_CXDRAG) ||
                     std::abs(at.y - m_pressedAt.y) > ::GetSystemMetrics(SM_CYDRAG);
    } else if (message == WM_LBUTTONUP && m_pressed) {
        const HWND window = m_pressed;
        const bool dropped = m_dragging;
        m_pressed = NULL;
        ::ReleaseCapture();
        ::ClientToScreen(m_hwndTab.GetHandle(), &at);
        if (dropped)
            DropTab(window, at);
        CWndProxy(m_group.Window(m_group.Selection())).SetForegroundWindow();
    } else if (message == WM_CAPTURECHANGED) {
        m_pressed = NULL;
    } else if (message == WM_MBUTTONUP) {
        GiveBack(m_group.Window(HitTab(m_hwndTab, at)));
    }
}

void CTabWndHandler::DropTab(HWND window, POINT cursor)
{
    RECT strip = {};
    ::GetWindowRect(m_hWnd, &strip);
    const TabDrop drop = DropOfTab(strip, cursor);
    if (drop == TabDrop::Reorder) {
        // Anywhere along the strip counts as the tab row; past the last tab is last.
        RECT row = {};
        m_hwndTab.GetItemRect(0, &row);
        POINT at = cursor;
        ::ScreenToClient(m_hwndTab.GetHandle(), &at);
        const int under = HitTab(m_hwndTab, {at.x, (row.top + row.bottom) / 2});
        m_group.Move(m_group.Find(window), under >= 0 ? under : m_group.Count() - 1);
    } else if (drop == TabDrop::GiveBack) {
        RECT place = {};
        ::GetWindowRect(window, &place);
        const RECT work = WorkAreaOf({cursor.x, cursor.y, cursor.x + 1, cursor.y + 1});
        const RECT at = DropPlace(place, cursor, work);
        GiveBack(window, &at);
    }
}
