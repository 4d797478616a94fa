#include "engine/engine.h"
#include "engine/fastcounters.h"
#include "engine/mirrorcounter.h"

#include <algorithm>
#include <cmath>

namespace kz {

namespace {

constexpr double kLowest32 = -2147483648.0;
constexpr double kHighest32 = 2147483647.0;

bool isWhole(double x)
{
    return x == std::floor(x);
}

} // namespace

bool Engine::canRunFast(double end) const
{
    const auto &v = m_vars;
    // With a stride of 1 every yield must happen, so each number goes the one-by-one way.
    return m_window.yieldStride() > 1 && v.Abbruch != 1 && isWhole(v.Basis) && v.Basis >= 2 &&
           v.Basis <= kHighest32 && v.Zahl >= kLowest32 && v.Zahl <= kHighest32 && v.Zahl <= end &&
           !(v.Zahl == 0 && std::signbit(v.Zahl)); // -0 (from "-x") goes the exact way, sign and all
}

void Engine::runFast(double end)
{
    const double n = m_vars.Zahl;
    const auto base = static_cast<std::uint32_t>(m_vars.Basis);
    if (m_yieldCountdown == 0 || m_yieldCountdown > m_window.yieldStride())
        m_yieldCountdown = m_window.yieldStride();
    if (!isWhole(n))
        runCounted(FractionCounter(n), std::min(end, kHighest32));
    else if (n <= 0)
        runCounted(NonPositiveCounter(static_cast<std::int64_t>(n), base),
                   std::min(std::floor(end), 0.0));
    else
        runCounted(MirrorCounter(base, static_cast<std::uint32_t>(n)),
                   std::min(std::floor(end), kHighest32));
}

template <typename Counter> void Engine::runCounted(Counter counter, double stop)
{
    auto &v = m_vars;
    const double base = v.Basis;
    const std::uint32_t stride = m_window.yieldStride();
    bool anyTested = false;
    double tested = 0;
    for (;;) {
        // The loop's yield before each number; only every stride-th one is made. PruefeZahl's
        // own yield is left out: nothing could run in it that a yield just before could not.
        if (--m_yieldCountdown == 0) {
            m_yieldCountdown = stride;
            // Handlers may run now: leave the variables as the one-by-one loop would have.
            if (anyTested) {
                v.Zahl = tested;
                testZahl(false);
            }
            v.Zahl = counter.value();
            m_window.yield();
            if (v.Abbruch == 1 || v.Zahl != counter.value() || v.Basis != base) {
                // A handler changed the state: finish this number the one-by-one way.
                PruefeZahl();
                v.Zahl += 1;
                return;
            }
        }
        if (counter.divisible()) {
            v.Zahl = counter.value();
            testZahl(true); // the exact test writes the entry and reads the check boxes now
        }
        tested = counter.value();
        anyTested = true;
        if (!(tested + 1 <= stop))
            break;
        counter.next();
        if (!counter.holds())
            break;
    }
    v.Zahl = tested;
    testZahl(false);
    v.Zahl = tested + 1;
}

} // namespace kz
