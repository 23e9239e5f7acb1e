#pragma once
#include "Dpi.h"
#include "QuorTabNames.h"
#include "TabCtrlProxy.h"
#include "WndHandler.h"

extern HINSTANCE g_hInstance;
extern ATOM g_tabWndClass;
extern int g_prevSelection;
extern char g_tipText[quortab::kTextChars];

// The tab frame: a captionless tool window whose tab strip stands for a group of other
// applications' windows. The tab control is the only record of the group; each tab's item
// data is its window's handle.
class CTabWndHandler : public CWndHandler {
public:
    CTabWndHandler();

    CWndProxy GetTabWindow(int index) const;
    // False, and nothing done, for a window that already has a tab.
    bool InsertTab(const CWndProxy& window);
    CWndProxy PickWindow();
    void PlaceFrame();
    HWND GetTabControl() const { return m_hwndTab.GetHandle(); }
    // A grouped window moved, changed its title, showed, hid or went: the upkeep runs at once.
    void OnWindowEvent(HWND window);

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
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int FindTab(HWND window) const;

    // Switching: the newly selected window takes the previous one's place.
    void OnSelChange();
    bool PlaceOf(const CWndProxy& window, RECT& place) const;
    void ExpectShown(const CWndProxy& window, const RECT& place);
    void CycleOnCtrlTab(WPARAM key);
    void Cycle(int step);
    void PlaceFrameBelow(const CWndProxy& window);

    // Upkeep.
    void Upkeep();
    void RefreshTitle(int index, const CWndProxy& window);
    void DropClosedTab(int index, int& count, int& sel);

    // Tooltips.
    void FillTipText(NMHDR* header);
    void SyncTabTips();

    // Sizes at the DPI of the frame's monitor.
    void FitToDpi(UINT dpi);
    void OnDpiChanged(UINT dpi);

    // Context menu and commands.
    POINT FindContextTab(HWND window, POINT at);
    void AddPickedWindow();
    void RemoveContextTab();
    void ShowAbout();

    CTabCtrlProxy m_hwndTab;
    int m_contextTab;
    // Where the group's window last stood: the place for the next one when that one is gone.
    RECT m_lastPlace;
    bool m_placed;
    // A window asked to move and show that has not done so yet: until its application catches
    // up, the frame stands where the window will be.
    HWND m_pending;
    RECT m_pendingPlace;
    // How the switch shows the newly selected window.
    int m_showCommand;
    HWINEVENTHOOK m_eventHook;
    bool m_upkeepPosted;
    // Some tab controls register no per-tab tooltip tools; then the frame keeps them itself.
    bool m_tipsByFrame;
    // The strip's font away from the screen's own DPI.
    CDpiFont m_font;
};

CTabWndHandler* CreateTabWindow(HINSTANCE instance, HWND parent);
// Everything before the message loop: windows an earlier QuorTab left hidden are shown again,
// a crash will show ours, and the frame is made (throws when it is not).
CTabWndHandler* StartQuorTab(HINSTANCE instance);
// Shows every window this QuorTab grouped again; for a crash, the last thing the process does.
LONG WINAPI ShowGroupedWindowsOnCrash(EXCEPTION_POINTERS* exception);
void SelectNextTab(HWND tabControl);
void SelectPreviousTab(HWND tabControl);
