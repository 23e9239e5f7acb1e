#include "Rules.h"
#include "RuleText.h"
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct PatternCase {
    const char* pattern;
    const char* text;
    bool matches;
};

// Patterns and texts are UTF-8, as the program's own texts are.
const PatternCase kPatternCases[] = {
    // The whole text, nothing less.
    {"notepad.exe", "notepad.exe", true},
    {"notepad", "notepad.exe", false},
    {"pad.exe", "notepad.exe", false},
    {"", "", true},
    {"", "a", false},
    // Stars: any run, the empty one included, anywhere, again and again.
    {"*", "", true},
    {"note*", "notepad.exe", true},
    {"*.exe", "notepad.exe.bak", false},
    {"*pad*", "notepad.exe", true},
    {"**x", "x", true},
    {"a*b*c", "aXbYbZc", true},
    {"a*b", "aXbXc", false},
    {"*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    // Question marks: exactly one character each.
    {"n?tepad.exe", "notepad.exe", true},
    {"?", "", false},
    {"???", "abcd", false},
    // Wildcards in the text are plain characters there.
    {"a*", "a*", true},
    {"a?", "a*", true},
    // Case, in Latin and beyond.
    {"NOTEPAD.EXE", "notepad.exe", true},
    {"i", "I", true},
    {u8"Ä*Ö", u8"äbö", true},
    {u8"ΚΌΣΜΕ", u8"κόσμε", true},
    {u8"σ", u8"ς", true},
    {u8"ΚΌΣΜΟΣ", u8"κόσμος", true},
    {u8"ΚΟΣΜΟΣ", u8"κόσμος", false},
    {u8"БЛОКНОТ", u8"блокнот", true},
    {u8"*ДОКЛАД*", u8"Мой доклад — Word", true},
    // One character is one UTF-8 sequence, of two, three or four bytes.
    {"bl?knot", u8"blöknot", true},
    {"??", u8"ö", false},
    {u8"メ?帳", u8"メモ帳", true},
    {"?", u8"😀", true},
    {"??", u8"😀", false},
};

TEST(Pattern, MatchesAsTheTableSays)
{
    for (const PatternCase& c : kPatternCases)
        EXPECT_EQ(c.matches, MatchesPattern(c.pattern, c.text)) << "pattern \"" << c.pattern << "\", text \"" << c.text << "\"";
}

TEST(Pattern, SameTextIgnoringCaseIsWholeTextAndTakesNoWildcards)
{
    EXPECT_TRUE(SameTextIgnoringCase("Notepad.EXE", "notepad.exe"));
    EXPECT_TRUE(SameTextIgnoringCase(u8"Блокнот", u8"БЛОКНОТ"));
    EXPECT_FALSE(SameTextIgnoringCase("note*", "notepad"));
    EXPECT_FALSE(SameTextIgnoringCase("notepad", "notepad.exe"));
}

CRuleSet SampleRules()
{
    CRuleSet rules;
    rules.Add(RuleKind::Process, "notepad.exe");
    rules.Add(RuleKind::Class, "Qt*Window");
    rules.Add(RuleKind::Title, u8"* — Word");
    return rules;
}

struct WindowCase {
    WindowFacts window;
    bool matches;
};

TEST(RuleSet, AWindowMatchesWhenAnyRuleMatchesItsOwnText)
{
    const WindowCase cases[] = {
        {{"NOTEPAD.EXE", "Notepad", "Untitled - Notepad"}, true},
        {{"notepad2.exe", "Notepad", "Untitled - Notepad"}, false},
        {{"app.exe", "Qt5QWindowIcon", "Tools"}, false},
        {{"app.exe", "QtMainWindow", "Tools"}, true},
        {{"winword.exe", "OpusApp", u8"Доклад — Word"}, true},
        {{"winword.exe", "OpusApp", u8"Доклад - Word"}, false},
        // Each rule looks at its own text only.
        {{"notepad.exe.exe", "notepad.exe", "notepad.exe"}, false},
        {{"", "", u8"Report — Word"}, true},
    };
    const CRuleSet rules = SampleRules();
    for (const WindowCase& c : cases) {
        EXPECT_EQ(c.matches, rules.Matches(c.window))
            << c.window.program << " | " << c.window.className << " | " << c.window.title;
        // Asked one fact at a time, as a walk that keeps a window's program and class does.
        const bool byFacts = rules.Matches(RuleKind::Process, c.window.program)
                          || rules.Matches(RuleKind::Class, c.window.className)
                          || rules.Matches(RuleKind::Title, c.window.title);
        EXPECT_EQ(c.matches, byFacts) << c.window.program << " | " << c.window.className << " | " << c.window.title;
    }
    EXPECT_FALSE(CRuleSet().Matches({"notepad.exe", "Notepad", "Untitled - Notepad"}));
}

TEST(RuleSet, AProcessRuleNeverMatchesAWindowWhoseProgramIsUnknown)
{
    CRuleSet rules;
    rules.Add(RuleKind::Process, "*");
    EXPECT_FALSE(rules.Matches({"", "Notepad", "Untitled"}));
    EXPECT_TRUE(rules.Matches({"a.exe", "", ""}));
    EXPECT_FALSE(rules.Matches(RuleKind::Process, ""));
    EXPECT_TRUE(rules.Has(RuleKind::Process));
    EXPECT_FALSE(rules.Has(RuleKind::Title));
}

TEST(RuleSet, KeepsItsRulesInOrderAndNamesThoseThatFoundNothing)
{
    const CRuleSet rules = SampleRules();
    EXPECT_EQ(u8"process:notepad.exe class:Qt*Window title:* — Word", Describe(rules.Rules()));
    EXPECT_EQ(u8"process:notepad.exe class:Qt*Window title:* — Word", Describe(rules.MatchingNone({})));
    EXPECT_EQ(u8"process:notepad.exe title:* — Word",
              Describe(rules.MatchingNone({{"app.exe", "QtMainWindow", "x"}, {"", "Notepad", "y"}})));
    EXPECT_EQ("class:Qt*Window", Describe(rules.MatchingNone({{"Notepad.exe", "Notepad", u8"a — Word"}})));
    EXPECT_EQ("", Describe(rules.MatchingNone({{"app.exe", "QtMainWindow", u8"a — Word"}, {"notepad.exe", "", ""}})));
}

}  // namespace

