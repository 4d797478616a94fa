#include "fuzz/mirrororacle.h"

#include "engine/conversions.h"

#include <algorithm>
#include <cmath>

namespace kz::fuzz {

namespace {

// Whether the digit texts read as these digits, one for one.
bool sameDigits(const std::vector<std::string> &texts, const std::vector<std::uint64_t> &digits)
{
    return texts.size() == digits.size() &&
           std::equal(texts.begin(), texts.end(), digits.begin(),
                      [](const std::string &text, std::uint64_t digit) {
                          return text[0] == ' ' && Val(text) == static_cast<double>(digit);
                      });
}

} // namespace

std::optional<std::uint64_t> wholeWithin(double x, std::uint64_t low, std::uint64_t high)
{
    if (!(x >= static_cast<double>(low) && x <= static_cast<double>(high)) || std::floor(x) != x)
        return std::nullopt;
    return static_cast<std::uint64_t>(x);
}

std::vector<std::uint64_t> digitsOf(std::uint64_t n, std::uint64_t base)
{
    std::vector<std::uint64_t> digits;
    do {
        digits.push_back(n % base);
        n /= base;
    } while (n > 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::optional<MirrorHit> mirrorHit(std::uint64_t n, std::uint64_t base)
{
    // Below 2^31 in a base below 2^31 the mirror stays below 2^62.
    std::uint64_t mirror = 0;
    std::uint64_t rest = n;
    do {
        mirror = mirror * base + rest % base;
        rest /= base;
    } while (rest > 0);
    if (mirror == 0 || n % mirror != 0)
        return std::nullopt;
    return MirrorHit{mirror, n / mirror};
}

bool shown(const MirrorHit &hit, std::uint64_t base, const Filters &filters)
{
    if (filters.nontrivial == 1 && hit.quotient == 1)
        return false;
    if (filters.divisor == 1 && hit.quotient % base == 0)
        return false;
    if (filters.tooLarge == 1 && hit.quotient > base)
        return false;
    return true;
}

bool entryMatches(const ParsedEntry &entry, std::uint64_t n, std::uint64_t base,
                  const MirrorHit &hit, std::string &why)
{
    if (Val(entry.number) != static_cast<double>(n) ||
        Val(entry.mirror) != static_cast<double>(hit.mirror) ||
        Val(entry.quotient) != static_cast<double>(hit.quotient)) {
        why = "line 1 does not tell n, m and Q";
        return false;
    }
    if (Val(entry.base) != static_cast<double>(base)) {
        why = "line 2 does not tell the base";
        return false;
    }
    if (!sameDigits(entry.digits, digitsOf(n, base))) {
        why = "line 3 does not hold the digits of n";
        return false;
    }
    if (!sameDigits(entry.quotientDigits, digitsOf(hit.quotient, base))) {
        why = "line 3 does not hold the digits of Q";
        return false;
    }
    return true;
}

} // namespace kz::fuzz
