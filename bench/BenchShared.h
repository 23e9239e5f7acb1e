#pragma once
// What a benchmark build of QuorTab.exe shares with the benchmark driver while it runs: a block
// of memory named after the program's process id, holding the timing of each upkeep pass, the
// tab titles it wrote and the frame's moves it made, the fast passes that follow a moving window,
// the walks of a group that follows its rules, and the number of times the tab strip was painted.
#include "Win32.h"
#include <cstdio>

const LONG kBenchBlockVersion = 6;
// Passes kept; the driver reads them well before the ring wraps.
const LONG kBenchRing = 1024;

struct BenchPass {
    LONGLONG start;   // QueryPerformanceCounter at the start of the pass
    LONGLONG ticks;   // its length, in QueryPerformanceCounter ticks
    LONG tabs;        // tabs in the strip when the pass began
    LONG titlesSet;   // tab texts the pass wrote (TCM_SETITEM received by the strip)
    LONG framePlaced; // WM_WINDOWPOSCHANGED the frame received during the pass
    LONG reserved;
    LONGLONG textTicks; // of its length, the time the strip took to take the tab texts written
};

struct BenchBlock {
    volatile LONG version;        // set last, when the block is ready
    LONG ring;
    LONGLONG frequency;           // QueryPerformanceFrequency of the program
    volatile LONG passes;         // passes finished; pass n is at ring[n % ring]
    volatile LONG tabPaints;      // WM_PAINT received by the tab control
    volatile LONG followTicks;    // follow timer messages handled: none while nothing moves
    volatile LONG followMoves;    // of those, the ones that moved the frame
    volatile LONGLONG followTicksLength; // their summed length, in QueryPerformanceCounter ticks
    volatile LONGLONG followMovesLength; // the same of those that moved the frame
    volatile LONG ruleWalks;      // walks over every window of a group that follows its rules
    volatile LONG lookAgains;     // looks at windows lately made, which only a creation event starts
    volatile LONGLONG ruleWalksLength;   // the walks' summed length, in QueryPerformanceCounter ticks
    volatile LONG eventsRefused;  // window events' upkeep requests (kUpkeepNow) kept from the frame
    BenchPass pass[kBenchRing];
};

// Sent by the driver to the frame: wParam 1 keeps the frame's window events from it from now on,
// as for a window whose events never come, so that the timers alone follow; 0 lets them through
// again. Above the program's own private messages (res/QuorTabNames.h), which stop well short.
const UINT kBenchRefuseEvents = WM_APP + 0x100;

inline void BenchBlockName(DWORD processId, char* name, size_t size)
{
    std::snprintf(name, size, "QuorTabBench-%lu", static_cast<unsigned long>(processId));
}
