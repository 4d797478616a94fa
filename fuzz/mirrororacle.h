// An independent reckoning of mirror numbers in whole-number arithmetic, for the numbers where
// the engine's doubles are exact: 0 <= n < 2^31 and a whole base from 2 to 2^31 - 1.
#pragma once

#include "fuzz/entrycheck.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kz::fuzz {

constexpr std::uint64_t kLargestTestable = 2147483647;

// The check boxes as the window reports them: 0 unchecked, 1 checked, 2 greyed.
struct Filters {
    int nontrivial = 0; // hides Q = 1
    int divisor = 0;    // hides Q divisible by S
    int tooLarge = 0;   // hides Q > S
};

struct MirrorHit {
    std::uint64_t mirror;
    std::uint64_t quotient;
};

// The whole number x when it is one within [low, high].
std::optional<std::uint64_t> wholeWithin(double x, std::uint64_t low, std::uint64_t high);

// Digits of n in base, most significant first; n = 0 has the single digit 0.
std::vector<std::uint64_t> digitsOf(std::uint64_t n, std::uint64_t base);

// n divided by its mirror number when that is whole; empty otherwise (and for mirror 0).
std::optional<MirrorHit> mirrorHit(std::uint64_t n, std::uint64_t base);

// Whether the filters let the hit through; only a box that is checked (1) filters.
bool shown(const MirrorHit &hit, std::uint64_t base, const Filters &filters);

// Whether a parsed entry tells exactly this hit; otherwise why says what differs.
bool entryMatches(const ParsedEntry &entry, std::uint64_t n, std::uint64_t base,
                  const MirrorHit &hit, std::string &why);

} // namespace kz::fuzz
