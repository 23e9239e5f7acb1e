#pragma once
#include "DialogAnswerer.h"
#include <vector>

// Answers every "Add a Window" dialog this thread opens while it is alive, as a user would:
// selects the given window's item and presses OK, or presses Cancel when that window is null
// or not listed. Records what each dialog listed.
class CPickerDriver {
public:
    explicit CPickerDriver(HWND choice);
    void Choose(HWND choice) { m_choice = choice; }
    int DialogsSeen() const { return static_cast<int>(m_listed.size()); }
    // The windows listed by the most recent dialog, in list order.
    const std::vector<HWND>& LastListed() const;

private:
    HWND m_choice;
    std::vector<std::vector<HWND>> m_listed;
    CDialogAnswerer m_answerer;
};

// True for an "Add a Window" dialog, of this process or another.
bool IsPicker(HWND window);
// The windows its list offers, in list order.
std::vector<HWND> PickerWindows(HWND picker);
// Picks `choice` in an "Add a Window" dialog of another process (QuorTab.exe), or cancels it.
// Returns false when the window is not listed there.
bool AnswerPickerInProcess(HWND dialog, HWND choice);
