#include "AppTestSupport.h"
#include "resource.h"

void TabGroupTest::SetUp()
{
    g_hInstance = ::GetModuleHandleA(NULL);
    ::InitCommonControls();
}

void TabGroupTest::TearDown()
{
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
