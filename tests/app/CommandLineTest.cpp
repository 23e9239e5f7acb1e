#include "CommandLine.h"
#include "RuleText.h"
#include <gtest/gtest.h>

namespace {

std::string Joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += "[" + word + "]";
    return text;
}

struct SplitCase {
    const char* line;
    const char* words;
};

TEST(CommandLine, SplitsAsWindowsGivesArgv)
{
    const SplitCase cases[] = {
        {"", ""},
        {"  \t ", ""},
        {"a b\tc", "[a][b][c]"},
        {"\"a b\" c", "[a b][c]"},
        {"\"\"", "[]"},
        {"a\\\\b", "[a\\\\b]"},
        {"a\\\"b", "[a\"b]"},
        {"\"a\\\\\" b", "[a\\][b]"},
        {"\"a\\\\\\\"b\"", "[a\\\"b]"},
        {"C:\\Program\" \"Files\\x", "[C:\\Program Files\\x]"},
        {u8"Ελληνικά \"Рус ский\" メモ帳", u8"[Ελληνικά][Рус ский][メモ帳]"},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(c.words, Joined(SplitArguments(c.line))) << "line: " << c.line;
}

TEST(CommandLine, TheArgumentsFollowTheProgramsNameAsTheRuntimeSkipsIt)
{
    const struct {
        const wchar_t* line;
        const char* arguments;
    } cases[] = {
        {L"QuorTab.exe", ""},
        {L"\"C:\\Program Files\\QuorTab.exe\" --title \"a b\"", "--title \"a b\""},
        // The name's quote ends it even with no blank after it.
        {L"\"C:\\x\\QuorTab.exe\"--help", "--help"},
        {L"QuorTab.exe\t--title \u30e1\u30e2", u8"--title メモ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.arguments, ArgumentsOf(c.line));
}

struct GoodCase {
    const char* line;
    const char* rules;
    bool follow;
};

TEST(CommandLine, GoodLinesGiveTheirRulesInOrder)
{
    const GoodCase cases[] = {
        {"--process notepad.exe", "process:notepad.exe", false},
        {"--class Notepad --title \"Untitled - Notepad\"", "class:Notepad title:Untitled - Notepad", false},
        {"--follow --process *.exe", "process:*.exe", true},
        {"--process \"my app.exe\" --follow --title x --follow", "process:my app.exe title:x", true},
        {"  --title  a\\\"b  ", "title:a\"b", false},
        {"--title \"C:\\dir\\\\\"", "title:C:\\dir\\", false},
        {"--title --x", "title:--x", false},
        {u8"--title \"Мой доклад — Word\" --class Ελλ*", u8"title:Мой доклад — Word class:Ελλ*", false},
    };
    for (const GoodCase& c : cases) {
        const CCommandLine parsed = ParseCommandLine(c.line);
        EXPECT_EQ(CCommandLine::Rules, parsed.kind) << "line: " << c.line << " wrong word: " << parsed.wrongWord;
        EXPECT_EQ(c.rules, Describe(parsed.rules.Rules())) << "line: " << c.line;
        EXPECT_EQ(c.follow, parsed.follow) << "line: " << c.line;
    }
}

TEST(CommandLine, NothingButBlanksIsNoArgumentsAndHelpAnywhereWins)
{
    for (const char* line : {"", " ", "\t  "})
        EXPECT_EQ(CCommandLine::NoArguments, ParseCommandLine(line).kind) << "line: [" << line << "]";
    for (const char* line : {"--help", "--process a --help", "--bogus --help", "--title --help", "stray --help --follow"}) {
        const CCommandLine parsed = ParseCommandLine(line);
        EXPECT_EQ(CCommandLine::Help, parsed.kind) << "line: " << line;
        EXPECT_TRUE(parsed.rules.Empty()) << "line: " << line;
    }
}

struct WrongCase {
    const char* line;
    CommandLineError error;
    const char* word;
};

TEST(CommandLine, WrongLinesNameTheFirstWrongWordAndGiveNoRules)
{
    const WrongCase cases[] = {
        {"--size 3", CommandLineError::UnknownOption, "--size"},
        {"-p notepad.exe", CommandLineError::UnknownOption, "-p"},
        {"--foo=bar", CommandLineError::UnknownOption, "--foo=bar"},
        {"--process a --bogus", CommandLineError::UnknownOption, "--bogus"},
        {"--title=Notepad", CommandLineError::ValueInOption, "--title=Notepad"},
        {"--follow=yes --process a", CommandLineError::ValueInOption, "--follow=yes"},
        {"--process", CommandLineError::MissingValue, "--process"},
        {"--process --follow", CommandLineError::MissingValue, "--process"},
        {"--title --class x", CommandLineError::MissingValue, "--title"},
        {"--title \"\"", CommandLineError::EmptyValue, "--title"},
        {"--process \"\" --title x", CommandLineError::EmptyValue, "--process"},
        {"notepad.exe", CommandLineError::StrayWord, "notepad.exe"},
        {"--process a b", CommandLineError::StrayWord, "b"},
        {"/?", CommandLineError::StrayWord, "/?"},
        {"--follow", CommandLineError::FollowWithoutRule, "--follow"},
    };
    for (const WrongCase& c : cases) {
        const CCommandLine parsed = ParseCommandLine(c.line);
        EXPECT_EQ(CCommandLine::Error, parsed.kind) << "line: " << c.line;
        EXPECT_EQ(static_cast<int>(c.error), static_cast<int>(parsed.error)) << "line: " << c.line;
        EXPECT_EQ(c.word, parsed.wrongWord) << "line: " << c.line;
        EXPECT_TRUE(parsed.rules.Empty()) << "line: " << c.line;
    }
}

TEST(CommandLine, AGuardiansLineIsTheOptionAndAHandleValueAloneAndAnythingMoreIsRefusedAsUnknown)
{
    const struct {
        const char* line;
        unsigned long long guarded;  // 0: refused
    } cases[] = {
        {"--guard 1234", 1234},
        {"  --guard  \"88\" ", 88},
        {"--guard 18446744073709551615", sizeof(void*) == 8 ? 18446744073709551615ull : 0},
        {"--guard 4294967296", sizeof(void*) == 8 ? 4294967296ull : 0},
        {"--guard", 0},
        {"--guard 0", 0},
        {"--guard \"\"", 0},
        {"--guard x", 0},
        {"--guard -4", 0},
        {"--guard 0x10", 0},
        {"--guard 18446744073709551616", 0},
        {"--guard 4 4", 0},
        {"--guard 4 --help", 0},
        {"--help --guard 4", 0},
        {"--guard 4 --process a", 0},
        {"--process a --guard 4", 0},
        {"--follow --guard 4", 0},
        {"--title --guard", 0},
    };
    for (const auto& c : cases) {
        const CCommandLine parsed = ParseCommandLine(c.line);
        if (c.guarded) {
            EXPECT_EQ(CCommandLine::Guard, parsed.kind) << "line: " << c.line << " wrong word: " << parsed.wrongWord;
            EXPECT_EQ(c.guarded, parsed.guarded) << "line: " << c.line;
        } else {
            EXPECT_EQ(CCommandLine::Error, parsed.kind) << "line: " << c.line;
            EXPECT_EQ(static_cast<int>(CommandLineError::UnknownOption), static_cast<int>(parsed.error)) << c.line;
            EXPECT_EQ("--guard", parsed.wrongWord) << "line: " << c.line;
        }
        EXPECT_TRUE(parsed.rules.Empty()) << "line: " << c.line;
    }
    // A value joined to the option is not the option.
    EXPECT_EQ("--guard=4", ParseCommandLine("--guard=4").wrongWord);
    EXPECT_EQ(std::string::npos, UsageText().find("--guard")) << "the usage does not offer it";
    EXPECT_EQ("Unknown option: --guard\n\n" + UsageText(), ErrorText(GuardRefused()));
}

TEST(CommandLine, TextsForTheBoxes)
{
    const std::string usage = UsageText();
    EXPECT_EQ(0u, usage.find("Usage: QuorTab.exe [--process PATTERN]... [--class PATTERN]... [--title PATTERN]... [--follow]\n"));
    const std::string error = ErrorText(ParseCommandLine("--process a --size 3"));
    EXPECT_EQ("Unknown option: --size\n\n" + usage, error);
    EXPECT_EQ("No window matches:\n  --process notepad.exe\n  --title \"Untitled - Paint\"",
              NothingMatchedText({{RuleKind::Process, "notepad.exe"}, {RuleKind::Title, "Untitled - Paint"}}));
}

const char kOwnPath[] = "C:\\Program Files\\QuorTab\\QuorTab.exe";

struct RebuildCase {
    std::vector<TabProgram> tabs;
    bool follow;
    const char* arguments;  // what follows the quoted path
};

TEST(CommandLine, RebuiltLineNamesEachProgramOnceInTabOrderAndTitlesWhereTheProgramIsUnknown)
{
    const RebuildCase cases[] = {
        {{}, false, ""},
        {{}, true, " --follow"},
        {{{"notepad.exe", "a"}, {"winmine.exe", "b"}, {"NOTEPAD.EXE", "c"}, {"my app.exe", "d"}}, true,
         " --process notepad.exe --process winmine.exe --process \"my app.exe\" --follow"},
        {{{"", "Untitled - Paint"}, {"notepad.exe", "x"}, {"", "Untitled - Paint"}, {"", "Other"}}, false,
         " --title \"Untitled - Paint\" --process notepad.exe --title Other"},
        {{{"", ""}, {"", u8"Доклад"}}, false, u8" --title Доклад"},
        {{{"", "say \"hi\" C:\\dir\\"}}, false, " --title \"say \\\"hi\\\" C:\\dir\\\\\""},
        {{{"", "--help"}, {"", "--x"}}, false, " --title ?-help --title --x"},
        {{{"", "--guard"}}, false, " --title ?-guard"},
    };
    for (const RebuildCase& c : cases)
        EXPECT_EQ(std::string("\"") + kOwnPath + "\"" + c.arguments, RebuildCommandLine(kOwnPath, c.tabs, c.follow));
}

TEST(CommandLine, RebuiltLineParsesBackToTheExactProgramsAndTitlesAndMatchesEveryTab)
{
    const std::vector<std::string> titles = {
        "two words", "tab\there", "a\"b", "\"", "\\", "\\\\\"", "C:\\dir\\", "C:\\my dir\\", "ends with \\\\",
        "--x", "--help", "--guard", u8"Доклад — “Word” \\", u8"κόσμε \\\"?\\", "*?"};
    std::vector<TabProgram> tabs = {{"notepad.exe", "a"}, {u8"блокнот 2.exe", "b"}};
    std::string expected = u8"process:notepad.exe process:блокнот 2.exe";
    for (const std::string& title : titles) {
        tabs.push_back({"", title});
        expected += " title:" + (title.compare(0, 2, "--") == 0 && title != "--x" ? "?" + title.substr(1) : title);
    }
    const std::string path = kOwnPath;
    for (bool follow : {false, true}) {
        const std::string line = RebuildCommandLine(path, tabs, follow);
        ASSERT_EQ("\"" + path + "\"", line.substr(0, path.size() + 2));
        const CCommandLine parsed = ParseCommandLine(line.substr(path.size() + 2));
        ASSERT_EQ(CCommandLine::Rules, parsed.kind) << line << " wrong word: " << parsed.wrongWord;
        EXPECT_EQ(follow, parsed.follow);
        EXPECT_EQ(expected, Describe(parsed.rules.Rules())) << line;
        for (const TabProgram& tab : tabs)
            EXPECT_TRUE(parsed.rules.Matches({tab.program, "AnyClass", tab.title})) << tab.title;
    }
}

}  // namespace
