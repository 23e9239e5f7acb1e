// The strip view as a table: the group's verbs in, the strip the user sees out, on a tab control
// of this process (no other program: the tabs' windows are stand-in handles, which have no icons).
#include "AppTestSupport.h"
#include "StripView.h"

namespace {

HWND Handle(int n) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1000 + n)); }

struct Shown : CTabGroupObserver {
    explicit Shown(CStripView& view) : view(view) {}
    void OnTabChanged(const CTabGroup&, const TabChange& change) override { view.Apply(change); }
    CStripView& view;
};

// The strip as a line: each tab's text, its window's stand-in number, the selected one starred.
std::string Describe(HWND tabs)
{
    std::string line;
    for (int i = 0; i < TabCount(tabs); ++i) {
        const INT_PTR window = reinterpret_cast<INT_PTR>(TabData(tabs, i)) - 0x1000;
        line += (i ? " " : "") + TabText(tabs, i) + "/" + std::to_string(window) + (i == CurSel(tabs) ? "*" : "");
    }
    return line;
}

class StripView : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::InitCommonControls();
        parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 500, 40, NULL, NULL, NULL, NULL);
        view.Create(parent, ::GetModuleHandleA(NULL), Input, 0);
        view.Fit(500, 40);
        group.SetObserver(&shown);
    }
    void TearDown() override
    {
        group.SetObserver(nullptr);
        view.Destroy(Input);
        ::DestroyWindow(parent);
    }
    static LRESULT CALLBACK Input(HWND strip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
    {
        return ::DefSubclassProc(strip, message, wParam, lParam);
    }
    HWND Tabs() const { return view.Control().GetHandle(); }

    HWND parent = NULL;
    CTabGroup group;
    CStripView view{group};
    Shown shown{view};
};

}  // namespace

TEST_F(StripView, ShowsEachVerbOfTheGroupAndNothingElse)
{
    struct Step { const char* name; std::function<void(CTabGroup&)> verb; const char* strip; };
    const Step steps[] = {
        {"first tab, selected", [](CTabGroup& g) { g.Insert(Handle(1), "one"); }, "one/1*"},
        {"appended", [](CTabGroup& g) { g.Insert(Handle(2), "two"); }, "one/1* two/2"},
        {"inserted first: the selection stays with its window",
         [](CTabGroup& g) { g.InsertAt(0, Handle(3), "three"); }, "three/3 one/1* two/2"},
        {"selected", [](CTabGroup& g) { g.Select(2); }, "three/3 one/1 two/2*"},
        {"next wraps around", [](CTabGroup& g) { g.SelectNext(+1); }, "three/3* one/1 two/2"},
        {"moved last", [](CTabGroup& g) { g.Move(0, 2); }, "one/1 two/2 three/3*"},
        {"retitled", [](CTabGroup& g) { g.Retitle(1, "deux"); }, "one/1 deux/2 three/3*"},
        {"the selected one removed: the new last one selected", [](CTabGroup& g) { g.Remove(2); },
         "one/1 deux/2*"},
        {"an unselected one removed", [](CTabGroup& g) { g.Remove(0); }, "deux/2*"},
        {"the last one removed", [](CTabGroup& g) { g.Remove(0); }, ""},
    };
    for (const Step& step : steps) {
        step.verb(group);
        EXPECT_EQ(step.strip, Describe(Tabs())) << step.name;
    }
}

TEST_F(StripView, TheTooltipShowsTheWholeTitleOfTheTabItNamesAndNothingForAStaleOne)
{
    const std::string longTitle(300, 'x');
    group.Insert(Handle(1), "one");
    group.Insert(Handle(2), longTitle);
    struct Row { UINT_PTR index; std::string text; };
    const Row rows[] = {{0, "one"}, {1, longTitle}, {2, ""}, {static_cast<UINT_PTR>(-1), ""}};
    for (const Row& row : rows) {
        NMTTDISPINFOA info = {};
        info.hdr.code = TTN_GETDISPINFOA;
        info.hdr.idFrom = row.index;
        view.FillTipText(&info.hdr);
        ASSERT_NE(nullptr, info.lpszText);
        EXPECT_EQ(row.text, info.lpszText) << "tab " << static_cast<INT_PTR>(row.index);
    }
}

TEST_F(StripView, TheRowIsMeasuredAgainAfterTheDpiChanged)
{
    group.Insert(Handle(1), "one");
    const int at96 = view.RowHeight();
    EXPECT_GT(at96, 0);
    view.FitToDpi(192);
    view.Fit(1000, 80);
    EXPECT_GT(view.RowHeight(), at96) << "a row at twice the DPI is taller";
    view.FitToDpi(96);
    view.Fit(500, 40);
    EXPECT_EQ(at96, view.RowHeight()) << "and back";
}
