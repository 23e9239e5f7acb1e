#include "Clipboard.h"
#include "Utf8.h"
#include "WindowsError.h"
#include <cstring>

namespace {

// The code page 8-bit text on the clipboard is read in by other programs: the user's, which is
// not ours once this process runs on UTF-8.
UINT UserAnsiCodePage()
{
    UINT codePage = 0;
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPSTR>(&codePage), sizeof codePage / sizeof(char))
        && codePage != 0)
        return codePage;
    return CP_ACP;
}

// Movable memory holding `bytes` bytes, handed to the clipboard, which owns it from then on.
void SetData(UINT format, const void* data, size_t bytes)
{
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        throw CWindowsError("SetClipboardText GlobalAlloc ");
    std::memcpy(::GlobalLock(memory), data, bytes);
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(format, memory)) {
        CWindowsError error("SetClipboardText SetClipboardData ");
        ::GlobalFree(memory);
        throw error;
    }
}

class CClipboardOpen {
public:
    explicit CClipboardOpen(HWND owner)
    {
        if (!::OpenClipboard(owner))
            throw CWindowsError("SetClipboardText OpenClipboard ");
    }
    ~CClipboardOpen() { ::CloseClipboard(); }
};

}  // namespace

void SetClipboardText(HWND owner, const std::string& text)
{
    const std::wstring wide = WideFromUtf8(text);
    const std::string ansi = CodePageFromWide(wide, UserAnsiCodePage());
    CClipboardOpen open(owner);
    if (!::EmptyClipboard())
        throw CWindowsError("SetClipboardText EmptyClipboard ");
    SetData(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    SetData(CF_TEXT, ansi.c_str(), ansi.size() + 1);
}
