#include "WindowsError.h"
#include "WndProxy.h"
#include <gtest/gtest.h>

TEST(WindowsError, TextIsOperationNameFollowedBySystemDescription)
{
    ::SetLastError(ERROR_ACCESS_DENIED);
    CWindowsError error("CWndProxy::SetWindowPos ");
    EXPECT_EQ(5u, error.GetCode());
    std::string description = FormatSystemMessage(5);
    ASSERT_FALSE(description.empty());
    EXPECT_EQ('\n', description.back()) << "system texts keep their line break";
    EXPECT_EQ("CWndProxy::SetWindowPos " + description, error.GetErrorText());
}

TEST(WindowsError, CheckedCallOnDestroyedWindowThrowsInvalidHandle)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(window);
    ::DestroyWindow(window);
    CWndProxy proxy(window);
    try {
        proxy.SetTimer(1, 100);
        FAIL() << "SetTimer on a destroyed window must throw";
    } catch (const CWindowsError& error) {
        EXPECT_EQ("CWndProxy::SetTimer ", error.GetText());
        EXPECT_NE(0u, error.GetCode());
    }
    EXPECT_TRUE(proxy.IsAttached()) << "a proxy does not follow the window's life";
}
