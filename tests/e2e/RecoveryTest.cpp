// A QuorTab that dies never takes windows with it: a crashing one shows them itself, and the next
// one to start shows what a killed one left hidden before its picker opens.
#include "Input.h"
#include "PickerDriver.h"
#include "Pump.h"
#include "QuorTabProcess.h"
#include "WindowGroup.h"
#include <algorithm>

namespace {
struct Death {
    const char* name;
    bool crash;  // an access violation inside QuorTab, or else the process killed from outside
};
void PrintTo(const Death& c, std::ostream* out) { *out << c.name; }
class E2eRecovery : public WindowGroupTest, public ::testing::WithParamInterface<Death> {};

bool Listed(HWND picker, HWND window)
{
    const std::vector<HWND> listed = PickerWindows(picker);
    return std::find(listed.begin(), listed.end(), window) != listed.end();
}
}  // namespace

TEST_P(E2eRecovery, NoGroupedWindowStaysHiddenAfterQuorTabDies)
{
    ASSERT_TRUE(StartApps({"title=Ours;x=600;y=100;w=300;h=200"}, {kNotepad, kMinesweeper}));
    const std::vector<HWND> hidden = {App(0), App(2)};
    {
        CQuorTab first;
        ASSERT_TRUE(first.Group({App(1), App(0), App(2)}));
        if (GetParam().crash) {
            // A thread that starts at an address nothing is mapped at.
            HANDLE thread = ::CreateRemoteThread(first.Handle(), NULL, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(8),
                                                 NULL, 0, NULL);
            ASSERT_TRUE(thread);
            ::CloseHandle(thread);
        } else {
            ASSERT_TRUE(::TerminateProcess(first.Handle(), 1));
        }
        ASSERT_TRUE(first.WaitForExit(10000));
    }
    for (HWND window : hidden)
        EXPECT_EQ(GetParam().crash, Eventually([&] { return ::IsWindowVisible(window) != FALSE; }, GetParam().crash ? 5000 : 500))
            << (GetParam().crash ? "a crash shows its windows itself" : "a killed QuorTab cannot");

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

const Death kDeaths[] = {{"Killed", false}, {"Crashed", true}};
INSTANTIATE_TEST_SUITE_P(E2e, E2eRecovery, ::testing::ValuesIn(kDeaths),
                         [](const ::testing::TestParamInfo<Death>& info) { return std::string(info.param.name); });
