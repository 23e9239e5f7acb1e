#include "CommandLine.h"
#include "Utf8.h"
#include <shellapi.h>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace {

const char kProcess[] = "--process";
const char kClass[] = "--class";
const char kTitle[] = "--title";
const char kFollow[] = "--follow";
const char kHelp[] = "--help";

// The options the usage offers.
bool IsOurOption(const std::string& word)
{
    return word == kProcess || word == kClass || word == kTitle || word == kFollow || word == kHelp;
}

bool RuleOption(const std::string& word, RuleKind* kind)
{
    if (word == kProcess)
        *kind = RuleKind::Process;
    else if (word == kClass)
        *kind = RuleKind::Class;
    else if (word == kTitle)
        *kind = RuleKind::Title;
    else
        return false;
    return true;
}

CCommandLine Wrong(CommandLineError error, const std::string& word)
{
    CCommandLine line;
    line.kind = CCommandLine::Error;
    line.error = error;
    line.wrongWord = word;
    return line;
}

const char* OptionName(RuleKind kind)
{
    switch (kind) {
    case RuleKind::Process:
        return kProcess;
    case RuleKind::Class:
        return kClass;
    case RuleKind::Title:
        return kTitle;
    }
    return "";
}

// A guardian's line is `--guard VALUE` and nothing else; a wrong one is refused as if the option
// did not exist, for it is not the user's.
CCommandLine GuardLine(const std::vector<std::string>& words)
{
    CCommandLine line = GuardRefused();
    if (words.size() != 2 || words[0] != kGuardOption)
        return line;
    const std::string& value = words[1];
    // A handle's value fits in a pointer: 20 digits at most, and no more than the pointer holds.
    if (value.empty() || value.size() > 20 || value.find_first_not_of("0123456789") != std::string::npos)
        return line;
    errno = 0;
    const unsigned long long guarded = std::strtoull(value.c_str(), nullptr, 10);
    if (errno || guarded == 0 || guarded > UINTPTR_MAX)
        return line;
    line = CCommandLine();
    line.kind = CCommandLine::Guard;
    line.guarded = guarded;
    return line;
}

}  // namespace

const char kGuardOption[] = "--guard";

CCommandLine GuardRefused()
{
    return Wrong(CommandLineError::UnknownOption, kGuardOption);
}

std::string ArgumentsOf(const std::wstring& commandLine)
{
    size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        // A quoted name ends at the next quote, whatever follows it.
        at = commandLine.find(L'"', 1);
        at = at == std::wstring::npos ? commandLine.size() : at + 1;
    } else {
        at = std::min(commandLine.find_first_of(L" \t"), commandLine.size());
    }
    at = std::min(commandLine.find_first_not_of(L" \t", at), commandLine.size());
    return Utf8FromWide(commandLine.substr(at));
}

std::vector<std::string> SplitArguments(const std::string& arguments)
{
    // The system's splitter takes the program's name first, by rules of its own; a plain stand-in
    // keeps every real argument under the argument rules.
    const std::wstring line = L"x " + WideFromUtf8(arguments);
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::string> words;
    for (int i = 1; argv && i < count; ++i)
        words.push_back(Utf8FromWide(argv[i]));
    ::LocalFree(argv);
    return words;
}

std::string QuoteArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows them: then each stands for two.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

namespace {
// The error a word that is neither one of our options nor an option's value makes.
CommandLineError ErrorOfWord(const std::string& word)
{
    if (word.compare(0, 2, "--") == 0 && word.find('=') != std::string::npos &&
        IsOurOption(word.substr(0, word.find('='))))
        return CommandLineError::ValueInOption;
    return word.size() > 1 && word[0] == '-' ? CommandLineError::UnknownOption : CommandLineError::StrayWord;
}
// Rule options with their values and --follow, in any order; the first wrong word decides.
CCommandLine RulesLine(const std::vector<std::string>& words)
{
    CCommandLine line;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        RuleKind kind;
        if (word == kFollow) {
            line.follow = true;
        } else if (!RuleOption(word, &kind)) {
            return Wrong(ErrorOfWord(word), word);
        } else if (i + 1 == words.size() || IsOurOption(words[i + 1])) {
            return Wrong(CommandLineError::MissingValue, word);
        } else if (words[++i].empty()) {
            return Wrong(CommandLineError::EmptyValue, word);
        } else {
            line.rules.Add(kind, words[i]);
        }
    }
    if (line.rules.Empty())
        return Wrong(CommandLineError::FollowWithoutRule, kFollow);
    line.kind = CCommandLine::Rules;
    return line;
}
}  // namespace

