#include "windowfixture.h"

#include <QAction>
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

using HelpLine = WindowTest;

void moveOver(QWidget *widget, QPoint at = {})
{
    QTest::mouseMove(widget, at.isNull() ? widget->rect().center() : at);
}

TEST_F(HelpLine, FollowsTheMouse)
{
    const struct {
        QWidget *widget;
        const char *help;
    } cases[] = {
        {ui().Command1, "Suche nach Kehrzählern starten"},
        {ui().Command3, "Suche abbrechen"},
        {ui().Command2, "Ausgabefenster löschen"},
        {ui().txtSystem, "Basis S des Stellenwertsystems"},
        {ui().txtugrenze, "Suche ab hier (Angabe im 10er System)"},
        {ui().txtnn, "Suche bis hier (Angabe im 10er System)"},
        {ui().chkNichttrivial, "Triviale Lösungen mit Q = 1 nicht zeigen"},
        {ui().chkTeiler, "Lösung mit Basis S teilt Q nicht zeigen"},
        {ui().chkzugross, "Nur Lösungen mit Q<S zeigen"},
        {ui().txtEinzelfall, "Diese Zahl prüfen (S-System mit S < 11)"},
        {ui().cmdEinzelfall, "Einzelfall prüfen"},
        {ui().txtErgebnis, "Ergebnisliste"},
        {ui().Image1, "Donald Duck aus Entenhausen"},
        {ui().Image2, "Spiegelbild von Donald Duck aus Entenhausen"},
    };
    for (const auto &c : cases) {
        moveOver(c.widget);
        EXPECT_EQ(ui().txtHilfe->text(), QString::fromUtf8(c.help))
            << c.widget->objectName().toStdString();
    }
}

TEST_F(HelpLine, PanelWindowLinesAndShapes)
{
    moveOver(ui().pisSteuerung, {5, 250}); // empty part of the panel
    EXPECT_EQ(ui().txtHilfe->text(), "Suchoptionen einstellen, Suche starten/beenden");
    moveOver(form().centralWidget(), {3, 300}); // window background left of the panel
    EXPECT_EQ(ui().txtHilfe->text(),
              "Das Programm sucht Zahlen, die durch ihre Spiegelzahl teilbar sind");
    moveOver(ui().pisSteuerung, ui().Line1->geometry().center());
    EXPECT_EQ(ui().txtHilfe->text(), "Suchoptionen einstellen, Suche starten/beenden");
    moveOver(ui().txtErgebnis);
    moveOver(ui().pisSteuerung, ui().Shape1->geometry().topLeft() + QPoint(0, 5));
    EXPECT_EQ(ui().txtHilfe->text(), "Suchoptionen einstellen, Suche starten/beenden");
}

TEST_F(HelpLine, KeepsItsTextOverSteppersListMenuBarAndItself)
{
    moveOver(ui().Command1);
    for (QWidget *keeper : std::initializer_list<QWidget *>{
             ui().Command4, ui().Command5, ui().Command6, ui().Command7, ui().Command8,
             ui().Command9, ui().txtHilfe, form().menuBar(),
             ui().txtErgebnis->verticalScrollBar()}) {
        moveOver(keeper);
        EXPECT_EQ(ui().txtHilfe->text(), "Suche nach Kehrzählern starten")
            << keeper->objectName().toStdString();
    }
    // A drag with a button the control has no use for goes on to what lies behind it, unless
    // the control stops it.
    for (QWidget *keeper : std::initializer_list<QWidget *>{
             ui().Command4, ui().Command5, ui().Command6, ui().Command7, ui().Command8,
             ui().Command9, ui().txtHilfe, ui().txtErgebnis}) {
        ui().txtHilfe->setText("bleibt");
        QTest::mousePress(keeper, Qt::MiddleButton, {}, {1, 1});
        QTest::mouseMove(keeper, {3, 3});
        QTest::mouseRelease(keeper, Qt::MiddleButton, {}, {3, 3});
        EXPECT_EQ(ui().txtHilfe->text(), "bleibt") << keeper->objectName().toStdString();
    }
}

} // namespace
} // namespace kz::test
