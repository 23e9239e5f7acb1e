// What the frame relies on in the platform's tab control, checked on the control itself.
#include "AppTestSupport.h"
#include "MessageRecorder.h"

namespace {
// A parent that logs the notifications its tab control sends it.
struct NotifyLog {
    std::vector<UINT> codes;
    std::vector<HWND> senders;
};
NotifyLog* g_log = nullptr;
// Answers TCN_SELCHANGING with TRUE, as the frame does: the control may not choose.
bool g_refuse = false;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && g_log) {
        const NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        g_log->codes.push_back(header->code);
        g_log->senders.push_back(header->hwndFrom);
        if (g_refuse && header->code == static_cast<UINT>(TCN_SELCHANGING))
            return TRUE;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

class TabControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::InitCommonControls();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.lpszClassName = "TabControlTestParent";
        ::RegisterClassA(&wc);
        parent = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 100, NULL, NULL, NULL, NULL);
        tab = ::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | TCS_TOOLTIPS | TCS_FIXEDWIDTH | TCS_BOTTOM,
                                0, 0, 400, 100, parent, NULL, NULL, NULL);
        g_log = &log;
    }
    void TearDown() override
    {
        g_log = nullptr;
        g_refuse = false;
        ::DestroyWindow(parent);
    }
    void Insert(const char* text)
    {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text);
        ::SendMessageA(tab, TCM_INSERTITEMA, TabCount(tab), reinterpret_cast<LPARAM>(&item));
    }
    HWND parent = NULL, tab = NULL;
    NotifyLog log;
};
}  // namespace

TEST_F(TabControl, SelectsTheFirstTabInsertedIntoAnEmptyStripButNoLaterOne)
{
    EXPECT_EQ(-1, CurSel(tab));
    Insert("a");
    EXPECT_EQ(0, CurSel(tab));
    Insert("b");
    EXPECT_EQ(0, CurSel(tab));
}

TEST_F(TabControl, SetCurSelSendsNoNotification)
{
    Insert("a");
    Insert("b");
    log.codes.clear();
    ::SendMessageA(tab, TCM_SETCURSEL, 1, 0);
    EXPECT_EQ(1, CurSel(tab));
    EXPECT_TRUE(std::find(log.codes.begin(), log.codes.end(), static_cast<UINT>(TCN_SELCHANGE)) == log.codes.end());
    EXPECT_TRUE(std::find(log.codes.begin(), log.codes.end(), static_cast<UINT>(TCN_SELCHANGING)) == log.codes.end());
}

TEST_F(TabControl, PassesNotificationsSentToItOnToItsParent)
{
    Insert("a");
    log.codes.clear();
    NMHDR header = {tab, 0, static_cast<UINT>(TCN_SELCHANGING)};
    ::SendMessageA(tab, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    ASSERT_EQ(1u, log.codes.size());
    EXPECT_EQ(static_cast<UINT>(TCN_SELCHANGING), log.codes[0]);
    EXPECT_EQ(tab, log.senders[0]);
}

TEST_F(TabControl, AClickNotifiesSelChangingThenSelChangeFromTheControl)
{
    Insert("a");
    Insert("b");
    log.codes.clear();
    log.senders.clear();
    ClickTab(tab, 1);
    std::vector<UINT> selection;
    for (size_t i = 0; i < log.codes.size(); ++i)
        if (log.codes[i] == static_cast<UINT>(TCN_SELCHANGING) || log.codes[i] == static_cast<UINT>(TCN_SELCHANGE)) {
            selection.push_back(log.codes[i]);
            EXPECT_EQ(tab, log.senders[i]);
        }
    const std::vector<UINT> expected = {static_cast<UINT>(TCN_SELCHANGING), static_cast<UINT>(TCN_SELCHANGE)};
    EXPECT_EQ(expected, selection);
    EXPECT_EQ(1, CurSel(tab));
}

// The frame refuses the control's own choice and sets the selection the group chose. A refused
// click leaves the control's selection alone; a refused arrow key moves it all the same, only
// unannounced, which is why the frame takes the strip's arrows before the control sees them.
TEST_F(TabControl, ARefusedClickKeepsTheSelectionButARefusedArrowKeyMovesItUnannounced)
{
    Insert("a");
    Insert("b");
    g_refuse = true;
    log.codes.clear();
    ClickTab(tab, 1);
    EXPECT_EQ(0, CurSel(tab)) << "click";
    ::SendMessageA(tab, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(1, CurSel(tab)) << "arrow key";
    const auto count = [&](int code) { return std::count(log.codes.begin(), log.codes.end(), static_cast<UINT>(code)); };
    EXPECT_EQ(2, count(TCN_SELCHANGING)) << "each asked";
    EXPECT_EQ(1, count(TCN_KEYDOWN)) << "the key told first";
    EXPECT_EQ(0, count(TCN_SELCHANGE));
}

// This control registers no tooltip tool per tab, so the frame has to (see the tab group's
// tooltip tests); should that change, the frame's own tools must stand back.
TEST_F(TabControl, RegistersNoTooltipToolPerTab)
{
    HWND tips = reinterpret_cast<HWND>(::SendMessageA(tab, TCM_GETTOOLTIPS, 0, 0));
    ASSERT_TRUE(tips) << "TCS_TOOLTIPS gives the control a tooltip";
    Insert("a");
    Insert("b");
    EXPECT_EQ(0, ::SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
}
