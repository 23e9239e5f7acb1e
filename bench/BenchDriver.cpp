// The benchmark driver: runs a benchmark build of QuorTab.exe against windows of our fixture
// process and prints what the program costs, each figure beside a baseline measured in the
// same run. Progress goes to standard error, the table to standard output.
#include "BenchIdleProtocol.h"
#include "BenchTable.h"
#include "BenchUtil.h"
#include "Fixture.h"
#include "Input.h"
#include "PickerDriver.h"
#include "ProcStat.h"
#include "QuorTabNames.h"
#include "QuorTabProgram.h"
#include "QuorTabRun.h"
#include "WindowFacts.h"
#include "resource.h"
#include <fcntl.h>
#include <io.h>
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

struct SizeCase {
    std::string label, program, baseline;
};

struct Options {
    int wineserverPid = 0;
    int xserverPid = 0;
    bool quick = false;
    std::vector<SizeCase> sizes;
};

// How much of everything; --quick trims it for a smoke run of the driver itself.
struct Amounts {
    int startRuns = 5;             // measured starts per case, after one unmeasured
    DWORD passIntervalMs = 4000;   // fixed interval of driven passes per tab count
    size_t changedPasses = 15;     // passes that rewrote every title: the interval grows to 3x for them
    DWORD idleMs = 10000;
    int clicks = 30;
    int moves = 30;
    int drags = 8;                 // drags of kDragMoves moves, each program's in turns
    int handDrags = 6;             // drags by real input of an ungrouped window, per program
    int titleRounds = 60;          // driven passes each followed by reading the titles, unchanged case
};

const DWORD kPassPacingMs = 15;
// A timer pass is due within kUpkeepMs; one with 100 changed titles on a busy machine may take
// as long again.
const DWORD kTimerPassWaitMs = 4 * quortab::kUpkeepMs;
const DWORD kSettleMs = 300;
// For the windows a QuorTab let go at its exit to be shown again.
const DWORD kShownAgainMs = 5000;
const int kClickTabs = 3;         // tabs 0..2 lie within the narrowest window, never scrolled
// Each move of a followed window goes this far and the next one back, staying on the desktop with
// room for the strip below.
const int kMoveX = 30, kMoveY = 20;
const UINT kSlowIconMs = 2000;
// A drag as a user makes one: small steps at display rate. Each move counts as caught when its
// strip stood under the window within two frames of it; the drag goes one way and the next back.
const int kDragMoves = 60;
const double kDragStepMs = 1000.0 / 60;
const double kDragCatchMs = 33;
const int kDragStepX = 3, kDragStepY = 2;

bool g_failed = false;

void Progress(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::fprintf(stderr, "bench: ");
    std::vfprintf(stderr, format, arguments);
    std::fprintf(stderr, "\n");
    va_end(arguments);
}

void Fail(const std::string& what)
{
    g_failed = true;
    Progress("FAILED: %s", what.c_str());
}

// CPU consumed by a process, the wineserver and the X server over one interval.
struct CpuInterval {
    double wallMs = NAN, targetMs = NAN, serverMs = NAN, xMs = NAN;
};

class CCpuMeter {
public:
    CCpuMeter(const CpuSource& target, const Options& options) : m_target(target)
    {
        m_server.linuxPid = options.wineserverPid;
        m_x.linuxPid = options.xserverPid;
        m_start = NowMs();
        m_targetStart = CpuSeconds(m_target);
        m_serverStart = CpuSeconds(m_server);
        m_xStart = CpuSeconds(m_x);
    }

    CpuInterval Stop() const
    {
        CpuInterval interval;
        interval.wallMs = NowMs() - m_start;
        interval.targetMs = Delta(m_targetStart, CpuSeconds(m_target));
        interval.serverMs = Delta(m_serverStart, CpuSeconds(m_server));
        interval.xMs = Delta(m_xStart, CpuSeconds(m_x));
        return interval;
    }

private:
    static double Delta(double start, double end) { return start < 0 || end < 0 ? NAN : (end - start) * 1000; }

    CpuSource m_target, m_server, m_x;
    double m_start, m_targetStart, m_serverStart, m_xStart;
};

// The fixture's windows in the order of its requests, once all of them exist.
std::vector<HWND> FixtureWindows(const CFixtureProcess& fixture, size_t count)
{
    std::vector<HWND> windows;
    WaitFor([&] { return fixture.WindowCount() >= count; }, 30000, 20);
    for (HWND window : fixture.TopLevelWindows()) {
        const LONG_PTR index = ::GetWindowLongPtrA(window, GWLP_USERDATA);
        if (index > 0 && static_cast<size_t>(index) <= count) {
            windows.resize(std::max(windows.size(), static_cast<size_t>(index)));
            windows[index - 1] = window;
        }
    }
    if (windows.size() != count || std::count(windows.begin(), windows.end(), HWND(NULL)))
        windows.clear();
    return windows;
}

// Windows to group, each on its own rectangle within the 1200 x 900 desktop, leaving room for
// the frame below.
std::vector<std::string> GroupRequests(int count)
{
    std::vector<std::string> requests;
    for (int i = 0; i < count; ++i) {
        char request[128];
        std::snprintf(request, sizeof request, "title=Grouped %03d;x=%d;y=%d;w=%d;h=%d", i + 1, 20 + (i * 53) % 560,
                      20 + (i * 37) % 400, 400 + (i * 29) % 200, 250 + (i * 17) % 150);
        requests.push_back(request);
    }
    return requests;
}

