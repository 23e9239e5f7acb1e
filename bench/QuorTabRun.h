#pragma once
// A benchmark build of QuorTab.exe running in its own process, driven from outside as a user
// would drive it: its picker answered, windows added through its menu command, tabs clicked; or
// started with rules on its command line, which make the group without a picker.
#include "BenchShared.h"
#include "BenchUtil.h"
#include "ProcStat.h"
#include "QuorTabProgram.h"
#include <memory>
#include <string>
#include <vector>

class CQuorTabRun {
public:
    // `program` beside the driver: a benchmark build of QuorTab.
    explicit CQuorTabRun(const char* program);
    ~CQuorTabRun();

    // Starts the group with `first` chosen in the first picker; false with `error` set on failure.
    bool Start(HWND first, std::string& error);
    // Starts it with `arguments` (rules, --follow) and waits until its frame shows `tabs` tabs.
    bool StartWithRules(const std::string& arguments, int tabs, std::string& error);
    // The Add Window command, answered with `window`.
    bool Add(HWND window, std::string& error);
    // Exit from the menu; true when the program ended with exit code 0.
    bool Exit();

    int TabCount() const;
    int Selected() const;
    HWND Frame() const { return m_frame; }
    HWND TabControl() const { return m_tab; }
    HANDLE Process() const { return m_program->Handle(); }
    // Its guardian other than the one with id `other`, opened as CQuorTabProgram opens it, or null.
    HANDLE WaitForGuardian(DWORD other = 0) const { return m_program->WaitForGuardian(other); }
    const CpuSource& Cpu() const { return m_cpu; }

    // One upkeep pass run now, as the timer would run it; false when the program did not answer.
    bool RunPass() const;
    // A left click in the middle of tab `index` (the strip not scrolled); the control does
    // its own hit test and notifies the frame as for a real click.
    void ClickTab(int index) const;

    LONG Passes() const { return m_block->passes; }
    LONG TabPaints() const { return m_block->tabPaints; }
    // The follow timer's fast passes so far, those of them that moved the frame, and the summed
    // length in milliseconds of each.
    LONG FollowTicks() const { return m_block->followTicks; }
    // Upkeep requests of window events kept from the frame while events were refused.
    LONG EventsRefused() const { return m_block->eventsRefused; }
    LONG FollowMoves() const { return m_block->followMoves; }
    double FollowTicksMs() const { return m_block->followTicksLength * 1000.0 / m_block->frequency; }
    double FollowMovesMs() const { return m_block->followMovesLength * 1000.0 / m_block->frequency; }
    // A following group's walks over every window so far, their summed length in milliseconds,
    // and its looks at lately made windows.
    LONG RuleWalks() const { return m_block->ruleWalks; }
    double RuleWalksMs() const { return m_block->ruleWalksLength * 1000.0 / m_block->frequency; }
    LONG LookAgains() const { return m_block->lookAgains; }
    // Lengths in milliseconds of passes [from, to) that began with `tabs` tabs and wrote
    // `titlesSet` tab texts (0: passes that found nothing changed); -1 takes any.
    // With `texts`, of each pass only the time the strip took to take the tab texts written.
    std::vector<double> PassMs(LONG from, LONG to, LONG tabs, LONG titlesSet = -1, bool texts = false) const;
    // How many of passes [from, to) moved the frame.
    int PassesPlacingFrame(LONG from, LONG to) const;

private:
    // Waits for a picker other than `previous` and chooses `window` in it.
    bool Pick(HWND previous, HWND window, HWND& picker, std::string& error) const;
    bool Launch(const std::string& arguments, std::string& error);
    // Once the frame shows: its tab control and its timing block.
    bool Attach(std::string& error);

    const char* m_programName;
    std::unique_ptr<CQuorTabProgram> m_program;
    HWND m_frame;
    HWND m_tab;
    HANDLE m_mapping;
    const BenchBlock* m_block;
    CpuSource m_cpu;
};

// Whether `window` stands on `rect`, visible, with `frame` placed against its lower edge, as
// wide, and the first visible window behind it in the z-order.
bool StandsWithFrame(HWND window, const RECT& rect, HWND frame);
// The window visible on `rect` and the frame in front of it over its lower edge: the frame's
// lower edge on the window's, its client area as wide, and the window the first visible one
// behind it.
bool StandsInFront(HWND window, const RECT& rect, HWND frame);
