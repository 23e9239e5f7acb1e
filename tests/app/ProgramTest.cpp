// QuorTab.exe as its own process: how it starts and how it ends.
#include "AppTestSupport.h"

namespace {
HWND WaitForWindow(const CChildProcess& process, const char* className, const char* title)
{
    HWND found = NULL;
    PumpUntil([&] { return (found = process.FindWindow(className, title)) != NULL; }, 10000);
    return found;
}
}  // namespace

TEST(Program, CancellingTheFirstPickEndsWithMinusOneAndNoMessage)
{
    CChildProcess quortab(Quote(ProgramPath("QuorTab.exe")));
    ASSERT_TRUE(quortab.Started());
    HWND picker = WaitForWindow(quortab, "#32770", "Add a Window");
    ASSERT_TRUE(picker);
    AnswerPickerInProcess(picker, NULL);
    // A message box would keep the process alive.
    ASSERT_TRUE(quortab.WaitForExit(5000));
    EXPECT_EQ(static_cast<DWORD>(-1), quortab.ExitCode());
}

TEST(Program, EndsWithZeroWhenTheLastGroupedWindowCloses)
{
    CFixtureProcess apps({"title=Only;x=150;y=100;w=420;h=280"});
    CChildProcess quortab(Quote(ProgramPath("QuorTab.exe")));
    HWND picker = WaitForWindow(quortab, "#32770", "Add a Window");
    ASSERT_TRUE(picker);
    ASSERT_TRUE(AnswerPickerInProcess(picker, apps.Window(0)));
    HWND frame = WaitForWindow(quortab, "QuorQuorTab", "Quor Tab");
    ASSERT_TRUE(frame);
    EXPECT_TRUE(PumpUntil([&] { return FrameIsPlacedBelow(frame, apps.Window(0)); }, 3000));

    ::PostMessageA(apps.Window(0), WM_CLOSE, 0, 0);
    ASSERT_TRUE(quortab.WaitForExit(5000));
    EXPECT_EQ(0u, quortab.ExitCode());
}
