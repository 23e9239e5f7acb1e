#include "WndEnum.h"
#include "GroupMark.h"

bool IsEligibleWindow(HWND handle)
{
    const CWndProxy window(handle);
    const LONG_PTR style = window.GetWindowLong(GWL_STYLE);
    const LONG_PTR exStyle = window.GetWindowLong(GWL_EXSTYLE);
    const CWndProxy owner(::GetWindow(handle, GW_OWNER));

    if (!window.IsWindowVisible())
        return false;
    // A main window owned by a hidden application window, as some frameworks make them, counts.
    if (owner.IsAttached() && owner.IsWindowVisible())
        return false;
    if ((style & WS_CAPTION) != WS_CAPTION)
        return false;
    if (exStyle & WS_EX_TOOLWINDOW)
        return false;
    // Grouped here or by another QuorTab: a second tab for it would hide it from the first.
    return !IsGroupedByLiveQuorTab(handle);
}
