// The About box: its texts from a module's version resource, what it shows, its links, its end.
#include "AboutDlg.h"
#include "BoxCatcher.h"
#include "DialogDriver.h"
#include "Fixture.h"
#include "ImportPatch.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {
const char kProduct[] = " QuorTab Application";
const char kVersion[] = "1, 0, 0, 1";
const char kWeb[] = "https://www.example.org/quortab/";
const char kMail[] = "mailto:quortab@example.org";

std::string SelfPath()
{
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, self, MAX_PATH);
    return self;
}

struct Texts {
    std::string version;
    std::string product;
};

// The buffers start as unterminated garbage, so whatever the read leaves behind shows.
Texts Read(const std::string& path)
{
    char version[kAboutTextSize];
    char product[kAboutTextSize];
    std::memset(version, '#', sizeof version);
    std::memset(product, '#', sizeof product);
    ReadVersionTexts(path.c_str(), version, product);
    return Texts{std::string(version, strnlen(version, sizeof version)),
                 std::string(product, strnlen(product, sizeof product))};
}

// The runs that tests/about/CMakeLists.txt writes into the long probe's values.
std::string Repeated(const std::string& pattern, size_t length)
{
    std::string run;
    while (run.size() < length)
        run += pattern;
    return run.substr(0, length);
}

class CLoadedModule {
public:
    explicit CLoadedModule(const char* fileName)
        : m_module(::LoadLibraryA(ProgramPath(fileName).c_str())) {}
    ~CLoadedModule() { if (m_module) ::FreeLibrary(m_module); }
    HINSTANCE Instance() const { return m_module; }
private:
    HMODULE m_module;
};

struct ShellCall {
    HWND owner;
    std::string verb;
    std::string file;
    bool parameters;
    bool directory;
    INT show;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                    LPCSTR directory, INT show)
{
    g_shellCalls.push_back(ShellCall{owner, verb ? verb : "<null>", file ? file : "<null>",
                                     parameters != NULL, directory != NULL, show});
    return reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC);  // as when nothing takes the address
}

HICON AppIcon()
{
    return ::LoadIconA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDI_APP));
}

HICON ShownIcon(HWND dialog)
{
    return reinterpret_cast<HICON>(::SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
}

// Opens the About box of `about` for the module and plays the steps against it.
DriveOutcome DriveAbout(CAboutDlg& about, HWND owner, HINSTANCE module, const std::vector<DialogStep>& steps)
{
    return DriveDialog(about, [&] { return about.DoModal(owner, module); }, steps);
}
}

TEST(AboutTexts, ProgramsOwnVersionResource)
{
    Texts texts = Read(SelfPath());
    EXPECT_EQ(kVersion, texts.version);
    EXPECT_EQ(kProduct, texts.product);
}

TEST(AboutTexts, NoVersionResourceGivesUnknownVersionAndEmptyProduct)
{
    for (const std::string& path : {ProgramPath(QUORTAB_FIXTURE_EXE), ProgramPath("NoSuchFile.exe")}) {
        SCOPED_TRACE(path);
        Texts texts = Read(path);
        EXPECT_EQ("Unknown", texts.version);
        EXPECT_EQ("", texts.product);
    }
}

TEST(AboutTexts, MissingValuesGiveUnknownVersionAndEmptyProduct)
{
    Texts partial = Read(ProgramPath("about_probe_partial.dll"));
    EXPECT_EQ("Unknown", partial.version) << "no FileVersion in the table";
    EXPECT_EQ("Probe Product", partial.product);

    // The values exist, but not in our table, and the translation entry is not followed.
    Texts other = Read(ProgramPath("about_probe_other_table.dll"));
    EXPECT_EQ("Unknown", other.version);
    EXPECT_EQ("", other.product);
}

TEST(AboutTexts, LongValuesAreCutToTheBufferAndTerminated)
{
    Texts texts = Read(ProgramPath("about_probe_long.dll"));
    EXPECT_EQ(Repeated("0123456789", kAboutTextSize - 1), texts.version)
        << "one character more than the buffer holds, cut by one";
    EXPECT_EQ(Repeated("abcdefghijklmnopqrstuvwxyz", kAboutTextSize - 1), texts.product)
        << "one character less fits whole";
}

TEST(AboutBox, ShowsIconProductAndVersionAndEndsWithClose)
{
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                                   NULL, NULL, NULL, NULL);
    ASSERT_TRUE(owner);
    HICON icon = AppIcon();
    ASSERT_TRUE(icon);
    CAboutDlg about(icon);
    const DriveOutcome outcome = DriveAbout(about, owner, ::GetModuleHandleA(NULL), {
        Once([&](HWND dialog) {
            EXPECT_EQ("About ", WindowTitle(dialog));
            EXPECT_EQ(owner, ::GetWindow(dialog, GW_OWNER));
            EXPECT_EQ(kProduct, ItemText(dialog, IDC_ABOUT_PRODUCT));
            EXPECT_EQ(kVersion, ItemText(dialog, IDC_ABOUT_VERSION));
            EXPECT_EQ(icon, ShownIcon(dialog));
            EXPECT_EQ(::GetDlgItem(dialog, IDCANCEL), ::GetFocus()) << "the first tab stop has the focus";
        }),
        ClickButton(IDCANCEL)});
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(2u, outcome.stepsDone);
    EXPECT_STREQ(kProduct, about.GetProductText());
    EXPECT_STREQ(kVersion, about.GetVersionText());
    EXPECT_TRUE(DlgHandlerMap.empty());
    EXPECT_FALSE(about.GetHandle());
    ::DestroyWindow(owner);
}

