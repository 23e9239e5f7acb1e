#include "FrameworkTestSupport.h"
#include "BoxCatcher.h"
#include "FrameworkTestIds.h"
#include "WindowFacts.h"
#include "MessageRecorder.h"
#include "QuorTabNames.h"
#include <algorithm>
#include <new>
#include <ostream>
#include <string>

namespace {
const char kDialogTitle[] = "Framework Test Dialog";

class DlgHandler : public CFrameworkTest {
protected:
    CMessageRecorder m_log;
};

size_t IndexOf(const std::vector<UINT>& messages, UINT message)
{
    return std::find(messages.begin(), messages.end(), message) - messages.begin();
}

bool SawCommand(const CMessageRecorder& log, WORD id)
{
    return std::any_of(log.Before().begin(), log.Before().end(), [id](const RecordedMessage& m) {
        return m.message == WM_COMMAND && LOWORD(m.wParam) == id;
    });
}
}

// Closing ------------------------------------------------------------------------------------

namespace {
struct Closing {
    const char* name;
    std::function<void(HWND dialog)> close;
    INT_PTR result;
};
const Closing kClosings[] = {
    {"OkCommand", [](HWND d) { ::PostMessageA(d, WM_COMMAND, IDOK, 0); }, 1},
    {"CancelCommand", [](HWND d) { ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0); }, 0},
    {"OkWithNotificationCode", [](HWND d) { ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0); }, 1},
    {"CancelWithNotificationCode", [](HWND d) { ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, 1), 0); }, 0},
    {"OkButtonClicked", [](HWND d) { ::PostMessageA(::GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }, 1},
    {"EscapeKey", [](HWND d) { ::PostMessageA(d, WM_KEYDOWN, VK_ESCAPE, 0x00010001); }, 0},
    {"CloseBox", [](HWND d) { ::PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
};

void PrintTo(const Closing& c, std::ostream* out) { *out << c.name; }

class DlgClosingTest : public DlgHandler, public ::testing::WithParamInterface<Closing> {};
}

TEST_P(DlgClosingTest, DialogWithoutOverridesEndsWithOneForOkAndZeroForCancel)
{
    CDlgHandler dialog;
    dialog.AddHook(&m_log);
    CDlgHandler* bound = NULL;
    HWND window = NULL;
    INT_PTR result = RunModal(dialog, IDD_TEST_PLAIN, [&](HWND d) {
        window = d;
        bound = CDlgHandler::FromHandle(d);
        GetParam().close(d);
    });
    EXPECT_EQ(GetParam().result, result);
    EXPECT_EQ(&dialog, bound);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(DlgHandlerMap.empty());
    EXPECT_EQ(NULL, dialog.GetHandle());
    ASSERT_FALSE(m_log.Before().empty());
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), m_log.Before().front().message);
    EXPECT_EQ(static_cast<UINT>(WM_DESTROY), m_log.Before().back().message)
        << "unbound at WM_DESTROY: WM_NCDESTROY finds no object";
}

INSTANTIATE_TEST_SUITE_P(DlgHandler, DlgClosingTest, ::testing::ValuesIn(kClosings),
                         [](const ::testing::TestParamInfo<Closing>& info) { return std::string(info.param.name); });

namespace {
struct DefaultAnswer {
    const char* what;
    UINT message;
    WPARAM wParam;
    INT_PTR result;
};
const DefaultAnswer kDefaultAnswers[] = {
    {"a command with another id", WM_COMMAND, 40011, FALSE},
    {"a command whose whole id is not IDOK", WM_COMMAND, MAKEWPARAM(40011, IDOK), FALSE},
    {"draw item", WM_DRAWITEM, IDC_TEST_TEXT, TRUE},
    {"measure item", WM_MEASUREITEM, IDC_TEST_TEXT, TRUE},
    {"any other message", WM_APP + 3, 0, FALSE},
};
}

TEST_F(DlgHandler, DefaultHandlersAnswerAndOnlyOkAndCancelEndTheDialog)
{
    CDlgHandler dialog;
    HWND unbound = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    EXPECT_EQ(FALSE, DlgHandlerWindowProc(unbound, WM_SETFONT, 0, 0)) << "no object for it";
    ::DestroyWindow(unbound);

    DRAWITEMSTRUCT draw = {};
    MEASUREITEMSTRUCT measure = {};
    INT_PTR result = RunModal(dialog, IDD_TEST_PLAIN, [&](HWND d) {
        for (const DefaultAnswer& a : kDefaultAnswers) {
            LPARAM lParam = a.message == WM_DRAWITEM ? reinterpret_cast<LPARAM>(&draw)
                          : a.message == WM_MEASUREITEM ? reinterpret_cast<LPARAM>(&measure) : 0;
            EXPECT_EQ(a.result, DlgHandlerWindowProc(d, a.message, a.wParam, lParam)) << a.what;
        }
        EXPECT_TRUE(::IsWindowVisible(d)) << "still open";
        EXPECT_EQ(TRUE, DlgHandlerWindowProc(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0));
    });
    EXPECT_EQ(0, result);
}

