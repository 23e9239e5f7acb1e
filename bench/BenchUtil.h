#pragma once
// Clocks, waits, statistics and started processes for the benchmark driver.
#include "Win32.h"
#include <functional>
#include <string>
#include <vector>

// The performance counter, shared by every process of the machine, in milliseconds.
double NowMs();

// Polls `done` every `pollMs` until it holds or `timeoutMs` passes; true when it held. The
// driver owns no windows, so it has no messages to pump while it waits.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = 1);

double Median(std::vector<double> values);
// The value below which `fraction` of the values lie (nearest rank).
double Percentile(std::vector<double> values, double fraction);

// A process the driver started, ended by its handle if it still runs when this goes away.
class CProgram {
public:
    explicit CProgram(const std::string& commandLine);
    ~CProgram();
    bool Started() const { return m_info.hProcess != NULL; }
    HANDLE Handle() const { return m_info.hProcess; }
    DWORD Id() const { return m_info.dwProcessId; }
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD ExitCode() const;
    // Its first visible top-level window of the class and title (either may be null).
    HWND FindVisibleWindow(const char* className, const char* title) const;

private:
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;
    PROCESS_INFORMATION m_info;
};

// A message sent to another process's window, given up after `timeoutMs`; -1 when it failed.
LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs = 2000);

// "Z:" in front of an absolute Linux path, so that Windows calls under Wine can open it.
std::string WindowsPath(const std::string& path);

bool SameRect(const RECT& a, const RECT& b);
