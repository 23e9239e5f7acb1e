#include "PickerTestSupport.h"
#include "BoxCatcher.h"
#include "Fixture.h"
#include "MessageRecorder.h"
#include "Pump.h"
#include "QuorTabNames.h"
#include "resource.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

bool Contains(const std::vector<HWND>& windows, HWND window)
{
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

enum FixtureWindow { kAlpha, kBravo, kTool, kHidden, kLong, kCharlie };

class AddWindowDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_fixture = new CFixtureProcess({"title=Pick Alpha;x=40;y=40", "title=Pick Bravo;x=80;y=80",
                                         "title=Pick Tool;exstyle=0x80", "title=Pick Hidden;visible=0",
                                         "title=" + LongTitle(), "title=Pick Charlie;x=120;y=120"});
    }
    static void TearDownTestSuite()
    {
        delete s_fixture;
        s_fixture = NULL;
    }
    void SetUp() override { ASSERT_EQ(6u, s_fixture->WindowCount()); }
    void TearDown() override { EXPECT_TRUE(m_boxes.Boxes().empty()) << m_boxes.Boxes()[0].text; }

    static HWND Window(FixtureWindow which) { return s_fixture->Window(which); }

    static CFixtureProcess* s_fixture;
    CBoxCatcher m_boxes;
};

CFixtureProcess* AddWindowDlgTest::s_fixture = NULL;

}  // namespace

TEST_F(AddWindowDlgTest, ListsTheEligibleWindowsInWalkOrderLeavingOutTheExcludedOne)
{
    const HWND excluded = Window(kBravo);
    CAddWindowDlg picker(excluded);
    std::vector<ListedWindow> listed;
    std::vector<HWND> expected;
    const DriveOutcome outcome = DrivePicker(picker, {
        Once([&](HWND dialog) {
            listed = ListedWindows(dialog);
            // The dialog itself is eligible by now, but was not yet visible when the list was made.
            for (HWND window : RawWalk())
                if (window != excluded && window != dialog && IsEligibleWindow(window))
                    expected.push_back(window);
        }),
        ClickButton(IDCANCEL)});
    ASSERT_EQ(2u, outcome.stepsDone);
    EXPECT_EQ(0, outcome.result);

    std::vector<HWND> handles;
    for (const ListedWindow& item : listed) {
        handles.push_back(item.window);
        EXPECT_EQ(WindowTitle(item.window).substr(0, quortab::kTitleLimit), item.text);
    }
    EXPECT_EQ(expected, handles);
    EXPECT_TRUE(Contains(handles, Window(kAlpha)));
    EXPECT_TRUE(Contains(handles, Window(kCharlie)));
    EXPECT_TRUE(Contains(handles, Window(kLong)));
    EXPECT_FALSE(Contains(handles, excluded)) << "visible and captioned, but excluded";
    EXPECT_FALSE(Contains(handles, Window(kTool)));
    EXPECT_FALSE(Contains(handles, Window(kHidden)));
}

TEST_F(AddWindowDlgTest, WithNothingExcludedListsEveryEligibleWindow)
{
    CAddWindowDlg picker(NULL);
    std::vector<HWND> handles;
    const DriveOutcome outcome = DrivePicker(picker, {
        Once([&](HWND dialog) { handles = PickerWindows(dialog); }), ClickButton(IDCANCEL)});
    ASSERT_EQ(2u, outcome.stepsDone);
    for (FixtureWindow which : {kAlpha, kBravo, kLong, kCharlie})
        EXPECT_TRUE(Contains(handles, Window(which))) << WindowTitle(Window(which));
}

TEST_F(AddWindowDlgTest, LongTitleIsListedWithItsFirst1023Characters)
{
    ASSERT_EQ(kLongTitleChars, ::GetWindowTextLengthA(Window(kLong)));
    CAddWindowDlg picker(NULL);
    std::string text;
    DrivePicker(picker, {Once([&](HWND dialog) {
                             const int item = ItemOf(dialog, Window(kLong));
                             if (item >= 0)
                                 text = ListedWindows(dialog)[item].text;
                         }),
                         ClickButton(IDCANCEL)});
    EXPECT_EQ(LongTitle().substr(0, quortab::kTitleLimit), text);
}

