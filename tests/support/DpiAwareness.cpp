// Linked into every program of the tests, the fixture, the demo and the benchmark: they see the
// screen in real pixels, as QuorTab does. A process that is not DPI aware gets scaled coordinates,
// which at any scaling but 100 % are not QuorTab's.
#include "Win32.h"
#include "../fixtures/FixtureProtocol.h"

namespace {

struct CPerMonitorDpiAware {
    CPerMonitorDpiAware()
    {
        typedef BOOL(WINAPI * SetContextFn)(HANDLE);
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, which headers for Windows XP do not know.
        const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
        const SetContextFn set = reinterpret_cast<SetContextFn>(reinterpret_cast<void (*)()>(
            ::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
        if (set && !ProcessWantsToBeUnaware())
            set(perMonitorV2);
    }
    // The fixture started so stays as the system leaves a program without a
    // manifest: what such programs' coordinates look like is a fact tests check.
    static bool ProcessWantsToBeUnaware() { return ::strstr(::GetCommandLineA(), FIXTURE_DPI_UNAWARE) != NULL; }
};
const CPerMonitorDpiAware g_perMonitorDpiAware;

}  // namespace
