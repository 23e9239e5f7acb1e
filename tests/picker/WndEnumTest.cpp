#include "WndEnum.h"
#include "PickerTestSupport.h"
#include "Fixture.h"
#include "Pump.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct EligibilityCase {
    const char* request;
    bool eligible;
};

// Window indices in the `owner=` fields refer to earlier entries of this table.
const EligibilityCase kEligibilityCases[] = {
    {"title=Overlapped", true},
    {"title=Border only;style=0x80800000", false},         // WS_POPUP | WS_BORDER
    {"title=Dialog frame only;style=0x80400000", false},   // WS_POPUP | WS_DLGFRAME
    {"title=Popup with caption;style=0x80C00000", true},   // both bits of WS_CAPTION
    {"title=Tool window;exstyle=0x80", false},
    {"title=Tool and app window;exstyle=0x40080", false},  // WS_EX_APPWINDOW does not rescue it
    {"title=App window;exstyle=0x40000", true},
    {"title=Invisible;visible=0", false},
    {"title=Owned by hidden;owner=7", true},
    {"title=Visible owner", true},
    {"title=Owned by visible;owner=9", false},
    {"title=", true},                                      // an empty title is no reason
    {"title=Disabled;style=0x08CF0000", true},             // WS_DISABLED | WS_OVERLAPPEDWINDOW
};

// Records what it visits; stops after `stopAt` windows, leaving `lastError` behind.
class CRecordingVisitor : public CWndEnumerator {
public:
    explicit CRecordingVisitor(size_t stopAt = SIZE_MAX, DWORD lastError = 0)
        : m_stopAt(stopAt), m_lastError(lastError) {}
    bool OnWindow(CWndProxy& window) override
    {
        seen.push_back(window.GetHandle());
        if (seen.size() < m_stopAt)
            return true;
        ::SetLastError(m_lastError);
        return false;
    }
    std::vector<HWND> seen;

private:
    size_t m_stopAt;
    DWORD m_lastError;
};

// Hidden windows of this thread, so that a walk always has a few windows to visit.
class CSpareWindows {
public:
    CSpareWindows()
    {
        for (HWND& window : m_windows)
            window = ::CreateWindowExA(0, "STATIC", "spare", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    }
    ~CSpareWindows()
    {
        for (HWND window : m_windows)
            ::DestroyWindow(window);
    }

private:
    HWND m_windows[3];
};

}  // namespace

TEST(Eligibility, EachRuleDecidesOnItsOwn)
{
    std::vector<std::string> specs;
    for (const EligibilityCase& test : kEligibilityCases)
        specs.push_back(test.request);
    CFixtureProcess fixture(specs);
    ASSERT_EQ(specs.size(), fixture.WindowCount());

    for (size_t i = 0; i < specs.size(); ++i) {
        const HWND window = fixture.Window(i);
        ASSERT_TRUE(window) << specs[i];
        EXPECT_EQ(kEligibilityCases[i].eligible, IsEligibleWindow(window)) << specs[i];
    }

    // The windows are what their specs say, so each verdict above rests on the rule it names.
    auto caption = [&](size_t i) { return ::GetWindowLongPtrA(fixture.Window(i), GWL_STYLE) & WS_CAPTION; };
    EXPECT_EQ(WS_BORDER, caption(1));
    EXPECT_EQ(WS_DLGFRAME, caption(2));
    EXPECT_EQ(WS_CAPTION, caption(3));
    EXPECT_EQ(WS_EX_TOOLWINDOW | WS_EX_APPWINDOW,
              ::GetWindowLongPtrA(fixture.Window(5), GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW));
    EXPECT_EQ(fixture.Window(7), ::GetWindow(fixture.Window(8), GW_OWNER));
    EXPECT_FALSE(::IsWindowVisible(fixture.Window(7)));
    EXPECT_EQ(fixture.Window(9), ::GetWindow(fixture.Window(10), GW_OWNER));
    EXPECT_TRUE(::IsWindowVisible(fixture.Window(10)));
    EXPECT_EQ("", WindowTitle(fixture.Window(11)));
    EXPECT_FALSE(::IsWindowEnabled(fixture.Window(12)));
}

TEST(Eligibility, OwnedWindowFollowsItsOwnersVisibility)
{
    CFixtureProcess fixture({"title=Owner", "title=Owned;owner=0"});
    const HWND owner = fixture.Window(0);
    const HWND owned = fixture.Window(1);
    ASSERT_TRUE(owner && owned);
    EXPECT_FALSE(IsEligibleWindow(owned));

    ::ShowWindowAsync(owner, SW_HIDE);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(owner); }));
    EXPECT_TRUE(IsEligibleWindow(owned));
}

