#include "DlgHandler.h"

CDlgHandlerMap DlgHandlerMap;

static const char kDialogProcText[] = "Unknown Exception. Caught in DlgHandlerWindowProc";
static const char kOnMessageText[] = "Unknown Exception. Caught in CDlgHandler:OnMessage";

INT_PTR CALLBACK DlgHandlerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = FALSE;
    RunInBarrier(hwnd, NULL, NULL, kDialogProcText, [&] {
        CDlgHandler* handler = CDlgHandler::FromHandle(hwnd);
        if (message == WM_INITDIALOG) {
            handler = reinterpret_cast<CDlgHandler*>(lParam);
            handler->Attach(hwnd);
        }
        if (handler)
            result = handler->OnMessage(message, wParam, lParam);
    });
    return result;
}

CDlgHandler::CDlgHandler() : CWndProxy(NULL) {}

CDlgHandler::~CDlgHandler()
{
    m_hWnd = NULL;
}

INT_PTR CDlgHandler::DoModal(HWND owner, WORD resourceId, HINSTANCE instance)
{
    return ::DialogBoxParamA(instance, MAKEINTRESOURCEA(resourceId), owner, DlgHandlerWindowProc,
                             reinterpret_cast<LPARAM>(this));
}

INT_PTR CDlgHandler::DoModal(HWND owner, const char* templateName, HINSTANCE instance)
{
    return ::DialogBoxParamA(instance, templateName, owner, DlgHandlerWindowProc,
                             reinterpret_cast<LPARAM>(this));
}

void CDlgHandler::Attach(HWND handle)
{
    m_hWnd = handle;
    DlgHandlerMap.insert(CDlgHandlerMap::value_type(handle, this));
}

void CDlgHandler::Unbind()
{
    DlgHandlerMap.erase(m_hWnd);
    m_hWnd = NULL;
}

CDlgHandler* CDlgHandler::FromHandle(HWND handle)
{
    CDlgHandlerMap::const_iterator found = DlgHandlerMap.find(handle);
    return found == DlgHandlerMap.end() ? NULL : found->second;
}

INT_PTR CDlgHandler::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = FALSE;
    m_message = message;
    m_wParam = wParam;
    m_lParam = lParam;
    // Only the box for unknown exceptions is owned by the dialog.
    RunInBarrier(m_hWnd, NULL, m_hWnd, kOnMessageText, [&] {
        for (CMessageHook* hook : m_hooks)
            hook->BeforeMessage(this, message, wParam, lParam);
        result = Dispatch(message, wParam, lParam);
        if (message == WM_NCDESTROY)
            return;
        for (CMessageHook* hook : m_hooks)
            hook->AfterMessage(this, message, wParam, lParam);
    });
    return result;
}

INT_PTR CDlgHandler::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY: return OnDestroy();
    case WM_DRAWITEM: return OnDrawItem(wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_MEASUREITEM: return OnMeasureItem(wParam, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_INITDIALOG: return OnInitDialog(wParam);
    case WM_COMMAND: return OnCommand(HIWORD(wParam), wParam, lParam);
    default: return OnOtherMessage(message, wParam, lParam);
    }
}

INT_PTR CDlgHandler::OnInitDialog(WPARAM) { return TRUE; }

INT_PTR CDlgHandler::OnCommand(UINT, WPARAM id, LPARAM)
{
    switch (LOWORD(id)) {
    case IDOK: return OnOK();
    case IDCANCEL: return OnCancel();
    default: return FALSE;
    }
}

INT_PTR CDlgHandler::OnDestroy()
{
    Unbind();
    return TRUE;
}

INT_PTR CDlgHandler::OnDrawItem(WPARAM, DRAWITEMSTRUCT*) { return TRUE; }
INT_PTR CDlgHandler::OnMeasureItem(WPARAM, MEASUREITEMSTRUCT*) { return TRUE; }
INT_PTR CDlgHandler::OnOtherMessage(UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CDlgHandler::OnOK()
{
    EndDialog(1);
    return TRUE;
}

INT_PTR CDlgHandler::OnCancel()
{
    EndDialog(0);
    return TRUE;
}
