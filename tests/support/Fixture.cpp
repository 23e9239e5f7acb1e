#include "Fixture.h"
#include "Pump.h"
#include <algorithm>
#include <cstdlib>

static std::string CommandLine(const std::vector<std::string>& requests)
{
    std::string line = Quote(ProgramPath("Fixture.exe"));
    for (const std::string& request : requests)
        line += " " + Quote(request);
    return line;
}

// How many windows the requests ask for: one each, or its `repeat` count.
static size_t RequestedWindows(const std::vector<std::string>& requests)
{
    size_t count = 0;
    for (const std::string& request : requests) {
        if (request == FIXTURE_DPI_UNAWARE)
            continue;
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

CFixtureProcess::CFixtureProcess(const std::vector<std::string>& requests) : CChildProcess(CommandLine(requests))
{
    // Under Wine, WaitForInputIdle can return before the fixture has made all its windows.
    const size_t requested = RequestedWindows(requests);
    if (Started())
        PumpUntil([&] {
            return WindowCount() >= requested || HasEnded();
        }, kInputIdleMs);
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
