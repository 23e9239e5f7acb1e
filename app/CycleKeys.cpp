#include "CycleKeys.h"
#include "TabWnd.h"
#include <atomic>

namespace {

// Written on the program's thread, read on the hook's: the hook never waits on the program.
std::atomic<HWND> g_frame(NULL);
std::atomic<HWND> g_window(NULL);
// The key whose press the hook swallowed: its release is swallowed too.
DWORD g_swallowed = 0;

bool Down(int key) { return (::GetAsyncKeyState(key) & 0x8000) != 0; }

// The group's window, one of its own windows (its dialogs), or the strip.
bool InGroup(HWND foreground)
{
    const HWND frame = g_frame, window = g_window;
    if (!foreground || !frame)
        return false;
    if (foreground == frame)
        return true;
    for (HWND owner = foreground; owner && window; owner = ::GetWindow(owner, GW_OWNER))
        if (owner == window)
            return true;
    return false;
}

LRESULT CALLBACK KeyProc(int code, WPARAM message, LPARAM lParam)
{
    const KBDLLHOOKSTRUCT* key = reinterpret_cast<KBDLLHOOKSTRUCT*>(lParam);
    if (code != HC_ACTION)
        return ::CallNextHookEx(NULL, code, message, lParam);
    const bool press = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (!press && key->vkCode == g_swallowed) {
        g_swallowed = 0;
        return 1;
    }
    if (press && (key->vkCode == VK_NEXT || key->vkCode == VK_PRIOR) && Down(VK_CONTROL) && Down(VK_MENU) &&
        InGroup(::GetForegroundWindow())) {
        g_swallowed = key->vkCode;
        ::PostMessageA(g_frame, kCycleKey, key->vkCode == VK_NEXT ? 1 : static_cast<WPARAM>(-1), 0);
        return 1;
    }
    return ::CallNextHookEx(NULL, code, message, lParam);
}

// Windows drops a low-level hook that is slow to answer: it gets a thread that does nothing else.
DWORD WINAPI HookThread(LPVOID)
{
    if (!::SetWindowsHookExA(WH_KEYBOARD_LL, KeyProc, ::GetModuleHandleA(NULL), 0))
        return 1;
    MSG message;
    while (::GetMessageA(&message, NULL, 0, 0) > 0)
        ::DispatchMessageA(&message);
    return 0;
}

}  // namespace

void PublishCycleTarget(HWND frame, HWND window)
{
    if (window || g_frame == frame) {
        g_frame = window ? frame : NULL;
        g_window = window;
    }
}

void InstallCycleKeys()
{
    const HANDLE thread = ::CreateThread(NULL, 0, HookThread, NULL, 0, NULL);
    if (thread)
        ::CloseHandle(thread);
}
