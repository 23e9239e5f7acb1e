// A QuorTab that dies never takes windows with it: a crashing one shows them itself, a killed one's
// guardian shows them, and the next one to start shows what a group killed with its guardian left
// hidden before its picker opens. That no guardian shows a window a live group holds rests on the
// marks' process id and start time (tests/group/GroupMarkTest.cpp): a reused process id, which
// would make a dead group's mark read as a live one's, cannot be brought about in a test.
#include "Input.h"
#include "PickerDriver.h"
#include "Pump.h"
#include "QuorTabProcess.h"
#include "WindowGroup.h"
#include <algorithm>
#include <cstdio>

namespace {
enum class How {
    Crashed,            // an access violation inside QuorTab
    Killed,             // TerminateProcess from outside
    GuardianKilledFirst,  // its guardian killed, and once the replacement runs, the group
    KilledWithGuardian  // both at one stroke, as ending a process tree does
};
struct Death {
    const char* name;
    How how;
};
void PrintTo(const Death& c, std::ostream* out) { *out << c.name; }
class E2eRecovery : public WindowGroupTest, public ::testing::WithParamInterface<Death> {};

bool Listed(HWND picker, HWND window)
{
    const std::vector<HWND> listed = PickerWindows(picker);
    return std::find(listed.begin(), listed.end(), window) != listed.end();
}

::testing::AssertionResult KillItsGuardianAndAwaitAnother(const CQuorTab& group)
{
    HANDLE guardian = group.WaitForGuardian();
    if (!guardian)
        return ::testing::AssertionFailure() << "no guardian: " << group.Describe();
    const DWORD id = ::GetProcessId(guardian);
    const DWORD killedAt = ::GetTickCount();
    const bool ended = ::TerminateProcess(guardian, 1) && ::WaitForSingleObject(guardian, 5000) == WAIT_OBJECT_0;
    ::CloseHandle(guardian);
    if (!ended)
        return ::testing::AssertionFailure() << "the guardian did not end";
    HANDLE replacement = group.WaitForGuardian(id, 5000);
    if (!replacement)
        return ::testing::AssertionFailure() << "no guardian in its place: " << group.Describe();
    std::printf("a guardian in the place of the killed one after %lu ms\n", ::GetTickCount() - killedAt);
    ::CloseHandle(replacement);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Die(CQuorTab& group, How how)
{
    switch (how) {
    case How::Crashed: {
        // A thread that starts at an address nothing is mapped at.
        HANDLE thread = ::CreateRemoteThread(group.Handle(), NULL, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(8),
                                             NULL, 0, NULL);
        if (!thread)
            return ::testing::AssertionFailure() << "no thread started in QuorTab";
        ::CloseHandle(thread);
        return ::testing::AssertionSuccess();
    }
    case How::GuardianKilledFirst: {
        ::testing::AssertionResult replaced = KillItsGuardianAndAwaitAnother(group);
        if (!replaced)
            return replaced;
        return ::testing::AssertionResult(::TerminateProcess(group.Handle(), 1) != FALSE);
    }
    case How::Killed:
        return ::testing::AssertionResult(::TerminateProcess(group.Handle(), 1) != FALSE);
    case How::KilledWithGuardian:
        return ::testing::AssertionResult(group.KillWithItsGuardian()) << "the job did not end";
    }
    return ::testing::AssertionFailure();
}
}  // namespace

TEST_P(E2eRecovery, NoGroupedWindowStaysHiddenAfterQuorTabDies)
{
    ASSERT_TRUE(StartApps({"title=Ours;x=600;y=100;w=300;h=200"}, {kNotepad, kMinesweeper}));
    const std::vector<HWND> hidden = {App(0), App(2)};
    const bool showsAtOnce = GetParam().how != How::KilledWithGuardian;
    {
        CQuorTab first;
        ASSERT_TRUE(first.Group({App(1), App(0), App(2)}));
        if (!showsAtOnce) {
            ASSERT_TRUE(first.HoldInJobWithItsGuardian());
        }
        const DWORD diedAt = ::GetTickCount();
        ASSERT_TRUE(Die(first, GetParam().how));
        ASSERT_TRUE(first.WaitForExit(10000));
        const bool shown = Eventually([&] {
            return std::all_of(hidden.begin(), hidden.end(), [](HWND w) { return ::IsWindowVisible(w) != FALSE; });
        }, showsAtOnce ? 5000 : 500);
        EXPECT_EQ(showsAtOnce, shown) << (showsAtOnce ? "shown by QuorTab or its guardian" : "nothing was left to show them");
        if (shown)
            std::printf("%s: hidden windows shown %lu ms after QuorTab was made to die\n", GetParam().name,
                        ::GetTickCount() - diedAt);
    }

    CQuorTab second;
    HWND picker = second.WaitForPicker();
    ASSERT_TRUE(picker);
    for (HWND window : hidden) {
        EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(window) != FALSE; })) << WindowTitle(window);
        EXPECT_TRUE(Listed(picker, window)) << WindowTitle(window) << " is offered again";
    }
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(second.WaitForExit(5000)) << second.Describe();
}

