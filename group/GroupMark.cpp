#include "GroupMark.h"
#include "WindowWalk.h"

namespace {
const char kProcessProp[] = "QuorTab.GroupedBy";
const char kStartProp[] = "QuorTab.GroupedSince";

struct ProcessStamp {
    DWORD id;
    DWORD start;
};

// The low 32 bits of a process's creation time: with the id, enough to tell a process from a
// later one that reuses its id. Zero when the process is gone.
DWORD StartOf(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    DWORD code = 0;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user) ||
        !::GetExitCodeProcess(process, &code) || code != STILL_ACTIVE)
        return 0;
    // Never zero for a live process, so that zero can mean "gone".
    return created.dwLowDateTime | 1;
}

ProcessStamp OwnStamp()
{
    static const ProcessStamp stamp = {::GetCurrentProcessId(), StartOf(::GetCurrentProcess())};
    return stamp;
}

bool Marked(HWND window, ProcessStamp& stamp)
{
    stamp.id = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(::GetPropA(window, kProcessProp)));
    stamp.start = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(::GetPropA(window, kStartProp)));
    return stamp.id != 0;
}

bool Runs(const ProcessStamp& stamp)
{
    if (stamp.id == OwnStamp().id)
        return stamp.start == OwnStamp().start;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, stamp.id);
    if (!process)
        // A process we may not look into still runs; one that is gone cannot be opened.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    const bool same = StartOf(process) == stamp.start;
    ::CloseHandle(process);
    return same;
}

class CMarkedWindows : public CWndEnumerator {
public:
    explicit CMarkedWindows(bool orphans) : m_orphans(orphans), m_released(0) {}
    int Released() const { return m_released; }

    bool OnWindow(CWndProxy& window) override
    {
        ProcessStamp stamp;
        if (!Marked(window.GetHandle(), stamp))
            return true;
        const bool ours = stamp.id == OwnStamp().id && stamp.start == OwnStamp().start;
        if (m_orphans ? Runs(stamp) : !ours)
            return true;
        if (m_orphans)
            UnmarkGrouped(window.GetHandle());
        // A hung application must not hold us up.
        ::ShowWindowAsync(window.GetHandle(), SW_SHOWNA);
        ++m_released;
        return true;
    }

private:
    bool m_orphans;
    int m_released;
};
}  // namespace

void MarkGrouped(HWND window)
{
    const ProcessStamp own = OwnStamp();
    ::SetPropA(window, kProcessProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(own.id)));
    ::SetPropA(window, kStartProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(own.start)));
}

void UnmarkGrouped(HWND window)
{
    ::RemovePropA(window, kProcessProp);
    ::RemovePropA(window, kStartProp);
}

bool IsGroupedByLiveQuorTab(HWND window)
{
    ProcessStamp stamp;
    return Marked(window, stamp) && Runs(stamp);
}

int ReleaseOrphanedWindows()
{
    CMarkedWindows orphans(true);
    try {
        EnumTopLevelWindows(orphans);
    } catch (const CWindowsError&) {
        // A walk that failed part-way released what it saw; the rest waits for the next start.
    }
    return orphans.Released();
}

void ShowWindowsMarkedByThisProcess()
{
    CMarkedWindows ours(false);
    try {
        EnumTopLevelWindows(ours);
    } catch (...) {
    }
}
