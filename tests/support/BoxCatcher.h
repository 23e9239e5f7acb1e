#pragma once
#include "DialogAnswerer.h"
#include <string>
#include <vector>

struct CaughtBox {
    std::string text;
    std::string caption;
    HWND owner;
    bool errorIcon;  // the MB_ICONERROR icon
};

// While alive, every message box this thread opens is recorded and dismissed with OK
// as soon as it appears, so the code under test goes on as if a user had closed it.
class CBoxCatcher {
public:
    CBoxCatcher();
    const std::vector<CaughtBox>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }

private:
    std::vector<CaughtBox> m_boxes;
    CDialogAnswerer m_answerer;
};

// True when the window is a message box (a dialog with the message-box icon control).
bool IsMessageBox(HWND window);
