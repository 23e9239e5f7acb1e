#include "QuorTabProgram.h"
#include "Pump.h"
#include "QuorTabNames.h"
#include "WindowFacts.h"
#include <commctrl.h>

namespace {
HWND WaitFor(const std::function<HWND()>& find, DWORD timeoutMs)
{
    HWND found = NULL;
    PumpUntil([&] { return (found = find()) != NULL; }, timeoutMs);
    return found;
}
}  // namespace

CQuorTabProgram::CQuorTabProgram(DWORD idleWaitMs, const char* program, const std::string& arguments)
    : CChildProcess(Quote(ProgramPath(program)) + (arguments.empty() ? "" : " " + arguments), idleWaitMs)
{
}

HWND CQuorTabProgram::Picker() const
{
    return FindVisibleWindow(kDialogClass, quortab::kAddWindowCaption);
}

HWND CQuorTabProgram::Frame() const
{
    return FindWindow(quortab::kClassName, quortab::kFrameTitle);
}

HWND CQuorTabProgram::TabControl() const
{
    const HWND frame = Frame();
    return frame ? ::FindWindowExA(frame, NULL, WC_TABCONTROLA, NULL) : NULL;
}

HWND CQuorTabProgram::WaitForPicker(DWORD timeoutMs) const
{
    return WaitFor([this] { return Picker(); }, timeoutMs);
}

HWND CQuorTabProgram::WaitForFrame(DWORD timeoutMs) const
{
    return WaitFor([this] { return FindVisibleWindow(quortab::kClassName, quortab::kFrameTitle); }, timeoutMs);
}
