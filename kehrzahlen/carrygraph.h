// The carry graph of one base S and quotient Q: every Kehrzahl with quotient Q is a walk in it.
//
// Write m = b(D-1)...b(0) in base S; n = Q·m has the digits of m backwards. Step i of a walk picks
// x = b(i) (the i-th digit of n from the top) and carries the pair (low, high): low is the carry
// into column i of Q·m, high the carry out of column D-1-i. Column i forces y = b(D-1-i) =
// (Q·x + low) mod S and low' = (Q·x + low) div S; column D-1-i holds only if
// high' = S·high + x - Q·y lies in [0, Q). The walk starts at (0, 0) with x != 0 and y != 0 (n has
// D digits and does not end in 0). After floor(D/2) steps an even D ends where low == high, an odd
// D where a middle digit z in [0, S) has ·z + low = S·high. With u = y and r = high' the
// steps out of a state are the solutions of (Q^2-1)·u + Q·r + low = 0 (mod S), x = Q·u + r -
// S·high, found by running over r or over u, whichever is shorter.
//
// A. L. Young, "k-Reverse multiples", Fibonacci Quarterly 30 (1992); N. J. A. Sloane, "2178 and
// all that", Fibonacci Quarterly 52 (2014), whose Young graphs these are.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kz::kehr {

struct CarryPair {
    int low = 0;
    int high = 0;
    friend bool operator==(const CarryPair &, const CarryPair &) = default;
};

enum class Parity { Even, Odd };

inline Parity parityOf(std::uint64_t length)
{
    return length % 2 == 0 ? Parity::Even : Parity::Odd;
}

// Where a walk may end: the one rule every part of the library asks.
struct Ending {
    bool even = false;         // an even D ends here: low == high
    std::optional<int> middle; // an odd D ends here, with this middle digit
    bool at(Parity parity) const { return parity == Parity::Even ? even : middle.has_value(); }
    bool any() const { return even || middle.has_value(); }
};
Ending endingAt(int base, int quotient, CarryPair p);
// The end bits of CarryGraph::ends: 1 an even D may end here, 2 an odd one.
inline std::uint8_t endBits(const Ending &e)
{
    return std::uint8_t((e.even ? 1 : 0) | (e.middle ? 2 : 0));
}

// One step of a walk: the digit pair it writes and the state it reaches.
struct Step {
    std::int32_t x; // b(i): digit D-1-i of n
    std::int32_t y; // b(D-1-i): digit i of n
    std::uint32_t to;
    friend bool operator==(const Step &, const Step &) = default;
};

// The states that lie on some walk from the start to an end of either parity, with their steps.
// The start is no state of its own: its steps are firstSteps, and (0, 0) is a state only where a
// walk comes back to it. No states: Q has no Kehrzahl in this base.
struct CarryGraph {
    int base = 0;
    int quotient = 0;
    std::vector<CarryPair> states;
    std::vector<Step> firstSteps; // out of the start, x != 0 and y != 0, increasing x
    // The steps of state s are steps[stepsBegin[s], stepsBegin[s + 1]), in increasing x.
    std::vector<std::uint32_t> stepsBegin{0};
    std::vector<Step> steps;
    std::vector<std::uint8_t> ends; // per state: 1 an even D may end here, 2 an odd one

    std::span<const Step> stepsFrom(std::uint32_t state) const
    {
        return {steps.data() + stepsBegin[state], steps.data() + stepsBegin[state + 1]};
    }
    bool endsAt(std::uint32_t state, Parity parity) const
    {
        return ends[state] & (parity == Parity::Even ? 1 : 2);
    }
    Ending endingOf(std::uint32_t state) const { return endingAt(base, quotient, states[state]); }
};

// A carry graph with only what counting its walks needs: where each step leads, and the ends.
struct WalkGraph {
    std::vector<std::uint32_t> firstSteps; // where the steps out of the start lead
    std::vector<std::uint32_t> stepsBegin{0};
    std::vector<std::uint32_t> to;  // the steps of state s are [stepsBegin[s], stepsBegin[s + 1])
    std::vector<std::uint8_t> ends; // as in CarryGraph
    // Per step, where chains of states were folded into steps: how many steps of the carry graph
    // it stands for. Empty: each stands for one.
    std::vector<std::uint32_t> length;
    int quotient = 0;

    std::size_t size() const { return ends.size(); }
    std::uint32_t lengthOf(std::uint32_t step) const { return length.empty() ? 1 : length[step]; }
    bool endsAt(std::uint32_t state, Parity parity) const
    {
        return ends[state] & (parity == Parity::Even ? 1 : 2);
    }
};
WalkGraph walkGraphOf(const CarryGraph &g);

} // namespace kz::kehr
