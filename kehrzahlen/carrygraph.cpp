#include "kehrzahlen/graphbuild.h"

#include "kehrzahlen/divisor.h"
#include "kehrzahlen/steprule.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <memory>
#include <utility>

namespace kz::kehr {

namespace {

// Numbers the carry pairs in the order they are first seen. Open addressing on the key
// low·Q + high: the breadth-first walk asks once per step, and large graphs have millions of
// states.
class StateNumbers {
  public:
    // The number of key; a key not seen before gets the next number.
    std::pair<std::uint32_t, bool> insert(std::uint32_t key)
    {
        if (2 * (m_count + 1) > m_slots.size())
            grow();
        const std::uint64_t tagged = std::uint64_t(key) + 1;
        for (std::size_t i = slotOf(key);; i = (i + 1) & (m_slots.size() - 1)) {
            if (m_slots[i] == 0) {
                m_slots[i] = tagged << 32 | m_count;
                return {m_count++, true};
            }
            if (m_slots[i] >> 32 == tagged)
                return {std::uint32_t(m_slots[i]), false};
        }
    }

  private:
    std::size_t slotOf(std::uint32_t key) const
    {
        return std::size_t((std::uint64_t(key) * 0x9E3779B97F4A7C15ull) >> m_shift);
    }
    void grow()
    {
        std::vector<std::uint64_t> old(m_slots.empty() ? 32 : 2 * m_slots.size(), 0);
        old.swap(m_slots);
        m_shift = 64 - std::countr_zero(m_slots.size());
        for (const std::uint64_t slot : old) {
            if (slot == 0)
                continue;
            std::size_t i = slotOf(std::uint32_t((slot >> 32) - 1));
            while (m_slots[i] != 0)
                i = (i + 1) & (m_slots.size() - 1);
            m_slots[i] = slot;
        }
    }

    std::vector<std::uint64_t> m_slots; // (key + 1) << 32 | number; 0 is empty
    std::uint32_t m_count = 0;
    int m_shift = 64;
};

std::uint8_t endBits(const Ending &e)
{
    return std::uint8_t((e.even ? 1 : 0) | (e.middle ? 2 : 0));
}

// A growing array that never moves what it holds: a vector's doubling would, for a moment, hold
// the largest explorations twice over.
template <typename T> class Chunked {
  public:
    void push_back(T value)
    {
        if ((m_size & kMask) == 0)
            m_chunks.push_back(std::make_unique_for_overwrite<T[]>(kChunk));
        m_chunks.back()[m_size & kMask] = value;
        ++m_size;
    }
    T operator[](std::size_t i) const { return m_chunks[i >> kShift][i & kMask]; }
    T &operator[](std::size_t i) { return m_chunks[i >> kShift][i & kMask]; }
    std::size_t size() const { return m_size; }

  private:
    static constexpr int kShift = 16;
    static constexpr std::size_t kChunk = std::size_t(1) << kShift, kMask = kChunk - 1;
    std::vector<std::unique_ptr<T[]>> m_chunks;
    std::size_t m_size = 0;
};

// Numbers keys in the order they are first seen, as StateNumbers does, in less memory: a slot
// holds only the number, and the key is looked up in the list of keys, which the walk keeps
// anyway. The largest explorations reach millions of carry pairs.
class KeyNumbers {
  public:
    std::pair<std::uint32_t, bool> insert(std::uint32_t key)
    {
        if (10 * (m_keys.size() + 1) > 7 * m_slots.size())
            grow();
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = slotOf(key);; i = (i + 1) & mask) {
            if (m_slots[i] == 0) {
                m_keys.push_back(key);
                m_slots[i] = std::uint32_t(m_keys.size());
                return {std::uint32_t(m_keys.size() - 1), true};
            }
            if (m_keys[m_slots[i] - 1] == key)
                return {m_slots[i] - 1, false};
        }
    }
    std::size_t size() const { return m_keys.size(); }
    std::uint32_t key(std::size_t number) const { return m_keys[number]; }
    // The keys by number; the numbering is given up.
    Chunked<std::uint32_t> takeKeys()
    {
        std::vector<std::uint32_t>().swap(m_slots);
        return std::move(m_keys);
    }

