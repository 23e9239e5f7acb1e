#include "PickerDriver.h"
#include "resource.h"

namespace {
CPickerDriver* g_driver = NULL;
const char kPickerTitle[] = "Add a Window";

bool IsPicker(HWND window)
{
    char title[64] = "";
    ::GetWindowTextA(window, title, sizeof title);
    return lstrcmpA(title, kPickerTitle) == 0 && ::GetDlgItem(window, IDC_WINDOW_LIST) != NULL;
}

std::vector<HWND> Listed(HWND dialog)
{
    HWND list = ::GetDlgItem(dialog, IDC_WINDOW_LIST);
    std::vector<HWND> windows;
    LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        windows.push_back(reinterpret_cast<HWND>(::SendMessageA(list, LB_GETITEMDATA, i, 0)));
    return windows;
}
}

bool AnswerPickerInProcess(HWND dialog, HWND choice)
{
    std::vector<HWND> windows = Listed(dialog);
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

CPickerDriver::CPickerDriver(HWND choice) : m_choice(choice)
{
    g_driver = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, CbtProc, NULL, ::GetCurrentThreadId());
}

CPickerDriver::~CPickerDriver()
{
    ::UnhookWindowsHookEx(m_hook);
    g_driver = NULL;
}

const std::vector<HWND>& CPickerDriver::LastListed() const
{
    static const std::vector<HWND> none;
    return m_listed.empty() ? none : m_listed.back();
}

void CPickerDriver::Answer(HWND dialog)
{
    m_listed.push_back(Listed(dialog));
    AnswerPickerInProcess(dialog, m_choice);
}

LRESULT CALLBACK CPickerDriver::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && g_driver && IsPicker(window))
        g_driver->Answer(window);
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}
