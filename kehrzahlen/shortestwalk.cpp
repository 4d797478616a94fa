// The length of the shortest Kehrzahl of S and Q: a breadth-first walk from the start to the
// nearest end. The multipliers of a range of bases make 5·10^7 such walks, most of a few pairs.
#include "kehrzahlen/graphbuild.h"

#include "kehrzahlen/steprule.h"

#include <algorithm>
#include <bit>
#include <vector>

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
    // 256 KiB, within the L2 cache: walks of up to 16 384 pairs never grow it. With 2^12 slots
    // the multipliers of all bases took a tenth longer, and smaller tables longer still.
    static constexpr std::size_t kKeptSlots = std::size_t(1) << 15;

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

// The walk, with the steps of each pair found by stepsOut(rule, from, f).
template <typename StepsOut>
std::uint64_t shortestWalk(const StepRule &rule, StepsOut stepsOut, Ticker &ticker)
{
    constexpr std::size_t kKeptQueue = std::size_t(1) << 12;
    const EndRule endRule(rule.base, rule.quotient);
    const std::uint32_t quotient = std::uint32_t(rule.quotient);
    // Kept for the thread's next walk, at most at a small graph's size.
    thread_local SeenPairs seen;
    thread_local std::vector<CarryPair> queue;
    seen.clear();
    if (queue.capacity() > kKeptQueue)
        std::vector<CarryPair>().swap(queue);
    queue.clear();
    int found = 0; // end bits of the states one level further than those being walked from
    // Inlined by force into the steps' loop, which GCC otherwise leaves calling it per step.
    auto reach = [&](std::int32_t, std::int32_t, CarryPair to) __attribute__((always_inline))
    {
        if (seen.insert(std::uint32_t(to.low) * quotient + std::uint32_t(to.high))) {
            queue.push_back(to);
            found |= endRule.bits(to);
        }
    };
    stepsOut(rule, {0, 0}, [&](std::int32_t x, std::int32_t y, CarryPair to) {
        if (x != 0 && y != 0)
            reach(x, y, to);
    });
    std::uint64_t steps = 1; // that reach the newest level
    for (std::size_t levelBegin = 0; found == 0 && levelBegin < queue.size(); ++steps) {
        const std::size_t levelEnd = queue.size();
        // An even end is as short as it gets at this level: no need to walk the rest.
        for (std::size_t i = levelBegin; i < levelEnd && (found & 1) == 0; ++i) {
            stepsOut(rule, queue[i], reach);
            ticker.tick();
        }
        levelBegin = levelEnd;
    }
    if (found == 0)
        return 0;
    // k steps end an even D = 2k or an odd D = 2k + 1.
    return 2 * steps + ((found & 1) != 0 ? 0 : 1);
}

} // namespace

std::uint64_t shortestLength(const StepRule &rule, Ticker &ticker)
{
    // Most walks go by the coprime rule; one made for it alone keeps its loop small.
    if (!rule.overR && rule.g.value() == 1)
        return shortestWalk(
            rule,
            [](const StepRule &r, CarryPair from, auto &&f) { forEachCoprimeStep(r, from, f); },
            ticker);
    return shortestWalk(
        rule, [](const StepRule &r, CarryPair from, auto &&f) { forEachStep(r, from, f); }, ticker);
}

std::uint64_t shortestLength(int base, int quotient, Ticker &ticker)
{
    return shortestLength(StepRule(base, quotient), ticker);
}

} // namespace kz::kehr