// Creation -----------------------------------------------------------------------------------

namespace {
// Would make every owner-drawn item 40 pixels high, if asked.
class CMeasuringDlg : public CDlgHandler {
public:
    int measured = 0;
    INT_PTR OnMeasureItem(WPARAM id, MEASUREITEMSTRUCT* item) override
    {
        ++measured;
        item->itemHeight = 40;
        return CDlgHandler::OnMeasureItem(id, item);
    }
};
}

TEST_F(DlgHandler, MessagesBeforeInitDialogReachNoHandler)
{
    CSentMessages sent;
    CMeasuringDlg dialog;
    dialog.AddHook(&m_log);
    HWND window = NULL;
    LRESULT itemHeight = 0;
    RunModal(dialog, IDD_TEST_OWNER_DRAWN, [&](HWND d) {
        window = d;
        itemHeight = ::SendDlgItemMessageA(d, IDC_TEST_LIST, LB_GETITEMHEIGHT, 0, 0);
        ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });

    const std::vector<UINT> delivered = sent.To(window);
    const size_t init = IndexOf(delivered, WM_INITDIALOG);
    ASSERT_LT(init, delivered.size());
    EXPECT_LT(IndexOf(delivered, WM_SETFONT), init) << "the platform sends it first";
    EXPECT_LT(IndexOf(delivered, WM_MEASUREITEM), init) << "the platform sends it first";

    ASSERT_FALSE(m_log.Before().empty());
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), m_log.Before().front().message);
    EXPECT_FALSE(m_log.Saw(WM_SETFONT));
    EXPECT_EQ(0, dialog.measured);
    EXPECT_GT(itemHeight, 0);
    EXPECT_NE(40, itemHeight) << "the list keeps its default item height";
}

TEST_F(DlgHandler, TemplatesAreFoundByIdOrByNameAndMissingOnesGiveMinusOne)
{
    CBoxCatcher boxes;
    CDlgHandler dialog;
    std::string caption;
    INT_PTR named = RunModal(dialog, [&] { return dialog.DoModal(NULL, "FRAMEWORK_TEST_NAMED", TestInstance()); },
                             [&](HWND d) {
                                 caption = WindowTitle(d);
                                 ::PostMessageA(d, WM_COMMAND, IDOK, 0);
                             });
    EXPECT_EQ(1, named);
    EXPECT_EQ("Named Test Dialog", caption);

    EXPECT_EQ(-1, dialog.DoModal(NULL, IDD_TEST_MISSING, TestInstance()));
    EXPECT_EQ(-1, dialog.DoModal(NULL, "NO_SUCH_TEMPLATE", TestInstance()));
    EXPECT_TRUE(boxes.Boxes().empty()) << "nothing is reported";
    EXPECT_TRUE(DlgHandlerMap.empty());
    EXPECT_EQ(NULL, dialog.GetHandle());
}

// Exception barriers --------------------------------------------------------------------------

namespace {
enum ThrownKind { kNothing, kWindowsError, kOtherException };

void ThrowOne(ThrownKind kind)
{
    if (kind == kWindowsError) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        throw CWindowsError("Probe ");
    }
    if (kind == kOtherException)
        throw std::bad_alloc();
}

std::string ExpectedText(ThrownKind kind, const char* otherText)
{
    return kind == kWindowsError ? "Probe " + FormatSystemMessage(ERROR_ACCESS_DENIED) : otherText;
}

// Throws from OnInitDialog before it sets its text.
class CInitThrowingDlg : public CDlgHandler {
public:
    explicit CInitThrowingDlg(ThrownKind kind) : m_kind(kind) {}
    int inits = 0;
    INT_PTR OnInitDialog(WPARAM focus) override
    {
        ++inits;
        ThrowOne(m_kind);
        GetDlgItem(IDC_TEST_TEXT).SetWindowText("Set");
        return CDlgHandler::OnInitDialog(focus);
    }

private:
    ThrownKind m_kind;
};

