#pragma once
#include "ChildProcess.h"

// One of Wine's own programs, by the name a person types into the Run box and the class of
// its main window.
struct WineProgramName {
    const char* exe;
    const char* windowClass;
};
extern const WineProgramName kNotepad;
extern const WineProgramName kMinesweeper;

// A Wine program started by name and ended by its process handle; nobody here wrote it.
class CWineProgram : public CChildProcess {
public:
    // Starts it, on `file` if one is given, and waits for its main window to be visible and in front.
    explicit CWineProgram(const WineProgramName& program, const std::string& file = "");
    // Its main window, or null when it never came up.
    HWND Window() const { return m_window; }

private:
    HWND m_window;
};

// Puts a window where a user would have dragged it before starting QuorTab.
void PlaceWindow(HWND window, int x, int y, int width, int height);
