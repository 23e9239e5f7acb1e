#pragma once
#include "Win32.h"
#include <string>

// The system's description of an error code, exactly as FormatMessageA gives it
// (line break included); empty when there is none.
std::string FormatSystemMessage(DWORD code, HMODULE module = NULL);

// Thrown by every checked Windows call. Not derived from std::exception on purpose:
// a handler for standard exceptions must not swallow it.
class CWindowsError {
public:
    // Reads the last error itself, so construct it right after the failed call.
    explicit CWindowsError(const char* text, HMODULE module = NULL)
        : m_code(::GetLastError()), m_text(text), m_module(module) {}

    DWORD GetCode() const { return m_code; }
    const std::string& GetText() const { return m_text; }
    HMODULE GetModule() const { return m_module; }
    std::string GetErrorText() const { return m_text + FormatSystemMessage(m_code, m_module); }

private:
    DWORD m_code;
    std::string m_text;
    HMODULE m_module;
};

// What every exception barrier shows: the text in an error box captioned with the current title
// of titleWindow (cut to 1023 characters) and owned by owner.
void ShowBarrierBox(HWND titleWindow, HWND owner, const char* text);

// The two-handler pattern of a barrier; `body` runs inside it. Returns true when body returned.
template <class Body>
bool RunInBarrier(HWND titleWindow, HWND windowsErrorOwner, HWND otherOwner,
                  const char* otherText, Body body)
{
    try {
        body();
        return true;
    } catch (const CWindowsError& error) {
        ShowBarrierBox(titleWindow, windowsErrorOwner, error.GetErrorText().c_str());
    } catch (...) {
        ShowBarrierBox(titleWindow, otherOwner, otherText);
    }
    return false;
}
