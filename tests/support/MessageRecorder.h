#pragma once
#include "WndHandler.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// One expected entry; a sequence ends with { 0 }.
enum : unsigned { kOptional = 1, kWParam = 2, kLParam = 4 };
struct ExpectedMessage {
    UINT message;
    unsigned flags;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages that come and go with the platform and say nothing about our behaviour.
bool IsNoiseMessage(UINT message);

// Records, in order, what a window or dialog object dispatches (noise left out).
class CMessageRecorder : public CMessageHook {
public:
    void BeforeMessage(CWndProxy*, UINT message, WPARAM wParam, LPARAM lParam) override;
    void AfterMessage(CWndProxy*, UINT message, WPARAM, LPARAM) override;

    const std::vector<RecordedMessage>& Before() const { return m_before; }
    const std::vector<UINT>& After() const { return m_after; }
    bool Saw(UINT message) const;
    void Clear() { m_before.clear(); m_after.clear(); }

private:
    std::vector<RecordedMessage> m_before;
    std::vector<UINT> m_after;
};

// Compares seen messages with an expected sequence; a failure names the first difference and
// prints the whole sequence seen.
::testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage>& seen,
                                           const ExpectedMessage* expected);

std::string MessageName(UINT message);
