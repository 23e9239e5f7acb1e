#include "WndHandler.h"
#include <algorithm>
#include <shellapi.h>

CWndHandlerMap WndHandlerMap;

static const char kWindowProcText[] = "Unknown Exception. Caught in WndHandlerWindowProc";
static const char kOnMessageText[] = "Unknown Exception. Caught in CWndHandler::OnMessage";
static const char kDoDefaultText[] = "Unknown Exception. Caught in CWndHandler::DoDefault";

static UINT Low(UINT_PTR value) { return LOWORD(value); }
static UINT High(UINT_PTR value) { return HIWORD(value); }

LRESULT CALLBACK WndHandlerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    RunInBarrier(hwnd, hwnd, hwnd, kWindowProcText, [&] {
        CWndHandler* handler = CWndHandler::FromHandle(hwnd);
        if (message == WM_NCCREATE) {
            handler = static_cast<CWndHandler*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            handler->Attach(hwnd);
        }
        result = handler ? handler->OnMessage(message, wParam, lParam)
                         : ::DefWindowProcA(hwnd, message, wParam, lParam);
    });
    return result;
}

CWndHandler::CWndHandler(WNDPROC defaultProc)
    : CWndProxy(NULL), m_message(0), m_wParam(0), m_lParam(0), m_defaultProc(defaultProc), m_watches(nullptr) {}

CWndHandler::~CWndHandler()
{
    for (CDestroyWatch* watch = m_watches; watch; watch = watch->m_next)
        watch->m_handler = nullptr;
    m_hWnd = NULL;
}

CDestroyWatch::CDestroyWatch(CWndHandler& handler) : m_handler(&handler), m_next(handler.m_watches)
{
    handler.m_watches = this;
}

CDestroyWatch::~CDestroyWatch()
{
    if (!m_handler)
        return;
    CDestroyWatch** link = &m_handler->m_watches;
    while (*link != this)
        link = &(*link)->m_next;
    *link = m_next;
}

void CWndHandler::CreateWnd(const char* className, const char* windowName, DWORD style, DWORD exStyle,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance)
{
    // A window that refuses its creation after binding deletes the object at WM_NCDESTROY; one
    // that was never made leaves it here. Either way a throw means the object is gone.
    CDestroyWatch watch(*this);
    HWND created = ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height,
                                     parent, menu, instance, this);
    if (created)
        return;
    const CWindowsError error("CWndHandler::CreateWnd ");
    if (!watch.Gone())
        delete this;
    throw error;
}

LRESULT CWndHandler::DoDefault()
{
    LRESULT result = 0;
    RunInBarrier(m_hWnd, m_hWnd, m_hWnd, kDoDefaultText, [&] {
        result = m_defaultProc(m_hWnd, m_message, m_wParam, m_lParam);
    });
    return result;
}

void CWndHandler::Unbind()
{
    WndHandlerMap.erase(m_hWnd);
    if (WndHandlerMap.empty())
        ::PostQuitMessage(0);
}

void CWndHandler::Attach(HWND handle)
{
    m_hWnd = handle;
    WndHandlerMap.insert(CWndHandlerMap::value_type(handle, this));
}

CWndHandler* CWndHandler::FromHandle(HWND handle)
{
    CWndHandlerMap::const_iterator found = WndHandlerMap.find(handle);
    return found == WndHandlerMap.end() ? NULL : found->second;
}

void CWndHandler::RemoveHook(CMessageHook* hook)
{
    m_hooks.erase(std::remove(m_hooks.begin(), m_hooks.end(), hook), m_hooks.end());
}

LRESULT CWndHandler::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    // A handler that sends messages to its own window is re-entered; the outer handler's
    // DoDefault must still forward its own message, not the last nested one.
    const UINT outerMessage = m_message;
    const WPARAM outerWParam = m_wParam;
    const LPARAM outerLParam = m_lParam;
    m_message = message;
    m_wParam = wParam;
    m_lParam = lParam;
    // The object deletes itself at WM_NCDESTROY, which also arrives inside any message whose
    // handling destroys the window (WM_CLOSE by default): then nothing of it may be touched.
    const HWND window = m_hWnd;
    const bool bound = FromHandle(window) == this;
    auto deleted = [&] { return message == WM_NCDESTROY || (bound && FromHandle(window) != this); };
    RunInBarrier(window, window, window, kOnMessageText, [&] {
        for (CMessageHook* hook : m_hooks)
            hook->BeforeMessage(this, message, wParam, lParam);
        LPARAM copy = lParam;
        result = Dispatch(message, wParam, copy);
        if (deleted())
            return;
        for (CMessageHook* hook : m_hooks)
            hook->AfterMessage(this, message, wParam, copy);
    });
    if (!deleted()) {
        m_message = outerMessage;
        m_wParam = outerWParam;
        m_lParam = outerLParam;
    }
    return result;
}

