#include "DialogAnswerer.h"
#include <algorithm>
#include <utility>

namespace {
CDialogAnswerer* g_innermost = NULL;
HHOOK g_hook = NULL;
}  // namespace

CDialogAnswerer::CDialogAnswerer(Which which, Answer answer)
    : m_which(std::move(which)), m_answer(std::move(answer)), m_outer(g_innermost)
{
    // One hook for all answerers, so that each activation is answered at most once.
    if (!g_hook)
        g_hook = ::SetWindowsHookExA(WH_CBT, CbtProc, NULL, ::GetCurrentThreadId());
    g_innermost = this;
}

CDialogAnswerer::~CDialogAnswerer()
{
    CDialogAnswerer** link = &g_innermost;
    while (*link && *link != this)
        link = &(*link)->m_outer;
    if (*link)
        *link = m_outer;
    if (!g_innermost) {
        ::UnhookWindowsHookEx(g_hook);
        g_hook = NULL;
    }
}

bool CDialogAnswerer::TakeOn(HWND window)
{
    if (!m_which(window))
        return false;
    // A window activated again (after a message box of its own, say) was answered already.
    if (std::find(m_answered.begin(), m_answered.end(), window) == m_answered.end()) {
        m_answered.push_back(window);
        m_answer(window);
    }
    return true;
}

LRESULT CALLBACK CDialogAnswerer::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        for (CDialogAnswerer* answerer = g_innermost; answerer; answerer = answerer->m_outer)
            if (answerer->TakeOn(reinterpret_cast<HWND>(wParam)))
                break;
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}
