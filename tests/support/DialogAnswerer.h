#pragma once
// The one hook that answers dialogs the code under test opens on this thread: which dialog,
// and what a user would answer.
#include "Win32.h"
#include <functional>
#include <vector>

// While alive, answers every window of this thread that `which` recognises, once, as soon as it
// is activated: `answer` acts on it as a user would (picks, clicks, posts its command) and the
// code under test goes on. Answerers nest: the most recent one that recognises a window answers it.
class CDialogAnswerer {
public:
    typedef std::function<bool(HWND window)> Which;
    typedef std::function<void(HWND window)> Answer;
    CDialogAnswerer(Which which, Answer answer);
    ~CDialogAnswerer();
    // The windows answered so far, in order.
    const std::vector<HWND>& Answered() const { return m_answered; }

private:
    CDialogAnswerer(const CDialogAnswerer&) = delete;
    CDialogAnswerer& operator=(const CDialogAnswerer&) = delete;
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    bool TakeOn(HWND window);

    Which m_which;
    Answer m_answer;
    CDialogAnswerer* m_outer;
    std::vector<HWND> m_answered;
};
