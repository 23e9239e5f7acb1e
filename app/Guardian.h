#pragma once
// The guardian: a second QuorTab process that each group starts to watch it, so that a group
// killed from outside, which cannot give its windows back, still does not leave them hidden. It
// waits on the group's process handle, and when the group has ended shows every window whose
// marking QuorTab is gone. After a normal end the group has already unmarked its windows, so the
// same wait ends the guardian: the group need not signal or kill it.
#include "Win32.h"

// Starts after a group that dies this soon after starting count towards giving up, as do starts
// that fail; this many in a row, and the group starts no guardian again.
constexpr DWORD kGuardianShortLifeMs = 1000;
constexpr int kGuardianTries = 3;

// Whether the group starts its guardian again after it ended or could not be started.
class CGuardianRestarts {
public:
    void Started() { m_failedStarts = 0; }
    void StartFailed() { ++m_failedStarts; }
    void Ended(DWORD livedMs) { m_shortLives = livedMs < kGuardianShortLifeMs ? m_shortLives + 1 : 0; }
    bool GivenUp() const { return m_failedStarts >= kGuardianTries || m_shortLives >= kGuardianTries; }

private:
    int m_failedStarts = 0;
    int m_shortLives = 0;
};

// Guards the group whose process handle this process inherited with the value `guarded`: returns
// once that process has ended and what it left hidden is shown. False at once, with nothing
// done, for a value that names no inherited handle of another process.
bool RunGuardian(unsigned long long guarded);

// Starts this group's guardian, returning once it runs, and from then on, for as long as the
// process lives, another whenever the last one ends, as CGuardianRestarts allows.
void KeepGuardian();
