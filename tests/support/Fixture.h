#pragma once
#include "ChildProcess.h"
#include "WindowFacts.h"
#include <string>
#include <vector>
#include "../fixtures/FixtureProtocol.h"

// Our fixture application, with one window per request (see FixtureProtocol.h).
class CFixtureProcess : public CChildProcess {
public:
    explicit CFixtureProcess(const std::vector<std::string>& requests);
    // The window made by the index-th request (counting repeats), or null.
    HWND Window(size_t index) const;
    size_t WindowCount() const;
};

// Where a fixture window stood when it was last shown, as the fixture itself saw it.
inline RECT ShownAt(HWND window)
{
    LONG sides[4];
    for (WPARAM i = 0; i < 4; ++i)
        sides[i] = static_cast<LONG>(::SendMessageA(window, FIXTURE_GET_SHOWN_AT, i, 0));
    return {sides[0], sides[1], sides[2], sides[3]};
}
