#include "FrameworkTestSupport.h"
#include "BoxCatcher.h"
#include "MessageRecorder.h"
#include "QuorTabNames.h"
#include "WindowFacts.h"
#include <algorithm>
#include <new>
#include <ostream>
#include <string>

namespace {
// Counts deletions, so that a test sees an object deleted exactly once.
class CCountedWnd : public CWndHandler {
public:
    static int deleted;
    ~CCountedWnd() override { ++deleted; }
};
int CCountedWnd::deleted = 0;

class WndHandler : public CFrameworkTest {
protected:
    void SetUp() override
    {
        CFrameworkTest::SetUp();
        CCountedWnd::deleted = 0;
    }
    CMessageRecorder m_log;  // outlives every window that a test hooks it to
};
}

// Creation and destruction ------------------------------------------------------------------

namespace {
class CLifeProbe : public CCountedWnd {
public:
    int minMaxInfos = 0;
    CREATESTRUCTA created = {};
    std::string createdName;

    LRESULT OnGetMinMaxInfo(MINMAXINFO* info) override
    {
        ++minMaxInfos;
        return CWndHandler::OnGetMinMaxInfo(info);
    }
    LRESULT OnCreate(CREATESTRUCTA* create) override
    {
        created = *create;
        createdName = create->lpszName;
        return CWndHandler::OnCreate(create);
    }
};

// A hidden overlapped window: its first WM_GETMINMAXINFO comes before WM_NCCREATE and is
// answered without the object.
const ExpectedMessage kCreateHiddenOverlapped[] = {
    {WM_NCCREATE, 0, 0, 0}, {WM_NCCALCSIZE, 0, 0, 0}, {WM_CREATE, 0, 0, 0}, {0, 0, 0, 0}
};
const ExpectedMessage kDestroyHidden[] = {
    {WM_DESTROY, 0, 0, 0}, {WM_NCDESTROY, 0, 0, 0}, {0, 0, 0, 0}
};
}

