// PruefeZahl on arbitrary doubles for Zahl and Basis and arbitrary check boxes: it appends
// nothing or one well-formed entry, and exactly the hit a whole-number reckoning finds.
#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/plainwindow.h"
#include "fuzz/entrycheck.h"
#include "fuzz/fuzzinput.h"
#include "fuzz/mirrororacle.h"
#include "fuzz/require.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

using kz::CheckBox;
using kz::fuzz::Filters;

// Raw doubles rarely land on whole numbers, so the first byte may ask for whole ones.
void pickNumbers(kz::fuzz::ByteReader &in, double &zahl, double &basis)
{
    const auto mode = in.take<std::uint8_t>() % 4;
    const auto rawZahl = in.take<double>();
    const auto rawBasis = in.take<double>();
    const auto wholeZahl =
        static_cast<double>(in.take<std::uint32_t>() % (kz::fuzz::kLargestTestable + 1));
    const auto smallBasis = static_cast<double>(in.take<std::uint8_t>() % 40);
    zahl = mode & 1 ? wholeZahl : rawZahl;
    basis = mode & 2 ? smallBasis : rawBasis;
}

// What the entry shows in any case: n and S as Str writes them, and what the filters forbid.
void checkEntry(const kz::fuzz::ParsedEntry &entry, double zahl, double basis,
                const Filters &filters)
{
    KZ_REQUIRE(entry.number == kz::Str(zahl), "the entry starts with n", entry.number);
    KZ_REQUIRE(entry.base == kz::Str(basis), "line 2 names the base", entry.base);
    const double quotient = kz::Val(entry.quotient);
    KZ_REQUIRE(std::floor(quotient) == quotient, "Q is whole", entry.quotient);
    if (filters.nontrivial == 1)
        KZ_REQUIRE(quotient != 1, "a checked box hides Q = 1", entry.quotient);
    // Rounding to 15 digits keeps the order, so Q <= S survives it.
    if (filters.tooLarge == 1)
        KZ_REQUIRE(quotient <= kz::Val(entry.base), "a checked box hides Q > S", entry.quotient);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    kz::fuzz::ByteReader in(data, size);
    double zahl = 0, basis = 0;
    pickNumbers(in, zahl, basis);
    const auto boxes = in.take<std::uint8_t>();
    const Filters filters{boxes % 3, boxes / 3 % 3, boxes / 9 % 3};
    const bool stopped = in.take<std::uint8_t>() == 1;

    kz::PlainWindow window;
    window.setCheckBox(CheckBox::chkNichttrivial, filters.nontrivial);
    window.setCheckBox(CheckBox::chkTeiler, filters.divisor);
    window.setCheckBox(CheckBox::chkzugross, filters.tooLarge);
    const std::string before = "earlier entries\r\n\r\n";
    window.field(kz::Field::txtErgebnis) = before;
    kz::Engine engine(window);
    engine.vars().Zahl = zahl;
    engine.vars().Basis = basis;
    engine.vars().Abbruch = stopped ? 1 : 0;

    engine.PruefeZahl();

    const std::string &result = window.result();
    KZ_REQUIRE(result.compare(0, before.size(), before) == 0, "the list only grows", result);
    const std::string appended = result.substr(before.size());
    KZ_REQUIRE(window.messages().empty(), "a number test shows no message box", appended);
    KZ_REQUIRE(!stopped || appended.empty(), "a stopped search tests nothing", appended);

    std::optional<kz::fuzz::ParsedEntry> entry;
    if (!appended.empty()) {
        std::string why;
        entry = kz::fuzz::parseEntry(appended, why);
        KZ_REQUIRE(entry, why.c_str(), appended);
        checkEntry(*entry, zahl, basis, filters);
    }

    // Where the doubles are exact, the entry is there exactly for a shown hit.
    const auto n = kz::fuzz::wholeWithin(zahl, 0, kz::fuzz::kLargestTestable);
    const auto s = kz::fuzz::wholeWithin(basis, 2, kz::fuzz::kLargestTestable);
    if (n && s && !stopped) {
        const auto hit = kz::fuzz::mirrorHit(*n, *s);
        const bool expected = hit && kz::fuzz::shown(*hit, *s, filters);
        KZ_REQUIRE(entry.has_value() == expected, "an entry exactly for each shown hit",
                   kz::Str(zahl) + " in base" + kz::Str(basis) + ": " + appended);
        std::string why;
        if (entry)
            KZ_REQUIRE(kz::fuzz::entryMatches(*entry, *n, *s, *hit, why), why.c_str(), appended);
    }
    return 0;
}
