#pragma once
// The one table the benchmark prints: each figure of QuorTab beside its baseline.
#include <string>
#include <vector>

class CBenchTable {
public:
    void Row(const std::string& figure, const std::string& quortab, const std::string& baseline,
             const std::string& baselineIs);
    // A Markdown table on standard output.
    void Print() const;

private:
    struct Line {
        std::string figure, quortab, baseline, baselineIs;
    };
    std::vector<Line> m_lines;
};

// Figures as the table shows them; NaN (not measured) shows as "n/a".
std::string FormatMs(double ms);
std::string FormatPercent(double share);
std::string FormatMiB(double bytes);
std::string FormatKiB(double bytes);
std::string FormatCount(double count);