TEST_F(WndHandler, ObjectSeesItsWindowFromNcCreateToNcDestroy)
{
    CSentMessages sent;
    CLifeProbe* probe = new CLifeProbe;
    probe->AddHook(&m_log);
    HWND window = CreateTestWindow(probe, "Life");
    ASSERT_TRUE(window);

    const std::vector<UINT> delivered = sent.To(window);
    ASSERT_FALSE(delivered.empty());
    EXPECT_EQ(static_cast<UINT>(WM_GETMINMAXINFO), delivered.front()) << "the platform's first message";
    EXPECT_TRUE(MatchesSequence(m_log.Before(), kCreateHiddenOverlapped));
    EXPECT_EQ(0, probe->minMaxInfos);
    EXPECT_EQ(probe, CWndHandler::FromHandle(window));
    EXPECT_EQ(probe, probe->created.lpCreateParams);
    EXPECT_EQ("Life", probe->createdName);

    probe->SetWindowPos(CWndProxy(), 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_GE(probe->minMaxInfos, 1) << "later ones reach the handler";

    m_log.Clear();
    ::DestroyWindow(window);
    EXPECT_TRUE(MatchesSequence(m_log.Before(), kDestroyHidden));
    EXPECT_EQ(std::vector<UINT>{WM_DESTROY}, m_log.After()) << "no AfterMessage once the object is gone";
    EXPECT_EQ(1, CCountedWnd::deleted);
    EXPECT_EQ(NULL, CWndHandler::FromHandle(window));
    WPARAM exitCode = 99;
    EXPECT_TRUE(TakeQuit(&exitCode)) << "it was the only framework window";
    EXPECT_EQ(0u, exitCode);
}

namespace {
struct Closing {
    const char* name;
    UINT message;
    WPARAM wParam;
    ExpectedMessage sequence[5];
};
const Closing kClosings[] = {
    {"close", WM_CLOSE, 0,
     {{WM_CLOSE, 0, 0, 0}, {WM_DESTROY, 0, 0, 0}, {WM_NCDESTROY, 0, 0, 0}, {0, 0, 0, 0}}},
    {"close box", WM_SYSCOMMAND, SC_CLOSE,
     {{WM_SYSCOMMAND, 0, 0, 0}, {WM_CLOSE, 0, 0, 0}, {WM_DESTROY, 0, 0, 0}, {WM_NCDESTROY, 0, 0, 0}, {0, 0, 0, 0}}},
};
}

TEST_F(WndHandler, MessagesThatDestroyTheWindowTouchNoHookOnceTheObjectIsGone)
{
    for (const Closing& c : kClosings) {
        SCOPED_TRACE(c.name);
        CCountedWnd::deleted = 0;
        CCountedWnd* object = new CCountedWnd;
        object->AddHook(&m_log);
        HWND window = CreateTestWindow(object, "Closing");
        m_log.Clear();
        ::SendMessageA(window, c.message, c.wParam, 0);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(1, CCountedWnd::deleted);
        EXPECT_TRUE(MatchesSequence(m_log.Before(), c.sequence));
        EXPECT_EQ(std::vector<UINT>{WM_DESTROY}, m_log.After());
        EXPECT_TRUE(TakeQuit());
    }
}

TEST_F(WndHandler, QuitIsPostedOnlyWhenTheLastFrameworkWindowIsGone)
{
    HWND first = CreateTestWindow(new CCountedWnd, "First");
    HWND second = CreateTestWindow(new CCountedWnd, "Second");
    ::DestroyWindow(first);
    EXPECT_FALSE(TakeQuit());
    EXPECT_EQ(1, CCountedWnd::deleted);
    ::DestroyWindow(second);
    WPARAM exitCode = 99;
    EXPECT_TRUE(TakeQuit(&exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(2, CCountedWnd::deleted);
    EXPECT_TRUE(WndHandlerMap.empty());
}

namespace {
// Declines its creation at the stage it is told.
class CRefusingWnd : public CCountedWnd {
public:
    explicit CRefusingWnd(UINT stage) : m_stage(stage) {}
    LRESULT OnCreate(CREATESTRUCTA* create) override
        { return m_stage == WM_CREATE ? -1 : CWndHandler::OnCreate(create); }
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCCREATE && m_stage == WM_NCCREATE)
            return FALSE;
        return CWndHandler::OnOtherMessage(message, wParam, lParam);
    }

private:
    UINT m_stage;
};

struct DeclinedCreation {
    const char* name;
    UINT stage;
    bool otherWindow;  // another framework window lives on
};
const DeclinedCreation kDeclinedCreations[] = {
    {"OnCreateReturnsMinusOne", WM_CREATE, false},
    {"NcCreateReturnsFalse", WM_NCCREATE, false},
    {"OnCreateReturnsMinusOneBesideAnotherWindow", WM_CREATE, true},
};

void PrintTo(const DeclinedCreation& c, std::ostream* out) { *out << c.name; }

class DeclinedCreationTest : public WndHandler, public ::testing::WithParamInterface<DeclinedCreation> {};
}

TEST_P(DeclinedCreationTest, ObjectIsDeletedOnceBeforeCreateWndThrows)
{
    const DeclinedCreation& c = GetParam();
    HWND other = c.otherWindow ? CreateTestWindow(new CWndHandler, "Other") : NULL;
    try {
        CreateTestWindow(new CRefusingWnd(c.stage), "Refusing");
        ADD_FAILURE() << "no exception";
    } catch (const CWindowsError& error) {
        EXPECT_EQ("CWndHandler::CreateWnd ", error.GetText());
        EXPECT_EQ(1, CCountedWnd::deleted) << "deleted by its own WM_NCDESTROY";
    }
    EXPECT_EQ(c.otherWindow ? 1u : 0u, WndHandlerMap.size());
    WPARAM exitCode = 99;
    EXPECT_EQ(!c.otherWindow, TakeQuit(&exitCode));
    if (!c.otherWindow) {
        EXPECT_EQ(0u, exitCode);
    }
    if (other)
        ::DestroyWindow(other);
}

INSTANTIATE_TEST_SUITE_P(WndHandler, DeclinedCreationTest, ::testing::ValuesIn(kDeclinedCreations),
                         [](const ::testing::TestParamInfo<DeclinedCreation>& info) { return std::string(info.param.name); });

// The caller never has to guess: a throw means the object is gone, bound or not.
TEST_F(WndHandler, CreationFailingBeforeNcCreateDeletesTheObjectToo)
{
    try {
        (new CCountedWnd)->CreateWnd("QuorNoSuchClass", "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 100, 100, NULL, NULL, TestInstance());
        ADD_FAILURE() << "no exception";
    } catch (const CWindowsError& error) {
        EXPECT_EQ("CWndHandler::CreateWnd ", error.GetText());
        EXPECT_NE(0u, error.GetCode()) << "the code is read before the object goes";
    }
    EXPECT_EQ(1, CCountedWnd::deleted);
    EXPECT_TRUE(WndHandlerMap.empty());
    EXPECT_FALSE(TakeQuit());
}

TEST_F(WndHandler, AttachBindsAndUnbindRemovesAndPostsQuitWhenNoneIsLeft)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    CWndHandler first, second;
    first.Attach(window);
    second.Attach(window);
    EXPECT_EQ(&first, CWndHandler::FromHandle(window)) << "the first binding stays";
    EXPECT_EQ(window, second.GetHandle());
    EXPECT_EQ(1u, WndHandlerMap.size());

    first.Unbind();
    EXPECT_EQ(NULL, CWndHandler::FromHandle(window));
    EXPECT_EQ(window, first.GetHandle()) << "Unbind keeps the handle";
    EXPECT_TRUE(TakeQuit());
    ::DestroyWindow(window);
}

// Window classes ------------------------------------------------------------------------------

TEST_F(WndHandler, RegisterWndClassFillsTheClassAndASecondRegistrationThrows)
{
    HICON icon = ::LoadIconA(NULL, IDI_APPLICATION);
    ATOM atom = RegisterWndClass(TestInstance(), "QuorRegisteredTwice", CS_DBLCLKS, icon);
    ASSERT_NE(0, atom);
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetClassInfoExA(TestInstance(), "QuorRegisteredTwice", &info));
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), info.style);
    EXPECT_EQ(&WndHandlerWindowProc, info.lpfnWndProc);
    EXPECT_EQ(::LoadCursorA(NULL, IDC_ARROW), info.hCursor);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), info.hbrBackground);
    EXPECT_EQ(icon, info.hIcon);
    EXPECT_EQ(NULL, info.lpszMenuName);
    EXPECT_EQ(0, info.cbClsExtra);
    EXPECT_EQ(0, info.cbWndExtra);

    try {
        RegisterWndClass(TestInstance(), "QuorRegisteredTwice", 0, NULL);
        ADD_FAILURE() << "no exception";
    } catch (const CWindowsError& error) {
        EXPECT_EQ("Windows Error : ", error.GetText());
        EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS), error.GetCode());
    }
}

