#include "Rules.h"
#include "Utf8.h"
#include <algorithm>

namespace {

// Upper case by the Unicode letters' own rules, the same in every locale (a final sigma is a
// sigma, unlike in file names), one UTF-16 unit for one, then joined into whole characters so
// that '?' takes one.
std::u32string Folded(const std::string& text)
{
    std::wstring wide = WideFromUtf8(text);
    if (!wide.empty()) {
        std::wstring upper(wide.size(), L'\0');
        const int size = static_cast<int>(wide.size());
        if (::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, wide.data(), size,
                           &upper[0], size) == size)
            wide.swap(upper);
        else
            ::CharUpperBuffW(&wide[0], static_cast<DWORD>(size));
    }
    std::u32string characters;
    characters.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        const char32_t unit = wide[i];
        const bool pair = unit >= 0xD800 && unit < 0xDC00 && i + 1 < wide.size()
                       && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000;
        if (pair) {
            characters.push_back(0x10000 + ((unit - 0xD800) << 10) + (wide[i + 1] - 0xDC00));
            ++i;
        } else {
            characters.push_back(unit);
        }
    }
    return characters;
}

// Greedy on '*', going back only to the last star seen: each star need only be retried further
// on, so this stays within pattern length times text length.
bool WildMatch(const std::u32string& pattern, const std::u32string& text)
{
    size_t p = 0, t = 0;
    size_t star = std::u32string::npos, starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            star = p++;
            starText = t;
        } else if (star != std::u32string::npos) {
            p = star + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*')
        ++p;
    return p == pattern.size();
}

const std::string& FactOf(RuleKind kind, const WindowFacts& window)
{
    switch (kind) {
    case RuleKind::Process:
        return window.program;
    case RuleKind::Class:
        return window.className;
    case RuleKind::Title:
        break;
    }
    return window.title;
}

}  // namespace

CPattern::CPattern(const std::string& pattern) : m_text(pattern), m_folded(Folded(pattern)) {}

bool CPattern::Matches(const std::string& text) const
{
    return WildMatch(m_folded, Folded(text));
}

bool MatchesPattern(const std::string& pattern, const std::string& text)
{
    return CPattern(pattern).Matches(text);
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return Folded(a) == Folded(b);
}

void CRuleSet::Add(RuleKind kind, const std::string& pattern)
{
    m_rules.push_back(Compiled{kind, CPattern(pattern)});
}

std::vector<Rule> CRuleSet::Rules() const
{
    std::vector<Rule> rules;
    for (const Compiled& rule : m_rules)
        rules.push_back(Rule{rule.kind, rule.pattern.Text()});
    return rules;
}

// A program whose name could not be read matches no process rule, not even "*".
bool CRuleSet::RuleMatches(const Compiled& rule, const std::string& fact)
{
    return !(rule.kind == RuleKind::Process && fact.empty()) && rule.pattern.Matches(fact);
}

bool CRuleSet::Matches(const WindowFacts& window) const
{
    for (const Compiled& rule : m_rules)
        if (RuleMatches(rule, FactOf(rule.kind, window)))
            return true;
    return false;
}

bool CRuleSet::Matches(RuleKind kind, const std::string& text) const
{
    for (const Compiled& rule : m_rules)
        if (rule.kind == kind && RuleMatches(rule, text))
            return true;
    return false;
}

bool CRuleSet::Has(RuleKind kind) const
{
    for (const Compiled& rule : m_rules)
        if (rule.kind == kind)
            return true;
    return false;
}

std::vector<Rule> CRuleSet::MatchingNone(const std::vector<WindowFacts>& windows) const
{
    std::vector<Rule> unmatched;
    for (const Compiled& rule : m_rules) {
        bool found = false;
        for (const WindowFacts& window : windows)
            found = found || RuleMatches(rule, FactOf(rule.kind, window));
        if (!found)
            unmatched.push_back(Rule{rule.kind, rule.pattern.Text()});
    }
    return unmatched;
}

std::vector<bool> WindowsToLookAt(const std::vector<WalkEntry>& windows, size_t titles)
{
    std::vector<bool> look(windows.size());
    std::vector<size_t> awaiting;
    for (size_t i = 0; i < windows.size(); ++i) {
        look[i] = windows[i].standing == WalkStanding::Unseen || windows[i].standing == WalkStanding::Open;
        if (windows[i].standing == WalkStanding::AwaitsTitle)
            awaiting.push_back(i);
    }
    // In turns, longest unread first: a desktop of many windows costs a walk no more than one of a
    // few, and a title that changes with no event to say so is still read within seconds.
    std::stable_sort(awaiting.begin(), awaiting.end(),
                     [&](size_t a, size_t b) { return windows[a].readAt < windows[b].readAt; });
    for (size_t i = 0; i < std::min(titles, awaiting.size()); ++i)
        look[awaiting[i]] = true;
    return look;
}
