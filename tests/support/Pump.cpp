#include "Pump.h"

static bool g_quitPumped = false;
static WPARAM g_quitCode = 0;

static void DispatchPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            g_quitPumped = true;
            g_quitCode = msg.wParam;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        DispatchPending();
        if (done())
            return true;
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        // Wake on any input, or every 10 ms to look at state that changes in other processes.
        DWORD wait = timeoutMs - elapsed < 10 ? timeoutMs - elapsed : 10;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, wait, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

bool TakeQuit(WPARAM* code)
{
    MSG msg;
    if (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        g_quitPumped = true;
        g_quitCode = msg.wParam;
    }
    if (!g_quitPumped)
        return false;
    g_quitPumped = false;
    if (code)
        *code = g_quitCode;
    return true;
}

bool ShownSoon(HWND window, DWORD timeoutMs)
{
    return PumpUntil([&] { return ::IsWindowVisible(window) != FALSE; }, timeoutMs);
}

bool HiddenSoon(HWND window, DWORD timeoutMs)
{
    return PumpUntil([&] { return !::IsWindowVisible(window); }, timeoutMs);
}
