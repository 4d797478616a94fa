// The carry graph of S and Q in Graphviz DOT, ready for `dot -Tsvg`, in the notation the
// Kehrzahl-Atlas draws: states as carry pairs "[3,3]", digit pairs as "8→2".
#pragma once

#include "kehrzahlen/carrygraph.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace kz::cli {

// Takes the DOT a line at a time; false stops the writing.
using DotSink = std::function<bool(std::string_view)>;

// States are the pairs [low,high] on some walk from the start to an end, in the order a walk meets
// them (breadth first). A box "Start" of its own stands before them, since the first digit pair
// has no 0, and (0,0) is a state only where a walk comes back to it. An edge carries the digit
// pair x→y that steps along it; a state's edges go out in increasing x. States where an even length
// ends are double circles; states where an odd length ends are filled grey and name their middle
// digit z. The title names the smallest Kehrzahl (digits least significant first; empty: Q has
// none), beyond 40 digits by its first and last ones, and a note at the far end explains the
// shapes. Nothing is held beyond the line being written. False when write said stop.
bool writeStateGraphDot(const DotSink &write, const kehr::CarryGraph &graph,
                        std::span<const std::int32_t> smallest);

// The whole DOT of S and Q, built here; for callers that take a small graph as one text.
std::string stateGraphDot(int base, int quotient);

} // namespace kz::cli