LRESULT CWndHandler::Dispatch(UINT message, WPARAM wParam, LPARAM& lParam)
{
    switch (message) {
    case WM_CREATE: return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_PAINT: {
        CPaintDC dc(*this);
        return OnPaint(dc);
    }
    case WM_MOVE: return OnMove(static_cast<short>(Low(lParam)), static_cast<short>(High(lParam)));
    case WM_MOUSEMOVE: return OnMouseMove(wParam, Low(lParam), High(lParam));
    case WM_MOUSELEAVE: return OnMouseLeave();
    case WM_LBUTTONDOWN: return OnLButtonDown(wParam, Low(lParam), High(lParam));
    case WM_LBUTTONUP: return OnLButtonUp(wParam, Low(lParam), High(lParam));
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(wParam, Low(lParam), High(lParam));
    case WM_RBUTTONDOWN: return OnRButtonDown(wParam, Low(lParam), High(lParam));
    case WM_RBUTTONUP: return OnRButtonUp(wParam, Low(lParam), High(lParam));
    case WM_RBUTTONDBLCLK: return OnRButtonDblClk(wParam, Low(lParam), High(lParam));
    case WM_MBUTTONDOWN: return OnMButtonDown(wParam, Low(lParam), High(lParam));
    case WM_MBUTTONUP: return OnMButtonUp(wParam, Low(lParam), High(lParam));
    case WM_MBUTTONDBLCLK: return OnMButtonDblClk(wParam, Low(lParam), High(lParam));
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case WM_COMMAND: return OnCommand(High(wParam), wParam, lParam);
    case WM_CONTEXTMENU: return OnContextMenu(reinterpret_cast<HWND>(wParam), Low(lParam), High(lParam));
    case WM_DRAWITEM: return OnDrawItem(wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_DROPFILES: return OnDropFiles(reinterpret_cast<HDROP>(wParam));
    case WM_ERASEBKGND: {
        CDCProxy dc(reinterpret_cast<HDC>(wParam));
        return OnEraseBkgnd(&dc);
    }
    case WM_ENTERSIZEMOVE: return OnEnterSizeMove();
    case WM_EXITSIZEMOVE: return OnExitSizeMove();
    case WM_GETICON: return OnGetIcon(wParam);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_HOTKEY: return OnHotKey(Low(lParam), High(lParam), wParam);
    case WM_HSCROLL: return OnHScroll(reinterpret_cast<HWND>(lParam), Low(wParam), High(wParam));
    case WM_VSCROLL: return OnVScroll(reinterpret_cast<HWND>(lParam), Low(wParam), High(wParam));
    case WM_INITMENUPOPUP: return OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), Low(lParam), High(lParam));
    case WM_KEYDOWN: return OnKeyDown(wParam, &lParam);
    case WM_KEYUP: return OnKeyUp(wParam, &lParam);
    case WM_MEASUREITEM: return OnMeasureItem(wParam, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_MENUSELECT: return OnMenuSelect(Low(wParam), High(wParam), reinterpret_cast<HMENU>(lParam));
    case WM_MOUSEWHEEL: return OnMouseWheel(Low(wParam), High(wParam), &lParam);
    case WM_NOTIFY: return OnNotify(wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_SETTINGCHANGE: return OnSettingChange(wParam, lParam);
    case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam), Low(lParam), High(lParam));
    case WM_SIZE: return OnSize(wParam, Low(lParam), High(lParam));
    case WM_SIZING: return OnSizing(wParam, reinterpret_cast<RECT*>(lParam));
    case WM_SYSKEYDOWN: return OnSysKeyDown(wParam, &lParam);
    case WM_SYSKEYUP: return OnSysKeyUp(wParam, &lParam);
    case WM_TIMER: return OnTimer(wParam, lParam);
    case WM_CLOSE: return OnClose();
    case WM_DESTROY: return OnDestroy();
    case WM_NCMOUSEMOVE: return OnNcMouseMove(wParam, Low(lParam), High(lParam));
    case WM_NCDESTROY: return OnNcDestroy();
    default: return OnOtherMessage(message, wParam, lParam);
    }
}

