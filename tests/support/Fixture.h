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
