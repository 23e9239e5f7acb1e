#include "QuorTabRun.h"
#include "PickerDriver.h"
#include "QuorTabNames.h"
#include "WindowFacts.h"
#include "resource.h"

namespace {
const DWORD kStepTimeoutMs = 10000;
// The frame publishes its block at its first upkeep pass, kUpkeepMs after the start.
const DWORD kBlockTimeoutMs = 3000;
using quortab::kTabWidth;
}  // namespace

CQuorTabRun::CQuorTabRun(const char* program) : m_programName(program), m_frame(NULL), m_tab(NULL), m_mapping(NULL), m_block(nullptr)
{
}

CQuorTabRun::~CQuorTabRun()
{
    if (m_block)
        ::UnmapViewOfFile(m_block);
    if (m_mapping)
        ::CloseHandle(m_mapping);
}

bool CQuorTabRun::Pick(HWND previous, HWND window, HWND& picker, std::string& error) const
{
    picker = NULL;
    // A dialog only lists once it is shown: its list is filled before.
    if (!WaitFor([&] {
            picker = m_program->Picker();
            return picker != NULL && picker != previous;
        }, kStepTimeoutMs)) {
        error = "no \"Add a Window\" dialog appeared";
        return false;
    }
    if (!AnswerPickerInProcess(picker, window)) {
        error = "the picker did not list the window to group";
        return false;
    }
    return true;
}

bool CQuorTabRun::Launch(const std::string& arguments, std::string& error)
{
    m_program.reset(new CQuorTabProgram(kNoIdleWait, m_programName, arguments));
    if (!m_program->Started()) {
        error = std::string(m_programName) + " did not start: " + ProgramPath(m_programName);
        return false;
    }
    m_cpu.process = m_program->Handle();
    return true;
}

bool CQuorTabRun::Start(HWND first, std::string& error)
{
    if (!Launch(std::string(), error))
        return false;
    HWND picker;
    if (!Pick(NULL, first, picker, error))
        return false;
    if (!WaitFor([&] { return (m_frame = m_program->Frame()) != NULL && ::IsWindowVisible(m_frame); },
                 kStepTimeoutMs)) {
        error = "the frame did not appear";
        return false;
    }
    return Attach(error);
}

bool CQuorTabRun::StartWithRules(const std::string& arguments, int tabs, std::string& error)
{
    if (!Launch(arguments, error))
        return false;
    if (!WaitFor([&] { return (m_frame = m_program->Frame()) != NULL && ::IsWindowVisible(m_frame); },
                 kStepTimeoutMs)) {
        error = "the frame did not appear with " + arguments;
        return false;
    }
    if (!Attach(error))
        return false;
    if (!WaitFor([&] { return TabCount() == tabs; }, kStepTimeoutMs)) {
        error = std::to_string(TabCount()) + " tabs instead of " + std::to_string(tabs) + " with " + arguments;
        return false;
    }
    return true;
}

bool CQuorTabRun::Attach(std::string& error)
{
    m_tab = m_program->TabControl();
    char name[64];
    BenchBlockName(m_program->Id(), name, sizeof name);
    if (!WaitFor([&] { return (m_mapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, name)) != NULL; },
                 kBlockTimeoutMs)) {
        error = "QuorTab.exe publishes no timings: not a benchmark build?";
        return false;
    }
    m_block = static_cast<const BenchBlock*>(::MapViewOfFile(m_mapping, FILE_MAP_READ, 0, 0, sizeof(BenchBlock)));
    // The program stamps the version last, once the block is ready.
    if (!m_block || !WaitFor([&] { return m_block->version == kBenchBlockVersion; }, kBlockTimeoutMs)) {
        error = "the timing block has another layout";
        return false;
    }
    // Its guardian runs the same program, started after it: the newest of that name is the guardian.
    m_cpu.linuxPid = FindLinuxProcess(m_programName, "--guard");
    return true;
}