// Default behaviour ---------------------------------------------------------------------------

namespace {
const char kDefaultClass[] = "QuorDefWindowProc";

struct ComparedMessage {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
// Both windows stand at (100, 100), 300 x 200.
const ComparedMessage kComparedMessages[] = {
    {"hit test on the caption", WM_NCHITTEST, 0, MAKELPARAM(200, 108)},
    {"hit test in the client area", WM_NCHITTEST, 0, MAKELPARAM(250, 200)},
    {"hit test on the lower right corner", WM_NCHITTEST, 0, MAKELPARAM(399, 299)},
    {"hit test outside", WM_NCHITTEST, 0, MAKELPARAM(20, 20)},
    {"text length", WM_GETTEXTLENGTH, 0, 0},
    {"mouse activation", WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
    {"query open", WM_QUERYOPEN, 0, 0},
    {"query end of session", WM_QUERYENDSESSION, 0, 0},
    {"dialog code", WM_GETDLGCODE, 0, 0},
    {"set cursor", WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
    {"unknown message", WM_APP + 7, 1, 2},
};
}

TEST_F(WndHandler, ClassWithoutOverridesBehavesLikeDefWindowProc)
{
    WNDCLASSEXA plain = {};
    plain.cbSize = sizeof plain;
    plain.lpfnWndProc = ::DefWindowProcA;
    plain.hInstance = TestInstance();
    plain.lpszClassName = kDefaultClass;
    plain.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassExA(&plain);
    HWND reference = ::CreateWindowExA(0, kDefaultClass, "Same Title", WS_OVERLAPPEDWINDOW,
                                       100, 100, 300, 200, NULL, NULL, TestInstance(), NULL);
    HWND window = CreateTestWindow(new CCountedWnd, "Same Title");
    ASSERT_TRUE(reference);

    for (const ComparedMessage& m : kComparedMessages)
        EXPECT_EQ(::SendMessageA(reference, m.message, m.wParam, m.lParam),
                  ::SendMessageA(window, m.message, m.wParam, m.lParam)) << m.name;

    RECT expected = {};
    for (HWND each : {reference, window})
        ::SetWindowPos(each, NULL, 150, 120, 420, 310, SWP_NOZORDER | SWP_NOACTIVATE);
    ::GetWindowRect(reference, &expected);
    RECT moved = {};
    ::GetWindowRect(window, &moved);
    EXPECT_TRUE(::EqualRect(&expected, &moved));
    EXPECT_EQ(150, moved.left);
    EXPECT_EQ(310, moved.bottom - moved.top);

    ::SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(1, CCountedWnd::deleted);
    WPARAM exitCode = 99;
    EXPECT_TRUE(TakeQuit(&exitCode));
    EXPECT_EQ(0u, exitCode);
    ::DestroyWindow(reference);
}

namespace {
std::vector<UINT> g_defaulted;

LRESULT CALLBACK RecordingDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP)
        g_defaulted.push_back(message);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Sends itself another message while it handles WM_APP, then asks for WM_APP's default.
class CNestingWnd : public CWndHandler {
public:
    CNestingWnd() : CWndHandler(RecordingDefaultProc) {}
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP)
            SendMessage(WM_APP + 1, 0, 0);
        return CWndHandler::OnOtherMessage(message, wParam, lParam);
    }
};
}

