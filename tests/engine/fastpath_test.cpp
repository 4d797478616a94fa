// The tight loop of the search must leave exactly what testing number by number leaves: the
// same list to the character and the same variables, also when handlers run in its yields.
#include "tests/support/reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace kz::test {
namespace {

constexpr std::uint32_t kNoYields = 0xffffffffu;

struct SearchResult {
    std::string list;
    FormVariables vars;
};

SearchResult runSearch(const std::string &from, const std::string &to, const std::string &base,
                       Filters filters, std::uint32_t stride,
                       std::function<void(Harness &, std::uint64_t)> onYield = {})
{
    Harness h;
    h.setRange(from, to, base);
    h.setFilters(filters);
    h.window.setYieldStride(stride);
    if (onYield)
        h.window.onYield = [&](std::uint64_t n) { onYield(h, n); };
    h.engine.Command1_Click();
    return {h.window.result(), h.engine.vars()};
}

// After a number with a fraction the digit loop gives up, leaving a mix of earlier tests' working
// values that nothing reads before writing; where fractions were tested only the list, the
// number, the base and the stop flag are compared.
void expectSame(const SearchResult &fast, const SearchResult &exact, const std::string &what,
                bool fractions = false)
{
    EXPECT_EQ(fast.list, exact.list) << what;
    const FormVariables &f = fast.vars, &e = exact.vars;
    EXPECT_EQ(f.Zahl, e.Zahl) << what;
    EXPECT_EQ(f.Basis, e.Basis) << what;
    EXPECT_EQ(f.Abbruch, e.Abbruch) << what;
    if (fractions)
        return;
    EXPECT_EQ(f.Rest, e.Rest) << what;
    EXPECT_EQ(std::signbit(f.Rest), std::signbit(e.Rest)) << what << ": -0 stays -0";
    EXPECT_EQ(f.Spiegelzahl, e.Spiegelzahl) << what;
    EXPECT_EQ(f.Quotient, e.Quotient) << what;
    EXPECT_EQ(f.Stellen, e.Stellen) << what;
    EXPECT_EQ(f.i, e.i) << what;
    EXPECT_EQ(f.Ziffer, e.Ziffer) << what;
    EXPECT_EQ(f.QZiffer, e.QZiffer) << what;
}

std::string text(std::int64_t x)
{
    return std::to_string(x);
}

TEST(FastPath, MatchesAcrossBasesAndDigitBoundaries)
{
    const Filters filterSets[] = {{0, 0, 0}, {1, 1, 0}, {1, 1, 1}, {2, 0, 1}};
    for (std::int64_t base : {2, 3, 5, 7, 10, 16, 36, 255, 256, 1000, 1001, 65536, 2147483647}) {
        // Around S^k the digit count changes and every weight of the mirror number with it.
        std::vector<std::pair<std::int64_t, std::int64_t>> ranges = {{1, 3000}};
        for (std::int64_t power = base; power <= 2147483647 / base; power *= base)
            ranges.push_back({std::max<std::int64_t>(power - 1500, 1), power + 1500});
        ranges.push_back({2147483647 - 3000, 2147483647});
        for (auto [from, to] : ranges) {
            for (const Filters &filters : filterSets) {
                const std::string what =
                    "base " + text(base) + " from " + text(from) + " to " + text(to);
                expectSame(runSearch(text(from), text(to), text(base), filters, kNoYields),
                           runSearch(text(from), text(to), text(base), filters, 1), what);
            }
        }
    }
}

TEST(FastPath, MatchesOnRandomRanges)
{
    std::mt19937 random(20261208);
    for (int k = 0; k < 150; ++k) {
        const std::int64_t base = 2 + random() % (k % 3 == 0 ? 5000 : 40);
        const std::int64_t from = 1 + random() % 2147400000;
        const std::int64_t to = from + random() % 20000;
        const std::uint32_t stride = 2 + random() % 5000;
        const std::string what =
            "base " + text(base) + " from " + text(from) + " stride " + text(stride);
        expectSame(runSearch(text(from), text(to), text(base), {0, 0, 0}, stride),
                   runSearch(text(from), text(to), text(base), {0, 0, 0}, 1), what);
    }
}

TEST(FastPath, MatchesOnNegativeAndFractionalStretches)
{
    const struct {
        const char *from, *to, *base;
    } ranges[] = {
        {"-3000", "3000", "10"},
        {"-0", "0", "10"},
        {"0", "3000", "10"},
        {"-2147483648", "-2147479000", "7"},
        {"-500", "-20", "2"},
        {"0.5", "3000", "10"},
        {"-100.25", "100", "16"},
        {"2147480000.5", "2147483647", "10"},
        // 2^30 - 1 + 2^-23: one step up rounds to 2^30 exactly, and the count goes on whole.
        {"1073741823.00000011920928955078125", "1073745000", "10"},
    };
    for (const auto &r : ranges) {
        for (std::uint32_t stride : {2u, 97u, kNoYields}) {
            const std::string what = std::string(r.from) + " to " + r.to + " base " + r.base +
                                     " stride " + text(static_cast<std::int64_t>(stride));
            const bool fractions = std::string(r.from).find('.') != std::string::npos;
            expectSame(runSearch(r.from, r.to, r.base, {0, 0, 0}, stride),
                       runSearch(r.from, r.to, r.base, {0, 0, 0}, 1), what, fractions);
        }
    }
}

// In the tight loop the j-th yield comes before the number from + j * stride - 1, where the
// one-by-one loop makes its own yield number 2 * (that number - from) + 1.
std::uint64_t exactYieldOf(std::uint64_t j, std::uint32_t stride)
{
    return 2 * (j * stride - 1) + 1;
}

struct Nesting {
    const char *name;
    std::function<void(Harness &)> click;
};

TEST(FastPath, HandlersInItsYieldsActAsInTheOneByOneLoop)
{
    const Nesting clicks[] = {
        {"abort", [](Harness &h) { h.engine.Command3_Click(); }},
        {"clear", [](Harness &h) { h.engine.Command2_Click(); }},
        {"check box", [](Harness &h) { h.window.setCheckBox(CheckBox::chkNichttrivial, 1); }},
        {"stepper", [](Harness &h) { h.engine.Command8_Click(); }},
        {"second start",
         [](Harness &h) {
             h.setRange("500", "520", "7");
             h.engine.Command1_Click();
         }},
        {"second start below the range",
         [](Harness &h) {
             h.setRange("1", "15", "10");
             h.engine.Command1_Click();
         }},
        {"single-case test in base 2",
         [](Harness &h) {
             h.window.field(Field::txtSystem) = "2";
             h.window.field(Field::txtEinzelfall) = "1011";
             h.engine.cmdEinzelfall_Click();
         }},
        {"single-case test in a non-whole base",
         [](Harness &h) {
             h.window.field(Field::txtSystem) = "9.5";
             h.window.field(Field::txtEinzelfall) = "121";
             h.engine.cmdEinzelfall_Click();
         }},
        {"single-case test of the current number in base 8: only the base changes",
         [](Harness &h) {
             std::string octal;
             for (auto n = static_cast<std::int64_t>(h.engine.vars().Zahl); n > 0; n /= 8)
                 octal.insert(octal.begin(), char('0' + n % 8));
             h.window.field(Field::txtSystem) = "8";
             h.window.field(Field::txtEinzelfall) = octal;
             h.engine.cmdEinzelfall_Click();
         }},
        {"quit", [](Harness &h) { h.engine.cmdEnde_Click(); }},
    };
    const std::uint32_t stride = 37;
    // From -60 the loop crosses from negative numbers to positive ones between its yields.
    for (const char *from : {"1", "-60"}) {
        for (const auto &c : clicks) {
            for (std::uint64_t j : {1u, 2u, 5u}) {
                bool done = false;
                auto once = [&](std::uint64_t at) {
                    return [&, at](Harness &h, std::uint64_t n) {
                        if (n == at && !done) {
                            done = true;
                            c.click(h);
                        }
                    };
                };
                const SearchResult fast = runSearch(from, "400", "10", {0, 0, 0}, stride, once(j));
                done = false;
                const SearchResult exact =
                    runSearch(from, "400", "10", {0, 0, 0}, 1, once(exactYieldOf(j, stride)));
                expectSame(fast, exact,
                           std::string(c.name) + " at yield " + text(static_cast<std::int64_t>(j)) +
                               " from " + from);
            }
        }
    }
}

} // namespace
} // namespace kz::test
