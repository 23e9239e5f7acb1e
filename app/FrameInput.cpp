// The user's control of the frame beyond clicking tabs: keys, the wheel, the context menu.
#include "TabWnd.h"
#include "AboutDlg.h"
#include "Clipboard.h"
#include "GroupMark.h"
#include "MenuHandle.h"
#include "StripTips.h"
#include "resource.h"

using namespace quortab;

namespace {

bool KeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }
}  // namespace

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
    int tab = -1;
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: the menu opens at the selected tab, which it then acts on.
        tab = m_group.Selection();
        RECT item = {};
        m_hwndTab.GetItemRect(tab, &item);
        at = {item.left, item.bottom};
        ::ClientToScreen(m_hwndTab.GetHandle(), &at);
    } else if (window == m_hwndTab.GetHandle()) {
        TCHITTESTINFO hit = {};
        hit.pt = at;
        ::ScreenToClient(m_hwndTab.GetHandle(), &hit.pt);
        tab = m_hwndTab.HitTest(&hit);
    }
    m_contextWindow = m_group.Window(tab);
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
    case IDM_CLOSE_WINDOW:
        CloseContextTab();
        break;
    case IDM_COPY_COMMAND_LINE:
        CopyCommandLine();
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

// The tab under the mouse when the menu opened, wherever it stands now: the upkeep may have
// dropped other tabs while the menu was open.
void CTabWndHandler::RemoveContextTab()
{
    GiveBack(m_contextWindow);
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

void CTabWndHandler::SelectWindow(HWND window)
{
    const int index = m_group.Find(window);
    if (index >= 0)
        SelectTab(index);
}

// The keys came while the user worked in the group's window: the newly selected one gets the
// keyboard, so that the next press works too.
void CTabWndHandler::OnCycleKey(int step)
{
    SelectBy(step > 0 ? +1 : -1);
    SetForegroundWindow();
    CWndProxy(m_group.Window(m_group.Selection())).SetForegroundWindow();
}

void CTabWndHandler::CopyCommandLine()
{
    SetClipboardText(m_hWnd, CommandLineOf(m_group, m_ruleGroup && m_ruleGroup->Follows()));
}

void CTabWndHandler::ShowAbout()
{
    CAboutDlg about(reinterpret_cast<HICON>(GetClassLong(GCLP_HICON)));
    about.DoModal(m_hWnd, g_hInstance);
}
