#include "Utf8.h"

std::wstring WideFromUtf8(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int chars = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, NULL, 0);
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], chars);
    return wide;
}

std::string CodePageFromWide(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(codePage, 0, text.data(), size, NULL, 0, NULL, NULL);
    std::string narrow(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), size, &narrow[0], bytes, NULL, NULL);
    return narrow;
}

std::string Utf8FromWide(const std::wstring& text)
{
    return CodePageFromWide(text, CP_UTF8);
}