LRESULT CWndHandler::OnCreate(CREATESTRUCTA*) { return DoDefault(); }
LRESULT CWndHandler::OnPaint(CPaintDC&) { return DoDefault(); }
LRESULT CWndHandler::OnMove(int, int) { return DoDefault(); }
LRESULT CWndHandler::OnMouseMove(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnMouseLeave() { return DoDefault(); }
LRESULT CWndHandler::OnLButtonDown(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnLButtonUp(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnLButtonDblClk(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnRButtonDown(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnRButtonUp(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnRButtonDblClk(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnMButtonDown(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnMButtonUp(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnMButtonDblClk(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnActivate(WPARAM, LPARAM) { return DoDefault(); }
LRESULT CWndHandler::OnCommand(UINT, WPARAM, LPARAM) { return DoDefault(); }
LRESULT CWndHandler::OnContextMenu(HWND, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnDrawItem(WPARAM, DRAWITEMSTRUCT*) { return DoDefault(); }
LRESULT CWndHandler::OnDropFiles(HDROP drop) { ::DragFinish(drop); return DoDefault(); }
LRESULT CWndHandler::OnEraseBkgnd(CDCProxy*) { return DoDefault(); }
LRESULT CWndHandler::OnEnterSizeMove() { return DoDefault(); }
LRESULT CWndHandler::OnExitSizeMove() { return DoDefault(); }
LRESULT CWndHandler::OnGetIcon(WPARAM) { return DoDefault(); }
LRESULT CWndHandler::OnGetMinMaxInfo(MINMAXINFO*) { return DoDefault(); }
LRESULT CWndHandler::OnHotKey(UINT, UINT, WPARAM) { return DoDefault(); }
LRESULT CWndHandler::OnHScroll(HWND, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnVScroll(HWND, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnInitMenuPopup(HMENU, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnKeyDown(WPARAM, LPARAM*) { return DoDefault(); }
LRESULT CWndHandler::OnKeyUp(WPARAM, LPARAM*) { return DoDefault(); }
LRESULT CWndHandler::OnMeasureItem(WPARAM, MEASUREITEMSTRUCT*) { return DoDefault(); }
LRESULT CWndHandler::OnMenuSelect(UINT, UINT, HMENU) { return DoDefault(); }
LRESULT CWndHandler::OnMouseWheel(UINT, UINT, LPARAM*) { return DoDefault(); }
LRESULT CWndHandler::OnNotify(WPARAM, NMHDR*) { return DoDefault(); }
LRESULT CWndHandler::OnSettingChange(WPARAM, LPARAM) { return DoDefault(); }
LRESULT CWndHandler::OnSetCursor(HWND, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnSize(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnSizing(WPARAM, RECT*) { return DoDefault(); }
LRESULT CWndHandler::OnSysKeyDown(WPARAM, LPARAM*) { return DoDefault(); }
LRESULT CWndHandler::OnSysKeyUp(WPARAM, LPARAM*) { return DoDefault(); }
LRESULT CWndHandler::OnTimer(WPARAM, LPARAM) { return DoDefault(); }
LRESULT CWndHandler::OnClose() { return DoDefault(); }
LRESULT CWndHandler::OnDestroy() { return DoDefault(); }
LRESULT CWndHandler::OnNcMouseMove(WPARAM, UINT, UINT) { return DoDefault(); }
LRESULT CWndHandler::OnOtherMessage(UINT, WPARAM, LPARAM) { return DoDefault(); }

LRESULT CWndHandler::OnNcDestroy()
{
    Unbind();
    LRESULT result = DoDefault();
    delete this;
    return result;
}

CWndClass::CWndClass()
{
    ZeroMemory(static_cast<WNDCLASSEXA*>(this), sizeof(WNDCLASSEXA));
    cbSize = sizeof(WNDCLASSEXA);
    lpfnWndProc = WndHandlerWindowProc;
}

ATOM CWndClass::Register()
{
    ATOM atom = ::RegisterClassExA(this);
    if (!atom)
        throw CWindowsError("Windows Error : ");
    return atom;
}

ATOM RegisterWndClass(HINSTANCE instance, const char* className, UINT style, HICON icon)
{
    CWndClass record;
    record.style = style;
    record.hInstance = instance;
    record.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    record.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    record.lpszClassName = className;
    record.hIcon = icon;
    return record.Register();
}
