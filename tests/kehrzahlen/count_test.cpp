// Counts against the listing, small lengths against a brute force, and published facts.
#include "kehrzahlen/countrange.h"
#include "kehrzahlen/graphbuild.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/steprule.h"
#include "kehrzahlen/walkcounter.h"
#include "tests/support/directcount.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace kz::kehr {
namespace {

using PerQuotient = std::vector<std::pair<int, mpz_class>>;

std::vector<int> quotientsOf(const std::vector<Multiplier> &multipliers)
{
    std::vector<int> quotients;
    for (const Multiplier &m : multipliers)
        quotients.push_back(m.quotient);
    return quotients;
}

std::vector<Count> countsOf(int base, std::uint64_t first, std::uint64_t last)
{
    std::vector<Count> counts;
    countKehrzahlen(base, first, last, [&](const Count &c) {
        counts.push_back(c);
        return true;
    });
    return counts;
}

// Catches counts that disagree with the walks actually listed (per Q and in total), counts that
// depend on where the reported range starts, and a merged list out of order at lengths the search
// never reaches.
TEST(Count, AgreesWithTheListing)
{
    struct Row {
        int base;
        std::uint64_t last;
    };
    std::vector<Row> rows{{10, 41}, {18, 40}};
    for (int base = 2; base <= 30; ++base)
        rows.push_back({base, 14});
    for (const Row &row : rows) {
        const std::vector<Count> counts = countsOf(row.base, 1, row.last);
        ASSERT_EQ(counts.size(), row.last);
        for (const Count &count : counts) {
            SCOPED_TRACE("base " + std::to_string(row.base) + ", digits " +
                         std::to_string(count.length));
            std::map<int, mpz_class> listed;
            std::vector<std::int32_t> previous;
            listKehrzahlen(row.base, count.length, count.length, [&](const Kehrzahl &k) {
                ++listed[k.quotient];
                const std::vector<std::int32_t> n(k.digits.rbegin(), k.digits.rend());
                EXPECT_LT(previous, n);
                previous = n;
                return true;
            });
            EXPECT_EQ(count.perQuotient, PerQuotient(listed.begin(), listed.end()));
            mpz_class total;
            for (const auto &[q, n] : listed)
                total += n;
            EXPECT_EQ(count.total, total);
        }
        const std::vector<Count> tail = countsOf(row.base, row.last - 2, row.last);
        ASSERT_EQ(tail.size(), 3u);
        for (const Count &count : tail)
            EXPECT_EQ(count.perQuotient, counts[count.length - 1].perQuotient);
    }
}

// Catches quotients the walk never finds and wrong counts outside the bases the search test
// covers: every m with at most four digits whose reversal n is a multiple Q·m, Q >= 2.
// Catches a count lost where the words of a count widen (in the middle of a step, and beyond the
// four words counted with fixed widths: base 10 at 1400 digits needs eight), where a state is
// dropped as unable to end in time, or where the graphs of a base are counted one after the
// other (base 9914 at 200 digits explores too many states to count them side by side): against
// the plain dynamic programme. Counted on two threads, it catches as well what goes wrong between
// them where the explorations are large in earnest, not by small bounds.
// Catches a count that widens wrongly, fast: a top word left unset, or a count moved onto its
// neighbour as the counts grow in place. A state with a step to itself and a chain of two steps
// back to itself counts the Fibonacci numbers, 347 bits wide after 500 steps. Held to one word
// per count, they are counted again in passes: a residue joined wrongly or a pass cut short fails
// the check against the estimates, which falls back to widening; past 2^1024 the estimates
// overflow and must fall back.
TEST(Count, CountsWidenInPlaceWithoutLosingAWord)
{
    const struct {
        std::uint64_t steps;
        std::size_t wordsAtMost;
        bool widens;
    } rows[] = {{500, WalkCounter::kWordsAtMost, true}, {500, 0, false}, {1500, 0, true}};
    for (const auto &row : rows) {
        WalkGraph g;
        g.firstSteps = {0};
        g.stepsBegin = {0, 2, 3};
        g.to = {0, 1, 0}; // 0 -> 0, 0 -> 1, 1 -> 0
        g.ends = {1, 0};
        WalkCounter counter(std::move(g), row.steps);
        const std::size_t words = counter.words();
        const Watch watch;
        Ticker ticker(watch);
        const std::vector<mpz_class> counts = counter.countAll(ticker, row.wordsAtMost);
        ASSERT_EQ(counts.size(), 2 * row.steps + 2);
        mpz_class before = 0, now = 1;
        for (std::uint64_t steps = 1; steps <= row.steps; ++steps) {
            EXPECT_EQ(counts[2 * steps], now) << steps;
            EXPECT_EQ(counts[2 * steps + 1], 0) << steps;
            mpz_class next = now + before;
            before = now;
            now = next;
        }
        EXPECT_EQ(counter.words() > words, row.widens) << row.steps;
    }
}

// Catches what goes wrong in the passes on real carry graphs, where many states end and start
// walks and dropped states cut the walks short: every Q of the bases up to 40, held to one and to
// two words per count, against the counts widened in place. Two words make passes of a double and
// a prime, then of two primes, joined in turn. The passes must hold, not fall back to widening.
TEST(Count, CountsInPassesAsWidenedInPlace)
{
    const Watch watch;
    Ticker ticker(watch);
    for (const std::size_t widest : {1u, 2u}) {
        std::size_t wider = 0;
        for (int base = 2; base <= 40; ++base) {
            for (int q = 2; q < base; ++q) {
                const std::uint64_t steps = 300;
                WalkGraph g = *buildWalkGraph(base, q, steps, {}, ticker);
                if (g.size() == 0)
                    continue;
                WalkCounter widening(WalkGraph(g), steps), bounded(std::move(g), steps);
                const std::size_t words = bounded.words();
                const std::vector<mpz_class> counts = bounded.countAll(ticker, widest * words);
                EXPECT_EQ(counts, widening.countAll(ticker)) << base << ", Q = " << q;
                EXPECT_LE(bounded.words(), widest * words) << base << ", Q = " << q;
                wider += widening.words() > widest * words ? 1 : 0;
            }
        }
        EXPECT_GT(wider, 20u) << widest; // so many graphs are counted in passes
    }
}

TEST(Count, LargeBasesAgreeWithThePlainWalk)
{
    const struct {
        int base;
        std::uint64_t first, last;
    } rows[] = {{1000, 2, 300}, {2999, 150, 200}, {9914, 2, 200}, {10000, 180, 181},
                {10, 1398, 1401}, {37, 700, 701}};
    for (const auto &row : rows) {
        std::vector<Count> counted;
        countKehrzahlen(row.base, row.first, row.last, [&](const Count &c) {
            counted.push_back(c);
            return true;
        }, {}, 2);
        const std::vector<Count> direct = testing::directCounts(row.base, row.first, row.last);
        ASSERT_EQ(counted.size(), direct.size()) << row.base;
        for (std::size_t k = 0; k < direct.size(); ++k) {
            EXPECT_EQ(counted[k].length, direct[k].length) << row.base;
            EXPECT_EQ(counted[k].total, direct[k].total) << row.base << ", " << direct[k].length;
            EXPECT_EQ(counted[k].perQuotient, direct[k].perQuotient) << row.base;
        }
    }
}

// Catches counts lost or misplaced where counters are counted to the end and their counts kept
// (a Q between two kept ones, a length outside the range, a kept list freed too soon), and walks
// lost in a collapsed chain or pruned one step too early: every way of holding the counters,
// forced by small bounds, against the plain dynamic programme, over bases 2 to 64 and lengths
// whose last step differs from base to base. On several threads, it catches counts reported out
// of the order of Q, and Qs lost or counted twice between the threads.
TEST(Count, EveryWayOfHoldingTheCountersGivesThePlainCounts)
{
    const CountBounds ways[] = {
        {0, std::size_t(1) << 30},  // every Q counted alone and kept
        {64, std::size_t(1) << 30}, // small batches, counted to the end when the next does not fit
        {std::size_t(1) << 21, 8},  // every exploration large: the batch so far counted first
        {std::size_t(1) << 21, std::size_t(1) << 30, 3}, // carry pairs told by a bit per key
        // ... and only the bits kept once past 5 pairs: steps and live pairs found again
        {std::size_t(1) << 21, std::size_t(1) << 30, 3, 1, std::size_t(1) << 16, 5},
        // Threads that gather in no fixed order, batches counted beside the gathering, large
        // explorations taking turns or postponed while the others count on their own, and the
        // counters split between threads at every step.
        {64, 8, {}, 3},
        {std::size_t(1) << 30, std::size_t(1) << 30, {}, 2, 1},
    };
    for (int base = 2; base <= 64; ++base) {
        const std::uint64_t last = 24 + base % 13;
        const std::vector<Count> direct = testing::directCounts(base, 2, last);
        for (const CountBounds &bounds : ways) {
            for (const std::uint64_t first : {std::uint64_t(2), last - 3}) {
                SCOPED_TRACE("base " + std::to_string(base) + ", from " + std::to_string(first) +
                             ", words " + std::to_string(bounds.wordsAtOnce));
                std::vector<Count> counted;
                watched(Watch{}, [&](Ticker &ticker) {
                    return countRange(base, first, last, [&](const Count &c) {
                        counted.push_back(c);
                        return true;
                    }, ticker, bounds);
                });
                ASSERT_EQ(counted.size(), last - first + 1);
                for (const Count &count : counted) {
                    const Count &expected = direct[count.length - 2];
                    EXPECT_EQ(count.length, expected.length);
                    EXPECT_EQ(count.total, expected.total) << count.length;
                    EXPECT_EQ(count.perQuotient, expected.perQuotient) << count.length;
                }
            }
        }
    }
}

TEST(Count, SmallLengthsAgreeWithABruteForce)
{
    for (int base = 2; base <= 30; ++base) {
        SCOPED_TRACE("base " + std::to_string(base));
        std::map<std::uint64_t, std::map<int, mpz_class>> found; // digits -> Q -> count
        std::int64_t low = 1;
        for (std::uint64_t digits = 1; digits <= 4; ++digits, low *= base) {
            for (std::int64_t m = low; m < low * base; ++m) {
                std::int64_t n = 0;
                for (std::int64_t rest = m; rest > 0; rest /= base)
                    n = n * base + rest % base;
                if (m % base != 0 && n % m == 0 && n / m >= 2)
                    ++found[digits][int(n / m)];
            }
        }
        const std::vector<int> quotients = quotientsOf(kehrmultiplikatoren(base));
        for (const Count &count : countsOf(base, 1, 4)) {
            const auto &listed = found[count.length];
            EXPECT_EQ(count.perQuotient, PerQuotient(listed.begin(), listed.end()));
            for (const auto &[q, n] : listed)
                EXPECT_TRUE(std::binary_search(quotients.begin(), quotients.end(), q)) << q;
        }
    }
}

// Catches wrong counts for long numbers.
TEST(Count, PublishedCounts)
{
    struct Row {
        int base;
        int quotient;                 // 0: all Q together
        std::vector<unsigned> counts; // for D = 1, 2, ...
    };
    const Row rows[] = {
        // OEIS A214927, base 10 with Q = 4 and 9 (N. J. A. Sloane, "2178 and all that",
        // Fibonacci Quarterly 52 (2014): two Fibonacci families, 1089 and 2178 the first).
        {10, 0, {0,   0,   0,   2,    2,    2,    2,    4,    4,    6,    6,    10,  10,  16,
                 16,  26,  26,  42,   42,   68,   68,   110,  110,  178,  178,  288, 288, 466,
                 466, 754, 754, 1220, 1220, 1974, 1974, 3194, 3194, 5168, 5168, 8362}},
        // OEIS A226516, the (18,7)-reverse multiples (Sloane 2014).
        {18, 7, {0, 0, 0, 0, 0, 1, 0, 0, 0, 0,  1, 1,  1,  1,  1,  2,  1,  2,  1,  2,
                 2, 3, 3, 4, 4, 6, 5, 8, 6, 10, 8, 13, 11, 17, 15, 23, 20, 31, 26, 41}},
        // OEIS A226916, the (17,11)-reverse multiples (Sloane 2014).
        {17, 11, {0, 0, 0, 1, 0,  0, 1,  1,  1,  2,  1,  2,  2,  3,  3,
                  5, 4, 7, 6, 10, 9, 15, 13, 22, 19, 32, 28, 47, 41, 69}},
    };
    for (const Row &row : rows) {
        std::vector<unsigned> counts;
        for (const Count &c : countsOf(row.base, 1, row.counts.size())) {
            mpz_class n = c.total;
            if (row.quotient != 0) {
                const auto q = std::find_if(c.perQuotient.begin(), c.perQuotient.end(),
                                            [&](const auto &p) { return p.first == row.quotient; });
                n = q == c.perQuotient.end() ? 0 : q->second;
            }
            counts.push_back(unsigned(n.get_ui()));
        }
        EXPECT_EQ(counts, row.counts) << "base " << row.base << ", Q " << row.quotient;
    }
}

// Catches a missing or extra quotient, and a threaded run that reports out of order.
TEST(Kehrmultiplikatoren, PublishedRowsAndEveryBaseInOrder)
{
    // OEIS A222817 (N. J. A. Sloane, "2178 and all that", Fibonacci Quarterly 52 (2014)): the
    // nontrivial reverse multipliers of the bases 3 to 20; base 2 has none.
    const std::vector<std::vector<int>> published = {{},
                                                     {2},
                                                     {3},
                                                     {2, 4},
                                                     {2, 5},
                                                     {3, 6},
                                                     {2, 3, 5, 7},
                                                     {2, 4, 8},
                                                     {4, 9},
                                                     {2, 3, 5, 7, 10},
                                                     {2, 3, 5, 11},
                                                     {5, 6, 12},
                                                     {2, 3, 4, 6, 9, 13},
                                                     {2, 3, 4, 7, 11, 14},
                                                     {3, 7, 15},
                                                     {2, 4, 5, 8, 10, 11, 16},
                                                     {2, 5, 7, 8, 17},
                                                     {3, 4, 6, 7, 9, 14, 18},
                                                     {2, 3, 4, 6, 9, 13, 19}};
    for (int base = 2; base <= 20; ++base)
        EXPECT_EQ(quotientsOf(kehrmultiplikatoren(base)), published[std::size_t(base - 2)]) << base;

    int expected = 2;
    kehrmultiplikatorenOfBases(2, 60, [&](int base, const std::vector<Multiplier> &found) {
        EXPECT_EQ(base, expected++);
        EXPECT_EQ(found, kehrmultiplikatoren(base)) << base;
        return base < 50;
    });
    EXPECT_EQ(expected, 51) << "stops when told";
}

// The nearest end of either parity, by a walk over the pruned graph instead of the exploration
// that stops at the first end.
std::uint64_t shortestInGraph(const CarryGraph &g)
{
    std::vector<std::uint64_t> steps(g.states.size(), 0);
    std::vector<std::uint32_t> queue;
    for (const Step &s : g.firstSteps) {
        if (steps[s.to] == 0) {
            steps[s.to] = 1;
            queue.push_back(s.to);
        }
    }
    std::uint64_t shortest = 0;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const std::uint32_t state = queue[i];
        for (const Parity parity : {Parity::Even, Parity::Odd}) {
            const std::uint64_t length = 2 * steps[state] + (parity == Parity::Odd ? 1 : 0);
            if (g.endsAt(state, parity) && (shortest == 0 || length < shortest))
                shortest = length;
        }
        for (const Step &s : g.stepsFrom(state)) {
            if (steps[s.to] == 0) {
                steps[s.to] = steps[state] + 1;
                queue.push_back(s.to);
            }
        }
    }
    return shortest;
}

