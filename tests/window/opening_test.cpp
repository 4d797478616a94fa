#include "windowfixture.h"

#include "tests/support/reference.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace kz::test {
namespace {

using OpeningState = WindowTest;

TEST_F(OpeningState, FieldsBoxesAndHelpLine)
{
    EXPECT_EQ(ui().txtSystem->text(), "10");
    EXPECT_EQ(ui().txtugrenze->text(), "1");
    EXPECT_EQ(ui().txtnn->text(), "100000");
    EXPECT_EQ(ui().txtEinzelfall->text(), "9801");
    EXPECT_EQ(ui().chkNichttrivial->checkState(), Qt::Checked);
    EXPECT_EQ(ui().chkTeiler->checkState(), Qt::Checked);
    EXPECT_EQ(ui().chkzugross->checkState(), Qt::Unchecked);
    EXPECT_EQ(ui().txtHilfe->text(), "");
    EXPECT_EQ(form().windowTitle(), "Kehrzähler in beliebigen Stellenwertsystemen");
}

TEST_F(OpeningState, ListHoldsTheStartUpSearchWithItsViewAtTheTop)
{
    EXPECT_EQ(list(), referenceEntries(1, 100000, 10) + "fertig");
    EXPECT_EQ(ui().txtErgebnis->verticalScrollBar()->value(), 0);
}

TEST_F(OpeningState, MenuBarHasTwoCommandsWithoutMenus)
{
    const QList<QAction *> actions = form().menuBar()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->objectName(), "cmdEnde");
    EXPECT_EQ(actions[0]->text(), "Programm beenden");
    EXPECT_EQ(actions[1]->objectName(), "cmdInfo");
    EXPECT_EQ(actions[1]->text(), "Information");
    EXPECT_EQ(actions[0]->menu(), nullptr);
    EXPECT_EQ(actions[1]->menu(), nullptr);
}

TEST_F(OpeningState, ControlsSitWhereTheyWereDesigned)
{
    EXPECT_EQ(form().centralWidget()->size(), QSize(556, 562));
    const struct {
        const char *name;
        QRect rect; // pixels; the panel's controls inside its one-pixel border
    } placed[] = {
        {"txtErgebnis", {196, 8, 353, 525}}, {"txtHilfe", {8, 532, 541, 25}},
        {"pisSteuerung", {8, 8, 189, 525}},  {"Command1", {33, 157, 41, 61}},
        {"Command3", {73, 157, 41, 61}},     {"Command2", {113, 157, 41, 61}},
        {"cmdEinzelfall", {77, 9, 37, 37}},  {"txtEinzelfall", {17, 105, 157, 29}},
        {"txtSystem", {33, 257, 101, 32}},   {"Command4", {133, 257, 21, 17}},
        {"Command9", {133, 345, 21, 17}},    {"chkNichttrivial", {37, 417, 57, 21}},
        {"chkzugross", {37, 465, 81, 25}},   {"Image1", {5, 29, 85, 78}},
        {"Image2", {97, 29, 85, 78}},        {"Shape2", {17, 229, 157, 281}},
    };
    for (const auto &p : placed) {
        const auto *widget = form().findChild<QWidget *>(QString::fromLatin1(p.name));
        ASSERT_NE(widget, nullptr) << p.name;
        EXPECT_EQ(widget->geometry(), p.rect) << p.name;
    }
}

TEST_F(OpeningState, ColoursFontsAndBorders)
{
    EXPECT_EQ(ui().txtErgebnis->palette().color(QPalette::Base), QColor(224, 224, 224));
    EXPECT_EQ(ui().txtHilfe->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(ui().txtHilfe->palette().color(QPalette::Text), QColor(192, 0, 0));
    EXPECT_TRUE(ui().txtHilfe->font().bold());
    EXPECT_EQ(ui().pisSteuerung->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(ui().chkTeiler->palette().color(ui().chkTeiler->backgroundRole()),
              QColor(192, 192, 192));
    EXPECT_EQ(ui().txtSystem->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(ui().txtnn->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(ui().txtEinzelfall->font().family(), "Times New Roman");
    EXPECT_DOUBLE_EQ(ui().txtEinzelfall->font().pointSizeF(), 15.75);
    EXPECT_DOUBLE_EQ(ui().txtSystem->font().pointSizeF(), 14.25);
    EXPECT_DOUBLE_EQ(ui().txtErgebnis->font().pointSizeF(), 12);
    EXPECT_EQ(ui().txtEinzelfall->alignment(), Qt::AlignCenter);
    EXPECT_EQ(ui().txtEinzelfall->toolTip(), "Zahl eingeben");
    EXPECT_EQ(ui().txtErgebnis->frameShape(), QFrame::Box);
    EXPECT_EQ(ui().txtErgebnis->lineWidth(), 1);
    EXPECT_TRUE(ui().txtnn->isReadOnly());
    EXPECT_TRUE(ui().txtugrenze->isReadOnly());
    EXPECT_FALSE(ui().txtSystem->isReadOnly());
}

TEST_F(OpeningState, ResultListWrapsAndScrollsVerticallyOnly)
{
    EXPECT_EQ(ui().txtErgebnis->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(ui().txtErgebnis->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_NE(ui().txtErgebnis->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(OpeningState, PictureButtonsAndPicturesAreNamedForScreenReaders)
{
    EXPECT_EQ(ui().Command1->accessibleName(), "Suche nach Kehrzählern starten");
    EXPECT_EQ(ui().Command3->accessibleName(), "Suche abbrechen");
    EXPECT_EQ(ui().Command2->accessibleName(), "Ausgabefenster löschen");
    EXPECT_EQ(ui().cmdEinzelfall->accessibleName(), "Einzelfall prüfen");
    EXPECT_EQ(ui().Image1->accessibleName(), "Donald Duck aus Entenhausen");
    EXPECT_EQ(ui().Image2->accessibleName(), "Spiegelbild von Donald Duck aus Entenhausen");
    for (QPushButton *b : {ui().Command1, ui().Command2, ui().Command3, ui().cmdEinzelfall}) {
        EXPECT_TRUE(b->text().isEmpty());
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_FALSE(b->isDefault());
        EXPECT_FALSE(b->autoDefault());
    }
    EXPECT_EQ(ui().Image1->pixmap().size(), QSize(85, 78));
}

TEST_F(OpeningState, TabVisitsTheControlsInDesignOrder)
{
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    ui().pisSteuerung->setFocus();
    const QStringList expected = {"txtugrenze", "txtnn",         "txtSystem",       "Command4",
                                  "Command5",   "Command6",      "Command7",        "Command8",
                                  "Command9",   "txtHilfe",      "chkNichttrivial", "chkzugross",
                                  "chkTeiler",  "txtEinzelfall", "txtErgebnis",     "Command1",
                                  "Command3",   "Command2",      "cmdEinzelfall",   "pisSteuerung"};
    QStringList visited;
    for (int k = 0; k < expected.size(); ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                : QString());
    }
    EXPECT_EQ(visited, expected);
}

} // namespace
} // namespace kz::test
