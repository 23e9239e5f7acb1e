#pragma once
// The one way the tests run a modal dialog: the test's steps play against the open dialog from
// inside its own modal loop, as a user's actions would arrive.
#include "WndProxy.h"
#include <functional>
#include <vector>

// One step, called from a timer tick of the dialog's modal loop. Returns false to be called
// again on the next tick (a wait), true to go on to the next step. Keyboard input posted by a
// step is handled by the dialog's loop before the next tick, as typed.
typedef std::function<bool(HWND dialog)> DialogStep;

struct DriveOutcome {
    INT_PTR result;    // what doModal returned
    size_t stepsDone;  // steps that finished
    bool timedOut;     // the dialog outlived the deadline and the driver ended it
};

// What DoModal returns when the driver ended the dialog: past its deadline, or after a step
// failed fatally (an ASSERT), since nothing would close it then.
const INT_PTR kDriverEnded = 0x7E57;

// Runs doModal while a 10 ms timer of this thread waits for `dialog` to be bound and visible,
// then plays the steps, each while the dialog is visible. A dialog still open after timeoutMs
// is ended and reported as a test failure. Drives nest: a step may drive a dialog of its own.
DriveOutcome DriveDialog(const CWndProxy& dialog, const std::function<INT_PTR()>& doModal,
                         const std::vector<DialogStep>& steps, DWORD timeoutMs = 10000);

// Steps that act as a user would.
DialogStep Once(const std::function<void(HWND dialog)>& action);
// A key press posted to the control that has the focus, for the dialog's loop to interpret.
DialogStep PressKey(UINT key);
DialogStep ClickButton(int id);
DialogStep CloseBox();
