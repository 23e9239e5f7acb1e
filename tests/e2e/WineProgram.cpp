#include "WineProgram.h"
#include "Pump.h"

const char kNotepadClass[] = "Notepad";
const char kMinesweeperClass[] = "WineMine";

CWineProgram::CWineProgram(const char* exeName, const char* windowClass)
    : CChildProcess(exeName), m_window(NULL)
{
    // A program started by a person comes up in front; until it has, it may still take the
    // foreground from whatever comes next, so the next one waits for it.
    if (Started())
        PumpUntil([&] {
            HWND found = FindWindow(windowClass, NULL);
            if (found && ::IsWindowVisible(found) && ::GetForegroundWindow() == found)
                m_window = found;
            return m_window != NULL;
        }, 10000);
}

void CWineProgram::Place(int x, int y, int width, int height)
{
    ::SetWindowPos(Window(), NULL, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
