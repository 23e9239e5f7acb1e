#pragma once
// What the baseline program BenchIdle.exe understands.
#define BENCH_IDLE_CLASS "QuorTabBenchIdle"
#define BENCH_IDLE_GET_PAINTS (WM_APP + 1)  // returns how many WM_PAINT its window got
#define BENCH_IDLE_GET_TICKS (WM_APP + 2)   // returns how many WM_TIMER its window got
// wParam: a window (of any process) that its window then follows on its timer, as QuorTab's frame
// follows the selected window: against its lower edge, as wide, directly behind it.
#define BENCH_IDLE_FOLLOW (WM_APP + 3)
