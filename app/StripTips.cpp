#include "StripTips.h"

namespace {
void DeleteTools(HWND tips, TOOLINFOA& tool, int tools)
{
    for (; tools > 0; --tools) {
        tool.uId = tools - 1;
        ::SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// Each tab's tool covers its rectangle and asks the frame for its text by index. The tooltip
// watches the mouse itself: such a control does not relay mouse moves to it.
void SetTools(const CTabCtrlProxy& tabs, HWND tips, TOOLINFOA& tool, int count, int tools)
{
    tool.uFlags = TTF_SUBCLASS;
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    for (int i = 0; i < count; ++i) {
        tool.uId = i;
        tabs.GetItemRect(i, &tool.rect);
        ::SendMessageA(tips, i < tools ? TTM_NEWTOOLRECTA : TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}
}  // namespace

void SyncTabTips(const CTabCtrlProxy& tabs, bool& byFrame)
{
    const HWND tips = tabs.GetToolTips();
    if (!tips)
        return;
    const int count = tabs.GetItemCount();
    int tools = static_cast<int>(::SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    if (!byFrame) {
        // A control that registers its own tools has one per tab by now.
        if (count == 0 || tools >= count)
            return;
        byFrame = true;
    }
    TOOLINFOA tool = {};
    // The older size: common controls without a manifest refuse the newer one.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = tabs.GetHandle();
    // Deleting one tool ends the tooltip's watch over the strip for every tool, and only adding
    // one starts it again: a strip that lost tabs gets all its tools anew.
    if (tools > count) {
        DeleteTools(tips, tool, tools);
        tools = 0;
    }
    SetTools(tabs, tips, tool, count, tools);
}
