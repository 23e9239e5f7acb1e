#include "FrameworkTestSupport.h"
#include "PaintDC.h"

namespace {
// Notes what the dispatcher hands to the paint and erase handlers.
class CPaintProbe : public CWndHandler {
public:
    HDC eraseDC = NULL;
    HDC paintDC = NULL;
    PAINTSTRUCT paint = {};
    bool drawWorked = false;

    LRESULT OnEraseBkgnd(CDCProxy* dc) override
    {
        eraseDC = dc->GetHandle();
        return CWndHandler::OnEraseBkgnd(dc);
    }
    LRESULT OnPaint(CPaintDC& dc) override
    {
        paintDC = dc.GetHandle();
        paint = dc.GetPaintStruct();
        drawWorked = ::PatBlt(dc.GetHandle(), 0, 0, 5, 5, BLACKNESS) != FALSE;
        return CWndHandler::OnPaint(dc);
    }
};

typedef CFrameworkTest PaintDC;
}

TEST(DCProxy, NeverReleasesItsDeviceContext)
{
    HDC memory = ::CreateCompatibleDC(NULL);
    HDC other = ::CreateCompatibleDC(NULL);
    {
        CDCProxy proxy(memory);
        EXPECT_TRUE(proxy.IsAttached());
        proxy.Attach(other);
        EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(memory)) << "Attach dropped it unreleased";
        EXPECT_EQ(other, proxy.Detach());
        EXPECT_FALSE(proxy.IsAttached());
        proxy.Attach(memory);
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(memory));
    ::DeleteDC(memory);
    ::DeleteDC(other);

    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    HDC windowDC = ::GetDC(window);
    { CDCProxy proxy(windowDC); }
    EXPECT_EQ(1, ::ReleaseDC(window, windowDC)) << "still held after the proxy went away";
    ::DestroyWindow(window);
}

TEST_F(PaintDC, DispatcherBeginsThePaintForTheHandlerAndEndsItAfterwards)
{
    CPaintProbe* probe = new CPaintProbe;
    HWND window = CreateTestWindow(probe);
    ::ShowWindow(window, SW_SHOWNA);
    ::UpdateWindow(window);

    RECT dirty = {10, 10, 50, 40};
    ::InvalidateRect(window, &dirty, TRUE);
    ::UpdateWindow(window);
    ASSERT_TRUE(probe->paintDC);
    EXPECT_EQ(probe->paintDC, probe->paint.hdc);
    EXPECT_EQ(probe->paintDC, probe->eraseDC) << "BeginPaint erases with the DC it returns";
    EXPECT_TRUE(probe->drawWorked) << "the erase handler's proxy left the DC usable";
    EXPECT_TRUE(::EqualRect(&dirty, &probe->paint.rcPaint));
    EXPECT_FALSE(::GetUpdateRect(window, NULL, FALSE));
    // EndPaint gave the DC back: releasing it again finds nothing to release.
    EXPECT_EQ(0, ::ReleaseDC(window, probe->paintDC));

    HDC held = ::GetDC(window);
    EXPECT_EQ(1, ::ReleaseDC(window, held)) << "a DC still held is released once";
    EXPECT_EQ(0, ::ReleaseDC(window, held));
    ::DestroyWindow(window);
}

TEST(PaintDCCreate, ThrowsWhenBeginPaintFails)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    ::DestroyWindow(window);
    try {
        CPaintDC dc{CWndProxy(window)};
        ADD_FAILURE() << "no exception";
    } catch (const CWindowsError& error) {
        EXPECT_EQ("CPaintDC::Create ", error.GetText());
    }
}
