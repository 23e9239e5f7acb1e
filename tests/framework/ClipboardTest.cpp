#include "Clipboard.h"
#include <gtest/gtest.h>
#include <string>

namespace {

// What the clipboard holds in a text format, up to its terminating zero.
template <class Char> std::basic_string<Char> ClipboardData(UINT format)
{
    std::basic_string<Char> text;
    if (!::OpenClipboard(NULL))
        return text;
    if (HANDLE data = ::GetClipboardData(format)) {
        text = static_cast<const Char*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

class ClipboardOwner : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = ::CreateWindowExA(0, "STATIC", "Clipboard Test", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        ASSERT_TRUE(m_window);
    }
    void TearDown() override { ::DestroyWindow(m_window); }
    HWND m_window = NULL;
};

TEST_F(ClipboardOwner, TextGoesOnAsUnicodeTextAndAsText)
{
    const std::string line = "\"C:\\Program Files\\QuorTab\\QuorTab.exe\" --process \"my app.exe\" --follow";
    ASSERT_NO_THROW(SetClipboardText(m_window, line));
    EXPECT_EQ(std::wstring(L"\"C:\\Program Files\\QuorTab\\QuorTab.exe\" --process \"my app.exe\" --follow"),
              ClipboardData<wchar_t>(CF_UNICODETEXT));
    EXPECT_EQ(line, ClipboardData<char>(CF_TEXT));
    EXPECT_EQ(m_window, ::GetClipboardOwner());

    // Non-Latin text keeps every character as Unicode text, and replaces what was there.
    ASSERT_NO_THROW(SetClipboardText(m_window, u8"--title \"\u041C\u043E\u0439 \u0434\u043E\u043A\u043B\u0430\u0434 \u2014 "
                                                u8"\u03BA\u1F79\u03C3\u03BC\u03B5 \U0001F600\""));
    EXPECT_EQ(std::wstring(L"--title \"\u041C\u043E\u0439 \u0434\u043E\u043A\u043B\u0430\u0434 \u2014 "
                           L"\u03BA\u1F79\u03C3\u03BC\u03B5 \U0001F600\""),
              ClipboardData<wchar_t>(CF_UNICODETEXT));
    EXPECT_EQ(0u, ClipboardData<char>(CF_TEXT).find("--title \""));
}

}  // namespace
