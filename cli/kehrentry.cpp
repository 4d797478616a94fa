#include "cli/kehrentry.h"

#include "engine/conversions.h"
#include "engine/entrytext.h"

#include <array>

namespace kz::cli {

namespace {

std::string strOf(const mpz_class &x)
{
    std::string text;
    appendWholeStr(text, x.get_str());
    return text;
}

} // namespace

void appendKehrzahlEntry(std::string &out, int base, const kehr::Kehrzahl &k)
{
    const kehr::Values v = kehr::valuesOf(base, k);
    const std::string nText = strOf(v.n), mText = strOf(v.m), qText = strOf(k.quotient);
    const std::array<std::int32_t, 1> qDigits{k.quotient}; // Q < S: one digit
    appendEntryText(out, {nText, mText, qText, double(base), k.digits, qDigits});
}

} // namespace kz::cli
