#pragma once
#include "Win32.h"
#include <cstddef>

// The length in bytes of the longest start of `text` made of whole characters only, holding at
// most `units` UTF-16 units and `bytes` bytes. The text is in `codePage`: UTF-8, or a code page
// of one or two bytes a character. A character torn off at the end, as another program's cut
// may leave one, is dropped.
size_t CleanCutLength(const char* text, UINT codePage, size_t units, size_t bytes);

// The window's title in the process's code page, cut on a character boundary to fit `size`
// bytes with its zero and to quortab::kTitleLimit units; returns its length. Windows and Wine
// each cut a long title their own way, so the cut is made here.
int ReadWindowTitle(HWND window, char* buffer, int size);
