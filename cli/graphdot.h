// The carry graph of S and Q in Graphviz DOT, ready for `dot -Tsvg`.
#pragma once

#include "kehrzahlen/carrygraph.h"

#include <ostream>

namespace kz::cli {

// Drawn are the states that lie on some walk from the start to an end, named "low,high"; an edge
// carries every digit pair "x,y" that steps along it, one per line. The start (0,0) has an arrow
// from a dot; walks leave it only with x and y both nonzero, so while (0,0) is not reached again
// only those edges leave it. States where an even length ends are double circles; states where an
// odd length ends are filled grey and name their middle digit z. A Q without Kehrzahl draws the
// start alone.
void writeStateGraphDot(std::ostream &out, int base, int quotient);
// The same for a graph built already (by carryGraph, which a caller can cancel).
void writeStateGraphDot(std::ostream &out, const kehr::CarryGraph &graph);

} // namespace kz::cli
