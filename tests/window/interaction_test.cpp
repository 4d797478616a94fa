#include "windowfixture.h"

#include "tests/support/reference.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace kz::test {
namespace {

using Clicks = WindowTest;

TEST_F(Clicks, StartAppendsAnotherRunBelowTheFirst)
{
    click(ui().Command7); // lower bound stays 1
    click(ui().Command9); // upper bound 10000
    click(ui().Command1);
    EXPECT_EQ(list(), referenceEntries(1, 100000, 10) + "fertig" + referenceEntries(1, 10000, 10) +
                          "fertig");
}

TEST_F(Clicks, ClearEmptiesTheList)
{
    const std::string before = list();
    QTest::mousePress(ui().Command2, Qt::LeftButton);
    QTest::mouseRelease(ui().Command2, Qt::LeftButton, {}, {-5, -5}); // slid off, then let go
    EXPECT_EQ(list(), before);
    click(ui().Command2);
    EXPECT_EQ(list(), "");
    EXPECT_EQ(ui().txtErgebnis->toPlainText(), "");
}

TEST_F(Clicks, AbortWhenIdleOnlySetsTheFlag)
{
    const std::string before = list();
    click(ui().Command3);
    EXPECT_EQ(form().engine().vars().Abbruch, 1);
    EXPECT_EQ(list(), before);
}

TEST_F(Clicks, SingleCaseReplacesTheList)
{
    click(ui().cmdEinzelfall);
    EXPECT_EQ(list(), "Im Zehnersystem ist das\r\n 9801\r\n" + referenceEntry(9801, 10) + "fertig");
    ui().txtSystem->setText("2");
    ui().txtEinzelfall->setText("1011");
    click(ui().cmdEinzelfall);
    EXPECT_EQ(list(), "Im Zehnersystem ist das\r\n 11\r\nfertig");
}

// Ctrl+Z in a field the program wrote leaves it as written: what the user typed before, and the
// text the program replaced, are gone from its undo history.
void expectNothingToUndo(QWidget *field, const QString &written)
{
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    if (auto *line = qobject_cast<QLineEdit *>(field)) {
        EXPECT_FALSE(line->isUndoAvailable()) << line->objectName().toStdString();
        EXPECT_EQ(line->text(), written) << line->objectName().toStdString();
    } else if (auto *list = qobject_cast<QPlainTextEdit *>(field)) {
        EXPECT_FALSE(list->document()->isUndoAvailable());
        EXPECT_EQ(list->toPlainText(), written);
    }
}

TEST_F(Clicks, SteppersRewriteTheirFields)
{
    ui().txtSystem->selectAll();
    QTest::keyClicks(ui().txtSystem, "10"); // typed, so that there is something to undo
    const struct {
        QPushButton *button;
        QLineEdit *field;
        QString result;
    } steps[] = {
        {ui().Command4, ui().txtSystem, " 11"},   {ui().Command5, ui().txtSystem, " 10"},
        {ui().Command5, ui().txtSystem, " 9"},    {ui().Command6, ui().txtugrenze, " 10"},
        {ui().Command6, ui().txtugrenze, " 100"}, {ui().Command7, ui().txtugrenze, " 10"},
        {ui().Command8, ui().txtnn, " 1000000"},  {ui().Command9, ui().txtnn, " 100000"},
    };
    for (const auto &s : steps) {
        click(s.button);
        EXPECT_EQ(s.field->text(), s.result) << s.button->objectName().toStdString();
        expectNothingToUndo(s.field, s.result);
    }
    for (int k = 0; k < 6; ++k)
        click(ui().Command9);
    EXPECT_EQ(ui().txtnn->text(), " 10") << "held at the lower bound";
}

TEST_F(Clicks, BaseAboveTenIsRefusedByTheSingleCaseTest)
{
    click(ui().Command4);
    const std::string before = list();
    auto box = answerNextMessageBox();
    click(ui().cmdEinzelfall);
    ASSERT_TRUE(box->seen);
    EXPECT_EQ(box->text, "S muß kleiner als 10 sein");
    EXPECT_EQ(box->title, "Kehrzähler");
    EXPECT_EQ(box->icon, QMessageBox::NoIcon);
    EXPECT_EQ(box->buttons, 1);
    EXPECT_EQ(list(), before);
    EXPECT_EQ(ui().txtEinzelfall->text(), "9801");
}

TEST_F(Clicks, InformationShowsWhoWroteTheProgram)
{
    auto box = answerNextMessageBox();
    clickMenu(ui().cmdInfo);
    ASSERT_TRUE(box->seen);
    EXPECT_EQ(box->title, "Programmiert von");
    EXPECT_EQ(box->text, "Tobrecht Wendlmayr\nAkademie Zarnitz");
    EXPECT_EQ(box->icon, QMessageBox::Information);
    EXPECT_EQ(box->buttons, 1);
    EXPECT_EQ(box->parent, &form()) << "over the window";
    EXPECT_FALSE(form().hasEnded());
}

TEST_F(Clicks, QuitEndsTheProgram)
{
    clickMenu(ui().cmdEnde);
    EXPECT_TRUE(form().hasEnded());
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().engine().vars().Abbruch, 1);
    // A yield of a search that is still unwinding runs no handler any more.
    const std::string before = list();
    soon([&] { click(ui().Command2); });
    QTest::qSleep(20); // past the interval within which a yield leaves the events anyway
    form().windowOperations().yield();
    EXPECT_EQ(list(), before);
}

