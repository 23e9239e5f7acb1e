#include "WndProxy.h"
#include <gtest/gtest.h>
#include <functional>

namespace {
HWND CreatePopup(const char* title = "Proxy Test", HWND parent = NULL, int id = 0)
{
    DWORD style = parent ? WS_CHILD : WS_POPUP;
    return ::CreateWindowExA(0, "STATIC", title, style, 10, 20, 100, 50, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), NULL, NULL);
}

HWND DestroyedWindow()
{
    HWND window = CreatePopup();
    ::DestroyWindow(window);
    return window;
}

struct CheckedCall {
    const char* text;
    DWORD code;  // what this platform reports for a destroyed window
    std::function<void(const CWndProxy&)> call;
};

const CheckedCall kCheckedCalls[] = {
    {"CWndProxy::GetWindowRect ", ERROR_INVALID_WINDOW_HANDLE,
     [](const CWndProxy& p) { RECT r; p.GetWindowRect(&r); }},
    {"CWndProxy::SetTimer ", ERROR_INVALID_HANDLE,  // 1400 on Windows
     [](const CWndProxy& p) { p.SetTimer(1, 100); }},
    {"CWndProxy::SetWindowPos ", ERROR_INVALID_WINDOW_HANDLE,
     [](const CWndProxy& p) { p.SetWindowPos(CWndProxy(HWND_TOP), 0, 0, 10, 10, SWP_NOZORDER); }},
    {"CWndProxy::EndDialog ", ERROR_INVALID_WINDOW_HANDLE,
     [](const CWndProxy& p) { p.EndDialog(1); }},
    {"CWndProxy::SetWindowText ", ERROR_INVALID_WINDOW_HANDLE,
     [](const CWndProxy& p) { p.SetWindowText("x"); }},
    {"CWndProxy::GetDlgItem ", ERROR_INVALID_WINDOW_HANDLE,
     [](const CWndProxy& p) { p.GetDlgItem(1); }},
};
}

TEST(WndProxy, CheckedCallsOnADestroyedWindowThrowTheirText)
{
    HWND dead = DestroyedWindow();
    for (const CheckedCall& checked : kCheckedCalls) {
        SCOPED_TRACE(checked.text);
        CWndProxy proxy(dead);
        try {
            checked.call(proxy);
            ADD_FAILURE() << "no exception";
        } catch (const CWindowsError& error) {
            EXPECT_EQ(checked.text, error.GetText());
            EXPECT_EQ(checked.code, error.GetCode());
        }
        EXPECT_EQ(dead, proxy.GetHandle()) << "a failed call leaves the proxy as it was";
    }
}

TEST(WndProxy, UncheckedCallsOnADestroyedWindowOnlyReportFailure)
{
    CWndProxy proxy(DestroyedWindow());
    char text[16] = "unchanged";
    EXPECT_EQ(0, proxy.GetWindowText(text, sizeof text));
    EXPECT_FALSE(proxy.IsWindowVisible());
    EXPECT_FALSE(proxy.PostMessage(WM_NULL, 0, 0));
    EXPECT_EQ(0, proxy.SendMessage(WM_GETTEXTLENGTH, 0, 0));
    EXPECT_FALSE(proxy.ShowWindow(SW_SHOW));
    EXPECT_EQ(0, proxy.GetWindowLong(GWL_STYLE));
    EXPECT_EQ(0u, proxy.GetClassLong(GCL_STYLE));
}

TEST(WndProxy, DoesNotFollowTheWindowsLife)
{
    HWND window = CreatePopup();
    {
        CWndProxy proxy(window);
        CWndProxy copy = proxy;
        EXPECT_EQ(window, copy.GetHandle());
    }
    EXPECT_TRUE(::IsWindow(window)) << "a proxy going away leaves its window alone";

    CWndProxy proxy(window);
    ::DestroyWindow(window);
    EXPECT_TRUE(proxy.IsAttached()) << "no IsWindow test";
    EXPECT_EQ(window, proxy.GetHandle());
    proxy.Detach();
    EXPECT_FALSE(proxy.IsAttached());
}

TEST(WndProxy, GetDlgItemFindsChildrenByIdAndThrowsForMissingOnes)
{
    HWND parent = CreatePopup();
    HWND child = CreatePopup("child", parent, 7);
    CWndProxy proxy(parent);
    EXPECT_EQ(child, proxy.GetDlgItem(7).GetHandle());
    try {
        proxy.GetDlgItem(8);
        ADD_FAILURE() << "no exception for a missing id";
    } catch (const CWindowsError& error) {
        EXPECT_EQ("CWndProxy::GetDlgItem ", error.GetText());
    }
    ::DestroyWindow(parent);
}

TEST(WndProxy, CheckedCallsActOnTheirWindow)
{
    CWndProxy proxy(CreatePopup());
    EXPECT_TRUE(proxy.SetWindowPos(CWndProxy(), 30, 40, 120, 60, SWP_NOZORDER | SWP_NOACTIVATE));
    RECT rect = {};
    EXPECT_TRUE(proxy.GetWindowRect(&rect));
    EXPECT_EQ(30, rect.left);
    EXPECT_EQ(40, rect.top);
    EXPECT_EQ(120, rect.right - rect.left);
    EXPECT_EQ(60, rect.bottom - rect.top);

    EXPECT_TRUE(proxy.SetWindowText("renamed"));
    char text[16] = "";
    EXPECT_EQ(7, proxy.GetWindowText(text, sizeof text));
    EXPECT_STREQ("renamed", text);
    EXPECT_EQ(5u, proxy.SetTimer(5, 1000));
    ::DestroyWindow(proxy.GetHandle());
}

TEST(WndProxy, SetWindowPosPlacesBehindTheGivenWindow)
{
    HWND lower = CreatePopup("lower");
    HWND upper = CreatePopup("upper");
    CWndProxy(upper).SetWindowPos(CWndProxy(lower), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(upper, ::GetWindow(lower, GW_HWNDNEXT));
    CWndProxy(upper).SetWindowPos(CWndProxy(HWND_TOP), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(lower, ::GetWindow(upper, GW_HWNDNEXT));
    ::DestroyWindow(lower);
    ::DestroyWindow(upper);
}
