// The strip's icons on a bare tab control, its parent taking the answers as the frame does.
#include "TabIcons.h"
#include "Canvas.h"
#include "IconWindows.h"
#include "Pump.h"
#include <gtest/gtest.h>

namespace {
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 160, 0), kBlue = RGB(0, 0, 255);

class TabIcons : public ::testing::Test {
protected:
    TabIcons()
        : windows({{IconReply::Small2, false, false}, {IconReply::Small, false, false}, {IconReply::Big, false, false}}),
          parent(kIconAnswer, [this](WPARAM w, LPARAM l) { icons.OnAnswer(w, l); }),
          strip(::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH | TCS_BOTTOM,
                                  0, 0, 400, 60, parent.Handle(), NULL, NULL, NULL)),
          icons(strip, group) {}

    // Tabs for the windows, in order, as the frame inserts them.
    void Insert(std::initializer_list<size_t> which)
    {
        for (size_t i : which) {
            strip.InsertItem(strip.GetItemCount(), "tab", windows.Window(i));
            group.Insert(windows.Window(i), "tab");
            icons.Add(windows.Window(i));
        }
    }
    // The colour in the middle of the tab's image, or white for none.
    HIMAGELIST Images() const { return reinterpret_cast<HIMAGELIST>(strip.SendMessage(TCM_GETIMAGELIST, 0, 0)); }
    int IconSize() const
    {
        int width = 0, height = 0;
        ::ImageList_GetIconSize(Images(), &width, &height);
        return width;
    }
    COLORREF ColourOf(int tab) const
    {
        const HIMAGELIST images = Images();
        const int size = IconSize();
        CCanvas canvas(size, size);
        const RECT all = {0, 0, size, size};
        ::FillRect(canvas.DC(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::ImageList_Draw(images, strip.GetItemImage(tab), canvas.DC(), 0, 0, ILD_NORMAL);
        return canvas.At(size / 2, size / 2);
    }
    bool Answered(std::initializer_list<COLORREF> colours) const
    {
        int tab = 0;
        for (COLORREF colour : colours)
            if (ColourOf(tab++) != colour)
                return false;
        return true;
    }

    CIconWindows windows;
    CAnswerWindow parent;
    CTabCtrlProxy strip;
    CTabGroup group;
    CTabIcons icons;
};
}  // namespace

TEST_F(TabIcons, EachTabKeepsItsWindowsIconThroughRetitlesRemovalsMovesAndDpis)
{
    ASSERT_TRUE(windows.Ready());
    icons.FitToDpi(96);
    Insert({0, 1, 2});
    EXPECT_EQ(16, IconSize());
    ASSERT_TRUE(PumpUntil([&] { return Answered({kRed, kGreen, kBlue}); })) << "each window's answer replaces its first icon";

    strip.SetItemText(0, "new title");
    icons.Ask(windows.Window(0));
    EXPECT_TRUE(PumpUntil([&] { return windows.Queries(0) == 2; })) << "a new title: the window is asked again";
    EXPECT_EQ(kRed, ColourOf(0)) << "a new text keeps the image";

    // The middle tab goes: its image with it, the others keep theirs.
    icons.Remove(windows.Window(1));
    group.Remove(1);
    strip.DeleteItem(1);
    EXPECT_TRUE(Answered({kRed, kBlue}));
    EXPECT_EQ(2, ::ImageList_GetImageCount(Images()));

    // Another DPI: the images are made again at its small-icon size, the same in the same order.
    icons.FitToDpi(144);
    EXPECT_EQ(24, IconSize());
    EXPECT_TRUE(Answered({kRed, kBlue}));

    // The first tab moves behind the other, as a drag would move it.
    group.Move(0, 1);
    strip.DeleteItem(0);
    strip.InsertItem(1, "tab", windows.Window(0));
    icons.Sync();
    EXPECT_TRUE(Answered({kBlue, kRed}));

    // A late answer for a window whose tab has gone changes nothing.
    icons.Remove(windows.Window(2));
    group.Remove(0);
    strip.DeleteItem(0);
    icons.OnAnswer(reinterpret_cast<WPARAM>(windows.Window(2)), reinterpret_cast<LPARAM>(windows.Icon(kRoleBig)));
    EXPECT_TRUE(Answered({kRed}));
    EXPECT_EQ(0, strip.GetItemImage(0));
    icons.Release();
    EXPECT_EQ(nullptr, Images());
}
