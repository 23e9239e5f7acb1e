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

// Where the strip stands now, as far as its next move cares. `above` is the window just above the
// group's window in the z-order (null: none); `inOrder` whether the strip already stands just
// behind it, or just in front when over its lower edge (only looked at when its rectangle is
// already the one wanted).
struct StripNow {
    bool visible;
    RECT frame;
    HWND above;
    bool inOrder;
};

// What the one move of the strip does: show or hide it, and where to put it in the z-order
// (`after`, with `flags` for SetWindowPos), or nothing when it stands as wanted.
struct StripMove {
    enum Visibility { Keep, Show, Hide } visibility;
    bool move;
    HWND after;
    UINT flags;
};
StripMove DecideMove(const StripPlace& place, HWND window, HWND strip, const StripNow& now);

// A look of the fast follow: wait while a move of ours is on its way or the window stands where
// it stood, stop once it has stood still `stillMs` or cannot be read, else move the strip with it.
enum class FollowStep { Wait, Stop, Move };
FollowStep DecideFollow(bool pending, bool read, const RECT& now, const RECT& followed, DWORD stillFor, DWORD stillMs);
