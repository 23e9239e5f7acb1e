#pragma once
#include "WndProxy.h"
#include <vector>

// Every grouped window carries a mark naming the QuorTab process that groups it, so that no
// window is grouped twice and none stays hidden after its QuorTab died. The mark is two window
// properties: the process id and the process's start time, which tells a reused id apart.

void MarkGrouped(HWND window);
// Marks the window unless another running QuorTab has it; false, and nothing done, when one
// does. Two QuorTabs that try at once never both win: the claim behind the mark is made in one
// step across processes, and the mark is read back in case a QuorTab that did not claim marked
// it meanwhile.
bool ClaimGrouped(HWND window);
void UnmarkGrouped(HWND window);
// Marked by a QuorTab process that still runs, this one included.
bool IsGroupedByLiveQuorTab(HWND window);
// Shows again every top-level window whose marking QuorTab no longer runs, and unmarks it.
// Returns how many it released, and adds them to `released` when given.
int ReleaseOrphanedWindows(std::vector<HWND>* released = nullptr);
// Shows every window this process marked, without waiting on their applications: the last
// thing a crashing QuorTab does.
void ShowWindowsMarkedByThisProcess();
