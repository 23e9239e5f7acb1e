#pragma once
// QuorTab's command line: rules that pick the windows of a group, and the line that rebuilds one.
#include "Rules.h"
#include <string>
#include <vector>

// What ends the program early, and how.
constexpr int kHelpExitCode = 0;
constexpr int kUsageExitCode = 2;
constexpr int kNothingMatchedExitCode = -1;

// The arguments of a whole command line as the system gives it (GetCommandLineW), UTF-8: what
// follows the program's name and the blanks after it, the name skipped as the C runtime does.
std::string ArgumentsOf(const std::wstring& commandLine);
// Splits arguments (the command line after the program's name, as WinMain gets it) as Windows
// gives a program its argv: blanks separate, quotes group, backslashes escape only quotes.
std::vector<std::string> SplitArguments(const std::string& arguments);
// One argument as SplitArguments reads it back: quoted when it holds a blank or a quote or is
// empty, with the backslashes before quotes doubled.
std::string QuoteArgument(const std::string& argument);

enum class CommandLineError {
    None,
    UnknownOption,     // "--size", "-p"
    ValueInOption,     // "--title=Notepad"
    MissingValue,      // the option last, or followed by another of ours
    EmptyValue,        // --title ""
    StrayWord,         // a word that is neither an option nor an option's value
    FollowWithoutRule  // --follow alone
};

struct CCommandLine {
    // Guard: this process is a group's guardian (app/Guardian.h), started by the group itself.
    enum Kind { NoArguments, Help, Error, Rules, Guard };
    Kind kind = NoArguments;
    CommandLineError error = CommandLineError::None;
    std::string wrongWord;  // for Error: the word at fault (the option for a missing or empty value)
    CRuleSet rules;
    bool follow = false;
    // For Guard: the value of the group's process handle, as this process inherited it.
    unsigned long long guarded = 0;
};

// The option a group starts its guardian with. The usage does not offer it: it is nothing to type.
extern const char kGuardOption[];

// The error of a guardian's line that is wrong, or whose value names no group's handle.
CCommandLine GuardRefused();

// `--guard VALUE` must stand alone, VALUE a handle's value in decimal; with anything else, even
// `--help`, the line is an error naming `--guard` as an unknown option. Otherwise `--help`
// anywhere wins, and the first wrong word makes the whole line an error.
CCommandLine ParseCommandLine(const std::string& arguments);

// The usage, the same for help and errors.
std::string UsageText();
// For an error: what was wrong, a blank line, then the usage.
std::string ErrorText(const CCommandLine& line);
// One rule as it is written on the command line ("--process notepad.exe").
std::string RuleText(const Rule& rule);
// For the box shown when rules found nothing: those rules, one a line.
std::string NothingMatchedText(const std::vector<Rule>& unmatched);

// A tab as the rebuilt command line needs it.
struct TabProgram {
    std::string program;  // its program's file name; empty when that could not be read
    std::string title;    // its exact title
};

// A command line that gathers such a group again: ownPath quoted, one --process per program in
// tab order (each once), a --title with the exact title for a tab whose program is unknown, and
// --follow when asked. A tab with neither program nor title cannot be named and is left out.
std::string RebuildCommandLine(const std::string& ownPath, const std::vector<TabProgram>& tabs, bool follow);
