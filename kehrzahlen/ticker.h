// How long work meets its Watch: the work counts what it does, and every few thousand units the
// ticker reads the cancel flag and passes on how far the work is. Cancelling unwinds by an
// exception that the public functions catch and turn into their "cancelled" answer.
#pragma once

#include "kehrzahlen/kehrzahlen.h"

#include <algorithm>
#include <chrono>

namespace kz::kehr {

struct Cancelled {};

class Ticker {
  public:
    // units: work counted before, by earlier tickers of the same work. leave: a second flag that
    // cancels, set when the work's own caller stops helpers working beside it.
    explicit Ticker(const Watch &watch, std::uint32_t units = 0,
                    const std::atomic<bool> *leave = nullptr)
        : m_watch(watch), m_leave(leave), m_units(units)
    {
    }
    std::uint32_t units() const { return m_units; }
    const Watch &watch() const { return m_watch; }

    // Counts units of work (one unit is at most a few microseconds); throws Cancelled once the
    // flag is set.
    void tick(std::uint32_t units = 1)
    {
        m_units += units;
        if (m_units >= kUnitsPerPoll)
            poll();
    }
    // Reads the flag now, and passes on the share done if it is due.
    void poll();
    // Passes on that all work is done; reads no flag, as nothing is left to cancel.
    void finish();
    // Shares recorded from now on fill [from, to] of the whole, for work done in parts.
    void setSpan(double from, double to)
    {
        m_from = from;
        m_to = to;
    }
    // Records the share of the work (of the span) done, from 0 to 1; it never falls back.
    void setShare(double share) { m_share = std::max(m_share, m_from + share * (m_to - m_from)); }

  private:
    void report(bool due);

    static constexpr std::uint32_t kUnitsPerPoll = 2048;
    static constexpr std::chrono::milliseconds kReportEvery{20};

    const Watch &m_watch;
    const std::atomic<bool> *m_leave;
    std::uint32_t m_units = 0;
    double m_share = 0;
    double m_from = 0, m_to = 1;
    double m_reported = -1;
    std::chrono::steady_clock::time_point m_lastReport{};
};

// Runs work(ticker), which answers false when its caller's callback asked it to stop; false as
// well when the work was cancelled.
template <typename Work> bool watched(const Watch &watch, Work work)
{
    Ticker ticker(watch);
    try {
        if (!work(ticker))
            return false;
        ticker.finish();
        return true;
    } catch (const Cancelled &) {
        return false;
    }
}

} // namespace kz::kehr
