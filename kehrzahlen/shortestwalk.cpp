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

// A step found by a walk: Q·x + low, whose quotient by S is the next low, and the next high.
struct Found {
    std::uint32_t carried;
    std::uint32_t high;
};

// The walk. Each level's steps are gathered first, by gather(from, steps, n), which writes the
// steps out of `from` into steps from n on and returns the new n; they are then met in one loop.
// So the gathering can write every candidate step and keep the true ones by counting them,
// with no branch on whether a candidate is a step.
template <typename Gather>
std::uint64_t shortestWalk(const StepRule &rule, Gather gather, Ticker &ticker)
{
    constexpr std::size_t kKept = std::size_t(1) << 12;
    const EndRule endRule(rule.base, rule.quotient);
    const std::uint32_t quotient = rule.q.value();
    // Kept for the thread's next walk, at most at a small graph's size.
    thread_local SeenPairs seen;
    thread_local std::vector<CarryPair> queue;
    thread_local std::vector<Found> steps;
    seen.clear();
    if (queue.capacity() > kKept)
        std::vector<CarryPair>().swap(queue);
    if (steps.capacity() > kKept)
        std::vector<Found>().swap(steps);
    queue.clear();
    int found = 0; // end bits of the states one level further than those being walked from
    auto reach = [&](CarryPair to) {
        if (seen.insert(std::uint32_t(to.low) * quotient + std::uint32_t(to.high))) {
            queue.push_back(to);
            found |= endRule.bits(to);
        }
    };
    forEachStep(rule, {0, 0}, [&](std::int32_t x, std::int32_t y, CarryPair to) {
        if (x != 0 && y != 0)
            reach(to);
    });
    std::uint64_t length = 1; // steps that reach the newest level
    for (std::size_t levelBegin = 0; found == 0 && levelBegin < queue.size(); ++length) {
        const std::size_t levelEnd = queue.size();
        std::size_t n = 0;
        for (std::size_t i = levelBegin; i < levelEnd; ++i)
            n = gather(queue[i], steps, n);
        ticker.tick(std::uint32_t(levelEnd - levelBegin));
        for (std::size_t j = 0; j < n; ++j)
            reach(CarryPair{int(rule.s.quotient(steps[j].carried)), int(steps[j].high)});
        levelBegin = levelEnd;
    }
    if (found == 0)
        return 0;
    // k steps end an even D = 2k or an odd D = 2k + 1.
    return 2 * length + ((found & 1) != 0 ? 0 : 1);
}

// The steps of a rule over u. Every pair tries as many candidates (u, r) as the most any pair
// has, and each is written whether it is a step or not: whether a u has a step is a toss-up that
// no branch predictor guesses, and neither is how many a pair tries.
template <bool kCoprime> std::uint64_t shortestWalkOverU(const StepRule &rule, Ticker &ticker)
{
    const std::uint32_t s = rule.s.value(), q = rule.q.value();
    const std::uint32_t g = kCoprime ? 1 : rule.g.value(), m = kCoprime ? s : rule.m.value();
    // The u of a pair lie in a window of at most ceil((S-1)/Q) + 1 and are = low (mod g); for
    // each, r runs in steps of M = S / g below Q. Past either end of the window x leaves [0, S).
    const std::uint32_t uMost = ((s - 1) / q + 2 + g - 1) / g;
    const std::uint32_t rMost = kCoprime ? 1 : (q + m - 1) / m;
    const std::size_t most = std::size_t(uMost) * rMost;
    auto gather = [&](CarryPair from, std::vector<Found> &steps, std::size_t n) {
        if (steps.size() < n + most)
            steps.resize(2 * (n + most));
        Found *const out = steps.data();
        const std::uint32_t low = std::uint32_t(from.low);
        const std::uint32_t shifted = s * std::uint32_t(from.high);
        auto [u, r] = firstCandidate<kCoprime>(rule, low, shifted);
        for (std::uint32_t k = 0; k < uMost; ++k, u += g) {
            for (std::uint32_t j = 0, rj = r; j < rMost; ++j, rj += m) {
                // x = Q·u + r - S·high wraps round below 0.
                const std::uint32_t x = q * u + rj - shifted;
                out[n] = {q * x + low, rj};
                n += (rj < q) & (x < s);
            }
            r += rule.next;
            r = r >= m ? r - m : r;
        }
        return n;
    };
    return shortestWalk(rule, gather, ticker);
}

} // namespace

std::uint64_t shortestLength(const StepRule &rule, Ticker &ticker)
{
    // Most walks go by the coprime rule; one made for it alone keeps its loop small.
    if (!rule.overR && rule.g.value() == 1)
        return shortestWalkOverU<true>(rule, ticker);
    if (!rule.overR)
        return shortestWalkOverU<false>(rule, ticker);
    const std::uint32_t q = rule.q.value();
    auto gather = [&](CarryPair from, std::vector<Found> &steps, std::size_t n) {
        forEachStep(rule, from, [&](std::int32_t x, std::int32_t, CarryPair to) {
            if (steps.size() == n)
                steps.resize(2 * n + 1);
            steps[n++] = {q * std::uint32_t(x) + std::uint32_t(from.low), std::uint32_t(to.high)};
        });
        return n;
    };
    return shortestWalk(rule, gather, ticker);
}

std::uint64_t shortestLength(int base, int quotient, Ticker &ticker)
{
    return shortestLength(StepRule(base, quotient), ticker);
}

} // namespace kz::kehr
