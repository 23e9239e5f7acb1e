#include "TabWnd.h"
#include "MessageLoop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    try {
        StartQuorTab(instance);
        InstallCycleKeys();
        return MessageLoop();
    } catch (...) {
        // Includes the user's declining the first pick: end quietly.
        return -1;
    }
}
