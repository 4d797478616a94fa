#include "engine/engine.h"
#include "engine/mirrorcounter.h"

#include <algorithm>
#include <cmath>

namespace kz {

namespace {

constexpr double kHighestWhole32 = 2147483647;

bool isWholeIn(double x, double lowest, double highest)
{
    return x >= lowest && x <= highest && x == std::floor(x);
}

} // namespace

bool Engine::canRunFast(double end) const
{
    // With a stride of 1 every yield must happen, so each number goes the one-by-one way.
    return m_window.yieldStride() > 1 && m_vars.Abbruch != 1 &&
           isWholeIn(m_vars.Basis, 2, kHighestWhole32) &&
           isWholeIn(m_vars.Zahl, 1, kHighestWhole32) && m_vars.Zahl <= end;
}

void Engine::runFast(double end)
{
    auto &v = m_vars;
    const auto base = static_cast<std::uint32_t>(v.Basis);
    const auto last = static_cast<std::uint32_t>(std::min(std::floor(end), kHighestWhole32));
    const std::uint32_t stride = m_window.yieldStride();
    MirrorCounter counter(base, static_cast<std::uint32_t>(v.Zahl));

    // The loop's yield before each number; only every stride-th one is made. PruefeZahl's own
    // yield is left out: nothing could run in it that a yield just before could not.
    std::uint32_t countdown = stride;
    std::uint32_t tested = 0; // last number tested, 0 for none yet
    for (;;) {
        if (--countdown == 0) {
            countdown = stride;
            // Handlers may run now: leave the variables as the one-by-one loop would have.
            if (tested != 0) {
                v.Zahl = tested;
                testZahl(false);
            }
            v.Zahl = counter.n();
            m_window.yield();
            if (v.Abbruch == 1 || v.Zahl != counter.n() || v.Basis != base) {
                // A handler changed the state: finish this number the one-by-one way.
                PruefeZahl();
                v.Zahl += 1;
                return;
            }
        }
        if (counter.divisible()) {
            v.Zahl = counter.n();
            testZahl(true); // the exact test writes the entry and reads the check boxes now
        }
        tested = counter.n();
        if (tested == last)
            break;
        counter.next();
    }
    // Leave the variables as testing the last number one by one would have left them.
    v.Zahl = tested;
    testZahl(false);
    v.Zahl = static_cast<double>(tested) + 1;
}

} // namespace kz
