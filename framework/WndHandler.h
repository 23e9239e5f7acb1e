#pragma once
#include "PaintDC.h"
#include <map>
#include <vector>

class CWndProxy;

// Observer called around every dispatch of a window or dialog object.
class CMessageHook {
public:
    virtual void BeforeMessage(CWndProxy* handler, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void AfterMessage(CWndProxy* handler, UINT message, WPARAM wParam, LPARAM lParam) = 0;
protected:
    ~CMessageHook() {}
};

struct HandleLess {
    bool operator()(HWND a, HWND b) const
        { return reinterpret_cast<UINT_PTR>(a) < reinterpret_cast<UINT_PTR>(b); }
};

class CWndHandler;

// Tells code that runs a nested message loop (a dialog, a menu) whether the object it works for
// was destroyed meanwhile, so that it touches nothing of it afterwards.
class CDestroyWatch {
public:
    explicit CDestroyWatch(CWndHandler& handler);
    ~CDestroyWatch();
    bool Gone() const { return m_handler == nullptr; }

private:
    CDestroyWatch(const CDestroyWatch&) = delete;
    CDestroyWatch& operator=(const CDestroyWatch&) = delete;
    friend class CWndHandler;
    CWndHandler* m_handler;
    CDestroyWatch* m_next;
};

typedef std::map<HWND, CWndHandler*, HandleLess> CWndHandlerMap;
extern CWndHandlerMap WndHandlerMap;

LRESULT CALLBACK WndHandlerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Base of every window object. Created with new; deletes itself at WM_NCDESTROY, and is gone
// when CreateWnd throws.
// Words unpacked from wParam/lParam arrive unsigned (0..65535) except in OnMove.
class CWndHandler : public CWndProxy {
public:
    explicit CWndHandler(WNDPROC defaultProc = ::DefWindowProcA);
    ~CWndHandler() override;

    void CreateWnd(const char* className, const char* windowName, DWORD style, DWORD exStyle,
                   int x, int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance);
    LRESULT DoDefault();
    void Unbind();
    void Attach(HWND handle);
    static CWndHandler* FromHandle(HWND handle);

    // The program registers no hooks; tests do.
    void AddHook(CMessageHook* hook) { m_hooks.push_back(hook); }
    void RemoveHook(CMessageHook* hook);

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCreate(CREATESTRUCTA* create);
    virtual LRESULT OnPaint(CPaintDC& dc);
    virtual LRESULT OnMove(int x, int y);
    virtual LRESULT OnMouseMove(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnMouseLeave();
    virtual LRESULT OnLButtonDown(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnLButtonUp(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnLButtonDblClk(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnRButtonDown(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnRButtonUp(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnRButtonDblClk(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnMButtonDown(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnMButtonUp(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnMButtonDblClk(WPARAM keys, UINT x, UINT y);
    virtual LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCommand(UINT code, WPARAM id, LPARAM control);
    virtual LRESULT OnContextMenu(HWND window, UINT x, UINT y);
    virtual LRESULT OnDrawItem(WPARAM id, DRAWITEMSTRUCT* item);
    virtual LRESULT OnDropFiles(HDROP drop);
    virtual LRESULT OnEraseBkgnd(CDCProxy* dc);
    virtual LRESULT OnEnterSizeMove();
    virtual LRESULT OnExitSizeMove();
    virtual LRESULT OnGetIcon(WPARAM type);
    virtual LRESULT OnGetMinMaxInfo(MINMAXINFO* info);
    virtual LRESULT OnHotKey(UINT modifiers, UINT key, WPARAM id);
    virtual LRESULT OnHScroll(HWND bar, UINT code, UINT position);
    virtual LRESULT OnVScroll(HWND bar, UINT code, UINT position);
    virtual LRESULT OnInitMenuPopup(HMENU menu, UINT index, UINT windowMenu);
    virtual LRESULT OnKeyDown(WPARAM key, LPARAM* keyData);
    virtual LRESULT OnKeyUp(WPARAM key, LPARAM* keyData);
    virtual LRESULT OnMeasureItem(WPARAM id, MEASUREITEMSTRUCT* item);
    virtual LRESULT OnMenuSelect(UINT item, UINT flags, HMENU menu);
    virtual LRESULT OnMouseWheel(UINT keys, UINT delta, LPARAM* position);
    virtual LRESULT OnNotify(WPARAM id, NMHDR* header);
    virtual LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage);
    virtual LRESULT OnSize(WPARAM type, UINT width, UINT height);
    virtual LRESULT OnSizing(WPARAM edge, RECT* rect);
    virtual LRESULT OnSysKeyDown(WPARAM key, LPARAM* keyData);
    virtual LRESULT OnSysKeyUp(WPARAM key, LPARAM* keyData);
    virtual LRESULT OnTimer(WPARAM id, LPARAM proc);
    virtual LRESULT OnClose();
    virtual LRESULT OnDestroy();
    virtual LRESULT OnNcMouseMove(WPARAM hitTest, UINT x, UINT y);
    virtual LRESULT OnNcDestroy();
    virtual LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    CWndHandler(const CWndHandler&) = delete;
    CWndHandler& operator=(const CWndHandler&) = delete;
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM& lParam);

    std::vector<CMessageHook*> m_hooks;
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
    WNDPROC m_defaultProc;
    friend class CDestroyWatch;
    CDestroyWatch* m_watches;
};

// A window-class record aimed at WndHandlerWindowProc.
class CWndClass : public WNDCLASSEXA {
public:
    CWndClass();
    ATOM Register();
};

ATOM RegisterWndClass(HINSTANCE instance, const char* className, UINT style, HICON icon);
