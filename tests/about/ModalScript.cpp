#include "ModalScript.h"
#include <gtest/gtest.h>
#include <string>

namespace {
const UINT kTickMs = 10;
CModalScript* g_script = NULL;
}

CModalScript::CModalScript(CDlgHandler& dialog, std::function<void(HWND)> script, DWORD deadlineMs)
    : m_dialog(dialog), m_script(script), m_start(::GetTickCount()), m_deadlineMs(deadlineMs),
      m_timer(0), m_ran(false), m_running(false)
{
    g_script = this;
    m_timer = ::SetTimer(NULL, 0, kTickMs, Tick);
}

CModalScript::~CModalScript()
{
    ::KillTimer(NULL, m_timer);
    g_script = NULL;
}

void CALLBACK CModalScript::Tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (g_script && g_script->m_timer == timer)
        g_script->Step();
}

void CModalScript::Step()
{
    // The script may pump messages itself, and with them this timer.
    if (m_running)
        return;
    // The modal loop shows the box only once its queue is empty: wait for what a user would see.
    HWND dialog = m_dialog.GetHandle();
    if (dialog && !m_ran && ::IsWindowVisible(dialog)) {
        m_running = true;
        m_ran = true;
        m_script(dialog);
        m_running = false;
        if (::testing::Test::HasFatalFailure())
            ::EndDialog(dialog, kScriptAbandoned);
    } else if (dialog && ::GetTickCount() - m_start > m_deadlineMs) {
        ADD_FAILURE() << "the dialog was still open after " << m_deadlineMs << " ms";
        ::EndDialog(dialog, kScriptAbandoned);
    }
}

void ClickButton(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PressEscape(HWND dialog)
{
    // Queued like the key itself, so the modal loop's dialog-key handling sees it.
    ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
}

void ClickCloseBox(HWND dialog)
{
    ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::string ItemText(HWND dialog, int id)
{
    char text[2048] = "";
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
