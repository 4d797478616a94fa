#include "cli/kehrentry.h"

#include "engine/conversions.h"
#include "engine/entrytext.h"

#include <array>

namespace kz::cli {

namespace {

std::string strOf(std::string_view decimal)
{
    std::string text;
    appendWholeStr(text, decimal);
    return text;
}

// The decimal digits of n / q for a q that divides n, by long division of n's digits: a pass over
// them, where GMP's conversion of a number of millions of digits takes most of a second.
std::string quotientDigits(const std::string &n, unsigned q)
{
    std::string digits;
    digits.reserve(n.size());
    unsigned long rest = 0;
    for (const char c : n) {
        rest = rest * 10 + unsigned(c - '0');
        if (!digits.empty() || rest >= q)
            digits += char('0' + rest / q);
        rest %= q;
    }
    return digits.empty() ? "0" : digits;
}

} // namespace

void appendKehrzahlEntry(std::string &out, int base, const kehr::Kehrzahl &k)
{
    const std::string n = kehr::valuesOf(base, k).n.get_str();
    const std::string nText = strOf(n), mText = strOf(quotientDigits(n, unsigned(k.quotient)));
    const std::string qText = strOf(std::to_string(k.quotient));
    const std::array<std::int32_t, 1> qDigits{k.quotient}; // Q < S: one digit
    appendEntryText(out, {nText, mText, qText, double(base), k.digits, qDigits});
}

} // namespace kz::cli
