#include "BoxCatcher.h"

namespace {
CBoxCatcher* g_active = NULL;
const int kBoxIconId = 1088;   // the icon control of the system's message box template
const int kBoxTextIds[] = {0xFFFF, 100};

std::string ItemText(HWND box, int id)
{
    char text[4096] = "";
    ::GetDlgItemTextA(box, id, text, sizeof text);
    return text;
}
}

bool IsMessageBox(HWND window)
{
    char cls[32] = "";
    ::GetClassNameA(window, cls, sizeof cls);
    return lstrcmpA(cls, "#32770") == 0 && ::GetDlgItem(window, kBoxIconId) != NULL;
}

CBoxCatcher::CBoxCatcher() : m_previous(g_active)
{
    g_active = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, CbtProc, NULL, ::GetCurrentThreadId());
}

CBoxCatcher::~CBoxCatcher()
{
    ::UnhookWindowsHookEx(m_hook);
    g_active = m_previous;
}

LRESULT CALLBACK CBoxCatcher::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && g_active && IsMessageBox(window)) {
        CaughtBox box;
        for (int id : kBoxTextIds)
            if (::GetDlgItem(window, id)) { box.text = ItemText(window, id); break; }
        char caption[2048] = "";
        ::GetWindowTextA(window, caption, sizeof caption);
        box.caption = caption;
        box.owner = ::GetWindow(window, GW_OWNER);
        HICON shown = reinterpret_cast<HICON>(::SendDlgItemMessageA(window, kBoxIconId, STM_GETICON, 0, 0));
        box.errorIcon = shown && shown == ::LoadIconA(NULL, IDI_HAND);
        g_active->m_boxes.push_back(box);
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}
