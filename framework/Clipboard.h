#pragma once
#include "Win32.h"
#include <string>

// Replaces the clipboard's contents with `text` (UTF-8), as Unicode text and as 8-bit text in the
// user's ANSI code page, so that programs reading either format get it. owner is a window of
// this thread: with none, Windows refuses the data.
// Throws CWindowsError when the clipboard cannot be had or filled.
void SetClipboardText(HWND owner, const std::string& text);
