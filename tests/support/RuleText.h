#pragma once
// Rules as a test prints them: "process:notepad.exe title:*x", in their order.
#include "Rules.h"
#include <string>
#include <vector>

inline std::string Describe(const std::vector<Rule>& rules)
{
    const char* kinds[] = {"process", "class", "title"};
    std::string text;
    for (const Rule& rule : rules)
        text += std::string(text.empty() ? "" : " ") + kinds[static_cast<int>(rule.kind)] + ":" + rule.pattern;
    return text;
}
