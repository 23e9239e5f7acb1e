// The benchmark's baseline: a do-nothing program with one window and the same upkeep timer as
// QuorTab's frame. It answers how often it was painted, and ends when its window is closed. Told
// to follow a window, it does on each tick only what following on a timer takes.
#include "Win32.h"
#include "BenchIdleProtocol.h"
#include "../res/QuorTabNames.h"

namespace {
LONG g_paints = 0;
LONG g_ticks = 0;
HWND g_followed = NULL;

HWND VisibleBelow(HWND upper)
{
    HWND next = ::GetWindow(upper, GW_HWNDNEXT);
    while (next && !::IsWindowVisible(next))
        next = ::GetWindow(next, GW_HWNDNEXT);
    return next;
}

// Against the followed window's lower edge, as wide, directly behind it; untouched when it
// already stands so, as QuorTab's frame is.
void Follow(HWND window)
{
    RECT target, client, current;
    if (!g_followed || !::GetWindowRect(g_followed, &target) || !::GetClientRect(window, &client))
        return;
    RECT placed = {target.left, target.bottom, target.right, target.bottom + client.bottom};
    ::AdjustWindowRectEx(&placed, static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE)));
    ::GetWindowRect(window, &current);
    if (::EqualRect(&current, &placed) && VisibleBelow(g_followed) == window)
        return;
    ::SetWindowPos(window, g_followed, placed.left, placed.top, placed.right - placed.left,
                   placed.bottom - placed.top, SWP_NOACTIVATE);
}

LRESULT CALLBACK IdleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        ::BeginPaint(window, &paint);
        ::EndPaint(window, &paint);
        ++g_paints;
        return 0;
    }
    case WM_TIMER:
        ++g_ticks;
        Follow(window);
        return 0;
    case BENCH_IDLE_FOLLOW:
        g_followed = reinterpret_cast<HWND>(wParam);
        Follow(window);
        return 0;
    case BENCH_IDLE_GET_PAINTS:
        return g_paints;
    case BENCH_IDLE_GET_TICKS:
        return g_ticks;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = IdleWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = BENCH_IDLE_CLASS;
    if (!::RegisterClassA(&windowClass))
        return 1;
    // Shaped like QuorTab's frame: a narrow tool window without caption.
    HWND window = ::CreateWindowExA(quortab::kFrameExStyle, BENCH_IDLE_CLASS, "Bench Idle",
                                    WS_POPUP | WS_VISIBLE | WS_BORDER, 700, 40, 400, 24, NULL, NULL,
                                    instance, NULL);
    if (!window || !::SetTimer(window, quortab::kUpkeepTimer, quortab::kUpkeepMs, NULL))
        return 1;
    MSG message;
    while (::GetMessageA(&message, NULL, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
