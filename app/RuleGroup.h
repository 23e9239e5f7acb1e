#pragma once
// A group whose windows the command line's rules pick instead of the user, and which, when it
// follows them, goes on taking in matching windows for as long as it lives.
#include "ProgramName.h"
#include "Rules.h"
#include "TabGroup.h"
#include "WndProxy.h"
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CRuleGroup {
public:
    CRuleGroup(const CRuleSet& rules, bool follow);
    ~CRuleGroup();
    bool Follows() const { return m_follow; }

    // Hands `take` every window the rules match, top-most first, now and, when it follows them,
    // later on; the frame makes each a tab of `group`. Its timers and messages go to `frame`.
    // False when nothing matched and nothing is to be waited for: a box has said so, and the
    // frame is not to be made.
    bool Start(const CWndProxy& frame, const CTabGroup& group, std::function<void(HWND)> take);
    // The frame's timers and messages that are ours; false for the others.
    bool OnTimer(UINT_PTR id);
    void OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    CRuleGroup(const CRuleGroup&) = delete;
    CRuleGroup& operator=(const CRuleGroup&) = delete;
    static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                    DWORD);
    void WatchForWindows();
    void LookAtEveryWindow();
    void LookAtFreshWindows();
    // Takes the window in when it matches and no one else has it.
    void Consider(HWND window);
    bool Matches(HWND window);
    // What never changes while a window lives, read at its first look (its process and class),
    // and its title as last read, with the title rules' verdict on it.
    struct Known {
        bool never;             // ours, or gone
        bool byProgramOrClass;  // matched whatever its title
        bool titleRead;
        bool titleMatches;
        unsigned readAt;  // the walk that last read its title
        std::wstring title;
    };
    Known& KnownOf(HWND window);
    bool TitleMatches(HWND window, Known& known);
    WalkEntry EntryOf(HWND window) const;

    CWndProxy m_frame;
    const CTabGroup* m_group;
    std::function<void(HWND)> m_take;
    CRuleSet m_rules;
    bool m_follow;
    // Once the first window is in, an empty group is one about to close: it takes in no more.
    bool m_begun;
    CProgramNames m_programs;
    std::map<HWND, Known> m_known;
    unsigned m_walks;
    std::vector<HWINEVENTHOOK> m_hooks;
    // Windows made lately, with when, to be looked at again once they have shown and been titled.
    struct Fresh {
        HWND window;
        DWORD madeAt;
    };
    std::vector<Fresh> m_fresh;
};

// A command line that gathers `group` again: its windows' programs, in tab order.
std::string CommandLineOf(const CTabGroup& group, bool follow);
// Reads the arguments. False when they end the program at once: `exitCode` is set and a box has
// shown the usage or what was wrong, or, for a guardian's line, the guardian has done its work
// (app/Guardian.h). Otherwise `rules` is the rule group the frame is to start
// with, or null for the picker.
bool ReadCommandLine(const std::string& arguments, std::unique_ptr<CRuleGroup>& rules, int& exitCode);
// Pumps messages until every window of `windows` that still exists is visible, or the time is up.
void WaitUntilShown(const std::vector<HWND>& windows, DWORD timeoutMs);
