#include "kehrzahlen/kehrzahlen.h"

#include "engine/conversions.h"
#include "engine/entrytext.h"

#include <array>

namespace kz::kehr {

namespace {

// The value of digits (least significant first) in base S, split in halves so that long numbers
// cost a few large multiplications instead of one small one per digit.
mpz_class valueOf(std::span<const std::int32_t> digits, int base)
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
    mpz_class value;
    mpz_ui_pow_ui(value.get_mpz_t(), unsigned(base), half);
    value *= valueOf(digits.subspan(half), base);
    value += valueOf(digits.first(half), base);
    return value;
}

std::string strOf(const mpz_class &x)
{
    std::string text;
    appendWholeStr(text, x.get_str());
    return text;
}

} // namespace

void appendEntry(std::string &out, int base, const Kehrzahl &k)
{
    const mpz_class n = valueOf(k.digits, base);
    mpz_class m;
    mpz_divexact_ui(m.get_mpz_t(), n.get_mpz_t(), unsigned(k.quotient));
    const std::string nText = strOf(n), mText = strOf(m), qText = strOf(k.quotient);
    const std::array<std::int32_t, 1> qDigits{k.quotient}; // Q < S: one digit
    appendEntryText(out, {nText, mText, qText, double(base), k.digits, qDigits});
}

} // namespace kz::kehr
