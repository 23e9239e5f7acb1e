#pragma once
#include "DlgHandler.h"
#include "WindowIcon.h"
#include "WndEnum.h"

// The "Add a Window" dialog: an owner-drawn list of the eligible top-level windows, each with
// its small icon and title, from which the user picks the one to become a tab.
class CAddWindowDlg : public CDlgHandler {
public:
    // `excluded` is never listed (the window of the selected tab); null excludes nothing.
    explicit CAddWindowDlg(HWND excluded);
    ~CAddWindowDlg() override;

    // 1 when a window was chosen, 0 when the user cancelled, -1 when the dialog could not open.
    INT_PTR DoModal(HWND owner, HINSTANCE instance);
    // Null unless the dialog ended with a choice.
    HWND GetChosenWindow() const { return m_chosen; }

    void AddWindow(CWndProxy& window);

    INT_PTR OnInitDialog(WPARAM focus) override;
    INT_PTR OnCommand(UINT code, WPARAM id, LPARAM control) override;
    INT_PTR OnDrawItem(WPARAM id, DRAWITEMSTRUCT* item) override;
    INT_PTR OnMeasureItem(WPARAM id, MEASUREITEMSTRUCT* item) override;
    INT_PTR OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnOK() override;

private:
    void FitRowsToDpi(UINT dpi);
    void RedrawRowOf(HWND window);

    HWND m_excluded;
    HWND m_list;
    HWND m_chosen;
    int m_iconWidth;
    int m_iconHeight;
    // The DPI the rows were last fitted to.
    UINT m_dpi;
    // Looked up as rows are first drawn, kept while the dialog is open.
    CWindowIcons m_icons;
};

// Fills the dialog's list with every eligible window of one walk.
class CAddWindowEnumerator : public CWndEnumerator {
public:
    explicit CAddWindowEnumerator(CAddWindowDlg* dialog) : m_dialog(dialog) {}
    bool OnWindow(CWndProxy& window) override;

private:
    CAddWindowDlg* m_dialog;
};
