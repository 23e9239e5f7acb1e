// Starting QuorTab.exe and answering its "Add a Window" dialog with the real mouse and keys.
#include "FrameGeometry.h"
#include "Pump.h"
#include "QuorTabProcess.h"
#include "RealInput.h"
#include "WineProgram.h"
#include "resource.h"
#include <algorithm>

namespace {
bool Lists(const std::vector<HWND>& listed, HWND window)
{
    return std::find(listed.begin(), listed.end(), window) != listed.end();
}
}  // namespace

TEST(E2ePicking, ThePickerOffersNotepadAndMinesweeperButNothingOfQuorTabItself)
{
    CWineProgram notepad("notepad.exe", kNotepadClass);
    CWineProgram mines("winemine.exe", kMinesweeperClass);
    ASSERT_TRUE(notepad.Window() && mines.Window());
    CQuorTab quortab;
    HWND picker = quortab.WaitForPicker();
    ASSERT_TRUE(picker);

    std::vector<HWND> listed = PickerWindows(picker);
    EXPECT_TRUE(Lists(listed, notepad.Window()));
    EXPECT_TRUE(Lists(listed, mines.Window()));
    for (HWND window : quortab.TopLevelWindows())
        EXPECT_FALSE(Lists(listed, window)) << "QuorTab lists its own '" << WindowTitle(window) << "'";
    EXPECT_EQ(-1, PickerSelection(picker)) << "nothing is chosen for the user";
    EXPECT_EQ(picker, ::GetForegroundWindow());
}

TEST(E2ePicking, PickingNotepadPutsOneTabUnderItAndBringsNotepadToTheFront)
{
    CWineProgram notepad("notepad.exe", kNotepadClass);
    ASSERT_TRUE(notepad.Window());
    notepad.Place(150, 100, 640, 420);
    const RECT stood = WindowRect(notepad.Window());
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(notepad.Window()));

    HWND frame = quortab.Frame();
    EXPECT_TRUE(StripSettlesUnder(frame, notepad.Window()));
    EXPECT_TRUE(SameRect(stood, WindowRect(notepad.Window()))) << "notepad stays where it stood";
    EXPECT_EQ(std::vector<std::string>{"Untitled - Notepad"}, quortab.TabTitles());
    EXPECT_EQ(0, quortab.Selection());
    EXPECT_EQ(notepad.Window(), quortab.TabWindow(0));
    const RECT tab = quortab.TabOnScreen(0);
    EXPECT_EQ(100, tab.right - tab.left) << "every tab is 100 pixels wide";
    EXPECT_GE(tab.top, stood.bottom) << "the tabs hang below the window";
    EXPECT_EQ(notepad.Window(), ::GetForegroundWindow());
    const LONG_PTR exStyle = ::GetWindowLongPtrA(frame, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no taskbar button for the strip";
}

TEST(E2ePicking, DoubleClickingMinesweeperInThePickerGroupsIt)
{
    CWineProgram mines("winemine.exe", kMinesweeperClass);
    ASSERT_TRUE(mines.Window());
    mines.Place(300, 200, 160, 226);
    CQuorTab quortab;
    HWND picker = quortab.WaitForPicker();
    ASSERT_TRUE(picker);
    POINT item;
    ASSERT_TRUE(PickerItemPoint(picker, mines.Window(), &item));

    DoubleClick(item);
    HWND frame = quortab.WaitForFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(std::vector<std::string>{"WineMine"}, quortab.TabTitles());
    EXPECT_TRUE(StripSettlesUnder(frame, mines.Window()));
}

TEST(E2ePicking, EnterWithNothingChosenKeepsThePickerOpenAndCancelEndsQuorTabWithMinusOne)
{
    CWineProgram notepad("notepad.exe", kNotepadClass);
    ASSERT_TRUE(notepad.Window());
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
    EXPECT_TRUE(::IsWindowVisible(notepad.Window())) << "nothing happened to notepad";
}

TEST(E2ePicking, EscapeInThePickerEndsQuorTabWithMinusOne)
{
    CWineProgram notepad("notepad.exe", kNotepadClass);
    ASSERT_TRUE(notepad.Window());
    CQuorTab quortab;
    ASSERT_TRUE(quortab.WaitForPicker());

    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    EXPECT_EQ(static_cast<DWORD>(-1), quortab.ExitCode());
}
