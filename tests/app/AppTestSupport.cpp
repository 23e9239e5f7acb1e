#include "AppTestSupport.h"
#include "resource.h"

int MeasureTabRowHeight()
{
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, NULL, NULL, NULL, NULL);
    HWND tab = ::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | TCS_FIXEDWIDTH | TCS_BOTTOM | TCS_TOOLTIPS,
                                 0, 0, 300, 200, parent, NULL, NULL, NULL);
    ::SendMessageA(tab, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    ::SendMessageA(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(100, 0));
    RECT rect = {0, 0, 300, 200};
    ::SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    ::DestroyWindow(parent);
    return 200 - (rect.bottom - rect.top);
}

::testing::AssertionResult FrameIsPlacedBelow(HWND frame, HWND window)
{
    RECT target = WindowRect(window);
    RECT client = ClientRectOnScreen(frame);
    RECT expected = {target.left, target.bottom, target.right, target.bottom + MeasureTabRowHeight() - 5};
    if (!SameRect(client, expected))
        return ::testing::AssertionFailure() << "frame client area " << Describe(client) << ", expected "
                                             << Describe(expected) << " below window " << Describe(target);
    if (::GetWindow(window, GW_HWNDNEXT) != frame)
        return ::testing::AssertionFailure() << "the frame is not directly behind the window in the z-order";
    if ((::IsWindowVisible(frame) != FALSE) != (::IsWindowVisible(window) != FALSE))
        return ::testing::AssertionFailure() << "the frame's visibility does not follow the window's";
    return ::testing::AssertionSuccess();
}

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
