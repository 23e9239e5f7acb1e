#include "BoxCatcher.h"
#include "WindowFacts.h"

namespace {
const int kBoxIconId = 1088;   // the icon control of the system's message box template
const int kBoxTextIds[] = {0xFFFF, 100};

CaughtBox Read(HWND box)
{
    CaughtBox caught = {"", WindowTitle(box), ::GetWindow(box, GW_OWNER), false};
    for (int id : kBoxTextIds)
        if (::GetDlgItem(box, id)) {
            caught.text = ItemText(box, id);
            break;
        }
    HICON shown = reinterpret_cast<HICON>(::SendDlgItemMessageA(box, kBoxIconId, STM_GETICON, 0, 0));
    caught.errorIcon = shown && shown == ::LoadIconA(NULL, IDI_HAND);
    return caught;
}
}  // namespace

bool IsMessageBox(HWND window)
{
    return ClassName(window) == kDialogClass && ::GetDlgItem(window, kBoxIconId) != NULL;
}

CBoxCatcher::CBoxCatcher()
    : m_answerer(IsMessageBox, [this](HWND box) {
          m_boxes.push_back(Read(box));
          ::PostMessageA(box, WM_COMMAND, IDOK, 0);
      })
{
}
