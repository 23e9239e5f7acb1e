// The About box of the real program, opened from the strip's context menu.
#include "Input.h"
#include "QuorTabProcess.h"
#include "WindowGroup.h"
#include "resource.h"
#include <vector>

class E2eAbout : public WindowGroupTest {};

namespace {
// A string of QuorTab.exe's version resource, read from the file as Explorer would.
std::string VersionString(const char* name)
{
    const std::string file = ProgramPath("QuorTab.exe");
    DWORD handle = 0;
    std::vector<char> block(::GetFileVersionInfoSizeA(file.c_str(), &handle));
    char* value = NULL;
    UINT size = 0;
    if (block.empty() || !::GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !::VerQueryValueA(block.data(), (std::string("\\StringFileInfo\\0c0904b0\\") + name).c_str(),
                          reinterpret_cast<void**>(&value), &size))
        return "<no " + std::string(name) + ">";
    return value;
}
}  // namespace

TEST_F(E2eAbout, TheAboutBoxShowsTheProgramsOwnVersionAndCloseReturnsToTheGroup)
{
    ASSERT_TRUE(StartApps({}, {kNotepad}));
    const HWND notepad = App(0);
    PlaceWindow(notepad, 120, 90, 560, 380);
    CQuorTab quortab;
    ASSERT_TRUE(quortab.StartWith(notepad));

    // Beside the tabs no tab's tooltip comes up over the menu.
    ASSERT_TRUE(quortab.ChooseFromMenu(quortab.BesideTabs(), kMenuAbout));
    HWND about = NULL;
    ASSERT_TRUE(Eventually([&] { return (about = quortab.FindVisibleWindow(kDialogClass, "About ")) != NULL; }))
        << quortab.Describe();
    EXPECT_EQ(quortab.Frame(), ::GetWindow(about, GW_OWNER));
    // Read from QuorTab.exe's own version resource at run time.
    EXPECT_EQ(VersionString("ProductName"), ItemText(about, IDC_ABOUT_PRODUCT));
    EXPECT_EQ(VersionString("FileVersion"), ItemText(about, IDC_ABOUT_VERSION));

    Click(DialogButtonCentre(about, IDCANCEL));
    EXPECT_TRUE(Eventually([&] { return !::IsWindow(about); }));
    EXPECT_FALSE(quortab.WaitForExit(0));
    EXPECT_EQ(std::vector<std::string>{"Untitled - Notepad"}, quortab.TabTitles());
    EXPECT_TRUE(StripSettlesUnder(quortab.Frame(), notepad));
}
