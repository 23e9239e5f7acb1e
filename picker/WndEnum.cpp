#include "WndEnum.h"
#include "GroupMark.h"

namespace {
// Null when the window did not answer in time, is hung or is gone; `answered` tells which.
HICON AskIcon(const CWndProxy& window, WPARAM kind, bool& answered)
{
    DWORD_PTR icon = 0;
    answered = ::SendMessageTimeoutA(window.GetHandle(), WM_GETICON, kind, 0, SMTO_ABORTIFHUNG,
                                     kIconQueryTimeoutMs, &icon) != 0;
    return answered ? reinterpret_cast<HICON>(icon) : NULL;
}
}

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

HICON GetWindowIcon(const CWndProxy& window)
{
    // A window that does not answer is asked once, not once per kind.
    const WPARAM kinds[] = {ICON_SMALL2, ICON_SMALL, ICON_BIG};
    for (WPARAM kind : kinds) {
        bool answered = false;
        HICON icon = AskIcon(window, kind, answered);
        if (icon)
            return icon;
        if (!answered)
            break;
    }
    ULONG_PTR classIcon = window.GetClassLong(GCLP_HICONSM);
    if (!classIcon)
        classIcon = window.GetClassLong(GCLP_HICON);
    return reinterpret_cast<HICON>(classIcon);
}
