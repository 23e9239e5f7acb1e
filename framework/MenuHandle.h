#pragma once
#include "WndProxy.h"

// A menu handle, owned (destroyed with the wrapper) or borrowed (a submenu).
class CMenuHandle {
public:
    CMenuHandle(HMENU handle, bool owned) : m_hMenu(handle), m_owned(owned) {}
    ~CMenuHandle();

    HMENU GetHandle() const { return m_hMenu; }
    bool IsOwned() const { return m_owned; }

    CMenuHandle GetSubMenu(int position) const { return CMenuHandle(::GetSubMenu(m_hMenu, position), false); }
    DWORD EnableMenuItem(UINT item, bool enable, bool byPosition) const
        { return ::EnableMenuItem(m_hMenu, item, (byPosition ? MF_BYPOSITION : MF_BYCOMMAND) | (enable ? MF_ENABLED : MF_GRAYED)); }
    BOOL TrackPopupMenu(UINT flags, int x, int y, const CWndProxy& owner) const
        { return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner.GetHandle(), NULL); }
    void Destroy();

    CMenuHandle(const CMenuHandle& other) = delete;
    CMenuHandle& operator=(const CMenuHandle&) = delete;
    CMenuHandle(CMenuHandle&& other) : m_hMenu(other.m_hMenu), m_owned(other.m_owned)
        { other.m_hMenu = NULL; other.m_owned = false; }

private:
    HMENU m_hMenu;
    bool m_owned;
};
