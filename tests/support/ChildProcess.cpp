#include "ChildProcess.h"
#include "Pump.h"

std::string ProgramPath(const char* fileName)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + fileName;
}

std::string Quote(const std::string& argument)
{
    return "\"" + argument + "\"";
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

CChildProcess::CChildProcess(const std::string& commandLine, DWORD idleWaitMs) : m_info()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &m_info))
        m_info = PROCESS_INFORMATION();
    else if (idleWaitMs != kNoIdleWait)
        ::WaitForInputIdle(m_info.hProcess, idleWaitMs);
}

CChildProcess::~CChildProcess()
{
    if (!m_info.hProcess)
        return;
    if (!HasEnded()) {
        ::TerminateProcess(m_info.hProcess, 1);
        ::WaitForSingleObject(m_info.hProcess, 5000);
    }
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

bool CChildProcess::HasEnded() const
{
    return ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0;
}

bool CChildProcess::WaitForExit(DWORD timeoutMs) const
{
    return Started() && PumpUntil([this] { return HasEnded(); }, timeoutMs);
}

DWORD CChildProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

namespace {
struct WindowWalk {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    WindowWalk* walk = reinterpret_cast<WindowWalk*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == walk->pid)
        walk->found.push_back(window);
    return TRUE;
}
bool HasClassAndTitle(HWND window, const char* className, const char* title)
{
    char text[256] = "";
    if (className && (!::GetClassNameA(window, text, sizeof text) || ::lstrcmpiA(text, className)))
        return false;
    if (!title)
        return true;
    ::GetWindowTextA(window, text, sizeof text);
    return ::lstrcmpiA(text, title) == 0;
}
}  // namespace

std::vector<HWND> CChildProcess::TopLevelWindows() const
{
    WindowWalk walk{m_info.dwProcessId, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&walk));
    return walk.found;
}

// One listing from the top rather than FindWindowEx's "after this one": Wine 10's server spins
// for ever on "the next window after" one that is being destroyed, which it has already taken
// out of the z-order, and every test after that waits on a server that never answers.
HWND CChildProcess::Find(const char* className, const char* title, bool visibleOnly) const
{
    for (HWND window : TopLevelWindows())
        if (HasClassAndTitle(window, className, title) && (!visibleOnly || ::IsWindowVisible(window)))
            return window;
    return NULL;
}

HWND CChildProcess::FindWindow(const char* className, const char* title) const
{
    return Find(className, title, false);
}

HWND CChildProcess::FindVisibleWindow(const char* className, const char* title) const
{
    return Find(className, title, true);
}

void CatchUp(HWND window)
{
    SendWithin(window, WM_NULL, 0, 0, 5000);
}

void CChildProcess::CatchUp() const
{
    for (HWND window : TopLevelWindows())
        ::CatchUp(window);
}
