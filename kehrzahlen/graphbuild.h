// Building carry graphs (kehrzahlen/carrygraph.h), written once for counting, listing, the
// multipliers and drawing.
#pragma once

#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/ticker.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kz::kehr {

inline constexpr std::uint64_t kEveryLength = ~std::uint64_t(0);

// The graph of S and Q (2 <= Q < S) for walks of at most maxSteps steps: the states such a walk
// reaches, kept if such a walk can go on from them to an end. Some graphs have millions of
// states, most of them only at the end of long walks (S = 10000, Q = 8421: 14.8 million, yet at
// most 3 after any one of the first 1000 steps), so a bound on the length saves building them.
CarryGraph buildCarryGraph(int base, int quotient, std::uint64_t maxSteps, Ticker &ticker);
// The same, or nullopt as soon as the walks reach more than maxStates carry pairs.
std::optional<CarryGraph> buildCarryGraph(int base, int quotient, std::uint64_t maxSteps,
                                          std::size_t maxStates, Ticker &ticker);

// The length of the shortest Kehrzahl with quotient Q, or 0 when there is none. Walks breadth
// first and stops after the step at which it first meets an end.
std::uint64_t shortestLength(int base, int quotient, Ticker &ticker);

} // namespace kz::kehr
