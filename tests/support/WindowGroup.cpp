#include "WindowGroup.h"
#include <stdexcept>

::testing::AssertionResult WindowGroupTest::StartApps(const std::vector<std::string>& fixtureRequests,
                                                      const std::vector<WineProgramName>& programs)
{
    if (!fixtureRequests.empty()) {
        const CFixtureProcess* fixture = new CFixtureProcess(fixtureRequests);
        m_processes.emplace_back(fixture);
        for (size_t i = 0; i < fixtureRequests.size(); ++i) {
            Join(fixture->Window(i), *fixture);
            if (!m_windows.back())
                return ::testing::AssertionFailure() << "the fixture did not make the window '"
                                                     << fixtureRequests[i] << "'";
        }
    }
    for (const WineProgramName& name : programs) {
        const CWineProgram* program = new CWineProgram(name);
        m_processes.emplace_back(program);
        Join(program->Window(), *program);
        if (!program->Window())
            return ::testing::AssertionFailure() << name.exe << " did not come up in front";
    }
    return ::testing::AssertionSuccess();
}

void WindowGroupTest::Join(HWND window, const CChildProcess& owner)
{
    m_windows.push_back(window);
    m_stood.push_back(WindowRect(window));
    m_owners.push_back(&owner);
}

const CChildProcess& WindowGroupTest::ProcessOf(HWND window) const
{
    for (size_t i = 0; i < m_windows.size(); ++i)
        if (m_windows[i] == window)
            return *m_owners[i];
    throw std::invalid_argument("not a window of the group");
}

void WindowGroupTest::TearDown()
{
    m_windows.clear();
    m_stood.clear();
    m_owners.clear();
    while (!m_processes.empty())
        m_processes.pop_back();
}
