#pragma once
#include "Win32.h"

// A 32-bit top-down bitmap in a memory device context of its own: the code under test draws
// into it, or the screen is copied into it, and a test reads it back pixel by pixel.
class CCanvas {
public:
    CCanvas(int width, int height);
    ~CCanvas();
    HDC DC() const { return m_dc; }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    // Copies the screen's pixels, from (left, top) on, as far as the canvas reaches.
    void CopyScreen(int left, int top);
    // How many pixels are exactly this colour.
    int Count(COLORREF colour) const;

private:
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    const DWORD* m_bits;
};