namespace {

// "u" unseen, "s" settled, "o" open, "a3" awaiting a title last read at walk 3; out, per window,
// "+" looked at, "-" passed by.
std::string Looks(const char* listing, size_t titles)
{
    std::vector<WalkEntry> windows;
    std::istringstream words(listing);
    for (std::string word; words >> word;) {
        const WalkStanding standing = word[0] == 'u' ? WalkStanding::Unseen
                                    : word[0] == 's' ? WalkStanding::Settled
                                    : word[0] == 'o' ? WalkStanding::Open : WalkStanding::AwaitsTitle;
        windows.push_back({standing, word.size() > 1 ? static_cast<unsigned>(std::stoul(word.substr(1))) : 0u});
    }
    std::string looks;
    for (bool look : WindowsToLookAt(windows, titles))
        looks += look ? '+' : '-';
    return looks;
}

TEST(RuleWalk, LooksAtUnseenAndOpenWindowsAndReadsAFewTitlesLongestUnreadFirst)
{
    const struct { const char* listing; size_t titles; const char* looks; } rows[] = {
        {"", 2, ""},
        {"u s o", 2, "+-+"},
        {"s0 s9", 5, "--"},
        {"a5 a1 a3", 2, "-++"},
        {"a2 a2 a2", 2, "++-"},
        {"a1 a1", 10, "++"},
        {"a1 u o", 0, "-++"},
        {"u a4 s a0 o a2", 1, "+--++-"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.looks, Looks(row.listing, row.titles)) << row.listing << " / " << row.titles;
}

TEST(RuleWalk, TitlesAwaitingTheirTurnAreEachReadOnceARound)
{
    std::vector<WalkEntry> windows(3, WalkEntry{WalkStanding::AwaitsTitle, 0});
    std::string order;
    for (unsigned walk = 1; walk <= 6; ++walk) {
        const std::vector<bool> look = WindowsToLookAt(windows, 1);
        for (size_t i = 0; i < look.size(); ++i)
            if (look[i]) {
                order += static_cast<char>('0' + i);
                windows[i].readAt = walk;
            }
    }
    EXPECT_EQ("012012", order);
}

}  // namespace