bool CQuorTabRun::Add(HWND window, std::string& error)
{
    const int before = TabCount();
    HWND previous = m_program->Picker();
    ::PostMessageA(m_frame, WM_COMMAND, IDM_ADD_WINDOW, 0);
    HWND picker;
    if (!Pick(previous, window, picker, error))
        return false;
    if (!WaitFor([&] { return TabCount() == before + 1 && !::IsWindow(picker); }, kStepTimeoutMs)) {
        error = "the chosen window did not become a tab";
        return false;
    }
    return true;
}

bool CQuorTabRun::Exit()
{
    if (!m_program)
        return false;
    ::PostMessageA(m_frame, WM_COMMAND, IDM_EXIT, 0);
    return m_program->WaitForExit(kStepTimeoutMs) && m_program->ExitCode() == 0;
}

int CQuorTabRun::TabCount() const
{
    return static_cast<int>(SendWithin(m_tab, TCM_GETITEMCOUNT, 0, 0));
}

int CQuorTabRun::Selected() const
{
    return static_cast<int>(SendWithin(m_tab, TCM_GETCURSEL, 0, 0));
}

bool CQuorTabRun::RunPass() const
{
    // The timer id is not looked at; lParam 0 names no timer procedure.
    return SendWithin(m_frame, WM_TIMER, 0, 0, kStepTimeoutMs) != -1;
}

void CQuorTabRun::ClickTab(int index) const
{
    // Tabs have a fixed width; the strip is the control's whole client area.
    RECT client = {};
    ::GetClientRect(m_tab, &client);
    const LPARAM at = MAKELPARAM(index * kTabWidth + kTabWidth / 2, (client.top + client.bottom) / 2);
    ::PostMessageA(m_tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(m_tab, WM_LBUTTONUP, 0, at);
}

std::vector<double> CQuorTabRun::PassMs(LONG from, LONG to, LONG tabs, LONG titlesSet, bool texts) const
{
    std::vector<double> lengths;
    if (to - from > kBenchRing)
        from = to - kBenchRing;
    for (LONG n = from; n < to; ++n) {
        const BenchPass& pass = m_block->pass[n % kBenchRing];
        if (pass.tabs == tabs && (titlesSet < 0 || pass.titlesSet == titlesSet))
            lengths.push_back((texts ? pass.textTicks : pass.ticks) * 1000.0 / m_block->frequency);
    }
    return lengths;
}

int CQuorTabRun::PassesPlacingFrame(LONG from, LONG to) const
{
    int placing = 0;
    if (to - from > kBenchRing)
        from = to - kBenchRing;
    for (LONG n = from; n < to; ++n)
        placing += m_block->pass[n % kBenchRing].framePlaced > 0;
    return placing;
}

bool StandsWithFrame(HWND window, const RECT& rect, HWND frame)
{
    RECT now = {};
    if (!::IsWindowVisible(window) || !::GetWindowRect(window, &now) || !SameRect(now, rect))
        return false;
    const RECT client = ClientRectOnScreen(frame);
    if (!::IsWindowVisible(frame) || client.left != rect.left || client.right != rect.right ||
        client.top != rect.bottom)
        return false;
    // Hidden windows in between, such as the frame's own tooltip, which the system keeps just
    // above its owner, do not show.
    HWND next = ::GetWindow(window, GW_HWNDNEXT);
    while (next && next != frame && !::IsWindowVisible(next))
        next = ::GetWindow(next, GW_HWNDNEXT);
    return next == frame;
}

bool StandsInFront(HWND window, const RECT& rect, HWND frame)
{
    RECT now = {}, outer = {};
    if (!::IsWindowVisible(window) || !::GetWindowRect(window, &now) || !SameRect(now, rect))
        return false;
    const RECT client = ClientRectOnScreen(frame);
    if (!::IsWindowVisible(frame) || !::GetWindowRect(frame, &outer) || client.left != rect.left ||
        client.right != rect.right || outer.bottom != rect.bottom)
        return false;
    HWND next = ::GetWindow(frame, GW_HWNDNEXT);
    while (next && next != window && !::IsWindowVisible(next))
        next = ::GetWindow(next, GW_HWNDNEXT);
    return next == window;
}
