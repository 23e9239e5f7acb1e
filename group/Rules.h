#pragma once
// Which windows a group takes in on its own: rules on the texts of a window, each a pattern.
#include <string>
#include <vector>

// A pattern over the whole of a text, case ignored in every script the system folds: '*' stands
// for any run of characters, '?' for one character (one UTF-8 sequence, not one byte); every other
// character stands for itself. Pattern and texts are UTF-8.
class CPattern {
public:
    explicit CPattern(const std::string& pattern);
    bool Matches(const std::string& text) const;
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
    std::u32string m_folded;
};

bool MatchesPattern(const std::string& pattern, const std::string& text);
// The two texts alike but for case.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

// What a rule looks at, read off one window; all UTF-8.
struct WindowFacts {
    std::string program;  // the file name of its process's program, no folder; empty when unreadable
    std::string className;
    std::string title;
};

enum class RuleKind { Process, Class, Title };

struct Rule {
    RuleKind kind;
    std::string pattern;
};

// A window matches the set when any of its rules matches the window. A process rule never matches
// a window whose program could not be read.
class CRuleSet {
public:
    void Add(RuleKind kind, const std::string& pattern);
    bool Empty() const { return m_rules.empty(); }
    std::vector<Rule> Rules() const;
    bool Matches(const WindowFacts& window) const;
    // Whether a rule of `kind` matches `text`, one fact of a window; a window's program and class
    // stay as they are while it lives, so a caller need read its title only while that can decide.
    bool Matches(RuleKind kind, const std::string& text) const;
    bool Has(RuleKind kind) const;
    // The rules that match none of `windows`, in the order they were added.
    std::vector<Rule> MatchingNone(const std::vector<WindowFacts>& windows) const;

private:
    struct Compiled {
        RuleKind kind;
        CPattern pattern;
    };
    static bool RuleMatches(const Compiled& rule, const std::string& fact);
    std::vector<Compiled> m_rules;
};

// Where a window a following group's walk lists stands with the rules, as far as the walk knows.
enum class WalkStanding {
    Unseen,       // not looked at before
    Settled,      // never to match, whatever becomes of it
    AwaitsTitle,  // only a new title could bring it in
    Open,         // the rules may take it at any look (they matched it but for its state, say)
};
struct WalkEntry {
    WalkStanding standing;
    unsigned readAt;  // the walk that last read its title
};
// Which windows of one walk to look at, in listing order: every unseen and open one, no settled
// one, and of those awaiting a title the `titles` read longest ago, the earlier listed first.
std::vector<bool> WindowsToLookAt(const std::vector<WalkEntry>& windows, size_t titles);
