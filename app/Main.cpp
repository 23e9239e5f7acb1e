#include "TabWnd.h"
#include "CommandLine.h"
#include "MessageLoop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    try {
        // The wide form: patterns may name what the system's code page cannot.
        int exitCode = 0;
        if (!StartQuorTab(instance, ArgumentsOf(::GetCommandLineW()), &exitCode, true))
            return exitCode;
        InstallCycleKeys();
        return MessageLoop();
    } catch (...) {
        // Includes the user's declining the first pick: end quietly.
        return -1;
    }
}
