// The test kit's own promises, which every suite leans on.
#include "BoxCatcher.h"
#include "DialogDriver.h"
#include "DlgHandler.h"
#include "MessageRecorder.h"
#include "PickerDriver.h"
#include "resource.h"
#include <gtest/gtest-spi.h>
#include <string>

namespace {
std::string Explained(const ::testing::AssertionResult& result)
{
    EXPECT_FALSE(result);
    return result.message();
}

bool Mentions(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
}  // namespace

TEST(TestKit, SequenceMismatchNamesTheFirstDifferenceAndPrintsTheWholeSequenceSeen)
{
    const std::vector<RecordedMessage> seen = {{WM_CREATE, 0, 0}, {WM_SIZE, 0, 0}, {WM_MOVE, 7, 0}};
    const ExpectedMessage other[] = {{WM_CREATE, 0, 0, 0}, {WM_MOVE, 0, 0, 0}, {0, 0, 0, 0}};
    const ExpectedMessage shorter[] = {{WM_CREATE, 0, 0, 0}, {WM_SIZE, 0, 0, 0}, {0, 0, 0, 0}};
    const ExpectedMessage wParam[] = {{WM_CREATE, 0, 0, 0}, {WM_SIZE, 0, 0, 0}, {WM_MOVE, kWParam, 8, 0}, {0, 0, 0, 0}};
    const struct {
        const char* what;
        const ExpectedMessage* expected;
        const char* difference;
    } cases[] = {
        {"another message", other, "message 1: expected WM_MOVE, saw WM_SIZE"},
        {"one more message", shorter, "unexpected WM_MOVE after the expected sequence (message 2)"},
        {"another wParam", wParam, "WM_MOVE at 2: wParam 7, expected 8"},
    };
    for (const auto& c : cases) {
        const std::string message = Explained(MatchesSequence(seen, c.expected));
        EXPECT_TRUE(Mentions(message, c.difference)) << c.what << ": " << message;
        EXPECT_TRUE(Mentions(message, "WM_CREATE, WM_SIZE, WM_MOVE")) << c.what << ": " << message;
    }
    const ExpectedMessage optional[] = {{WM_CREATE, 0, 0, 0}, {WM_CLOSE, kOptional, 0, 0}, {WM_SIZE, 0, 0, 0},
                                        {WM_MOVE, kWParam, 7, 0}, {0, 0, 0, 0}};
    EXPECT_TRUE(MatchesSequence(seen, optional));
}

TEST(TestKit, TheLatestAnswererThatRecognisesADialogAnswersItAndOnlyIt)
{
    CBoxCatcher outer;
    {
        CPickerDriver picker(NULL);  // recognises no message box
        EXPECT_EQ(IDOK, ::MessageBoxA(NULL, "first", "Kit", MB_OK | MB_ICONERROR));
        CBoxCatcher inner;
        EXPECT_EQ(IDOK, ::MessageBoxA(NULL, "second", "Kit", MB_OK));
        ASSERT_EQ(1u, inner.Boxes().size());
        EXPECT_EQ("second", inner.Boxes()[0].text);
        EXPECT_FALSE(inner.Boxes()[0].errorIcon);
        EXPECT_EQ(0, picker.DialogsSeen());
    }
    ASSERT_EQ(1u, outer.Boxes().size()) << "the inner catcher took the second box";
    EXPECT_EQ("first", outer.Boxes()[0].text);
    EXPECT_EQ("Kit", outer.Boxes()[0].caption);
    EXPECT_TRUE(outer.Boxes()[0].errorIcon);
}

TEST(TestKit, ADialogStillOpenAtTheDeadlineIsEndedAndReportedAsAFailure)
{
    CDlgHandler dialog;
    DriveOutcome outcome = {};
    EXPECT_NONFATAL_FAILURE(outcome = DriveDialog(dialog, [&] {
        return dialog.DoModal(NULL, IDD_ABOUT, ::GetModuleHandleA(NULL));
    }, {[](HWND) { return false; }}, 300), "the dialog was still open after 300 ms");
    EXPECT_EQ(kDriverEnded, outcome.result);
    EXPECT_TRUE(outcome.timedOut);
    EXPECT_EQ(0u, outcome.stepsDone) << "a step that waits never finishes";
}
