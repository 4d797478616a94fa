// The steps solved from the congruence against those found by trying every digit.
#include "kehrzahlen/divisor.h"
#include "kehrzahlen/steprule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace kz::kehr {
namespace {

std::vector<PairStep> everyDigit(int base, int quotient, CarryPair from)
{
    std::vector<PairStep> steps;
    for (std::int64_t x = 0; x < base; ++x) {
        const std::int64_t column = quotient * x + from.low;
        const std::int64_t y = column % base;
        const std::int64_t high = std::int64_t(base) * from.high + x - quotient * y;
        if (high >= 0 && high < quotient)
            steps.push_back({std::int32_t(x), std::int32_t(y), {int(column / base), int(high)}});
    }
    return steps;
}

// Catches steps lost or doubled by either way of solving (over r for small Q, over u for large),
// above all where Q^2 - 1 or Q shares factors with S, in bases the listing tests never reach; and
// an end the walks' rule without division finds where endingAt does not, or misses.
TEST(Steps, SolvedAsFoundByTryingEveryDigit)
{
    std::vector<PairStep> solved;
    auto check = [&](int base, int quotient, CarryPair from) {
        stepsOutOf(StepRule(base, quotient), from, solved);
        EXPECT_EQ(solved, everyDigit(base, quotient, from))
            << base << ' ' << quotient << " (" << from.low << ',' << from.high << ')';
        EXPECT_EQ(EndRule(base, quotient).bits(from), endBits(endingAt(base, quotient, from)));
    };
    for (int base = 3; base <= 30; ++base) {
        for (int q = 2; q < base; ++q) {
            for (int low = 0; low < q; ++low) {
                for (int high = 0; high < q; ++high)
                    check(base, q, {low, high});
            }
        }
    }
    std::mt19937 random(2178);
    for (int i = 0; i < 2000; ++i) {
        const int base = std::uniform_int_distribution(3, 10000)(random);
        const int q = std::uniform_int_distribution(2, base - 1)(random);
        std::uniform_int_distribution<int> carry(0, q - 1);
        check(base, q, {carry(random), carry(random)});
    }
}

// Catches a rule made from the inverses one base shares that steps otherwise than one made alone
// (an inverse peeled off the wrong product, a step of r off by Q; where Q shares a factor with S,
// a gcd marked by the wrong divisor or an inverse of Q / gcd taken from a non-unit), and a start
// said to have no step where it has one: that quotient would drop out of the multipliers unseen.
TEST(Steps, BaseRulesAsRulesMadeAlone)
{
    std::vector<PairStep> alone, shared;
    std::vector<int> bases(399);
    std::iota(bases.begin(), bases.end(), 2);
    bases.insert(bases.end(), {9240, 9973, 10000});
    for (const int base : bases) {
        const BaseRules rules(base);
        for (int q = 2; q < base; ++q) {
            stepsOutOf(StepRule(base, q), {0, 0}, alone);
            const bool leaves = std::any_of(alone.begin(), alone.end(),
                                            [](const PairStep &s) { return s.x != 0 && s.y != 0; });
            if (std::gcd(q, base) == 1 && q * q > base)
                EXPECT_EQ(rules.leavesStart(q), leaves) << base << ' ' << q;
            else if (leaves)
                EXPECT_TRUE(rules.leavesStart(q)) << base << ' ' << q;
            for (const CarryPair from :
                 {CarryPair{0, 0}, {q - 1, q - 1}, {q / 2, q / 3}, {1, q - 1}}) {
                stepsOutOf(StepRule(base, q), from, alone);
                stepsOutOf(rules.rule(q), from, shared);
                EXPECT_EQ(shared, alone) << base << ' ' << q;
            }
        }
    }
}

// Catches a step into a pair that the walk backwards misses or invents: a range of digits cut one
// short, or the congruence solved for one residue where Q and S share a factor and it has several
// (S = 10000, Q = 400; S = 9999, Q = 303). For each pair, the steps into it found backwards are
// those found forwards out of every pair.
TEST(Steps, FoundBackwardsAsForwards)
{
    const auto check = [](int base, int q) {
        const auto keyOf = [q](CarryPair p) { return p.low * q + p.high; };
        std::vector<std::vector<int>> into(std::size_t(q) * std::size_t(q));
        std::vector<PairStep> out;
        for (int key = 0; key < q * q; ++key) {
            stepsOutOf(StepRule(base, q), {key / q, key % q}, out);
            for (const PairStep &s : out)
                into[std::size_t(keyOf(s.to))].push_back(key);
        }
        const StepsBack back(base, q);
        for (int key = 0; key < q * q; ++key) {
            std::vector<int> found;
            back.forEachFrom({key / q, key % q}, [&](CarryPair p) { found.push_back(keyOf(p)); });
            std::sort(found.begin(), found.end());
            EXPECT_EQ(found, into[std::size_t(key)]) << base << ' ' << q << ' ' << key;
        }
    };
    for (int base = 3; base <= 30; ++base) {
        for (int q = 2; q < base; ++q)
            check(base, q);
    }
    for (const auto &[base, q] : {std::pair(10000, 400), std::pair(9999, 303), std::pair(9973, 397),
                                  std::pair(4096, 256), std::pair(9240, 385), std::pair(10000, 99)})
        check(base, q);
}

// Catches a wrong magic number: off by one for a power of two or a divisor near 2^32, or for
// dividends near 2^32, where a quotient one too small still passes every small case.
TEST(Steps, DivisorAgreesWithDivision)
{
    std::mt19937 random(8712);
    std::vector<std::uint32_t> divisors = {1, 2, 3, 7, 64, 9999, 10000, 65535, 4294967295u};
    for (int i = 0; i < 200; ++i)
        divisors.push_back(std::uniform_int_distribution<std::uint32_t>(1, 20000)(random));
    for (const std::uint32_t d : divisors) {
        const Divisor divisor(d);
        std::vector<std::uint32_t> dividends = {0,     1,           d - 1,          d,
                                                d + 1, 4294967295u, 4294967295u - d};
        for (int i = 0; i < 200; ++i)
            dividends.push_back(std::uniform_int_distribution<std::uint32_t>()(random));
        for (const std::uint32_t n : dividends) {
            EXPECT_EQ(divisor.quotient(n), n / d) << n << " / " << d;
            EXPECT_EQ(divisor.remainder(n), n % d) << n << " % " << d;
            EXPECT_EQ(divisor.divides(n), n % d == 0) << d << " | " << n;
        }
    }
}

} // namespace
} // namespace kz::kehr
