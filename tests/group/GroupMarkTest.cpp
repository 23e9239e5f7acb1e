// The mark every grouped window carries: it keeps a window from being grouped twice and brings
// back the windows of a QuorTab that died.
#include "GroupMark.h"
#include "WndEnum.h"
#include "Fixture.h"
#include <gtest/gtest.h>

namespace {

// The mark as another QuorTab process would have left it.
void MarkAs(HWND window, DWORD pid, DWORD start)
{
    ::SetPropA(window, "QuorTab.GroupedBy", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(pid)));
    ::SetPropA(window, "QuorTab.GroupedSince", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(start)));
}

bool HasMark(HWND window) { return ::GetPropA(window, "QuorTab.GroupedBy") != NULL; }

// The id of a process that has ended.
DWORD EndedProcessId()
{
    CChildProcess ended("cmd.exe /c exit");
    EXPECT_TRUE(ended.WaitForExit(10000));
    return ended.Id();
}

enum class Mark { None, Ours, Ended, ReusedId };
struct OrphanCase {
    const char* name;
    Mark mark;
    bool released;
};
const OrphanCase kOrphanCases[] = {
    {"unmarked", Mark::None, false},
    {"marked by this running process", Mark::Ours, false},
    {"marked by a process that ended", Mark::Ended, true},
    {"marked under this process's id by an earlier process", Mark::ReusedId, true},
};
}  // namespace

TEST(GroupMark, AStartingQuorTabReleasesOnlyWindowsWhoseQuorTabIsGone)
{
    std::vector<std::string> requests;
    for (const OrphanCase& c : kOrphanCases)
        requests.push_back(std::string("title=") + c.name + ";visible=0");
    CFixtureProcess apps(requests);
    const DWORD ended = EndedProcessId();
    for (size_t i = 0; i < std::size(kOrphanCases); ++i) {
        HWND window = apps.Window(i);
        switch (kOrphanCases[i].mark) {
        case Mark::None: break;
        case Mark::Ours: MarkGrouped(window); break;
        case Mark::Ended: MarkAs(window, ended, 12345); break;
        case Mark::ReusedId: MarkAs(window, ::GetCurrentProcessId(), 12345); break;
        }
    }
    EXPECT_EQ(2, ReleaseOrphanedWindows());
    apps.CatchUp();
    for (size_t i = 0; i < std::size(kOrphanCases); ++i) {
        const OrphanCase& c = kOrphanCases[i];
        HWND window = apps.Window(i);
        EXPECT_EQ(c.released, ::IsWindowVisible(window) != FALSE) << c.name;
        EXPECT_EQ(c.mark != Mark::None && !c.released, HasMark(window)) << c.name;
        EXPECT_EQ(c.mark == Mark::Ours, IsGroupedByLiveQuorTab(window)) << c.name;
    }
    UnmarkGrouped(apps.Window(1));
    EXPECT_FALSE(HasMark(apps.Window(1)));
}

TEST(GroupMark, WindowsGroupedByARunningQuorTabAreNotEligible)
{
    CFixtureProcess apps({"title=Grouped here", "title=Left by an ended QuorTab", "title=Free"});
    MarkGrouped(apps.Window(0));
    MarkAs(apps.Window(1), EndedProcessId(), 12345);
    EXPECT_FALSE(IsEligibleWindow(apps.Window(0)));
    EXPECT_TRUE(IsEligibleWindow(apps.Window(1)));
    EXPECT_TRUE(IsEligibleWindow(apps.Window(2)));
}

TEST(GroupMark, ACrashShowsTheWindowsThisProcessGroupedAndNoOthers)
{
    CFixtureProcess apps({"title=Ours;visible=0", "title=Another QuorTab's;visible=0"});
    MarkGrouped(apps.Window(0));
    MarkAs(apps.Window(1), EndedProcessId(), 12345);
    ShowWindowsMarkedByThisProcess();
    apps.CatchUp();
    EXPECT_TRUE(::IsWindowVisible(apps.Window(0)));
    EXPECT_FALSE(::IsWindowVisible(apps.Window(1)));
}
