#include "GroupMark.h"
#include <map>
#include <string>

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

// The named objects behind this process's claims, by window: each name exists while its
// claimer holds it, and goes with the claimer's process.
std::map<HWND, HANDLE> g_claims;

std::string ClaimName(HWND window)
{
    // The handle's low 32 bits, the same in 32- and 64-bit processes.
    return "QuorTab.Claim." + std::to_string(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
}

bool Claim(HWND window)
{
    if (g_claims.count(window))
        return true;
    HANDLE claim = ::CreateMutexA(NULL, FALSE, ClaimName(window).c_str());
    if (claim && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(claim);
        return false;
    }
    // Without a claim (no objects left to make) the mark read back still decides.
    if (claim)
        g_claims[window] = claim;
    return true;
}

void Unclaim(HWND window)
{
    auto found = g_claims.find(window);
    if (found == g_claims.end())
        return;
    ::CloseHandle(found->second);
    g_claims.erase(found);
}

// One walk that shows marked windows again: those whose QuorTab is gone (unmarking them), or
// those this process marked. It throws nothing and needs memory only for the caller's list, for
// it is also a crashing QuorTab's last act.
struct MarkedWindows {
    bool orphans;
    int released;
    std::vector<HWND>* list;
};

BOOL CALLBACK ShowMarked(HWND window, LPARAM lParam)
{
    MarkedWindows& walk = *reinterpret_cast<MarkedWindows*>(lParam);
    ProcessStamp stamp;
    if (!Marked(window, stamp))
        return TRUE;
    const bool ours = stamp.id == OwnStamp().id && stamp.start == OwnStamp().start;
    if (walk.orphans ? Runs(stamp) : !ours)
        return TRUE;
    if (walk.orphans)
        UnmarkGrouped(window);
    // A hung application must not hold us up.
    ::ShowWindowAsync(window, SW_SHOWNA);
    ++walk.released;
    if (walk.list) {
        try {
            walk.list->push_back(window);
        } catch (...) {
            // Shown all the same; only the caller's wait for it is lost.
        }
    }
    return TRUE;
}

void ShowMarkedWindows(MarkedWindows& walk)
{
    // Listed as ListTopLevelWindows lists them, without a list to make. A walk that fails
    // part-way showed what it saw; the rest waits for the next start.
    ::EnumDesktopWindows(NULL, ShowMarked, reinterpret_cast<LPARAM>(&walk));
}
}  // namespace

void MarkGrouped(HWND window)
{
    const ProcessStamp own = OwnStamp();
    ::SetPropA(window, kProcessProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(own.id)));
    ::SetPropA(window, kStartProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(own.start)));
}

bool ClaimGrouped(HWND window)
{
    ProcessStamp stamp;
    if (Marked(window, stamp) && Runs(stamp) && stamp.id != OwnStamp().id)
        return false;
    if (!Claim(window))
        return false;
    MarkGrouped(window);
    if (Marked(window, stamp) && stamp.id == OwnStamp().id && stamp.start == OwnStamp().start)
        return true;
    Unclaim(window);
    return false;
}

void UnmarkGrouped(HWND window)
{
    Unclaim(window);
    ::RemovePropA(window, kProcessProp);
    ::RemovePropA(window, kStartProp);
}

bool IsGroupedByLiveQuorTab(HWND window)
{
    ProcessStamp stamp;
    return Marked(window, stamp) && Runs(stamp);
}

int ReleaseOrphanedWindows(std::vector<HWND>* released)
{
    MarkedWindows orphans = {true, 0, released};
    ShowMarkedWindows(orphans);
    return orphans.released;
}

void ShowWindowsMarkedByThisProcess()
{
    MarkedWindows ours = {false, 0, nullptr};
    ShowMarkedWindows(ours);
}
