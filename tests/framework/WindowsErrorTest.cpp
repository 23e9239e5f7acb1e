#include "WindowsError.h"
#include "WndProxy.h"
#include "FrameworkTestIds.h"
#include <exception>
#include <type_traits>
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

TEST(WindowsError, IsNoStandardException)
{
    static_assert(!std::is_base_of<std::exception, CWindowsError>::value,
                  "a handler for standard exceptions must not catch it");
    bool caughtAsStandard = false;
    try {
        try {
            throw CWindowsError("Windows Error : ");
        } catch (const std::exception&) {
            caughtAsStandard = true;
        }
    } catch (const CWindowsError& error) {
        EXPECT_EQ("Windows Error : ", error.GetText());
    }
    EXPECT_FALSE(caughtAsStandard);
}

TEST(WindowsError, CodeIsTheLastErrorAtConstruction)
{
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    CWindowsError error("CWndProxy::GetWindowRect ");
    ::SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(1400u, error.GetCode());
    EXPECT_EQ(NULL, error.GetModule());
    EXPECT_EQ("CWndProxy::GetWindowRect " + FormatSystemMessage(1400), error.GetErrorText());
}

TEST(WindowsError, CodeZeroStillHasTheSystemDescription)
{
    ::SetLastError(0);
    CWindowsError error("CWndProxy::SetWindowText ");
    const std::string description = FormatSystemMessage(0);
    EXPECT_FALSE(description.empty()) << "the system describes code 0 too";
    EXPECT_EQ("CWndProxy::SetWindowText " + description, error.GetErrorText());
}

TEST(WindowsError, CodeWithoutDescriptionGivesTheTextAlone)
{
    const DWORD unknown = 0x2000BEEF;
    EXPECT_EQ("", FormatSystemMessage(unknown));
    ::SetLastError(unknown);
    EXPECT_EQ("CWndProxy::SetTimer ", CWindowsError("CWndProxy::SetTimer ").GetErrorText());
}

TEST(WindowsError, MessageThatNeedsInsertsHasNoDescription)
{
    // Inserts are not ignored, and no arguments are given for them.
    ::SetLastError(0);
    EXPECT_EQ("", FormatSystemMessage(ERROR_BAD_EXE_FORMAT));  // "%1 is not a valid Win32 application."
}

TEST(WindowsError, ModuleMessagesComeFromItsTableThenFromTheSystem)
{
    HMODULE self = ::GetModuleHandleA(NULL);  // the test carries a message table
    EXPECT_EQ("Test table text.\r\n", FormatSystemMessage(TEST_MESSAGE_ID, self));
    EXPECT_EQ("", FormatSystemMessage(TEST_MESSAGE_ID)) << "the system does not know it";
    EXPECT_EQ(FormatSystemMessage(ERROR_ACCESS_DENIED), FormatSystemMessage(ERROR_ACCESS_DENIED, self));

    HMODULE noTable = ::GetModuleHandleA("gdi32.dll");
    ASSERT_TRUE(noTable);
    EXPECT_EQ(FormatSystemMessage(ERROR_ACCESS_DENIED), FormatSystemMessage(ERROR_ACCESS_DENIED, noTable));

    ::SetLastError(TEST_MESSAGE_ID);
    CWindowsError error("Windows Error : ", self);
    EXPECT_EQ(self, error.GetModule());
    EXPECT_EQ("Windows Error : Test table text.\r\n", error.GetErrorText());
}
