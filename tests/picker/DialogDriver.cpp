#include "DialogDriver.h"

namespace {
const UINT kTickMs = 10;

struct DriveState {
    const CWndProxy* dialog;
    const std::vector<DialogStep>* steps;
    DWORD start;
    DWORD timeoutMs;
    size_t next;
    bool timedOut;
    bool busy;
};

DriveState* g_drive = NULL;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    DriveState* state = g_drive;
    if (!state || state->busy)
        return;
    state->busy = true;
    const HWND dialog = state->dialog->GetHandle();
    if (::GetTickCount() - state->start >= state->timeoutMs) {
        if (dialog && ::IsWindow(dialog) && !state->timedOut) {
            state->timedOut = true;
            ::EndDialog(dialog, kDriverEnded);
        }
    } else if (dialog && ::IsWindowVisible(dialog) && state->next < state->steps->size()) {
        if ((*state->steps)[state->next](dialog))
            ++state->next;
    }
    state->busy = false;
}
}

DriveOutcome DriveDialog(const CWndProxy& dialog, const std::function<INT_PTR()>& doModal,
                         const std::vector<DialogStep>& steps, DWORD timeoutMs)
{
    DriveState state = {&dialog, &steps, ::GetTickCount(), timeoutMs, 0, false, false};
    DriveState* outer = g_drive;
    g_drive = &state;
    const UINT_PTR timer = ::SetTimer(NULL, 0, kTickMs, Tick);
    DriveOutcome outcome = {doModal(), 0, false};
    ::KillTimer(NULL, timer);
    g_drive = outer;
    outcome.stepsDone = state.next;
    outcome.timedOut = state.timedOut;
    return outcome;
}

DialogStep Once(const std::function<void(HWND dialog)>& action)
{
    return [action](HWND dialog) {
        action(dialog);
        return true;
    };
}

DialogStep PressKey(UINT key)
{
    return Once([key](HWND) {
        const HWND focus = ::GetFocus();
        ::PostMessageA(focus, WM_KEYDOWN, key, 1);
        ::PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    });
}