const Death kDeaths[] = {{"Crashed", How::Crashed},
                         {"Killed", How::Killed},
                         {"GuardianKilledFirst", How::GuardianKilledFirst},
                         {"KilledWithGuardian", How::KilledWithGuardian}};
INSTANTIATE_TEST_SUITE_P(E2e, E2eRecovery, ::testing::ValuesIn(kDeaths),
                         [](const ::testing::TestParamInfo<Death>& info) { return std::string(info.param.name); });

class E2eGuardian : public WindowGroupTest {};


TEST_F(E2eGuardian, ExitEndsTheGroupAndItsGuardianAndLeavesNoQuorTabRunning)
{
    ASSERT_TRUE(StartApps({kFixtureWindow}, {kNotepad}));
    CQuorTab quortab;
    ASSERT_TRUE(quortab.Group(Apps()));
    HANDLE guardian = quortab.WaitForGuardian();
    ASSERT_TRUE(guardian) << quortab.Describe();
    EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(guardian, 0)) << "it runs beside its group";
    const DWORD group = quortab.Id();

    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.TabPoint(0), kMenuExit));
    ASSERT_TRUE(quortab.WaitForExit(5000)) << quortab.Describe();
    const DWORD exitedAt = ::GetTickCount();
    EXPECT_EQ(0u, quortab.ExitCode());
    EXPECT_TRUE(Eventually([&] { return ::WaitForSingleObject(guardian, 0) == WAIT_OBJECT_0; }));
    std::printf("the guardian ended %lu ms after its group\n", ::GetTickCount() - exitedAt);
    DWORD code = STILL_ACTIVE;
    EXPECT_TRUE(::GetExitCodeProcess(guardian, &code) && code == 0) << code;
    ::CloseHandle(guardian);
    EXPECT_TRUE(Eventually([&] { return ChildProcessIds(group).empty(); })) << "no guardian started again";
    for (HWND window : Apps())
        EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(window) != FALSE; })) << WindowTitle(window);
}

TEST_F(E2eGuardian, AKilledGroupsGuardianLeavesTheWindowsOfALiveGroupHidden)
{
    ASSERT_TRUE(StartApps({"title=First;x=100;y=80;w=300;h=200", "title=Second;x=150;y=120;w=300;h=200",
                           "title=Third;x=600;y=100;w=300;h=200"}, {kNotepad}));
    const HWND killedHides = App(1), liveHides = App(3);
    CQuorTab live;
    ASSERT_TRUE(live.Group({App(2), liveHides}));
    CQuorTab killed;
    ASSERT_TRUE(killed.Group({App(0), killedHides}));
    ASSERT_TRUE(HiddenSoon(liveHides) && HiddenSoon(killedHides));

    ASSERT_TRUE(::TerminateProcess(killed.Handle(), 1));
    EXPECT_TRUE(ShownSoon(killedHides, 5000));
    EXPECT_FALSE(Eventually([&] { return ::IsWindowVisible(liveHides) != FALSE; }, 1000))
        << "the live group still holds it";
    EXPECT_EQ(2, live.TabCount()) << live.Describe();
}

TEST(E2eGuardianOption, IsRefusedWithTheUsageWhenMixedWithOthersOrGivenNoGroupsHandle)
{
    // 4 is a handle value every process has in use, but none it inherited for a group.
    for (const char* line : {"--guard 4 --help", "--process notepad.exe --guard 4", "--guard 4", "--guard 123456"}) {
        CQuorTab quortab(line);
        const std::string box = quortab.AnswerMessageBox();
        EXPECT_NE(std::string::npos, box.find("Unknown option: --guard")) << line << ": " << box;
        EXPECT_NE(std::string::npos, box.find("Usage: QuorTab.exe")) << line << ": " << box;
        ASSERT_TRUE(quortab.WaitForExit(5000)) << line << ": " << quortab.Describe();
        EXPECT_EQ(2u, quortab.ExitCode()) << line;
        EXPECT_TRUE(ChildProcessIds(quortab.Id()).empty()) << line << ": it started no guardian of its own";
    }
}
