// Starting QuorTab.exe and answering its "Add a Window" dialog with the real mouse and keys.
#include "FrameGeometry.h"
#include "Input.h"
#include "PickerDriver.h"
#include "Pump.h"
#include "QuorTabNames.h"
#include "QuorTabProcess.h"
#include "WindowGroup.h"
#include "resource.h"
#include <algorithm>

class E2ePicking : public WindowGroupTest {};

namespace {
bool Lists(const std::vector<HWND>& listed, HWND window)
{
    return std::find(listed.begin(), listed.end(), window) != listed.end();
}
}  // namespace

TEST_F(E2ePicking, ThePickerOffersNotepadAndMinesweeperButNothingOfQuorTabItself)
{
    ASSERT_TRUE(StartApps({}, {kNotepad, kMinesweeper}));
    const HWND notepad = App(0), mines = App(1);
    CQuorTab quortab;
    HWND picker = quortab.WaitForPicker();
    ASSERT_TRUE(picker);

    std::vector<HWND> listed = PickerWindows(picker);
    EXPECT_TRUE(Lists(listed, notepad));
    EXPECT_TRUE(Lists(listed, mines));
    for (HWND window : quortab.TopLevelWindows())
        EXPECT_FALSE(Lists(listed, window)) << "QuorTab lists its own '" << WindowTitle(window) << "'";
    EXPECT_EQ(-1, PickerSelection(picker)) << "nothing is chosen for the user";
    EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == picker; }, 3000)) << ::GetForegroundWindow();
}

TEST_F(E2ePicking, PickingNotepadPutsOneTabUnderItAndBringsNotepadToTheFront)
{
    ASSERT_TRUE(StartApps({}, {kNotepad}));
    const HWND notepad = App(0);
    PlaceWindow(notepad, 150, 100, 640, 420);
    const RECT stood = WindowRect(notepad);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(notepad));

    HWND frame = quortab.Frame();
    EXPECT_TRUE(StripSettlesUnder(frame, notepad));
    EXPECT_TRUE(SameRect(stood, WindowRect(notepad))) << "notepad stays where it stood";
    EXPECT_EQ(std::vector<std::string>{"Untitled - Notepad"}, quortab.TabTitles());
    EXPECT_EQ(0, quortab.Selection());
    EXPECT_EQ(notepad, quortab.TabWindow(0));
    const RECT tab = quortab.TabOnScreen(0);
    EXPECT_EQ(quortab::kTabWidth, tab.right - tab.left) << "every tab has the same fixed width";
    EXPECT_GE(tab.top, stood.bottom) << "the tabs hang below the window";
    EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == notepad; }, 3000)) << ::GetForegroundWindow();
    const LONG_PTR exStyle = ::GetWindowLongPtrA(frame, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no taskbar button for the strip";
}

TEST_F(E2ePicking, DoubleClickingMinesweeperInThePickerGroupsIt)
{
    ASSERT_TRUE(StartApps({}, {kMinesweeper}));
    const HWND mines = App(0);
    PlaceWindow(mines, 300, 200, 160, 226);
    CQuorTab quortab;
    HWND picker = quortab.WaitForPicker();
    ASSERT_TRUE(picker);
    POINT item;
    ASSERT_TRUE(PickerItemPoint(picker, mines, &item));

    DoubleClick(item);
    HWND frame = quortab.WaitForFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(std::vector<std::string>{"WineMine"}, quortab.TabTitles());
    EXPECT_TRUE(StripSettlesUnder(frame, mines));
}

TEST_F(E2ePicking, EnterWithNothingChosenKeepsThePickerOpenAndCancelEndsQuorTabWithMinusOne)
{
    ASSERT_TRUE(StartApps({}, {kNotepad}));
    const HWND notepad = App(0);
    CQuorTab quortab;
    HWND picker = quortab.WaitForPicker();
    ASSERT_TRUE(picker);

    PressKeys({VK_RETURN});
    PumpFor(500);
    EXPECT_EQ(picker, quortab.Picker()) << "OK without a choice does nothing";
    EXPECT_FALSE(quortab.WaitForExit(0));

    Click(DialogButtonCentre(picker, IDCANCEL));
    ASSERT_TRUE(quortab.WaitForExit(5000)) << "a message box would keep QuorTab alive; " << quortab.Describe();
    EXPECT_EQ(static_cast<DWORD>(-1), quortab.ExitCode());
    EXPECT_TRUE(ShownSoon(notepad)) << "nothing happened to notepad";
}

TEST_F(E2ePicking, EscapeInThePickerEndsQuorTabWithMinusOne)
{
    ASSERT_TRUE(StartApps({}, {kNotepad}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.WaitForPicker());

    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    EXPECT_EQ(static_cast<DWORD>(-1), quortab.ExitCode());
}
