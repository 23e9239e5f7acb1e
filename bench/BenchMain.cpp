// QuorTab as the benchmark runs it: the program itself, with the upkeep probe hooked onto its
// frame from outside once the first pick has made it.
#include "BenchProbe.h"
#include "MessageLoop.h"
#include "TabWnd.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    try {
        CTabWndHandler* frame = StartQuorTab(instance);
        // Lives as long as the loop; the frame is gone before the loop returns.
        CUpkeepProbe probe(frame->GetTabControl());
        frame->AddHook(&probe);
        return MessageLoop();
    } catch (...) {
        return -1;
    }
}
