// QuorTab.exe as its own process: how it starts and how it ends.
#include "AppTestSupport.h"
#include "QuorTabProgram.h"

TEST(Program, CancellingTheFirstPickEndsWithMinusOneAndNoMessage)
{
    CQuorTabProgram quortab;
    ASSERT_TRUE(quortab.Started());
    HWND picker = quortab.WaitForPicker();
    ASSERT_TRUE(picker);
    AnswerPickerInProcess(picker, NULL);
    // A message box would keep the process alive.
    ASSERT_TRUE(quortab.WaitForExit(5000));
    EXPECT_EQ(static_cast<DWORD>(-1), quortab.ExitCode());
}

TEST(Program, EndsWithZeroWhenTheLastGroupedWindowCloses)
{
    CFixtureProcess apps({"title=Only;x=150;y=100;w=420;h=280"});
    CQuorTabProgram quortab;
    HWND picker = quortab.WaitForPicker();
    ASSERT_TRUE(picker);
    ASSERT_TRUE(AnswerPickerInProcess(picker, apps.Window(0)));
    HWND frame = quortab.WaitForFrame();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(PumpUntil([&] { return FrameIsPlacedBelow(frame, apps.Window(0)); }, 3000));

    ::PostMessageA(apps.Window(0), WM_CLOSE, 0, 0);
    ASSERT_TRUE(quortab.WaitForExit(5000));
    EXPECT_EQ(0u, quortab.ExitCode());
}
