#include "WindowIcon.h"
#include "Canvas.h"
#include "Fixture.h"
#include "IconWindows.h"
#include "Pump.h"
#include "WineProgram.h"
#include "resource.h"
#include <cstdio>
#include <gtest/gtest.h>

namespace {
const UINT kAnswerMs = 5000;
const int kSmall = 16;

// Waits until the window has taken every message sent to it so far.
void Drain(HWND window)
{
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &ignored);
}

// Icons that look alike pixel for pixel at the small size; handles of copies differ.
bool SameLook(HICON a, HICON b)
{
    CCanvas first(kSmall, kSmall), second(kSmall, kSmall);
    ::DrawIconEx(first.DC(), 0, 0, a, kSmall, kSmall, 0, NULL, DI_NORMAL);
    ::DrawIconEx(second.DC(), 0, 0, b, kSmall, kSmall, 0, NULL, DI_NORMAL);
    for (int y = 0; y < kSmall; ++y)
        for (int x = 0; x < kSmall; ++x)
            if (first.At(x, y) != second.At(x, y))
                return false;
    return true;
}

// QuorTab's own icon, which this test program carries as its only one, at the small size.
struct ProgramIcon {
    ProgramIcon()
        : icon(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                               kSmall, kSmall, 0))) {}
    ~ProgramIcon() { if (icon) ::DestroyIcon(icon); }
    HICON icon;
};

// Lookups whose answers come back to a window of this thread.
struct Lookup {
    Lookup() : answers(kIconAnswer, [this](WPARAM w, LPARAM l) { if (icons.OnAnswer(w, l)) ++changes; })
        { icons.Reset(answers.Handle(), kSmall); }
    CWindowIcons icons;
    // Answers that changed a window's icon.
    int changes = 0;
    CAnswerWindow answers;
};
}  // namespace

TEST(WindowIcon, ClassIconAtOnceThenTheWindowsOwnSmallIconsFirstStoppingAtTheFirstAnswer)
{
    CIconWindows windows({{IconReply::Small2, true, true},
                          {IconReply::Small, true, true},
                          {IconReply::Big, true, true}});
    ASSERT_TRUE(windows.Ready());
    Lookup lookup;
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(windows.Icon(kRoleClassSmall), lookup.icons.Of(windows.Window(i))) << "window " << i << " at once";

    ASSERT_TRUE(PumpUntil([&] { return lookup.answers.Taken() == 1 + 2 + 3; }));
    EXPECT_EQ(windows.Icon(kRoleSmall2), lookup.icons.Of(windows.Window(0)));
    EXPECT_EQ(windows.Icon(kRoleSmall), lookup.icons.Of(windows.Window(1)));
    EXPECT_EQ(windows.Icon(kRoleBig), lookup.icons.Of(windows.Window(2)))
        << "the window's big icon comes back as it is, before any class icon; drawing scales it";
    EXPECT_EQ(1, windows.Queries(0)) << "ICON_SMALL2 answered: no further message";
    EXPECT_EQ(2, windows.Queries(1));
    EXPECT_EQ(3, windows.Queries(2));
    EXPECT_EQ(3, lookup.changes);

    // Asked again, as after a new title: the same icon back changes nothing.
    lookup.icons.Ask(windows.Window(0));
    ASSERT_TRUE(PumpUntil([&] { return lookup.answers.Taken() == 1 + 2 + 3 + 1; }));
    EXPECT_EQ(2, windows.Queries(0));
    EXPECT_EQ(3, lookup.changes) << "the same answer again is no change";
    EXPECT_EQ(windows.Icon(kRoleSmall2), lookup.icons.Of(windows.Window(0)));
}

TEST(WindowIcon, WithoutAnAnswerTheClassIconsElseTheProgramFilesOwn)
{
    CIconWindows windows({{IconReply::Nothing, true, true},
                          {IconReply::Nothing, true, false},
                          {IconReply::Nothing, false, true},
                          {IconReply::Nothing, false, false}});
    ASSERT_TRUE(windows.Ready());
    ProgramIcon program;
    ASSERT_TRUE(program.icon) << "this test program carries QuorTab's icon";
    Lookup lookup;
    for (size_t i = 0; i < 4; ++i)
        lookup.icons.Of(windows.Window(i));
    ASSERT_TRUE(PumpUntil([&] { return lookup.answers.Taken() == 4 * 3; })) << "every window is asked for every kind";

    EXPECT_EQ(windows.Icon(kRoleClassSmall), lookup.icons.Of(windows.Window(0)));
    EXPECT_EQ(windows.Icon(kRoleClassSmall), lookup.icons.Of(windows.Window(1)));
    // A class given only a big icon gets a small one made from it by the system.
    const HICON derived = reinterpret_cast<HICON>(::GetClassLongPtrA(windows.Window(2), GCLP_HICONSM));
    ASSERT_NE(nullptr, derived);
    EXPECT_EQ(derived, lookup.icons.Of(windows.Window(2)));
    const HICON own = lookup.icons.Of(windows.Window(3));
    EXPECT_TRUE(own && SameLook(program.icon, own)) << "a class without icons: the program file's";
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(3, windows.Queries(i)) << "window " << i;

    // The file's icon was read for this lookup, and goes with it.
    lookup.icons.Forget(windows.Window(3));
    EXPECT_FALSE(IsUsableIcon(own));
}

