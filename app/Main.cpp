#include "TabWnd.h"
#include <commctrl.h>
#include "MessageLoop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_hInstance = instance;
    try {
        ::InitCommonControls();
        CreateTabWindow(instance, NULL);
        return MessageLoop();
    } catch (...) {
        // Includes the user's declining the first pick: end quietly.
        return -1;
    }
}
