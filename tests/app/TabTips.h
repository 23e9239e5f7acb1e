// Telling the kinds of tab control apart, and reading the tools of a strip's tooltip.
#pragma once
#include "AppTestSupport.h"
#include <algorithm>
#include <cctype>

inline std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

inline bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The file of the library whose code runs the window, in lower case.
inline std::string LibraryOf(HWND window)
{
    HMODULE module = NULL;
    // The wide procedure: the 8-bit one of a control registered in Unicode is a conversion stub.
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<LPCSTR>(::GetWindowLongPtrW(window, GWLP_WNDPROC)), &module))
        return "";
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(module, path, MAX_PATH);
    return Lower(path);
}

// Version 6 is the one side by side with the others, as the manifest asks.
inline bool IsCommonControls6(const std::string& library)
{
    return library.find("\\winsxs\\") != std::string::npos && library.find("common-controls") != std::string::npos &&
           EndsWith(library, "\\comctl32.dll");
}

inline bool IsCommonControls5(const std::string& library)
{
    return EndsWith(library, "\\system32\\comctl32.dll");
}

inline HWND TipsOf(HWND tab) { return reinterpret_cast<HWND>(::SendMessageA(tab, TCM_GETTOOLTIPS, 0, 0)); }
inline int ToolCount(HWND tab) { return static_cast<int>(::SendMessageA(TipsOf(tab), TTM_GETTOOLCOUNT, 0, 0)); }

inline TOOLINFOA Tool(HWND tab, int index)
{
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    ::SendMessageA(TipsOf(tab), TTM_ENUMTOOLSA, index, reinterpret_cast<LPARAM>(&tool));
    return tool;
}

// Rests the mouse on the middle of a tab, as a person does, until the strip's tooltip shows
// the text, for five seconds at most.
inline ::testing::AssertionResult HoverShowsTip(HWND tab, int index, const std::string& text)
{
    const RECT item = TabItemRect(tab, index);
    POINT at = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(tab, &at);
    ::SetCursorPos(at.x - 2, at.y);
    PumpFor(50);
    ::SetCursorPos(at.x, at.y);
    const HWND tips = TipsOf(tab);
    if (!PumpUntil([&] { return ::IsWindowVisible(tips) && WindowTitle(tips) == text; }, 5000))
        return ::testing::AssertionFailure() << "the tooltip " << (::IsWindowVisible(tips) ? "shows '" + WindowTitle(tips) + "'" : "never shows");
    return ::testing::AssertionSuccess();
}

// A tab control with the frame's style and font, holding two tabs, in a parent of its own.
class CLoneStrip {
public:
    CLoneStrip()
        : m_parent(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 100, NULL, NULL, NULL, NULL)),
          m_tab(::CreateWindowExA(0, WC_TABCONTROLA, "", quortab::kTabStyle, 0, 0, 400, 100, m_parent, NULL, NULL, NULL))
    {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>("tab");
        ::SendMessageA(m_tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        ::SendMessageA(m_tab, TCM_INSERTITEMA, 1, reinterpret_cast<LPARAM>(&item));
    }
    ~CLoneStrip() { ::DestroyWindow(m_parent); }
    HWND Tab() const { return m_tab; }

private:
    HWND m_parent;
    HWND m_tab;
};
