#include "Canvas.h"

CCanvas::CCanvas(int width, int height)
    : m_width(width), m_height(height), m_dc(::CreateCompatibleDC(NULL)), m_bits(NULL)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    m_bits = static_cast<const DWORD*>(bits);
    m_old = ::SelectObject(m_dc, m_bitmap);
}

CCanvas::~CCanvas()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

void CCanvas::CopyScreen(int left, int top)
{
    HDC screen = ::GetDC(NULL);
    ::BitBlt(m_dc, 0, 0, m_width, m_height, screen, left, top, SRCCOPY);
    ::ReleaseDC(NULL, screen);
}

int CCanvas::Count(COLORREF colour) const
{
    // The bitmap's own pixel order: blue in the low byte.
    const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    ::GdiFlush();
    int count = 0;
    for (int i = 0; m_bits && i < m_width * m_height; ++i)
        count += (m_bits[i] & 0xFFFFFF) == wanted;
    return count;
}
