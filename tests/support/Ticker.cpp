#include "Ticker.h"
#include <map>
#include <utility>

namespace {
std::map<UINT_PTR, CTicker*>& Tickers()
{
    static std::map<UINT_PTR, CTicker*> tickers;
    return tickers;
}
}  // namespace

CTicker::CTicker(DWORD periodMs, std::function<void()> tick) : m_tick(std::move(tick))
{
    m_id = ::SetTimer(NULL, 0, periodMs, Proc);
    Tickers()[m_id] = this;
}

CTicker::~CTicker()
{
    ::KillTimer(NULL, m_id);
    Tickers().erase(m_id);
}

void CALLBACK CTicker::Proc(HWND, UINT, UINT_PTR id, DWORD)
{
    auto found = Tickers().find(id);
    if (found != Tickers().end())
        found->second->m_tick();
}
