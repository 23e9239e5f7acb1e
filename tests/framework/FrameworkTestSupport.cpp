#include "FrameworkTestSupport.h"
#include "Ticker.h"
#include <cstdio>
#include <vector>

const char kTestClass[] = "QuorFrameworkTest";

HINSTANCE TestInstance()
{
    return ::GetModuleHandleA(NULL);
}

HWND CreateTestWindow(CWndHandler* object, const char* title, DWORD style, HWND parent)
{
    object->CreateWnd(kTestClass, title, style, 0, 100, 100, 300, 200, parent, NULL, TestInstance());
    return object->GetHandle();
}

void CFrameworkTest::SetUp()
{
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (!::GetClassInfoExA(TestInstance(), kTestClass, &existing))
        RegisterWndClass(TestInstance(), kTestClass, 0, NULL);
}

void CFrameworkTest::TearDown()
{
    std::vector<HWND> left;
    for (const auto& entry : WndHandlerMap)
        left.push_back(entry.first);
    for (HWND window : left)
        ::DestroyWindow(window);
    TakeQuit();
}

INT_PTR RunModal(CDlgHandler& dialog, const std::function<INT_PTR()>& doModal,
                 const std::function<void(HWND)>& whileOpen, DWORD timeoutMs)
{
    return DriveDialog(dialog, doModal, {Once(whileOpen)}, timeoutMs).result;
}

INT_PTR RunModal(CDlgHandler& dialog, WORD templateId, const std::function<void(HWND)>& whileOpen,
                 HWND owner)
{
    return RunModal(dialog, [&] { return dialog.DoModal(owner, templateId, TestInstance()); },
                    whileOpen);
}

int RunLoop(const std::function<int()>& loop, const std::function<void()>& onIdle, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    bool idle = false, quitPosted = false;
    CTicker ticker(10, [&] {
        if (!idle) {
            idle = true;
            onIdle();
        }
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed > 2 * timeoutMs) {
            std::fprintf(stderr, "the message loop ignored its quit message\n");
            std::fflush(stderr);
            ::TerminateProcess(::GetCurrentProcess(), 3);
        } else if (elapsed > timeoutMs && !quitPosted) {
            quitPosted = true;
            ::PostQuitMessage(kTimedOut);
        }
    });
    return loop();
}

static CSentMessages* g_sentLog = NULL;

CSentMessages::CSentMessages()
{
    g_sentLog = this;
    m_sentHook = ::SetWindowsHookExA(WH_CALLWNDPROC, SentProc, NULL, ::GetCurrentThreadId());
    m_returnedHook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, ReturnedProc, NULL, ::GetCurrentThreadId());
}

CSentMessages::~CSentMessages()
{
    ::UnhookWindowsHookEx(m_sentHook);
    ::UnhookWindowsHookEx(m_returnedHook);
    g_sentLog = NULL;
}

LRESULT CALLBACK CSentMessages::SentProc(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_sentLog)
        g_sentLog->m_sent.push_back({sent->hwnd, sent->message});
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

LRESULT CALLBACK CSentMessages::ReturnedProc(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* returned = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && g_sentLog)
        g_sentLog->m_returned.push_back({returned->hwnd, returned->message, returned->lResult});
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

std::vector<UINT> CSentMessages::To(HWND window) const
{
    std::vector<UINT> messages;
    for (const auto& sent : m_sent)
        if (sent.first == window)
            messages.push_back(sent.second);
    return messages;
}

LRESULT CSentMessages::ResultOf(HWND window, UINT message) const
{
    LRESULT result = -12345;
    for (const Returned& returned : m_returned)
        if (returned.window == window && returned.message == message)
            result = returned.result;
    return result;
}
