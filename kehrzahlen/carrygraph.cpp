#include "kehrzahlen/carrygraph.h"

#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/steprule.h"

#include <bit>
#include <stdexcept>
#include <string>
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

bool endsAtAll(int base, int quotient, CarryPair p)
{
    return endsEven(p) || middleDigit(base, quotient, p).has_value();
}

// The states reached from the start by a breadth-first walk, numbered in the order found, with
// their steps; states[0] is the first state found, not the start. States first reached after
// maxSteps steps are left out and those reached after exactly maxSteps get no steps: no walk of
// at most maxSteps steps needs them.
struct Reach {
    std::vector<CarryPair> states;
    std::vector<Step> firstSteps;
    std::vector<std::uint32_t> stepsBegin;
    std::vector<Step> steps;
    bool endFound = false;
};

Reach reach(int base, int quotient, bool stopAtEnd, std::uint64_t maxSteps)
{
    const StepRule rule(base, quotient);
    Reach g;
    StateNumbers numbers;
    auto indexOf = [&](CarryPair p) {
        const auto [number, added] =
            numbers.insert(std::uint32_t(p.low) * std::uint32_t(quotient) + std::uint32_t(p.high));
        if (added) {
            g.states.push_back(p);
            g.endFound = g.endFound || endsAtAll(base, quotient, p);
        }
        return number;
    };

    std::vector<PairStep> out;
    stepsOutOf(rule, {0, 0}, out);
    for (const PairStep &s : out) {
        if (s.x != 0 && s.y != 0)
            g.firstSteps.push_back({s.x, s.y, indexOf(s.to)});
    }
    std::uint64_t steps = 1;                // how many steps reach the current state
    std::size_t levelEnd = g.states.size(); // where the states one step further begin
    for (std::uint32_t state = 0; state < g.states.size(); ++state) {
        if (state == levelEnd) {
            ++steps;
            levelEnd = g.states.size();
        }
        if (steps >= maxSteps || (stopAtEnd && g.endFound))
            break;
        g.stepsBegin.push_back(std::uint32_t(g.steps.size()));
        stepsOutOf(rule, g.states[state], out);
        for (const PairStep &s : out)
            g.steps.push_back({s.x, s.y, indexOf(s.to)});
    }
    g.stepsBegin.resize(g.states.size() + 1, std::uint32_t(g.steps.size()));
    return g;
}

// Marks the states from which some walk reaches an end, by a walk backwards from the ends.
std::vector<bool> canEnd(int base, int quotient, const Reach &g)
{
    const std::size_t n = g.states.size();
    std::vector<std::uint32_t> intoBegin(n + 1, 0), from(g.steps.size());
    for (const Step &s : g.steps)
        ++intoBegin[s.to + 1];
    for (std::size_t i = 0; i < n; ++i)
        intoBegin[i + 1] += intoBegin[i];
    std::vector<std::uint32_t> fill(intoBegin.begin(), intoBegin.end() - 1);
    for (std::uint32_t state = 0; state < n; ++state) {
        for (std::uint32_t e = g.stepsBegin[state]; e < g.stepsBegin[state + 1]; ++e)
            from[fill[g.steps[e].to]++] = state;
    }

    std::vector<bool> live(n, false);
    std::vector<std::uint32_t> queue;
    for (std::uint32_t state = 0; state < n; ++state) {
        if (endsAtAll(base, quotient, g.states[state])) {
            live[state] = true;
            queue.push_back(state);
        }
    }
    while (!queue.empty()) {
        const std::uint32_t to = queue.back();
        queue.pop_back();
        for (std::uint32_t i = intoBegin[to]; i < intoBegin[to + 1]; ++i) {
            if (!live[from[i]]) {
                live[from[i]] = true;
                queue.push_back(from[i]);
            }
        }
    }
    return live;
}

} // namespace

void checkBase(int base)
{
    if (base < kSmallestBase || base > kLargestBase)
        throw std::invalid_argument("base " + std::to_string(base) + " outside " +
                                    std::to_string(kSmallestBase) + ".." +
                                    std::to_string(kLargestBase));
}

std::optional<int> middleDigit(int base, int quotient, CarryPair p)
{
    const std::int64_t twice = std::int64_t(base) * p.high - p.low; // ·z
    if (twice < 0 || twice % (quotient - 1) != 0 || twice / (quotient - 1) >= base)
        return std::nullopt;
    return int(twice / (quotient - 1));
}

CarryGraph buildCarryGraph(int base, int quotient, std::uint64_t maxSteps)
{
    const Reach all = reach(base, quotient, false, maxSteps);
    const std::vector<bool> live = canEnd(base, quotient, all);

    constexpr std::uint32_t kDropped = ~std::uint32_t(0);
    std::vector<std::uint32_t> renumbered(all.states.size(), kDropped);
    CarryGraph g;
    g.base = base;
    g.quotient = quotient;
    for (std::uint32_t state = 0; state < all.states.size(); ++state) {
        if (live[state]) {
            renumbered[state] = std::uint32_t(g.states.size());
            g.states.push_back(all.states[state]);
        }
    }
    auto keep = [&](const Step &s, std::vector<Step> &into) {
        if (renumbered[s.to] != kDropped)
            into.push_back({s.x, s.y, renumbered[s.to]});
    };
    for (const Step &s : all.firstSteps)
        keep(s, g.firstSteps);
    if (g.firstSteps.empty()) // nothing ends: drop what the start cannot reach either
        return {base, quotient, {}, {}, {0}, {}};
    for (std::uint32_t state = 0; state < all.states.size(); ++state) {
        if (!live[state])
            continue;
        g.stepsBegin.push_back(std::uint32_t(g.steps.size()));
        for (std::uint32_t e = all.stepsBegin[state]; e < all.stepsBegin[state + 1]; ++e)
            keep(all.steps[e], g.steps);
    }
    g.stepsBegin.push_back(std::uint32_t(g.steps.size()));
    return g;
}

bool hasKehrzahl(int base, int quotient)
{
    return reach(base, quotient, true, kEveryLength).endFound;
}

} // namespace kz::kehr
