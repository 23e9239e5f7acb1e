#pragma once
#include "TabWnd.h"
#include "Fixture.h"
#include "FrameGeometry.h"
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

// Returns once every grouped window has carried out what the frame asked of it.
inline void CatchUpTabs(HWND tab)
{
    for (int i = 0; i < TabCount(tab); ++i)
        CatchUp(TabData(tab, i));
}

// A user's click on a tab: the control itself hit-tests and notifies the frame.
inline void PressTab(HWND tab, int index)
{
    RECT rect = TabItemRect(tab, index);
    LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(tab, WM_LBUTTONUP, 0, at);
}

// The same, returning once the grouped windows have followed.
inline void ClickTab(HWND tab, int index)
{
    PressTab(tab, index);
    CatchUpTabs(tab);
}

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
    // The same for the frame's place, with the last reason it was wrong.
    ::testing::AssertionResult UpkeepPlacesFrameBelow(HWND window)
    {
        ::testing::AssertionResult last = ::testing::AssertionFailure();
        PumpUntil([&] { return (last = FrameIsPlacedBelow(Frame(), window)); }, 3000);
        return last;
    }
    bool FrameAlive() const { return ::IsWindow(m_frameHandle) != FALSE; }

    CTabWndHandler* m_frame = nullptr;
    HWND m_frameHandle = NULL;
};
