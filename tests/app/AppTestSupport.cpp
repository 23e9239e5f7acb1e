#include "AppTestSupport.h"
#include "resource.h"

const std::vector<std::string> kThreeWindows = {
    "title=One;x=100;y=80;w=500;h=300",
    "title=Two;x=300;y=250;w=400;h=250",
    "title=Three;x=50;y=420;w=300;h=200",
};

void TabGroupTest::SetUp()
{
    g_hInstance = ::GetModuleHandleA(NULL);
    ::InitCommonControls();
}

void TabGroupTest::TearDown()
{
    WindowGroupTest::TearDown();
    if (FrameAlive())
        ::DestroyWindow(m_frameHandle);
}

CTabWndHandler* TabGroupTest::Start(HWND first)
{
    CPickerDriver driver(first);
    m_frame = CreateTabWindow(g_hInstance, NULL);
    m_frameHandle = m_frame->GetHandle();
    return m_frame;
}

void TabGroupTest::Add(HWND window)
{
    CPickerDriver driver(window);
    m_frame->SendMessage(WM_COMMAND, IDM_ADD_WINDOW, 0);
}

::testing::AssertionResult TabGroupTest::GroupOf(size_t count)
{
    ::testing::AssertionResult started = StartApps(kThreeWindows);
    if (!started)
        return started;
    if (!Start(App(0)))
        return ::testing::AssertionFailure() << "no frame";
    for (size_t i = 1; i < count; ++i)
        Add(App(i));
    if (TabCount(Tab()) != static_cast<int>(count) || CurSel(Tab()) != 0)
        return ::testing::AssertionFailure() << TabCount(Tab()) << " tabs with tab " << CurSel(Tab())
                                             << " selected after grouping " << count << " windows";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TabGroupTest::EndedWithZero() const
{
    std::string wrong;
    if (!WndHandlerMap.empty())
        wrong += std::to_string(WndHandlerMap.size()) + " framework objects are left; ";
    WPARAM code = 99;
    if (!TakeQuit(&code))
        wrong += "no quit message was posted";
    else if (code != 0)
        wrong += "the quit message has exit code " + std::to_string(code);
    if (!wrong.empty())
        return ::testing::AssertionFailure() << wrong;
    return ::testing::AssertionSuccess();
}