TEST_F(WndHandler, DefaultProcessingAfterANestedDispatchForwardsTheHandlersOwnMessage)
{
    HWND window = CreateTestWindow(new CNestingWnd, "Nesting");
    g_defaulted.clear();
    ::SendMessageA(window, WM_APP, 0, 0);
    EXPECT_EQ((std::vector<UINT>{WM_APP + 1, WM_APP}), g_defaulted);
    ::DestroyWindow(window);
}

// Exception barriers --------------------------------------------------------------------------

namespace {
enum ThrowSite { kInHandler, kInBeforeHook, kInAfterHook, kInDefaultProc, kInOnMessageOverride };
enum ThrownKind { kWindowsError, kOtherException };
const UINT kThrowMessage = WM_APP + 1;
const LRESULT kHandled = 42;

ThrownKind g_kind = kWindowsError;

void ThrowOne()
{
    if (g_kind == kWindowsError) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        throw CWindowsError("Probe ");
    }
    throw std::bad_alloc();
}

LRESULT CALLBACK ThrowingDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kThrowMessage)
        ThrowOne();
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Throws once, at its site, while dispatching kThrowMessage; answers it with kHandled otherwise.
class CThrowingWnd : public CWndHandler, public CMessageHook {
public:
    explicit CThrowingWnd(ThrowSite site)
        : CWndHandler(site == kInDefaultProc ? ThrowingDefaultProc : ::DefWindowProcA), m_site(site)
        { AddHook(this); }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kThrowMessage && m_site == kInOnMessageOverride)
            ThrowOne();
        return CWndHandler::OnMessage(message, wParam, lParam);
    }
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kThrowMessage)
            return CWndHandler::OnOtherMessage(message, wParam, lParam);
        if (m_site == kInHandler)
            ThrowOne();
        return m_site == kInDefaultProc ? DoDefault() : kHandled;
    }
    void BeforeMessage(CWndProxy*, UINT message, WPARAM, LPARAM) override
        { if (message == kThrowMessage && m_site == kInBeforeHook) ThrowOne(); }
    void AfterMessage(CWndProxy*, UINT message, WPARAM, LPARAM) override
        { if (message == kThrowMessage && m_site == kInAfterHook) ThrowOne(); }

private:
    ThrowSite m_site;
};

struct BarrierCase {
    const char* name;
    ThrowSite site;
    ThrownKind kind;
    const char* text;  // for other exceptions; a CWindowsError shows its GetErrorText
    LRESULT result;
};
const char kOnMessageText[] = "Unknown Exception. Caught in CWndHandler::OnMessage";
const BarrierCase kBarrierCases[] = {
    {"HandlerThrowsWindowsError", kInHandler, kWindowsError, NULL, 0},
    {"HandlerThrowsOther", kInHandler, kOtherException, kOnMessageText, 0},
    {"BeforeHookThrowsOther", kInBeforeHook, kOtherException, kOnMessageText, 0},
    {"AfterHookThrowsWindowsError", kInAfterHook, kWindowsError, NULL, kHandled},
    {"AfterHookThrowsOther", kInAfterHook, kOtherException, kOnMessageText, kHandled},
    {"DefaultProcThrowsWindowsError", kInDefaultProc, kWindowsError, NULL, 0},
    {"DefaultProcThrowsOther", kInDefaultProc, kOtherException,
     "Unknown Exception. Caught in CWndHandler::DoDefault", 0},
    {"OnMessageOverrideThrowsWindowsError", kInOnMessageOverride, kWindowsError, NULL, 0},
    {"OnMessageOverrideThrowsOther", kInOnMessageOverride, kOtherException,
     "Unknown Exception. Caught in WndHandlerWindowProc", 0},
};

void PrintTo(const BarrierCase& c, std::ostream* out) { *out << c.name; }

class WndBarrierTest : public WndHandler, public ::testing::WithParamInterface<BarrierCase> {};
}

