// The guardian's two sides: the group starts it with nothing inherited but its own process handle
// and keeps it running; the guardian waits on that handle and shows what a killed group left hidden.
#include "Guardian.h"
#include "CommandLine.h"
#include "GroupMark.h"
#include <initializer_list>
#include <string>
#include <vector>

namespace {

// Vista's, which the XP headers this program is built against leave out.
#ifndef PROC_THREAD_ATTRIBUTE_HANDLE_LIST
#define PROC_THREAD_ATTRIBUTE_HANDLE_LIST 0x00020002
#endif
#ifndef EXTENDED_STARTUPINFO_PRESENT
#define EXTENDED_STARTUPINFO_PRESENT 0x00080000
#endif
struct StartupInfoEx {
    STARTUPINFOW StartupInfo;
    LPPROC_THREAD_ATTRIBUTE_LIST lpAttributeList;
};

template <typename Function>
Function Kernel32(const char* name)
{
    const FARPROC found = ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// The thread that keeps the guardian running only starts processes and waits on them.
const SIZE_T kKeeperStack = 64 * 1024;

// Inherited handles keep the flag they were made with; a handle to this process itself would
// never be signalled.
bool IsInheritedGroupHandle(HANDLE process)
{
    DWORD flags = 0;
    const DWORD id = ::GetProcessId(process);
    return ::GetHandleInformation(process, &flags) && (flags & HANDLE_FLAG_INHERIT) && id != 0 &&
           id != ::GetCurrentProcessId();
}

// An attribute list that lets the guardian inherit the group's handle and nothing else. Windows
// before Vista has no such lists (their functions are looked up, so that QuorTab still starts
// there); then the standard handles are made uninheritable instead, since they are what a
// caller's pipe hangs on.
class CInheritOnly {
public:
    explicit CInheritOnly(HANDLE& handle)
    {
        m_initialize = Kernel32<Initialize>("InitializeProcThreadAttributeList");
        m_update = Kernel32<Update>("UpdateProcThreadAttribute");
        m_delete = Kernel32<Delete>("DeleteProcThreadAttributeList");
        SIZE_T size = 0;
        if (m_initialize && m_update && m_delete && !m_initialize(NULL, 1, 0, &size) && size) {
            m_buffer.resize(size);
            if (!m_initialize(List(), 1, 0, &size)) {
                m_buffer.clear();
            } else if (!m_update(List(), 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &handle, sizeof handle, NULL, NULL)) {
                m_delete(List());
                m_buffer.clear();
            }
        }
        if (m_buffer.empty())
            for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
                ::SetHandleInformation(::GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
    }
    ~CInheritOnly()
    {
        if (!m_buffer.empty())
            m_delete(List());
    }
    // Null without a list.
    LPPROC_THREAD_ATTRIBUTE_LIST List()
    {
        return m_buffer.empty() ? NULL : reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_buffer.data());
    }

private:
    using Initialize = BOOL(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD, PSIZE_T);
    using Update = BOOL(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD_PTR, PVOID, SIZE_T, PVOID, PSIZE_T);
    using Delete = VOID(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST);
    Initialize m_initialize;
    Update m_update;
    Delete m_delete;
    std::vector<char> m_buffer;
};

std::wstring GuardianCommandLine(HANDLE group)
{
    wchar_t path[MAX_PATH * 4] = L"";
    ::GetModuleFileNameW(NULL, path, MAX_PATH * 4);
    const std::string option = std::string(" ") + kGuardOption + " " +
                               std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(group)));
    return L"\"" + std::wstring(path) + L"\"" + std::wstring(option.begin(), option.end());
}

// The guardian's process, or null. It gets no standard handles, no busy cursor, and leaves the
// group's job where the job allows it: a job that ends the group must not end its guardian.
HANDLE StartGuardian(HANDLE group)
{
    CInheritOnly inherit(group);
    StartupInfoEx startup = {};
    startup.StartupInfo.cb = inherit.List() ? sizeof startup : sizeof startup.StartupInfo;
    startup.StartupInfo.dwFlags = STARTF_FORCEOFFFEEDBACK | STARTF_USESTDHANDLES;
    startup.lpAttributeList = inherit.List();
    const DWORD flags = inherit.List() ? EXTENDED_STARTUPINFO_PRESENT : 0;
    PROCESS_INFORMATION info = {};
    BOOL made = FALSE;
    for (DWORD breakaway : {static_cast<DWORD>(CREATE_BREAKAWAY_FROM_JOB), 0ul}) {
        // CreateProcessW may write to the line it is given.
        std::wstring line = GuardianCommandLine(group);
        made = made || ::CreateProcessW(NULL, &line[0], NULL, NULL, TRUE, flags | breakaway, NULL, NULL,
                                        &startup.StartupInfo, &info);
    }
    if (!made)
        return NULL;
    ::CloseHandle(info.hThread);
    return info.hProcess;
}

// The group's process handle that every guardian inherits, and when the last guardian started.
HANDLE g_group;
DWORD g_startedAt;

DWORD WINAPI KeepGuardianRunning(void* first)
{
    CGuardianRestarts restarts;
    for (HANDLE guardian = first;; guardian = StartGuardian(g_group)) {
        if (!guardian) {
            restarts.StartFailed();
        } else {
            restarts.Started();
            // Nothing else runs on this thread: it sleeps in this wait for the group's whole life.
            ::WaitForSingleObject(guardian, INFINITE);
            ::CloseHandle(guardian);
            restarts.Ended(::GetTickCount() - g_startedAt);
        }
        if (restarts.GivenUp())
            return 0;
        g_startedAt = ::GetTickCount();
    }
}

}  // namespace

bool RunGuardian(unsigned long long guarded)
{
    const HANDLE group = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(guarded));
    if (!IsInheritedGroupHandle(group) || ::WaitForSingleObject(group, INFINITE) == WAIT_FAILED)
        return false;
    // The marks are read now, not before: after a normal end there are none left to find.
    ReleaseOrphanedWindows();
    return true;
}

void KeepGuardian()
{
    if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &g_group,
                           SYNCHRONIZE | PROCESS_QUERY_INFORMATION, TRUE, 0))
        return;
    // The first on this thread, so that it runs before the group hides any window.
    g_startedAt = ::GetTickCount();
    const HANDLE first = StartGuardian(g_group);
    const HANDLE keeper = ::CreateThread(NULL, kKeeperStack, KeepGuardianRunning, first,
                                         STACK_SIZE_PARAM_IS_A_RESERVATION, NULL);
    if (keeper)
        ::CloseHandle(keeper);
}
