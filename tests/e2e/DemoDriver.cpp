// The scripted demo behind scripts/demo.sh: QuorTab.exe groups Wine's Notepad, open on a file
// with a Greek name, and Minesweeper, driven with the real mouse like the end-to-end tests. This
// program carries QuorTab's manifest, so that it names the file in UTF-8 as QuorTab reads titles. At each step it prints "shot NAME" and
// waits for a line on its input, so that the script can take the screenshot first; it ends with
// "done", or "failed: WHAT" and exit code 1. Everything it starts is ended before it returns.
#include "FrameGeometry.h"
#include "Input.h"
#include "Pump.h"
#include "QuorTabProcess.h"
#include "QuorTabNames.h"
#include "WineProgram.h"
#include "resource.h"
#include <cstdio>

namespace {
// Lets the screen settle (a repaint after the last move), then waits for the script's go.
bool Shot(const char* name)
{
    PumpFor(300);
    std::printf("shot %s\n", name);
    std::fflush(stdout);
    char reply[16];
    return std::fgets(reply, sizeof reply, stdin) != NULL;
}

int Fail(const char* what)
{
    std::printf("failed: %s\n", what);
    std::fflush(stdout);
    return 1;
}

void Say(const char* text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

// A file in the temporary folder whose name puts Greek into Notepad's title, and so on its tab;
// the name, or nothing when it could not be written.
std::string GreekFile()
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "Γεια.txt";
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    const char text[] = "\xEF\xBB\xBFΚαλημέρα κόσμε: Greek in the title of a grouped window.\r\n";
    DWORD written = 0;
    ::WriteFile(file, text, sizeof text - 1, &written, NULL);
    ::CloseHandle(file);
    return path;
}
}  // namespace

int main()
{
    const std::string greek = GreekFile();
    if (greek.empty())
        return Fail("no file with a Greek name could be written");
    CWineProgram notepad(kNotepad, greek);
    CWineProgram mines(kMinesweeper);
    if (!notepad.Window() || !mines.Window())
        return Fail("Notepad or Minesweeper did not start");
    PlaceWindow(notepad.Window(), 120, 90, 560, 380);
    PlaceWindow(mines.Window(), 820, 120, 160, 226);

    Say("QuorTab starts and asks for the first window to group");
    CQuorTab quortab;
    HWND picker = quortab.WaitForPicker();
    POINT item;
    if (!picker || !PickerItemPoint(picker, notepad.Window(), &item))
        return Fail("the picker did not offer Notepad");
    Click(item);
    if (!Eventually([&] { return PickerSelection(picker) >= 0; }) || !Shot("1-picker"))
        return Fail("Notepad could not be chosen");

    Click(DialogButtonCentre(picker, IDOK));
    HWND frame = quortab.WaitForFrame();
    if (!frame || !Eventually([&] { return FrameIsPlacedBelow(frame, notepad.Window()); }))
        return Fail("no strip under Notepad");
    if (quortab.TabTitle(0) != WindowTitle(notepad.Window()) || quortab.TabTitle(0).find("Γεια") == std::string::npos)
        return Fail("Notepad's tab does not carry its Greek title");
    if (!Shot("2-first-tab"))
        return Fail("no screenshot of the first tab");

    Say("Right-click on the tab, Add Window..., Minesweeper");
    const POINT tab = quortab.TabPoint(0);
    if (!quortab.Reachable(tab))
        return Fail("the tab cannot be reached");
    RightClick(tab);
    if (!quortab.WaitForMenu() || !Shot("3-menu"))
        return Fail("no context menu");
    PressKeys({'A'});
    picker = quortab.WaitForPicker();
    if (!picker || !PickWithMouse(picker, mines.Window()) ||
        !Eventually([&] { return quortab.TabCount() == 2 && FrameIsPlacedBelow(frame, notepad.Window()); }) ||
        !Shot("4-two-tabs"))
        return Fail("Minesweeper could not be added");

    Say("A click on the WineMine tab puts Minesweeper where Notepad stood");
    if (!quortab.ClickTab(1) ||
        !Eventually([&] { return FrameIsPlacedBelow(frame, mines.Window()) && !::IsWindowVisible(notepad.Window()); }) ||
        !Shot("5-switched"))
        return Fail("the switch to Minesweeper did not happen");

    Say("Dragging Minesweeper by its caption takes the strip along");
    const RECT from = WindowRect(mines.Window());
    const POINT caption = {from.left + 80, from.top + 10};
    Drag(caption, POINT{caption.x + 380, caption.y + 260});
    if (!Eventually([&] { return WindowRect(mines.Window()).left == from.left + 380 &&
                                 FrameIsPlacedBelow(frame, mines.Window()); }) ||
        !Shot("6-dragged"))
        return Fail("the strip did not follow Minesweeper");

    Say("Dragging the WineMine tab before Notepad's puts it first");
    if (!quortab.Reachable(quortab.TabPoint(1)))
        return Fail("the WineMine tab cannot be reached");
    Drag(quortab.TabPoint(1), quortab.TabPoint(0));
    if (!Eventually([&] { return quortab.TabTitles().size() == 2 && quortab.TabTitle(0) == "WineMine" &&
                                 FrameIsPlacedBelow(frame, mines.Window()); }) ||
        !Shot("7-tab-dragged"))
        return Fail("the WineMine tab did not move before Notepad's");

    Say("Another Notepad dragged by its caption onto the strip: a mark shows where its tab goes");
    CWineProgram another(kNotepad);
    if (!another.Window())
        return Fail("the second Notepad did not start");
    PlaceWindow(another.Window(), 60, 560, 420, 250);
    ::SetForegroundWindow(another.Window());
    const RECT anotherAt = WindowRect(another.Window());
    const POINT grip = {anotherAt.left + 80, anotherAt.top + 10};
    const POINT between = quortab.TabPoint(1);
    Press(grip);
    MoveHeld(grip, between);
    if (!Eventually([&] { return quortab.FindVisibleWindow(quortab::kDropMarkClass, NULL) != NULL; }) ||
        !Shot("8-window-over-strip"))
        return Fail("no mark on the strip under the dragged Notepad");
    Release(between);
    if (!Eventually([&] { return quortab.TabCount() == 3 && quortab.TabWindow(1) == another.Window() &&
                                 FrameIsPlacedBelow(frame, another.Window()); }) ||
        !Shot("9-window-joined"))
        return Fail("the dragged Notepad did not join the group");

    Say("Right-click, Exit: every window is shown again");
    if (!quortab.ChooseFromMenu(quortab.TabPoint(0), kMenuExit) || !quortab.WaitForExit(5000) ||
        !Eventually([&] { return ::IsWindowVisible(notepad.Window()) && ::IsWindowVisible(mines.Window()) &&
                                 ::IsWindowVisible(another.Window()); }) ||
        !Shot("10-after-exit"))
        return Fail("Exit did not show every window");
    std::printf("QuorTab.exe ended with exit code %ld\n", static_cast<long>(quortab.ExitCode()));
    Say("done");
    return quortab.ExitCode() == 0 ? 0 : 1;
}