// Catches a quotient whose graph holds walks that end but that the multipliers miss (or the other
// way round), and a shortest length that stops at the wrong end: an odd end found before an even
// one of the same level, or a level cut short. Bases 100 to 130 have graphs of some hundred
// states, past what the published rows reach. Base 5248 walks 24 173 pairs for Q = 4133, more
// than the table of seen pairs keeps between walks: the Q after it catch pairs of one walk left
// seen for the next.
TEST(Kehrmultiplikatoren, ShortestLengthAsTheWholeGraphHasIt)
{
    const auto inGraphs = [](int base, int first, int last) {
        std::vector<Multiplier> expected;
        for (int q = first; q <= last; ++q) {
            if (const std::uint64_t shortest = shortestInGraph(*carryGraph(base, q)))
                expected.push_back({q, shortest});
        }
        return expected;
    };
    for (int base = 2; base <= 130; ++base)
        EXPECT_EQ(kehrmultiplikatoren(base), inGraphs(base, kSmallestQuotient, base - 1)) << base;
    constexpr int kLongWalk = 4133, kLast = 4233;
    std::vector<Multiplier> found = kehrmultiplikatoren(5248);
    std::erase_if(found, [](const Multiplier &m) {
        return m.quotient < kLongWalk || m.quotient > kLast;
    });
    EXPECT_EQ(found, inGraphs(5248, kLongWalk, kLast));
}

