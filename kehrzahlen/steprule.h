// The steps out of one carry pair of S and Q, found from their congruence rather than by trying
// all S digits (the maths is in kehrzahlen/carrygraph.h).
#pragma once

#include "kehrzahlen/carrygraph.h"

#include <cstdint>
#include <vector>

namespace kz::kehr {

struct PairStep {
    std::int32_t x;
    std::int32_t y;
    CarryPair to;
    friend bool operator==(const PairStep &, const PairStep &) = default;
};

// What solving the congruence needs for one S and Q, worked out once.
struct StepRule {
    StepRule(int base, int quotient);

    int base;
    int quotient;
    // (Q^2-1)·u = c (mod S) needs uGcd | c; then u = (c / uGcd)·uInverse mod (S / uGcd).
    std::int64_t uGcd, uInverse;
    // Q·r = c (mod S) likewise.
    std::int64_t rGcd, rInverse;
};

// Replaces out with the steps out of `from`, in increasing x.
void stepsOutOf(const StepRule &rule, CarryPair from, std::vector<PairStep> &out);

} // namespace kz::kehr
