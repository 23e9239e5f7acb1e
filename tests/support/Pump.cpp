#include "Pump.h"

static void DispatchPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
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