TEST_F(Clicks, GreyedCheckBoxDoesNotCount)
{
    ui().chkNichttrivial->setTristate(true);
    ui().chkNichttrivial->setCheckState(Qt::PartiallyChecked);
    ui().txtEinzelfall->setText("121");
    click(ui().cmdEinzelfall);
    EXPECT_EQ(list(), "Im Zehnersystem ist das\r\n 121\r\n" + referenceEntry(121, 10, {0, 1, 0}) +
                          "fertig");
    EXPECT_NE(list().find(" 121 : 121 =  1"), std::string::npos);
}

TEST_F(Clicks, CheckBoxesToggleWithTheMouse)
{
    click(ui().chkzugross);
    click(ui().chkNichttrivial);
    EXPECT_EQ(ui().chkzugross->checkState(), Qt::Checked);
    EXPECT_EQ(ui().chkNichttrivial->checkState(), Qt::Unchecked);
    click(ui().Command2);
    click(ui().Command1);
    EXPECT_EQ(list(), referenceEntries(1, 100000, 10, {0, 1, 1}) + "fertig");
}

using Typing = WindowTest;

TEST_F(Typing, BoundFieldsTakeNoTyping)
{
    for (QLineEdit *bound : {ui().txtnn, ui().txtugrenze}) {
        const QString before = bound->text();
        click(bound);
        QTest::keyClicks(bound, "123");
        QTest::keyClick(bound, Qt::Key_Backspace);
        QTest::keyClick(bound, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(bound->text(), before);
    }
    click(ui().Command8);
    EXPECT_EQ(ui().txtnn->text(), " 1000000") << "the steppers still change them";
}

TEST_F(Typing, OtherFieldsTakeTypingUntilTheProgramWritesThem)
{
    ui().txtSystem->clear();
    QTest::keyClicks(ui().txtSystem, "16");
    EXPECT_EQ(ui().txtSystem->text(), "16");
    QTest::keyClicks(ui().txtHilfe, "x");
    EXPECT_EQ(ui().txtHilfe->text(), "x");

    click(ui().Command2);
    QTest::keyClicks(ui().txtErgebnis, "Notiz");
    QTest::keyClick(ui().txtErgebnis, Qt::Key_Return);
    QTest::keyClicks(ui().txtErgebnis, "zwei");
    QTest::keyClick(ui().txtErgebnis, Qt::Key_Return, Qt::ShiftModifier); // a line break
    QTest::keyClicks(ui().txtErgebnis, "drei");
    EXPECT_EQ(list(), "Notiz\r\nzwei\r\ndrei");
    ui().txtSystem->setText("10");
    for (int k = 0; k < 3; ++k)
        click(ui().Command9);
    click(ui().Command1);
    const std::string searched = "Notiz\r\nzwei\r\ndrei" + referenceEntries(1, 100, 10) + "fertig";
    EXPECT_EQ(list(), searched);
    expectNothingToUndo(ui().txtErgebnis, ui().txtErgebnis->toPlainText());
    EXPECT_EQ(list(), searched);

    ui().txtEinzelfall->clear();
    QTest::keyClicks(ui().txtEinzelfall, "0077");
    ui().txtSystem->setText("8");
    click(ui().cmdEinzelfall);
    EXPECT_EQ(ui().txtEinzelfall->text(), "77");
    expectNothingToUndo(ui().txtEinzelfall, "77");
    EXPECT_EQ(list(), "Im Zehnersystem ist das\r\n 63\r\nfertig");
}

TEST_F(Typing, TypedBaseBelowTwoSearchesBaseTen)
{
    ui().txtSystem->setText("abc");
    click(ui().Command9);
    click(ui().Command9);
    click(ui().Command2);
    click(ui().Command1);
    EXPECT_EQ(ui().txtSystem->text(), " 10");
    EXPECT_EQ(list(), referenceEntries(1, 1000, 10) + "fertig");
}

} // namespace
} // namespace kz::test
