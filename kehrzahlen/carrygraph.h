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

// One step of a walk: the digit pair it writes and the state it reaches.
struct Step {
    std::int32_t x; // b(i): digit D-1-i of n
    std::int32_t y; // b(D-1-i): digit i of n
    std::uint32_t to;
};

// The states that lie on some walk from the start to an end of either parity, with their steps.
// No states: Q has no Kehrzahl in this base.
struct CarryGraph {
    int base = 0;
    int quotient = 0;
    std::vector<CarryPair> states;
    std::vector<Step> firstSteps; // out of the start, x != 0 and y != 0, increasing x
    // The steps of state s are steps[stepsBegin[s], stepsBegin[s + 1]), in increasing x.
    std::vector<std::uint32_t> stepsBegin;
    std::vector<Step> steps;

    std::span<const Step> stepsFrom(std::uint32_t state) const
    {
        return {steps.data() + stepsBegin[state], steps.data() + stepsBegin[state + 1]};
    }
};

enum class Parity { Even, Odd };

// Whether a walk of an even length may end at p.
inline bool endsEven(CarryPair p)
{
    return p.low == p.high;
}

// The middle digit an odd length needs after the walk reached p, if there is one.
std::optional<int> middleDigit(int base, int quotient, CarryPair p);

inline bool endsAt(int base, int quotient, CarryPair p, Parity parity)
{
    return parity == Parity::Even ? endsEven(p) : middleDigit(base, quotient, p).has_value();
}

inline constexpr std::uint64_t kEveryLength = ~std::uint64_t(0);

// Builds the graph of S and Q (2 <= Q < S) for walks of at most maxSteps steps: the states such a
// walk reaches, kept if such a walk can go on from them to an end. Some graphs have millions of
// states, most of them only at the end of long walks (S = 10000, Q = 8421: 14.8 million, yet at
// most 3 after any one of the first 1000 steps), so a bound on the length saves building them.
CarryGraph buildCarryGraph(int base, int quotient, std::uint64_t maxSteps = kEveryLength);

// Whether some walk from the start ends, i.e. Q has a Kehrzahl of some length; stops at the first
// end it reaches.
bool hasKehrzahl(int base, int quotient);

// Throws std::invalid_argument unless base is in kSmallestBase..kLargestBase.
void checkBase(int base);

} // namespace kz::kehr
