#include "TabWnd.h"
#include <commctrl.h>
#include "AboutDlg.h"
#include "AddWindowDlg.h"
#include "MenuHandle.h"
#include "resource.h"
#ifdef QUORTAB_BENCH
#include "BenchProbe.h"
#endif

HINSTANCE g_hInstance = NULL;
ATOM g_tabWndClass = 0;
int g_prevSelection = -1;
char g_tipText[1024];

namespace {
const char kClassName[] = "QuorQuorTab";
const char kFrameTitle[] = "Quor Tab";
const DWORD kFrameStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
const DWORD kFrameExStyle = WS_EX_TOOLWINDOW;
const DWORD kTabStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_TOOLTIPS | TCS_FIXEDWIDTH
                      | TCS_HOTTRACK | TCS_BOTTOM;
const int kTabWidth = 100;
const UINT_PTR kUpkeepTimer = 0;
const UINT kUpkeepMs = 250;
// The frame's client area is this much less tall than the tab row with its borders.
const int kRowTrim = 5;
const int kTitleChars = 1024;

int CurSel(HWND tab) { return static_cast<int>(::SendMessageA(tab, TCM_GETCURSEL, 0, 0)); }
int ItemCount(HWND tab) { return static_cast<int>(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)); }

bool KeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

// Announces a selection change to the frame exactly as a click does: the tab control passes
// both notifications on to its parent.
void SelectTab(HWND tabControl, int step)
{
    int count = ItemCount(tabControl);
    if (count <= 0)
        return;
    int cur = CurSel(tabControl);
    NMHDR header = {tabControl, 0, static_cast<UINT>(TCN_SELCHANGING)};
    ::SendMessageA(tabControl, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    int next = cur + step;
    if (next >= count)
        next = 0;
    else if (next < 0)
        next = count - 1;
    ::SendMessageA(tabControl, TCM_SETCURSEL, next, 0);
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    ::SendMessageA(tabControl, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
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
    bool deleted = false;
    frame->m_deleted = &deleted;
    try {
        frame->CreateWnd(MAKEINTATOM(g_tabWndClass), kFrameTitle, kFrameStyle, kFrameExStyle,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, NULL,
                         instance);
    } catch (...) {
        // A creation that failed after binding has destroyed the window, which deleted the object.
        if (!deleted)
            delete frame;
        throw;
    }
    frame->m_deleted = NULL;
    return frame;
}

CTabWndHandler::CTabWndHandler() : m_hwndTab(NULL), m_contextTab(-1), m_tipsByFrame(false), m_deleted(NULL) {}

CTabWndHandler::~CTabWndHandler()
{
    if (m_deleted)
        *m_deleted = true;
}

int CTabWndHandler::TabCount() const
{
    return ItemCount(m_hwndTab);
}

CWndProxy CTabWndHandler::GetTabWindow(int index) const
{
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    ::SendMessageA(m_hwndTab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    HWND window = reinterpret_cast<HWND>(item.lParam);
    return CWndProxy(window && ::IsWindow(window) ? window : NULL);
}

void CTabWndHandler::InsertTab(const CWndProxy& window)
{
    char title[kTitleChars] = "";
    window.GetWindowText(title, kTitleChars);
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = title;
    item.iImage = -1;
    item.lParam = reinterpret_cast<LPARAM>(window.GetHandle());
    ::SendMessageA(m_hwndTab, TCM_INSERTITEMA, TabCount(), reinterpret_cast<LPARAM>(&item));
    SyncTabTips();
}

CWndProxy CTabWndHandler::PickWindow()
{
    int sel = CurSel(m_hwndTab);
    CWndProxy excluded = sel >= 0 ? GetTabWindow(sel) : CWndProxy();
    CAddWindowDlg dialog(excluded.GetHandle());
    if (!dialog.DoModal(m_hWnd, g_hInstance))
        return CWndProxy();
    CWndProxy chosen(dialog.GetChosenWindow());
    InsertTab(chosen);
    return chosen;
}

void CTabWndHandler::PlaceFrame()
{
    int sel = CurSel(m_hwndTab);
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
    window.GetWindowRect(&target);

    const bool shown = window.IsWindowVisible();
    if (shown != IsWindowVisible())
        ShowWindow(shown ? SW_SHOW : SW_HIDE);

    RECT tabRect = {};
    ::GetWindowRect(m_hwndTab, &tabRect);
    const int windowHeight = tabRect.bottom - tabRect.top;
    ::SendMessageA(m_hwndTab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&tabRect));
    const int rowHeight = windowHeight - (tabRect.bottom - tabRect.top);

    RECT frame = {target.left, target.bottom, target.right, target.bottom + rowHeight - kRowTrim};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLong(GWL_EXSTYLE)));
    SetWindowPos(window, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOACTIVATE);
}

