#pragma once
#include "WndProxy.h"
#include <functional>
#include <vector>

// One step played against an open dialog from a timer tick of the dialog's own message loop.
// Returns false to be called again on the next tick (a wait), true to go on to the next step.
// Keyboard input posted by a step is handled by the dialog's loop before the next tick, as typed.
typedef std::function<bool(HWND dialog)> DialogStep;

struct DriveOutcome {
    INT_PTR result;    // what DoModal returned
    size_t stepsDone;  // steps that finished
    bool timedOut;     // the dialog outlived the deadline and the driver ended it
};

// What DoModal returns when the driver had to end a dialog that overstayed its deadline.
const INT_PTR kDriverEnded = 0x7E57;

// Runs doModal while a 10 ms timer on this thread waits for `dialog` to be bound and visible,
// then plays the steps. A dialog still open after timeoutMs is ended with kDriverEnded.
DriveOutcome DriveDialog(const CWndProxy& dialog, const std::function<INT_PTR()>& doModal,
                         const std::vector<DialogStep>& steps, DWORD timeoutMs = 10000);

// A step that runs `action` once.
DialogStep Once(const std::function<void(HWND dialog)>& action);

// Posts a key press to the control that has the focus, for the dialog's loop to interpret.
DialogStep PressKey(UINT key);
