// Counts of a finite automaton by length have a rational generating function. From enough of
// its first terms, the fraction is found (Berlekamp-Massey over a large prime field, checked
// exactly over the integers), and from the fraction any single term.
#pragma once

#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/ticker.h"

#include <gmpxx.h>

#include <cstdint>
#include <vector>

namespace kz::kehr {

// How many counts by length fix the fraction of a carry graph's walks: its degree is at most
// 2·states + 2 (2k and 2k + 1 digits are an even and an odd shift of the same walks of k steps),
// and twice the degree plus two terms determine it. The states folded into steps count too.
inline std::uint64_t degreeBound(const WalkGraph &g)
{
    std::uint64_t states = g.size();
    for (const std::uint32_t length : g.length)
        states += length - 1;
    return 2 * states + 2;
}
inline std::uint64_t termsToFix(std::uint64_t degree)
{
    return 2 * degree + 2;
}

// The fraction in lowest terms whose series starts with terms. If the sequence has a fraction of
// degree at most d, 2·d + 2 terms determine it.
Fraction fractionOf(const std::vector<mpz_class> &terms, Ticker &ticker);

// The coefficient of x^power in the series of f. The cancel flag is read between the steps of
// the repeated squaring, each of which may take seconds at large powers.
mpz_class coefficientOf(const Fraction &f, std::uint64_t power, Ticker &ticker);

} // namespace kz::kehr
