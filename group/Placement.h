#pragma once
#include "Win32.h"

// How the group's window stands, as far as the strip cares.
enum class WindowShow { Shown, Hidden, Minimized, Maximized };

// Where the strip goes for a window.
struct StripPlace {
    // A hidden or minimized window's strip hides with it: it would stand where nothing is.
    bool shown;
    // The frame's window rectangle: its client area starts at the window's lower edge, as wide
    // as the window, `kRowTrim` less tall than the tab row.
    RECT frame;
    // Below a maximized window, or one at the bottom of its work area, the strip would be off
    // screen: it stands over the window's lower edge, in front of it, inside the work area.
    bool overLowerEdge;
};

// `rowHeight` is the tab row with its borders; `border` what the frame's own border adds on each
// side; `work` the work area of the window's monitor.
StripPlace PlaceStrip(const RECT& window, WindowShow show, int rowHeight, int border, const RECT& work);

// Whether the work area found for the rectangle `last`, on the monitor whose rectangle is
// `monitor`, still holds for `window`: the same rectangle (a maximized window overhangs its
// monitor), or one wholly on that monitor.
bool WorkAreaHolds(const RECT& window, const RECT& last, const RECT& monitor);

// Where a window let go by dragging its tab off the strip stands: its size kept, its top-left
// corner at the cursor, moved back inside the work area of the cursor's monitor as far as it fits.
RECT DropPlace(const RECT& window, POINT cursor, const RECT& work);

// What a tab released at `cursor` does: over the strip it takes another tab's place; farther
// from the strip than the strip is tall, in any direction, its window leaves the group; in
// between, nothing happens.
enum class TabDrop { Reorder, GiveBack, Nothing };
TabDrop DropOfTab(const RECT& strip, POINT cursor);
