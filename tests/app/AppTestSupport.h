#pragma once
#include "TabWnd.h"
#include "FrameGeometry.h"
#include "ImportPatch.h"
#include "PickerDriver.h"
#include "Pump.h"
#include "QuorTabNames.h"
#include "WindowGroup.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Three windows of our fixture, titled One, Two and Three, each on a rectangle of its own.
extern const std::vector<std::string> kThreeWindows;

inline int TabCount(HWND tab) { return static_cast<int>(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)); }
inline int CurSel(HWND tab) { return static_cast<int>(::SendMessageA(tab, TCM_GETCURSEL, 0, 0)); }

inline std::string TabText(HWND tab, int index)
{
    char text[quortab::kTextChars] = "";
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
    const POINT centre = Centre(TabItemRect(tab, index));
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    ::SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(tab, WM_LBUTTONUP, 0, at);
}

// The same, returning once the grouped windows have followed.
inline void ClickTab(HWND tab, int index)
{
    PressTab(tab, index);
    CatchUpTabs(tab);
}

// A frame started while this lives gets no window event, as on a platform that sends none: its
// hook is refused.
class CNoWindowEvents {
public:
    CNoWindowEvents() : m_patch("user32.dll", "SetWinEventHook", reinterpret_cast<const void*>(Refuse)) {}
    bool Patched() const { return m_patch.Patched(); }

private:
    static HWINEVENTHOOK WINAPI Refuse(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD) { return NULL; }
    CImportPatch m_patch;
};

// The frame of this test process, grouping windows of other applications.
class TabGroupTest : public WindowGroupTest {
protected:
    void SetUp() override;
    // Ends the applications, then the frame, if it is still there.
    void TearDown() override;
    // Creates the frame with `first` chosen in its picker.
    CTabWndHandler* Start(HWND first);
    // The Add Window command, answering its picker with `window`.
    void Add(HWND window);
    // Starts the applications of kThreeWindows, creates the frame with One picked and adds the
    // next windows until `count` are grouped; One stays selected.
    ::testing::AssertionResult GroupOf(size_t count);
    HWND Tab() const { return m_frame->GetTabControl(); }
    HWND Frame() const { return m_frame->GetHandle(); }
    // Lets the upkeep, every kUpkeepMs, run until `done` holds.
    bool UpkeepUntil(const std::function<bool()>& done) { return PumpUntil(done, 3000); }
    // The same for the frame's place, with the last reason it was wrong.
    ::testing::AssertionResult UpkeepPlacesFrameBelow(HWND window)
    {
        ::testing::AssertionResult last = ::testing::AssertionFailure();
        PumpUntil([&] { return (last = FrameIsPlacedBelow(Frame(), window)); }, 3000);
        return last;
    }
    bool FrameAlive() const { return ::IsWindow(m_frameHandle) != FALSE; }
    // The end of the frame as the program sees it: no framework object left, and a quit message
    // with exit code 0 posted (it is taken).
    ::testing::AssertionResult EndedWithZero() const;

    CTabWndHandler* m_frame = nullptr;
    HWND m_frameHandle = NULL;
};
