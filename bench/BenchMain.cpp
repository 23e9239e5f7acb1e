// QuorTab as the benchmark runs it: the program itself, with the upkeep probe hooked onto its
// frame from outside once the first pick, or the command line's rules, have made it.
#include "BenchProbe.h"
#include "CommandLine.h"
#include "MessageLoop.h"
#include "TabWnd.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    try {
        // As the program reads its command line; with rules that match, the frame has its tabs
        // on return.
        int exitCode = 0;
        CTabWndHandler* frame = StartQuorTab(instance, ArgumentsOf(::GetCommandLineW()), &exitCode, true);
        if (!frame)
            return exitCode;
        // Lives as long as the loop; the frame is gone before the loop returns.
        CUpkeepProbe probe(frame->GetTabControl());
        frame->AddHook(&probe);
        bench::RefuseEventsOnRequest(frame->GetHandle());
        return MessageLoop();
    } catch (...) {
        return -1;
    }
}
