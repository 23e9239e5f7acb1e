#include "WindowIcon.h"
#include "ProgramName.h"

namespace {

// The kinds a window is asked for, in turn, until one comes back.
const WPARAM kKinds[] = {ICON_SMALL2, ICON_SMALL, ICON_BIG};
const int kKindCount = sizeof kKinds / sizeof kKinds[0];

void CALLBACK PostAnswer(HWND window, UINT, ULONG_PTR notify, LRESULT icon)
{
    if (notify)
        ::PostMessageA(reinterpret_cast<HWND>(notify), kIconAnswer, reinterpret_cast<WPARAM>(window), icon);
}

// The class's own icon, where this process can draw it.
HICON ClassIcon(HWND window)
{
    for (int index : {GCLP_HICONSM, GCLP_HICON}) {
        const HICON icon = reinterpret_cast<HICON>(::GetClassLongPtrA(window, index));
        if (IsUsableIcon(icon))
            return icon;
    }
    return NULL;
}

// The program file's own icon at size x size for the process of `window`; the caller owns it.
HICON ReadProgramIcon(HWND window, int size)
{
    const std::string path = GetProgramPath(window);
    HICON icon = NULL;
    if (path.empty() || ::PrivateExtractIconsA(path.c_str(), 0, size, size, &icon, NULL, 1, 0) != 1)
        return NULL;
    return icon;
}

}  // namespace

bool IsUsableIcon(HICON icon)
{
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info))
        return false;
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    return true;
}

CWindowIcons::CWindowIcons() : m_notify(NULL), m_size(::GetSystemMetrics(SM_CXSMICON)) {}

CWindowIcons::~CWindowIcons()
{
    Clear();
}

void CWindowIcons::Reset(HWND notify, int size)
{
    m_notify = notify;
    if (size == m_size)
        return;
    m_size = size;
    // Where the file cannot be read again the old size is drawn scaled.
    for (auto& entry : m_entries) {
        HICON icon = entry.second.owned ? ReadProgramIcon(entry.first, size) : NULL;
        if (icon)
            Replace(entry.second, icon, true);
    }
}

HICON CWindowIcons::Of(HWND window)
{
    auto found = m_entries.find(window);
    if (found != m_entries.end())
        return found->second.icon;
    Entry& entry = m_entries[window];
    entry = Entry{ClassIcon(window), false, -1};
    if (!entry.icon)
        entry = Entry{ReadProgramIcon(window, m_size), true, -1};
    Ask(window);
    return entry.icon;
}

void CWindowIcons::Ask(HWND window)
{
    auto found = m_entries.find(window);
    // One question at a time: a window that does not answer is not asked again and again.
    if (found == m_entries.end() || found->second.asking >= 0)
        return;
    found->second.asking = 0;
    Send(window, found->second);
}

void CWindowIcons::Send(HWND window, Entry& entry)
{
    if (!::SendMessageCallbackA(window, WM_GETICON, kKinds[entry.asking], 0, PostAnswer,
                                reinterpret_cast<ULONG_PTR>(m_notify)))
        entry.asking = -1;
}

HWND CWindowIcons::OnAnswer(WPARAM wParam, LPARAM lParam)
{
    const HWND window = reinterpret_cast<HWND>(wParam);
    auto found = m_entries.find(window);
    if (found == m_entries.end() || found->second.asking < 0)
        return NULL;
    Entry& entry = found->second;
    const HICON answer = reinterpret_cast<HICON>(lParam);
    if (IsUsableIcon(answer)) {
        entry.asking = -1;
        // Asked again after a new title, a window mostly hands back the icon it has: showing it
        // anew would cost the strip a whole layout for nothing.
        if (answer == entry.icon)
            return NULL;
        Replace(entry, answer, false);
        return window;
    }
    if (++entry.asking < kKindCount)
        Send(window, entry);
    else
        entry.asking = -1;
    return NULL;
}

void CWindowIcons::Replace(Entry& entry, HICON icon, bool owned)
{
    if (entry.owned && entry.icon && entry.icon != icon)
        ::DestroyIcon(entry.icon);
    entry.icon = icon;
    entry.owned = owned;
}

void CWindowIcons::Forget(HWND window)
{
    auto found = m_entries.find(window);
    if (found == m_entries.end())
        return;
    Replace(found->second, NULL, false);
    m_entries.erase(found);
}

void CWindowIcons::Clear()
{
    for (auto& entry : m_entries)
        Replace(entry.second, NULL, false);
    m_entries.clear();
}
