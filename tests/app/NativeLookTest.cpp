// The program's manifest in both builds, and the frame's tab tooltips on the kinds of tab
// control this test program can have: Wine's common controls 5 (the program has no manifest)
// and one that keeps a tooltip tool per tab itself, as Windows' own does. Version 6 has a test
// program of its own (CommonControls6Test.cpp).
#include "TabTips.h"

namespace {

// Each build's QuorTab.exe: the 64-bit one beside this test, the 32-bit one in its own tree.
const char* const kBuilds[] = {"QuorTab.exe", "..\\..\\i686\\bin\\QuorTab.exe"};

std::string ManifestOf(const std::string& program)
{
    const HMODULE module = ::LoadLibraryExA(program.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return "";
    std::string text;
    const HRSRC found = ::FindResourceA(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    if (found)
        text.assign(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                    ::SizeofResource(module, found));
    ::FreeLibrary(module);
    return text;
}

// Whether the system makes an activation context of the program's manifest, as it does for
// the program's own process: the manifest is well formed and its dependencies are found.
bool MakesAContext(const std::string& program)
{
    ACTCTXA request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = program.c_str();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    const HANDLE context = ::CreateActCtxA(&request);
    if (context == INVALID_HANDLE_VALUE)
        return false;
    ::ReleaseActCtx(context);
    return true;
}

// A tab control that keeps a tooltip tool per tab itself, as Windows' own does: the platform's,
// subclassed as this thread makes it while this object lives. Its tools carry kMark.
class CSelfTippingTabs {
public:
    static const LPARAM kMark = 0x7AB5;
    CSelfTippingTabs() : m_hook(::SetWindowsHookExA(WH_CBT, CbtProc, NULL, ::GetCurrentThreadId())) {}
    ~CSelfTippingTabs() { ::UnhookWindowsHookEx(m_hook); }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
    {
        char cls[64] = "";
        if (code == HCBT_CREATEWND && ::GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls) &&
            lstrcmpiA(cls, WC_TABCONTROLA) == 0)
            s_platform = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(reinterpret_cast<HWND>(wParam), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabProc)));
        return ::CallNextHookEx(NULL, code, wParam, lParam);
    }
    static LRESULT CALLBACK TabProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const LRESULT result = ::CallWindowProcA(s_platform, tab, message, wParam, lParam);
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = tab;
        tool.uId = TabCount(tab);
        if (message == TCM_INSERTITEMA && result >= 0) {
            --tool.uId;
            tool.lpszText = LPSTR_TEXTCALLBACKA;
            tool.lParam = kMark;
            ::SendMessageA(tab, TCM_GETITEMRECT, tool.uId, reinterpret_cast<LPARAM>(&tool.rect));
            ::SendMessageA(TipsOf(tab), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        } else if (message == TCM_DELETEITEM && result) {
            ::SendMessageA(TipsOf(tab), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
        return result;
    }

    HHOOK m_hook;
    static WNDPROC s_platform;
};
WNDPROC CSelfTippingTabs::s_platform = NULL;

}  // namespace

TEST(Manifest, BothBuildsCarryItAndItAsksForCommonControls6DpiAwarenessUtf8AndNoElevation)
{
    for (const char* build : kBuilds) {
        SCOPED_TRACE(build);
        const std::string manifest = ManifestOf(ProgramPath(build));
        ASSERT_FALSE(manifest.empty()) << "no manifest resource in " << ProgramPath(build);
        // Wine acts on the first of these only (see CommonControls6Test.cpp).
        for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                                 ">true/pm</dpiAware>", ">PerMonitorV2, PerMonitor</dpiAwareness>",
                                 "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>",
                                 "level=\"asInvoker\" uiAccess=\"false\"",
                                 "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                                 "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
            EXPECT_NE(std::string::npos, manifest.find(part)) << part;
        EXPECT_TRUE(MakesAContext(ProgramPath(build))) << "error " << ::GetLastError();
    }
}

// Without a manifest, version 5 of Wine's common controls, which leaves the tooltip tools to
// the control's parent.
TEST(TabControlKinds, Version5RegistersNoTooltipToolPerTab)
{
    ::InitCommonControls();
    CLoneStrip strip;
    EXPECT_TRUE(IsCommonControls5(LibraryOf(strip.Tab()))) << LibraryOf(strip.Tab());
    ASSERT_TRUE(TipsOf(strip.Tab()));
    EXPECT_EQ(0, ToolCount(strip.Tab()));
}

TEST_F(TabGroupTest, OnAControlThatKeepsItsOwnTabToolsTheFrameAddsNoneAndRemovesNone)
{
    CFixtureProcess apps(kThreeWindows);
    CSelfTippingTabs selfTipping;
    ASSERT_TRUE(Start(apps.Window(0)));
    Add(apps.Window(1));
    Add(apps.Window(2));

    auto allTheControls = [&] {
        for (int i = 0; i < ToolCount(Tab()); ++i)
            if (Tool(Tab(), i).lParam != CSelfTippingTabs::kMark)
                return false;
        return true;
    };
    EXPECT_EQ(3, ToolCount(Tab()));
    EXPECT_TRUE(allTheControls());
    ::PostMessageA(apps.Window(0), WM_CLOSE, 0, 0);
    EXPECT_TRUE(UpkeepUntil([&] { return TabCount(Tab()) == 2; }));
    // A new DPI, with the resizing it brings, makes the frame look at its tools again.
    for (UINT dpi : {144u, 96u}) {
        RECT suggested = WindowRect(Frame());
        ::SendMessageA(Frame(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    EXPECT_EQ(2, ToolCount(Tab()));
    EXPECT_TRUE(allTheControls());
}

// Deleting a tooltip tool ends the tooltip's watch over the whole strip: the tools left must
// still show their titles.
TEST_F(TabGroupTest, AfterATabGoesHoveringTheOthersStillShowsTheirTitles)
{
    CFixtureProcess apps({"title=First;x=100;y=80;w=500;h=300", "title=Second;x=100;y=80;w=500;h=300",
                          "title=Third;x=100;y=80;w=500;h=300"});
    ASSERT_TRUE(Start(apps.Window(0)));
    Add(apps.Window(1));
    Add(apps.Window(2));
    ::PostMessageA(apps.Window(2), WM_CLOSE, 0, 0);
    ASSERT_TRUE(UpkeepUntil([&] { return TabCount(Tab()) == 2; }));
    EXPECT_EQ(2, ToolCount(Tab()));
    EXPECT_TRUE(HoverShowsTip(Tab(), 1, "Second"));
}
