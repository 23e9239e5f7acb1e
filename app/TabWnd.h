#pragma once
#include "WndHandler.h"

extern HINSTANCE g_hInstance;
extern ATOM g_tabWndClass;
extern int g_prevSelection;
extern char g_tipText[1024];

// The tab frame: a captionless tool window whose tab strip stands for a group of other
// applications' windows. The tab control is the only record of the group; each tab's item
// data is its window's handle.
class CTabWndHandler : public CWndHandler {
public:
    CTabWndHandler();
    ~CTabWndHandler() override;

    CWndProxy GetTabWindow(int index) const;
    void InsertTab(const CWndProxy& window);
    CWndProxy PickWindow();
    void PlaceFrame();
    HWND GetTabControl() const { return m_hwndTab; }

protected:
    LRESULT OnCreate(CREATESTRUCTA* create) override;
    LRESULT OnPaint(CPaintDC& dc) override;
    LRESULT OnCommand(UINT code, WPARAM id, LPARAM control) override;
    LRESULT OnContextMenu(HWND window, UINT x, UINT y) override;
    LRESULT OnKeyDown(WPARAM key, LPARAM* keyData) override;
    LRESULT OnMouseWheel(UINT keys, UINT delta, LPARAM* position) override;
    LRESULT OnNotify(WPARAM id, NMHDR* header) override;
    LRESULT OnSize(WPARAM type, UINT width, UINT height) override;
    LRESULT OnTimer(WPARAM id, LPARAM proc) override;
    LRESULT OnDestroy() override;

private:
    int TabCount() const;
    void PlaceFrameBelow(const CWndProxy& window);
    void SyncTabTips();

    HWND m_hwndTab;
    int m_contextTab;
    // Some tab controls register no per-tab tooltip tools; then the frame keeps them itself.
    bool m_tipsByFrame;
    // Set while CreateTabWindow waits for the creation: tells it whether the object is gone.
    bool* m_deleted;

    friend CTabWndHandler* CreateTabWindow(HINSTANCE instance, HWND parent);
};

CTabWndHandler* CreateTabWindow(HINSTANCE instance, HWND parent);
void SelectNextTab(HWND tabControl);
void SelectPreviousTab(HWND tabControl);