TEST_P(WndBarrierTest, ShowsOneErrorBoxOwnedByTheWindowAndGoesOn)
{
    const BarrierCase& c = GetParam();
    g_kind = c.kind;
    const std::string title = LongTitle('A');
    CBoxCatcher boxes;
    HWND window = CreateTestWindow(new CThrowingWnd(c.site), title.c_str());

    EXPECT_EQ(c.result, ::SendMessageA(window, kThrowMessage, 0, 0));
    ASSERT_EQ(1u, boxes.Boxes().size());
    const CaughtBox& box = boxes.Boxes()[0];
    EXPECT_EQ(c.text ? std::string(c.text) : "Probe " + FormatSystemMessage(ERROR_ACCESS_DENIED), box.text);
    EXPECT_EQ(title.substr(0, quortab::kTitleLimit), box.caption);
    EXPECT_EQ(window, box.owner);
    EXPECT_TRUE(box.errorIcon);

    EXPECT_EQ(kLongTitleChars, ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) << "later messages are processed";
    EXPECT_EQ(1u, boxes.Boxes().size());
    ::DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(WndHandler, WndBarrierTest, ::testing::ValuesIn(kBarrierCases),
                         [](const ::testing::TestParamInfo<BarrierCase>& info) { return std::string(info.param.name); });

namespace {
// Refuses every new title without an error code, and on kThrowMessage tries to take one.
class CTextRefusingWnd : public CWndHandler {
public:
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT) {
            ::SetLastError(0);
            return FALSE;
        }
        if (message == kThrowMessage) {
            SetWindowText("New Title");
            return kHandled;
        }
        return CWndHandler::OnOtherMessage(message, wParam, lParam);
    }
};
}

TEST_F(WndHandler, CheckedCallFailingWithoutErrorCodeStillThrows)
{
    CBoxCatcher boxes;
    HWND window = CreateTestWindow(new CTextRefusingWnd, "Refuses Titles");
    EXPECT_EQ(0, ::SendMessageA(window, kThrowMessage, 0, 0));
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("CWndProxy::SetWindowText " + FormatSystemMessage(0), boxes.Boxes()[0].text);
    EXPECT_EQ("Refuses Titles", boxes.Boxes()[0].caption);
    ::DestroyWindow(window);
}

// Argument unpacking --------------------------------------------------------------------------

namespace {
template <class T> long long V(T value) { return static_cast<long long>(value); }
template <class T> long long V(T* pointer) { return static_cast<long long>(reinterpret_cast<INT_PTR>(pointer)); }

const LRESULT kRecorded = 0x51A7;

// Every handler notes its name and arguments and answers kRecorded.
class CArgumentProbe : public CWndHandler {
public:
    std::string handler;
    std::vector<long long> args;

