// The frame on version 6 of the common controls, in a test program that carries QuorTab's
// manifest as QuorTab.exe does. Wine's version 6 tab control, like its version 5, registers no
// tooltip tool per tab: the frame keeps them.
#include "TabTips.h"

TEST(TabControlKinds, UnderTheManifestVersion6RegistersNoTooltipToolPerTab)
{
    ::InitCommonControls();
    CLoneStrip strip;
    EXPECT_TRUE(IsCommonControls6(LibraryOf(strip.Tab()))) << LibraryOf(strip.Tab());
    ASSERT_TRUE(TipsOf(strip.Tab()));
    EXPECT_EQ(0, ToolCount(strip.Tab()));
}

TEST_F(TabGroupTest, OnVersion6TheFrameKeepsOneToolPerTabAndHoveringShowsTheTitle)
{
    CFixtureProcess apps({"title=First;x=100;y=80;w=500;h=300", "title=Second of version 6;x=100;y=80;w=500;h=300",
                          "title=Third;x=100;y=80;w=500;h=300"});
    ASSERT_TRUE(Start(apps.Window(0)));
    Add(apps.Window(1));
    Add(apps.Window(2));
    ASSERT_TRUE(IsCommonControls6(LibraryOf(Tab()))) << LibraryOf(Tab());

    ASSERT_EQ(3, ToolCount(Tab()));
    for (int i = 0; i < 3; ++i) {
        const TOOLINFOA tool = Tool(Tab(), i);
        EXPECT_EQ(static_cast<UINT_PTR>(i), tool.uId);
        EXPECT_TRUE(SameRect(TabItemRect(Tab(), i), tool.rect)) << "tool " << i << " " << Describe(tool.rect);
    }
    ::PostMessageA(apps.Window(2), WM_CLOSE, 0, 0);
    EXPECT_TRUE(UpkeepUntil([&] { return TabCount(Tab()) == 2; }));
    EXPECT_EQ(2, ToolCount(Tab())) << "the closed window's tool goes with its tab";
    EXPECT_TRUE(HoverShowsTip(Tab(), 1, "Second of version 6"));
}
