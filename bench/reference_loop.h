// Yardsticks for the search: how fast a plain loop can test numbers for divisibility by their
// mirror number, with no list, no filters and no window.
#pragma once

#include <cstdint>

namespace kz::bench {

// Digits and mirror number kept up to date as n counts up; divides only where m <= n.
std::uint64_t incrementalReferenceLoop(std::uint32_t last, std::uint32_t base);

// Takes every n apart with % and / afresh.
std::uint64_t naiveReferenceLoop(std::uint32_t last, std::uint32_t base);

} // namespace kz::bench
