#include "FrameworkTestSupport.h"
#include "MessageRecorder.h"
#include <ostream>
#include <string>

namespace {
const WORD kCommand = 40011;
const WPARAM kAcceleratorCommand = MAKEWPARAM(kCommand, 1);  // code 1: from an accelerator

enum CommandTarget { kNoOne, kTheFrame, kTheKeyWindow };

struct LoopKind {
    const char* name;
    std::function<int(HWND frame, HWND mdiClient, HACCEL table)> run;
    CommandTarget commandGoesTo;
};
const LoopKind kLoops[] = {
    {"MessageLoop", [](HWND, HWND, HACCEL) { return MessageLoop(); }, kNoOne},
    {"MessageLoopForAWindow", [](HWND frame, HWND, HACCEL table) { return MessageLoop(frame, table); }, kTheFrame},
    {"MessageLoopForTheKeyWindow", [](HWND, HWND, HACCEL table) { return MessageLoop(table); }, kTheKeyWindow},
    {"MDIMessageLoop", [](HWND frame, HWND client, HACCEL table) { return MDIMessageLoop(frame, client, table); }, kTheFrame},
};

void PrintTo(const LoopKind& c, std::ostream* out) { *out << c.name; }

class MessageLoopTest : public CFrameworkTest, public ::testing::WithParamInterface<LoopKind> {
protected:
    void SetUp() override
    {
        CFrameworkTest::SetUp();
        ACCEL f5 = {FVIRTKEY, VK_F5, kCommand};
        m_table = ::CreateAcceleratorTableA(&f5, 1);
    }
    void TearDown() override
    {
        CFrameworkTest::TearDown();
        ::DestroyAcceleratorTable(m_table);
    }

    // What one window was given, in order.
    static std::vector<WPARAM> WParamsOf(const CMessageRecorder& log, UINT message)
    {
        std::vector<WPARAM> found;
        for (const RecordedMessage& m : log.Before())
            if (m.message == message)
                found.push_back(m.wParam);
        return found;
    }

    HACCEL m_table = NULL;
    CMessageRecorder m_frameLog, m_keyWindowLog;  // outlive the windows
};
}

TEST_P(MessageLoopTest, QueuedQuitEndsTheLoopAtOnceWithItsCode)
{
    ::PostQuitMessage(-3);
    EXPECT_EQ(-3, RunLoop([&] { return GetParam().run(NULL, NULL, m_table); }));
    EXPECT_FALSE(TakeQuit());
}

TEST_P(MessageLoopTest, AcceleratorKeysBecomeCommandsAndOtherKeysAreDispatched)
{
    CWndHandler* frame = new CWndHandler;
    frame->AddHook(&m_frameLog);
    HWND frameWindow = CreateTestWindow(frame, "Loop Frame");
    CWndHandler* keyWindow = new CWndHandler;
    keyWindow->AddHook(&m_keyWindowLog);
    HWND child = CreateTestWindow(keyWindow, "", WS_CHILD | WS_VISIBLE, frameWindow);
    CLIENTCREATESTRUCT mdi = {NULL, 1};
    HWND client = ::CreateWindowExA(0, "MDICLIENT", NULL, WS_CHILD, 0, 0, 100, 100, frameWindow,
                                    NULL, TestInstance(), &mdi);
    ASSERT_TRUE(client);

    // As if the child had the focus: key messages are addressed to it.
    ::PostMessageA(child, WM_KEYDOWN, VK_F5, 0x003F0001);
    ::PostMessageA(child, WM_KEYDOWN, 'A', 0x001E0001);
    EXPECT_EQ(0, RunLoop([&] { return GetParam().run(frameWindow, client, m_table); },
                         [&] { ::PostMessageA(frameWindow, WM_CLOSE, 0, 0); }))
        << "the framework's quit message after the frame closed";

    const CommandTarget target = GetParam().commandGoesTo;
    const std::vector<WPARAM> none, command = {kAcceleratorCommand};
    EXPECT_EQ(target == kTheFrame ? command : none, WParamsOf(m_frameLog, WM_COMMAND));
    EXPECT_EQ(target == kTheKeyWindow ? command : none, WParamsOf(m_keyWindowLog, WM_COMMAND));
    const std::vector<WPARAM> keys = target == kNoOne ? std::vector<WPARAM>{VK_F5, 'A'}
                                                      : std::vector<WPARAM>{'A'};
    EXPECT_EQ(keys, WParamsOf(m_keyWindowLog, WM_KEYDOWN)) << "a translated key is not dispatched";
    EXPECT_EQ(std::vector<WPARAM>{'a'}, WParamsOf(m_keyWindowLog, WM_CHAR)) << "other keys are translated";
    EXPECT_TRUE(WndHandlerMap.empty());
}

INSTANTIATE_TEST_SUITE_P(Loops, MessageLoopTest, ::testing::ValuesIn(kLoops),
                         [](const ::testing::TestParamInfo<LoopKind>& info) { return std::string(info.param.name); });

typedef CFrameworkTest PlainMessageLoop;

TEST_F(PlainMessageLoop, EndsWithZeroWhenTheOnlyFrameworkWindowCloses)
{
    HWND window = CreateTestWindow(new CWndHandler, "Only Window");
    ::ShowWindow(window, SW_SHOWNA);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, RunLoop([] { return ::MessageLoop(); }));
    EXPECT_FALSE(::IsWindow(window));
}
