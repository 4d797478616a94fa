// Which numbers and bases the engine can test. Mod works on the signed 32-bit range, so every
// limit of the search follows from that one range; the window, the CLI and the fast loop ask here.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace kz {

// The whole numbers Mod takes as they are.
inline constexpr double kLowestWhole = std::numeric_limits<std::int32_t>::min();
inline constexpr double kHighestWhole = std::numeric_limits<std::int32_t>::max();

// Mod rounds its operands first: -2147483648.5 still rounds into the range (ties to even),
// 2147483647.5 no longer does. A number outside [kLowestTestable, kHighestTestable) cannot be
// tested.
inline constexpr double kLowestTestable = kLowestWhole - 0.5;
inline constexpr double kHighestTestable = kHighestWhole + 0.5;

// Whether a search can use this base, as Command1_Click reads it (whole, before the check for 2).
bool baseIsSearchable(double base);

// Whether a search over from..to reaches no number above the testable range. Numbers below it are
// crossed in one step, and an empty range (from above to) tests nothing at all.
bool rangeIsSearchable(double from, double to);

// "S muß kleiner als 2147483648 sein": the refusal of a base above the testable range.
std::string baseTooLargeMessage();
// The refusal of a range that reaches above the testable numbers.
std::string rangeTooLargeMessage();

// A search with no window events in between may be split at any whole number into stretches that
// are searched on their own and listed one after the other: the range of whole testable numbers in
// a whole base of 2 or more. Empty where the range has to run as one (fractions, untestable parts).
struct SplittableRange {
    std::int64_t from = 0, to = 0; // first and last number, from <= to
    std::int64_t base = 10;
};
std::optional<SplittableRange> splittableRange(double base, double from, double to);

} // namespace kz
