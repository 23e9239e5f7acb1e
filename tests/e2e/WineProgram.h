#pragma once
#include "Fixture.h"

// One of Wine's own programs (notepad.exe, winemine.exe), started by name as from the Run box
// and ended by its process handle; nobody here wrote it.
class CWineProgram : public CChildProcess {
public:
    // Starts it and waits up to 10 s for its main window to be visible and in front.
    CWineProgram(const char* exeName, const char* windowClass);
    // Its main window, or null when it never came up.
    HWND Window() const { return m_window; }
    // Puts the main window where a user would have dragged it before starting QuorTab.
    void Place(int x, int y, int width, int height);

private:
    HWND m_window;
};

extern const char kNotepadClass[];
extern const char kMinesweeperClass[];