CCommandLine ParseCommandLine(const std::string& arguments)
{
    const std::vector<std::string> words = SplitArguments(arguments);
    CCommandLine line;
    if (words.empty())
        return line;
    if (std::find(words.begin(), words.end(), kGuardOption) != words.end())
        return GuardLine(words);
    if (std::find(words.begin(), words.end(), kHelp) != words.end()) {
        line.kind = CCommandLine::Help;
        return line;
    }
    return RulesLine(words);
}

std::string UsageText()
{
    return "Usage: QuorTab.exe [--process PATTERN]... [--class PATTERN]... [--title PATTERN]... [--follow]\n"
           "\n"
           "Without options, QuorTab asks which window to group first. With them it groups every\n"
           "window that any of the rules matches:\n"
           "  --process PATTERN   the file name of the window's program, e.g. notepad.exe\n"
           "  --class PATTERN     the window's class\n"
           "  --title PATTERN     the window's title\n"
           "  --follow            keep grouping matching windows as they appear\n"
           "  --help              show this text\n"
           "\n"
           "A pattern compares the whole text, without regard to case: * stands for any run of\n"
           "characters, ? for one character. Quote a pattern that has blanks.";
}

std::string ErrorText(const CCommandLine& line)
{
    std::string what;
    switch (line.error) {
    case CommandLineError::UnknownOption:
        what = "Unknown option: " + line.wrongWord;
        break;
    case CommandLineError::ValueInOption:
        what = "Give the value as the next word, not after '=': " + line.wrongWord;
        break;
    case CommandLineError::MissingValue:
        what = "A pattern must follow " + line.wrongWord;
        break;
    case CommandLineError::EmptyValue:
        what = "The pattern after " + line.wrongWord + " is empty";
        break;
    case CommandLineError::StrayWord:
        what = "Not an option: " + line.wrongWord;
        break;
    case CommandLineError::FollowWithoutRule:
        what = "--follow needs at least one --process, --class or --title";
        break;
    case CommandLineError::None:
        return UsageText();
    }
    return what + "\n\n" + UsageText();
}

std::string RuleText(const Rule& rule)
{
    return std::string(OptionName(rule.kind)) + " " + QuoteArgument(rule.pattern);
}

std::string NothingMatchedText(const std::vector<Rule>& unmatched)
{
    std::string text = "No window matches:";
    for (const Rule& rule : unmatched)
        text += "\n  " + RuleText(rule);
    return text;
}

std::string RebuildCommandLine(const std::string& ownPath, const std::vector<TabProgram>& tabs, bool follow)
{
    std::string line = "\"" + ownPath + "\"";
    std::vector<std::string> programs, titles;
    for (const TabProgram& tab : tabs) {
        const bool byProgram = !tab.program.empty();
        const std::string& value = byProgram ? tab.program : tab.title;
        std::vector<std::string>& seen = byProgram ? programs : titles;
        if (value.empty())
            continue;
        bool repeat = false;
        for (const std::string& earlier : seen)
            repeat = repeat || SameTextIgnoringCase(earlier, value);
        if (repeat)
            continue;
        seen.push_back(value);
        // A title that reads as one of our options would be taken for it; '?' still matches its dash.
        std::string pattern = value;
        if (IsOurOption(pattern) || pattern == kGuardOption)
            pattern[0] = '?';
        line += std::string(" ") + (byProgram ? kProcess : kTitle) + " " + QuoteArgument(pattern);
    }
    if (follow)
        line += std::string(" ") + kFollow;
    return line;
}
