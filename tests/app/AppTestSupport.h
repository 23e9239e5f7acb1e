#pragma once
#include "TabWnd.h"
#include "Fixture.h"
#include "PickerDriver.h"
#include "Pump.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>

inline int TabCount(HWND tab) { return static_cast<int>(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)); }
inline int CurSel(HWND tab) { return static_cast<int>(::SendMessageA(tab, TCM_GETCURSEL, 0, 0)); }

inline std::string TabText(HWND tab, int index)
{
    char text[2048] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(tab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

inline HWND TabData(HWND tab, int index)
{
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    ::SendMessageA(tab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<HWND>(item.lParam);
}

inline RECT TabItemRect(HWND tab, int index)
{
    RECT rect = {};
    ::SendMessageA(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

// A user's click on a tab: the control itself hit-tests and notifies the frame.
inline void ClickTab(HWND tab, int index)
{
    RECT rect = TabItemRect(tab, index);
    LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(tab, WM_LBUTTONUP, 0, at);
}

inline bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::string Describe(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// The height the tab row and the control's borders take, measured on a control of our own
// with the frame's tab style and font.
int MeasureTabRowHeight();

// Where the frame must stand for `window`: glued to its lower edge, exactly as wide, 5 pixels
// less tall than the tab row, directly behind it in the z-order.
::testing::AssertionResult FrameIsPlacedBelow(HWND frame, HWND window);

// The frame of this test process, created with `first` chosen in its picker.
class TabGroupTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CTabWndHandler* Start(HWND first);
    // The Add Window command, answering its picker with `window`.
    void Add(HWND window);
    HWND Tab() const { return m_frame->GetTabControl(); }
    HWND Frame() const { return m_frame->GetHandle(); }
    // Lets the 250 ms upkeep run until `done` holds.
    bool UpkeepUntil(const std::function<bool()>& done) { return PumpUntil(done, 3000); }
    bool FrameAlive() const { return ::IsWindow(m_frameHandle) != FALSE; }

    CTabWndHandler* m_frame = nullptr;
    HWND m_frameHandle = NULL;
};
