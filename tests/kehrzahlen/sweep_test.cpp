// Invariants over sweeps of bases and lengths: each listing against the counts, the range listing
// against the lengths listed alone, long numbers against GMP's own reading of their digits, and
// every walk against the carry graph.
#include "cli/kehrentry.h"
#include "kehrzahlen/endsets.h"
#include "kehrzahlen/fraction.h"
#include "kehrzahlen/graphbuild.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/walkcounter.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace kz::kehr {
namespace {

// The count of Q at every length from 1 to last.
std::map<std::pair<std::uint64_t, int>, mpz_class> countsOf(int base, std::uint64_t last)
{
    std::map<std::pair<std::uint64_t, int>, mpz_class> counts;
    countKehrzahlen(base, 1, last, [&](const Count &c) {
        for (const auto &[q, n] : c.perQuotient)
            counts[{c.length, q}] = n;
        return true;
    });
    return counts;
}

// Whether the listing of D digits reads the end sets of Q past their first repeat, where the
// sets repeat from an offset that is not a multiple of their period.
bool readsPastAnOddOffset(int base, int quotient, std::uint64_t length)
{
    const Watch watch;
    Ticker ticker(watch);
    const std::uint64_t steps = length / 2;
    const CarryGraph g = buildCarryGraph(base, quotient, steps, ticker);
    if (g.states.empty() || steps < 2)
        return false;
    const EndSets sets(g, parityOf(length), steps - 1, ticker);
    return steps - 1 >= sets.distinctSets() && sets.periodStart() % sets.period() != 0;
}

// Catches a Kehrzahl lost or invented by the listing of one Q, above all at the lengths where its
// end sets are read periodically from an offset that is not a multiple of the period (base 42,
// Q = 19 at 38 digits: offset 12, period 5), which only long walks in larger bases reach; and a
// shortest length or smallest Kehrzahl that the counts and the listing do not bear out.
TEST(Sweep, EachQuotientsListingAgreesWithItsCount)
{
    constexpr std::uint64_t kLongest = 48;
    constexpr unsigned kMostListed = 300;
    int oddOffsetsListed = 0;
    for (int base = 2; base <= 64; ++base) {
        const auto counts = countsOf(base, kLongest);
        for (const Multiplier &m : kehrmultiplikatoren(base)) {
            for (std::uint64_t length = 1; length <= kLongest; ++length) {
                const auto counted = counts.find({length, m.quotient});
                const mpz_class expected = counted == counts.end() ? 0 : counted->second;
                const std::string where = "base " + std::to_string(base) + ", Q " +
                                          std::to_string(m.quotient) + ", " +
                                          std::to_string(length) + " digits";
                if (length <= m.shortestLength)
                    EXPECT_EQ(expected == 0, length < m.shortestLength) << where << ": shortest";
                if (expected > kMostListed)
                    continue;
                Lister lister(base, length, m.quotient);
                unsigned listed = 0;
                while (const Kehrzahl *k = lister.next()) {
                    EXPECT_EQ(k->quotient, m.quotient);
                    if (listed++ == 0 && length == m.shortestLength)
                        EXPECT_EQ(std::vector(k->digits.begin(), k->digits.end()),
                                  *smallestKehrzahl(base, m.quotient))
                            << where;
                }
                EXPECT_EQ(listed, expected) << where;
                oddOffsetsListed += readsPastAnOddOffset(base, m.quotient, length);
            }
        }
    }
    EXPECT_GE(oddOffsetsListed, 10) << "the sweep must reach the periodic end sets";
}

std::vector<std::pair<std::vector<std::int32_t>, int>> listed(int base, std::uint64_t first,
                                                              std::uint64_t last)
{
    std::vector<std::pair<std::vector<std::int32_t>, int>> all;
    listKehrzahlen(base, first, last, [&](const Kehrzahl &k) {
        all.emplace_back(std::vector<std::int32_t>(k.digits.begin(), k.digits.end()), k.quotient);
        return true;
    });
    return all;
}

// Catches a range listing whose graphs, built once for its longest length, list a shorter length
// differently from a listing of that length alone.
TEST(Sweep, RangeListingIsEachLengthListedAlone)
{
    for (const auto [base, last] : {std::pair{3, 24}, {10, 28}, {18, 24}, {42, 26}, {45, 20}}) {
        std::vector<std::pair<std::vector<std::int32_t>, int>> alone;
        for (std::uint64_t length = 1; length <= std::uint64_t(last); ++length) {
            Lister lister(base, length);
            while (const Kehrzahl *k = lister.next())
                alone.emplace_back(std::vector<std::int32_t>(k->digits.begin(), k->digits.end()),
                                   k->quotient);
        }
        EXPECT_EQ(listed(base, 1, std::uint64_t(last)), alone) << "base " << base;
    }
}

// Catches a Q whose graph, built only when the walk first reaches its top digits, comes too late
// at a large base: a Kehrzahl lost or put out of order among those of the smaller Q, or a count
// of one Q over a long walk that its end sets do not bear out.
TEST(Sweep, LargeBasesListWhatTheyCount)
{
    for (const auto [base, last] : {std::pair{9914, 10}, {9973, 12}}) {
        const auto counts = countsOf(base, std::uint64_t(last));
        std::map<std::pair<std::uint64_t, int>, mpz_class> listedCounts;
        std::vector<std::int32_t> before;
        for (const auto &[digits, quotient] : listed(base, 2, std::uint64_t(last))) {
            ++listedCounts[{digits.size(), quotient}];
            if (before.size() == digits.size())
                EXPECT_TRUE(std::lexicographical_compare(before.rbegin(), before.rend(),
                                                         digits.rbegin(), digits.rend()))
                    << "base " << base << ", " << digits.size() << " digits: out of order";
            before = digits;
        }
        EXPECT_EQ(listedCounts, counts) << "base " << base;
    }
    const auto counts = countsOf(9973, 301);
    for (const int quotient : {56, 218, 426}) {
        Lister lister(9973, 301, quotient);
        unsigned listed = 0;
        while (lister.next())
            ++listed;
        EXPECT_EQ(listed, counts.at({301, quotient})) << "Q " << quotient;
    }
}

std::string digitText(const std::vector<std::int32_t> &mostSignificantFirst)
{
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::string text;
    for (const std::int32_t d : mostSignificantFirst)
        text += kDigits[d];
    return text;
}

// Catches wrong decimal values of Kehrzahlen longer than 64 digits, where their value is put
// together from halves: n is read by GMP from its digits, m from the same digits backwards.
TEST(LongKehrzahlen, ValuesMatchTheirDigitsBeyond64)
{
    int checked = 0;
    for (int base = 3; base <= 62; ++base) {
        for (const std::uint64_t length : {65, 66, 129, 200}) {
            Lister lister(base, length);
            for (int k = 0; k < 2; ++k) {
                const Kehrzahl *kehrzahl = lister.next();
                if (!kehrzahl)
                    break;
                const std::vector<std::int32_t> digits(kehrzahl->digits.begin(),
                                                       kehrzahl->digits.end());
                const Values v = valuesOf(base, *kehrzahl);
                const mpz_class n(digitText({digits.rbegin(), digits.rend()}), base);
                const mpz_class m(digitText(digits), base);
                EXPECT_EQ(v.n, n) << base << ' ' << length;
                EXPECT_EQ(v.m, m) << base << ' ' << length;
                EXPECT_EQ(v.n, kehrzahl->quotient * v.m) << base << ' ' << length;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 100);
}

// Catches a wrong m in the entries of long Kehrzahlen, whose m is written by dividing n's decimal
// digits by Q (a lost remainder, a leading zero, a digit dropped): the first line of each entry
// against n and m read from the digits, at bases up to 10000 and up to 1001 digits.
TEST(LongKehrzahlen, EntriesWriteNAndMInDecimal)
{
    int checked = 0;
    for (const int base : {3, 10, 36, 1000, 9973}) {
        for (const std::uint64_t length : {65, 200, 1001}) {
            Lister lister(base, length);
            for (int k = 0; k < 2; ++k) {
                const Kehrzahl *kehrzahl = lister.next();
                if (!kehrzahl)
                    break;
                mpz_class n, m; // digits are least significant first: n's, and m's backwards
                for (auto d = kehrzahl->digits.rbegin(); d != kehrzahl->digits.rend(); ++d)
                    n = n * base + *d;
                for (const std::int32_t d : kehrzahl->digits)
                    m = m * base + d;
                std::string entry;
                cli::appendKehrzahlEntry(entry, base, *kehrzahl);
                EXPECT_EQ(entry.substr(0, entry.find('\r')),
                          " " + n.get_str() + " : " + m.get_str() + " =  " +
                              std::to_string(kehrzahl->quotient))
                    << base << ' ' << length;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 15);
}

// Catches distances to an end that the passes over the states get wrong or leave unsettled: on
// every carry graph of bases 2 to 40, whole and bounded, and on chains numbered backwards, where
// each pass settles one state and the walk backwards from the ends has to take over, they agree
// with that walk.
TEST(Graphs, StepsToEndByPassesAgreeWithTheWalkBackwards)
{
    const auto agree = [](const std::vector<std::uint32_t> &stepsBegin,
                          const std::vector<std::uint8_t> &ends,
                          const std::function<std::uint32_t(std::uint32_t)> &targetOf) {
        const auto tick = [](std::uint32_t) {};
        EXPECT_EQ(stepsToEnd(stepsBegin, ends, targetOf, tick),
                  stepsToEndBackwards(stepsBegin, ends, targetOf, tick));
    };
    const Watch watch;
    Ticker ticker(watch);
    for (int base = 2; base <= 40; ++base) {
        for (const Multiplier &m : kehrmultiplikatoren(base)) {
            for (const std::uint64_t steps : {std::uint64_t(6), kEveryLength}) {
                const CarryGraph g = buildCarryGraph(base, m.quotient, steps, ticker);
                agree(g.stepsBegin, g.ends, [&](std::uint32_t k) { return g.steps[k].to; });
            }
        }
    }
    for (const std::uint32_t length : {2u, 31u, 33u, 200u}) {
        // State s steps to s - 1 and to itself; only state 0 is an end.
        std::vector<std::uint32_t> stepsBegin{0};
        std::vector<std::uint8_t> ends(length, 0);
        ends[0] = 1;
        for (std::uint32_t s = 0; s < length; ++s)
            stepsBegin.push_back(stepsBegin.back() + (s == 0 ? 1 : 2));
        const auto targetOf = [](std::uint32_t k) { return k == 0 ? 0 : (k + 1) / 2 - k % 2; };
        agree(stepsBegin, ends, targetOf);
        EXPECT_EQ(stepsToEnd(stepsBegin, ends, targetOf, [](std::uint32_t) {}).back(), length - 1);
    }
}

// Catches a state lost, doubled or renumbered, or a step led astray, where a large exploration tells
// carry pairs by the rank of their key instead of a hash table, above all when it changes over
// half way: graphs built either way are the same, whole and bounded, for every Q of bases 2 to 40.
// The walk graphs built from the bits alone, with their chains folded into steps, catch a live
// pair missed by the walk backwards (a step into it not found again, or one from a pair not walked
// from), a chain folded wrongly (a state lost or counted twice, a step of the wrong length) and a
// counter that takes the order first reached for the order found: they count the same walks from
// the same number of states. And no chain is left unfolded, which would cost the largest graphs
// their memory and no count.
TEST(Graphs, ExplorationsKeyedByBitsBuildTheSameGraphs)
{
    const Watch watch;
    Ticker ticker(watch);
    const auto check = [&](int base, int q, std::uint64_t steps) {
        SCOPED_TRACE(std::to_string(base) + ", Q = " + std::to_string(q) + ", steps " +
                     std::to_string(steps));
        const CarryGraph plain = buildCarryGraph(base, q, steps, ticker);
        const WalkGraph plainWalks = walkGraphOf(plain);
        for (const std::size_t from : {0, 5}) {
            Exploring keyed;
            keyed.keyedFrom = from;
            const CarryGraph g = *buildCarryGraph(base, q, steps, keyed, ticker);
            EXPECT_EQ(g.states, plain.states);
            EXPECT_EQ(g.firstSteps, plain.firstSteps);
            EXPECT_EQ(g.stepsBegin, plain.stepsBegin);
            EXPECT_EQ(g.steps, plain.steps);
            EXPECT_EQ(g.ends, plain.ends);
            // Kept whole, and with the bits alone from `from` pairs on.
            const WalkGraph w = *buildWalkGraph(base, q, steps, keyed, ticker);
            EXPECT_EQ(w.firstSteps, plainWalks.firstSteps);
            EXPECT_EQ(w.stepsBegin, plainWalks.stepsBegin);
            EXPECT_EQ(w.to, plainWalks.to);
            EXPECT_EQ(w.ends, plainWalks.ends);
            keyed.bareFrom = from;
            WalkGraph bare = *buildWalkGraph(base, q, steps, keyed, ticker);
            EXPECT_EQ(degreeBound(bare), degreeBound(plainWalks));
            // Every chain folded, where the graph was built from the bits: a state with one step
            // in and one out either ends or is where walks begin.
            if (!bare.length.empty()) {
                std::vector<int> into(bare.size(), 0);
                for (const std::uint32_t to : bare.to)
                    ++into[to];
                for (const std::uint32_t to : bare.firstSteps)
                    into[to] = 2;
                for (std::uint32_t i = 0; i < bare.size(); ++i)
                    EXPECT_FALSE(into[i] == 1 && bare.ends[i] == 0 &&
                                 bare.stepsBegin[i + 1] - bare.stepsBegin[i] == 1)
                        << i;
            }
            if (plainWalks.size() != 0) {
                const std::size_t lengths = 2 * std::min<std::uint64_t>(steps, 40) + 2;
                EXPECT_EQ(countsByLength(std::move(bare), lengths, ticker),
                          countsByLength(WalkGraph(plainWalks), lengths, ticker));
            }
        }
    };
    for (int base = 2; base <= 40; ++base) {
        for (int q = kSmallestQuotient; q < base; ++q) {
            for (const std::uint64_t steps : {std::uint64_t(6), kEveryLength})
                check(base, q, steps);
        }
    }
    // Over 2^18 pairs found, 90 442 of them on a walk to an end: both walks hand back their lists
    // of pairs chunk by chunk (2^16 pairs) as they pass them.
    check(9973, 4113, 500);
}

// Catches walks that the drawn graph does not hold (digit pairs swapped, a carry computed wrong,
// an end of the wrong parity or middle digit): every step of every listed walk is a step of the
// carry graph, and the walk ends where its length may end.
TEST(Walks, FollowTheCarryGraphToAnEnd)
{
    for (int base = 3; base <= 20; ++base) {
        std::map<int, CarryGraph> graphs;
        for (const Multiplier &m : kehrmultiplikatoren(base))
            graphs[m.quotient] = *carryGraph(base, m.quotient);
        listKehrzahlen(base, 2, 9, [&](const Kehrzahl &k) {
            const CarryGraph &g = graphs.at(k.quotient);
            const Walk walk = walkOf(base, k);
            EXPECT_EQ(walk.steps.size(), k.digits.size() / 2);
            std::span<const Step> steps = g.firstSteps;
            std::uint32_t at = 0;
            for (const WalkStep &w : walk.steps) {
                const auto step = std::find_if(steps.begin(), steps.end(), [&](const Step &s) {
                    return s.x == w.x && s.y == w.y && g.states[s.to] == w.to;
                });
                if (step == steps.end()) {
                    ADD_FAILURE() << "no step " << w.x << "→" << w.y << " in base " << base;
                    return false;
                }
                at = step->to;
                steps = g.stepsFrom(at);
            }
            const Parity parity = parityOf(k.digits.size());
            EXPECT_TRUE(g.endsAt(at, parity));
            EXPECT_EQ(walk.middle, parity == Parity::Odd ? g.endingOf(at).middle : std::nullopt);
            return true;
        });
    }
}

} // namespace
} // namespace kz::kehr