TEST_F(AddWindowDlgTest, OpensWithFocusOnOKAndNothingSelectedSoOKAndEnterDoNothing)
{
    CAddWindowDlg picker(NULL);
    CMessageRecorder recorder;
    picker.AddHook(&recorder);
    auto stillOpen = [&](HWND dialog) {
        EXPECT_TRUE(::IsWindowVisible(dialog));
        EXPECT_EQ(dialog, picker.GetHandle()) << "still bound, not destroyed";
    };
    auto sawOK = [&] {
        for (const RecordedMessage& seen : recorder.Before())
            if (seen.message == WM_COMMAND && LOWORD(seen.wParam) == IDOK)
                return true;
        return false;
    };
    const DriveOutcome outcome = DrivePicker(picker, {
        Once([&](HWND dialog) {
            EXPECT_EQ(::GetDlgItem(dialog, IDOK), ::GetFocus());
            EXPECT_EQ(LB_ERR, ::SendMessageA(ListBoxOf(dialog), LB_GETCURSEL, 0, 0));
            EXPECT_GT(::SendMessageA(ListBoxOf(dialog), LB_GETCOUNT, 0, 0), 0);
            EXPECT_TRUE(::GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
            ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            EXPECT_TRUE(sawOK()) << "the click reached the dialog";
            stillOpen(dialog);
            recorder.Clear();
        }),
        PressKey(VK_RETURN),
        Once([&](HWND dialog) {
            EXPECT_TRUE(sawOK()) << "Enter became IDOK";
            stillOpen(dialog);
        }),
        ClickButton(IDCANCEL)});
    EXPECT_EQ(4u, outcome.stepsDone);
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(nullptr, picker.GetChosenWindow());
}

TEST_F(AddWindowDlgTest, SingleClickOnlySelectsButDoubleClickChoosesTheWindow)
{
    CAddWindowDlg picker(NULL);
    const DriveOutcome outcome = DrivePicker(picker, {
        ClickItemOf(Window(kAlpha)),
        Once([&](HWND dialog) {
            EXPECT_TRUE(::IsWindowVisible(dialog)) << "a click alone does not end the dialog";
            EXPECT_EQ(ItemOf(dialog, Window(kAlpha)), ::SendMessageA(ListBoxOf(dialog), LB_GETCURSEL, 0, 0));
        }),
        DoubleClickItemOf(Window(kCharlie))});
    EXPECT_EQ(3u, outcome.stepsDone);
    EXPECT_FALSE(outcome.timedOut);
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ(Window(kCharlie), picker.GetChosenWindow());
}

TEST_F(AddWindowDlgTest, SelectionConfirmedWithOKOrEnterIsChosen)
{
    {
        CAddWindowDlg picker(NULL);
        const DriveOutcome outcome =
            DrivePicker(picker, {SelectItemOf(Window(kAlpha)), ClickButton(IDOK)});
        EXPECT_EQ(1, outcome.result);
        EXPECT_EQ(Window(kAlpha), picker.GetChosenWindow());
    }
    {
        CAddWindowDlg picker(NULL);
        const DriveOutcome outcome =
            DrivePicker(picker, {SelectItemOf(Window(kLong)), PressKey(VK_RETURN)});
        EXPECT_EQ(1, outcome.result);
        EXPECT_EQ(Window(kLong), picker.GetChosenWindow());
    }
}

TEST_F(AddWindowDlgTest, CancelEscapeAndTheCloseBoxEndWithNothingChosen)
{
    const struct {
        const char* how;
        DialogStep step;
    } ways[] = {{"Cancel", ClickButton(IDCANCEL)}, {"Escape", PressKey(VK_ESCAPE)}, {"close box", CloseBox()}};
    for (const auto& way : ways) {
        CAddWindowDlg picker(NULL);
        const DriveOutcome outcome = DrivePicker(picker, {SelectItemOf(Window(kAlpha)), way.step});
        EXPECT_FALSE(outcome.timedOut) << way.how;
        EXPECT_EQ(0, outcome.result) << way.how;
        EXPECT_EQ(nullptr, picker.GetChosenWindow()) << way.how;
    }
}

TEST(AddWindowDlg, WindowThatClosesWhileTheDialogIsOpenKeepsItsItemAndCanBeChosen)
{
    CBoxCatcher boxes;
    CFixtureProcess fixture({"title=Doomed", "title=Survivor"});
    const HWND doomed = fixture.Window(0);
    ASSERT_TRUE(doomed);
    CAddWindowDlg picker(NULL);
    size_t countBefore = 0;
    const DriveOutcome outcome = DrivePicker(picker, {
        Once([&](HWND dialog) {
            countBefore = ListedWindows(dialog).size();
            EXPECT_GE(ItemOf(dialog, doomed), 0);
            ::PostMessageA(doomed, WM_CLOSE, 0, 0);
        }),
        [&](HWND) { return !::IsWindow(doomed); },
        Once([&](HWND dialog) {
            EXPECT_EQ(countBefore, ListedWindows(dialog).size());
            const int item = ItemOf(dialog, doomed);
            ASSERT_GE(item, 0);
            EXPECT_EQ("Doomed", ListedWindows(dialog)[item].text);
            // Drawn again with its stored title and no icon, without complaint.
            ::InvalidateRect(ListBoxOf(dialog), NULL, TRUE);
            ::UpdateWindow(ListBoxOf(dialog));
        }),
        SelectItemOf(doomed),
        ClickButton(IDOK)});
    EXPECT_EQ(5u, outcome.stepsDone);
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ(doomed, picker.GetChosenWindow());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(AddWindowDlg, MissingTemplateMakesDoModalReturnMinusOne)
{
    // A module without dialog resources.
    CAddWindowDlg picker(NULL);
    EXPECT_EQ(-1, picker.DoModal(NULL, ::GetModuleHandleA("ntdll.dll")));
    EXPECT_EQ(nullptr, picker.GetChosenWindow());
}

TEST(AddWindowDlg, MeasureItemGivesTheTextHeightOfTheListBoxWindowDC)
{
    HDC screen = ::GetDC(NULL);
    HGDIOBJ old = ::SelectObject(screen, ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA system = {};
    ::GetTextMetricsA(screen, &system);
    ::SelectObject(screen, old);
    ::ReleaseDC(NULL, screen);

    CAddWindowDlg picker(NULL);
    MEASUREITEMSTRUCT measure = {ODT_LISTBOX, IDC_WINDOW_LIST, 0, 0, 0, 0};
    DrivePicker(picker, {Once([&](HWND dialog) {
                             ::SendMessageA(dialog, WM_MEASUREITEM, IDC_WINDOW_LIST,
                                            reinterpret_cast<LPARAM>(&measure));
                         }),
                         ClickButton(IDCANCEL)});
    EXPECT_EQ(static_cast<UINT>(system.tmHeight), measure.itemHeight)
        << "a window DC carries the system font";
}
