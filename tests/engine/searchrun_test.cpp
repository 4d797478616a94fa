#include "tests/support/reference.h"

#include "engine/conversions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kz::test {
namespace {

constexpr Filters kNone{0, 0, 0};

std::vector<std::int64_t> numbersOf(const std::vector<std::string> &entries)
{
    std::vector<std::int64_t> numbers;
    for (const auto &e : entries)
        numbers.push_back(static_cast<std::int64_t>(Val(e)));
    return numbers;
}

TEST(SearchRun, DefaultRangeGivesTheStartUpList)
{
    Harness h;
    h.engine.Command1_Click();
    std::string rest;
    const auto entries = entriesOf(h.window.result(), &rest);
    const std::vector<std::int64_t> expected = {
        510,   540,   810,   2100,  4200,  5200,  5610,  5700,  5940,  6300,
        8400,  8712,  8910,  9801,  23100, 27000, 46200, 51510, 52200, 52800,
        54540, 56610, 57200, 59940, 65340, 69300, 81810, 87912, 89910, 98901};
    EXPECT_EQ(numbersOf(entries), expected);
    EXPECT_EQ(entries.front(),
              " 510 : 15 =  34\r\n 10er System:\r\n 5 1 0 :  0 1 5 =  3 4\r\n\r\n");
    EXPECT_EQ(rest, "fertig");
    EXPECT_EQ(h.window.result(), referenceEntries(1, 100000, 10) + "fertig");
    EXPECT_EQ(h.window.yieldCount(), 200000u) << "two yields per number";
}

TEST(SearchRun, FilterSettingsChangeTheCounts)
{
    Harness none;
    none.setFilters(kNone);
    none.engine.Command1_Click();
    const auto all = entriesOf(none.window.result());
    ASSERT_EQ(all.size(), 1479u);
    const auto quotient = [](const std::string &e) { return Val(e.substr(e.find('=') + 1)); };
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [&](auto &e) { return quotient(e) == 1; }),
              1098);
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [&](auto &e) { return std::fmod(quotient(e), 10) == 0; }),
              351);

    Harness every;
    every.setFilters({1, 1, 1});
    every.engine.Command1_Click();
    EXPECT_EQ(numbersOf(entriesOf(every.window.result())),
              (std::vector<std::int64_t>{8712, 9801, 87912, 98901}));
}

TEST(SearchRun, BaseBelowTwoBecomesTen)
{
    for (const char *typed : {"1", "0", "", "abc", "-5", "1.9"}) {
        Harness h;
        h.setRange("1", "1000", typed);
        h.engine.Command1_Click();
        EXPECT_EQ(h.window.field(Field::txtSystem), " 10") << typed;
        EXPECT_EQ(h.window.result(), referenceEntries(1, 1000, 10) + "fertig") << typed;
    }
}

TEST(SearchRun, BaseIsCutToWholeButTheFieldKeepsItsText)
{
    const struct {
        const char *typed;
        std::int64_t searched;
    } bases[] = {{"2", 2}, {"2.5", 2}, {"7.9", 7}, {"16", 16}, {" 36", 36}};
    for (const auto &b : bases) {
        Harness h;
        h.setRange("1", "2000", b.typed);
        h.engine.Command1_Click();
        EXPECT_EQ(h.window.field(Field::txtSystem), b.typed);
        EXPECT_EQ(h.window.result(), referenceEntries(1, 2000, b.searched) + "fertig") << b.typed;
    }
}

TEST(SearchRun, RefusesABaseAboveTheTestableRange)
{
    Harness h;
    h.setRange("1", "100", "2147483648");
    h.engine.vars().Abbruch = 1;
    h.window.field(Field::txtErgebnis) = "alt";
    h.engine.Command1_Click();
    ASSERT_EQ(h.window.messages().size(), 1u);
    EXPECT_EQ(h.window.messages()[0].text, "S muß kleiner als 2147483648 sein");
    EXPECT_EQ(h.window.messages()[0].title, "Kehrzähler");
    EXPECT_EQ(h.window.messages()[0].icon, MessageIcon::None);
    EXPECT_EQ(h.window.result(), "alt");
    EXPECT_EQ(h.engine.vars().Abbruch, 1);
    EXPECT_EQ(h.engine.vars().Obergrenze, 0);
    EXPECT_EQ(h.window.yieldCount(), 0u);

    Harness largest;
    largest.setRange("2147483646", "2147483646", "2147483647.9");
    largest.engine.Command1_Click();
    EXPECT_TRUE(largest.window.messages().empty()) << "2147483647 is still a base";
    EXPECT_EQ(largest.window.result(), referenceEntry(2147483646, 2147483647) + "fertig");
}

TEST(SearchRun, BoundsAsTheyStand)
{
    Harness reversed;
    reversed.setRange("100", "10");
    reversed.engine.Command1_Click();
    EXPECT_EQ(reversed.window.result(), "fertig");
    EXPECT_EQ(reversed.window.yieldCount(), 0u);

    Harness single;
    single.setRange("8712", "8712");
    single.engine.Command1_Click();
    EXPECT_EQ(single.window.result(), referenceEntry(8712, 10) + "fertig");
    EXPECT_EQ(single.window.yieldCount(), 2u);
    EXPECT_EQ(single.engine.vars().Zahl, 8713);
}

TEST(SearchRun, EntriesAccumulateAcrossRuns)
{
    Harness h;
    h.setRange("8712", "8712");
    h.engine.Command1_Click();
    h.engine.Command1_Click();
    EXPECT_EQ(h.window.result(),
              referenceEntry(8712, 10) + "fertig" + referenceEntry(8712, 10) + "fertig");
    EXPECT_NE(h.window.result().find("fertig 8712 : 2178 =  4"), std::string::npos);
}

