#include "MessageLoop.h"

template <class Translate>
static int RunLoop(Translate translate)
{
    MSG message;
    while (::GetMessageA(&message, NULL, 0, 0)) {
        if (translate(message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int MessageLoop()
{
    return RunLoop([](MSG&) { return false; });
}

int MessageLoop(HWND window, HACCEL accelerators)
{
    return RunLoop([&](MSG& message) { return ::TranslateAcceleratorA(window, accelerators, &message) != 0; });
}

int MessageLoop(HACCEL accelerators)
{
    return RunLoop([&](MSG& message) {
        return ::TranslateAcceleratorA(message.hwnd, accelerators, &message) != 0;
    });
}

int MDIMessageLoop(HWND frame, HWND client, HACCEL accelerators)
{
    return RunLoop([&](MSG& message) {
        return ::TranslateMDISysAccel(client, &message) != 0
            || ::TranslateAcceleratorA(frame, accelerators, &message) != 0;
    });
}
