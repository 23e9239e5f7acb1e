// Titles in every script on the tabs and in their tooltips. This test program carries QuorTab's
// manifest, and with it the UTF-8 code page, as QuorTab.exe does: a process's code page is fixed
// when it starts.
#include "TabTips.h"

namespace {

// Read with the wide message, so that no conversion of ours or the control's comes between.
std::wstring WideTabText(HWND tab, int index)
{
    wchar_t text[quortab::kTextChars] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = quortab::kTextChars;
    ::SendMessageW(tab, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

}  // namespace

// What the manifest asks of the platform: Wine, like Windows 10 1903 and later, makes the
// process's code page UTF-8.
TEST(ProcessCodePage, UnderTheManifestItIsUtf8)
{
    EXPECT_EQ(static_cast<UINT>(CP_UTF8), ::GetACP());
}

TEST_F(TabGroupTest, ATitleInSeveralScriptsShowsWholeOnItsTabAndInItsTooltip)
{
    CFixtureProcess apps({FixtureTitle16(kManyScripts) + ";x=100;y=80;w=500;h=300", "title=Latin;x=100;y=80;w=500;h=300"});
    ASSERT_TRUE(Start(apps.Window(0)));
    Add(apps.Window(1));
    EXPECT_EQ(kManyScripts, WideTabText(Tab(), 0));
    EXPECT_TRUE(HoverShowsTip(Tab(), 0, Utf8(kManyScripts)));
}

TEST_F(TabGroupTest, ATitleBeyondTheLimitIsCutOnACharacterBoundary)
{
    // An emoji whose first unit is the limit's last goes whole; three-byte characters up to the
    // limit fill the text buffer to its last byte.
    const std::wstring emojiAstride = std::wstring(quortab::kTitleLimit - 1, L'a') + L"\U0001F600 tail";
    const std::wstring threeBytes = std::wstring(quortab::kTitleLimit + 5, L'中');
    CFixtureProcess apps({FixtureTitle16(emojiAstride) + ";x=100;y=80;w=500;h=300",
                          FixtureTitle16(threeBytes) + ";x=100;y=80;w=500;h=300"});
    ASSERT_TRUE(Start(apps.Window(0)));
    Add(apps.Window(1));
    ASSERT_EQ(2, TabCount(Tab()));
    EXPECT_EQ(std::wstring(quortab::kTitleLimit - 1, L'a'), WideTabText(Tab(), 0));
    EXPECT_EQ(std::wstring(quortab::kTitleLimit, L'中'), WideTabText(Tab(), 1));
}
