#include "WindowWalk.h"
#include <exception>

namespace {
// An exception thrown by a visitor waits here while EnumWindows unwinds: it must not cross
// the system's frames.
std::exception_ptr g_visitorError;

BOOL CALLBACK ListWndProc(HWND handle, LPARAM lParam)
{
    try {
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(handle);
        return TRUE;
    } catch (...) {
        return FALSE;  // out of memory: the list so far
    }
}
}

BOOL CALLBACK EnumWndProc(HWND handle, LPARAM lParam)
{
    CWndProxy window(handle);
    try {
        return reinterpret_cast<CWndEnumerator*>(lParam)->OnWindow(window) ? TRUE : FALSE;
    } catch (...) {
        g_visitorError = std::current_exception();
        return FALSE;
    }
}

void EnumTopLevelWindows(CWndEnumerator& visitor)
{
    ::SetLastError(0);
    if (::EnumWindows(EnumWndProc, reinterpret_cast<LPARAM>(&visitor)))
        return;
    CWindowsError error("Windows Error : ");
    if (g_visitorError) {
        std::exception_ptr visitorError = g_visitorError;
        g_visitorError = nullptr;
        std::rethrow_exception(visitorError);
    }
    // A visitor that stopped the walk leaves EnumWindows failing with no error of its own.
    if (error.GetCode() == ERROR_SUCCESS || error.GetCode() == ERROR_FILE_NOT_FOUND)
        return;
    throw error;
}

std::vector<HWND> ListTopLevelWindows()
{
    // The same windows in the same order as EnumWindows, which under Wine asks the server whether
    // each still exists before it calls back: a request per window of another process, every walk.
    // Wine lists message-only windows here too; no one can see or pick them.
    std::vector<HWND> windows;
    ::EnumDesktopWindows(NULL, ListWndProc, reinterpret_cast<LPARAM>(&windows));
    return windows;
}
