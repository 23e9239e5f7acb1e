#pragma once
#include "Placement.h"
#include "StripView.h"
#include "TabGroup.h"
#include "WndProxy.h"

// Where the strip stands: under the selected window, or over its lower edge in front of it, and
// following it while it is dragged. Every move of the strip, from the upkeep, a window event or
// the fast follow, goes through one path, so that in front or behind holds whichever moved it.
class CStripPlacer {
public:
    // `strip` is the frame's window, set by the time anything is placed.
    CStripPlacer(const CWndProxy& strip, CTabGroup& group, CStripView& view);

    // How the selected window stands now (where a move of ours is on its way, else read): the
    // next Place of that window goes by this look instead of reading it again.
    WindowShow Look(HWND window);
    // The strip to the selected window; nothing without a selection. Inside a pass only noted.
    void Place();
    // One look of the fast follow (kFollowTimer).
    void Follow();
    // While kept in front, a move leaves the strip's place in the z-order as it is.
    void KeepInFront(bool keep) { m_keptInFront = keep; }
    // The screen changed: work areas and borders are asked again.
    void ScreenChanged() { m_workKnown = false; m_border = -1; }

    // An upkeep pass: whatever asks for a placement inside it, the strip is placed once, at its
    // end, by Place.
    class CPass {
    public:
        explicit CPass(CStripPlacer& placer) : m_placer(placer) { ++m_placer.m_held; }
        // A look lives no longer than its pass.
        ~CPass() { Release(); m_placer.m_looked = NULL; }
        void Place() { Release(); m_placer.Place(); }
        CPass(const CPass&) = delete;
        CPass& operator=(const CPass&) = delete;

    private:
        void Release() { if (m_held) --m_placer.m_held; m_held = false; }
        CStripPlacer& m_placer;
        bool m_held = true;
    };

private:
    void PlaceUnder(HWND window);
    StripPlace PlaceFor(const RECT& window, WindowShow show);
    void Move(HWND window, const StripPlace& place);
    void StartFollowing(const RECT& place);

    const CWndProxy& m_strip;
    CTabGroup& m_group;
    CStripView& m_view;
    int m_held;
    // The last look, good for the next placement of that window only.
    HWND m_looked;
    RECT m_lookedAt;
    bool m_lookRead;
    WindowShow m_show;
    // What the frame's own border adds on each side (-1: to be measured).
    int m_border;
    // The monitor of the window last placed under, its work area, and that window's rectangle.
    bool m_workKnown;
    RECT m_workFor;
    RECT m_monitor;
    RECT m_work;
    // While following a drag: the window's last rectangle and since when it has stood there.
    bool m_following;
    RECT m_followed;
    DWORD m_stillSince;
    bool m_keptInFront = false;
};

// The work area of the monitor the rectangle is on, or the nearest.
RECT WorkAreaOf(const RECT& place, RECT* monitor = nullptr);
