// Users who press start five times, type megabytes or quit from the depths of nested searches:
// the program stays alive (or ends where asked) and its list stays made of whole entries.
#include "windowfixture.h"

#include "engine/conversions.h"
#include "tests/support/reference.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace kz::test {
namespace {

using Hostile = WindowTest;

// Every entry in the list is one the integer oracle writes for its number in base 10.
void expectWholeEntries(const std::string &list)
{
    std::string rest;
    for (const auto &entry : entriesOf(list, &rest)) {
        std::string text = entry;
        while (text.rfind("fertig", 0) == 0)
            text.erase(0, 6);
        const auto n = static_cast<std::int64_t>(Val(text));
        EXPECT_EQ(text, referenceEntry(n, 10)) << "entry for " << n;
    }
    EXPECT_TRUE(rest.empty() || rest == "fertig" || rest == "fertigfertig" ||
                rest.find_first_not_of("fertig") == std::string::npos)
        << rest;
}

TEST_F(Hostile, StartPressedAgainAndAgainDuringASearch)
{
    widenToFullRange();
    click(ui().Command2);
    int presses = 0;
    std::function<void()> pressAgain = [&] {
        if (++presses == 5) {
            soon([&] { click(ui().Command3); });
            return;
        }
        soon(pressAgain);
        click(ui().Command1); // runs nested until the abort above
    };
    soon(pressAgain);
    click(ui().Command1);
    EXPECT_EQ(presses, 5);
    EXPECT_EQ(form().engine().vars().Abbruch, 1);
    expectWholeEntries(list());
    click(ui().Command2);
    click(ui().Command9);
    click(ui().Command9);
    click(ui().Command9);
    click(ui().Command9);
    click(ui().Command1);
    EXPECT_EQ(list(), referenceEntries(1, 10000, 10) + "fertig") << "the next start works as ever";
}

TEST_F(Hostile, SingleCaseWithABaseTheSearchCannotUseDuringASearch)
{
    widenToFullRange();
    std::shared_ptr<SeenBox> box;
    soon([&] {
        ui().txtSystem->setText("11");
        box = answerNextMessageBox();
        click(ui().cmdEinzelfall); // refused: the search is held until the box is closed
        ui().txtSystem->setText("0");
        click(ui().cmdEinzelfall); // accepted: the search goes on in base 0, where nothing is a hit
        soon([&] { click(ui().Command3); });
    });
    click(ui().Command1);
    ASSERT_TRUE(box && box->seen);
    EXPECT_EQ(box->text, "S muß kleiner als 10 sein");
    EXPECT_EQ(list(), "Im Zehnersystem ist das\r\n 1\r\nfertig")
        << "9801 in base 0 is its last digit";
    EXPECT_EQ(form().engine().vars().Basis, 0);
}

TEST_F(Hostile, QuitFromInsideANestedSearch)
{
    widenToFullRange();
    soon([&] {
        soon([&] { clickMenu(ui().cmdEnde); });
        click(ui().Command1);
    });
    click(ui().Command1);
    EXPECT_TRUE(form().hasEnded());
    EXPECT_FALSE(form().isVisible());
    EXPECT_LT(form().engine().vars().Zahl, 100000000);
    EXPECT_EQ(form().engine().vars().Abbruch, 1);
}

TEST_F(Hostile, MegabytePastedIntoTheFields)
{
    const QString megabyte(1 << 20, QLatin1Char('7'));
    QApplication::clipboard()->setText(megabyte);
    for (QLineEdit *field : {ui().txtSystem, ui().txtEinzelfall, ui().txtHilfe}) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field->text().size(), megabyte.size()) << "no length limit";
    }
    auto refused = answerNextMessageBox();
    click(ui().Command1);
    ASSERT_TRUE(refused->seen);
    EXPECT_EQ(refused->text, "S muß kleiner als 2147483648 sein");

    ui().txtSystem->setText("10");
    auto notWhole = answerNextMessageBox();
    click(ui().cmdEinzelfall);
    ASSERT_TRUE(notWhole->seen);
    EXPECT_EQ(notWhole->text, "Bitte eine ganze Zahl mit höchstens 15 Stellen eingeben");

    click(ui().Command2);
    ui().txtErgebnis->setFocus();
    QTest::keyClick(ui().txtErgebnis, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(list().size(), megabyte.size());
    click(ui().Command9);
    click(ui().Command9);
    click(ui().Command9);
    click(ui().Command1);
    EXPECT_EQ(list(), megabyte.toStdString() + referenceEntries(1, 100, 10) + "fertig");
}

TEST_F(Hostile, TypingIntoTheListDuringASearchKeepsEntriesWhole)
{
    widenToFullRange();
    click(ui().Command2);
    soon([&] {
        QTest::keyClicks(ui().txtErgebnis, "Notiz");
        soon([&] { click(ui().Command3); });
    });
    click(ui().Command1);
    const std::string shown = list();
    ASSERT_NE(shown.find("Notiz"), std::string::npos);
    std::string withoutNote = shown;
    withoutNote.erase(withoutNote.find("Notiz"), 5);
    expectWholeEntries(withoutNote);
}

} // namespace
} // namespace kz::test
