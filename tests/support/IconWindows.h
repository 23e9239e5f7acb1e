#pragma once
#include "Win32.h"
#include <functional>
#include <vector>

// How a window answers WM_GETICON.
enum class IconReply { Nothing, Small2, Small, Big, Stall };

struct IconWindowSpec {
    IconReply reply;
    bool classSmall;               // its class has a small icon
    bool classBig;                 // its class has a big icon
    const char* title = nullptr;   // null: a name of its own
    bool visible = false;
};

enum IconRole { kRoleSmall2, kRoleSmall, kRoleBig, kRoleClassSmall, kRoleClassBig, kRoleCount };

// Top-level windows made and served by another thread of this process. Wine neither carries
// WM_GETICON across processes nor reads the class icons of another process's windows, so the
// icon lookup can only be watched on windows of this process. A stalled window answers only
// when the test releases it (or after a long limit).
class CIconWindows {
public:
    explicit CIconWindows(const std::vector<IconWindowSpec>& specs);
    ~CIconWindows();

    bool Ready() const { return m_windows.size() == m_specs.size(); }
    HWND Window(size_t index) const { return index < m_windows.size() ? m_windows[index] : NULL; }
    // WM_GETICON messages the window has taken so far.
    LONG Queries(size_t index) const;
    // Every role has an icon of its own colour, so a result tells where it came from.
    HICON Icon(IconRole role) const { return m_icons[role]; }
    // Lets stalled windows answer (with no icon).
    void Release() { ::SetEvent(m_release); }

private:
    CIconWindows(const CIconWindows&) = delete;
    CIconWindows& operator=(const CIconWindows&) = delete;
    static DWORD WINAPI ThreadMain(void* self);
    void Stall();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<IconWindowSpec> m_specs;
    std::vector<HWND> m_windows;
    std::vector<LONG> m_queries;
    LONG m_serial;  // keeps the class names of successive instances apart
    HICON m_icons[kRoleCount];
    HANDLE m_ready;
    HANDLE m_release;
    HANDLE m_thread;
    DWORD m_threadId;
};

// A hidden window of this thread that hands every `message` posted to it on to `take`: what
// the program's windows do with the answers to their icon questions. A tab strip may be made
// its child.
class CAnswerWindow {
public:
    CAnswerWindow(UINT message, const std::function<void(WPARAM, LPARAM)>& take);
    ~CAnswerWindow();
    HWND Handle() const { return m_window; }
    // Messages taken so far.
    int Taken() const { return m_taken; }

private:
    CAnswerWindow(const CAnswerWindow&) = delete;
    CAnswerWindow& operator=(const CAnswerWindow&) = delete;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UINT m_message;
    std::function<void(WPARAM, LPARAM)> m_take;
    int m_taken;
    HWND m_window;
};
