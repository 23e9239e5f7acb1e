#include "Fixture.h"
#include "Pump.h"
#include <algorithm>
#include <cstdlib>

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

CChildProcess::CChildProcess(const std::string& commandLine) : m_info()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &m_info))
        m_info = PROCESS_INFORMATION();
    else
        ::WaitForInputIdle(m_info.hProcess, 10000);
}

CChildProcess::~CChildProcess()
{
    if (!m_info.hProcess)
        return;
    if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_info.hProcess, 1);
        ::WaitForSingleObject(m_info.hProcess, 5000);
    }
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

bool CChildProcess::WaitForExit(DWORD timeoutMs)
{
    return PumpUntil([this] { return ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0; },
                     timeoutMs);
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
}

std::vector<HWND> CChildProcess::TopLevelWindows() const
{
    WindowWalk walk{m_info.dwProcessId, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&walk));
    return walk.found;
}

HWND CChildProcess::FindWindow(const char* className, const char* title) const
{
    for (HWND window : TopLevelWindows()) {
        char cls[256] = "";
        ::GetClassNameA(window, cls, sizeof cls);
        if (className && lstrcmpA(cls, className) != 0)
            continue;
        if (title && WindowTitle(window) != title)
            continue;
        return window;
    }
    return NULL;
}

static std::string JoinSpecs(const std::vector<std::string>& specs)
{
    std::string line = Quote(ProgramPath("Fixture.exe"));
    for (const std::string& request : specs)
        line += " " + Quote(request);
    return line;
}

// How many windows the specs ask for: one each, or its `repeat` count.
static size_t RequestedWindows(const std::vector<std::string>& specs)
{
    size_t count = 0;
    for (const std::string& request : specs) {
        long windows = 1;
        size_t start = 0;
        while (start <= request.size()) {
            size_t end = request.find(';', start);
            if (end == std::string::npos)
                end = request.size();
            if (request.compare(start, 7, "repeat=") == 0 && end > start + 7)
                windows = std::strtol(request.c_str() + start + 7, nullptr, 0);
            start = end + 1;
        }
        count += windows > 0 ? static_cast<size_t>(windows) : 0;
    }
    return count;
}

CFixtureProcess::CFixtureProcess(const std::vector<std::string>& specs) : CChildProcess(JoinSpecs(specs))
{
    // Under Wine, WaitForInputIdle can return before the fixture has made all its windows.
    const size_t requested = RequestedWindows(specs);
    if (Started())
        PumpUntil([&] {
            return WindowCount() >= requested || ::WaitForSingleObject(Handle(), 0) == WAIT_OBJECT_0;
        }, 10000);
}

HWND CFixtureProcess::Window(size_t index) const
{
    for (HWND window : TopLevelWindows())
        if (static_cast<size_t>(::GetWindowLongPtrA(window, GWLP_USERDATA)) == index + 1)
            return window;
    return NULL;
}

size_t CFixtureProcess::WindowCount() const
{
    std::vector<HWND> windows = TopLevelWindows();
    return std::count_if(windows.begin(), windows.end(),
                         [](HWND w) { return ::GetWindowLongPtrA(w, GWLP_USERDATA) > 0; });
}

std::string WindowTitle(HWND window)
{
    char title[4096] = "";
    ::GetWindowTextA(window, title, sizeof title);
    return title;
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRectOnScreen(HWND window)
{
    RECT rect = {};
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, NULL, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CatchUp(HWND window)
{
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

void CChildProcess::CatchUp() const
{
    for (HWND window : TopLevelWindows())
        ::CatchUp(window);
}
