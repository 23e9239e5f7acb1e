// QuorTab.exe as Windows users run it: on common controls 6 by its manifest, and at the DPI of
// the screen. Wine gives every program the DPI in the registry value LogPixels when it starts
// (one DPI for every monitor, every program aware of it), so a test sets it before starting
// QuorTab and the fixture, and puts the old value back afterwards.
#include "Fixture.h"
#include "FrameGeometry.h"
#include "PickerDriver.h"
#include "Pump.h"
#include "QuorTabProcess.h"
#include <psapi.h>
#include <algorithm>
#include <cctype>

namespace {

// The DPI of every program started while this object lives.
class CScreenDpi {
public:
    explicit CScreenDpi(DWORD dpi) : m_key(NULL), m_saved(0), m_had(false)
    {
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, NULL, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                              NULL, &m_key, NULL) != ERROR_SUCCESS)
            return;
        DWORD size = sizeof m_saved;
        m_had = ::RegQueryValueExA(m_key, kValue, NULL, NULL, reinterpret_cast<BYTE*>(&m_saved), &size) == ERROR_SUCCESS;
        ::RegSetValueExA(m_key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~CScreenDpi()
    {
        if (!m_key)
            return;
        if (m_had)
            ::RegSetValueExA(m_key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&m_saved), sizeof m_saved);
        else
            ::RegDeleteValueA(m_key, kValue);
        ::RegCloseKey(m_key);
    }

private:
    static constexpr const char* kValue = "LogPixels";
    HKEY m_key;
    DWORD m_saved;
    bool m_had;
};

// The height of a line of the stock GUI font as a program at `dpi` gets it.
int TextHeightAt(UINT dpi)
{
    LOGFONTA stock = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
    stock.lfHeight = ::MulDiv(stock.lfHeight, static_cast<int>(dpi), static_cast<int>(GetSystemDpi()));
    const HFONT font = ::CreateFontIndirectA(&stock);
    const HDC dc = ::CreateCompatibleDC(NULL);
    const HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(font);
    return metrics.tmHeight;
}

int Height(const RECT& rect) { return rect.bottom - rect.top; }

std::vector<std::string> LoadedLibraries(HANDLE process)
{
    HMODULE modules[512];
    DWORD bytes = 0;
    std::vector<std::string> names;
    if (!::EnumProcessModules(process, modules, sizeof modules, &bytes))
        return names;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        char path[MAX_PATH] = "";
        ::GetModuleFileNameExA(process, modules[i], path, MAX_PATH);
        std::string name(path);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back(name);
    }
    return names;
}

}  // namespace

TEST(E2eNativeLook, QuorTabRunsOnCommonControls6AndNoOtherVersion)
{
    CQuorTab quortab;
    ASSERT_TRUE(quortab.WaitForPicker());
    int version6 = 0, others = 0;
    std::string seen;
    for (const std::string& library : LoadedLibraries(quortab.Handle())) {
        if (library.size() < 13 || library.compare(library.size() - 13, 13, "\\comctl32.dll") != 0)
            continue;
        seen += library + " ";
        (library.find("\\winsxs\\") != std::string::npos && library.find("common-controls") != std::string::npos ? version6 : others)++;
    }
    EXPECT_EQ(1, version6) << seen;
    EXPECT_EQ(0, others) << seen;
}

TEST(E2eScreenDpi, TabsTextPickerRowsAndTheStripFollowTheScreensDpi)
{
    ASSERT_EQ(96u, GetSystemDpi()) << "the suite's prefix runs at 96 DPI";
    const struct {
        DWORD dpi;
        int tabWidth;
    } cases[] = {{144, 150}, {96, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE("at " + std::to_string(c.dpi) + " DPI");
        CScreenDpi screen(c.dpi);
        CFixtureProcess apps({"title=Grouped at any DPI;x=150;y=100;w=520;h=330"});
        const HWND window = apps.Window(0);
        ASSERT_TRUE(window);
        CQuorTab quortab;
        const HWND picker = quortab.WaitForPicker();
        ASSERT_TRUE(picker) << quortab.Describe();

        // The picker's rows hold the small icon of this DPI.
        const std::vector<HWND> listed = PickerWindows(picker);
        const auto at = std::find(listed.begin(), listed.end(), window);
        ASSERT_TRUE(at != listed.end());
        const RECT row = PickerItemOnScreen(picker, static_cast<int>(at - listed.begin()));
        EXPECT_GE(Height(row), GetSystemMetricForDpi(SM_CYSMICON, c.dpi)) << Describe(row);

        ASSERT_TRUE(PickWithMouse(picker, window));
        const HWND frame = quortab.WaitForFrame();
        ASSERT_TRUE(frame) << quortab.Describe();
        ::testing::AssertionResult placed = ::testing::AssertionFailure();
        Eventually([&] { return (placed = FrameIsPlacedBelow(frame, window, c.dpi)); });
        EXPECT_TRUE(placed) << "exactly under the window, at its width, as tall as the row at this DPI";

        const RECT tab = quortab.TabOnScreen(0);
        EXPECT_EQ(c.tabWidth, tab.right - tab.left) << Describe(tab);
        // What the frame shows of the tab holds a line of its text.
        const RECT client = ClientRectOnScreen(frame);
        const int shown = std::min(tab.bottom, client.bottom) - std::max(tab.top, client.top);
        EXPECT_GE(shown, TextHeightAt(c.dpi)) << "tab " << Describe(tab) << " in " << Describe(client);
    }
}

// Why every program of the tests is DPI aware: at 144 DPI a program that is not sees and takes
// coordinates scaled down by the system, so its numbers are not QuorTab's pixels.
TEST(E2eScreenDpi, AProgramThatIsNotDpiAwareSeesScaledCoordinates)
{
    CScreenDpi screen(144);
    CFixtureProcess unaware({FIXTURE_DPI_UNAWARE, "title=Unaware;x=100;y=100;w=400;h=300;visible=0"});
    const HWND window = unaware.Window(0);
    ASSERT_TRUE(window);
    ::ShowWindow(window, SW_SHOWNA);
    const RECT own = {100, 100, 500, 400}, real = {150, 150, 750, 600};
    EXPECT_TRUE(Eventually([&] { return SameRect(own, ShownAt(window)); })) << Describe(ShownAt(window));
    EXPECT_TRUE(Eventually([&] { return SameRect(real, WindowRect(window)); })) << Describe(WindowRect(window));
}
