#include "TabDrag.h"
#include <cstdlib>

void CTabDrag::MoveTo(POINT at, SIZE slop)
{
    if (m_pressed && !m_dragging)
        m_dragging = std::abs(at.x - m_pressedAt.x) > slop.cx || std::abs(at.y - m_pressedAt.y) > slop.cy;
}

HWND CTabDrag::Release(bool& dragged)
{
    const HWND window = m_pressed;
    dragged = window && m_dragging;
    m_pressed = NULL;
    return window;
}
