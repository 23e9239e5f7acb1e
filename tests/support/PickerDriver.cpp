#include "PickerDriver.h"
#include "ChildProcess.h"
#include "QuorTabNames.h"
#include "WindowFacts.h"
#include "resource.h"

bool IsPicker(HWND window)
{
    return WindowTitle(window) == quortab::kAddWindowCaption && ::GetDlgItem(window, IDC_WINDOW_LIST) != NULL;
}

std::vector<HWND> PickerWindows(HWND picker)
{
    // The dialog may belong to another process, which may be busy.
    const HWND list = ::GetDlgItem(picker, IDC_WINDOW_LIST);
    std::vector<HWND> windows;
    for (LRESULT i = 0, count = SendWithin(list, LB_GETCOUNT, 0, 0); i < count; ++i)
        windows.push_back(reinterpret_cast<HWND>(SendWithin(list, LB_GETITEMDATA, i, 0)));
    return windows;
}

bool AnswerPickerInProcess(HWND dialog, HWND choice)
{
    std::vector<HWND> windows = PickerWindows(dialog);
    for (size_t i = 0; choice && i < windows.size(); ++i) {
        if (windows[i] == choice) {
            ::SendDlgItemMessageA(dialog, IDC_WINDOW_LIST, LB_SETCURSEL, i, 0);
            ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return true;
        }
    }
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return choice == NULL;
}

CPickerDriver::CPickerDriver(HWND choice)
    : m_choice(choice), m_answerer(IsPicker, [this](HWND dialog) {
          m_listed.push_back(PickerWindows(dialog));
          AnswerPickerInProcess(dialog, m_choice);
      })
{
}

const std::vector<HWND>& CPickerDriver::LastListed() const
{
    static const std::vector<HWND> none;
    return m_listed.empty() ? none : m_listed.back();
}
