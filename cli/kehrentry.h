// The result-list entry of a Kehrzahl, in the engine's entry text, so that a listed Kehrzahl
// reads as the search would show it.
#pragma once

#include "kehrzahlen/kehrzahlen.h"

#include <string>

namespace kz::cli {

// Appends the entry of k in base S: n, m and Q in exact decimal, the base, the digits of n, m and
// Q in base S.
void appendKehrzahlEntry(std::string &out, int base, const kehr::Kehrzahl &k);

} // namespace kz::cli
