#include "engine/engine.h"
#include "engine/fastcounters.h"
#include "engine/mirrorcounter.h"
#include "engine/searchlimits.h"

#include <algorithm>
#include <cmath>

namespace kz {

namespace {

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
           v.Basis <= kHighestWhole && v.Zahl >= kLowestWhole && v.Zahl <= kHighestWhole &&
           v.Zahl <= end &&
           !(v.Zahl == 0 &&
             std::signbit(v.Zahl)); // -0 (from "-x") goes the exact way, sign and all
}

void Engine::runFast(double end)
{
    const double n = m_vars.Zahl;
    const auto base = static_cast<std::uint32_t>(m_vars.Basis);
    if (m_yieldCountdown == 0 || m_yieldCountdown > m_window.yieldStride())
        m_yieldCountdown = m_window.yieldStride();
    if (!isWhole(n)) {
        runCounted(FractionCounter(n, std::min(end, kHighestWhole)));
    } else if (n <= 0) {
        const auto last = static_cast<std::int64_t>(std::min(std::floor(end), 0.0));
        runCounted(NonPositiveCounter(static_cast<std::int64_t>(n), base, last));
    } else {
        const auto last = static_cast<std::uint32_t>(std::min(std::floor(end), kHighestWhole));
        runCounted(MirrorCounter(base, static_cast<std::uint32_t>(n), last));
    }
}

template <typename Counter> void Engine::runCounted(Counter counter)
{
    auto &v = m_vars;
    const double base = v.Basis;
    const std::uint32_t stride = m_window.yieldStride();
    // Counted down in a local, so the loop keeps it in a register; the member carries it on
    // between stretches.
    std::uint32_t countdown = m_yieldCountdown;
    bool first = true;
    do {
        // The loop's yield before each number; only every stride-th one is made. PruefeZahl's
        // own yield is left out: nothing could run in it that a yield just before could not.
        if (--countdown == 0) {
            countdown = stride;
            // Handlers may run now: leave the variables as the one-by-one loop would have.
            if (!first) {
                v.Zahl = counter.previous();
                testZahl(false);
            }
            v.Zahl = counter.value();
            m_yieldCountdown = countdown;
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
        first = false;
    } while (counter.advance());
    m_yieldCountdown = countdown;
    v.Zahl = counter.value();
    testZahl(false);
    v.Zahl = counter.value() + 1;
}

} // namespace kz
