#include "BenchUtil.h"
#include <algorithm>
#include <cmath>

double NowMs()
{
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart / 1000.0;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart / ticksPerMs;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs)
{
    const double deadline = NowMs() + timeoutMs;
    for (;;) {
        if (done())
            return true;
        if (NowMs() >= deadline)
            return false;
        ::Sleep(pollMs);
    }
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    size_t rank = static_cast<size_t>(std::ceil(fraction * values.size()));
    return values[rank > 0 ? rank - 1 : 0];
}

std::string WindowsPath(const std::string& path)
{
    return !path.empty() && path[0] == '/' ? "Z:" + path : path;
}
