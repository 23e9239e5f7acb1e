#pragma once
// The benchmark's view into a running QuorTab: registered on the frame as a message hook by the
// benchmark's own entry, it times each upkeep pass on the program's thread and, from the first
// pass on, counts the tab strip's repaints, the tab texts written into it and the frame's moves,
// the fast passes that follow a moving window and the walks of a group following its rules,
// publishing them in the shared block that the benchmark driver reads.
#include "BenchShared.h"
#include "QuorTabNames.h"
#include "WndHandler.h"
#include <commctrl.h>

namespace bench {

// Wine's thread CPU clock ticks in 10 ms, far coarser than a pass; the performance counter
// resolves it, and the pass runs on this one thread without waiting for input.
inline LONGLONG Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Created at the first pass and kept for the life of the process; null if it cannot be made,
// and then the program runs on unmeasured.
inline BenchBlock* OwnBlock()
{
    static BenchBlock* const block = [] {
        char name[64];
        BenchBlockName(::GetCurrentProcessId(), name, sizeof name);
        HANDLE mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                              sizeof(BenchBlock), name);
        if (!mapping)
            return static_cast<BenchBlock*>(nullptr);
        void* view = ::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(BenchBlock));
        BenchBlock* shared = static_cast<BenchBlock*>(view);
        if (shared) {
            LARGE_INTEGER frequency;
            ::QueryPerformanceFrequency(&frequency);
            shared->frequency = frequency.QuadPart;
            shared->ring = kBenchRing;
            ::MemoryBarrier();
            shared->version = kBenchBlockVersion;
        }
        return shared;
    }();
    return block;
}

inline WNDPROC g_tabProc = nullptr;
inline HWND g_countedTab = NULL;
// Tab texts written so far; a pass's share tells a pass that found a changed title from one
// that found none.
inline LONG g_titlesSet = 0;
// The time the strip has spent taking those texts, in performance counter ticks.
inline LONGLONG g_textTicks = 0;

inline LRESULT CALLBACK CountTabPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool text = (message == TCM_SETITEMA || message == TCM_SETITEMW) && lParam &&
                      (reinterpret_cast<const TCITEMA*>(lParam)->mask & TCIF_TEXT);
    if (message == WM_PAINT)
        ::InterlockedIncrement(&OwnBlock()->tabPaints);
    else if (text)
        ++g_titlesSet;
    const LONGLONG start = text ? Now() : 0;
    // The control keeps its own character set, so messages reach it unconverted.
    const LRESULT result = ::IsWindowUnicode(window) ? ::CallWindowProcW(g_tabProc, window, message, wParam, lParam)
                                                     : ::CallWindowProcA(g_tabProc, window, message, wParam, lParam);
    if (text)
        g_textTicks += Now() - start;
    return result;
}

inline void CountPaintsOf(HWND tabControl)
{
    if (!tabControl || tabControl == g_countedTab)
        return;
    const LONG_PTR counter = reinterpret_cast<LONG_PTR>(CountTabPaints);
    const LONG_PTR previous = ::IsWindowUnicode(tabControl)
                                  ? ::SetWindowLongPtrW(tabControl, GWLP_WNDPROC, counter)
                                  : ::SetWindowLongPtrA(tabControl, GWLP_WNDPROC, counter);
    g_tabProc = reinterpret_cast<WNDPROC>(previous);
    g_countedTab = tabControl;
}

inline WNDPROC g_frameProc = nullptr;
inline bool g_refusing = false;

// Between the frame and its window procedure: keeps the upkeep requests of window events from it
// while the driver asks. The frame posts one request at a time and takes no other until it has
// run one, so letting them through again posts one.
inline LRESULT CALLBACK RefuseEvents(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kBenchRefuseEvents) {
        g_refusing = wParam != 0;
        if (!g_refusing)
            ::PostMessageA(frame, quortab::kUpkeepNow, 0, 0);
        return 0;
    }
    if (message == quortab::kUpkeepNow && g_refusing) {
        if (OwnBlock())
            ::InterlockedIncrement(&OwnBlock()->eventsRefused);
        return 0;
    }
    return ::CallWindowProcA(g_frameProc, frame, message, wParam, lParam);
}

inline void RefuseEventsOnRequest(HWND frame)
{
    g_frameProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefuseEvents)));
}

}  // namespace bench

// Brackets every upkeep pass of the frame it is registered on (the upkeep timer's WM_TIMER), and
// apart from them the follow timer's fast passes, which would otherwise pass for cheap upkeep,
// and the timers of a group that follows its rules, which idle with --follow pays on top.
class CUpkeepProbe : public CMessageHook {
public:
    explicit CUpkeepProbe(HWND tabControl) : m_block(bench::OwnBlock()), m_tabControl(tabControl) {}

    void BeforeMessage(CWndProxy*, UINT message, WPARAM wParam, LPARAM) override
    {
        // The frame's own moves arrive nested inside the pass that makes them.
        if (message == WM_WINDOWPOSCHANGED)
            ++m_framePlaced;
        if (message != WM_TIMER || !m_block)
            return;
        m_placedBefore = m_framePlaced;
        if (wParam == quortab::kUpkeepTimer) {
            bench::CountPaintsOf(m_tabControl);
            m_tabs = static_cast<LONG>(::SendMessageA(m_tabControl, TCM_GETITEMCOUNT, 0, 0));
            m_titlesBefore = bench::g_titlesSet;
            m_textTicksBefore = bench::g_textTicks;
        }
        m_start = bench::Now();
    }

    void AfterMessage(CWndProxy*, UINT message, WPARAM wParam, LPARAM) override
    {
        const LONGLONG end = bench::Now();
        if (message != WM_TIMER || !m_block)
            return;
        if (wParam == quortab::kFollowTimer) {
            m_block->followTicksLength += end - m_start;
            if (m_framePlaced != m_placedBefore) {
                m_block->followMovesLength += end - m_start;
                ::InterlockedIncrement(&m_block->followMoves);
            }
            ::InterlockedIncrement(&m_block->followTicks);
            return;
        }
        if (wParam == quortab::kRuleWalkTimer) {
            m_block->ruleWalksLength += end - m_start;
            ::InterlockedIncrement(&m_block->ruleWalks);
            return;
        }
        if (wParam == quortab::kLookAgainTimer) {
            ::InterlockedIncrement(&m_block->lookAgains);
            return;
        }
        if (wParam != quortab::kUpkeepTimer)
            return;
        BenchPass& pass = m_block->pass[m_block->passes % kBenchRing];
        pass.start = m_start;
        pass.ticks = end - m_start;
        pass.tabs = m_tabs;
        pass.titlesSet = bench::g_titlesSet - m_titlesBefore;
        pass.framePlaced = m_framePlaced - m_placedBefore;
        pass.textTicks = bench::g_textTicks - m_textTicksBefore;
        // Published only once the entry is complete.
        ::InterlockedIncrement(&m_block->passes);
    }

private:
    BenchBlock* m_block;
    HWND m_tabControl;
    LONG m_tabs = 0;
    LONG m_titlesBefore = 0;
    LONGLONG m_textTicksBefore = 0;
    LONG m_framePlaced = 0;
    LONG m_placedBefore = 0;
    LONGLONG m_start = 0;
};
