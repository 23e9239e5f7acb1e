#include "ProcStat.h"
#include <psapi.h>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {
// Linux reports CPU time in clock ticks of 1/100 s on every architecture Wine runs on.
const double kLinuxTicksPerSecond = 100.0;
// The longest command name Linux keeps (TASK_COMM_LEN less its zero).
const size_t kCommChars = 15;

std::string LinuxPath(int pid, const char* file)
{
    return "Z:\\proc\\" + std::to_string(pid) + "\\" + file;
}

// Files under /proc report no size, so they are read until the end.
bool ReadWholeFile(const std::string& path, std::string& text)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    text.clear();
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, NULL) && read > 0)
        text.append(buffer, read);
    ::CloseHandle(file);
    return !text.empty();
}

// The fields of /proc/<pid>/stat after the command name, which may itself hold blanks:
// index 0 is the state (field 3 of the file).
bool StatFields(int pid, std::vector<std::string>& fields)
{
    std::string text;
    if (!ReadWholeFile(LinuxPath(pid, "stat"), text))
        return false;
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return false;
    std::istringstream rest(text.substr(close + 1));
    fields.clear();
    for (std::string field; rest >> field;)
        fields.push_back(field);
    return fields.size() > 20;
}

const size_t kUtime = 11, kStime = 12, kStartTime = 19;

ULONGLONG FileTimeValue(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}


// The time every thread of the process has run, in nanoseconds (schedstat's first field);
// negative when the kernel keeps no such figures.
double ThreadRunTimeNs(int pid)
{
    WIN32_FIND_DATAA entry;
    const std::string tasks = LinuxPath(pid, "task");
    HANDLE search = ::FindFirstFileA((tasks + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    double total = 0;
    int threads = 0;
    do {
        if (std::atoi(entry.cFileName) <= 0)
            continue;
        std::string text;
        if (!ReadWholeFile(tasks + "\\" + entry.cFileName + "\\schedstat", text))
            continue;
        total += std::strtod(text.c_str(), nullptr);
        ++threads;
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
    return threads ? total : -1;
}
}  // namespace

double CpuSeconds(const CpuSource& source)
{
    if (source.linuxPid > 0) {
        // Nanoseconds where the kernel counts them, else its ticks of 10 ms.
        const double runNs = ThreadRunTimeNs(source.linuxPid);
        if (runNs >= 0)
            return runNs / 1e9;
        std::vector<std::string> fields;
        if (!StatFields(source.linuxPid, fields))
            return -1;
        return (std::strtod(fields[kUtime].c_str(), nullptr) + std::strtod(fields[kStime].c_str(), nullptr)) /
               kLinuxTicksPerSecond;
    }
    FILETIME created, exited, kernel, user;
    if (!source.process || !::GetProcessTimes(source.process, &created, &exited, &kernel, &user))
        return -1;
    return (FileTimeValue(kernel) + FileTimeValue(user)) / 1e7;
}

bool LinuxProcessExists(int pid)
{
    std::vector<std::string> fields;
    return pid > 0 && StatFields(pid, fields);
}

int FindLinuxProcess(const char* comm, const char* without)
{
    char prefix[MAX_PATH] = "";
    if (!::GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix))
        return 0;
    const std::string wanted = std::string("WINEPREFIX=") + prefix;
    // Linux keeps only the first 15 characters of a command's name: "QuorTabProbed.e".
    const std::string shortComm = std::string(comm).substr(0, kCommChars);
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int found = 0;
    double foundStart = -1;
    do {
        const int pid = std::atoi(entry.cFileName);
        if (pid <= 0)
            continue;
        std::string name;
        if (!ReadWholeFile(LinuxPath(pid, "comm"), name) || name.substr(0, name.find('\n')) != shortComm)
            continue;
        std::string environment;
        if (!ReadWholeFile(LinuxPath(pid, "environ"), environment))
            continue;
        bool ours = false;
        for (size_t at = 0; at < environment.size() && !ours;) {
            size_t end = environment.find('\0', at);
            if (end == std::string::npos)
                end = environment.size();
            ours = environment.compare(at, end - at, wanted) == 0;
            at = end + 1;
        }
        std::string line;
        if (without && ReadWholeFile(LinuxPath(pid, "cmdline"), line) && line.find(without) != std::string::npos)
            continue;
        std::vector<std::string> fields;
        if (!ours || !StatFields(pid, fields))
            continue;
        const double start = std::strtod(fields[kStartTime].c_str(), nullptr);
        if (start > foundStart) {
            found = pid;
            foundStart = start;
        }
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
    return found;
}

bool ReadMemory(HANDLE process, MemoryFigures& figures)
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        return false;
    figures.workingSet = counters.WorkingSetSize;
    figures.peakWorkingSet = counters.PeakWorkingSetSize;
    figures.privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return true;
}
