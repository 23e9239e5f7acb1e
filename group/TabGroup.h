#pragma once
#include "Win32.h"
#include <functional>
#include <set>
#include <string>
#include <vector>

// One grouped window and the title its tab shows.
struct GroupTab {
    HWND window;
    std::string title;
    // Hidden by its own application (not by us): the group passed its place to another tab.
    bool hiddenByApp;
};

class CTabGroup;

// One change of the group, as its observer hears of it. `index` is where the tab is now (for a
// removed tab, where it was); `from` is where a moved tab was, or the tab selected before a
// selection (-1 when that one left the group); `window` is the tab's window.
struct TabChange {
    enum Kind { Inserted, Removed, Moved, Selected, Retitled };
    Kind kind;
    int index;
    int from;
    HWND window;
};

// Told of each change after the group has made it, so that what shows the group changes only
// where the group did.
class CTabGroupObserver {
public:
    virtual void OnTabChanged(const CTabGroup& group, const TabChange& change) = 0;

protected:
    ~CTabGroupObserver() = default;
};

// The group as the program knows it: the tabs in order, which one is selected and which one was
// before the selection last changed, and where the group's window stands. The tab strip shows
// this; nothing here knows the strip. Every choice of tab (a press, a key, the wheel, a drag) is
// one of the verbs below, and the group alone decides what it means.
//
// Indices are those of the strip: 0 is the leftmost tab, -1 no tab.
class CTabGroup {
public:
    CTabGroup() : m_selection(-1), m_prevSelection(-1), m_placed(false), m_lastPlace(), m_pending(NULL), m_pendingPlace(),
                  m_observer(nullptr) {}

    // One observer at a time; null for none.
    void SetObserver(CTabGroupObserver* observer) { m_observer = observer; }

    int Count() const { return static_cast<int>(m_tabs.size()); }
    const GroupTab& Tab(int index) const { return m_tabs[index]; }
    // Null for an index that names no tab.
    HWND Window(int index) const { return index >= 0 && index < Count() ? m_tabs[index].window : NULL; }
    int Find(HWND window) const;
    int Selection() const { return m_selection; }
    int PrevSelection() const { return m_prevSelection; }

    // Appends a tab. The first tab of an empty group is selected. False, and nothing done, for a
    // window that has a tab already: a second would hide it whenever the first is selected.
    bool Insert(HWND window, const std::string& title) { return InsertAt(Count(), window, title); }
    // Inserts a tab before tab `index` (Count(): last); the selection stays with its window.
    // False, and nothing done, for an index outside 0..Count() too.
    bool InsertAt(int index, HWND window, const std::string& title);
    // A removed selected tab passes the selection to the tab that slides into its place, or to
    // the new last one, so that the strip never stands under nothing while tabs are left.
    void Remove(int index);
    // Removes a tab the user took out of the group: its window stays out of whatever gathers
    // windows on its own, until it is inserted again.
    void TakeOut(int index);
    bool WasTakenOut(HWND window) const { return m_takenOut.count(window) != 0; }
    // Drops the tabs whose windows are gone and returns their indices, each as it is at its own
    // removal (so removing them one after the other in that order matches).
    std::vector<int> DropClosed(const std::function<bool(HWND)>& exists);
    // Selects a tab, the one selected before becoming the previous selection. False, and
    // nothing done, for the selected tab or an index that names no tab.
    bool Select(int index);
    // Selects the tab after (step 1) or before (step -1) the selection, wrapping around at both
    // ends; false when that is the selected tab itself.
    bool SelectNext(int step) { return Select(Next(step)); }
    // Moves a tab to another position; the selection stays with its window. False for an index
    // that names no tab, or a tab moved onto its own place.
    bool Move(int from, int to);
    // True when the title differs from the one shown.
    bool Retitle(int index, const std::string& title);
    void SetHiddenByApp(int index, bool hidden) { if (index >= 0 && index < Count()) m_tabs[index].hiddenByApp = hidden; }
    // The tab after the selection, wrapping around, whose window its application has not hidden;
    // -1 when there is none.
    int NextNotHidden() const;

    // Where the group's window last stood: the place for the next one when that one is gone.
    void SetLastPlace(const RECT& place) { m_lastPlace = place; m_placed = true; }
    bool GetLastPlace(RECT& place) const { place = m_lastPlace; return m_placed; }
    // A window asked to move and show that has not done so yet: until its application catches
    // up, the group stands where the window will be.
    void SetPending(HWND window, const RECT& place) { m_pending = window; m_pendingPlace = place; }
    bool GetPending(HWND window, RECT& place) const;
    void CaughtUp(HWND window) { if (window == m_pending) m_pending = NULL; }

private:
    int Next(int step) const;
    void Tell(TabChange::Kind kind, int index, int from = -1) const;
    int Shifted(int index, int removed) const { return index > removed ? index - 1 : index == removed ? -1 : index; }

    std::vector<GroupTab> m_tabs;
    std::set<HWND> m_takenOut;
    int m_selection;
    int m_prevSelection;
    bool m_placed;
    RECT m_lastPlace;
    HWND m_pending;
    RECT m_pendingPlace;
    CTabGroupObserver* m_observer;
};