    LRESULT OnCreate(CREATESTRUCTA* c) override { return Note("OnCreate", {V(c)}); }
    LRESULT OnMove(int x, int y) override { return Note("OnMove", {V(x), V(y)}); }
    LRESULT OnMouseMove(WPARAM k, UINT x, UINT y) override { return Mouse("OnMouseMove", k, x, y); }
    LRESULT OnMouseLeave() override { return Note("OnMouseLeave", {}); }
    LRESULT OnLButtonDown(WPARAM k, UINT x, UINT y) override { return Mouse("OnLButtonDown", k, x, y); }
    LRESULT OnLButtonUp(WPARAM k, UINT x, UINT y) override { return Mouse("OnLButtonUp", k, x, y); }
    LRESULT OnLButtonDblClk(WPARAM k, UINT x, UINT y) override { return Mouse("OnLButtonDblClk", k, x, y); }
    LRESULT OnRButtonDown(WPARAM k, UINT x, UINT y) override { return Mouse("OnRButtonDown", k, x, y); }
    LRESULT OnRButtonUp(WPARAM k, UINT x, UINT y) override { return Mouse("OnRButtonUp", k, x, y); }
    LRESULT OnRButtonDblClk(WPARAM k, UINT x, UINT y) override { return Mouse("OnRButtonDblClk", k, x, y); }
    LRESULT OnMButtonDown(WPARAM k, UINT x, UINT y) override { return Mouse("OnMButtonDown", k, x, y); }
    LRESULT OnMButtonUp(WPARAM k, UINT x, UINT y) override { return Mouse("OnMButtonUp", k, x, y); }
    LRESULT OnMButtonDblClk(WPARAM k, UINT x, UINT y) override { return Mouse("OnMButtonDblClk", k, x, y); }
    LRESULT OnActivate(WPARAM w, LPARAM l) override { return Note("OnActivate", {V(w), V(l)}); }
    LRESULT OnCommand(UINT c, WPARAM id, LPARAM w) override { return Note("OnCommand", {V(c), V(id), V(w)}); }
    LRESULT OnContextMenu(HWND w, UINT x, UINT y) override { return Note("OnContextMenu", {V(w), V(x), V(y)}); }
    LRESULT OnDrawItem(WPARAM id, DRAWITEMSTRUCT* d) override { return Note("OnDrawItem", {V(id), V(d)}); }
    LRESULT OnDropFiles(HDROP d) override { return Note("OnDropFiles", {V(d)}); }
    LRESULT OnEraseBkgnd(CDCProxy* dc) override { return Note("OnEraseBkgnd", {V(dc->GetHandle())}); }
    LRESULT OnEnterSizeMove() override { return Note("OnEnterSizeMove", {}); }
    LRESULT OnExitSizeMove() override { return Note("OnExitSizeMove", {}); }
    LRESULT OnGetIcon(WPARAM t) override { return Note("OnGetIcon", {V(t)}); }
    LRESULT OnGetMinMaxInfo(MINMAXINFO* i) override { return Note("OnGetMinMaxInfo", {V(i)}); }
    LRESULT OnHotKey(UINT m, UINT k, WPARAM id) override { return Note("OnHotKey", {V(m), V(k), V(id)}); }
    LRESULT OnHScroll(HWND b, UINT c, UINT p) override { return Note("OnHScroll", {V(b), V(c), V(p)}); }
    LRESULT OnVScroll(HWND b, UINT c, UINT p) override { return Note("OnVScroll", {V(b), V(c), V(p)}); }
    LRESULT OnInitMenuPopup(HMENU m, UINT i, UINT w) override { return Note("OnInitMenuPopup", {V(m), V(i), V(w)}); }
    LRESULT OnKeyDown(WPARAM k, LPARAM* d) override { return Note("OnKeyDown", {V(k), V(*d)}); }
    LRESULT OnKeyUp(WPARAM k, LPARAM* d) override { return Note("OnKeyUp", {V(k), V(*d)}); }
    LRESULT OnMeasureItem(WPARAM id, MEASUREITEMSTRUCT* m) override { return Note("OnMeasureItem", {V(id), V(m)}); }
    LRESULT OnMenuSelect(UINT i, UINT f, HMENU m) override { return Note("OnMenuSelect", {V(i), V(f), V(m)}); }
    LRESULT OnMouseWheel(UINT k, UINT d, LPARAM* p) override { return Note("OnMouseWheel", {V(k), V(d), V(*p)}); }
    LRESULT OnNotify(WPARAM id, NMHDR* h) override { return Note("OnNotify", {V(id), V(h)}); }
    LRESULT OnSettingChange(WPARAM w, LPARAM l) override { return Note("OnSettingChange", {V(w), V(l)}); }
    LRESULT OnSetCursor(HWND w, UINT h, UINT m) override { return Note("OnSetCursor", {V(w), V(h), V(m)}); }
    LRESULT OnSize(WPARAM t, UINT w, UINT h) override { return Note("OnSize", {V(t), V(w), V(h)}); }
    LRESULT OnSizing(WPARAM e, RECT* r) override { return Note("OnSizing", {V(e), V(r)}); }
    LRESULT OnSysKeyDown(WPARAM k, LPARAM* d) override { return Note("OnSysKeyDown", {V(k), V(*d)}); }
    LRESULT OnSysKeyUp(WPARAM k, LPARAM* d) override { return Note("OnSysKeyUp", {V(k), V(*d)}); }
    LRESULT OnTimer(WPARAM id, LPARAM p) override { return Note("OnTimer", {V(id), V(p)}); }
    LRESULT OnClose() override { return Note("OnClose", {}); }
    LRESULT OnDestroy() override { return Note("OnDestroy", {}); }
    LRESULT OnNcMouseMove(WPARAM h, UINT x, UINT y) override { return Note("OnNcMouseMove", {V(h), V(x), V(y)}); }
    LRESULT OnOtherMessage(UINT m, WPARAM w, LPARAM l) override { return Note("OnOtherMessage", {V(m), V(w), V(l)}); }

private:
    LRESULT Note(const char* name, std::vector<long long> values)
    {
        handler += handler.empty() ? name : std::string(" and ") + name;
        args = values;
        return kRecorded;
    }
    LRESULT Mouse(const char* name, WPARAM keys, UINT x, UINT y) { return Note(name, {V(keys), V(x), V(y)}); }
};

LPARAM Words(int low, int high) { return static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(low, high))); }
template <class T> long long P(T* pointer) { return V(pointer); }

CREATESTRUCTA g_create;
DRAWITEMSTRUCT g_draw;
MEASUREITEMSTRUCT g_measure;
MINMAXINFO g_minMax;
NMHDR g_header;
RECT g_rect;
const long long kHandle = 0x1234;  // a handle value that is only passed on, never used

