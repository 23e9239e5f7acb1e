#pragma once
// CPU time and memory of processes, as the benchmark reads them. Under Wine, GetProcessTimes
// on another process answers with the caller's own times, so CPU time comes from Linux's
// /proc (the run time of every thread, in nanoseconds), read through Wine's Z: drive; on
// Windows it comes from GetProcessTimes.
#include "Win32.h"
#include <string>

// A process whose CPU time can be read: a Windows handle, a Linux process id, or both.
struct CpuSource {
    HANDLE process = NULL;
    int linuxPid = 0;
};

// User plus kernel CPU time in seconds, or a negative value when it cannot be read.
double CpuSeconds(const CpuSource& source);

// The Linux process id of the newest process named `comm` in our own Wine prefix
// (WINEPREFIX of this process), or 0 when there is none or /proc is not reachable. With
// `without`, a process whose command line holds that word is passed over.
int FindLinuxProcess(const char* comm, const char* without = nullptr);

// Whether the Linux process exists and can be read.
bool LinuxProcessExists(int pid);

struct MemoryFigures {
    SIZE_T workingSet = 0;
    SIZE_T peakWorkingSet = 0;
    // Private bytes: PrivateUsage where the system fills it, else the pagefile (commit) usage,
    // which Wine reports as the process's anonymous resident memory.
    SIZE_T privateBytes = 0;
};

bool ReadMemory(HANDLE process, MemoryFigures& figures);
