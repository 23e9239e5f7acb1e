#pragma once
#include "Win32.h"

// Each loop runs until WM_QUIT and returns its exit code.
int MessageLoop();
int MessageLoop(HWND window, HACCEL accelerators);
int MessageLoop(HACCEL accelerators);
int MDIMessageLoop(HWND frame, HWND client, HACCEL accelerators);
