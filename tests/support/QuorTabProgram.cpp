#include "QuorTabProgram.h"
#include "Pump.h"
#include "QuorTabNames.h"
#include "WindowFacts.h"
#include <commctrl.h>
#include <psapi.h>
#include <tlhelp32.h>

namespace {
HWND WaitFor(const std::function<HWND()>& find, DWORD timeoutMs)
{
    HWND found = NULL;
    PumpUntil([&] { return (found = find()) != NULL; }, timeoutMs);
    return found;
}
}  // namespace

CQuorTabProgram::CQuorTabProgram(DWORD idleWaitMs, const char* program, const std::string& arguments)
    : CChildProcess(Quote(ProgramPath(program)) + (arguments.empty() ? "" : " " + arguments), idleWaitMs)
{
}

HWND CQuorTabProgram::Picker() const
{
    return FindVisibleWindow(kDialogClass, quortab::kAddWindowCaption);
}

HWND CQuorTabProgram::Frame() const
{
    return FindWindow(quortab::kClassName, quortab::kFrameTitle);
}

HWND CQuorTabProgram::TabControl() const
{
    const HWND frame = Frame();
    return frame ? ::FindWindowExA(frame, NULL, WC_TABCONTROLA, NULL) : NULL;
}

HWND CQuorTabProgram::WaitForPicker(DWORD timeoutMs) const
{
    return WaitFor([this] { return Picker(); }, timeoutMs);
}

HWND CQuorTabProgram::WaitForFrame(DWORD timeoutMs) const
{
    return WaitFor([this] { return FindVisibleWindow(quortab::kClassName, quortab::kFrameTitle); }, timeoutMs);
}

std::vector<DWORD> ChildProcessIds(DWORD parent)
{
    std::vector<DWORD> children;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return children;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == parent)
            children.push_back(entry.th32ProcessID);
    ::CloseHandle(snapshot);
    return children;
}

namespace {
// Once its loader has brought in user32 the process has begun to run, and its starter's
// CreateProcess is over: a test that then kills the group sees a guardian at work, not a start
// cut short.
bool HasBegun(HANDLE process)
{
    HMODULE modules[64];
    DWORD size = 0;
    if (!::EnumProcessModules(process, modules, sizeof modules, &size))
        return false;
    for (DWORD i = 0; i < size / sizeof(HMODULE) && i < 64; ++i) {
        char name[MAX_PATH] = "";
        if (::GetModuleBaseNameA(process, modules[i], name, MAX_PATH) && lstrcmpiA(name, "user32.dll") == 0)
            return true;
    }
    return false;
}
}  // namespace

HANDLE CQuorTabProgram::WaitForGuardian(DWORD other, DWORD timeoutMs) const
{
    HANDLE guardian = NULL;
    PumpUntil([&] {
        for (DWORD id : ChildProcessIds(Id()))
            if (id != other && !guardian)
                guardian = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ |
                                             PROCESS_SET_QUOTA,
                                         FALSE, id);
        return guardian && HasBegun(guardian);
    }, timeoutMs);
    if (guardian && !HasBegun(guardian)) {
        ::CloseHandle(guardian);
        guardian = NULL;
    }
    return guardian;
}
