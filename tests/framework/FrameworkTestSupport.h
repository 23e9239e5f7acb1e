// What the framework tests share: a window class, a fixture that leaves nothing behind, and
// modal runs with deadlines.
#pragma once
#include "DialogDriver.h"
#include "DlgHandler.h"
#include "MessageLoop.h"
#include "Pump.h"
#include <gtest/gtest.h>
#include <functional>
#include <utility>
#include <vector>

extern const char kTestClass[];
HINSTANCE TestInstance();

// A hidden window of kTestClass for `object` (made with new; its window owns it from here on).
HWND CreateTestWindow(CWndHandler* object, const char* title = "Framework Test",
                      DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = NULL);

// Registers kTestClass, and destroys whatever framework window a test left and any quit message,
// so that a test behaves the same alone or after others in one process.
class CFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// What a message loop that outlived its deadline was made to return.
const int kTimedOut = 0x7E57;

// Runs `doModal` (a DoModal of `dialog`) and calls whileOpen(dialog window) once from inside the
// dialog's own modal loop, as soon as the dialog is shown (DriveDialog with one step). A dialog
// still open after timeoutMs is ended with kDriverEnded.
INT_PTR RunModal(CDlgHandler& dialog, const std::function<INT_PTR()>& doModal,
                 const std::function<void(HWND)>& whileOpen, DWORD timeoutMs = 5000);
INT_PTR RunModal(CDlgHandler& dialog, WORD templateId, const std::function<void(HWND)>& whileOpen,
                 HWND owner = NULL);

// Runs a message loop and calls onIdle once, when the loop has dispatched everything that was
// posted before it (timers come last). A loop still running after timeoutMs is sent a quit
// message with kTimedOut, and a loop that ignores even that ends the test process.
int RunLoop(const std::function<int()>& loop, const std::function<void()>& onIdle = [] {},
            DWORD timeoutMs = 5000);

// Records the messages sent to this thread's windows as the system delivers them, before any
// window procedure (what the platform really sent, whoever answered it), and their results.
class CSentMessages {
public:
    CSentMessages();
    ~CSentMessages();
    std::vector<UINT> To(HWND window) const;
    // The result of the last such message that has returned; -12345 if none has.
    LRESULT ResultOf(HWND window, UINT message) const;

private:
    static LRESULT CALLBACK SentProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ReturnedProc(int code, WPARAM wParam, LPARAM lParam);
    struct Returned {
        HWND window;
        UINT message;
        LRESULT result;
    };
    HHOOK m_sentHook, m_returnedHook;
    std::vector<std::pair<HWND, UINT>> m_sent;
    std::vector<Returned> m_returned;
};

// Also records the lParam that AfterMessage is given.
class CParamHook : public CMessageHook {
public:
    void BeforeMessage(CWndProxy*, UINT message, WPARAM, LPARAM lParam) override
        { before.push_back({message, lParam}); }
    void AfterMessage(CWndProxy*, UINT message, WPARAM, LPARAM lParam) override
        { after.push_back({message, lParam}); }
    std::vector<std::pair<UINT, LPARAM>> before, after;
};
