// The generating functions against the counts they stand for, and one length counted from its
// fraction against the walk of all its steps.
#include "kehrzahlen/fraction.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/ticker.h"

#include <gtest/gtest.h>

#include <map>

namespace kz::kehr {
namespace {

// The series of a fraction with denominator(0) = 1, from x^0 to x^(terms - 1).
std::vector<mpz_class> seriesOf(const Fraction &f, std::size_t terms)
{
    std::vector<mpz_class> a(terms);
    for (std::size_t k = 0; k < terms; ++k) {
        a[k] = k < f.numerator.size() ? f.numerator[k] : 0;
        for (std::size_t i = 1; i < f.denominator.size() && i <= k; ++i)
            a[k] -= f.denominator[i] * a[k - i];
    }
    return a;
}

// Catches a wrong recurrence or numerator (too small a prime, a term too few for the
// Berlekamp-Massey step, a sum over Q that drops one), and a Q listed that has no Kehrzahl. Single
// terms from the power of the recurrence catch a term read past the series that FLINT keeps, which
// ends at its last term that is not 0.
TEST(Fraction, SeriesOfEachGeneratingFunctionIsItsCounts)
{
    constexpr std::size_t kTerms = 160;
    const Watch watch;
    Ticker ticker(watch);
    for (int base = 2; base <= 40; ++base) {
        std::map<int, std::vector<mpz_class>> counts; // Q (0: all) -> count by length
        counts[0].resize(kTerms);
        countKehrzahlen(base, 1, kTerms - 1, [&](const Count &c) {
            counts[0][c.length] = c.total;
            for (const auto &[q, n] : c.perQuotient) {
                counts[q].resize(kTerms);
                counts[q][c.length] = n;
            }
            return true;
        });
        const auto functions = erzeugendeFunktionen(base);
        ASSERT_TRUE(functions);
        std::vector<int> quotients;
        for (const GeneratingFunction &f : *functions) {
            const std::string where =
                "base " + std::to_string(base) + ", Q " + std::to_string(f.quotient);
            ASSERT_FALSE(f.fraction.denominator.empty()) << where;
            EXPECT_EQ(f.fraction.denominator[0], 1) << where;
            EXPECT_EQ(seriesOf(f.fraction, kTerms), counts[f.quotient]) << where;
            for (std::size_t k = 0; k < kTerms; k += 3)
                EXPECT_EQ(coefficientOf(f.fraction, k, ticker), counts[f.quotient][k]) << where;
            if (f.quotient != 0)
                quotients.push_back(f.quotient);
        }
        EXPECT_EQ(functions->back().quotient, 0) << base;
        std::vector<int> expected;
        for (const Multiplier &m : kehrmultiplikatoren(base))
            expected.push_back(m.quotient);
        EXPECT_EQ(quotients, expected) << base;
    }
}

// Catches a power of the recurrence taken one step off, from the wrong start, or with the
// wrong parity: each length alone, counted from its fraction, against the same length counted
// as part of a range, step by step.
TEST(Fraction, OneLengthAloneIsItsCountInARange)
{
    const auto counted = [](int base, std::uint64_t first, std::uint64_t last) {
        Count out;
        countKehrzahlen(base, first, last, [&](const Count &c) {
            out = c;
            return true;
        });
        return out;
    };
    for (int base = 2; base <= 40; ++base) {
        for (const std::uint64_t length : {998u, 999u}) {
            const Count alone = counted(base, length, length), inRange = counted(base, 2, length);
            EXPECT_EQ(alone.total, inRange.total) << base << ", " << length;
            EXPECT_EQ(alone.perQuotient, inRange.perQuotient) << base << ", " << length;
        }
    }
    EXPECT_EQ(counted(10, 20001, 20001).total, counted(10, 20000, 20001).total);
}

// Catches a cancel flag not read within the Berlekamp-Massey reduction or the repeated squaring,
// each of which takes minutes for the fractions of base 300 at a million digits, and FLINT's
// objects left behind when the cancel unwinds from them (the leak checker's run).
TEST(Fraction, CancelReadWithinTheRecurrenceAndThePower)
{
    std::vector<mpz_class> fibonacci{0, 1};
    while (fibonacci.size() < 200)
        fibonacci.push_back(fibonacci.back() + fibonacci[fibonacci.size() - 2]);
    const Fraction f{{0, 1}, {1, -1, -1}};
    std::atomic<bool> cancel{false};
    const Watch watch{{}, &cancel};
    Ticker ticker(watch);
    ASSERT_EQ(fractionOf(fibonacci, ticker), f);
    ASSERT_EQ(coefficientOf(f, 199, ticker), fibonacci[199]);
    cancel = true;
    EXPECT_THROW(fractionOf(fibonacci, ticker), Cancelled);
    EXPECT_THROW(coefficientOf(f, 1000, ticker), Cancelled);
}

} // namespace
} // namespace kz::kehr