TEST(AboutBox, NullIconLeavesTheIconControlEmptyAndEscEnds)
{
    CAboutDlg about(NULL);
    const DriveOutcome outcome = DriveAbout(about, NULL, ::GetModuleHandleA(NULL), {
        Once([&](HWND dialog) {
            EXPECT_FALSE(ShownIcon(dialog));
            EXPECT_EQ(kProduct, ItemText(dialog, IDC_ABOUT_PRODUCT));
            EXPECT_EQ(kVersion, ItemText(dialog, IDC_ABOUT_VERSION));
        }),
        PressKey(VK_ESCAPE)});
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(2u, outcome.stepsDone);
}

TEST(AboutBox, LinksGoToTheShellAndTheBoxStaysOpen)
{
    CImportPatch patch("shell32.dll", "ShellExecuteA", reinterpret_cast<const void*>(RecordShellExecute));
    ASSERT_TRUE(patch.Patched()) << "no call may reach the real shell";
    g_shellCalls.clear();
    CBoxCatcher boxes;
    CAboutDlg about(AppIcon());
    const DriveOutcome outcome = DriveAbout(about, NULL, ::GetModuleHandleA(NULL), {
        ClickButton(IDC_ABOUT_WEB),
        ClickButton(IDC_ABOUT_MAIL),
        Once([&](HWND dialog) {
            ASSERT_EQ(2u, g_shellCalls.size());
            for (const ShellCall& call : g_shellCalls) {
                EXPECT_EQ(dialog, call.owner);
                EXPECT_EQ("open", call.verb);
                EXPECT_FALSE(call.parameters);
                EXPECT_FALSE(call.directory);
                EXPECT_EQ(SW_SHOW, call.show);
            }
            EXPECT_EQ(kWeb, g_shellCalls[0].file);
            EXPECT_EQ(kMail, g_shellCalls[1].file);

            // Neither a command without the clicked button nor another notification opens anything.
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_WEB, BN_CLICKED), 0);
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_MAIL, BN_DOUBLECLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_ABOUT_MAIL)));
            EXPECT_EQ(2u, g_shellCalls.size());

            EXPECT_TRUE(::IsWindowVisible(dialog)) << "a link click must not end the box";
            EXPECT_EQ(&about, CDlgHandler::FromHandle(dialog));
            EXPECT_TRUE(boxes.Boxes().empty()) << "the shell's failure is not reported";
        }),
        CloseBox()});
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(4u, outcome.stepsDone);
}

TEST(AboutBox, ReadsTheVersionResourceAtEveryOpening)
{
    CLoadedModule probe("about_probe_partial.dll");
    ASSERT_TRUE(probe.Instance());
    CAboutDlg about(NULL);
    struct Opening {
        HINSTANCE instance;
        const char* product;
        const char* version;
    } openings[] = {
        {probe.Instance(), "Probe Product", "Unknown"},
        {::GetModuleHandleA(NULL), kProduct, kVersion},
        {probe.Instance(), "Probe Product", "Unknown"},
    };
    for (const Opening& opening : openings) {
        SCOPED_TRACE(opening.product);
        const DriveOutcome outcome = DriveAbout(about, NULL, opening.instance, {
            Once([&](HWND dialog) {
                EXPECT_EQ(opening.product, ItemText(dialog, IDC_ABOUT_PRODUCT));
                EXPECT_EQ(opening.version, ItemText(dialog, IDC_ABOUT_VERSION));
            }),
            ClickButton(IDCANCEL)});
        EXPECT_EQ(0, outcome.result);
        EXPECT_EQ(2u, outcome.stepsDone);
    }
}

TEST(AboutBox, MissingControlIsReportedAndLeavesTheTemplateAsItWas)
{
    CLoadedModule probe("about_probe_other_table.dll");  // its template has no version control
    ASSERT_TRUE(probe.Instance());
    CBoxCatcher boxes;
    CAboutDlg about(AppIcon());
    const DriveOutcome outcome = DriveAbout(about, NULL, probe.Instance(), {
        Once([&](HWND dialog) {
            ASSERT_EQ(1u, boxes.Boxes().size());
            const CaughtBox& box = boxes.Boxes()[0];
            EXPECT_EQ(0u, box.text.find("CWndProxy::GetDlgItem ")) << box.text;
            EXPECT_EQ("About ", box.caption);
            EXPECT_FALSE(box.owner);
            EXPECT_TRUE(box.errorIcon);
            EXPECT_FALSE(ShownIcon(dialog)) << "nothing is set before every control is found";
            EXPECT_EQ("Static", ItemText(dialog, IDC_ABOUT_PRODUCT));
        }),
        ClickButton(IDCANCEL)});
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(2u, outcome.stepsDone);
}
