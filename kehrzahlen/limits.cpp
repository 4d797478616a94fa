#include "kehrzahlen/limits.h"

#include "kehrzahlen/kehrzahlen.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace kz::kehr {

namespace {

const char *nameOf(Limit limit)
{
    switch (limit) {
    case Limit::Base:
        return "base";
    case Limit::Length:
        return "length";
    case Limit::Quotient:
        return "quotient";
    case Limit::Order:
        return "range order";
    case Limit::Fraction:
        return "fraction degree";
    case Limit::Memory:
        return "listing memory";
    }
    return "";
}

} // namespace

LimitError::LimitError(Limit l, std::int64_t v, std::int64_t low, std::int64_t high)
    : std::invalid_argument(std::string(nameOf(l)) + ' ' + std::to_string(v) + " outside " +
                            std::to_string(low) + ".." + std::to_string(high)),
      limit(l), value(v), lowest(low), highest(high)
{
}

void checkBase(std::int64_t base)
{
    if (base < kSmallestBase || base > kLargestBase)
        throw LimitError(Limit::Base, base, kSmallestBase, kLargestBase);
}

void checkBases(int first, int last)
{
    checkBase(first);
    checkBase(last);
    checkOrder(first, last);
}

void checkOrder(std::int64_t first, std::int64_t last)
{
    if (first > last)
        throw LimitError(Limit::Order, first, first, last);
}

void checkLengths(std::uint64_t first, std::uint64_t last)
{
    // Lengths beyond the int64 range read as the largest one, which is refused all the same.
    const auto clamp = [](std::uint64_t d) {
        return std::int64_t(std::min<std::uint64_t>(d, std::uint64_t(INT64_MAX)));
    };
    for (const std::uint64_t d : {first, last}) {
        if (d < kShortestLength || d > kLongestLength)
            throw LimitError(Limit::Length, clamp(d), std::int64_t(kShortestLength),
                             std::int64_t(kLongestLength));
    }
    checkOrder(clamp(first), clamp(last));
}

void checkQuotient(int base, std::int64_t quotient)
{
    if (quotient < kSmallestQuotient || quotient >= base)
        throw LimitError(Limit::Quotient, quotient, kSmallestQuotient, base - 1);
}

} // namespace kz::kehr