  private:
    std::size_t slotOf(std::uint32_t key) const
    {
        return std::size_t((std::uint64_t(key) * 0x9E3779B97F4A7C15ull) >> m_shift);
    }
    void grow()
    {
        std::vector<std::uint32_t>().swap(m_slots);
        m_slots.assign(std::max<std::size_t>(64, 2 * std::bit_ceil(m_keys.size() + 1)), 0);
        m_shift = 64 - std::countr_zero(m_slots.size());
        const std::size_t mask = m_slots.size() - 1;
        for (std::uint32_t number = 0; number < m_keys.size(); ++number) {
            std::size_t i = slotOf(m_keys[number]);
            while (m_slots[i] != 0)
                i = (i + 1) & mask;
            m_slots[i] = number + 1;
        }
    }

    std::vector<std::uint32_t> m_slots; // number + 1; 0 is empty
    Chunked<std::uint32_t> m_keys;
    int m_shift = 64;
};

// The carry pairs reached from the start, breadth first and numbered in the order found: keys
// low·Q + high, end bits, and only where each step leads. States first reached after maxSteps
// steps are left out and those reached after exactly maxSteps get no steps: no walk of at most
// maxSteps steps needs them.
struct Exploration {
    Chunked<std::uint32_t> keys;
    // Per state: the number of its steps, which follow those of the states before (fewer than
    // S <= 10000, so 14 bits), and its end bits above them.
    Chunked<std::uint16_t> stepsAndEnds;
    std::size_t stepCount(std::size_t state) const { return stepsAndEnds[state] & 0x3fffu; }
    std::uint8_t ends(std::size_t state) const { return std::uint8_t(stepsAndEnds[state] >> 14); }
    Chunked<std::uint32_t> to;
    std::vector<Step> firstSteps;
};

CarryPair pairOf(std::uint32_t key, int quotient)
{
    return {int(key / std::uint32_t(quotient)), int(key % std::uint32_t(quotient))};
}

// Nullopt once more than maxStates states are reached; beforeLarge is called once more than
// largeStates are.
std::optional<Exploration> explore(const StepRule &rule, std::uint64_t maxSteps,
                                   std::size_t maxStates, std::size_t largeStates,
                                   const std::function<void()> &beforeLarge, Ticker &ticker)
{
    const int base = rule.base, quotient = rule.quotient;
    Exploration e;
    KeyNumbers numbers;
    auto indexOf = [&](CarryPair p) {
        return numbers.insert(std::uint32_t(p.low) * std::uint32_t(quotient) + std::uint32_t(p.high))
            .first;
    };

    std::vector<PairStep> out;
    stepsOutOf(rule, {0, 0}, out);
    for (const PairStep &s : out) {
        if (s.x != 0 && s.y != 0)
            e.firstSteps.push_back({s.x, s.y, indexOf(s.to)});
    }
    std::uint64_t reachedAt = 2;           // steps that reach the states being added
    std::size_t levelEnd = numbers.size(); // where the states one step further begin
    for (std::uint32_t state = 0; state < numbers.size(); ++state) {
        if (state == levelEnd) {
            ++reachedAt;
            levelEnd = numbers.size();
        }
        if (reachedAt > maxSteps)
            break;
        if (numbers.size() > maxStates)
            return std::nullopt;
        if (numbers.size() > largeStates) {
            largeStates = std::size_t(-1);
            beforeLarge();
        }
        const CarryPair pair = pairOf(numbers.key(state), quotient);
        stepsOutOf(rule, pair, out);
        e.stepsAndEnds.push_back(
            std::uint16_t(out.size() | endBits(endingAt(base, quotient, pair)) << 14));
        for (const PairStep &s : out)
            e.to.push_back(indexOf(s.to));
        ticker.tick(1 + std::uint32_t(out.size() / 16));
    }
    e.keys = numbers.takeKeys();
    for (std::size_t state = e.stepsAndEnds.size(); state < e.keys.size(); ++state) {
        const CarryPair pair = pairOf(e.keys[state], quotient);
        e.stepsAndEnds.push_back(std::uint16_t(endBits(endingAt(base, quotient, pair)) << 14));
    }
    return e;
}

// Which explored states a walk leads from to an end. The states are numbered breadth first, so
// most steps lead to a later state, and a pass backwards through the states finds most of them;
// a few more passes find those behind the steps that lead back. A state whose steps all lead to
// states settled as dead is settled as dead too, and later passes skip it. This needs no list of
// the steps into each state, which for the largest explorations would take tens of MB; only
// where the passes do not settle soon does the walk backwards from the ends take over.
std::vector<std::uint8_t> canEnd(const Exploration &e, Ticker &ticker)
{
    constexpr int kPasses = 32;
    constexpr std::uint8_t kOpen = 0, kLive = 1, kDead = 2;
    const std::size_t n = e.keys.size();
    std::vector<std::uint8_t> live(n, kOpen);
    bool changed = true;
    for (int pass = 0; changed && pass < kPasses; ++pass) {
        changed = false;
        std::size_t end = e.to.size(); // of the steps of s
        for (std::size_t s = n; s-- > 0;) {
            const std::size_t begin = end - e.stepCount(s);
            if (live[s] == kOpen) {
                bool reaches = e.ends(s) != 0, settled = true;
                for (std::size_t k = begin; k < end && !reaches; ++k) {
                    const std::uint8_t to = live[e.to[k]];
                    reaches = to == kLive;
                    settled = settled && to == kDead;
                }
                if (reaches) {
                    live[s] = kLive;
                    changed = true;
                } else if (settled) {
                    live[s] = kDead;
                }
            }
            end = begin;
        }
        ticker.tick(std::uint32_t(1 + n / 64));
    }
    if (changed) {
        std::vector<std::uint32_t> stepsBegin(n + 1, 0);
        std::vector<std::uint8_t> ends(n);
        for (std::size_t s = 0; s < n; ++s) {
            stepsBegin[s + 1] = std::uint32_t(stepsBegin[s] + e.stepCount(s));
            ends[s] = e.ends(s);
        }
        const std::vector<std::uint32_t> toEnd = stepsToEndBackwards(
            stepsBegin, ends, [&](std::uint32_t k) { return e.to[k]; },
            [&](std::uint32_t units) { ticker.tick(units); });
        for (std::size_t s = 0; s < n; ++s)
            live[s] = toEnd[s] != kNoEnd ? kLive : kOpen;
    }
    for (std::uint8_t &state : live)
        state = state == kLive ? 1 : 0;
    return live;
}

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

std::optional<CarryGraph> buildGraph(int base, int quotient, std::uint64_t maxSteps,
                                     std::size_t maxStates, std::size_t largeStates,
                                     const std::function<void()> &beforeLarge, Ticker &ticker)
{
    const StepRule rule(base, quotient);
    std::optional<Exploration> explored =
        explore(rule, maxSteps, maxStates, largeStates, beforeLarge, ticker);
    if (!explored)
        return std::nullopt;
    Exploration &all = *explored;
    const std::vector<std::uint8_t> live = canEnd(all, ticker);

    // Each live state's key becomes its pair in the graph, and the key its new number.
    constexpr std::uint32_t kDropped = ~std::uint32_t(0);
    Chunked<std::uint32_t> &renumbered = all.keys;
    CarryGraph g;
    g.base = base;
    g.quotient = quotient;
    // Sized exactly: a vector grown by doubling would hold up to twice the largest graphs.
    const auto liveCount = std::size_t(std::count(live.begin(), live.end(), 1));
    g.states.reserve(liveCount);
    g.ends.reserve(liveCount);
    for (std::uint32_t state = 0; state < all.keys.size(); ++state) {
        if (live[state]) {
            g.states.push_back(pairOf(all.keys[state], quotient));
            g.ends.push_back(all.ends(state));
            renumbered[state] = std::uint32_t(g.states.size() - 1);
        } else {
            renumbered[state] = kDropped;
        }
    }
    for (const Step &s : all.firstSteps) {
        if (renumbered[s.to] != kDropped)
            g.firstSteps.push_back({s.x, s.y, renumbered[s.to]});
    }
    if (g.firstSteps.empty()) // nothing ends: drop what the start cannot reach either
        return CarryGraph{base, quotient, {}, {}, {0}, {}, {}};
    g.stepsBegin.clear();
    g.stepsBegin.reserve(liveCount + 1);
    {
        std::size_t liveSteps = 0;
        for (std::size_t state = 0, k = 0; state < all.keys.size(); ++state) {
            for (const std::size_t end = k + all.stepCount(state); k < end; ++k)
                liveSteps += live[state] != 0 && renumbered[all.to[k]] != kDropped ? 1 : 0;
        }
        g.steps.reserve(liveSteps);
    }
    // The exploration kept only where steps lead; their digits are found again, in the same
    // order, for the states that stay.
    std::vector<PairStep> out;
    for (std::size_t state = 0, begin = 0; state < all.keys.size(); ++state) {
        const std::size_t end = begin + all.stepCount(state);
        if (live[state] != 0) {
            g.stepsBegin.push_back(std::uint32_t(g.steps.size()));
            if (begin != end)
                stepsOutOf(rule, g.states[renumbered[state]], out);
            for (std::size_t k = begin; k < end; ++k) {
                const std::uint32_t to = renumbered[all.to[k]];
                if (to != kDropped)
                    g.steps.push_back({out[k - begin].x, out[k - begin].y, to});
            }
            ticker.tick(std::uint32_t(1 + (end - begin) / 16));
        }
        begin = end;
    }
    g.stepsBegin.push_back(std::uint32_t(g.steps.size()));
    return g;
}

} // namespace

