#pragma once
// The program's texts are UTF-8; the system's wide calls take UTF-16. Invalid sequences come
// through as U+FFFD rather than failing, so a broken title still compares and shows.
#include "Win32.h"
#include <string>

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
// In the given code page; characters it lacks become the system's default character.
std::string CodePageFromWide(const std::wstring& text, UINT codePage);
