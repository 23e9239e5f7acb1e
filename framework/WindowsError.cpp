#include "WindowsError.h"
#include "QuorTabNames.h"
#include "TitleText.h"

using quortab::kTextChars;

static DWORD FormatInto(DWORD flags, HMODULE module, DWORD code, char** buffer)
{
    return ::FormatMessageA(flags, module, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                            reinterpret_cast<char*>(buffer), 0, NULL);
}

std::string FormatSystemMessage(DWORD code, HMODULE module)
{
    char* buffer = NULL;
    DWORD length;
    if (module) {
        length = FormatInto(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE,
                            module, code, &buffer);
        if (length == 0)
            length = FormatInto(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM,
                                NULL, code, &buffer);
    } else {
        length = FormatInto(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM,
                            NULL, code, &buffer);
    }
    std::string text;
    if (buffer) {
        text.assign(buffer, length);
        ::LocalFree(buffer);
    }
    return text;
}

void ShowBarrierBox(HWND titleWindow, HWND owner, const char* text)
{
    // A dialog that has already let go of its window reports with no title: asking a dead or
    // null window for its text may leave the buffer undefined.
    char title[kTextChars] = "";
    if (::IsWindow(titleWindow))
        ReadWindowTitle(titleWindow, title, kTextChars);
    ::MessageBoxA(owner, text, title, MB_ICONERROR);
}
