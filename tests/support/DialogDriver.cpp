#include "DialogDriver.h"
#include "Ticker.h"
#include <gtest/gtest.h>

namespace {
const DWORD kTickMs = 10;
}  // namespace

DriveOutcome DriveDialog(const CWndProxy& dialog, const std::function<INT_PTR()>& doModal,
                         const std::vector<DialogStep>& steps, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    DriveOutcome outcome = {0, 0, false};
    bool ended = false;
    bool busy = false;  // a step may pump messages, and with them this timer
    CTicker ticker(kTickMs, [&] {
        const HWND window = dialog.GetHandle();
        if (busy || ended || !window)
            return;
        if (::GetTickCount() - start >= timeoutMs) {
            ended = outcome.timedOut = true;
            ADD_FAILURE() << "the dialog was still open after " << timeoutMs << " ms";
            ::EndDialog(window, kDriverEnded);
        } else if (::IsWindowVisible(window) && outcome.stepsDone < steps.size()) {
            busy = true;
            if (steps[outcome.stepsDone](window))
                ++outcome.stepsDone;
            busy = false;
            if (::testing::Test::HasFatalFailure()) {
                ended = true;
                ::EndDialog(window, kDriverEnded);
            }
        }
    });
    outcome.result = doModal();
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

DialogStep ClickButton(int id)
{
    return Once([id](HWND dialog) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); });
}

DialogStep CloseBox()
{
    return Once([](HWND dialog) { ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
}
