#pragma once
#include "WndProxy.h"

// A device context that is never released by the wrapper itself.
class CDCProxy {
public:
    CDCProxy(HDC handle = NULL) : m_hDC(handle) {}
    virtual ~CDCProxy() {}
    virtual void Release() {}

    void Attach(HDC handle) { Release(); m_hDC = handle; }
    HDC Detach() { HDC handle = m_hDC; m_hDC = NULL; return handle; }
    bool IsAttached() const { return m_hDC != NULL; }
    HDC GetHandle() const { return m_hDC; }

protected:
    HDC m_hDC;
};

// Owns the device context of one BeginPaint/EndPaint pair.
class CPaintDC : public CDCProxy {
public:
    explicit CPaintDC(const CWndProxy& window);
    ~CPaintDC() override;
    void Release() override;

    const PAINTSTRUCT& GetPaintStruct() const { return m_paint; }

private:
    void Create(const CWndProxy& window);
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    PAINTSTRUCT m_paint;
    CWndProxy m_window;
};