class DlgInitThrowTest : public DlgHandler, public ::testing::WithParamInterface<ThrownKind> {};
}

TEST_P(DlgInitThrowTest, ErrorInOnInitDialogIsShownOnceAndTheDialogStillOpens)
{
    const ThrownKind kind = GetParam();
    CBoxCatcher boxes;
    CSentMessages sent;
    CInitThrowingDlg dialog(kind);
    HWND window = NULL;
    std::string text;
    INT_PTR result = RunModal(dialog, IDD_TEST_PLAIN, [&](HWND d) {
        window = d;
        text = ItemText(d, IDC_TEST_TEXT);
        ::PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(1, result) << "the dialog opened and went on";
    EXPECT_EQ(1, dialog.inits);
    EXPECT_EQ(kind == kNothing ? "Set" : "Not yet set", text);
    EXPECT_EQ(kind == kNothing ? TRUE : FALSE, sent.ResultOf(window, WM_INITDIALOG));
    if (kind == kNothing) {
        EXPECT_TRUE(boxes.Boxes().empty());
        return;
    }
    ASSERT_EQ(1u, boxes.Boxes().size());
    const CaughtBox& box = boxes.Boxes()[0];
    EXPECT_EQ(ExpectedText(kind, "Unknown Exception. Caught in CDlgHandler:OnMessage"), box.text);
    EXPECT_EQ(kDialogTitle, box.caption);
    EXPECT_EQ(kind == kWindowsError ? NULL : window, box.owner);
    EXPECT_TRUE(box.errorIcon);
}

std::string KindName(const ::testing::TestParamInfo<ThrownKind>& info)
{
    static const char* const names[] = {"NothingThrown", "WindowsError", "OtherException"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(DlgHandler, DlgInitThrowTest,
                         ::testing::Values(kNothing, kWindowsError, kOtherException), KindName);

namespace {
enum ThrowSite { kInHandler, kInBeforeHook, kInAfterHook, kInOnMessageOverride };
const UINT kThrowMessage = WM_APP + 1;

// Throws once, at its site, while dispatching kThrowMessage, which its handler processes (TRUE).
class CThrowingDlg : public CDlgHandler, public CMessageHook {
public:
    CThrowingDlg(ThrowSite site, ThrownKind kind) : m_site(site), m_kind(kind) { AddHook(this); }

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        ThrowAt(kInOnMessageOverride, message);
        return CDlgHandler::OnMessage(message, wParam, lParam);
    }
    INT_PTR OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kThrowMessage)
            return CDlgHandler::OnOtherMessage(message, wParam, lParam);
        ThrowAt(kInHandler, message);
        return TRUE;
    }
    void BeforeMessage(CWndProxy*, UINT message, WPARAM, LPARAM) override { ThrowAt(kInBeforeHook, message); }
    void AfterMessage(CWndProxy*, UINT message, WPARAM, LPARAM) override { ThrowAt(kInAfterHook, message); }

private:
    void ThrowAt(ThrowSite site, UINT message)
    {
        if (site == m_site && message == kThrowMessage && !m_thrown) {
            m_thrown = true;
            ThrowOne(m_kind);
        }
    }
    ThrowSite m_site;
    ThrownKind m_kind;
    bool m_thrown = false;
};

struct DlgBarrierCase {
    const char* name;
    ThrowSite site;
    ThrownKind kind;
    const char* text;  // for other exceptions
    bool ownedByDialog;
    INT_PTR result;
};
const char kOnMessageText[] = "Unknown Exception. Caught in CDlgHandler:OnMessage";
const char kProcText[] = "Unknown Exception. Caught in DlgHandlerWindowProc";
const DlgBarrierCase kDlgBarrierCases[] = {
    {"HandlerThrowsWindowsError", kInHandler, kWindowsError, NULL, false, FALSE},
    {"HandlerThrowsOther", kInHandler, kOtherException, kOnMessageText, true, FALSE},
    {"BeforeHookThrowsOther", kInBeforeHook, kOtherException, kOnMessageText, true, FALSE},
    {"AfterHookThrowsWindowsError", kInAfterHook, kWindowsError, NULL, false, TRUE},
    {"AfterHookThrowsOther", kInAfterHook, kOtherException, kOnMessageText, true, TRUE},
    {"OnMessageOverrideThrowsWindowsError", kInOnMessageOverride, kWindowsError, NULL, false, FALSE},
    {"OnMessageOverrideThrowsOther", kInOnMessageOverride, kOtherException, kProcText, false, FALSE},
};

void PrintTo(const DlgBarrierCase& c, std::ostream* out) { *out << c.name; }

class DlgBarrierTest : public DlgHandler, public ::testing::WithParamInterface<DlgBarrierCase> {};
}

TEST_P(DlgBarrierTest, ShowsOneErrorBoxCaptionedWithTheDialogTitleAndGoesOn)
{
    const DlgBarrierCase& c = GetParam();
    const std::string title = LongTitle();
    CBoxCatcher boxes;
    CThrowingDlg dialog(c.site, c.kind);
    HWND window = NULL;
    INT_PTR thrownResult = -1, laterResult = -1;
    INT_PTR result = RunModal(dialog, IDD_TEST_PLAIN, [&](HWND d) {
        window = d;
        ::SetWindowTextA(d, title.c_str());
        thrownResult = DlgHandlerWindowProc(d, kThrowMessage, 0, 0);
        laterResult = DlgHandlerWindowProc(d, kThrowMessage, 0, 0);
        ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(c.result, thrownResult);
    EXPECT_EQ(TRUE, laterResult) << "later messages are processed";
    EXPECT_EQ(0, result);
    ASSERT_EQ(1u, boxes.Boxes().size());
    const CaughtBox& box = boxes.Boxes()[0];
    EXPECT_EQ(ExpectedText(c.kind, c.text), box.text);
    EXPECT_EQ(title.substr(0, quortab::kTitleLimit), box.caption);
    EXPECT_EQ(c.ownedByDialog ? window : NULL, box.owner);
    EXPECT_TRUE(box.errorIcon);
}

INSTANTIATE_TEST_SUITE_P(DlgHandler, DlgBarrierTest, ::testing::ValuesIn(kDlgBarrierCases),
                         [](const ::testing::TestParamInfo<DlgBarrierCase>& info) { return std::string(info.param.name); });

// Nesting ------------------------------------------------------------------------------------

TEST_F(DlgHandler, NestedDialogsEachReceiveOnlyTheirOwnMessages)
{
    const UINT kForOuter = WM_APP + 10, kForInner = WM_APP + 11;
    CMessageRecorder outerLog, innerLog;
    CDlgHandler outer, inner;
    outer.AddHook(&outerLog);
    inner.AddHook(&innerLog);
    HWND outerWindow = NULL, innerWindow = NULL;
    size_t boundBoth = 0;
    CDlgHandler *foundOuter = NULL, *foundInner = NULL;
    INT_PTR innerResult = -2;
    INT_PTR outerResult = RunModal(outer, IDD_TEST_PLAIN, [&](HWND o) {
        outerWindow = o;
        innerResult = RunModal(inner, IDD_TEST_PLAIN, [&](HWND i) {
            innerWindow = i;
            boundBoth = DlgHandlerMap.size();
            foundOuter = CDlgHandler::FromHandle(o);
            foundInner = CDlgHandler::FromHandle(i);
            ::PostMessageA(o, kForOuter, 0, 0);
            ::PostMessageA(i, kForInner, 0, 0);
            ::PostMessageA(i, WM_COMMAND, IDOK, 0);
        }, o);
        ::PostMessageA(o, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(1, innerResult);
    EXPECT_EQ(0, outerResult);
    EXPECT_NE(outerWindow, innerWindow);
    EXPECT_EQ(2u, boundBoth);
    EXPECT_EQ(&outer, foundOuter);
    EXPECT_EQ(&inner, foundInner);
    EXPECT_TRUE(outerLog.Saw(kForOuter));
    EXPECT_FALSE(outerLog.Saw(kForInner));
    EXPECT_TRUE(innerLog.Saw(kForInner));
    EXPECT_FALSE(innerLog.Saw(kForOuter));
    EXPECT_FALSE(SawCommand(outerLog, IDOK));
    EXPECT_FALSE(SawCommand(innerLog, IDCANCEL));
    // Neither sees the other's messages from before its WM_INITDIALOG or after its WM_DESTROY.
    for (const CMessageRecorder* log : {&outerLog, &innerLog}) {
        ASSERT_FALSE(log->Before().empty());
        EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), log->Before().front().message);
        EXPECT_EQ(static_cast<UINT>(WM_DESTROY), log->Before().back().message);
        EXPECT_FALSE(log->Saw(WM_SETFONT));
    }
    EXPECT_TRUE(DlgHandlerMap.empty());
}
