#pragma once
// What the baseline program BenchIdle.exe understands.
#define BENCH_IDLE_CLASS "QuorTabBenchIdle"
#define BENCH_IDLE_GET_PAINTS (WM_APP + 1)  // returns how many WM_PAINT its window got
#define BENCH_IDLE_GET_TICKS (WM_APP + 2)   // returns how many WM_TIMER its window got
