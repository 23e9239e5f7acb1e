#pragma once
// A window dragged by its caption and let go on the strip joins the group, at the place a mark
// shows while it is over the strip. The watch costs nothing while no drag is on: it runs on window
// events alone, with no timer and no mouse hook.
#include "WindowDrag.h"

// What the watch asks of the frame it serves.
class CDropTarget {
public:
    // The frame, whose window rectangle is the strip, and its tab control.
    virtual HWND StripFrame() const = 0;
    virtual HWND StripTabs() const = 0;
    // While the dragged window is over the strip, the strip keeps standing in front of it; after,
    // it goes back where it stands.
    virtual void KeepStripInFront(bool keep) = 0;
    // The window was let go on the strip: it becomes tab `index`, the selected one.
    virtual void JoinDropped(HWND window, int index) = 0;

protected:
    ~CDropTarget() = default;
};

class CWindowDrop {
public:
    explicit CWindowDrop(CDropTarget& target);
    ~CWindowDrop();
    CWindowDrop(const CWindowDrop&) = delete;
    CWindowDrop& operator=(const CWindowDrop&) = delete;

    // Listens for the system's drag events from now on.
    void Start();
    // A window moved (the frame's own hook hears of every move).
    void OnMoved(HWND window) { OnEvent(DragEvent::Moved, window); }
    void OnEvent(DragEvent event, HWND window);

private:
    void Track(HWND dragged);
    void Drop(HWND dragged);
    void Leave();
    // `behindDragged`: the strip stands behind the dragged window.
    bool OverStrip(HWND dragged, POINT at, bool* behindDragged = nullptr) const;
    void ShowMark(const std::vector<RECT>& tabs);
    std::vector<RECT> TabRects() const;

    CDropTarget& m_target;
    CWindowDrag m_drag;
    HWINEVENTHOOK m_hook;
    HWND m_mark;
    int m_index;
    // The cursor at the last move of the drag.
    POINT m_lastAt;
};
