#pragma once
#include "ChildProcess.h"

// QuorTab.exe from beside the running executable, in its own process, found by its windows'
// class and title from outside; it ends with this object at the latest.
class CQuorTabProgram : public CChildProcess {
public:
    // `program` names the executable: the benchmark runs a probed build beside the real one.
    // `arguments` follow its quoted path on the command line.
    explicit CQuorTabProgram(DWORD idleWaitMs = kInputIdleMs, const char* program = "QuorTab.exe",
                             const std::string& arguments = std::string());
    // Its "Add a Window" dialog while it is shown, or null.
    HWND Picker() const;
    // Its frame, shown or hidden, or null; and the frame's tab control.
    HWND Frame() const;
    HWND TabControl() const;
    // Each pumps this thread's messages for up to `timeoutMs` until the window is shown; null
    // if it never is.
    HWND WaitForPicker(DWORD timeoutMs = kInputIdleMs) const;
    HWND WaitForFrame(DWORD timeoutMs = kInputIdleMs) const;
    // The guardian it started (app/Guardian.h), its only child process, other than the one with
    // id `other`, once it has begun to run: waited for up to `timeoutMs`, opened to be waited on,
    // ended, read (memory) and put in a job; null if none came. The caller closes it.
    HANDLE WaitForGuardian(DWORD other = 0, DWORD timeoutMs = kInputIdleMs) const;
};

// The ids of the running processes that `parent` started.
std::vector<DWORD> ChildProcessIds(DWORD parent);