struct Unpacking {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* handler;
    std::vector<long long> args;
};
const Unpacking kUnpackings[] = {
    {"create", WM_CREATE, 0, P(&g_create), "OnCreate", {P(&g_create)}},
    {"move, signed", WM_MOVE, 0, Words(-20, -3), "OnMove", {-20, -3}},
    {"move", WM_MOVE, 0, Words(640, 480), "OnMove", {640, 480}},
    {"mouse move, unsigned", WM_MOUSEMOVE, MK_LBUTTON, Words(-1, 300), "OnMouseMove", {MK_LBUTTON, 65535, 300}},
    {"mouse leave", WM_MOUSELEAVE, 1, 2, "OnMouseLeave", {}},
    {"left down", WM_LBUTTONDOWN, MK_LBUTTON, Words(1, 2), "OnLButtonDown", {MK_LBUTTON, 1, 2}},
    {"left up", WM_LBUTTONUP, 0, Words(3, 4), "OnLButtonUp", {0, 3, 4}},
    {"left double", WM_LBUTTONDBLCLK, MK_LBUTTON, Words(5, 6), "OnLButtonDblClk", {MK_LBUTTON, 5, 6}},
    {"right down", WM_RBUTTONDOWN, MK_RBUTTON, Words(7, 8), "OnRButtonDown", {MK_RBUTTON, 7, 8}},
    {"right up", WM_RBUTTONUP, MK_SHIFT, Words(9, 10), "OnRButtonUp", {MK_SHIFT, 9, 10}},
    {"right double", WM_RBUTTONDBLCLK, MK_RBUTTON, Words(11, 12), "OnRButtonDblClk", {MK_RBUTTON, 11, 12}},
    {"middle down", WM_MBUTTONDOWN, MK_MBUTTON, Words(13, 14), "OnMButtonDown", {MK_MBUTTON, 13, 14}},
    {"middle up", WM_MBUTTONUP, MK_CONTROL, Words(15, 16), "OnMButtonUp", {MK_CONTROL, 15, 16}},
    {"middle double", WM_MBUTTONDBLCLK, MK_MBUTTON, Words(-17, 18), "OnMButtonDblClk", {MK_MBUTTON, 65519, 18}},
    {"activate", WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), kHandle, "OnActivate", {0x10002, kHandle}},
    {"command with code 1 and id 40011", WM_COMMAND, MAKEWPARAM(40011, 1), kHandle, "OnCommand", {1, 0x19C4B, kHandle}},
    {"context menu by keyboard", WM_CONTEXTMENU, kHandle, 0xFFFFFFFF, "OnContextMenu", {kHandle, 65535, 65535}},
    {"context menu by keyboard, sign-extended", WM_CONTEXTMENU, kHandle, -1, "OnContextMenu", {kHandle, 65535, 65535}},
    {"context menu left of and above the screen", WM_CONTEXTMENU, kHandle, Words(-20, -3), "OnContextMenu", {kHandle, 65516, 65533}},
    {"draw item", WM_DRAWITEM, 5, P(&g_draw), "OnDrawItem", {5, P(&g_draw)}},
    {"drop files", WM_DROPFILES, kHandle, 0, "OnDropFiles", {kHandle}},
    {"erase background", WM_ERASEBKGND, kHandle, 0, "OnEraseBkgnd", {kHandle}},
    {"enter size move", WM_ENTERSIZEMOVE, 0, 0, "OnEnterSizeMove", {}},
    {"exit size move", WM_EXITSIZEMOVE, 0, 0, "OnExitSizeMove", {}},
    {"get icon", WM_GETICON, ICON_SMALL, 96, "OnGetIcon", {ICON_SMALL}},
    {"min max info", WM_GETMINMAXINFO, 0, P(&g_minMax), "OnGetMinMaxInfo", {P(&g_minMax)}},
    {"hot key", WM_HOTKEY, 7, Words(MOD_CONTROL | MOD_ALT, 'Q'), "OnHotKey", {MOD_CONTROL | MOD_ALT, 'Q', 7}},
    {"horizontal scroll", WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300), kHandle, "OnHScroll", {kHandle, SB_THUMBTRACK, 300}},
    {"vertical scroll", WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0, "OnVScroll", {0, SB_LINEDOWN, 0}},
    {"menu popup", WM_INITMENUPOPUP, kHandle, Words(3, 1), "OnInitMenuPopup", {kHandle, 3, 1}},
    {"key down", WM_KEYDOWN, 'A', 0x001E0001, "OnKeyDown", {'A', 0x001E0001}},
    {"key up", WM_KEYUP, 'A', 0xC01E0001, "OnKeyUp", {'A', 0xC01E0001}},
    {"measure item", WM_MEASUREITEM, 5, P(&g_measure), "OnMeasureItem", {5, P(&g_measure)}},
    {"menu select", WM_MENUSELECT, MAKEWPARAM(40011, MF_POPUP | MF_HILITE), kHandle, "OnMenuSelect", {40011, MF_POPUP | MF_HILITE, kHandle}},
    {"wheel toward the user", WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, -120), Words(-20, 300), "OnMouseWheel", {MK_SHIFT, 65416, Words(-20, 300)}},
    {"notify", WM_NOTIFY, 5, P(&g_header), "OnNotify", {5, P(&g_header)}},
    {"setting change", WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, "OnSettingChange", {SPI_SETWORKAREA, 0}},
    {"set cursor", WM_SETCURSOR, kHandle, Words(HTCLIENT, WM_MOUSEMOVE), "OnSetCursor", {kHandle, HTCLIENT, WM_MOUSEMOVE}},
    {"size", WM_SIZE, SIZE_MAXIMIZED, Words(640, 480), "OnSize", {SIZE_MAXIMIZED, 640, 480}},
    {"sizing", WM_SIZING, WMSZ_BOTTOMRIGHT, P(&g_rect), "OnSizing", {WMSZ_BOTTOMRIGHT, P(&g_rect)}},
    {"system key down", WM_SYSKEYDOWN, VK_F10, 0x20440001, "OnSysKeyDown", {VK_F10, 0x20440001}},
    {"system key up", WM_SYSKEYUP, VK_F10, 0xE0440001, "OnSysKeyUp", {VK_F10, 0xE0440001}},
    {"timer", WM_TIMER, 9, kHandle, "OnTimer", {9, kHandle}},
    {"close", WM_CLOSE, 0, 0, "OnClose", {}},
    {"destroy", WM_DESTROY, 0, 0, "OnDestroy", {}},
    {"non-client mouse move", WM_NCMOUSEMOVE, HTCAPTION, Words(-2, 5), "OnNcMouseMove", {HTCAPTION, 65534, 5}},
    {"any other message", WM_APP + 5, 0x11, 0x22, "OnOtherMessage", {WM_APP + 5, 0x11, 0x22}},
};
}

