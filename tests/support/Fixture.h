#pragma once
#include "Win32.h"
#include <string>
#include <vector>
#include "../fixtures/FixtureProtocol.h"

// The folder of the running test executable: QuorTab.exe and Fixture.exe stand beside it.
std::string ProgramPath(const char* fileName);

// A process this test started, ended by its handle if it still runs when this goes away.
class CChildProcess {
public:
    CChildProcess(const std::string& commandLine);
    ~CChildProcess();
    bool Started() const { return m_info.hProcess != NULL; }
    HANDLE Handle() const { return m_info.hProcess; }
    DWORD Id() const { return m_info.dwProcessId; }
    // Pumps this thread's messages while waiting; true when the process has ended.
    bool WaitForExit(DWORD timeoutMs);
    DWORD ExitCode() const;
    // Its visible and hidden top-level windows, in no particular order.
    std::vector<HWND> TopLevelWindows() const;
    // Its first top-level window of the class and title (either may be null), or null.
    HWND FindWindow(const char* className, const char* title) const;
    // Returns once its windows have carried out what was asked of them without waiting
    // (ShowWindowAsync, asynchronous moves).
    void CatchUp() const;

private:
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;
    PROCESS_INFORMATION m_info;
};

// Our fixture application, with one window per request (see FixtureProtocol.h).
class CFixtureProcess : public CChildProcess {
public:
    explicit CFixtureProcess(const std::vector<std::string>& specs);
    // The window made by the index-th request (counting repeats), or null.
    HWND Window(size_t index) const;
    size_t WindowCount() const;
};

// The same for one window of another thread: its thread handles sent messages in order.
void CatchUp(HWND window);

std::string Quote(const std::string& argument);
std::string WindowTitle(HWND window);
RECT WindowRect(HWND window);
RECT ClientRectOnScreen(HWND window);
