#include "WineProgram.h"
#include "Pump.h"

const WineProgramName kNotepad = {"notepad.exe", "Notepad"};
const WineProgramName kMinesweeper = {"winemine.exe", "WineMine"};

CWineProgram::CWineProgram(const WineProgramName& program, const std::string& file)
    : CChildProcess(file.empty() ? program.exe : program.exe + (" " + Quote(file))), m_window(NULL)
{
    // A program started by a person comes up in front; until it has, it may still take the
    // foreground from whatever comes next, so the next one waits for it.
    if (Started())
        PumpUntil([&] {
            HWND found = FindWindow(program.windowClass, NULL);
            if (found && ::IsWindowVisible(found) && ::GetForegroundWindow() == found)
                m_window = found;
            return m_window != NULL;
        }, kInputIdleMs);
}

void PlaceWindow(HWND window, int x, int y, int width, int height)
{
    ::SetWindowPos(window, NULL, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
