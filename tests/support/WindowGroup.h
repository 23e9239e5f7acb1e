#pragma once
// The windows a test groups: applications started before QuorTab takes their windows and ended
// after it has let them go. Shared by the in-process frame tests and the end-to-end tests.
#include "Fixture.h"
#include "WineProgram.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class WindowGroupTest : public ::testing::Test {
protected:
    // Starts our fixture process with a window per request (none without requests), then each
    // Wine program in turn. The group is the fixture's windows in request order, then the
    // programs' main windows. Fails unless every window came up.
    ::testing::AssertionResult StartApps(const std::vector<std::string>& fixtureRequests,
                                         const std::vector<WineProgramName>& programs = {});
    const std::vector<HWND>& Apps() const { return m_windows; }
    // The index-th window of the group, or null, and where it stood once started.
    HWND App(size_t index) const { return index < m_windows.size() ? m_windows[index] : NULL; }
    RECT StoodAtStart(size_t index) const { return index < m_stood.size() ? m_stood[index] : RECT{}; }
    // The application that made a window of the group, even once the window is gone.
    const CChildProcess& ProcessOf(HWND window) const;
    // Returns once every application has carried out what was asked of it without waiting.
    void CatchUpApps() const
        { for (const auto& process : m_processes) process->CatchUp(); }
    // Ends the applications, the last one started first.
    void TearDown() override;

private:
    void Join(HWND window, const CChildProcess& owner);

    std::vector<std::unique_ptr<const CChildProcess>> m_processes;
    std::vector<HWND> m_windows;
    std::vector<RECT> m_stood;
    std::vector<const CChildProcess*> m_owners;  // of each window
};
