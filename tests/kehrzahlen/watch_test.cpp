// What a caller sees of long work: the limits it is refused by, its progress and its cancelling.
#include "kehrzahlen/kehrzahlen.h"

#include <gtest/gtest.h>

namespace kz::kehr {
namespace {

bool countAll(int base, std::uint64_t first, std::uint64_t last, const Watch &watch = {},
              unsigned threads = 1)
{
    return countKehrzahlen(
        base, first, last, [](const Count &) { return true; }, watch, threads);
}

// Catches a limit checked in the wrong place or not at all, and bounds that tell the caller
// something other than what is taken.
TEST(Limits, RefusedWithWhatWouldBeTaken)
{
    const struct {
        const char *name;
        std::function<void()> call;
        Limit limit;
        std::int64_t value, lowest, highest;
    } rows[] = {
        {"base 1", [] { countAll(1, 2, 4); }, Limit::Base, 1, 2, 10000},
        {"base 10001", [] { Lister(10001, 4); }, Limit::Base, 10001, 2, 10000},
        {"length 0", [] { countAll(10, 0, 4); }, Limit::Length, 0, 1, 1000000},
        {"length 1000001", [] { Lister(10, 1000001); }, Limit::Length, 1000001, 1, 1000000},
        {"lengths 5-3", [] { countAll(10, 5, 3); }, Limit::Order, 5, 5, 3},
        {"bases 5-3",
         [] { kehrmultiplikatorenOfBases(5, 3, [](int, const auto &) { return true; }); },
         Limit::Order, 5, 5, 3},
        {"Q = S", [] { (void)carryGraph(10, 10); }, Limit::Quotient, 10, 2, 9},
        {"Q = 1", [] { (void)smallestKehrzahl(10, 1); }, Limit::Quotient, 1, 2, 9},
        {"Q of a lister", [] { Lister(7, 4, 7); }, Limit::Quotient, 7, 2, 6},
        {"a fraction too long", [] { (void)erzeugendeFunktionen(1000); }, Limit::Fraction, 4001, 0,
         4000},
        // S = 10000, Q = 8421 has 14.8 million states within reach of long walks.
        {"a list too large", [] { Lister(10000, 1000000, 8421).next(); }, Limit::Memory, 1000000, 0,
         kListingMegabytes},
    };
    for (const auto &row : rows) {
        try {
            row.call();
            ADD_FAILURE() << row.name << " was taken";
        } catch (const LimitError &e) {
            EXPECT_EQ(e.limit, row.limit) << row.name;
            EXPECT_EQ(std::tuple(e.value, e.lowest, e.highest),
                      std::tuple(row.value, row.lowest, row.highest))
                << row.name;
        }
    }
}

// Catches progress that runs backwards, leaves 0..1 or never reaches the end, and a cancel flag
// that long work does not read: each stops once the flag is set from its first progress report.
TEST(Watching, ProgressRisesToTheEndAndCancelStops)
{
    const struct {
        const char *name;
        std::function<bool(const Watch &)> work;
    } rows[] = {
        {"count", [](const Watch &w) { return countAll(100, 1, 600, w); }},
        {"count on three threads", [](const Watch &w) { return countAll(300, 1, 600, w, 3); }},
        {"list",
         [](const Watch &w) {
             return listKehrzahlen(
                 10, 30, 44, [](const Kehrzahl &) { return true; }, w);
         }},
        {"multipliers",
         [](const Watch &w) {
             return kehrmultiplikatorenOfBases(
                 2, 400, [](int, const auto &) { return true; }, w);
         }},
        {"graph", [](const Watch &w) { return carryGraph(882, 649, w).has_value(); }},
    };
    for (const auto &row : rows) {
        std::vector<double> shares;
        Watch watch{[&](double share) { shares.push_back(share); }, nullptr};
        EXPECT_TRUE(row.work(watch)) << row.name;
        ASSERT_FALSE(shares.empty()) << row.name;
        EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end())) << row.name;
        EXPECT_GE(shares.front(), 0) << row.name;
        EXPECT_EQ(shares.back(), 1) << row.name;

        std::atomic<bool> cancel{false};
        int reports = 0;
        const Watch cancelling{[&](double) { cancel = ++reports == 1; }, &cancel};
        EXPECT_FALSE(row.work(cancelling)) << row.name;
        EXPECT_EQ(reports, 1) << row.name << ": no report after the cancel";
    }
}

// Catches a cancelled lister that loses its place: however often it is cancelled, the listing
// goes on where it stopped and lists exactly what one uncancelled run lists.
TEST(Watching, CancelledListerGoesOnWhereItStopped)
{
    std::vector<mpz_class> whole, resumed;
    Lister straight(10, 42);
    while (const Kehrzahl *k = straight.next())
        whole.push_back(valuesOf(10, *k).n);

    Lister interrupted(10, 42);
    std::atomic<bool> cancel{true};
    const Watch watch{nullptr, &cancel};
    int cancelled = 0;
    for (int call = 0;; ++call) {
        cancel = call % 2 == 0;
        const Kehrzahl *k = interrupted.next(watch);
        if (k)
            resumed.push_back(valuesOf(10, *k).n);
        else if (interrupted.cancelled())
            ++cancelled;
        else
            break;
    }
    EXPECT_GT(cancelled, 3);
    EXPECT_EQ(resumed, whole);
}

} // namespace
} // namespace kz::kehr
