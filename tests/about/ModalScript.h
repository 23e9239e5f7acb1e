#pragma once
#include "DlgHandler.h"
#include <functional>
#include <string>

// DoModal's result when the script left the box open past its deadline or failed fatally.
const INT_PTR kScriptAbandoned = 0x5AB;

// Runs a script on a dialog object's window from inside its modal loop: a thread timer waits
// for the object to be bound, runs the script once, and ends the dialog with kScriptAbandoned
// when the script failed fatally or the dialog is still open at the deadline.
class CModalScript {
public:
    CModalScript(CDlgHandler& dialog, std::function<void(HWND)> script, DWORD deadlineMs = 10000);
    ~CModalScript();
    bool Ran() const { return m_ran; }

private:
    CModalScript(const CModalScript&) = delete;
    CModalScript& operator=(const CModalScript&) = delete;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);
    void Step();

    CDlgHandler& m_dialog;
    std::function<void(HWND)> m_script;
    DWORD m_start;
    DWORD m_deadlineMs;
    UINT_PTR m_timer;
    bool m_ran;
    bool m_running;
};

// What a user's actions send: a click on a button, the Esc key, the caption's close box.
void ClickButton(HWND dialog, int id);
void PressEscape(HWND dialog);
void ClickCloseBox(HWND dialog);
std::string ItemText(HWND dialog, int id);
