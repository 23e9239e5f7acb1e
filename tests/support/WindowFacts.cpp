#include "WindowFacts.h"

namespace {
// Longer than any text the tests make (the longest title has 1500 characters). Asking for the
// length first would send a message to a window of another process, which may be stalled.
const int kTextRoom = 4096;
}  // namespace

std::string WindowTitle(HWND window)
{
    char title[kTextRoom] = "";
    ::GetWindowTextA(window, title, kTextRoom);
    return title;
}

std::string ClassName(HWND window)
{
    char name[256] = "";  // the longest class name the system allows
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string ItemText(HWND dialog, int id)
{
    return WindowTitle(::GetDlgItem(dialog, id));
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRectOnScreen(HWND window)
{
    RECT rect = {};
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, NULL, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT Centre(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string LongTitle(char first)
{
    std::string title;
    for (int i = 0; i < kLongTitleChars; ++i)
        title += static_cast<char>(first + i % 26);
    return title;
}

const wchar_t kManyScripts[] = L"Ελληνικά 中文 Кириллица עברית \U0001F600 café";

std::string Utf8(const std::wstring& text)
{
    std::string bytes(text.size() * 4 + 1, '\0');
    bytes.resize(::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], static_cast<int>(bytes.size()),
                                       NULL, NULL) - 1);
    return bytes;
}