void CTabWndHandler::SyncTabTips()
{
    HWND tips = reinterpret_cast<HWND>(::SendMessageA(m_hwndTab, TCM_GETTOOLTIPS, 0, 0));
    if (!tips)
        return;
    const int count = TabCount();
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
    tool.hwnd = m_hwndTab;
    for (; tools > count; --tools) {
        tool.uId = tools - 1;
        ::SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // Each tab's tool covers its rectangle and asks the frame for its text by index. The tooltip
    // watches the mouse itself: such a control does not relay mouse moves to it.
    tool.uFlags = TTF_SUBCLASS;
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    for (int i = 0; i < count; ++i) {
        tool.uId = i;
        ::SendMessageA(m_hwndTab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tool.rect));
        ::SendMessageA(tips, i < tools ? TTM_NEWTOOLRECTA : TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LRESULT CTabWndHandler::OnCreate(CREATESTRUCTA* create)
{
    m_hwndTab = ::CreateWindowExA(0, WC_TABCONTROLA, "", kTabStyle, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                  m_hWnd, NULL, g_hInstance, NULL);
    ::SendMessageA(m_hwndTab, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    ::SendMessageA(m_hwndTab, TCM_SETITEMSIZE, 0, MAKELPARAM(kTabWidth, 0));

    CWndProxy first = PickWindow();
    if (!first.IsAttached())
        return -1;
    PlaceFrame();
    first.SetForegroundWindow();
    SetTimer(kUpkeepTimer, kUpkeepMs);
    return CWndHandler::OnCreate(create);
}

LRESULT CTabWndHandler::OnPaint(CPaintDC& dc)
{
    return CWndHandler::OnPaint(dc);
}

LRESULT CTabWndHandler::OnNotify(WPARAM id, NMHDR* header)
{
    if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = g_tipText;
        item.cchTextMax = sizeof g_tipText;
        // A stale index must not leave the previous tab's text in the shared buffer.
        g_tipText[0] = '\0';
        ::SendMessageA(m_hwndTab, TCM_GETITEMA, header->idFrom, reinterpret_cast<LPARAM>(&item));
        if (header->code == TTN_GETDISPINFOA) {
            reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = g_tipText;
        } else {
            // A tooltip whose tool window answers in Unicode asks in the wide form.
            static wchar_t wideTipText[sizeof g_tipText];
            ::MultiByteToWideChar(CP_ACP, 0, g_tipText, -1, wideTipText, sizeof g_tipText);
            reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = wideTipText;
        }
    }
    if (header->hwndFrom == m_hwndTab) {
        switch (header->code) {
        case TCN_SELCHANGING:
            g_prevSelection = CurSel(m_hwndTab);
            break;
        case TCN_SELCHANGE: {
            const int sel = CurSel(m_hwndTab);
            if (sel < 0)
                break;
            CWndProxy next = GetTabWindow(sel);
            if (g_prevSelection != -1) {
                RECT previous;
                GetTabWindow(g_prevSelection).GetWindowRect(&previous);
                next.SetWindowPos(CWndProxy(), previous.left, previous.top, previous.right - previous.left,
                                  previous.bottom - previous.top, SWP_NOZORDER);
            }
            next.ShowWindow(SW_SHOW);
            const int count = TabCount();
            for (int i = 0; i < count; ++i)
                if (i != sel)
                    GetTabWindow(i).ShowWindow(SW_HIDE);
            PlaceFrame();
            break;
        }
        case TCN_KEYDOWN:
            if (reinterpret_cast<NMTCKEYDOWN*>(header)->wVKey == VK_TAB && KeyDown(VK_CONTROL)) {
                if (KeyDown(VK_SHIFT))
                    SelectPreviousTab(m_hwndTab);
                else
                    SelectNextTab(m_hwndTab);
                SetForegroundWindow();
            }
            break;
        }
    }
    return CWndHandler::OnNotify(id, header);
}

LRESULT CTabWndHandler::OnTimer(WPARAM id, LPARAM proc)
{
#ifdef QUORTAB_BENCH
    CBenchProbe probe(m_hwndTab);
#endif
    int count = TabCount();
    int sel = CurSel(m_hwndTab);
    const int countBefore = count;
    for (int i = 0; i < count; ++i) {
        CWndProxy window = GetTabWindow(i);
        if (window.IsAttached()) {
            char title[kTitleChars] = "";
            window.GetWindowText(title, kTitleChars);
            TCITEMA item = {};
            item.mask = TCIF_TEXT | TCIF_IMAGE;
            item.pszText = title;
            item.iImage = -1;
            ::SendMessageA(m_hwndTab, TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
            continue;
        }
        ::SendMessageA(m_hwndTab, TCM_DELETEITEM, i, 0);
        --count;
        // The selected tab slides down with the ones before it; without this a selected
        // window closing in the same pass as an earlier one would leave nothing shown.
        if (i < sel)
            --sel;
        else if (i == sel) {
            if (sel >= count)
                sel = count - 1;
            ::SendMessageA(m_hwndTab, TCM_SETCURSEL, sel, 0);
            if (sel >= 0)
                GetTabWindow(sel).ShowWindow(SW_SHOW);
        }
        --i;
    }
    if (count != countBefore)
        SyncTabTips();
    if (count <= 0)
        PostMessage(WM_CLOSE, 0, 0);
    PlaceFrame();
    return CWndHandler::OnTimer(id, proc);
}

LRESULT CTabWndHandler::OnSize(WPARAM type, UINT width, UINT height)
{
    ::MoveWindow(m_hwndTab, 0, 0, width, height, TRUE);
    SyncTabTips();
    return CWndHandler::OnSize(type, width, height);
}

LRESULT CTabWndHandler::OnDestroy()
{
    const int count = TabCount();
    for (int i = 0; i < count; ++i)
        GetTabWindow(i).ShowWindow(SW_SHOW);
    return CWndHandler::OnDestroy();
}

LRESULT CTabWndHandler::OnKeyDown(WPARAM key, LPARAM* keyData)
{
    if (key == VK_TAB && KeyDown(VK_CONTROL)) {
        if (KeyDown(VK_SHIFT))
            SelectPreviousTab(m_hwndTab);
        else
            SelectNextTab(m_hwndTab);
        SetForegroundWindow();
    }
    return CWndHandler::OnKeyDown(key, keyData);
}

LRESULT CTabWndHandler::OnMouseWheel(UINT keys, UINT delta, LPARAM* position)
{
    const short direction = static_cast<short>(delta);
    if (direction > 0)
        SelectPreviousTab(m_hwndTab);
    else if (direction < 0)
        SelectNextTab(m_hwndTab);
    SetForegroundWindow();
    return CWndHandler::OnMouseWheel(keys, delta, position);
}

LRESULT CTabWndHandler::OnContextMenu(HWND window, UINT x, UINT y)
{
    m_contextTab = -1;
    if (window == m_hwndTab) {
        TCHITTESTINFO hit = {};
        hit.pt.x = static_cast<LONG>(x);
        hit.pt.y = static_cast<LONG>(y);
        ::ScreenToClient(m_hwndTab, &hit.pt);
        m_contextTab = static_cast<int>(::SendMessageA(m_hwndTab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
    CMenuHandle menu(::LoadMenuA(reinterpret_cast<HINSTANCE>(GetWindowLong(GWLP_HINSTANCE)),
                                 MAKEINTRESOURCEA(IDR_MAIN_MENU)), true);
    CMenuHandle popup = menu.GetSubMenu(0);
    popup.EnableMenuItem(IDM_REMOVE_WINDOW, m_contextTab >= 0, false);
    popup.TrackPopupMenu(TPM_RIGHTBUTTON, static_cast<int>(x), static_cast<int>(y), *this);
    // Lets the menu's modal loop see a message and end promptly.
    PostMessage(WM_NULL, 0, 0);
    LRESULT result = CWndHandler::OnContextMenu(window, x, y);
    menu.Destroy();
    return result;
}

LRESULT CTabWndHandler::OnCommand(UINT code, WPARAM id, LPARAM control)
{
    switch (LOWORD(id)) {
    case IDM_ADD_WINDOW: {
        CWndProxy added = PickWindow();
        if (added.IsAttached())
            added.ShowWindow(SW_HIDE);
        break;
    }
    case IDM_REMOVE_WINDOW:
        GetTabWindow(m_contextTab).ShowWindow(SW_SHOW);
        ::SendMessageA(m_hwndTab, TCM_DELETEITEM, m_contextTab, 0);
        SyncTabTips();
        if (TabCount() <= 0)
            PostMessage(WM_CLOSE, 0, 0);
        break;
    case IDM_EXIT:
        PostMessage(WM_CLOSE, 0, 0);
        break;
    case IDM_ABOUT: {
        CAboutDlg about(reinterpret_cast<HICON>(GetClassLong(GCLP_HICON)));
        about.DoModal(m_hWnd, g_hInstance);
        break;
    }
    }
    return CWndHandler::OnCommand(code, id, control);
}
