#pragma once
#include "QuorTabProgram.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

// The window of our fixture that the tests group beside Wine's programs.
extern const char kFixtureWindow[];

// The items of QuorTab's context menu, top to bottom.
enum ContextMenuItem {
    kMenuAbout, kMenuAddWindow, kMenuRemoveWindow, kMenuCloseWindow, kMenuCopyCommandLine, kMenuExit, kMenuItems
};

// QuorTab.exe as its own process, driven and looked at only from outside: its windows are
// found by class and title, the user's actions are real mouse and keyboard input, and its tab
// control is read through a buffer in QuorTab's own address space, since tab messages carry
// pointers that are not carried across processes.
class CQuorTab : public CQuorTabProgram {
public:
    // Starts QuorTab.exe from beside the test, with `arguments` on its command line; the process
    // ends with this object at the latest.
    explicit CQuorTab(const std::string& arguments = std::string(), DWORD idleWaitMs = kInputIdleMs);
    ~CQuorTab() override;

    // Puts it and its guardian in a job of their own; then KillWithItsGuardian ends both at one
    // stroke, as ending a process tree does.
    bool HoldInJobWithItsGuardian();
    bool KillWithItsGuardian();

    // Waits up to `timeoutMs` for the context menu to be visible; null if it never is.
    HWND WaitForMenu(DWORD timeoutMs = 5000) const;
    // The visible context menu now, or null.
    HWND Menu() const;

    int TabCount() const;
    int Selection() const;
    HWND TabWindow(int index) const;
    std::string TabTitle(int index) const;
    std::vector<std::string> TabTitles() const;
    RECT TabOnScreen(int index) const;

    // Where a person points: the middle of a tab, or of the empty strip right of the tabs.
    POINT TabPoint(int index) const;
    POINT BesideTabs() const;

    // What a person does. Each fails, saying why, as soon as a step finds nothing to act on.
    // Picks `first` in the picker that opens at start and waits for the strip under it.
    ::testing::AssertionResult StartWith(HWND first);
    // Waits until the strip is what the mouse would hit at `at`, as a person looks before
    // clicking: windows of other programs may cover the strip for a moment after a switch.
    ::testing::AssertionResult Reachable(POINT at) const;
    // A click on a tab, or on the strip beside the tabs.
    ::testing::AssertionResult ClickTab(int index);
    ::testing::AssertionResult ClickBesideTabs();
    // Right-clicks at `at` and chooses the item in the menu that opens; the menu closes.
    ::testing::AssertionResult ChooseFromMenu(POINT at, ContextMenuItem item);
    // "&Add Window..." from a right-click on the selected tab, then the window in the picker;
    // succeeds once its tab is there and the window has gone into hiding.
    ::testing::AssertionResult Add(HWND window);
    // StartWith the first window, then Add the others in order.
    ::testing::AssertionResult Group(const std::vector<HWND>& windows);
    // Its state in words, for failure messages: ended, or which windows it has.
    std::string Describe() const;
    // The caption and text of every message box it shows now; empty when there is none.
    std::string MessageBoxes() const;
    // Waits for a message box, answers it with OK and gives what MessageBoxes() said of it;
    // empty when none came.
    std::string AnswerMessageBox() const;

private:
    // Sends a tab message whose lParam points into the remote buffer; the reply, or -1.
    LRESULT SendToTab(UINT message, WPARAM wParam, bool withBuffer) const;
    bool ReadRemote(const void* address, void* data, size_t size) const;
    bool WriteRemote(void* address, const void* data, size_t size) const;
    // A buffer in QuorTab's address space: an item or rectangle at its start, text after it.
    // It goes away with the process.
    char* m_remote;
    HANDLE m_job;
};

// The "Add a Window" dialog of another process (PickerWindows in PickerDriver.h).
int PickerSelection(HWND picker);
RECT PickerItemOnScreen(HWND picker, int index);
POINT DialogButtonCentre(HWND dialog, int id);
// The centre of the item of `window` in the list, or false when it is not listed.
bool PickerItemPoint(HWND picker, HWND window, POINT* at);
// A person's choice: a click on the window's item, then on OK. False when it is not listed.
bool PickWithMouse(HWND picker, HWND window);

// How many pixels of the item's line in the open menu window are drawn in the menu text colour
// (the items are text lines of one height): none for a greyed item, many for an enabled one.
int MenuItemTextPixels(HWND menu, ContextMenuItem item);

// Like PumpUntil, with the deadline the end-to-end tests allow for another process to react:
// far above the upkeep's kUpkeepMs, as the machine may be busy.
bool Eventually(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// The strip where a person expects it under `window` (FrameIsPlacedBelow), after waiting for
// it as long as Eventually does: the upkeep puts the strip back within kUpkeepMs of any change.
::testing::AssertionResult StripSettlesUnder(HWND frame, HWND window);
