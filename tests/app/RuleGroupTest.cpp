// What the command line decides before any window is grouped: the picker, rules, or an early end
// with a box that says why.
#include "BoxCatcher.h"
#include "RuleGroup.h"
#include <gtest/gtest.h>

namespace {
struct LineCase {
    const char* arguments;
    bool goesOn;     // false: the program ends at once
    int exitCode;    // when it ends
    bool withRules;  // when it goes on: rules, or else the picker
    bool follows;
    const char* boxStart;  // the box's text begins so; none without
    bool errorIcon;
};
const LineCase kLines[] = {
    {"", true, 0, false, false, nullptr, false},
    {"--process notepad.exe", true, 0, true, false, nullptr, false},
    {"--title * --follow", true, 0, true, true, nullptr, false},
    {"--help", false, 0, false, false, "Usage: QuorTab.exe", false},
    {"--follow", false, 2, false, false, "--follow needs at least one", true},
};
}  // namespace

TEST(RuleGroup, TheCommandLineChoosesThePickerRulesOrAnEarlyEndWithItsBox)
{
    for (const LineCase& c : kLines) {
        CBoxCatcher boxes;
        std::unique_ptr<CRuleGroup> rules;
        int exitCode = 12345;
        EXPECT_EQ(c.goesOn, ReadCommandLine(c.arguments, rules, exitCode)) << c.arguments;
        EXPECT_EQ(c.goesOn ? 12345 : c.exitCode, exitCode) << c.arguments;
        EXPECT_EQ(c.withRules, rules != nullptr) << c.arguments;
        EXPECT_EQ(c.follows, rules && rules->Follows()) << c.arguments;
        ASSERT_EQ(c.boxStart ? 1u : 0u, boxes.Boxes().size()) << c.arguments;
        if (!c.boxStart)
            continue;
        const CaughtBox& box = boxes.Boxes()[0];
        EXPECT_EQ(0u, box.text.find(c.boxStart)) << c.arguments << ": " << box.text;
        EXPECT_EQ("Quor Tab", box.caption);
        EXPECT_EQ(c.errorIcon, box.errorIcon) << c.arguments;
    }
}
