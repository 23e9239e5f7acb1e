#include "IconWindows.h"
#include "Pump.h"
#include <string>

namespace {
const DWORD kStartMs = 5000;
const DWORD kStallLimitMs = 10000;  // a stalled window gives up even if never released
const char kClassPrefix[] = "QuorTabIconWindow";

HICON SolidIcon(int size, COLORREF colour)
{
    std::vector<BYTE> andMask(size * size / 8, 0x00);
    std::vector<DWORD> bits(size * size, 0xFF000000 | (GetRValue(colour) << 16) |
                                         (GetGValue(colour) << 8) | GetBValue(colour));
    return ::CreateIcon(::GetModuleHandleA(NULL), size, size, 1, 32, andMask.data(),
                        reinterpret_cast<const BYTE*>(bits.data()));
}

LONG g_serial = 0;

std::string ClassName(LONG serial, size_t index)
{
    return kClassPrefix + std::to_string(serial) + "_" + std::to_string(index);
}

struct WindowContext {
    CIconWindows* owner;
    size_t index;
};
}

CIconWindows::CIconWindows(const std::vector<IconWindowSpec>& specs)
    : m_specs(specs), m_queries(specs.size(), 0), m_serial(::InterlockedIncrement(&g_serial)),
      m_thread(NULL), m_threadId(0)
{
    const COLORREF colours[kRoleCount] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255),
                                          RGB(255, 160, 0), RGB(128, 0, 128)};
    for (int role = 0; role < kRoleCount; ++role)
        m_icons[role] = SolidIcon(role == kRoleBig || role == kRoleClassBig ? 32 : 16, colours[role]);
    m_ready = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    m_release = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    m_thread = ::CreateThread(NULL, 0, ThreadMain, this, 0, &m_threadId);
    if (m_thread)
        PumpUntil([this] { return ::WaitForSingleObject(m_ready, 0) == WAIT_OBJECT_0; }, kStartMs);
}

CIconWindows::~CIconWindows()
{
    Release();
    if (m_thread) {
        ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        PumpUntil([this] { return ::WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0; }, kStartMs);
        ::CloseHandle(m_thread);
    }
    ::CloseHandle(m_ready);
    ::CloseHandle(m_release);
    for (HICON icon : m_icons)
        ::DestroyIcon(icon);
}

LONG CIconWindows::Queries(size_t index) const
{
    return index < m_queries.size()
               ? ::InterlockedCompareExchange(const_cast<LONG*>(&m_queries[index]), 0, 0)
               : -1;
}

DWORD WINAPI CIconWindows::ThreadMain(void* self)
{
    CIconWindows* windows = static_cast<CIconWindows*>(self);
    const HINSTANCE instance = ::GetModuleHandleA(NULL);
    std::vector<WindowContext> contexts(windows->m_specs.size());
    std::vector<HWND> made;
    for (size_t i = 0; i < windows->m_specs.size(); ++i) {
        const IconWindowSpec& request = windows->m_specs[i];
        const std::string name = ClassName(windows->m_serial, i);
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = name.c_str();
        wc.hIcon = request.classBig ? windows->m_icons[kRoleClassBig] : NULL;
        wc.hIconSm = request.classSmall ? windows->m_icons[kRoleClassSmall] : NULL;
        ::RegisterClassExA(&wc);
        contexts[i] = WindowContext{windows, i};
        const int offset = static_cast<int>(i) * 30;
        HWND window = ::CreateWindowExA(0, name.c_str(), request.title ? request.title : name.c_str(),
                                        WS_OVERLAPPEDWINDOW | (request.visible ? WS_VISIBLE : 0),
                                        40 + offset, 40 + offset, 300, 160, NULL, NULL, instance, NULL);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&contexts[i]));
        made.push_back(window);
    }
    // The queue exists before the test may post WM_QUIT to it.
    MSG msg;
    ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
    windows->m_windows = made;
    ::SetEvent(windows->m_ready);

    while (::GetMessageA(&msg, NULL, 0, 0) > 0)
        ::DispatchMessageA(&msg);

    for (size_t i = 0; i < made.size(); ++i) {
        ::DestroyWindow(made[i]);
        ::UnregisterClassA(ClassName(windows->m_serial, i).c_str(), instance);
    }
    return 0;
}

// Withholds the answer, but keeps taking the messages sent meanwhile, so that every query that
// is sent at all gets counted rather than timing out unseen in the queue.
void CIconWindows::Stall()
{
    const DWORD start = ::GetTickCount();
    while (::WaitForSingleObject(m_release, 0) == WAIT_TIMEOUT) {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= kStallLimitMs)
            break;
        ::MsgWaitForMultipleObjects(1, &m_release, FALSE, kStallLimitMs - elapsed, QS_SENDMESSAGE);
        MSG msg;
        ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

LRESULT CALLBACK CIconWindows::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WindowContext* context =
        reinterpret_cast<const WindowContext*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_GETICON || !context)
        return ::DefWindowProcA(window, message, wParam, lParam);

    CIconWindows* self = context->owner;
    ::InterlockedIncrement(&self->m_queries[context->index]);
    HICON answer = NULL;
    switch (self->m_specs[context->index].reply) {
    case IconReply::Nothing: break;
    case IconReply::Small2: answer = wParam == ICON_SMALL2 ? self->m_icons[kRoleSmall2] : NULL; break;
    case IconReply::Small: answer = wParam == ICON_SMALL ? self->m_icons[kRoleSmall] : NULL; break;
    case IconReply::Big: answer = wParam == ICON_BIG ? self->m_icons[kRoleBig] : NULL; break;
    case IconReply::Stall: self->Stall(); break;
    }
    return reinterpret_cast<LRESULT>(answer);
}

CAnswerWindow::CAnswerWindow(UINT message, const std::function<void(WPARAM, LPARAM)>& take)
    : m_message(message), m_take(take), m_taken(0)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "QuorTabAnswerWindow";
    ::RegisterClassA(&wc);
    m_window = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 400, 60, NULL, NULL,
                                 wc.hInstance, NULL);
    ::SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CAnswerWindow::~CAnswerWindow()
{
    ::DestroyWindow(m_window);
}

LRESULT CALLBACK CAnswerWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CAnswerWindow* self = reinterpret_cast<CAnswerWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == self->m_message) {
        ++self->m_taken;
        self->m_take(wParam, lParam);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
