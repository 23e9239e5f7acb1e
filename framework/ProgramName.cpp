#include "ProgramName.h"
#include <iterator>

#ifndef PROCESS_QUERY_LIMITED_INFORMATION
#define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
#endif

namespace {

// The limited right is enough here and is given for more processes (elevated ones included);
// where it is refused the full one may still be given.
HANDLE OpenForQuery(DWORD processId)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    return process ? process : ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
}

// An ended process keeps its times, its end time among them, while a handle holds it.
bool IsRunning(HANDLE process)
{
    FILETIME creation, exit, kernel, user;
    return ::GetProcessTimes(process, &creation, &exit, &kernel, &user)
        && exit.dwLowDateTime == 0 && exit.dwHighDateTime == 0;
}

std::string ReadProgramPath(HANDLE process)
{
    // Older headers do not declare it; Windows has it from Vista on.
    typedef BOOL(WINAPI * QueryFullProcessImageNameAFn)(HANDLE, DWORD, LPSTR, PDWORD);
    static const QueryFullProcessImageNameAFn query = reinterpret_cast<QueryFullProcessImageNameAFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
    char path[MAX_PATH * 2] = "";
    DWORD size = sizeof path;
    if (!query || !query(process, 0, path, &size))
        return std::string();
    return std::string(path, size);
}

std::string ReadProgramName(HANDLE process)
{
    const std::string full = ReadProgramPath(process);
    return full.substr(full.find_last_of("\\/") + 1);
}

}  // namespace

CProgramNames::~CProgramNames()
{
    for (auto& entry : m_entries)
        ::CloseHandle(entry.second.process);
}

std::string CProgramNames::OfProcess(DWORD processId)
{
    auto found = m_entries.find(processId);
    if (found != m_entries.end()) {
        if (IsRunning(found->second.process))
            return found->second.name;
        Drop(found);
    }
    HANDLE process = OpenForQuery(processId);
    if (!process)
        return std::string();
    if (!IsRunning(process)) {
        ::CloseHandle(process);
        return std::string();
    }
    const std::string name = ReadProgramName(process);
    m_entries[processId] = Entry{process, name};
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
        auto next = std::next(entry);
        if (!IsRunning(entry->second.process))
            Drop(entry);
        entry = next;
    }
}

void CProgramNames::Drop(std::map<DWORD, Entry>::iterator entry)
{
    ::CloseHandle(entry->second.process);
    m_entries.erase(entry);
}

std::string GetProgramPath(HWND window)
{
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(window, &processId) || !processId)
        return std::string();
    HANDLE process = OpenForQuery(processId);
    if (!process)
        return std::string();
    const std::string path = ReadProgramPath(process);
    ::CloseHandle(process);
    return path;
}
