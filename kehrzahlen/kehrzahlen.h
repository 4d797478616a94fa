// Kehrzahlen of any length: the numbers n with D digits in base S, not ending in 0, that are
// divisible by their mirror number m with quotient Q = n / m >= 2 (then 2 <= Q <= S - 1). They are
// found by a walk over carry pairs (kehrzahlen/carrygraph.h), not by testing numbers, so lengths
// far beyond the window's search are counted, listed and drawn. Plain C++ and GMP, no Qt; the
// entry text is the engine's, so a listed Kehrzahl reads as the search would show it.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kz::kehr {

inline constexpr int kSmallestBase = 2;
inline constexpr int kLargestBase = 10000;

struct Kehrzahl {
    // The digits of n in base S, least significant first, D of them.
    std::span<const std::int32_t> digits;
    int quotient; // Q = n / m
};

struct Count {
    std::uint64_t digits; // D
    mpz_class total;
    std::vector<std::pair<int, mpz_class>> perQuotient; // only Q with a nonzero count, increasing Q
};

// Every function below throws std::invalid_argument for a base outside kSmallestBase..kLargestBase
// or a digit count below 1.

// Reports the counts for every D from first to last in order (1 <= first <= last), computed as
// one dynamic programme over the walks (exact). report returns false to stop early.
void countKehrzahlen(int base, std::uint64_t first, std::uint64_t last,
                     const std::function<bool(const Count &)> &report);

// Every Kehrzahl with `digits` digits in increasing order of n (over all Q merged), streamed to
// emit and never collected; the digits passed to emit live until it returns. emit returns false
// to stop. Time is proportional to what is emitted: no branch that cannot end is walked.
void listKehrzahlen(int base, std::uint64_t digits,
                    const std::function<bool(const Kehrzahl &)> &emit);

// The Q >= 2 for which base S has a Kehrzahl of some length, increasing.
std::vector<int> kehrmultiplikatoren(int base);

// kehrmultiplikatoren for every base from first to last, computed on `threads` threads (0: one
// per core) and reported in increasing base; report returns false to stop.
void kehrmultiplikatorenOfBases(int first, int last, unsigned threads,
                                const std::function<bool(int, const std::vector<int> &)> &report);

// The carry graph of S and Q in Graphviz DOT, ready for `dot -Tsvg`. Drawn are the states that lie
// on some walk from the start to an end, named "low,high"; an edge carries every digit pair "x,y"
// that steps along it, one per line. The start (0,0) has an arrow from a dot; walks leave it only
// with x and y both nonzero, so while (0,0) is not reached again only those edges leave it. States
// where an even length ends are double circles; states where an odd length ends are filled grey
// and name their middle digit z. A Q without Kehrzahl draws the start alone.
// Throws std::invalid_argument unless 2 <= quotient < base.
void writeStateGraphDot(std::ostream &out, int base, int quotient);

// Appends the result-list entry of k in base S as the search writes it (kz::appendEntryText):
// n, m and Q in exact decimal, the base, the digits of n, m and Q in base S.
void appendEntry(std::string &out, int base, const Kehrzahl &k);

} // namespace kz::kehr
