#pragma once
// What a test reads off a window of this process or another: texts and rectangles.
#include "Win32.h"
#include <string>

// The system's classes of dialogs (message boxes included) and of pop-up menus.
const char kDialogClass[] = "#32770";
const char kMenuClass[] = "#32768";

std::string WindowTitle(HWND window);
std::string ClassName(HWND window);
// The whole text of a dialog's control.
std::string ItemText(HWND dialog, int id);
RECT WindowRect(HWND window);
RECT ClientRectOnScreen(HWND window);
POINT Centre(const RECT& rect);

// A title longer than the program keeps (quortab::kTitleLimit): letters from `first` on, over and over.
const int kLongTitleChars = 1500;
std::string LongTitle(char first = 'a');

// A title in several scripts, with an emoji (two UTF-16 units) and a Latin accent.
extern const wchar_t kManyScripts[];
std::string Utf8(const std::wstring& text);

inline bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}
