#pragma once
#include "AddWindowDlg.h"
#include "DialogDriver.h"
#include "PickerDriver.h"
#include <string>
#include <vector>

// One item of the dialog's window list as the list box holds it.
struct ListedWindow {
    std::string text;
    HWND window;
};

std::vector<ListedWindow> ListedWindows(HWND dialog);
// The item that holds the window, or -1.
int ItemOf(HWND dialog, HWND window);
HWND ListBoxOf(HWND dialog);
// Every top-level window, in EnumWindows order.
std::vector<HWND> RawWalk();

// A request to draw one item of the window list into `dc`, as the list box makes it.
DRAWITEMSTRUCT DrawRequest(HWND list, HDC dc, UINT item, UINT state, const RECT& rect);

// Runs the Add-a-Window dialog object modally with no owner, playing the steps against it.
DriveOutcome DrivePicker(CAddWindowDlg& dialog, const std::vector<DialogStep>& steps);

// Steps that act as the user would, beside those of DialogDriver.h.
DialogStep SelectItemOf(HWND window);
// Mouse messages posted to the list at the middle of the window's item.
DialogStep ClickItemOf(HWND window);
DialogStep DoubleClickItemOf(HWND window);
