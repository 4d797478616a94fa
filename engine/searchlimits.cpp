#include "engine/searchlimits.h"

#include "engine/conversions.h"

#include <cmath>

namespace kz {

bool baseIsSearchable(double base)
{
    return !(Int(base) > kHighestWhole);
}

bool rangeIsSearchable(double from, double to)
{
    return !(from <= to) || to <= kHighestWhole;
}

std::string baseTooLargeMessage()
{
    return "S muß kleiner als" + Str(kHighestWhole + 1) + " sein";
}

std::string rangeTooLargeMessage()
{
    return "Die Obergrenze muß kleiner als" + Str(kHighestWhole + 1) +
           " sein: größere Zahlen können nicht geprüft werden";
}

std::optional<SplittableRange> splittableRange(double base, double from, double to)
{
    const double whole = Int(base);
    if (!(whole >= 2 && whole <= kHighestWhole) || from != Int(from) || !(from <= to) ||
        !(from >= kLowestWhole && to <= kHighestWhole))
        return std::nullopt;
    // The last number a counted loop reaches is the last whole number not above the end.
    return SplittableRange{static_cast<std::int64_t>(from),
                           static_cast<std::int64_t>(std::floor(to)),
                           static_cast<std::int64_t>(whole)};
}

} // namespace kz
