#include "TabGroup.h"
#include <algorithm>

int CTabGroup::Find(HWND window) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_tabs[i].window == window)
            return i;
    return -1;
}

bool CTabGroup::InsertAt(int index, HWND window, const std::string& title)
{
    if ((window && Find(window) >= 0) || index < 0 || index > Count())
        return false;
    m_tabs.insert(m_tabs.begin() + index, {window, title, false});
    m_takenOut.erase(window);
    m_selection += m_selection >= index ? 1 : 0;
    m_prevSelection += m_prevSelection >= index ? 1 : 0;
    Tell(TabChange::Inserted, index);
    if (m_selection < 0 && Count() == 1)
        Select(0);
    return true;
}

bool CTabGroup::Select(int index)
{
    if (index < 0 || index >= Count() || index == m_selection)
        return false;
    m_prevSelection = m_selection;
    m_selection = index;
    Tell(TabChange::Selected, index, m_prevSelection);
    return true;
}

void CTabGroup::Tell(TabChange::Kind kind, int index, int from) const
{
    if (m_observer)
        m_observer->OnTabChanged(*this, {kind, index, from, Window(index)});
}

void CTabGroup::Remove(int index)
{
    if (index < 0 || index >= Count())
        return;
    const bool wasSelected = index == m_selection;
    const HWND window = m_tabs[index].window;
    m_tabs.erase(m_tabs.begin() + index);
    m_selection = wasSelected ? std::min(index, Count() - 1) : Shifted(m_selection, index);
    m_prevSelection = Shifted(m_prevSelection, index);
    // Told with the window that left, which the group no longer names.
    if (m_observer)
        m_observer->OnTabChanged(*this, {TabChange::Removed, index, -1, window});
    if (wasSelected && m_selection >= 0)
        Tell(TabChange::Selected, m_selection);
}

int CTabGroup::NextNotHidden() const
{
    for (int step = 1; step < Count(); ++step) {
        const int index = (m_selection + step) % Count();
        if (!m_tabs[index].hiddenByApp)
            return index;
    }
    return -1;
}

void CTabGroup::TakeOut(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_takenOut.insert(m_tabs[index].window);
    Remove(index);
}

std::vector<int> CTabGroup::DropClosed(const std::function<bool(HWND)>& exists)
{
    std::vector<int> dropped;
    for (int i = 0; i < Count();) {
        if (m_tabs[i].window && exists(m_tabs[i].window)) {
            ++i;
            continue;
        }
        Remove(i);
        dropped.push_back(i);
    }
    return dropped;
}

int CTabGroup::Next(int step) const
{
    if (Count() == 0)
        return -1;
    const int next = m_selection + step;
    return next >= Count() ? 0 : next < 0 ? Count() - 1 : next;
}

bool CTabGroup::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return false;
    const HWND selected = Window(m_selection);
    const HWND previous = Window(m_prevSelection);
    GroupTab moved = m_tabs[from];
    m_tabs.erase(m_tabs.begin() + from);
    m_tabs.insert(m_tabs.begin() + to, moved);
    m_selection = selected ? Find(selected) : m_selection;
    m_prevSelection = previous ? Find(previous) : m_prevSelection;
    Tell(TabChange::Moved, to, from);
    return true;
}

bool CTabGroup::Retitle(int index, const std::string& title)
{
    if (index < 0 || index >= Count() || m_tabs[index].title == title)
        return false;
    m_tabs[index].title = title;
    Tell(TabChange::Retitled, index);
    return true;
}

bool CTabGroup::GetPending(HWND window, RECT& place) const
{
    if (!window || window != m_pending)
        return false;
    place = m_pendingPlace;
    return true;
}
