#pragma once
#include "Win32.h"
#include <map>
#include <string>

// The file name, without its folder, of the program a process runs ("notepad.exe").
// Each process is opened once: its handle is kept while it runs, so that its id cannot pass to
// another process unseen, and its name is read again only for a process with another start time.
class CProgramNames {
public:
    CProgramNames() = default;
    ~CProgramNames();
    // Empty when the process cannot be opened or its program cannot be read.
    std::string OfProcess(DWORD processId);
    std::string OfWindow(HWND window);
    // Lets go of the processes that have ended since they were read.
    void DropEnded();
    size_t Count() const { return m_entries.size(); }

private:
    CProgramNames(const CProgramNames&) = delete;
    CProgramNames& operator=(const CProgramNames&) = delete;
    struct Entry {
        HANDLE process;
        ULONGLONG started;
        std::string name;
    };
    std::map<DWORD, Entry> m_entries;
};

// The file name of the program the process (open for query) runs; empty when it cannot be read.
std::string ReadProgramName(HANDLE process);
