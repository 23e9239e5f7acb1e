#pragma once
// Clocks, waits and statistics for the benchmark driver; the processes it starts, and the
// messages it sends them, are the tests' (ChildProcess.h).
#include "Win32.h"
#include <functional>
#include <string>
#include <vector>

// The performance counter, shared by every process of the machine, in milliseconds.
double NowMs();

// Polls `done` every `pollMs` until it holds or `timeoutMs` passes; true when it held. The
// driver owns no windows, so it has no messages to pump while it waits.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = 1);

double Median(std::vector<double> values);
// The value below which `fraction` of the values lie (nearest rank).
double Percentile(std::vector<double> values, double fraction);

// "Z:" in front of an absolute Linux path, so that Windows calls under Wine can open it.
std::string WindowsPath(const std::string& path);
