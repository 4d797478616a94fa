// Building carry graphs (kehrzahlen/carrygraph.h), written once for counting, listing, the
// multipliers and drawing.
#pragma once

#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/ticker.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace kz::kehr {

struct StepRule;

inline constexpr std::uint64_t kEveryLength = ~std::uint64_t(0);
inline constexpr std::uint32_t kNoEnd = std::numeric_limits<std::uint32_t>::max();

// stepsToEnd by a walk backwards from the ends, through a list of the steps into each state.
template <typename TargetOf, typename Tick>
std::vector<std::uint32_t> stepsToEndBackwards(const std::vector<std::uint32_t> &stepsBegin,
                                               const std::vector<std::uint8_t> &ends,
                                               TargetOf targetOf, Tick tick)
{
    const std::size_t n = ends.size();
    const std::uint32_t stepCount = stepsBegin[n];
    std::vector<std::uint32_t> intoBegin(n + 1, 0), from(stepCount);
    for (std::uint32_t k = 0; k < stepCount; ++k)
        ++intoBegin[targetOf(k) + 1];
    for (std::size_t i = 0; i < n; ++i)
        intoBegin[i + 1] += intoBegin[i];
    {
        std::vector<std::uint32_t> fill(intoBegin.begin(), intoBegin.end() - 1);
        for (std::uint32_t state = 0; state < n; ++state) {
            for (std::uint32_t k = stepsBegin[state]; k < stepsBegin[state + 1]; ++k)
                from[fill[targetOf(k)]++] = state;
            tick(1);
        }
    }
    std::vector<std::uint32_t> distance(n, kNoEnd), queue;
    for (std::uint32_t state = 0; state < n; ++state) {
        if (ends[state] != 0) {
            distance[state] = 0;
            queue.push_back(state);
        }
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t to = queue[head];
        for (std::uint32_t i = intoBegin[to]; i < intoBegin[to + 1]; ++i) {
            if (distance[from[i]] == kNoEnd) {
                distance[from[i]] = distance[to] + 1;
                queue.push_back(from[i]);
            }
        }
        tick(1);
    }
    return distance;
}

// The fewest steps from each of the states to an end of either parity (kNoEnd: none): the steps
// of state s are k in [stepsBegin[s], stepsBegin[s + 1]), and step k leads to targetOf(k);
// tick(units) counts the work. Carry graphs are numbered breadth first, so most steps lead to a
// later state and a few passes backwards through the states settle every distance, with no list
// of the steps into each state; where they do not settle soon, a walk backwards from the ends
// takes over.
template <typename TargetOf, typename Tick>
std::vector<std::uint32_t> stepsToEnd(const std::vector<std::uint32_t> &stepsBegin,
                                      const std::vector<std::uint8_t> &ends, TargetOf targetOf,
                                      Tick tick)
{
    constexpr int kPasses = 32;
    const std::size_t n = ends.size();
    std::vector<std::uint32_t> distance(n, kNoEnd);
    bool changed = true;
    for (int pass = 0; changed && pass < kPasses; ++pass) {
        changed = false;
        for (std::size_t s = n; s-- > 0;) {
            std::uint32_t fewest = ends[s] != 0 ? 0 : kNoEnd;
            for (std::uint32_t k = stepsBegin[s]; k < stepsBegin[s + 1] && fewest != 0; ++k)
                fewest = std::min(fewest, distance[targetOf(k)] == kNoEnd ? kNoEnd
                                                                          : distance[targetOf(k)] + 1);
            if (fewest < distance[s]) {
                distance[s] = fewest;
                changed = true;
            }
        }
        tick(std::uint32_t(1 + n / 64));
    }
    if (!changed)
        return distance;
    std::vector<std::uint32_t>().swap(distance);
    return stepsToEndBackwards(stepsBegin, ends, targetOf, tick);
}

// How far an exploration of carry pairs may grow before its builder gives up, frees memory, or
// keeps it more tightly.
struct Exploring {
    std::size_t maxStates = std::size_t(-1); // beyond: no graph
    // Beyond: beforeLarge() is called once, as such an exploration takes tens of MB, which the
    // caller may free first.
    std::size_t largeStates = std::size_t(-1);
    std::function<void()> beforeLarge;
    // Beyond: the pairs found are kept as one bit per key rather than in a hash table. Unset: once
    // it saves memory.
    std::optional<std::size_t> keyedFrom;
    // Beyond, and keyed by bits: the exploration for a walk graph keeps neither the pairs' steps
    // nor their list, and finds both again for the pairs that lead to an end, a fraction of those
    // found (S = 9903, Q = 7348: 4.0 of 14.1 million). Below, the 8 bytes a pair takes come to at
    // most 32 MB.
    std::size_t bareFrom = std::size_t(1) << 22;
};

// The graph of S and Q (2 <= Q < S) for walks of at most maxSteps steps: the states such a walk
// reaches, kept if such a walk can go on from them to an end. Some graphs have millions of
// states, most of them only at the end of long walks (S = 10000, Q = 8421: 14.8 million, yet at
// most 3 after any one of the first 1000 steps), so a bound on the length saves building them.
CarryGraph buildCarryGraph(int base, int quotient, std::uint64_t maxSteps, Ticker &ticker);
// The same, or nullopt as soon as the walks reach more than maxStates carry pairs.
std::optional<CarryGraph> buildCarryGraph(int base, int quotient, std::uint64_t maxSteps,
                                          std::size_t maxStates, Ticker &ticker);
std::optional<CarryGraph> buildCarryGraph(int base, int quotient, std::uint64_t maxSteps,
                                          const Exploring &how, Ticker &ticker);
// The same graph with only what counting its walks needs, built in a third of the memory.
std::optional<WalkGraph> buildWalkGraph(int base, int quotient, std::uint64_t maxSteps,
                                        const Exploring &how, Ticker &ticker);

// The length of the shortest Kehrzahl with quotient Q, or 0 when there is none. Walks breadth
// first and stops after the step at which it first meets an end.
std::uint64_t shortestLength(int base, int quotient, Ticker &ticker);
std::uint64_t shortestLength(const StepRule &rule, Ticker &ticker);

} // namespace kz::kehr
