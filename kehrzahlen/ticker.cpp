#include "kehrzahlen/ticker.h"

namespace kz::kehr {

void Ticker::poll()
{
    m_units = 0;
    if ((m_watch.cancel && m_watch.cancel->load(std::memory_order_relaxed)) ||
        (m_leave && m_leave->load(std::memory_order_relaxed)))
        throw Cancelled{};
    report(false);
}

void Ticker::finish()
{
    m_share = 1;
    report(true);
}

void Ticker::report(bool due)
{
    if (!m_watch.progress || m_share == m_reported)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!due && now - m_lastReport < kReportEvery)
        return;
    m_lastReport = now;
    m_reported = m_share;
    m_watch.progress(m_share);
}

} // namespace kz::kehr
