#pragma once
#include "Win32.h"
#include <functional>

// Dispatches this thread's messages until done() holds or timeoutMs passes; true when done.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Dispatches this thread's messages for ms milliseconds: for checks that something does NOT happen.
void PumpFor(DWORD ms);

// True when a WM_QUIT was pumped (by the functions above) or is waiting in the queue; takes it
// and gives its exit code.
bool TakeQuit(WPARAM* code = NULL);

// Another application's window shows or hides in its own thread, after we asked: a test waits
// for it (pumping, so that our own windows go on working), up to timeoutMs.
bool ShownSoon(HWND window, DWORD timeoutMs = 3000);
bool HiddenSoon(HWND window, DWORD timeoutMs = 3000);