// The nearest end by a plain breadth-first search over the steps of each pair as the graph
// explorations find them, level by level, without building the graph.
std::uint64_t shortestByPairs(int base, int quotient)
{
    const StepRule rule(base, quotient);
    std::set<std::pair<int, int>> seen;
    std::vector<CarryPair> level, next;
    std::vector<PairStep> out;
    auto reach = [&](CarryPair from, bool first) {
        stepsOutOf(rule, from, out);
        for (const PairStep &s : out) {
            if ((!first || (s.x != 0 && s.y != 0)) && seen.insert({s.to.low, s.to.high}).second)
                next.push_back(s.to);
        }
    };
    reach({0, 0}, true);
    for (std::uint64_t k = 1; !next.empty(); ++k) {
        level.swap(next);
        next.clear();
        bool ends = false, even = false;
        for (const CarryPair p : level) {
            const Ending e = endingAt(base, quotient, p);
            ends |= e.any();
            even |= e.even;
        }
        if (ends)
            return 2 * k + (even ? 0 : 1);
        for (const CarryPair p : level)
            reach(p, false);
    }
    return 0;
}

// Catches walks that go wrong only at large bases, which the whole graphs above cannot reach, such
// as a Q·x + low kept in too narrow an integer: every Q of every 499th base up to 10000, and of
// 10000 and of 9240 = 2^3·3·5·7·11, against the plain search. Base 9240 has Qs sharing factors
// with S on both sides of Q^2 = S, whose pairs try up to a hundred u: it catches a walk that
// tries too few.
TEST(Kehrmultiplikatoren, ShortestLengthAsAPlainSearchHasItAtLargeBases)
{
    std::vector<int> bases{9240, 10000};
    for (int base = 2; base <= 10000; base += 499)
        bases.push_back(base);
    for (const int base : bases) {
        std::vector<Multiplier> expected;
        for (int q = kSmallestQuotient; q < base; ++q) {
            if (const std::uint64_t shortest = shortestByPairs(base, q))
                expected.push_back({q, shortest});
        }
        EXPECT_EQ(kehrmultiplikatoren(base), expected) << base;
    }
}

} // namespace
} // namespace kz::kehr
