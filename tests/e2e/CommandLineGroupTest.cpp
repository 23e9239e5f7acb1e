// QuorTab started with rules on its command line: which windows it takes, when it takes them,
// what it refuses, and the line it copies that gathers a group again.
#include "Pump.h"
#include "QuorTabNames.h"
#include "QuorTabProcess.h"
#include "Utf8.h"
#include "WindowFacts.h"
#include "WindowGroup.h"
#include <algorithm>

class E2eCommandLine : public WindowGroupTest {};

namespace {
std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(NULL))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        text = Utf8FromWide(static_cast<const wchar_t*>(::GlobalLock(data)));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A program started while QuorTab runs, and its main window once it has one.
HWND WindowOf(const CChildProcess& program, const WineProgramName& name)
{
    HWND window = NULL;
    Eventually([&] { return (window = program.FindWindow(name.windowClass, NULL)) != NULL; }, 10000);
    return window;
}
}  // namespace

TEST_F(E2eCommandLine, AProcessRuleGroupsEveryNotepadTopMostFirstAndASecondQuorTabFindsNone)
{
    ASSERT_TRUE(StartApps({}, {kNotepad, kNotepad, kMinesweeper}));
    const HWND older = App(0), newer = App(1), mines = App(2);
    PlaceWindow(older, 80, 60, 500, 360);
    PlaceWindow(newer, 220, 140, 500, 360);
    CQuorTab quortab("--process notepad.exe");
    ASSERT_TRUE(Eventually([&] { return quortab.TabCount() == 2; })) << quortab.Describe();
    EXPECT_EQ(newer, quortab.TabWindow(0)) << "the newer notepad stood above the older";
    EXPECT_EQ(older, quortab.TabWindow(1));
    EXPECT_EQ(0, quortab.Selection());
    EXPECT_TRUE(HiddenSoon(older));
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), newer));
    EXPECT_TRUE(Eventually([&] { return ::GetForegroundWindow() == newer; })) << ::GetForegroundWindow();
    EXPECT_TRUE(::IsWindowVisible(mines)) << "winemine is left alone";

    CQuorTab second("--process notepad.exe");
    const std::string box = second.AnswerMessageBox();
    EXPECT_TRUE(Contains(box, "'Quor Tab'") && Contains(box, "--process notepad.exe")) << box;
    ASSERT_TRUE(second.WaitForExit(5000)) << second.Describe();
    EXPECT_EQ(static_cast<DWORD>(-1), second.ExitCode());
    EXPECT_EQ(2, quortab.TabCount());
    EXPECT_TRUE(::IsWindowVisible(newer) && !::IsWindowVisible(older)) << "the first QuorTab keeps both";
}

TEST_F(E2eCommandLine, TheCopiedCommandLineGathersThePickedGroupAgainAfterExit)
{
    ASSERT_TRUE(StartApps({}, {kNotepad, kMinesweeper}));
    const HWND notepad = App(0), mines = App(1);
    PlaceWindow(notepad, 100, 80, 520, 380);
    std::string copied;
    {
        CQuorTab quortab;
        ASSERT_TRUE(quortab.Group({notepad, mines}));
        ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(0), kMenuCopyCommandLine));
        ASSERT_TRUE(Eventually([&] { return !(copied = ClipboardText()).empty(); })) << quortab.Describe();
        ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(0), kMenuExit));
        ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    }
    const std::string path = Quote(ProgramPath("QuorTab.exe"));
    ASSERT_EQ(path + " --process notepad.exe --process winemine.exe", copied);
    ASSERT_TRUE(ShownSoon(mines));

    CQuorTab rebuilt(copied.substr(path.size() + 1));
    ASSERT_TRUE(Eventually([&] { return rebuilt.TabCount() == 2; })) << rebuilt.Describe();
    const HWND first = rebuilt.TabWindow(0), second = rebuilt.TabWindow(1);
    EXPECT_TRUE((first == notepad && second == mines) || (first == mines && second == notepad));
    EXPECT_TRUE(HiddenSoon(second));
}

TEST_F(E2eCommandLine, FollowingWaitsForAMatchThenTakesInLaterOnesButNotOneTakenOut)
{
    CQuorTab quortab("--process notepad.exe --follow");
    PumpFor(quortab::kRuleWalkMs + 500);
    EXPECT_FALSE(quortab.HasEnded()) << quortab.Describe();
    EXPECT_EQ(NULL, quortab.FindVisibleWindow(quortab::kClassName, quortab::kFrameTitle)) << "no strip yet";

    CChildProcess firstProgram(kNotepad.exe);
    const HWND first = WindowOf(firstProgram, kNotepad);
    ASSERT_TRUE(Eventually([&] { return quortab.TabCount() == 1; }, 10000)) << quortab.Describe();
    EXPECT_EQ(first, quortab.TabWindow(0));
    EXPECT_TRUE(StripSettlesUnder(quortab.WaitForFrame(), first));

    CChildProcess secondProgram(kNotepad.exe);
    const HWND second = WindowOf(secondProgram, kNotepad);
    ASSERT_TRUE(Eventually([&] { return quortab.TabCount() == 2; }, 10000)) << quortab.Describe();
    EXPECT_EQ(second, quortab.TabWindow(1));
    EXPECT_TRUE(HiddenSoon(second)) << "a window that joins later is hidden, as an added one";
    EXPECT_EQ(0, quortab.Selection());

    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(1), kMenuRemoveWindow));
    ASSERT_TRUE(ShownSoon(second));
    PumpFor(2 * quortab::kRuleWalkMs);
    EXPECT_EQ(1, quortab.TabCount()) << "the window the user took out stays out";
    EXPECT_TRUE(::IsWindowVisible(second));
}

