// The checks every public function makes of its input before any work: one home for the limits
// of kehrzahlen.h.
#pragma once

#include <cstdint>

namespace kz::kehr {

void checkBase(std::int64_t base);
void checkLengths(std::uint64_t first, std::uint64_t last);
void checkQuotient(int base, std::int64_t quotient);
void checkOrder(std::int64_t first, std::int64_t last);

} // namespace kz::kehr
