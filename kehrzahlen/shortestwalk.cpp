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

// The walk. Each level's steps are gathered first, by gather(from, end, steps), which writes the
// steps out of the pairs [from, end) into steps and returns how many; they are then met in one
// loop. So the gathering can write every candidate step and keep the true ones by counting them,
// with no branch on whether a candidate is a step, and keeps what it needs in registers. Each rule
// writes its own loop over the level: with that loop shared, calling the rule's part per pair,
// the multipliers of all bases took 4 % longer.
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
        const std::size_t n = gather(queue.data() + levelBegin, queue.data() + levelEnd, steps);
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
    // A first step has x >= Q·gcd(Q, S) (see BaseRules::leavesStart), so there is none unless
    // M = S / g > Q; then each u has one r below Q at most, as r runs in steps of M.
    if (q * g >= s)
        return 0;
    // The u of a pair lie in a window of at most ceil((S-1)/Q) + 1 and are = low (mod g). Past
    // either end of the window x leaves [0, S).
    const std::uint32_t uMost = ((s - 1) / q + 2 + g - 1) / g;
    const std::uint32_t next = rule.next, qg = q * g;
    auto gather = [=, &rule](const CarryPair *from, const CarryPair *end,
                             std::vector<Found> &steps) {
        const std::size_t needed = std::size_t(end - from) * uMost;
        if (steps.size() < needed)
            steps.resize(2 * needed);
        Found *const out = steps.data();
        std::size_t n = 0;
        for (; from != end; ++from) {
            const std::uint32_t low = std::uint32_t(from->low);
            const std::uint32_t shifted = s * std::uint32_t(from->high);
            auto [u, r] = firstCandidate<kCoprime>(rule, low, shifted);
            std::uint32_t xu = q * u - shifted; // x = Q·u + r - S·high wraps round below 0
            for (std::uint32_t k = 0; k < uMost; ++k, xu += qg) {
                const std::uint32_t x = xu + r;
                out[n] = {q * x + low, r};
                n += (r < q) & (x < s);
                r += next;
                r = r >= m ? r - m : r;
            }
        }
        return n;
    };
    return shortestWalk(rule, gather, ticker);
}

// The steps of a rule over r, written the same way: every pair tries each r = r0 (mod g) below Q,
// and for each the u = u0 (mod M) of the window, from the first at or past floor(S·high / Q).
// Any u below that puts x below 0.
std::uint64_t shortestWalkOverR(const StepRule &rule, Ticker &ticker)
{
    const std::uint32_t s = rule.s.value(), q = rule.q.value(), g = rule.g.value();
    const std::uint32_t m = rule.m.value(), next = rule.next, qm = q * m;
    const std::uint32_t rMost = (q + g - 1) / g;
    const std::uint32_t uMost = ((s - 1) / q + 2 + m - 1) / m;
    const std::size_t most = std::size_t(uMost) * rMost;
    auto gather = [=, &rule](const CarryPair *from, const CarryPair *end,
                             std::vector<Found> &steps) {
        const std::size_t needed = std::size_t(end - from) * most;
        if (steps.size() < needed)
            steps.resize(2 * needed);
        Found *const out = steps.data();
        std::size_t n = 0;
        for (; from != end; ++from) {
            const std::uint32_t low = std::uint32_t(from->low);
            const std::uint32_t shifted = s * std::uint32_t(from->high);
            const std::uint32_t uLow = rule.q.quotient(shifted), below = rule.m.remainder(uLow);
            const std::uint32_t xLow = q * uLow - shifted; // wraps round below 0
            auto [u0, r] = firstCandidateOverR(rule, low);
            for (std::uint32_t k = 0; k < rMost; ++k, r += g) {
                std::uint32_t x = xLow + q * (u0 >= below ? u0 - below : u0 + m - below) + r;
                for (std::uint32_t j = 0; j < uMost; ++j, x += qm) {
                    out[n] = {q * x + low, r};
                    n += (r < q) & (x < s);
                }
                u0 += next;
                u0 = u0 >= m ? u0 - m : u0;
            }
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
    return shortestWalkOverR(rule, ticker);
}

std::uint64_t shortestLength(int base, int quotient, Ticker &ticker)
{
    return shortestLength(StepRule(base, quotient), ticker);
}

} // namespace kz::kehr
