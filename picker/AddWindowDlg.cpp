#include "AddWindowDlg.h"
#include "Dpi.h"
#include "QuorTabNames.h"
#include "resource.h"
#include <algorithm>

namespace {
const UINT kNoItem = static_cast<UINT>(-1);
}

bool CAddWindowEnumerator::OnWindow(CWndProxy& window)
{
    if (IsEligibleWindow(window.GetHandle()))
        m_dialog->AddWindow(window);
    return true;
}

CAddWindowDlg::CAddWindowDlg(HWND excluded)
    : m_excluded(excluded), m_list(NULL), m_chosen(NULL),
      m_iconWidth(::GetSystemMetrics(SM_CXSMICON)), m_iconHeight(::GetSystemMetrics(SM_CYSMICON)), m_dpi(kBaseDpi)
{
}

CAddWindowDlg::~CAddWindowDlg() {}

INT_PTR CAddWindowDlg::DoModal(HWND owner, HINSTANCE instance)
{
    return CDlgHandler::DoModal(owner, IDD_ADD_WINDOW, instance);
}

void CAddWindowDlg::AddWindow(CWndProxy& window)
{
    if (window.GetHandle() == m_excluded)
        return;
    char title[quortab::kTextChars] = "";
    window.GetWindowText(title, quortab::kTextChars);
    const LRESULT index = ::SendMessageA(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title));
    if (index < 0)
        return;
    ::SendMessageA(m_list, LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(window.GetHandle()));
}

INT_PTR CAddWindowDlg::OnInitDialog(WPARAM focus)
{
    m_list = ::GetDlgItem(m_hWnd, IDC_WINDOW_LIST);
    m_dpi = GetWindowDpi(m_hWnd);
    FitRowsToDpi(m_dpi);
    // The dialog is not yet visible, so it does not list itself.
    CAddWindowEnumerator filler(this);
    EnumTopLevelWindows(filler);
    return CDlgHandler::OnInitDialog(focus);
}

INT_PTR CAddWindowDlg::OnCommand(UINT code, WPARAM id, LPARAM control)
{
    if (LOWORD(id) == IDC_WINDOW_LIST && code == LBN_DBLCLK)
        OnOK();
    return CDlgHandler::OnCommand(code, id, control);
}

INT_PTR CAddWindowDlg::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DPICHANGED)
        FitRowsToDpi(LOWORD(wParam));
    else if (message == kIconAnswer)
        RedrawRowOf(m_icons.OnAnswer(wParam, lParam));
    return CDlgHandler::OnOtherMessage(message, wParam, lParam);
}

void CAddWindowDlg::RedrawRowOf(HWND window)
{
    const LRESULT count = window ? ::SendMessageA(m_list, LB_GETCOUNT, 0, 0) : 0;
    for (LRESULT i = 0; i < count; ++i) {
        RECT row;
        if (::SendMessageA(m_list, LB_GETITEMDATA, i, 0) == reinterpret_cast<LRESULT>(window) &&
            ::SendMessageA(m_list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&row)) != LB_ERR)
            ::InvalidateRect(m_list, &row, TRUE);
    }
}

// A row holds the small icon at the dialog's DPI and the text line the list measured for its
// font; the list measures that once only, so a new DPI scales it.
void CAddWindowDlg::FitRowsToDpi(UINT dpi)
{
    m_iconWidth = GetSystemMetricForDpi(SM_CXSMICON, dpi);
    m_iconHeight = GetSystemMetricForDpi(SM_CYSMICON, dpi);
    m_icons.Reset(m_hWnd, m_iconWidth);
    const int line = static_cast<int>(::SendMessageA(m_list, LB_GETITEMHEIGHT, 0, 0));
    const int row = std::max(::MulDiv(line, static_cast<int>(dpi), static_cast<int>(m_dpi)), m_iconHeight);
    ::SendMessageA(m_list, LB_SETITEMHEIGHT, 0, row);
    m_dpi = dpi;
}

INT_PTR CAddWindowDlg::OnOK()
{
    const LRESULT selection = ::SendMessageA(m_list, LB_GETCURSEL, 0, 0);
    if (selection < 0)
        return FALSE;
    HWND chosen = reinterpret_cast<HWND>(::SendMessageA(m_list, LB_GETITEMDATA, selection, 0));
    const INT_PTR result = CDlgHandler::OnOK();
    // Kept only once the dialog is really ending, so a cancel after a failed end returns nothing.
    m_chosen = chosen;
    return result;
}

INT_PTR CAddWindowDlg::OnDrawItem(WPARAM id, DRAWITEMSTRUCT* item)
{
    const HDC dc = item->hDC;
    const RECT& rect = item->rcItem;
    HBRUSH brush;
    if (item->itemState & ODS_SELECTED) {
        brush = ::GetSysColorBrush(COLOR_HIGHLIGHT);
        ::SetBkColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
        ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        brush = reinterpret_cast<HBRUSH>(CWndProxy(item->hwndItem).GetClassLong(GCLP_HBRBACKGROUND));
        // The list box class brings no brush of its own; without one an item that loses the
        // selection would keep its highlight.
        if (!brush)
            brush = ::GetSysColorBrush(COLOR_WINDOW);
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    }
    ::FillRect(dc, &rect, brush);

    // The focus of an empty list comes as item -1, which has neither text nor window.
    if (item->itemID != kNoItem) {
        char title[quortab::kTextChars] = "";
        ::SendMessageA(item->hwndItem, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(title));
        const CWndProxy window(reinterpret_cast<HWND>(
            ::SendMessageA(item->hwndItem, LB_GETITEMDATA, item->itemID, 0)));
        // Bigger icons are scaled down; a missing one leaves the background showing.
        ::DrawIconEx(dc, rect.left, rect.top, m_icons.Of(window.GetHandle()), m_iconWidth, m_iconHeight, 0,
                     brush, DI_NORMAL);
        TEXTMETRICA metrics = {};
        ::GetTextMetricsA(dc, &metrics);
        // GDI's 8-bit calls take the system's code page, not the process's (UTF-8 under the
        // manifest), so the title is converted here and drawn with the wide call.
        wchar_t wide[quortab::kTextChars];
        const int units = ::MultiByteToWideChar(CP_ACP, 0, title, -1, wide, quortab::kTextChars);
        ::TextOutW(dc, rect.left + m_iconWidth + 1, (rect.top + rect.bottom - metrics.tmHeight) / 2,
                   wide, units > 0 ? units - 1 : 0);
    }
    return CDlgHandler::OnDrawItem(id, item);
}

INT_PTR CAddWindowDlg::OnMeasureItem(WPARAM id, MEASUREITEMSTRUCT* item)
{
    const HDC dc = ::GetWindowDC(m_list);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    item->itemHeight = metrics.tmHeight;
    ::ReleaseDC(m_list, dc);
    return CDlgHandler::OnMeasureItem(id, item);
}