TEST(WndHandlerDispatch, EachMessageReachesItsHandlerWithItsArgumentsUnpacked)
{
    CArgumentProbe probe;  // no window needed: the dispatcher alone unpacks
    for (const Unpacking& u : kUnpackings) {
        SCOPED_TRACE(u.what);
        probe.handler.clear();
        EXPECT_EQ(kRecorded, probe.OnMessage(u.message, u.wParam, u.lParam));
        EXPECT_EQ(u.handler, probe.handler);
        EXPECT_EQ(u.args, probe.args);
    }
}

namespace {
// Changes the key data and the cursor position through the pointers it is given.
class CParamWriter : public CWndHandler {
public:
    LRESULT OnKeyDown(WPARAM key, LPARAM* keyData) override { *keyData = 0x7777; return CWndHandler::OnKeyDown(key, keyData); }
    LRESULT OnMouseWheel(UINT keys, UINT delta, LPARAM* position) override { *position = 0x8888; return CWndHandler::OnMouseWheel(keys, delta, position); }
};
}

TEST_F(WndHandler, AfterMessageSeesWhatAKeyOrWheelHandlerWroteThroughItsPointer)
{
    CParamHook hook;
    CParamWriter* writer = new CParamWriter;
    writer->AddHook(&hook);
    HWND window = CreateTestWindow(writer, "Writer");
    hook.before.clear();
    hook.after.clear();
    ::SendMessageA(window, WM_KEYDOWN, 'A', 0x1E0001);
    ::SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0x00640032);
    ::SendMessageA(window, WM_KEYUP, 'A', 0xC01E0001);
    const std::vector<std::pair<UINT, LPARAM>> before = {
        {WM_KEYDOWN, 0x1E0001}, {WM_MOUSEWHEEL, 0x00640032}, {WM_KEYUP, 0xC01E0001}};
    const std::vector<std::pair<UINT, LPARAM>> after = {
        {WM_KEYDOWN, 0x7777}, {WM_MOUSEWHEEL, 0x8888}, {WM_KEYUP, 0xC01E0001}};
    EXPECT_EQ(before, hook.before);
    EXPECT_EQ(after, hook.after);
    writer->RemoveHook(&hook);
    ::DestroyWindow(window);
}
