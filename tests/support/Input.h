#pragma once
#include "Win32.h"
#include <vector>

// A person's mouse and keyboard: everything goes through the system's input queue
// (SendInput), so the window under the cursor or with the focus gets it the way it gets a
// user's input, with hit-testing, activation and focus changes included.

// One mouse event (MOUSEEVENTF_RIGHTDOWN...) at a screen point. The point travels with the
// event: should anything have moved the cursor meanwhile, the button still goes down where it
// was meant to.
void SendMouse(POINT at, DWORD flags, DWORD data = 0);
void MoveMouse(POINT at);
void Click(POINT at);
void DoubleClick(POINT at);
void RightClick(POINT at);
// Presses the left button at `from`, moves to `to` in a few steps and lets go there. The moves
// wait until the window pressed has taken the mouse, as a hand is slower than that.
void Drag(POINT from, POINT to);
// The same in its three steps, for what happens while the button is down.
void Press(POINT at);
void MoveHeld(POINT from, POINT to);
void MoveHeldTo(POINT at);
void Release(POINT at);
// Positive notches turn the wheel away from the user, negative towards.
void TurnWheel(POINT at, int notches);
// Types the keys one after the other, in one go: {VK_HOME, VK_RETURN}.
void TypeKeys(const std::vector<WORD>& keys);
// Presses the keys in order and lets them go in reverse order: {VK_CONTROL, VK_TAB} is Ctrl+Tab.
void PressKeys(const std::vector<WORD>& keys);
