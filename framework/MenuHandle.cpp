#include "MenuHandle.h"

CMenuHandle::~CMenuHandle()
{
    // A destructor must not throw; a menu that cannot be destroyed is left behind.
    if (m_owned) {
        try { Destroy(); } catch (const CWindowsError&) {}
    }
}

void CMenuHandle::Destroy()
{
    if (!m_hMenu)
        return;
    if (!::DestroyMenu(m_hMenu))
        throw CWindowsError("Windows Error : ");
    m_hMenu = NULL;
    m_owned = false;
}
