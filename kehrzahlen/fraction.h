// Counts of a finite automaton by length have a rational generating function. From enough of
// its first terms, the fraction is found (Berlekamp-Massey over a large prime field, checked
// exactly over the integers), and from the fraction any single term.
#pragma once

#include "kehrzahlen/kehrzahlen.h"

#include <gmpxx.h>

#include <cstdint>
#include <vector>

namespace kz::kehr {

// The fraction in lowest terms whose series starts with terms. If the sequence has a fraction of
// degree at most d, 2·d + 2 terms determine it.
Fraction fractionOf(const std::vector<mpz_class> &terms);

// The coefficient of x^power in the series of f.
mpz_class coefficientOf(const Fraction &f, std::uint64_t power);

} // namespace kz::kehr
