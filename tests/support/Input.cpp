#include "Input.h"
#include "Pump.h"
#include <vector>

namespace {
// Screen coordinates in the 0..65535 range of absolute input, rounded up so that the
// system's scaling back (value * extent / 65536, truncated) gives exactly that pixel.
LONG Normalise(LONG value, int extent)
{
    return static_cast<LONG>((static_cast<LONGLONG>(value) * 65536 + extent - 1) / extent);
}
}  // namespace

void SendMouse(POINT at, DWORD flags, DWORD data)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalise(at.x, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalise(at.y, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    input.mi.mouseData = data;
    ::SendInput(1, &input, sizeof input);
}

void MoveMouse(POINT at)
{
    SendMouse(at, 0);
}

// A person's hand comes to rest before the button goes down. Under Wine a button event that
// also moves the cursor makes the X pointer jump along with it, and a press that arrives that
// way now and then goes unnoticed by the button under it; a press where the cursor already is
// moves nothing.
static void PointAt(POINT at)
{
    MoveMouse(at);
    PumpUntil([&] {
        POINT cursor;
        return ::GetCursorPos(&cursor) && cursor.x == at.x && cursor.y == at.y;
    }, 1000);
}

static void LeftClickHere(POINT at)
{
    SendMouse(at, MOUSEEVENTF_LEFTDOWN);
    SendMouse(at, MOUSEEVENTF_LEFTUP);
}

void Click(POINT at)
{
    PointAt(at);
    LeftClickHere(at);
}

void DoubleClick(POINT at)
{
    PointAt(at);
    LeftClickHere(at);
    LeftClickHere(at);
}

// True once the thread of the window under `at` holds the mouse: a drag that moves on before the
// press was taken in sends its moves and release to whatever window lies under them.
static bool Captured(HWND under)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(under, NULL), &info) && info.hwndCapture;
}

void Press(POINT at)
{
    PointAt(at);
    const HWND under = ::WindowFromPoint(at);
    SendMouse(at, MOUSEEVENTF_LEFTDOWN);
    PumpUntil([&] { return Captured(under); }, 2000);
}

// Under Wine a move by SendInput leaves the X pointer where the last button event put it, and
// once the drag is over X reports it there and Wine takes the cursor back. A hand moves the
// pointer itself: SetCursorPos takes the X pointer along (it must come first, for Wine tells X
// only of a cursor that moved), and the input's move is the one windows see.
void MoveHeldTo(POINT at)
{
    ::SetCursorPos(at.x, at.y);
    MoveMouse(at);
}

// Eight steps, then one pixel short and onto the target, so that the last move the window sees
// before the release is a real move to the target whatever happened to the moves before it.
static void MoveInSteps(POINT from, POINT to, void (*move)(POINT))
{
    const int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i)
        move(POINT{from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps});
    move(POINT{to.x - 1, to.y});
    move(to);
}

void MoveHeld(POINT from, POINT to)
{
    MoveInSteps(from, to, MoveHeldTo);
}

// The release comes where the cursor already is, as a person's does.
void Release(POINT at)
{
    SendMouse(at, MOUSEEVENTF_LEFTUP);
}

// The moves of input alone, as before the drags that hold the button over a strip: the X pointer
// stays behind, which only matters once the cursor is read after the release.
void Drag(POINT from, POINT to)
{
    Press(from);
    MoveInSteps(from, to, MoveMouse);
    Release(to);
}

void RightClick(POINT at)
{
    PointAt(at);
    SendMouse(at, MOUSEEVENTF_RIGHTDOWN);
    SendMouse(at, MOUSEEVENTF_RIGHTUP);
}

void TurnWheel(POINT at, int notches)
{
    PointAt(at);
    SendMouse(at, MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches * WHEEL_DELTA));
}

void TypeKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        for (DWORD flags : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT up = {};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
