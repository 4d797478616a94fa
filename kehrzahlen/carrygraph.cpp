#include "kehrzahlen/graphbuild.h"

#include "kehrzahlen/exploration.h"
#include "kehrzahlen/divisor.h"
#include "kehrzahlen/steprule.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace kz::kehr {

Ending endingAt(int base, int quotient, CarryPair p)
{
    Ending e;
    e.even = p.low == p.high;
    const std::int64_t twice = std::int64_t(base) * p.high - p.low; // ·z
    if (twice >= 0 && twice % (quotient - 1) == 0 && twice / (quotient - 1) < base)
        e.middle = int(twice / (quotient - 1));
    return e;
}

namespace {

// Explores the graph and keeps its live states, numbered afresh; steps to dropped states lead to
// kNoEnd. Nullopt when it reaches more than how.maxStates carry pairs.
std::optional<detail::Exploration> liveExploration(const StepRule &rule, std::uint64_t maxSteps,
                                                   const Exploring &how, bool keepPairs,
                                                   Ticker &ticker)
{
    std::optional<detail::Exploration> e = detail::explore(rule, maxSteps, how, ticker);
    if (e)
        detail::keepLive(*e, keepPairs, ticker);
    return e;
}

} // namespace

std::optional<CarryGraph> buildCarryGraph(int base, int quotient, std::uint64_t maxSteps,
                                          std::size_t maxStates, Ticker &ticker)
{
    Exploring how;
    how.maxStates = maxStates;
    return buildCarryGraph(base, quotient, maxSteps, how, ticker);
}

std::optional<CarryGraph> buildCarryGraph(int base, int quotient, std::uint64_t maxSteps,
                                          const Exploring &how, Ticker &ticker)
{
    const StepRule rule(base, quotient);
    std::optional<detail::Exploration> explored = liveExploration(rule, maxSteps, how, true, ticker);
    if (!explored)
        return std::nullopt;
    const detail::Exploration &e = *explored;
    CarryGraph g;
    g.base = base;
    g.quotient = quotient;
    if (e.firstSteps.empty()) // nothing ends
        return g;
    g.firstSteps = e.firstSteps;
    // Sized exactly: a vector grown by doubling would hold up to twice the largest graphs.
    const std::size_t n = e.states.size();
    g.states.reserve(n);
    g.ends.reserve(n);
    g.stepsBegin.reserve(n + 1);
    g.steps.reserve(e.stepsLeadingOn());
    // The exploration kept only where steps lead; their digits are found again, in the same
    // order.
    std::vector<PairStep> out;
    for (std::size_t state = 0, k = 0; state < n; ++state) {
        const CarryPair pair = e.pair(state);
        g.states.push_back(pair);
        g.ends.push_back(e.ends(state));
        const std::size_t count = e.stepCount(state);
        if (count != 0)
            stepsOutOf(rule, pair, out);
        for (std::size_t i = 0; i < count; ++i, ++k) {
            if (e.to[k] != kNoEnd)
                g.steps.push_back({out[i].x, out[i].y, e.to[k]});
        }
        g.stepsBegin.push_back(std::uint32_t(g.steps.size()));
        ticker.tick(std::uint32_t(1 + count / 16));
    }
    return g;
}

CarryGraph buildCarryGraph(int base, int quotient, std::uint64_t maxSteps, Ticker &ticker)
{
    return *buildCarryGraph(base, quotient, maxSteps, std::size_t(-1), ticker);
}

std::optional<WalkGraph> buildWalkGraph(int base, int quotient, std::uint64_t maxSteps,
                                        const Exploring &how, Ticker &ticker)
{
    const StepRule rule(base, quotient);
    std::optional<detail::Exploration> explored = detail::explore(rule, maxSteps, how, ticker, false);
    if (!explored)
        return std::nullopt;
    if (!explored->stepsKept)
        return detail::walkGraphFromEnds(std::move(*explored), rule, ticker);
    detail::Exploration &e = *explored;
    detail::keepLive(e, false, ticker);
    WalkGraph g;
    g.quotient = quotient;
    if (e.firstSteps.empty())
        return g;
    for (const Step &s : e.firstSteps)
        g.firstSteps.push_back(s.to);
    const std::size_t n = e.states.size();
    g.ends.reserve(n);
    g.stepsBegin.reserve(n + 1);
    g.to.reserve(e.stepsLeadingOn());
    for (std::size_t state = 0, k = 0; state < n; ++state) {
        g.ends.push_back(e.ends(state));
        for (const std::size_t end = k + e.stepCount(state); k < end; ++k) {
            if (e.to[k] != kNoEnd)
                g.to.push_back(e.to[k]);
        }
        g.stepsBegin.push_back(std::uint32_t(g.to.size()));
    }
    return g;
}

WalkGraph walkGraphOf(const CarryGraph &g)
{
    WalkGraph w;
    w.quotient = g.quotient;
    for (const Step &s : g.firstSteps)
        w.firstSteps.push_back(s.to);
    w.stepsBegin = g.stepsBegin;
    w.to.reserve(g.steps.size());
    for (const Step &s : g.steps)
        w.to.push_back(s.to);
    w.ends = g.ends;
    return w;
}

} // namespace kz::kehr
