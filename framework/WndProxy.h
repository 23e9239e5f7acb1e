#pragma once
#include "TitleText.h"
#include "WindowsError.h"

// A window handle that is not owned. Each operation is the Windows call it is named after;
// the checked ones throw CWindowsError right beside the call.
class CWndProxy {
public:
    CWndProxy(HWND handle = NULL) : m_hWnd(handle) {}
    virtual ~CWndProxy() { m_hWnd = NULL; }

    void Attach(HWND handle) { m_hWnd = handle; }
    void Detach() { m_hWnd = NULL; }
    bool IsAttached() const { return m_hWnd != NULL; }
    HWND GetHandle() const { return m_hWnd; }

    ULONG_PTR GetClassLong(int index) const { return ::GetClassLongPtrA(m_hWnd, index); }
    LONG_PTR GetWindowLong(int index) const { return ::GetWindowLongPtrA(m_hWnd, index); }
    // The title cut cleanly to the buffer and the title limit (see ReadWindowTitle).
    int GetWindowText(char* buffer, int size) const { return ReadWindowTitle(m_hWnd, buffer, size); }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    BOOL PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
        { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
        { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    int MessageBox(const char* text, const char* caption, UINT type) const
        { return ::MessageBoxA(m_hWnd, text, caption, type); }
    bool SetForegroundWindow() const { return ::SetForegroundWindow(m_hWnd) != FALSE; }
    bool ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command) != FALSE; }
    // Asks the window's own thread to show or move it, without waiting for the answer: another
    // application's window must never hold up ours.
    bool ShowWindowAsync(int command) const { return ::ShowWindowAsync(m_hWnd, command) != FALSE; }
    bool MoveWindowAsync(const RECT& rect) const
        { return ::SetWindowPos(m_hWnd, NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS) != FALSE; }

    BOOL GetWindowRect(RECT* rect) const
        { BOOL ok = ::GetWindowRect(m_hWnd, rect); if (!ok) throw CWindowsError("CWndProxy::GetWindowRect "); return ok; }
    UINT_PTR SetTimer(UINT_PTR id, UINT interval, TIMERPROC proc = NULL) const
        { UINT_PTR ok = ::SetTimer(m_hWnd, id, interval, proc); if (!ok) throw CWindowsError("CWndProxy::SetTimer "); return ok; }
    BOOL SetWindowPos(const CWndProxy& insertAfter, int x, int y, int cx, int cy, UINT flags) const
        { BOOL ok = ::SetWindowPos(m_hWnd, insertAfter.m_hWnd, x, y, cx, cy, flags); if (!ok) throw CWindowsError("CWndProxy::SetWindowPos "); return ok; }
    BOOL EndDialog(INT_PTR result) const
        { BOOL ok = ::EndDialog(m_hWnd, result); if (!ok) throw CWindowsError("CWndProxy::EndDialog "); return ok; }
    BOOL SetWindowText(const char* text) const
        { BOOL ok = ::SetWindowTextA(m_hWnd, text); if (!ok) throw CWindowsError("CWndProxy::SetWindowText "); return ok; }
    CWndProxy GetDlgItem(int id) const
        { HWND item = ::GetDlgItem(m_hWnd, id); if (!item) throw CWindowsError("CWndProxy::GetDlgItem "); return CWndProxy(item); }

protected:
    HWND m_hWnd;
};