TEST_F(E2eCommandLine, AWrongOptionGroupsNothingAndEndsWithTwo)
{
    ASSERT_TRUE(StartApps({}, {kNotepad}));
    CQuorTab quortab("--process notepad.exe --proces winemine.exe");
    ASSERT_TRUE(Eventually([&] { return !quortab.MessageBoxes().empty(); })) << quortab.Describe();
    EXPECT_EQ(NULL, quortab.Frame());
    const std::string box = quortab.AnswerMessageBox();
    EXPECT_TRUE(Contains(box, "'Quor Tab'") && Contains(box, "Unknown option: --proces")) << box;
    ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    EXPECT_EQ(2u, quortab.ExitCode());
    EXPECT_TRUE(::IsWindowVisible(App(0)));
}

TEST_F(E2eCommandLine, TwoQuorTabsStartedAtOnceNeverBothTakeAWindow)
{
    ASSERT_TRUE(StartApps({}, {kNotepad, kNotepad, kNotepad}));
    CQuorTab one("--process notepad.exe", kNoIdleWait), two("--process notepad.exe", kNoIdleWait);
    // Each ends up with tabs or with the box that says it found nothing.
    auto settled = [](const CQuorTab& quortab) { return quortab.TabCount() > 0 || !quortab.MessageBoxes().empty(); };
    ASSERT_TRUE(Eventually([&] { return settled(one) && settled(two); }, 15000)) << one.Describe() << two.Describe();
    // Whatever one was still taking has been taken a moment later.
    PumpFor(4 * quortab::kUpkeepMs);
    std::vector<HWND> taken;
    for (const CQuorTab* quortab : {&one, &two})
        for (int i = 0; i < std::max(0, quortab->TabCount()); ++i)
            taken.push_back(quortab->TabWindow(i));
    std::sort(taken.begin(), taken.end());
    std::vector<HWND> notepads = Apps();
    std::sort(notepads.begin(), notepads.end());
    EXPECT_EQ(notepads, taken) << "each notepad in exactly one group; " << one.Describe() << two.Describe();
}

TEST_F(E2eCommandLine, RulesTakeTheWindowsAQuorTabKilledWithItsGuardianLeftHidden)
{
    ASSERT_TRUE(StartApps({}, {kNotepad, kMinesweeper}));
    const HWND notepad = App(0), mines = App(1);
    {
        // Killed with its guardian: a guardian would show the window at once.
        CQuorTab killed;
        ASSERT_TRUE(killed.Group({mines, notepad}));
        ASSERT_TRUE(killed.HoldInJobWithItsGuardian());
        ASSERT_TRUE(HiddenSoon(notepad));
        ASSERT_TRUE(killed.KillWithItsGuardian());
        ASSERT_TRUE(killed.WaitForExit(10000));
    }
    ASSERT_FALSE(::IsWindowVisible(notepad));
    CQuorTab quortab("--process notepad.exe");
    EXPECT_TRUE(Eventually([&] { return quortab.TabCount() == 1 && quortab.TabWindow(0) == notepad; }))
        << quortab.Describe() << quortab.MessageBoxes();
}

// The once-a-second walk keeps what never changes of a window it has seen, and reads the titles of
// those only a title could bring in again in turns, a few a walk: among forty, each in time.
TEST_F(E2eCommandLine, FollowingTakesInWindowsSeenBeforeOnceTheirTitlesComeToMatch)
{
    ASSERT_TRUE(StartApps(std::vector<std::string>(40, "title=Draft;x=300;y=150;w=400;h=250"), {kMinesweeper}));
    CQuorTab quortab("--title \"Final *\" --follow");
    PumpFor(2 * quortab::kRuleWalkMs + 500);
    ASSERT_EQ(0, quortab.TabCount()) << quortab.Describe();

    ASSERT_TRUE(::SetWindowTextA(App(0), "Final 1"));
    ASSERT_TRUE(::SetWindowTextA(App(39), "Final 40"));
    EXPECT_TRUE(Eventually([&] { return quortab.TabCount() == 2; }, 20000)) << quortab.Describe();
    std::vector<HWND> taken = {quortab.TabWindow(0), quortab.TabWindow(1)};
    std::sort(taken.begin(), taken.end());
    std::vector<HWND> renamed = {App(0), App(39)};
    std::sort(renamed.begin(), renamed.end());
    EXPECT_EQ(renamed, taken);
}
