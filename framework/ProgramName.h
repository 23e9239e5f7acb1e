#pragma once
#include "Win32.h"
#include <map>
#include <string>

// The file name, without its folder, of the program a process runs ("notepad.exe").
// Each process is opened and read once: its handle is kept while it runs, which keeps its id from
// passing to a new process, and an ended one's entry goes, so a reused id is read anew.
class CProgramNames {
public:
    CProgramNames() = default;
    ~CProgramNames();
    // Empty when the process cannot be opened or its program cannot be read.
    std::string OfProcess(DWORD processId);
    std::string OfWindow(HWND window);
    // Lets go of the processes that have ended; once a pass is enough.
    void DropEnded();
    size_t Count() const { return m_entries.size(); }

private:
    CProgramNames(const CProgramNames&) = delete;
    CProgramNames& operator=(const CProgramNames&) = delete;
    struct Entry {
        HANDLE process;
        std::string name;
    };
    void Drop(std::map<DWORD, Entry>::iterator entry);
    std::map<DWORD, Entry> m_entries;
};

// The full path of the program file the window's process runs; empty when it cannot be read.
std::string GetProgramPath(HWND window);
