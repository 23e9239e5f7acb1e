#include "WindowDrag.h"

CWindowDrag::Step CWindowDrag::Next(DragEvent event, HWND window)
{
    switch (event) {
    case DragEvent::MoveSizeStart:
        m_captured = NULL;
        m_dragged = window;
        return Step::Began;
    case DragEvent::CaptureStart:
        // Windows sends a capture of its own inside a move-size loop: the drag goes on.
        if (!m_dragged)
            m_captured = window;
        return Step::Nothing;
    case DragEvent::Moved:
        if (m_dragged)
            return window == m_dragged ? Step::Moved : Step::Nothing;
        if (window != m_captured)
            return Step::Nothing;
        m_dragged = window;
        return Step::Began;
    case DragEvent::CaptureEnd:
    case DragEvent::MoveSizeEnd:
        if (window == m_captured)
            m_captured = NULL;
        if (!m_dragged || window != m_dragged)
            return Step::Nothing;
        m_dragged = NULL;
        return Step::Ended;
    }
    return Step::Nothing;
}

HWND WindowUnderDrag(const std::vector<ZWindow>& topDown, POINT at, HWND dragged)
{
    for (const ZWindow& z : topDown)
        if (z.window != dragged && ::PtInRect(&z.rect, at))
            return z.window;
    return NULL;
}

int DropIndex(const std::vector<RECT>& tabs, POINT at)
{
    for (size_t i = 0; i < tabs.size(); ++i) {
        const POINT row = {at.x, (tabs[i].top + tabs[i].bottom) / 2};
        if (::PtInRect(&tabs[i], row))
            return static_cast<int>(i);
    }
    return static_cast<int>(tabs.size());
}

int DropMarkLeft(const std::vector<RECT>& tabs, int index, int width)
{
    if (tabs.empty())
        return 0;
    const int edge = index < static_cast<int>(tabs.size()) ? tabs[index].left : tabs.back().right;
    return edge - width / 2;
}
