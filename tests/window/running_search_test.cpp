// Clicks that land while a search is running: they run inside its yields.
#include "windowfixture.h"

#include "engine/conversions.h"
#include "tests/support/reference.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>

namespace kz::test {
namespace {

using RunningSearch = WindowTest;

std::vector<std::int64_t> numbersIn(const std::string &list)
{
    std::vector<std::int64_t> numbers;
    for (const auto &entry : entriesOf(list))
        numbers.push_back(static_cast<std::int64_t>(Val(entry)));
    return numbers;
}

bool endsWithFertig(const std::string &list)
{
    return list.size() >= 6 && list.compare(list.size() - 6, 6, "fertig") == 0;
}

TEST_F(RunningSearch, AbortStopsItWithoutFertig)
{
    widenToFullRange();
    click(ui().Command2);
    std::string shownWhileRunning;
    double runningAt = 0;
    soon([&] {
        // The entries found so far are in the list while the search runs.
        shownWhileRunning = list();
        runningAt = form().engine().vars().Zahl;
        soon([&] { click(ui().Command3); });
    });
    click(ui().Command1);
    EXPECT_EQ(shownWhileRunning, referenceEntries(1, static_cast<std::int64_t>(runningAt) - 1, 10));
    EXPECT_NE(shownWhileRunning, "") << "some found before the first event round";
    const std::string stopped = list();
    EXPECT_FALSE(endsWithFertig(stopped));
    EXPECT_EQ(stopped,
              referenceEntries(1, static_cast<std::int64_t>(form().engine().vars().Zahl) - 1, 10))
        << "every entry up to where it stopped, nothing more";
    EXPECT_LT(form().engine().vars().Zahl, 100000000);
}

TEST_F(RunningSearch, ClearEmptiesTheListAndTheSearchGoesOn)
{
    widenToFullRange();
    soon([&] {
        click(ui().Command2);
        soon([&] { click(ui().Command3); });
    });
    click(ui().Command1);
    const auto numbers = numbersIn(list());
    ASSERT_FALSE(numbers.empty());
    EXPECT_EQ(list().find("fertig"), std::string::npos) << "the start-up list went with the clear";
    EXPECT_EQ(list(), referenceEntries(numbers.front(), numbers.back(), 10));
}

TEST_F(RunningSearch, SingleCaseTestRunsInsideAndTheSearchCarriesOnFromItsNumber)
{
    widenToFullRange();
    soon([&] {
        click(ui().cmdEinzelfall);
        soon([&] { click(ui().Command3); });
    });
    click(ui().Command1);
    const std::string header =
        "Im Zehnersystem ist das\r\n 9801\r\n" + referenceEntry(9801, 10) + "fertig";
    ASSERT_EQ(list().substr(0, header.size()), header);
    // The search tests 9801 again and goes on from there.
    const std::string rest = list().substr(header.size());
    const auto stoppedAt = static_cast<std::int64_t>(form().engine().vars().Zahl);
    EXPECT_EQ(rest, referenceEntries(9801, stoppedAt - 1, 10));
}

TEST_F(RunningSearch, SecondStartRunsNestedThenTheFirstGoesOn)
{
    widenToFullRange();
    click(ui().Command2);
    soon([&] {
        for (int k = 0; k < 4; ++k)
            click(ui().Command9); // the nested run searches 1 to 10^4
        click(ui().Command1);     // runs to its "fertig", leaving Zahl just past 10^4
        soon([&] { click(ui().Command3); });
    });
    click(ui().Command1);
    const std::string shown = list();
    const std::string nested = referenceEntries(1, 10000, 10) + "fertig";
    const std::size_t nestedEnd = shown.find("fertig") + 6;
    ASSERT_NE(shown.find("fertig"), std::string::npos) << "the nested run went to its end";
    ASSERT_GE(nestedEnd, nested.size());
    const std::string outerBefore = shown.substr(0, nestedEnd - nested.size());
    const auto outerNumbers = numbersIn(outerBefore);
    EXPECT_EQ(outerBefore, outerNumbers.empty() ? "" : referenceEntries(1, outerNumbers.back(), 10))
        << "the outer run's entries up to the click";
    EXPECT_EQ(shown.substr(outerBefore.size(), nested.size()), nested);
    // The outer run goes on from the number the nested one left, up to its own end.
    const auto stoppedAt = static_cast<std::int64_t>(form().engine().vars().Zahl);
    EXPECT_GT(stoppedAt, 10001);
    EXPECT_EQ(shown.substr(nestedEnd), referenceEntries(10001, stoppedAt - 1, 10));
    EXPECT_EQ(form().engine().vars().Abbruch, 1);
}

TEST_F(RunningSearch, InformationBoxHoldsTheSearchUntilClosed)
{
    widenToFullRange();
    click(ui().Command2);
    std::shared_ptr<SeenBox> box;
    soon([&] {
        box = answerNextMessageBox();
        clickMenu(ui().cmdInfo);
        soon([&] { click(ui().Command3); });
    });
    click(ui().Command1);
    ASSERT_TRUE(box && box->seen);
    EXPECT_EQ(box->title, "Programmiert von");
    EXPECT_FALSE(endsWithFertig(list()));
}

TEST_F(RunningSearch, CheckBoxActsFromTheNextHitOn)
{
    widenToFullRange();
    click(ui().Command2);
    soon([&] {
        click(ui().chkTeiler); // from now on multiples of S as quotient are listed too
        soon([&] { click(ui().Command3); });
    });
    click(ui().Command1);
    const std::string stopped = list();
    std::size_t tens = 0;
    for (const auto &entry : entriesOf(stopped))
        tens += std::fmod(Val(entry.substr(entry.find('=') + 1)), 10) == 0;
    EXPECT_GT(tens, 0u);
}

TEST_F(RunningSearch, ListReadsBackWithCrLfWhileEntriesWaitForTheNextEventRound)
{
    click(ui().Command2);
    form().engine().vars().Zahl = 8712;
    form().engine().vars().Basis = 10;
    form().engine().PruefeZahl(); // appended, not yet shown
    const std::string seenByTheEngine = form().windowOperations().text(Field::txtErgebnis);
    EXPECT_EQ(seenByTheEngine, referenceEntry(8712, 10));
    form().windowOperations().flushResults();
    EXPECT_EQ(list(), referenceEntry(8712, 10));
    form().engine().PruefeZahl(); // waiting again when the list is cleared
    click(ui().Command2);
    EXPECT_EQ(form().windowOperations().text(Field::txtErgebnis), "");
    EXPECT_EQ(list(), "");
}

TEST_F(RunningSearch, CloseBoxStopsTheSearchAndEndsTheProgram)
{
    widenToFullRange();
    soon([&] { form().close(); });
    click(ui().Command1);
    EXPECT_TRUE(form().hasEnded());
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().engine().vars().Abbruch, 1);
    EXPECT_LT(form().engine().vars().Zahl, 100000000);
}

TEST_F(RunningSearch, QuitFromTheMenuEndsItAtOnce)
{
    widenToFullRange();
    const std::string before = list();
    soon([&] { clickMenu(ui().cmdEnde); });
    click(ui().Command1);
    EXPECT_TRUE(form().hasEnded());
    EXPECT_FALSE(endsWithFertig(list().substr(before.size())));
}

} // namespace
} // namespace kz::test
