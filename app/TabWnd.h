#pragma once
#include "QuorTabNames.h"
#include "RuleGroup.h"
#include "StripPlacer.h"
#include "StripView.h"
#include "TabDrag.h"
#include "TabGroup.h"
#include "WindowDrop.h"
#include "WndHandler.h"
#include <memory>
#include <string>

extern HINSTANCE g_hInstance;
extern ATOM g_tabWndClass;
extern char g_tipText[quortab::kTextChars];

// The tab frame: a captionless tool window whose tab strip shows a group of other applications'
// windows. It owns the pieces and routes to them: the group (CTabGroup) alone chooses tabs, the
// strip view alone writes the tab control, the placer alone moves the frame; the frame turns
// messages into the group's verbs and shows the grouped windows the group chose.
class CTabWndHandler : public CWndHandler, private CTabGroupObserver, private CDropTarget {
public:
    // With rules, the group gathers its windows by them instead of asking the user.
    explicit CTabWndHandler(std::unique_ptr<CRuleGroup> rules = nullptr);
    ~CTabWndHandler() override;

    // False, and nothing done, for a window that already has a tab.
    bool InsertTab(const CWndProxy& window);
    void PlaceFrame() { m_placer.Place(); }
    HWND GetTabControl() const { return m_strip.Control().GetHandle(); }
    // A grouped window moved, changed its title, showed, hid or went: the upkeep runs at once. Any
    // window's move may be a drag onto the strip.
    void OnWindowEvent(HWND window, DWORD event);
    // Lets the window go, shown where it stands or at `at`; when it was the selected one, the
    // tab that takes its place is selected and its window shown on the same rectangle.
    void GiveBack(HWND window, const RECT* at = nullptr);

protected:
    LRESULT OnCreate(CREATESTRUCTA* create) override;
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
    // The router (app/TabWnd.cpp): start, end, messages and input.
    // The group's life begins with its first window, selected: the strip under it, the window in
    // front, the upkeep running.
    void BeginGroup(const CWndProxy& first);
    void TakeMatched(HWND window);
    void OnTabChanged(const CTabGroup& group, const TabChange& change) override;
    void OnPrivateMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK StripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR frame);
    void OnStripMouse(UINT message, POINT at);
    void OnStripKey(WPARAM key);
    void CycleOnCtrlTab(WPARAM key);
    void Cycle(int step);
    void OnCycleKey(int step);
    POINT FindContextTab(HWND window, POINT at);
    void OnMenuCommand(WORD id);

    // The group's verbs and what they do to its windows (app/FrameSwitch.cpp).
    // Null for a closed window or an index that names no tab.
    CWndProxy GetTabWindow(int index) const;
    CWndProxy PickWindow();
    void AddPickedWindow();
    void CloseContextTab();
    void DropTab(HWND window, POINT cursor);
    // Switching: the group selects, and the newly selected window takes the place of tab `from`'s.
    void SelectTab(int index);
    void SelectBy(int step);
    void SelectWindow(HWND window);
    void ShowSelected(int from);
    void ShowSelectedAt(const RECT* at);
    bool PlaceOf(HWND window, RECT& place) const;
    void ExpectShown(const CWndProxy& window, const RECT& place);
    // Upkeep: titles, closed windows, windows their programs hid, and one placement.
    void Upkeep();
    std::vector<HWND> RefreshTitles();
    void DropClosedTabs();
    void WatchHiddenByApp(WindowShow show);
    void PassSelectionOn(int to, const RECT* at);
    // A window dragged onto the strip (app/WindowDrop.h).
    HWND StripFrame() const override { return m_hWnd; }
    HWND StripTabs() const override { return GetTabControl(); }
    void KeepStripInFront(bool keep) override;
    void JoinDropped(HWND window, int index) override;

    CTabGroup m_group;
    CStripView m_strip;
    CStripPlacer m_placer;
    CTabDrag m_drag;
    CWindowDrop m_windowDrop;
    // How the switch shows the newly selected window.
    int m_showCommand;
    HWINEVENTHOOK m_eventHook;
    bool m_upkeepPosted;
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
// Everything before the message loop: the command line read, windows an earlier QuorTab left
// hidden shown again, a crash set to show ours, when `guarded` the group's guardian started
// (app/Guardian.h: the program's own process only), and the frame made (throws when it is not).
// Null when the command line ends the program at once, with `exitCode`.
CTabWndHandler* StartQuorTab(HINSTANCE instance, const std::string& arguments = std::string(),
                             int* exitCode = nullptr, bool guarded = false);
// Ctrl+Alt+PageDown and Ctrl+Alt+PageUp select the next and the previous tab while the user works
// in the group's window: a low-level keyboard hook on a thread of its own. The program installs
// it once at start.
void InstallCycleKeys();
// Shows every window this QuorTab grouped again; for a crash, the last thing the process does.
LONG WINAPI ShowGroupedWindowsOnCrash(EXCEPTION_POINTERS* exception);
