// The listing against the engine's own search, entry for entry, wherever the search is quick.
#include "kehrzahlen/kehrzahlen.h"

#include "cli/kehrentry.h"

#include "engine/conversions.h"
#include "tests/support/reference.h"

#include <gtest/gtest.h>

#include <limits>

namespace kz::kehr {
namespace {

// The search's list over S^(D-1) .. S^D - 1 with only Q = 1 hidden, less the numbers ending in 0
// (their mirror number is shorter) and the closing "fertig".
std::string searchList(int base, std::int64_t from, std::int64_t to)
{
    test::Harness h;
    h.window.setYieldStride(std::numeric_limits<std::uint32_t>::max());
    h.setFilters({1, 0, 0});
    h.setRange(std::to_string(from), std::to_string(to), std::to_string(base));
    h.engine.Command1_Click();
    std::string rest, list;
    for (const std::string &entry : test::entriesOf(h.window.result(), &rest)) {
        if (static_cast<std::int64_t>(Val(entry)) % base != 0)
            list += entry;
    }
    EXPECT_EQ(rest, "fertig");
    return list;
}

std::string kehrList(int base, std::uint64_t digits)
{
    std::string list;
    listKehrzahlen(base, digits, digits, [&](const Kehrzahl &k) {
        cli::appendKehrzahlEntry(list, base, k);
        return true;
    });
    return list;
}

class ListAgainstSearch : public testing::TestWithParam<int> {};

// Catches a lost or extra Kehrzahl, a wrong order across Q, and any difference in the entry text.
TEST_P(ListAgainstSearch, EveryLengthTheSearchCoversUpToAMillion)
{
    const int base = GetParam();
    std::int64_t low = 1;
    for (std::uint64_t digits = 1; low * base <= 1'000'000; ++digits, low *= base) {
        SCOPED_TRACE("digits " + std::to_string(digits));
        EXPECT_EQ(kehrList(base, digits), searchList(base, low, low * base - 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Bases, ListAgainstSearch, testing::Range(2, 17));

} // namespace
} // namespace kz::kehr
