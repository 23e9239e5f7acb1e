#pragma once
#include "Win32.h"
#include <functional>

// Calls `tick` every periodMs from whatever message loop runs on this thread (a modal dialog's,
// a menu's, the code under test's own), until destroyed.
class CTicker {
public:
    CTicker(DWORD periodMs, std::function<void()> tick);
    ~CTicker();

private:
    CTicker(const CTicker&) = delete;
    CTicker& operator=(const CTicker&) = delete;
    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD);

    UINT_PTR m_id;
    std::function<void()> m_tick;
};
