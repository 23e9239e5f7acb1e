#include "BenchTable.h"
#include <cmath>
#include <cstdio>

namespace {
std::string Printed(const char* format, double value)
{
    if (std::isnan(value))
        return "n/a";
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}
}  // namespace

void CBenchTable::Row(const std::string& figure, const std::string& quortab, const std::string& baseline,
                      const std::string& baselineIs)
{
    m_lines.push_back({figure, quortab, baseline, baselineIs});
}

void CBenchTable::Print() const
{
    std::printf("| Figure | QuorTab | Baseline | Baseline is |\n|---|--:|--:|---|\n");
    for (const Line& line : m_lines)
        std::printf("| %s | %s | %s | %s |\n", line.figure.c_str(), line.quortab.c_str(), line.baseline.c_str(),
                    line.baselineIs.c_str());
    std::fflush(stdout);
}

std::string FormatMs(double ms)
{
    if (std::isnan(ms))
        return "n/a";
    if (ms < 0.01)
        return Printed("%.1f \xC2\xB5s", ms * 1000);
    if (ms < 1)
        return Printed("%.0f \xC2\xB5s", ms * 1000);
    if (ms < 100)
        return Printed("%.1f ms", ms);
    return Printed("%.0f ms", ms);
}

std::string FormatPercent(double share)
{
    return Printed(share < 0.001 ? "%.3f %%" : "%.2f %%", share * 100);
}

std::string FormatMiB(double bytes)
{
    return Printed("%.1f MiB", bytes / (1024.0 * 1024.0));
}

std::string FormatKiB(double bytes)
{
    return Printed("%.0f KiB", bytes / 1024.0);
}

std::string FormatCount(double count)
{
    return Printed("%.0f", count);
}
