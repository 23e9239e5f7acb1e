#pragma once
#include "Win32.h"

// Newer Windows gives every window the DPI of its monitor; older ones know one DPI for the whole
// screen. The newer calls are looked up when first needed, and where they are missing the
// screen's DPI answers for every window.

// Headers for Windows XP do not know it: sent to a window whose monitor's DPI changed, with the
// new DPI in both words of wParam.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// What sizes are given for: 100 % scaling.
constexpr UINT kBaseDpi = 96;

// The DPI of the screen as a whole: what stock fonts and system metrics were made for.
UINT GetSystemDpi();
// The DPI the window is shown at.
UINT GetWindowDpi(HWND window);
// A length given at kBaseDpi, at `dpi`.
int ScaleForDpi(int length, UINT dpi);
// A system metric (SM_CXSMICON, ...) as it is at `dpi`.
int GetSystemMetricForDpi(int index, UINT dpi);

// A control's font that looks at a given DPI as a stock font looks at the screen's DPI: the stock
// font itself there, elsewhere a copy scaled from it, owned by this object until the next Apply or
// its end (after the control's).
class CDpiFont {
public:
    CDpiFont() : m_scaled(NULL) {}
    ~CDpiFont() { Release(); }
    // Gives the control the font for `dpi` and redraws it.
    void Apply(HWND control, HFONT stock, UINT dpi);

    CDpiFont(const CDpiFont&) = delete;
    CDpiFont& operator=(const CDpiFont&) = delete;

private:
    void Release();
    HFONT m_scaled;
};