TEST(SearchRun, UntestableStretchesAreCrossedQuickly)
{
    Harness below;
    below.setRange("-1E300", "-2147483640");
    below.engine.Command1_Click();
    EXPECT_EQ(below.window.result().substr(below.window.result().size() - 6), "fertig");
    EXPECT_LE(below.window.yieldCount(), 20u) << "only -2147483648 to -2147483640 are tested";

    Harness above;
    above.setRange("2147483646", "1E300");
    above.engine.Command1_Click();
    EXPECT_EQ(above.window.result(),
              referenceEntry(2147483646, 10) + referenceEntry(2147483647, 10) + "fertig");
    EXPECT_EQ(above.window.yieldCount(), 4u);
}

// A click while a search yields runs its handler nested in the yield.
TEST(SearchRun, AbortDuringAYieldStopsWithoutFertig)
{
    Harness h;
    h.setFilters(kNone);
    h.setRange("1", "100000");
    h.window.onYield = [&](std::uint64_t n) {
        if (n == 2 * 30)
            h.engine.Command3_Click();
    };
    h.engine.Command1_Click();
    // The click came in the number test of 30, which still runs to its end.
    EXPECT_EQ(h.window.result(), referenceEntries(1, 30, 10, kNone));
    EXPECT_EQ(h.engine.vars().Abbruch, 1);

    h.window.onYield = nullptr;
    h.setRange("8712", "8712");
    h.engine.Command1_Click();
    EXPECT_EQ(h.window.result(),
              referenceEntries(1, 30, 10, kNone) + referenceEntry(8712, 10, kNone) + "fertig");
}

TEST(SearchRun, AbortInTheLoopsYieldSkipsTheCurrentNumber)
{
    Harness h;
    h.setFilters(kNone);
    h.window.onYield = [&](std::uint64_t n) {
        if (n == 2 * 30 - 1)
            h.engine.Command3_Click();
    };
    h.engine.Command1_Click();
    EXPECT_EQ(h.window.result(), referenceEntries(1, 29, 10, kNone));
}

TEST(SearchRun, SecondStartRunsNestedAndTheFirstCarriesOn)
{
    for (std::uint64_t yield : {3u, 4u}) { // the loop's yield and the number test's, for 2
        Harness h;
        h.setFilters(kNone);
        h.setRange("1", "3");
        bool nested = false;
        h.window.onYield = [&](std::uint64_t n) {
            if (n == yield && !nested) {
                nested = true;
                h.setRange("7", "8");
                h.engine.Command1_Click();
            }
        };
        h.engine.Command1_Click();
        // The outer run goes on from the nested run's end: 9 is tested, then 10 is past 3.
        EXPECT_EQ(h.window.result(), referenceEntries(1, 1, 10, kNone) +
                                         referenceEntries(7, 8, 10, kNone) + "fertig" +
                                         referenceEntry(9, 10, kNone) + "fertig")
            << "yield " << yield;
        EXPECT_EQ(h.engine.vars().Zahl, 10);
    }
}

TEST(SearchRun, SingleCaseTestInsideASearchTakesOverNumberAndBase)
{
    Harness h;
    h.setFilters(kNone);
    h.setRange("1", "20");
    h.window.field(Field::txtEinzelfall) = "1011";
    h.window.onYield = [&](std::uint64_t n) {
        if (n == 3) {
            h.window.field(Field::txtSystem) = "2";
            h.engine.cmdEinzelfall_Click();
        }
    };
    h.engine.Command1_Click();
    // 1011 in base 2 is 11, no hit; the search tests 11 again and goes on to 20 in base 2.
    EXPECT_EQ(h.window.result(), "Im Zehnersystem ist das\r\n 11\r\nfertig" +
                                     referenceEntries(11, 20, 2, kNone) + "fertig");
    EXPECT_EQ(h.engine.vars().Abbruch, 0);
    EXPECT_EQ(h.engine.vars().Basis, 2);
}

TEST(SearchRun, ClearDuringASearchKeepsAppending)
{
    Harness h;
    h.setFilters(kNone);
    h.setRange("1", "20");
    h.window.onYield = [&](std::uint64_t n) {
        if (n == 2 * 10)
            h.engine.Command2_Click();
    };
    h.engine.Command1_Click();
    EXPECT_EQ(h.window.result(), referenceEntries(10, 20, 10, kNone) + "fertig");
}

TEST(SearchRun, QuitInsideANestedSearchEndsEverything)
{
    Harness h;
    h.setFilters(kNone);
    h.setRange("1", "100");
    std::uint64_t last = 0;
    h.window.onYield = [&](std::uint64_t n) {
        last = n;
        if (n == 5)
            h.engine.Command1_Click(); // nested run over the same fields
        if (n == 11)
            h.engine.cmdEnde_Click();
    };
    h.engine.Command1_Click();
    EXPECT_TRUE(h.window.ended());
    EXPECT_EQ(last, 11u) << "no handler runs after the end";
    EXPECT_EQ(h.window.result().find("fertig"), std::string::npos);
}

TEST(SearchRun, CheckBoxesActFromTheNextHitOn)
{
    Harness h;
    h.setFilters(kNone);
    h.setRange("1", "30");
    h.window.onYield = [&](std::uint64_t n) {
        if (n == 2 * 15)
            h.window.setCheckBox(CheckBox::chkNichttrivial, 1);
    };
    h.engine.Command1_Click();
    EXPECT_EQ(h.window.result(), referenceEntries(1, 14, 10, kNone) +
                                     referenceEntries(15, 30, 10, {1, 0, 0}) + "fertig");
}

} // namespace
} // namespace kz::test