CarryGraph buildCarryGraph(int base, int quotient, std::uint64_t maxSteps, Ticker &ticker)
{
    return *buildCarryGraph(base, quotient, maxSteps, std::size_t(-1), ticker);
}

std::optional<CarryGraph> buildCarryGraph(int base, int quotient, std::uint64_t maxSteps,
                                          std::size_t maxStates, Ticker &ticker)
{
    return buildGraph(base, quotient, maxSteps, maxStates, std::size_t(-1), {}, ticker);
}

CarryGraph buildCarryGraph(int base, int quotient, std::uint64_t maxSteps,
                           std::size_t largeStates, const std::function<void()> &beforeLarge,
                           Ticker &ticker)
{
    return *buildGraph(base, quotient, maxSteps, std::size_t(-1), largeStates, beforeLarge, ticker);
}

std::uint64_t shortestLength(int base, int quotient, Ticker &ticker)
{
    const StepRule rule(base, quotient);
    const Divisor middleFactor(std::uint32_t(quotient - 1));
    const std::uint32_t s = std::uint32_t(base);
    // endingAt's rule without a hardware division: the walk asks it of every state it finds.
    auto endBitsOf = [&](CarryPair p) {
        const std::uint32_t twice = s * std::uint32_t(p.high) - std::uint32_t(p.low);
        const bool odd = s * std::uint32_t(p.high) >= std::uint32_t(p.low) &&
                         middleFactor.divides(twice) && middleFactor.quotient(twice) < s;
        return (p.low == p.high ? 1 : 0) | (odd ? 2 : 0);
    };
    StateNumbers seen;
    std::vector<CarryPair> queue;
    int found = 0; // end bits of the states one level further than those being walked from
    auto reach = [&](std::int32_t, std::int32_t, CarryPair to) {
        if (seen.insert(std::uint32_t(to.low) * std::uint32_t(quotient) + std::uint32_t(to.high))
                .second) {
            queue.push_back(to);
            found |= endBitsOf(to);
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