TEST(Eligibility, DestroyedWindowIsNotEligible)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "gone", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100,
                                    100, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(IsEligibleWindow(window));
    ::DestroyWindow(window);
    EXPECT_FALSE(IsEligibleWindow(window));
}

TEST(WindowWalk, VisitsEveryTopLevelWindowInEnumWindowsOrder)
{
    CSpareWindows spare;
    CRecordingVisitor visitor;
    EXPECT_NO_THROW(EnumTopLevelWindows(visitor));
    EXPECT_EQ(RawWalk(), visitor.seen);
}

// Listed the cheap way: another process's windows, hidden ones too, in the walk's order; beside
// them only message-only windows, which Wine lists and no one can pick.
TEST(WindowWalk, ListingHasTheWalksWindowsInItsOrder)
{
    CSpareWindows spare;
    CFixtureProcess fixture({"title=Listed shown", "title=Listed hidden;visible=0"});
    ASSERT_EQ(2u, fixture.WindowCount());
    std::vector<HWND> before, listed, after;
    // Another process may make a window meanwhile: the desktop must stand still across the listing.
    for (int tries = 0; tries < 5 && (before.empty() || before != after); ++tries) {
        before = RawWalk();
        listed = ListTopLevelWindows();
        after = RawWalk();
    }
    ASSERT_EQ(before, after);
    const HWND probe = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    ASSERT_TRUE(probe);
    const HWND messageRoot = ::GetAncestor(probe, GA_PARENT);
    ::DestroyWindow(probe);
    std::vector<HWND> topLevel;
    for (HWND window : listed) {
        const HWND parent = ::GetAncestor(window, GA_PARENT);
        if (parent == ::GetDesktopWindow())
            topLevel.push_back(window);
        else if (::IsWindow(window)) {
            EXPECT_EQ(messageRoot, parent) << "listed, neither top-level nor message-only";
        }
    }
    EXPECT_EQ(before, topLevel);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), fixture.Window(i)));
}

TEST(WindowWalk, VisitorThatStopsAtTheThirdWindowIsCalledThreeTimes)
{
    CSpareWindows spare;
    const std::vector<HWND> all = RawWalk();
    ASSERT_GT(all.size(), 3u);
    CRecordingVisitor visitor(3);
    EXPECT_NO_THROW(EnumTopLevelWindows(visitor));
    EXPECT_EQ(std::vector<HWND>(all.begin(), all.begin() + 3), visitor.seen);
}

TEST(WindowWalk, StopWithFileNotFoundLeftBehindIsNoError)
{
    CSpareWindows spare;
    CRecordingVisitor visitor(2, ERROR_FILE_NOT_FOUND);
    EXPECT_NO_THROW(EnumTopLevelWindows(visitor));
    EXPECT_EQ(2u, visitor.seen.size());
}

TEST(WindowWalk, StopWithAnyOtherErrorLeftBehindThrowsWindowsError)
{
    CSpareWindows spare;
    CRecordingVisitor visitor(2, ERROR_ACCESS_DENIED);
    try {
        EnumTopLevelWindows(visitor);
        FAIL() << "a failed walk must throw";
    } catch (const CWindowsError& error) {
        EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), error.GetCode());
        EXPECT_EQ("Windows Error : ", error.GetText());
    }
    EXPECT_EQ(2u, visitor.seen.size());
}

TEST(WindowWalk, VisitorExceptionEndsTheWalkAndComesOutOfIt)
{
    CSpareWindows spare;
    struct CThrowingVisitor : CWndEnumerator {
        int calls = 0;
        bool OnWindow(CWndProxy&) override
        {
            if (++calls == 2)
                throw std::runtime_error("visitor failed");
            return true;
        }
    } visitor;
    EXPECT_THROW(EnumTopLevelWindows(visitor), std::runtime_error);
    EXPECT_EQ(2, visitor.calls);
    // Nothing of that failure lingers into the next walk.
    CRecordingVisitor next;
    EXPECT_NO_THROW(EnumTopLevelWindows(next));
    EXPECT_FALSE(next.seen.empty());
}

TEST(WindowWalk, EnumWndProcHandsTheVisitorTheWindowAndItsAnswer)
{
    CRecordingVisitor goOn;
    EXPECT_EQ(TRUE, EnumWndProc(::GetDesktopWindow(), reinterpret_cast<LPARAM>(&goOn)));
    CRecordingVisitor stop(1);
    EXPECT_EQ(FALSE, EnumWndProc(NULL, reinterpret_cast<LPARAM>(&stop)));
    EXPECT_EQ(std::vector<HWND>{::GetDesktopWindow()}, goOn.seen);
    EXPECT_EQ(std::vector<HWND>{HWND(NULL)}, stop.seen);
}
