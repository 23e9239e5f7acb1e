#include "MessageRecorder.h"
#include <algorithm>
#include <cstdio>

bool IsNoiseMessage(UINT message)
{
    switch (message) {
    case WM_GETICON: case WM_GETOBJECT: case WM_GETTEXT: case WM_GETTEXTLENGTH:
    case WM_NCHITTEST: case WM_SETCURSOR: case WM_IME_SETCONTEXT: case WM_IME_NOTIFY:
    case WM_TIMECHANGE: case WM_DEVICECHANGE: case WM_DISPLAYCHANGE: case WM_SYNCPAINT:
    case WM_NCPAINT: case WM_ERASEBKGND: case WM_PAINT: case WM_CTLCOLORBTN: case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG: case WM_CTLCOLORLISTBOX: case WM_ENTERIDLE: case 0x0090 /* WM_UAHDESTROYWINDOW */:
        return true;
    default:
        return message >= 0xC000;  // registered messages
    }
}

void CMessageRecorder::BeforeMessage(CWndProxy*, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsNoiseMessage(message))
        m_before.push_back(RecordedMessage{message, wParam, lParam});
}

void CMessageRecorder::AfterMessage(CWndProxy*, UINT message, WPARAM, LPARAM)
{
    if (!IsNoiseMessage(message))
        m_after.push_back(message);
}

bool CMessageRecorder::Saw(UINT message) const
{
    return std::any_of(m_before.begin(), m_before.end(),
                       [message](const RecordedMessage& m) { return m.message == message; });
}

std::string MessageName(UINT message)
{
    static const struct { UINT id; const char* name; } names[] = {
        {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"}, {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"}, {WM_CLOSE, "WM_CLOSE"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"}, {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"}, {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_COMMAND, "WM_COMMAND"}, {WM_NOTIFY, "WM_NOTIFY"}, {WM_TIMER, "WM_TIMER"},
        {WM_INITDIALOG, "WM_INITDIALOG"}, {WM_SETFONT, "WM_SETFONT"},
        {WM_MEASUREITEM, "WM_MEASUREITEM"}, {WM_DRAWITEM, "WM_DRAWITEM"},
        {WM_CONTEXTMENU, "WM_CONTEXTMENU"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
        {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}, {WM_NULL, "WM_NULL"},
    };
    for (const auto& entry : names)
        if (entry.id == message)
            return entry.name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", message);
    return buffer;
}

namespace {
std::string Sequence(const std::vector<RecordedMessage>& messages)
{
    std::string names;
    for (const RecordedMessage& m : messages)
        names += (names.empty() ? "" : ", ") + MessageName(m.message);
    return names.empty() ? "nothing" : names;
}

// The first difference, then everything that was seen.
::testing::AssertionResult Mismatch(const std::string& difference, const std::vector<RecordedMessage>& seen)
{
    return ::testing::AssertionFailure() << difference << "\nthe whole sequence seen: " << Sequence(seen);
}
}  // namespace

::testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage>& seen,
                                           const ExpectedMessage* expected)
{
    size_t i = 0;
    for (; expected->message; ++expected) {
        const std::string at = MessageName(expected->message) + " at " + std::to_string(i);
        const bool here = i < seen.size() && seen[i].message == expected->message;
        if (!here) {
            if (expected->flags & kOptional)
                continue;
            return Mismatch("message " + std::to_string(i) + ": expected " + MessageName(expected->message) +
                            ", saw " + (i < seen.size() ? MessageName(seen[i].message) : "nothing"), seen);
        }
        if ((expected->flags & kWParam) && seen[i].wParam != expected->wParam)
            return Mismatch(at + ": wParam " + std::to_string(seen[i].wParam) + ", expected " +
                            std::to_string(expected->wParam), seen);
        if ((expected->flags & kLParam) && seen[i].lParam != expected->lParam)
            return Mismatch(at + ": lParam " + std::to_string(seen[i].lParam) + ", expected " +
                            std::to_string(expected->lParam), seen);
        ++i;
    }
    if (i != seen.size())
        return Mismatch("unexpected " + MessageName(seen[i].message) + " after the expected sequence (message " +
                        std::to_string(i) + ")", seen);
    return ::testing::AssertionSuccess();
}
