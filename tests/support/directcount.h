// The counts of Kehrzahlen by the plain dynamic programme: a big integer per state of every
// carry graph, all Q carried forward together one step at a time. Slow and simple, it is the
// yardstick the counting is checked and measured against.
#pragma once

#include "kehrzahlen/kehrzahlen.h"

#include <cstdint>
#include <vector>

namespace kz::testing {

// The count of every length from first to last (2 <= first <= last), as countKehrzahlen has it.
std::vector<kehr::Count> directCounts(int base, std::uint64_t first, std::uint64_t last);

} // namespace kz::testing
