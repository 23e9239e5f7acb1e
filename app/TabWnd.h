#pragma once
#include "Dpi.h"
#include "Placement.h"
#include "QuorTabNames.h"
#include "RuleGroup.h"
#include "TabCtrlProxy.h"
#include "TabGroup.h"
#include "TabIcons.h"
#include "WindowDrop.h"
#include "WndHandler.h"
#include <memory>
#include <string>

extern HINSTANCE g_hInstance;
extern ATOM g_tabWndClass;
extern char g_tipText[quortab::kTextChars];

// The tab frame: a captionless tool window whose tab strip shows a group of other applications'
// windows. The group's record is a CTabGroup, which alone chooses tabs: the frame turns input into
// its verbs and, told of each change, shows it on the strip, where each tab's item data is its
// window's handle.
class CTabWndHandler : public CWndHandler, private CTabGroupObserver, private CDropTarget {
public:
    // With rules, the group gathers its windows by them instead of asking the user.
    explicit CTabWndHandler(std::unique_ptr<CRuleGroup> rules = nullptr);
    ~CTabWndHandler() override;

    // False, and nothing done, for a window that already has a tab.
    bool InsertTab(const CWndProxy& window);
    void PlaceFrame();
    HWND GetTabControl() const { return m_hwndTab.GetHandle(); }
    // A grouped window moved, changed its title, showed, hid or went: the upkeep runs at once. Any
    // window's move may be a drag onto the strip.
    void OnWindowEvent(HWND window, DWORD event);
    // Lets the window go, shown where it stands or at `at`; when it was the selected one, the
    // tab that takes its place is selected and its window shown on the same rectangle.
    void GiveBack(HWND window, const RECT* at = nullptr);

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
    // Null for a closed window or an index that names no tab.
    CWndProxy GetTabWindow(int index) const;
    CWndProxy PickWindow();
    // The group's life begins with its first window, selected: the strip under it, the window in
    // front, the upkeep running.
    void BeginGroup(const CWndProxy& first);
    void TakeMatched(HWND window);

    // Showing the group: the strip changes only where the group did.
    void OnTabChanged(const CTabGroup& group, const TabChange& change) override;
    void ShowSelection();
    void ShowDroppedTabs(HWND selectedBefore, bool closedHere);

    // Switching: the group selects, and the newly selected window takes the place of tab `from`'s.
    void SelectTab(int index);
    void SelectBy(int step);
    void ShowSelected(int from);
    void ShowSelectedAt(const RECT* at);
    void SelectWindow(HWND window);
    bool PlaceOf(HWND window, RECT& place) const;
    void ExpectShown(const CWndProxy& window, const RECT& place);
    void OnStripKey(WPARAM key);
    void CycleOnCtrlTab(WPARAM key);
    void Cycle(int step);

    // The strip under its window, or over its lower edge.
    void PlaceFrameBelow(HWND window);
    void MoveFrame(HWND window, const StripPlace& place);
    bool FrameInOrder(HWND window, bool inFront) const;
    StripPlace PlaceFor(const RECT& window, WindowShow show);
    // Follows a window being dragged at display rate until it stands still.
    void StartFollowing(const RECT& place);
    void Follow();

    // Upkeep.
    void Upkeep();
    void RefreshTitles(std::vector<HWND>& closed);
    void WatchHiddenByApp();
    void PassSelectionOn(int to, const RECT* at);

    // Windows dragged onto the strip (app/WindowDrop.h).
    HWND StripFrame() const override { return m_hWnd; }
    HWND StripTabs() const override { return m_hwndTab.GetHandle(); }
    void PlaceStripAgain() override { PlaceFrame(); }
    void JoinDropped(HWND window, int index) override;

    // Dragging tabs (app/TabDrag.cpp): the strip's mouse, seen before the tab control's own.
    static LRESULT CALLBACK StripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR frame);
    void OnStripMouse(UINT message, POINT at);
    void DropTab(HWND window, POINT cursor);

    void FillTipText(NMHDR* header);
    // Sizes at the DPI of the frame's monitor.
    void FitToDpi(UINT dpi);
    void OnDpiChanged(UINT dpi);

    // Context menu and commands.
    POINT FindContextTab(HWND window, POINT at);
    void AddPickedWindow();
    void RemoveContextTab();
    void CloseContextTab();
    void OnCycleKey(int step);
    // A command line that gathers this group again, on the clipboard.
    void CopyCommandLine();
    void ShowAbout();

    CTabCtrlProxy m_hwndTab;
    CTabGroup m_group;
    CWindowDrop m_windowDrop;
    // How the switch shows the newly selected window.
    int m_showCommand;
    HWINEVENTHOOK m_eventHook;
    bool m_upkeepPosted;
    // Some tab controls register no per-tab tooltip tools; then the frame keeps them itself.
    bool m_tipsByFrame;
    // The strip's font away from the screen's own DPI.
    CDpiFont m_font;
    CTabIcons m_icons;
    // The tab row with its borders and the frame's border, measured again when the row may have
    // changed (0: not measured).
    int m_rowHeight;
    int m_border;
    // The monitor of the window last placed under, its work area, and that window's rectangle.
    bool m_workKnown;
    RECT m_workFor;
    RECT m_monitor;
    RECT m_work;
    // The selected window's state and, while following a drag, its last rectangle and since
    // when it has stood there.
    WindowShow m_show;
    bool m_following;
    RECT m_followed;
    DWORD m_stillSince;
    // The tab pressed in the strip, and whether it is being dragged.
    HWND m_pressed;
    POINT m_pressedAt;
    bool m_dragging;
    // The window "Close Window" was used on: when it goes, the next takes its place. Forgotten when
    // it goes or another tab is selected (its program may have been told not to close).
    HWND m_closing;
    // Upkeep passes that found the selected window hidden, not by us.
    int m_hiddenPasses;
    // The tab's window the context menu was opened on: commands act on it, whatever moved since.
    HWND m_contextWindow;
    // Null when the user picks the windows.
    std::unique_ptr<CRuleGroup> m_ruleGroup;
};

// A frame with rules stays hidden until it has a window to stand under.
CTabWndHandler* CreateTabWindow(HINSTANCE instance, HWND parent, std::unique_ptr<CRuleGroup> rules = nullptr);
// The work area of the monitor the rectangle is on, or the nearest.
RECT WorkAreaOf(const RECT& place, RECT* monitor = nullptr);
// Everything before the message loop: the command line read, windows an earlier QuorTab left
// hidden shown again, a crash set to show ours, and the frame made (throws when it is not).
// Null when the command line ends the program at once, with `exitCode`.
CTabWndHandler* StartQuorTab(HINSTANCE instance, const std::string& arguments = std::string(),
                             int* exitCode = nullptr);
// Ctrl+Alt+PageDown and Ctrl+Alt+PageUp select the next and the previous tab while the user works
// in the group's window: a low-level keyboard hook on a thread of its own. The program installs
// it once at start.
void InstallCycleKeys();
// Shows every window this QuorTab grouped again; for a crash, the last thing the process does.
LONG WINAPI ShowGroupedWindowsOnCrash(EXCEPTION_POINTERS* exception);
