#include "PaintDC.h"

CPaintDC::CPaintDC(const CWndProxy& window) : CDCProxy(NULL), m_paint(), m_window(NULL)
{
    Create(window);
}

CPaintDC::~CPaintDC()
{
    CPaintDC::Release();
}

void CPaintDC::Create(const CWndProxy& window)
{
    m_window.Attach(window.GetHandle());
    HDC dc = ::BeginPaint(m_window.GetHandle(), &m_paint);
    Release();
    m_hDC = dc;
    if (!m_hDC)
        throw CWindowsError("CPaintDC::Create ");
}

void CPaintDC::Release()
{
    if (!m_hDC)
        return;
    ::EndPaint(m_window.GetHandle(), &m_paint);
    m_hDC = NULL;
}
