#include "ProgramName.h"
#include "Win32.h"

#ifndef PROCESS_QUERY_LIMITED_INFORMATION
#define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
#endif

namespace {

// Older headers do not declare it; Windows has it from Vista on.
typedef BOOL(WINAPI* QueryFullProcessImageNameAFn)(HANDLE, DWORD, LPSTR, PDWORD);

// The limited right is enough for everything here, and is given for more processes (elevated
// ones included); systems that refuse it for some process may still give the full one.
HANDLE OpenForQuery(DWORD processId)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    return process ? process : ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
}

ULONGLONG Ticks(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Its creation time, and whether it has ended; false when the times cannot be read.
bool ProcessTimes(HANDLE process, ULONGLONG* started, bool* ended)
{
    FILETIME creation, exit, kernel, user;
    if (!::GetProcessTimes(process, &creation, &exit, &kernel, &user))
        return false;
    *started = Ticks(creation);
    *ended = Ticks(exit) != 0;
    return true;
}

}  // namespace

std::string ReadProgramName(HANDLE process)
{
    static const QueryFullProcessImageNameAFn query = reinterpret_cast<QueryFullProcessImageNameAFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
    char path[MAX_PATH * 2] = "";
    DWORD size = sizeof path;
    if (!query || !query(process, 0, path, &size))
        return std::string();
    const std::string full(path, size);
    return full.substr(full.find_last_of("\\/") + 1);
}

CProgramNames::~CProgramNames()
{
    for (auto& entry : m_entries)
        ::CloseHandle(entry.second.process);
}

std::string CProgramNames::OfProcess(DWORD processId)
{
    auto found = m_entries.find(processId);
    ULONGLONG started = 0;
    bool ended = false;
    if (found != m_entries.end() && ProcessTimes(found->second.process, &started, &ended) && !ended)
        return found->second.name;

    HANDLE process = OpenForQuery(processId);
    if (!process || !ProcessTimes(process, &started, &ended) || ended) {
        if (process)
            ::CloseHandle(process);
        if (found != m_entries.end()) {
            ::CloseHandle(found->second.process);
            m_entries.erase(found);
        }
        return std::string();
    }
    if (found != m_entries.end()) {
        ::CloseHandle(found->second.process);
        found->second.process = process;
        if (found->second.started == started)
            return found->second.name;
        found->second.started = started;
        found->second.name = ReadProgramName(process);
        return found->second.name;
    }
    const std::string name = ReadProgramName(process);
    m_entries[processId] = Entry{process, started, name};
    return name;
}

std::string CProgramNames::OfWindow(HWND window)
{
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(window, &processId) || !processId)
        return std::string();
    return OfProcess(processId);
}

void CProgramNames::DropEnded()
{
    for (auto entry = m_entries.begin(); entry != m_entries.end();) {
        ULONGLONG started = 0;
        bool ended = true;
        if (!ProcessTimes(entry->second.process, &started, &ended) || ended) {
            ::CloseHandle(entry->second.process);
            entry = m_entries.erase(entry);
        } else {
            ++entry;
        }
    }
}
