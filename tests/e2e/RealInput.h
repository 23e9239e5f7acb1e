#pragma once
#include "Win32.h"
#include <initializer_list>

// A person's mouse and keyboard: everything goes through the system's input queue
// (SetCursorPos and SendInput), so the window under the cursor or with the focus gets it the
// way it gets a user's input, with hit-testing, activation and focus changes included.

POINT Centre(const RECT& rect);
void MoveMouse(POINT at);
void Click(POINT at);
void DoubleClick(POINT at);
void RightClick(POINT at);
// Presses the left button at `from`, moves to `to` in a few steps and lets go there.
void Drag(POINT from, POINT to);
// Positive notches turn the wheel away from the user, negative towards.
void TurnWheel(POINT at, int notches);
// Types the keys one after the other, in one go: {VK_HOME, VK_RETURN}.
void TypeKeys(std::initializer_list<WORD> keys);
// Presses the keys in order and lets them go in reverse order: {VK_CONTROL, VK_TAB} is Ctrl+Tab.
void PressKeys(std::initializer_list<WORD> keys);
