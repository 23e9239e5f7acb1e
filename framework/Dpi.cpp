#include "Dpi.h"

namespace {

// A user32 function that older Windows lacks, or null there.
template <typename Function> Function User32(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

UINT GetSystemDpi()
{
    const HDC screen = ::GetDC(NULL);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(NULL, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

UINT GetWindowDpi(HWND window)
{
    typedef UINT(WINAPI * GetDpiForWindowFn)(HWND);
    static const GetDpiForWindowFn getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0;
    return dpi ? dpi : GetSystemDpi();
}

int ScaleForDpi(int length, UINT dpi)
{
    return ::MulDiv(length, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

int GetSystemMetricForDpi(int index, UINT dpi)
{
    typedef int(WINAPI * GetSystemMetricsForDpiFn)(int, UINT);
    static const GetSystemMetricsForDpiFn forDpi = User32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    // Without the newer call the screen has one DPI, the one the plain metrics are for.
    return forDpi ? forDpi(index, dpi) : ::GetSystemMetrics(index);
}

void CDpiFont::Apply(HWND control, HFONT stock, UINT dpi)
{
    const UINT systemDpi = GetSystemDpi();
    HFONT scaled = NULL;
    LOGFONTA font = {};
    if (dpi != systemDpi && ::GetObjectA(stock, sizeof font, &font)) {
        font.lfHeight = ::MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi));
        font.lfWidth = ::MulDiv(font.lfWidth, static_cast<int>(dpi), static_cast<int>(systemDpi));
        scaled = ::CreateFontIndirectA(&font);
    }
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(scaled ? scaled : stock), TRUE);
    // The control has let go of the old font only now.
    Release();
    m_scaled = scaled;
}

void CDpiFont::Release()
{
    if (m_scaled)
        ::DeleteObject(m_scaled);
    m_scaled = NULL;
}
