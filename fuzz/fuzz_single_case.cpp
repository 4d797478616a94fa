// The single-case test on arbitrary base and number texts: either one message box and nothing
// changed, or a digit string in the field and a list "Im Zehnersystem ist das", n, entry, "fertig".
#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/plainwindow.h"
#include "engine/texts.h"
#include "fuzz/entrycheck.h"
#include "fuzz/fuzzinput.h"
#include "fuzz/mirrororacle.h"
#include "fuzz/require.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using kz::Field;
constexpr Field kAllFields[] = {Field::txtSystem,     Field::txtugrenze,  Field::txtnn,
                                Field::txtEinzelfall, Field::txtErgebnis, Field::txtHilfe};
constexpr std::string_view kHeader = "Im Zehnersystem ist das\r\n";

// x rounded to 15 significant digits, reckoned with printf: the number as the result list shows it.
double shownValue(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.14e", x);
    return std::strtod(text, nullptr);
}

bool sameVariables(const kz::FormVariables &a, const kz::FormVariables &b)
{
    // Bit for bit, so a NaN left in a variable still compares equal to itself.
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// n from the typed digits in a whole base of at most 10 in magnitude, reckoned in integers.
std::int64_t digitValue(std::string_view digits, std::int64_t base)
{
    std::int64_t value = 0;
    for (const char c : digits)
        value = value * base + (c - '0');
    return value;
}

void checkRefused(const kz::PlainWindow &window, const kz::PlainWindow &before,
                  const kz::FormVariables &vars, const kz::FormVariables &varsBefore, double base)
{
    KZ_REQUIRE(window.messages().size() == 1, "a refusal shows one message box", "");
    const std::string &text = window.messages()[0].text;
    KZ_REQUIRE((text == kz::texts::kBaseAboveTen) == (base > 10), "the box names what is wrong",
               text);
    for (const Field field : kAllFields)
        KZ_REQUIRE(window.field(field) == before.field(field), "a refusal changes no field",
                   window.field(field));
    KZ_REQUIRE(sameVariables(vars, varsBefore), "a refusal changes no variable", "");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const kz::fuzz::TextParts parts(data, size);
    kz::PlainWindow window;
    window.field(Field::txtSystem) = parts[0];
    window.field(Field::txtEinzelfall) = parts[1];
    window.field(Field::txtErgebnis) = "an earlier list\r\n\r\nfertig";
    // Without a third part the boxes keep the window's opening values.
    const auto boxes = parts.byte(2, 0, 255);
    if (boxes != 255) {
        window.setCheckBox(kz::CheckBox::chkNichttrivial, boxes % 3);
        window.setCheckBox(kz::CheckBox::chkTeiler, boxes / 3 % 3);
        window.setCheckBox(kz::CheckBox::chkzugross, boxes / 9 % 3);
    }
    const kz::fuzz::Filters filters{window.checkBoxValue(kz::CheckBox::chkNichttrivial),
                                    window.checkBoxValue(kz::CheckBox::chkTeiler),
                                    window.checkBoxValue(kz::CheckBox::chkzugross)};
    kz::Engine engine(window);
    // A stop flag left over from an aborted search, when the third part's second byte asks.
    engine.vars().Abbruch = parts.byte(2, 1, 0) & 1;
    const kz::PlainWindow before = window;
    const kz::FormVariables varsBefore = engine.vars();

    engine.cmdEinzelfall_Click();

    const double base = kz::Val(parts[0]);
    // The test takes the typed number as it would be shown: 15 significant digits, so a
    // fraction far right of a 14-digit number rounds away and the number counts as whole.
    const double typed = shownValue(kz::Val(parts[1]));
    const bool acceptable = base <= 10 && std::floor(typed) == typed && std::fabs(typed) < 1e15;
    if (!acceptable) {
        checkRefused(window, before, engine.vars(), varsBefore, base);
        return 0;
    }
    KZ_REQUIRE(window.messages().empty(), "a whole number below 10^15 is tested", parts[1]);

    const std::string &digits = window.field(Field::txtEinzelfall);
    KZ_REQUIRE(digits.size() >= 1 && digits.size() <= 15 &&
                   digits.find_first_not_of("0123456789") == std::string::npos,
               "the field holds 1 to 15 digits", digits);
    KZ_REQUIRE(digits == "0" || digits[0] != '0', "the field has no leading zeros", digits);
    KZ_REQUIRE(kz::Val(digits) == std::fabs(typed), "the field holds the typed number unsigned",
               digits);
    for (const Field field : {Field::txtSystem, Field::txtugrenze, Field::txtnn, Field::txtHilfe})
        KZ_REQUIRE(window.field(field) == before.field(field), "only the number field changes",
                   window.field(field));

    const std::string &result = window.result();
    KZ_REQUIRE(result.compare(0, kHeader.size(), kHeader) == 0,
               "the list starts anew with the header", result);
    const std::size_t lineEnd = result.find("\r\n", kHeader.size());
    KZ_REQUIRE(lineEnd != std::string::npos, "n follows the header on its own line", result);
    const std::string nText = result.substr(kHeader.size(), lineEnd - kHeader.size());
    // A huge negative base may overflow n; Str then writes its texts for infinity and NaN.
    KZ_REQUIRE(nText == kz::Str(engine.vars().Zahl), "n follows as Str writes it", result);
    std::string why;
    const auto list = kz::fuzz::parseList(std::string_view(result).substr(lineEnd + 2), why);
    KZ_REQUIRE(list, why.c_str(), result);
    KZ_REQUIRE(list->fertig && list->entries.size() <= 1, "at most one entry, then 'fertig'",
               result);

    // In a whole base up to 10 in magnitude every step is exact in doubles.
    if (std::floor(base) != base || std::fabs(base) > 10)
        return 0;
    const std::int64_t n = digitValue(digits, static_cast<std::int64_t>(base));
    KZ_REQUIRE(kz::Val(nText) == static_cast<double>(n), "n is the digits read in base S", result);
    if (base < 2 || n < 0 || n > static_cast<std::int64_t>(kz::fuzz::kLargestTestable))
        return 0;
    const auto hit =
        kz::fuzz::mirrorHit(static_cast<std::uint64_t>(n), static_cast<std::uint64_t>(base));
    const bool expected = hit && kz::fuzz::shown(*hit, static_cast<std::uint64_t>(base), filters);
    KZ_REQUIRE(list->entries.size() == (expected ? 1u : 0u), "an entry exactly for a shown hit",
               result);
    if (expected)
        KZ_REQUIRE(kz::fuzz::entryMatches(list->entries[0], static_cast<std::uint64_t>(n),
                                          static_cast<std::uint64_t>(base), *hit, why),
                   why.c_str(), result);
    return 0;
}