TEST(WindowIcon, ClassIconThatCannotBeDrawnIsPassedOverForTheProgramFilesOwn)
{
    CIconWindows windows({{IconReply::Nothing, false, false}});
    ASSERT_TRUE(windows.Ready());
    const HWND window = windows.Window(0);
    // What another process's class icon is here under Wine: a handle that does not work.
    HICON stale = reinterpret_cast<HICON>(::CopyImage(windows.Icon(kRoleClassBig), IMAGE_ICON, 0, 0, 0));
    ASSERT_TRUE(stale);
    ::DestroyIcon(stale);
    ::SetClassLongPtrA(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(stale));
    ASSERT_EQ(0u, ::GetClassLongPtrA(window, GCLP_HICONSM));
    ProgramIcon program;

    Lookup lookup;
    const HICON icon = lookup.icons.Of(window);
    EXPECT_NE(stale, icon);
    EXPECT_TRUE(icon && SameLook(program.icon, icon));
    ::SetClassLongPtrA(window, GCLP_HICON, 0);
}

TEST(WindowIcon, StalledWindowHoldsNothingUpAndIsNeverAskedTwiceAtATime)
{
    CIconWindows windows({{IconReply::Stall, true, true}});
    ASSERT_TRUE(windows.Ready());
    const HWND window = windows.Window(0);
    Lookup lookup;

    const DWORD start = ::GetTickCount();
    const HICON icon = lookup.icons.Of(window);
    lookup.icons.Ask(window);  // its title changed meanwhile
    const DWORD elapsed = ::GetTickCount() - start;
    EXPECT_EQ(windows.Icon(kRoleClassSmall), icon);
    EXPECT_LT(elapsed, 100u) << "the lookup does not wait for the window";
    std::printf("icon lookup on a stalled window took %lu ms\n", static_cast<unsigned long>(elapsed));
    PumpFor(300);
    EXPECT_EQ(1, windows.Queries(0)) << "one question in flight, not one per ask";
    EXPECT_EQ(0, lookup.answers.Taken());

    // Once it answers (nothing), the other kinds are asked in turn; the class icon stays.
    windows.Release();
    EXPECT_TRUE(PumpUntil([&] { return lookup.answers.Taken() == 3; }));
    Drain(window);
    EXPECT_EQ(3, windows.Queries(0));
    EXPECT_EQ(windows.Icon(kRoleClassSmall), lookup.icons.Of(window));
}

TEST(WindowIcon, DestroyedWindowYieldsNull)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "gone", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(window);
    ::DestroyWindow(window);
    Lookup lookup;
    EXPECT_EQ(nullptr, lookup.icons.Of(window));
}

// Why the icon tests use windows of this process: under Wine another process's class icons and
// its answers to WM_GETICON are handles that do not work here (and WM_GETICON sent with a
// time-out fails at once), so only the program file can give its icon. Should this ever change,
// this test says so.
TEST(PlatformFacts, IconsOfAnotherProcessComeOnlyFromItsProgramFile)
{
    CFixtureProcess fixture({"icon=small2"});
    const HWND window = fixture.Window(0);
    ASSERT_TRUE(window);

    DWORD_PTR answer = 0;
    EXPECT_EQ(0, ::SendMessageTimeoutA(window, WM_GETICON, ICON_SMALL2, 0, SMTO_ABORTIFHUNG, kAnswerMs, &answer));
    const HICON classIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(window, GCLP_HICONSM));
    std::printf("another process's class icon reads as %p\n", static_cast<void*>(classIcon));
    EXPECT_FALSE(IsUsableIcon(classIcon));
    Lookup lookup;
    EXPECT_EQ(nullptr, lookup.icons.Of(window)) << "the fixture's file has no icon";
    // Asked without waiting, the window does answer, with its small2 icon first; that handle
    // cannot be drawn here, so every kind is asked in turn and none is taken.
    EXPECT_TRUE(PumpUntil([&] { return lookup.answers.Taken() == 3; }));
    DWORD_PTR queries = 0;
    ASSERT_NE(0, ::SendMessageTimeoutA(window, FIXTURE_GET_ICON_QUERIES, 0, 0, SMTO_NORMAL, kAnswerMs, &queries));
    EXPECT_EQ(3u, queries);
    EXPECT_EQ(nullptr, lookup.icons.Of(window));

    CWineProgram notepad(kNotepad);
    ASSERT_TRUE(notepad.Window());
    EXPECT_FALSE(IsUsableIcon(reinterpret_cast<HICON>(::GetClassLongPtrA(notepad.Window(), GCLP_HICON))));
    const HICON icon = lookup.icons.Of(notepad.Window());
    EXPECT_TRUE(IsUsableIcon(icon)) << "Notepad's own icon, read from its program file";
}
