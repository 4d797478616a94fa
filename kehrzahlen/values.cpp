// The numbers a listed Kehrzahl stands for, and its walk through the carry graph.
#include "kehrzahlen/kehrzahlen.h"

#include <map>

namespace kz::kehr {

namespace {

using Powers = std::map<std::size_t, mpz_class>;

// The value of digits (least significant first) in base S, split in halves so that long numbers
// cost a few large multiplications instead of one small one per digit. The halves of one depth
// differ in length by one at most, so each depth needs one or two powers of S, kept in powers.
mpz_class valueOf(std::span<const std::int32_t> digits, int base, Powers &powers)
{
    constexpr std::size_t kShort = 64;
    if (digits.size() <= kShort) {
        mpz_class value;
        for (auto d = digits.rbegin(); d != digits.rend(); ++d) {
            mpz_mul_ui(value.get_mpz_t(), value.get_mpz_t(), unsigned(base));
            mpz_add_ui(value.get_mpz_t(), value.get_mpz_t(), unsigned(*d));
        }
        return value;
    }
    const std::size_t half = digits.size() / 2;
    auto [power, added] = powers.try_emplace(half);
    if (added)
        mpz_ui_pow_ui(power->second.get_mpz_t(), unsigned(base), half);
    mpz_class value = valueOf(digits.subspan(half), base, powers);
    value *= power->second;
    value += valueOf(digits.first(half), base, powers);
    return value;
}

} // namespace

Values valuesOf(int base, const Kehrzahl &k)
{
    Powers powers;
    Values v{valueOf(k.digits, base, powers), 0};
    mpz_divexact_ui(v.m.get_mpz_t(), v.n.get_mpz_t(), unsigned(k.quotient));
    return v;
}

Walk walkOf(int base, const Kehrzahl &k)
{
    const std::size_t length = k.digits.size(), half = length / 2;
    const std::int64_t s = base, q = k.quotient;
    Walk walk;
    walk.steps.reserve(half);
    CarryPair at{0, 0};
    for (std::size_t i = 0; i < half; ++i) {
        const std::int32_t x = k.digits[length - 1 - i], y = k.digits[i];
        at = {int((q * x + at.low) / s), int(s * at.high + x - q * y)};
        walk.steps.push_back({x, y, at});
    }
    if (length % 2 == 1)
        walk.middle = k.digits[half];
    return walk;
}

} // namespace kz::kehr
