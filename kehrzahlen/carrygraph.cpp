#include "kehrzahlen/graphbuild.h"

#include "kehrzahlen/exploration.h"
#include "kehrzahlen/divisor.h"
#include "kehrzahlen/steprule.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <memory>
#include <utility>

namespace kz::kehr {

namespace {

// The carry pairs a breadth-first walk has seen. Open addressing on the key low·Q + high, with
// each slot stamped by the walk that filled it: the multipliers of a range of bases walk tens of
// millions of small graphs, and a table allocated and cleared for each cost more than the walk.
class SeenPairs {
  public:
    // Forgets every pair, keeping no more than a small graph's table for the next walk.
    void clear()
    {
        m_count = 0;
        if (m_slots.size() > kKeptSlots) {
            std::vector<std::uint64_t>(kKeptSlots, 0).swap(m_slots);
            m_shift = 64 - std::countr_zero(kKeptSlots);
            m_walk = 1;
        } else if (++m_walk == 0) { // the stamps wrapped: no slot may pass for this walk's
            std::fill(m_slots.begin(), m_slots.end(), 0);
            m_walk = 1;
        }
    }
    // Whether key was not seen before.
    bool insert(std::uint32_t key)
    {
        if (2 * (m_count + 1) > m_slots.size())
            grow();
        const std::uint64_t stamped = std::uint64_t(m_walk) << 32 | key;
        for (std::size_t i = slotOf(key);; i = (i + 1) & (m_slots.size() - 1)) {
            if (m_slots[i] >> 32 != m_walk) {
                m_slots[i] = stamped;
                ++m_count;
                return true;
            }
            if (m_slots[i] == stamped)
                return false;
        }
    }

  private:
    static constexpr std::size_t kKeptSlots = std::size_t(1) << 12;

    std::size_t slotOf(std::uint32_t key) const
    {
        return std::size_t((std::uint64_t(key) * 0x9E3779B97F4A7C15ull) >> m_shift);
    }
    void grow()
    {
        std::vector<std::uint64_t> old(2 * m_slots.size(), 0);
        old.swap(m_slots);
        m_shift = 64 - std::countr_zero(m_slots.size());
        for (const std::uint64_t slot : old) {
            if (slot >> 32 != m_walk)
                continue;
            std::size_t i = slotOf(std::uint32_t(slot));
            while (m_slots[i] != 0)
                i = (i + 1) & (m_slots.size() - 1);
            m_slots[i] = slot;
        }
    }

    std::vector<std::uint64_t> m_slots = std::vector<std::uint64_t>(kKeptSlots, 0);
    std::uint32_t m_walk = 1; // stamps the slots filled since the last clear(); never 0
    std::uint32_t m_count = 0;
    int m_shift = 64 - std::countr_zero(kKeptSlots);
};

} // namespace

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

std::uint64_t shortestLength(int base, int quotient, Ticker &ticker)
{
    constexpr std::size_t kKeptQueue = std::size_t(1) << 12;
    const StepRule rule(base, quotient);
    const EndRule endRule(base, quotient);
    // Kept for the thread's next walk, at most at a small graph's size.
    thread_local SeenPairs seen;
    thread_local std::vector<CarryPair> queue;
    seen.clear();
    if (queue.capacity() > kKeptQueue)
        std::vector<CarryPair>().swap(queue);
    queue.clear();
    int found = 0; // end bits of the states one level further than those being walked from
    auto reach = [&](std::int32_t, std::int32_t, CarryPair to) {
        if (seen.insert(std::uint32_t(to.low) * std::uint32_t(quotient) + std::uint32_t(to.high))) {
            queue.push_back(to);
            found |= endRule.bits(to);
        }
    };
    forEachStep(rule, {0, 0}, [&](std::int32_t x, std::int32_t y, CarryPair to) {
        if (x != 0 && y != 0)
            reach(x, y, to);
    });
    std::uint64_t steps = 1; // that reach the newest level
    for (std::size_t levelBegin = 0; found == 0 && levelBegin < queue.size(); ++steps) {
        const std::size_t levelEnd = queue.size();
        // An even end is as short as it gets at this level: no need to walk the rest.
        for (std::size_t i = levelBegin; i < levelEnd && (found & 1) == 0; ++i) {
            forEachStep(rule, queue[i], reach);
            ticker.tick();
        }
        levelBegin = levelEnd;
    }
    if (found == 0)
        return 0;
    // k steps end an even D = 2k or an odd D = 2k + 1.
    return 2 * steps + ((found & 1) != 0 ? 0 : 1);
}

} // namespace kz::kehr
