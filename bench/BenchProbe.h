#pragma once
// Compiled into QuorTab.exe only in benchmark builds. Wrapped around the upkeep pass, it times
// the pass on the program's own thread and, from the first pass on, counts the tab strip's
// repaints, publishing both in the shared block that the benchmark driver reads.
#include "BenchShared.h"
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

inline LRESULT CALLBACK CountTabPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        ::InterlockedIncrement(&OwnBlock()->tabPaints);
    // The control keeps its own character set, so messages reach it unconverted.
    return ::IsWindowUnicode(window) ? ::CallWindowProcW(g_tabProc, window, message, wParam, lParam)
                                     : ::CallWindowProcA(g_tabProc, window, message, wParam, lParam);
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

}  // namespace bench

class CBenchProbe {
public:
    explicit CBenchProbe(HWND tabControl)
        : m_block(bench::OwnBlock()),
          m_tabs(static_cast<LONG>(::SendMessageA(tabControl, TCM_GETITEMCOUNT, 0, 0)))
    {
        if (m_block)
            bench::CountPaintsOf(tabControl);
        m_start = bench::Now();
    }

    ~CBenchProbe()
    {
        const LONGLONG end = bench::Now();
        if (!m_block)
            return;
        BenchPass& pass = m_block->pass[m_block->passes % kBenchRing];
        pass.start = m_start;
        pass.ticks = end - m_start;
        pass.tabs = m_tabs;
        // Published only once the entry is complete.
        ::InterlockedIncrement(&m_block->passes);
    }

private:
    CBenchProbe(const CBenchProbe&) = delete;
    CBenchProbe& operator=(const CBenchProbe&) = delete;

    BenchBlock* m_block;
    LONG m_tabs;
    LONGLONG m_start;
};
