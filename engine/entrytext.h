// The text of one result-list entry, written from its parts. The number test writes it for the
// numbers a search reaches; the digit-pair search of Kehrzahlen for numbers of any length.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kz {

// Digits in base S, least significant first.
using DigitsView = std::span<const std::int32_t>;

struct EntryParts {
    std::string_view n, m, q; // as Str writes them: a blank or a sign first
    double base = 10;
    DigitsView nDigits; // the digits of m are those of n read backwards
    DigitsView qDigits;
};

// Appends the four lines: n, m and Q in decimal; the base; the three digit sequences; an empty
// line.
void appendEntryText(std::string &out, const EntryParts &parts);

} // namespace kz
