#pragma once
// Processes started by a test or by the benchmark, and what is found of them from outside.
#include "Win32.h"
#include <string>
#include <vector>

// The folder of the running executable: QuorTab.exe, Fixture.exe and the rest stand beside it.
std::string ProgramPath(const char* fileName);
std::string Quote(const std::string& argument);

// A message sent to a window of another process, given up after `timeoutMs`; -1 when it failed.
const UINT kReplyMs = 3000;
LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs = kReplyMs);
// Returns once the window's thread has handled what was sent to it before: it handles sent
// messages in order.
void CatchUp(HWND window);

// How long a new process is given to come to its first wait for input.
const DWORD kInputIdleMs = 10000;
// For a caller that times the start itself: the constructor returns at once.
const DWORD kNoIdleWait = 0;

// A process started here, ended by its handle if it still runs when this goes away.
class CChildProcess {
public:
    explicit CChildProcess(const std::string& commandLine, DWORD idleWaitMs = kInputIdleMs);
    virtual ~CChildProcess();
    bool Started() const { return m_info.hProcess != NULL; }
    HANDLE Handle() const { return m_info.hProcess; }
    DWORD Id() const { return m_info.dwProcessId; }
    bool HasEnded() const;
    // Pumps this thread's messages while waiting; true when the process has ended.
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD ExitCode() const;
    // Its visible and hidden top-level windows, in z-order.
    std::vector<HWND> TopLevelWindows() const;
    // Its first top-level window of the class and title (either may be null), or null. The
    // system filters by class and title, so this is cheap enough to poll every millisecond.
    HWND FindWindow(const char* className, const char* title) const;
    HWND FindVisibleWindow(const char* className, const char* title) const;
    // Returns once its windows have carried out what was asked of them without waiting
    // (ShowWindowAsync, asynchronous moves).
    void CatchUp() const;

private:
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;
    HWND Find(const char* className, const char* title, bool visibleOnly) const;
    PROCESS_INFORMATION m_info;
};