std::string Fixed(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// From just before CreateProcess until QuorTab's first "Add a Window" dialog is shown with at
// least `expected` windows listed and the program has gone idle, waiting for input: by then
// the list has been painted, as paint messages come before the wait. NaN on failure.
double TimeToListedPicker(LRESULT expected, LRESULT& listed)
{
    const double start = NowMs();
    CQuorTabProgram program(kNoIdleWait);
    HWND picker = NULL;
    const bool shown = WaitFor([&] {
        picker = program.Picker();
        if (!picker)
            return false;
        listed = SendWithin(::GetDlgItem(picker, IDC_WINDOW_LIST), LB_GETCOUNT, 0, 0);
        return listed >= expected;
    }, 30000);
    const bool idle = shown && ::WaitForInputIdle(program.Handle(), 30000) == 0;
    const double elapsed = NowMs() - start;
    if (picker)
        AnswerPickerInProcess(picker, NULL);
    // Declining the first pick ends the program with -1.
    if (!program.WaitForExit(10000) || program.ExitCode() != static_cast<DWORD>(-1))
        Fail("QuorTab.exe did not end with -1 after its first picker was cancelled");
    if (!shown || !idle) {
        Fail("the picker never showed its list (" + std::to_string(listed) + " of " + std::to_string(expected) +
             " windows listed)");
        return NAN;
    }
    return elapsed;
}

struct StartTimes {
    double quortab = NAN, baseline = NAN;
};

// Medians of QuorTab's and the baseline's starts taken in turns, so that both meet the same
// load of the machine.
StartTimes MedianStarts(const Amounts& amounts, const std::function<double()>& quortab,
                        const std::function<double()>& baseline)
{
    // The first starts also bring the files into the cache.
    quortab();
    baseline();
    std::vector<double> ours, theirs;
    for (int run = 0; run < amounts.startRuns; ++run) {
        const double ms = quortab();
        if (!std::isnan(ms))
            ours.push_back(ms);
        const double baselineMs = baseline();
        if (!std::isnan(baselineMs))
            theirs.push_back(baselineMs);
    }
    StartTimes medians;
    const size_t runs = static_cast<size_t>(amounts.startRuns);
    if (ours.size() == runs)
        medians.quortab = Median(ours);
    if (theirs.size() == runs)
        medians.baseline = Median(theirs);
    return medians;
}

// From just before CreateProcess until the baseline program's window is shown and painted and
// the program waits for input, as for QuorTab.
double TimeToIdleWindow(const std::string& idle)
{
    const double start = NowMs();
    CChildProcess program(Quote(idle), kNoIdleWait);
    HWND window = NULL;
    const bool painted = WaitFor([&] {
        window = program.FindVisibleWindow(BENCH_IDLE_CLASS, NULL);
        return window && SendWithin(window, BENCH_IDLE_GET_PAINTS, 0, 0) > 0;
    }, 30000) && ::WaitForInputIdle(program.Handle(), 30000) == 0;
    const double elapsed = NowMs() - start;
    if (window)
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    program.WaitForExit(10000);
    if (!painted) {
        Fail("the baseline program showed no painted window");
        return NAN;
    }
    return elapsed;
}

void MeasureStartUp(const Amounts& amounts, CBenchTable& table)
{
    const std::string idle = ProgramPath("BenchIdle.exe");
    auto baseline = [&] { return TimeToIdleWindow(idle); };
    const std::string baselineIs = "start of a do-nothing program of ours to its one window painted, idle";
    const std::string runs = " (median of " + std::to_string(amounts.startRuns) + ")";
    auto row = [&](LRESULT listed, const std::string& more, const StartTimes& times) {
        table.Row("Start to \"Add a Window\" listing its windows, " + std::to_string(listed) + " listed" + more + runs,
                  FormatMs(times.quortab), FormatMs(times.baseline), baselineIs);
    };

    Progress("start-up with 10 windows to list");
    CFixtureProcess ten({"title=Listed;repeat=10"});
    FixtureWindows(ten, 10);
    LRESULT listed = 0;
    StartTimes times = MedianStarts(amounts, [&] { return TimeToListedPicker(10, listed); }, baseline);
    row(listed, "", times);

    Progress("start-up with 200 windows to list");
    {
        CFixtureProcess more({"title=More listed;repeat=190"});
        FixtureWindows(more, 190);
        times = MedianStarts(amounts, [&] { return TimeToListedPicker(200, listed); }, baseline);
        row(listed, "", times);
    }

    Progress("start-up with a window whose icon takes %u ms", kSlowIconMs);
    // In a process of its own, so that its wait holds up no other window's answer.
    CFixtureProcess slow({"title=Slow icon;icon=delay:" + std::to_string(kSlowIconMs)});
    std::vector<HWND> slowWindow = FixtureWindows(slow, 1);
    times = MedianStarts(amounts, [&] {
        const double once = TimeToListedPicker(11, listed);
        // Let the slow window take every question before the next start, so that each start
        // meets it answering slowly rather than already hung.
        if (!slowWindow.empty())
            SendWithin(slowWindow[0], WM_NULL, 0, 0, 20000);
        return once;
    }, baseline);
    row(listed, ", one answering WM_GETICON after " + std::to_string(kSlowIconMs / 1000) + " s", times);
}

struct PassLevel {
    int tabs = 0;
    bool renamed = false;
    std::vector<double> inside;
    std::vector<double> texts;   // of each pass timed, the strip taking the tab texts
    double outsideMs = NAN, serverMs = NAN, xMs = NAN;
    int passes = 0;
    int placing = 0;   // passes that moved the frame
    double wallMs = NAN;
    double titleReadsMs = NAN;
};

// Reads every window's title from this process: the floor of any upkeep that polls titles.
double ReadTitlesMs(const std::vector<HWND>& windows)
{
    char title[quortab::kTextChars];
    const double begin = NowMs();
    for (HWND window : windows)
        ::GetWindowTextA(window, title, sizeof title);
    return NowMs() - begin;
}

// A new title for every window, different from all it had before.
void RenameAll(const std::vector<HWND>& windows)
{
    static int round = 0;
    ++round;
    for (size_t i = 0; i < windows.size(); ++i) {
        const std::string title = "Renamed " + std::to_string(round) + ", window " + std::to_string(i + 1);
        ::SetWindowTextA(windows[i], title.c_str());
    }
}

// Drives passes every kPassPacingMs for a fixed interval, besides the timer's own, and
// measures them from inside (the probe) and from outside (process CPU over the interval); only
// passes that wrote no tab text are timed. With `rename`, every grouped window gets a new title
// before each driven pass instead, and only passes that rewrote every tab's text are timed: the
// renames follow the end of a timer pass, when the next tick is furthest away, so that no timer
// pass takes half of them.
PassLevel MeasurePasses(CQuorTabRun& run, const std::vector<HWND>& grouped, bool rename, const Options& options,
                        const Amounts& amounts)
{
    PassLevel level;
    level.tabs = static_cast<int>(grouped.size());
    level.renamed = rename;
    auto pass = [&] {
        if (rename) {
            const LONG done = run.Passes();
            WaitFor([&] { return run.Passes() != done; }, kTimerPassWaitMs);
            RenameAll(grouped);
        }
        if (run.RunPass())
            return true;
        Fail("QuorTab.exe did not answer a pass");
        return false;
    };
    // The baseline's reads follow driven passes, so that they meet the machine as the passes do;
    // in the unchanged case after the CPU interval, whose servers' figures they would swell.
    std::vector<double> reads;
    auto paced = [&](bool read) {
        if (!pass())
            return false;
        if (read)
            reads.push_back(ReadTitlesMs(grouped));
        if (!rename)
            ::Sleep(kPassPacingMs);
        return true;
    };
    ::Sleep(kSettleMs);
    const LONG first = run.Passes();
    CCpuMeter meter(run.Cpu(), options);
    const double start = NowMs();
    // Changed passes come at most one a tick, and long ones fewer.
    auto enough = [&] {
        const double elapsed = NowMs() - start;
        if (elapsed < amounts.passIntervalMs)
            return false;
        return !rename || elapsed >= 3.0 * amounts.passIntervalMs ||
               run.PassMs(first, run.Passes(), level.tabs, level.tabs).size() >= amounts.changedPasses;
    };
    bool answered = true;
    while (answered && !enough())
        answered = paced(rename);
    const CpuInterval interval = meter.Stop();
    const LONG intervalEnd = run.Passes();
    for (int round = 0; answered && !rename && round < amounts.titleRounds; ++round)
        answered = paced(true);
    const LONG last = run.Passes();
    level.titleReadsMs = Median(reads);
    level.passes = intervalEnd - first;
    level.placing = run.PassesPlacingFrame(first, last);
    level.wallMs = interval.wallMs;
    level.inside = run.PassMs(first, last, level.tabs, rename ? level.tabs : 0);
    level.texts = run.PassMs(first, last, level.tabs, rename ? level.tabs : 0, true);
    if (level.passes > 0) {
        level.outsideMs = interval.targetMs / level.passes;
        level.serverMs = interval.serverMs / level.passes;
        level.xMs = interval.xMs / level.passes;
    }
    return level;
}

// The same driven timer messages, sent to the baseline program's window: a pass that does nothing.
CpuInterval MeasureIdleTicks(HWND window, const CpuSource& cpu, const Options& options, const Amounts& amounts,
                             int& ticks)
{
    const LRESULT first = SendWithin(window, BENCH_IDLE_GET_TICKS, 0, 0);
    CCpuMeter meter(cpu, options);
    const double start = NowMs();
    while (NowMs() - start < amounts.passIntervalMs) {
        if (SendWithin(window, WM_TIMER, 0, 0) == -1)
            break;
        ::Sleep(kPassPacingMs);
    }
    const CpuInterval interval = meter.Stop();
    // Its own timer's messages included, as QuorTab's passes include the timer's.
    ticks = static_cast<int>(SendWithin(window, BENCH_IDLE_GET_TICKS, 0, 0) - first);
    return interval;
}

struct Baseline {
    CpuInterval idle;
    LRESULT idlePaints = 0;
    CpuInterval ticks;
    int tickCount = 0;
    MemoryFigures memory;
};

Baseline MeasureBaseline(const Options& options, const Amounts& amounts)
{
    Baseline baseline;
    CChildProcess idle(Quote(ProgramPath("BenchIdle.exe")), kNoIdleWait);
    HWND window = NULL;
    if (!WaitFor([&] { return (window = idle.FindVisibleWindow(BENCH_IDLE_CLASS, NULL)) != NULL; }, 10000)) {
        Fail("the baseline program did not start");
        return baseline;
    }
    CpuSource cpu;
    cpu.process = idle.Handle();
    cpu.linuxPid = FindLinuxProcess("BenchIdle.exe");
    ::Sleep(kSettleMs);
    Progress("baseline: idle for %lu ms", static_cast<unsigned long>(amounts.idleMs));
    const LRESULT paints = SendWithin(window, BENCH_IDLE_GET_PAINTS, 0, 0);
    CCpuMeter meter(cpu, options);
    ::Sleep(amounts.idleMs);
    baseline.idle = meter.Stop();
    baseline.idlePaints = SendWithin(window, BENCH_IDLE_GET_PAINTS, 0, 0) - paints;
    Progress("baseline: driven timer messages");
    baseline.ticks = MeasureIdleTicks(window, cpu, options, amounts, baseline.tickCount);
    ReadMemory(idle.Handle(), baseline.memory);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    idle.WaitForExit(10000);
    return baseline;
}

// Somewhere else for a hidden window to wait, so that every switch really moves a window.
void MoveAside(HWND window, const RECT& from)
{
    ::SetWindowPos(window, NULL, from.left + 40, from.top + 30, from.right - from.left - 60,
                   from.bottom - from.top - 40, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Clicks tabs 0..2 in turn and times each click until the new window stands on the old one's
// rectangle with the frame placed below it.
std::vector<double> MeasureClicks(CQuorTabRun& run, const std::vector<HWND>& grouped, const Amounts& amounts)
{
    std::vector<double> latencies;
    for (int click = 0; click < amounts.clicks; ++click) {
        const int selected = run.Selected();
        if (selected < 0 || selected >= kClickTabs) {
            Fail("unexpected selection before a click: " + std::to_string(selected));
            break;
        }
        const int next = (selected + 1) % kClickTabs;
        const RECT old = WindowRect(grouped[selected]);
        MoveAside(grouped[next], old);
        // Off the timer's beat, so clicks meet the upkeep at every phase.
        ::Sleep(40 + (click * 37) % 100);
        const double start = NowMs();
        run.ClickTab(next);
        if (!WaitFor([&] { return StandsWithFrame(grouped[next], old, run.Frame()); }, 3000)) {
            Fail("a tab click did not end with the window and the frame in place");
            break;
        }
        latencies.push_back(NowMs() - start);
    }
    return latencies;
}

// The floor of the same switch: the driver itself moves and shows the new window, hides the
// old one and places a frame-like fixture window below it, with the calls the frame makes.
std::vector<double> MeasureDirectSwitches(const Amounts& amounts)
{
    std::vector<double> latencies;
    CFixtureProcess windows({"title=Switch A;x=100;y=100;w=500;h=300",
                             "title=Switch B;x=200;y=150;w=450;h=320;visible=0",
                             "title=Frame-like;style=0x80800000;exstyle=0x80;x=100;y=400;w=500;h=24"});
    std::vector<HWND> handles = FixtureWindows(windows, 3);
    if (handles.empty()) {
        Fail("the switching fixture did not start");
        return latencies;
    }
    HWND shown = handles[0], hidden = handles[1], frame = handles[2];
    const DWORD frameStyle = static_cast<DWORD>(::GetWindowLongPtrA(frame, GWL_STYLE));
    const DWORD frameExStyle = static_cast<DWORD>(::GetWindowLongPtrA(frame, GWL_EXSTYLE));
    const RECT frameRect = WindowRect(frame);
    for (int click = 0; click < amounts.clicks; ++click) {
        const RECT old = WindowRect(shown);
        MoveAside(hidden, old);
        ::Sleep(40 + (click * 37) % 100);
        const double start = NowMs();
        ::SetWindowPos(hidden, NULL, old.left, old.top, old.right - old.left, old.bottom - old.top, SWP_NOZORDER);
        ::ShowWindow(hidden, SW_SHOW);
        ::ShowWindow(shown, SW_HIDE);
        RECT placed = {old.left, old.bottom, old.right, old.bottom + (frameRect.bottom - frameRect.top) - 2};
        ::AdjustWindowRectEx(&placed, frameStyle, FALSE, frameExStyle);
        ::SetWindowPos(frame, hidden, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
                       SWP_NOACTIVATE);
        if (!WaitFor([&] { return StandsWithFrame(hidden, old, frame); }, 3000)) {
            Fail("the driver's own switch did not end with the window and the frame in place");
            break;
        }
        latencies.push_back(NowMs() - start);
        std::swap(shown, hidden);
    }
    return latencies;
}

// The timer-only follower: the baseline program following a window of a fixture process of its
// own, on the same timer as QuorTab's upkeep.
class CFollowBaseline {
public:
    explicit CFollowBaseline(const std::string& request)
        : m_fixture({request}), m_idle(Quote(ProgramPath("BenchIdle.exe")), kNoIdleWait)
    {
        const std::vector<HWND> windows = FixtureWindows(m_fixture, 1);
        if (windows.empty() ||
            !WaitFor([&] { return (m_follower = m_idle.FindVisibleWindow(BENCH_IDLE_CLASS, NULL)) != NULL; }, 10000))
            return;
        m_window = windows[0];
        SendWithin(m_follower, BENCH_IDLE_FOLLOW, reinterpret_cast<WPARAM>(m_window), 0);
    }
    ~CFollowBaseline()
    {
        if (m_follower)
            ::PostMessageA(m_follower, WM_CLOSE, 0, 0);
        m_idle.WaitForExit(10000);
    }
    bool Started() const { return m_window && m_follower; }
    HWND Window() const { return m_window; }
    HWND Follower() const { return m_follower; }
    LRESULT Ticks() const { return SendWithin(m_follower, BENCH_IDLE_GET_TICKS, 0, 0); }

private:
    CFixtureProcess m_fixture;
    CChildProcess m_idle;
    HWND m_window = NULL;
    HWND m_follower = NULL;
};

// Whether the baseline program started and both strips stand under their windows, QuorTab's
// under `selected`, before `what`; a failure is reported.
bool BothStanding(const CFollowBaseline& baseline, const CQuorTabRun& run, HWND selected, const std::string& what)
{
    if (!baseline.Started()) {
        Fail("the baseline program did not start before the " + what);
        return false;
    }
    auto standing = [](HWND window, HWND strip) {
        return WaitFor([&] { return StandsWithFrame(window, WindowRect(window), strip); }, 3000);
    };
    if (standing(baseline.Window(), baseline.Follower()) && standing(selected, run.Frame()))
        return true;
    Fail("a strip did not stand under its window before the " + what);
    return false;
}

struct FollowTimes {
    std::vector<double> quortab, baseline;
};

// Moves `window` and times the move until `follower` stands under it again.
bool TimeFollow(HWND window, const RECT& to, HWND follower, std::vector<double>& latencies)
{
    const double start = NowMs();
    ::SetWindowPos(window, NULL, to.left, to.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!WaitFor([&] { return StandsWithFrame(window, to, follower); }, 3000))
        return false;
    latencies.push_back(NowMs() - start);
    return true;
}

// Moves QuorTab's selected window and a window followed by the baseline program to and fro, in
// turns so that both meet the same load, each time until its strip stands under it again.
FollowTimes MeasureFollowing(CQuorTabRun& run, HWND selected, const Amounts& amounts)
{
    FollowTimes times;
    CFollowBaseline baseline("title=Followed;x=620;y=420;w=500;h=300");
    if (!BothStanding(baseline, run, selected, "moves"))
        return times;
    const HWND follower = baseline.Follower();
    const RECT home[] = {WindowRect(selected), WindowRect(baseline.Window())};
    for (int move = 0; move < amounts.moves; ++move) {
        RECT to[] = {home[0], home[1]};
        if (move % 2 == 0) {
            ::OffsetRect(&to[0], kMoveX, kMoveY);
            ::OffsetRect(&to[1], kMoveX, kMoveY);
        }
        // Each strip settles right after its timer's tick: waiting a growing share of the period
        // before the next move spreads the moves evenly over the timers' phases.
        const DWORD phase = static_cast<DWORD>(move * quortab::kUpkeepMs / amounts.moves);
        ::Sleep(phase);
        if (!TimeFollow(selected, to[0], run.Frame(), times.quortab)) {
            Fail("QuorTab's frame did not follow a move of its window");
            break;
        }
        ::Sleep(phase);
        if (!TimeFollow(baseline.Window(), to[1], follower, times.baseline)) {
            Fail("the baseline program did not follow a move of its window");
            break;
        }
    }
    ::SetWindowPos(selected, NULL, home[0].left, home[0].top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return times;
}

// Of the drags of one program: moves after the first of each drag, and those after which the
// strip stood under the window within kDragCatchMs; per drag, the moves before the first one so
// caught; and how late the driver made its moves against their schedule.
struct DragShare {
    int counted = 0, caught = 0;
    std::vector<double> missedFirst;
    double latestMs = 0;
    double share() const { return counted ? static_cast<double>(caught) / counted : NAN; }
    // The same share from the first caught move of each drag on: what the following itself
    // keeps up with, once it has started.
    double shareOnceCaught() const
    {
        double missed = 0;
        for (double moves : missedFirst)
            missed += moves;
        return counted > missed ? caught / (counted - missed) : NAN;
    }
};

using Stands = bool (*)(HWND window, const RECT& rect, HWND frame);

// Moves `window` kDragMoves times by `step`, each move at its time on a fixed schedule whatever
// the moves before it took, and polls every millisecond in between whether `follower` stands as
// `stands` wants with the window where it then is (by default under it). A move counts as caught
// when that held at some poll within kDragCatchMs of it, the later moves notwithstanding.
bool Drag(HWND window, HWND follower, POINT step, DragShare& share, Stands stands = StandsWithFrame)
{
    RECT place = WindowRect(window);
    std::vector<double> movedAt;
    std::vector<bool> caught(kDragMoves, false);
    const double start = NowMs();
    for (;;) {
        const double now = NowMs();
        const int made = static_cast<int>(movedAt.size());
        if (made < kDragMoves && now >= start + made * kDragStepMs) {
            share.latestMs = std::max(share.latestMs, now - (start + made * kDragStepMs));
            ::OffsetRect(&place, step.x, step.y);
            movedAt.push_back(now);
            ::SetWindowPos(window, NULL, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (made == kDragMoves && now > movedAt.back() + kDragCatchMs) {
            break;
        }
        if (stands(window, place, follower)) {
            // Known to stand once the check is over.
            const double seen = NowMs();
            for (size_t move = 0; move < movedAt.size(); ++move)
                if (seen - movedAt[move] <= kDragCatchMs)
                    caught[move] = true;
        }
        ::Sleep(1);
    }
    int missed = 0;
    while (missed + 1 < kDragMoves && !caught[missed + 1])
        ++missed;
    share.missedFirst.push_back(missed);
    share.counted += kDragMoves - 1;
    share.caught += static_cast<int>(std::count(caught.begin() + 1, caught.end(), true));
    return WaitFor([&] { return stands(window, place, follower); }, 3000);
}

struct DragShares {
    DragShare quortab, baseline;
    LONG followTicks = 0, followMoves = 0;
    double followTicksMs = 0, followMovesMs = 0;
};

// Waits for the end of a timer tick whose count `ticks` gives, then for `phaseMs`.
void AfterTick(const std::function<LONG()>& ticks, DWORD phaseMs)
{
    const LONG before = ticks();
    WaitFor([&] { return ticks() != before; }, kTimerPassWaitMs);
    ::Sleep(phaseMs);
}

// Waits until QuorTab's fast follow passes have stopped: none for 100 ms.
bool FollowStopped(CQuorTabRun& run)
{
    LONG last = run.FollowTicks();
    return WaitFor([&] {
        const LONG now = run.FollowTicks();
        const bool still = now == last;
        last = now;
        return still;
    }, 3000, 100);
}

// Drags QuorTab's selected window and a window followed by the baseline program the same way, in
// turns. Each drag starts a growing share of the upkeep period after a tick of its program's
// timer, so that the drags meet the timers at evenly spread phases, and QuorTab's only once its
// fast follow passes of the drag before have stopped.
DragShares MeasureDrags(CQuorTabRun& run, HWND selected, const Amounts& amounts)
{
    DragShares shares;
    CFollowBaseline baseline("title=Dragged;x=560;y=300;w=450;h=280");
    if (!BothStanding(baseline, run, selected, "drags"))
        return shares;
    const HWND follower = baseline.Follower();
    const LONG ticksBefore = run.FollowTicks(), movesBefore = run.FollowMoves();
    const double ticksMsBefore = run.FollowTicksMs(), movesMsBefore = run.FollowMovesMs();
    for (int drag = 0; drag < amounts.drags; ++drag) {
        const int direction = drag % 2 ? -1 : 1;
        const DWORD phase = static_cast<DWORD>(drag * quortab::kUpkeepMs / amounts.drags);
        if (!FollowStopped(run)) {
            Fail("QuorTab's fast follow passes did not stop after a drag");
            break;
        }
        AfterTick([&] { return run.Passes(); }, phase);
        if (!Drag(selected, run.Frame(), {direction * kDragStepX, direction * kDragStepY}, shares.quortab)) {
            Fail("QuorTab's frame did not stand under its window after a drag");
            break;
        }
        AfterTick([&] { return static_cast<LONG>(baseline.Ticks()); }, phase);
        if (!Drag(baseline.Window(), follower, {direction * kDragStepX, direction * kDragStepY}, shares.baseline)) {
            Fail("the baseline program did not stand under its window after a drag");
            break;
        }
    }
    FollowStopped(run);
    shares.followTicks = run.FollowTicks() - ticksBefore;
    shares.followMoves = run.FollowMoves() - movesBefore;
    shares.followTicksMs = run.FollowTicksMs() - ticksMsBefore;
    shares.followMovesMs = run.FollowMovesMs() - movesMsBefore;
    return shares;
}

// QuorTab's selected window dragged along the bottom of the work area, its lower edge on the work
// area's, where the strip stands in front of it over that edge; and, for comparison, the same
// drags where it was, higher up, with the strip under it. Each drag as in MeasureDrags, at evenly
// spread phases after an upkeep pass.
struct BottomDrags {
    DragShare bottom, higher;
    LONG refused = 0;
};

bool DragsAt(CQuorTabRun& run, HWND selected, const RECT& at, const Amounts& amounts, bool bottom, DragShare& share)
{
    ::SetWindowPos(selected, NULL, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const Stands stands = bottom ? StandsInFront : StandsWithFrame;
    if (!WaitFor([&] { return stands(selected, at, run.Frame()); }, 3000)) {
        Fail(bottom ? "QuorTab's frame did not stand in front of its window at the bottom of the work area"
                    : "QuorTab's frame did not stand under its window");
        return false;
    }
    for (int drag = 0; drag < amounts.drags; ++drag) {
        const int direction = drag % 2 ? -1 : 1;
        if (!FollowStopped(run)) {
            Fail("QuorTab's fast follow passes did not stop after a drag");
            return false;
        }
        AfterTick([&] { return run.Passes(); }, static_cast<DWORD>(drag * quortab::kUpkeepMs / amounts.drags));
        const POINT step = {direction * kDragStepX, bottom ? 0 : direction * kDragStepY};
        if (!Drag(selected, run.Frame(), step, share, stands)) {
            Fail("QuorTab's frame did not stand by its window after a drag");
            return false;
        }
    }
    return true;
}

BottomDrags MeasureBottomDrags(CQuorTabRun& run, HWND selected, const Amounts& amounts, bool refuseEvents)
{
    BottomDrags drags;
    const RECT home = WindowRect(selected);
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT bottom = home;
    ::OffsetRect(&bottom, 0, work.bottom - home.bottom);
    const LONG refusedBefore = run.EventsRefused();
    if (refuseEvents)
        ::SendMessageA(run.Frame(), kBenchRefuseEvents, 1, 0);
    if (DragsAt(run, selected, bottom, amounts, true, drags.bottom) && refuseEvents)
        DragsAt(run, selected, home, amounts, false, drags.higher);
    if (refuseEvents)
        ::SendMessageA(run.Frame(), kBenchRefuseEvents, 0, 0);
    drags.refused = run.EventsRefused() - refusedBefore;
    ::SetWindowPos(selected, NULL, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    WaitFor([&] { return StandsWithFrame(selected, home, run.Frame()); }, 3000);
    return drags;
}

// A person dragging an ungrouped window by its caption across the desktop, away from any strip:
// kDragMoves moves of real input at 60 a second. What each program spends meanwhile: QuorTab hears
// of every move and of the capture, a program without window events of none.
const int kHandDragStepX = 4;

CpuInterval DragByHand(HWND window, const CpuSource& cpu, const Options& options, int direction)
{
    const RECT place = WindowRect(window);
    POINT at = {place.left + 60, place.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
    Press(at);
    CCpuMeter meter(cpu, options);
    const double start = NowMs();
    for (int move = 1; move <= kDragMoves; ++move) {
        while (NowMs() < start + move * kDragStepMs)
            ::Sleep(1);
        at.x += direction * kHandDragStepX;
        MoveHeldTo(at);
    }
    Release(at);
    WaitFor([&] { return WindowRect(window).left == place.left + direction * kDragMoves * kHandDragStepX; }, 3000);
    return meter.Stop();
}

// Medians over `drags` there and back of the window, from (600, 560): below the grouped windows'
// strips, which stand higher up by then.
struct HandDrags {
    std::vector<double> targetMs, serverMs;
};

HandDrags MeasureHandDrags(HWND window, const CpuSource& cpu, const Options& options, int drags)
{
    HandDrags figures;
    ::SetWindowPos(window, HWND_TOP, 600, 560, 400, 200, SWP_NOACTIVATE);
    ::SetForegroundWindow(window);
    WaitFor([&] { return ::GetForegroundWindow() == window; }, 3000);
    for (int drag = 0; drag < drags; ++drag) {
        const CpuInterval interval = DragByHand(window, cpu, options, drag % 2 ? 1 : -1);
        figures.targetMs.push_back(interval.targetMs);
        figures.serverMs.push_back(interval.serverMs);
    }
    return figures;
}

// The same drags with the do-nothing program running instead of QuorTab's process being measured.
HandDrags MeasureBaselineHandDrags(HWND window, const Options& options, int drags)
{
    CChildProcess idle(Quote(ProgramPath("BenchIdle.exe")), kNoIdleWait);
    HWND idleWindow = NULL;
    if (!WaitFor([&] { return (idleWindow = idle.FindVisibleWindow(BENCH_IDLE_CLASS, NULL)) != NULL; }, 10000)) {
        Fail("the baseline program did not start for the drags by hand");
        return HandDrags();
    }
    CpuSource cpu;
    cpu.process = idle.Handle();
    cpu.linuxPid = FindLinuxProcess("BenchIdle.exe");
    ::Sleep(kSettleMs);
    const HandDrags figures = MeasureHandDrags(window, cpu, options, drags);
    ::PostMessageA(idleWindow, WM_CLOSE, 0, 0);
    idle.WaitForExit(10000);
    return figures;
}

void AddHandDragRows(CBenchTable& table, const HandDrags& quortab, const HandDrags& baseline)
{
    const std::string what = "An ungrouped window dragged by its caption with real input, " +
                             std::to_string(kDragMoves) + " moves at 60 a second away from the strip, 10 tabs: ";
    const std::string of = " during the drag, median of " + std::to_string(quortab.targetMs.size());
    table.Row(what + "the program's CPU" + of, FormatMs(Median(quortab.targetMs)), FormatMs(Median(baseline.targetMs)),
              "the do-nothing program, the same drags while it ran");
    table.Row(what + "wineserver's CPU" + of, FormatMs(Median(quortab.serverMs)), FormatMs(Median(baseline.serverMs)),
              "the same, with the do-nothing program");
}

// What a group of 10 tabs costs with nothing happening: the driver asleep.
struct IdleFigures {
    bool measured = false;
    CpuInterval cpu;
    LONG paints = 0, passes = 0, follows = 0, walks = 0, looks = 0;
    int placing = 0;
    double passMs = NAN;   // median upkeep pass on the program's thread
    double walkMs = NAN;   // mean walk of a following group over every window
};

IdleFigures MeasureIdle(const CQuorTabRun& run, int tabs, const Options& options, const Amounts& amounts)
{
    IdleFigures idle;
    ::Sleep(kSettleMs);
    const LONG paints = run.TabPaints(), passes = run.Passes(), follows = run.FollowTicks();
    const LONG walks = run.RuleWalks(), looks = run.LookAgains();
    const double walksMs = run.RuleWalksMs();
    CCpuMeter meter(run.Cpu(), options);
    ::Sleep(amounts.idleMs);
    idle.cpu = meter.Stop();
    idle.paints = run.TabPaints() - paints;
    idle.passes = run.Passes() - passes;
    idle.follows = run.FollowTicks() - follows;
    idle.walks = run.RuleWalks() - walks;
    idle.looks = run.LookAgains() - looks;
    idle.passMs = Median(run.PassMs(passes, passes + idle.passes, tabs));
    idle.placing = run.PassesPlacingFrame(passes, passes + idle.passes);
    if (idle.walks > 0)
        idle.walkMs = (run.RuleWalksMs() - walksMs) / idle.walks;
    idle.measured = true;
    return idle;
}

// The rules that match the first 10 of the fixture's windows ("Grouped 001" to "Grouped 010")
// and none of the other 90 on the desktop.
const char* const kFollowArguments = "--title \"Grouped 00?\" --title \"Grouped 010\" --follow";

// The same 10 windows grouped by rules at start, following them, idle; then let go again, shown
// and unmarked, for the picker-made group that comes next.
IdleFigures MeasureFollowingIdle(const std::vector<HWND>& windows, const Options& options, const Amounts& amounts)
{
    const int tabs = 10;
    CQuorTabRun run("QuorTabProbed.exe");
    std::string error;
    if (!run.StartWithRules(kFollowArguments, tabs, error)) {
        Fail(error);
        return IdleFigures();
    }
    Progress("idle with 10 tabs and --follow for %lu ms", static_cast<unsigned long>(amounts.idleMs));
    const IdleFigures idle = MeasureIdle(run, tabs, options, amounts);
    if (!run.Exit())
        Fail("QuorTab.exe with --follow did not end with 0 after Exit");
    // Exit shows every grouped window again, without waiting on their program.
    if (!WaitFor([&] {
            return std::all_of(windows.begin(), windows.begin() + tabs, [](HWND w) { return ::IsWindowVisible(w) != 0; });
        }, kShownAgainMs))
        Fail("the windows grouped with --follow were not shown again after Exit");
    return idle;
}

// The rows of idle with 10 tabs: picked ones against the do-nothing program, and, beside them, the
// same 10 grouped by rules with --follow against the picked ones.
void AddIdleRows(CBenchTable& table, const IdleFigures& idle, const IdleFigures& following, const Baseline& baseline)
{
    const std::string over = " over " + Fixed("%.0f", idle.cpu.wallMs / 1000) + " s";
    const std::string baselineIs = "a do-nothing program of ours: one window, the same " +
                                   std::to_string(quortab::kUpkeepMs) + " ms timer";
    table.Row("Idle with 10 tabs: CPU share of one core" + over + " (upkeep passes " + FormatMs(idle.passMs) +
                  " each on the program's thread, median)",
              FormatPercent(idle.cpu.targetMs / idle.cpu.wallMs),
              FormatPercent(baseline.idle.targetMs / baseline.idle.wallMs), baselineIs);
    table.Row("Idle with 10 tabs: wineserver's CPU share" + over, FormatPercent(idle.cpu.serverMs / idle.cpu.wallMs),
              FormatPercent(baseline.idle.serverMs / baseline.idle.wallMs), "the same, while it ran alone");
    table.Row("Idle with 10 tabs: X server's CPU share" + over, FormatPercent(idle.cpu.xMs / idle.cpu.wallMs),
              FormatPercent(baseline.idle.xMs / baseline.idle.wallMs), "the same, while it ran alone");
    table.Row("Idle with 10 tabs: repaints of the tab strip" + over + " (" + std::to_string(idle.passes) +
                  " upkeep passes, " + std::to_string(idle.placing) + " of them moved the frame; " +
                  std::to_string(idle.follows) + " fast follow passes)",
              FormatCount(idle.paints), FormatCount(static_cast<double>(baseline.idlePaints)),
              "repaints of the do-nothing program's window");
    if (!following.measured)
        return;
    // Each share against the picked group's; 1.5x is the bound.
    auto ratio = [](double ours, double theirs) {
        return theirs > 0 && !std::isnan(ours) ? ", " + Fixed("%.2f", ours / theirs) + "x" : std::string();
    };
    const std::string with = "Idle with 10 tabs, --follow (" + std::string(kFollowArguments) + ", 10 matched at start): ";
    const std::string followOver = " over " + Fixed("%.0f", following.cpu.wallMs / 1000) + " s";
    const std::string picked = "the same 10 tabs picked, no --follow: the row above";
    table.Row(with + "CPU share of one core" + followOver + " (upkeep passes " + FormatMs(following.passMs) +
                  " each on the program's thread, median; " + std::to_string(following.walks) +
                  " walks over every window, " + FormatMs(following.walkMs) + " each, mean)",
              FormatPercent(following.cpu.targetMs / following.cpu.wallMs),
              FormatPercent(idle.cpu.targetMs / idle.cpu.wallMs),
              picked + ratio(following.cpu.targetMs / following.cpu.wallMs, idle.cpu.targetMs / idle.cpu.wallMs));
    table.Row(with + "wineserver's CPU share" + followOver,
              FormatPercent(following.cpu.serverMs / following.cpu.wallMs),
              FormatPercent(idle.cpu.serverMs / idle.cpu.wallMs),
              picked + ratio(following.cpu.serverMs / following.cpu.wallMs, idle.cpu.serverMs / idle.cpu.wallMs));
    table.Row(with + "X server's CPU share" + followOver, FormatPercent(following.cpu.xMs / following.cpu.wallMs),
              FormatPercent(idle.cpu.xMs / idle.cpu.wallMs),
              picked + ratio(following.cpu.xMs / following.cpu.wallMs, idle.cpu.xMs / idle.cpu.wallMs));
    table.Row(with + "repaints of the tab strip" + followOver + " (" + std::to_string(following.passes) +
                  " upkeep passes, " + std::to_string(following.placing) + " of them moved the frame; " +
                  std::to_string(following.follows) + " fast follow passes; " + std::to_string(following.walks) +
                  " walks; " + std::to_string(following.looks) + " looks at newly made windows)",
              FormatCount(following.paints), FormatCount(idle.paints), picked);
}

void AddPassRows(CBenchTable& table, const PassLevel& level, const Baseline& baseline)
{
    const std::string tabs = std::to_string(level.tabs) + (level.tabs == 1 ? " tab" : " tabs");
    const std::string titles = level.tabs == 1 ? "its title" : "their " + std::to_string(level.tabs) + " titles";
    const std::string passes = std::to_string(level.inside.size()) + " passes";
    table.Row("Upkeep pass, " + tabs + (level.renamed ? ", every title changed" : ", nothing changed") +
                  ": time on the program's thread, median of " +
                  (level.renamed ? passes + " that rewrote every tab" : passes + " that wrote nothing") +
                  " (90th percentile); " + std::to_string(level.placing) + " passes of the interval moved the frame" +
                  (level.renamed ? "; of each, the strip taking the new texts: " + FormatMs(Median(level.texts)) +
                                       ", median" : std::string()),
              FormatMs(Median(level.inside)) + " (" + FormatMs(Percentile(level.inside, 0.9)) + ")",
              FormatMs(level.titleReadsMs), "reading " + titles + " from another process, median");
    // While the driver renames windows the servers' figures are mostly its own work.
    if (level.renamed)
        return;
    auto perTick = [&](double ms) { return baseline.tickCount ? ms / baseline.tickCount : NAN; };
    table.Row("Upkeep pass, " + tabs + ", nothing changed: process CPU per pass over " +
                  Fixed("%.0f", level.wallMs / 1000) +
                  " s, " + std::to_string(level.passes) + " passes (wineserver, X server)",
              FormatMs(level.outsideMs) + " (" + FormatMs(level.serverMs) + ", " + FormatMs(level.xMs) + ")",
              FormatMs(perTick(baseline.ticks.targetMs)) + " (" + FormatMs(perTick(baseline.ticks.serverMs)) + ", " +
                  FormatMs(perTick(baseline.ticks.xMs)) + ")",
              "a do-nothing program of ours, per timer message driven the same way");
}

// A group of 10 tabs killed with TerminateProcess: from the kill until its guardian has shown every
// window it hid, and the same when its guardian was killed first and the group started another.
struct KilledGroup {
    std::vector<double> shownMs, shownAfterReplacementMs, replacedMs;
    MemoryFigures guardian;
};

bool KillOnce(const std::vector<HWND>& windows, bool guardianFirst, KilledGroup& killed)
{
    std::string error;
    CQuorTabRun run("QuorTabProbed.exe");
    HANDLE guardian = NULL;
    if (!run.StartWithRules("--title \"Guarded *\"", static_cast<int>(windows.size()), error) ||
        !WaitFor([&] { return std::count_if(windows.begin(), windows.end(), ::IsWindowVisible) == 1; },
                 kShownAgainMs) ||
        !(guardian = run.WaitForGuardian())) {
        Fail(error.empty() ? "the guarded group did not hide its windows or start its guardian" : error);
        return false;
    }
    if (killed.guardian.workingSet == 0)
        ReadMemory(guardian, killed.guardian);
    if (guardianFirst) {
        const double killedAt = NowMs();
        ::TerminateProcess(guardian, 1);
        ::WaitForSingleObject(guardian, kShownAgainMs);
        const DWORD id = ::GetProcessId(guardian);
        ::CloseHandle(guardian);
        if (!(guardian = run.WaitForGuardian(id))) {
            Fail("no guardian took the place of the killed one");
            return false;
        }
        killed.replacedMs.push_back(NowMs() - killedAt);
    }
    const double killedAt = NowMs();
    ::TerminateProcess(run.Process(), 1);
    const bool shown = WaitFor([&] { return std::all_of(windows.begin(), windows.end(), ::IsWindowVisible); },
                               kShownAgainMs);
    (guardianFirst ? killed.shownAfterReplacementMs : killed.shownMs).push_back(NowMs() - killedAt);
    ::WaitForSingleObject(guardian, kShownAgainMs);
    ::CloseHandle(guardian);
    if (!shown)
        Fail("the killed group's windows were not all shown again");
    return shown;
}

void MeasureKilledGroups(const Amounts& amounts, const Baseline& baseline, CBenchTable& table)
{
    Progress("groups of 10 killed with TerminateProcess");
    CFixtureProcess fixture({"title=Guarded;repeat=10"});
    const std::vector<HWND> windows = FixtureWindows(fixture, 10);
    KilledGroup killed;
    for (int run = 0; run < amounts.startRuns; ++run)
        if (windows.empty() || !KillOnce(windows, false, killed) || !KillOnce(windows, true, killed))
            break;
    const std::string runs = " (median of " + std::to_string(killed.shownMs.size()) + ")";
    table.Row("Group of 10 tabs killed with TerminateProcess, to every window shown by its guardian" + runs,
              FormatMs(Median(killed.shownMs)), FormatMs(1000), "the goal");
    table.Row("The same once its guardian was killed first and another started; that start after the kill" + runs,
              FormatMs(Median(killed.shownAfterReplacementMs)) + "; " + FormatMs(Median(killed.replacedMs)),
              FormatMs(1000), "the goal, for each");
    table.Row("Guardian's working set, beside its group of 10 tabs", FormatMiB(static_cast<double>(killed.guardian.workingSet)),
              FormatMiB(static_cast<double>(baseline.memory.workingSet)), "the do-nothing program");
    table.Row("Guardian's private memory", FormatMiB(static_cast<double>(killed.guardian.privateBytes)),
              FormatMiB(static_cast<double>(baseline.memory.privateBytes)), "the do-nothing program");
}

void MeasureRunningProgram(const Options& options, const Amounts& amounts, CBenchTable& table)
{
    Progress("making 100 windows to group");
    CFixtureProcess fixture(GroupRequests(100));
    std::vector<HWND> windows = FixtureWindows(fixture, 100);
    if (windows.empty()) {
        Fail("the fixture did not make its 100 windows");
        return;
    }

    Progress("baseline program");
    const Baseline baseline = MeasureBaseline(options, amounts);
    MeasureKilledGroups(amounts, baseline, table);

    // Before the picked group, which would otherwise hold the same windows.
    Progress("QuorTab (probed) started with rules and --follow, 10 tabs");
    const IdleFigures following = MeasureFollowingIdle(windows, options, amounts);

    Progress("QuorTab (probed) with 1 tab");
    CQuorTabRun run("QuorTabProbed.exe");
    std::string error;
    if (!run.Start(windows[0], error)) {
        Fail(error);
        return;
    }
    if (!run.Cpu().linuxPid)
        Progress("no Linux process found for QuorTab.exe: its CPU time comes from GetProcessTimes");
    MemoryFigures peak;
    auto sampleMemory = [&] {
        MemoryFigures now;
        if (ReadMemory(run.Process(), now)) {
            peak.peakWorkingSet = std::max(peak.peakWorkingSet, std::max(now.peakWorkingSet, now.workingSet));
            peak.privateBytes = std::max(peak.privateBytes, now.privateBytes);
        }
    };
    std::vector<PassLevel> levels;
    auto measureLevel = [&](const std::vector<HWND>& grouped) {
        levels.push_back(MeasurePasses(run, grouped, false, options, amounts));
        levels.push_back(MeasurePasses(run, grouped, true, options, amounts));
        sampleMemory();
    };
    measureLevel({windows[0]});

    const int counts[] = {10, 50, 100};
    for (int count : counts) {
        Progress("adding tabs up to %d", count);
        for (int index = run.TabCount(); index < count; ++index) {
            if (!run.Add(windows[index], error)) {
                Fail(error + " (tab " + std::to_string(index + 1) + ")");
                return;
            }
            if (index % 10 == 0)
                sampleMemory();
        }
        if (count == 10) {
            Progress("idle with 10 tabs for %lu ms", static_cast<unsigned long>(amounts.idleMs));
            AddIdleRows(table, MeasureIdle(run, count, options, amounts), following, baseline);
        }
        measureLevel(std::vector<HWND>(windows.begin(), windows.begin() + count));
        if (count == 10) {
            Progress("tab clicks");
            const std::vector<double> clicks = MeasureClicks(run, windows, amounts);
            const std::vector<double> direct = MeasureDirectSwitches(amounts);
            table.Row("Tab click to the new window on the old rectangle with the frame placed, 10 tabs (median of " +
                          std::to_string(clicks.size()) + ")",
                      FormatMs(Median(clicks)), FormatMs(Median(direct)),
                      "the driver making the same moves itself: move, show, hide, place a frame-like window");
            Progress("following moves");
            const int selected = run.Selected();
            const FollowTimes follow = MeasureFollowing(run, windows[selected >= 0 ? selected : 0], amounts);
            table.Row("Follow latency, 10 tabs: from the driver's move of the selected window to the frame "
                          "standing under it, median of " + std::to_string(follow.quortab.size()) +
                          " moves (90th percentile)",
                      FormatMs(Median(follow.quortab)) + " (" + FormatMs(Percentile(follow.quortab, 0.9)) + ")",
                      FormatMs(Median(follow.baseline)) + " (" + FormatMs(Percentile(follow.baseline, 0.9)) + ")",
                      "timer-only following: a do-nothing program of ours that follows a window of the fixture "
                      "on the same " + std::to_string(quortab::kUpkeepMs) + " ms timer, moved in turns with QuorTab's");
            Progress("drags");
            const DragShares drags = MeasureDrags(run, windows[selected >= 0 ? selected : 0], amounts);
            auto shareOf = [](const DragShare& share) {
                return FormatPercent(share.share()) + " (" + FormatCount(Median(share.missedFirst)) + "; " +
                       FormatPercent(share.shareOnceCaught()) + ")";
            };
            table.Row("Drag by another process, 10 tabs: " + std::to_string(kDragMoves) + " moves of (" +
                          std::to_string(kDragStepX) + ", " + std::to_string(kDragStepY) +
                          ") px at 60 a second; share of the moves after the first after which the strip stood "
                          "under the window, where it then was, within " + Fixed("%.0f", kDragCatchMs) + " ms; " +
                          std::to_string(drags.quortab.missedFirst.size()) + " drags, " +
                          std::to_string(drags.quortab.counted) +
                          " moves counted (median per drag of the moves after the first before the first so "
                          "caught; the share from the first so caught on)",
                      shareOf(drags.quortab), shareOf(drags.baseline),
                      "timer-only following, as above, dragged the same way in turns");
            const LONG stillTicks = drags.followTicks - drags.followMoves;
            table.Row("Drag by another process, 10 tabs: fast follow passes in QuorTab during the drags (those "
                          "that moved the frame); mean time on the program's thread of those that moved it, and of "
                          "the others",
                      FormatCount(drags.followTicks) + " (" + FormatCount(drags.followMoves) + "); " +
                          FormatMs(drags.followMoves ? drags.followMovesMs / drags.followMoves : NAN) + ", " +
                          FormatMs(stillTicks ? (drags.followTicksMs - drags.followMovesMs) / stillTicks : NAN),
                      "none", "timer-only following has no fast passes");
            Progress("drags: moves made up to %.1f ms (QuorTab) and %.1f ms (baseline) after their time",
                     drags.quortab.latestMs, drags.baseline.latestMs);
            Progress("drags along the bottom of the work area, with window events and without");
            const HWND dragged = windows[selected >= 0 ? selected : 0];
            const BottomDrags withEvents = MeasureBottomDrags(run, dragged, amounts, false);
            const BottomDrags timersOnly = MeasureBottomDrags(run, dragged, amounts, true);
            const std::string moves = std::to_string(kDragMoves) + " moves of (" + std::to_string(kDragStepX) +
                                      ", 0) px at 60 a second";
            table.Row("Drag along the bottom of the work area by another process, 10 tabs: the window's lower edge "
                          "on the work area's, " + moves + "; share of the moves after the first after which the "
                          "strip stood in front of the window, over its lower edge, within " +
                          Fixed("%.0f", kDragCatchMs) + " ms (" + std::to_string(withEvents.bottom.missedFirst.size()) +
                          " drags, " + std::to_string(withEvents.bottom.counted) + " moves; as in the drag row)",
                      shareOf(withEvents.bottom), shareOf(drags.quortab),
                      "QuorTab higher up, the strip under the window: the drag row above");
            table.Row("The same with the fast follow alone: the frame's window events kept from it (" +
                          FormatCount(timersOnly.refused) + " upkeep requests refused), as for a window whose "
                          "events never come; in front along the bottom",
                      shareOf(timersOnly.bottom), shareOf(timersOnly.higher),
                      "the same drags higher up with the events kept from it too, the strip under the window");
            Progress("drags by hand of an ungrouped window");
            const HWND loose = windows.back();
            const HandDrags byHand = MeasureHandDrags(loose, run.Cpu(), options, amounts.handDrags);
            AddHandDragRows(table, byHand, MeasureBaselineHandDrags(loose, options, amounts.handDrags));
        }
    }
    for (const PassLevel& level : levels)
        AddPassRows(table, level, baseline);

    sampleMemory();
    table.Row("Peak working set with 100 tabs", FormatMiB(static_cast<double>(peak.peakWorkingSet)),
              FormatMiB(static_cast<double>(baseline.memory.peakWorkingSet)), "the do-nothing program");
    table.Row("Private memory with 100 tabs, highest seen", FormatMiB(static_cast<double>(peak.privateBytes)),
              FormatMiB(static_cast<double>(baseline.memory.privateBytes)), "the do-nothing program");
    if (!run.Exit())
        Fail("QuorTab.exe did not end with 0 after Exit");
}

void AddSizeRows(const Options& options, CBenchTable& table)
{
    auto size = [](const std::string& path) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!::GetFileAttributesExA(WindowsPath(path).c_str(), GetFileExInfoStandard, &data))
            return static_cast<double>(NAN);
        return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    };
    for (const SizeCase& item : options.sizes)
        table.Row("Size of QuorTab.exe, " + item.label, FormatKiB(size(item.program)), FormatKiB(size(item.baseline)),
                  "the do-nothing program, built the same way");
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--wineserver-pid" && i + 1 < argc)
            options.wineserverPid = std::atoi(argv[++i]);
        else if (arg == "--xserver-pid" && i + 1 < argc)
            options.xserverPid = std::atoi(argv[++i]);
        else if (arg == "--quick")
            options.quick = true;
        else if (arg == "--size" && i + 3 < argc) {
            options.sizes.push_back({argv[i + 1], argv[i + 2], argv[i + 3]});
            i += 3;
        } else {
            std::fprintf(stderr,
                         "usage: QuorTabBench [--wineserver-pid PID] [--xserver-pid PID] [--quick]\n"
                         "                    [--size LABEL QUORTAB_EXE BASELINE_EXE]...\n");
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    // The table goes to a pipe as written: no carriage returns.
    _setmode(_fileno(stdout), _O_BINARY);
    Options options;
    if (!ParseOptions(argc, argv, options))
        return 2;
    Amounts amounts;
    if (options.quick) {
        amounts.startRuns = 1;
        amounts.passIntervalMs = 1000;
        amounts.changedPasses = 3;
        amounts.titleRounds = 10;
        amounts.idleMs = 2000;
        amounts.clicks = 5;
        amounts.moves = 6;
        amounts.drags = 2;
        amounts.handDrags = 2;
    }
    if (options.wineserverPid && !LinuxProcessExists(options.wineserverPid))
        Progress("cannot read the wineserver's /proc entry: its CPU is not counted");

    CBenchTable table;
    MeasureStartUp(amounts, table);
    MeasureRunningProgram(options, amounts, table);
    AddSizeRows(options, table);
    table.Print();
    return g_failed ? 1 : 0;
}
