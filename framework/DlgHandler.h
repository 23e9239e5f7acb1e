#pragma once
#include "WndHandler.h"

class CDlgHandler;
typedef std::map<HWND, CDlgHandler*, HandleLess> CDlgHandlerMap;
extern CDlgHandlerMap DlgHandlerMap;

INT_PTR CALLBACK DlgHandlerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Base of every modal dialog object; lives on its caller's stack for one DoModal.
// Handlers answer TRUE when they processed the message, FALSE to leave it to the dialog manager.
class CDlgHandler : public CWndProxy {
public:
    CDlgHandler();
    ~CDlgHandler() override;

    INT_PTR DoModal(HWND owner, WORD resourceId, HINSTANCE instance);
    INT_PTR DoModal(HWND owner, const char* templateName, HINSTANCE instance);
    void Attach(HWND handle);
    void Unbind();
    static CDlgHandler* FromHandle(HWND handle);

    // The program registers no hooks; tests do.
    void AddHook(CMessageHook* hook) { m_hooks.push_back(hook); }

    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnInitDialog(WPARAM focus);
    virtual INT_PTR OnCommand(UINT code, WPARAM id, LPARAM control);
    virtual INT_PTR OnDestroy();
    virtual INT_PTR OnDrawItem(WPARAM id, DRAWITEMSTRUCT* item);
    virtual INT_PTR OnMeasureItem(WPARAM id, MEASUREITEMSTRUCT* item);
    virtual INT_PTR OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnOK();
    virtual INT_PTR OnCancel();

private:
    CDlgHandler(const CDlgHandler&) = delete;
    CDlgHandler& operator=(const CDlgHandler&) = delete;
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<CMessageHook*> m_hooks;
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
};
