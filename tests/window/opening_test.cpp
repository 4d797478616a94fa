#include "windowfixture.h"

#include "resources/pictures.h"
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
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>
#include <map>

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
    EXPECT_EQ(form().windowIcon().pixmap(32).toImage(), programIcon().pixmap(32).toImage());
}

TEST_F(OpeningState, ListHoldsTheStartUpSearchWithItsViewAtTheTop)
{
    EXPECT_EQ(list(), referenceEntries(1, 100000, 10) + "fertig");
    EXPECT_EQ(ui().txtErgebnis->verticalScrollBar()->value(), 0);
    EXPECT_EQ(ui().txtErgebnis->textCursor().position(), 0);
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
        {"txtSystem", {33, 257, 101, 32}},   {"txtugrenze", {33, 293, 101, 32}},
        {"txtnn", {33, 329, 101, 32}},       {"Command4", {133, 257, 21, 17}},
        {"Command5", {133, 273, 21, 17}},    {"Command6", {133, 293, 21, 17}},
        {"Command7", {133, 309, 21, 17}},    {"Command8", {133, 329, 21, 17}},
        {"Command9", {133, 345, 21, 17}},    {"chkNichttrivial", {37, 417, 57, 21}},
        {"chkTeiler", {37, 441, 81, 25}},    {"chkzugross", {37, 465, 81, 25}},
        {"Image1", {5, 29, 85, 78}},         {"Image2", {97, 29, 85, 78}},
        {"Shape1", {17, 145, 157, 85}},      {"Shape2", {17, 229, 157, 281}},
        {"Line1", {17, 389, 157, 1}},        {"Line2", {93, 33, 1, 73}},
    };
    for (const auto &p : placed) {
        const auto *widget = form().findChild<QWidget *>(QString::fromLatin1(p.name));
        ASSERT_NE(widget, nullptr) << p.name;
        EXPECT_EQ(widget->geometry(), p.rect) << p.name;
    }
    // Where controls overlap, the mouse meets the one drawn on top: the steppers over the
    // fields' right edges, the single-case button over the pictures.
    QWidget *panel = ui().pisSteuerung;
    for (QPushButton *stepper :
         {ui().Command4, ui().Command5, ui().Command6, ui().Command7, ui().Command8, ui().Command9})
        EXPECT_EQ(panel->childAt(stepper->geometry().topLeft()), stepper)
            << stepper->objectName().toStdString();
    EXPECT_EQ(panel->childAt(80, 35), ui().cmdEinzelfall);
    EXPECT_EQ(panel->childAt(110, 35), ui().cmdEinzelfall);
}

// The colour most pixels of a part of an image have.
QColor mostCommonColour(const QImage &image, QRect part)
{
    std::map<QRgb, int> counts;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            ++counts[image.pixel(x, y)];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](auto a, auto b) { return a.second < b.second; });
    return most == counts.end() ? QColor() : QColor(most->first);
}

// How near the pixel nearest to a colour comes to it: the largest difference in one channel.
int nearestTo(const QImage &image, QRect part, QColor colour)
{
    int nearest = 255;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            nearest = std::min(nearest, std::max({std::abs(pixel.red() - colour.red()),
                                                  std::abs(pixel.green() - colour.green()),
                                                  std::abs(pixel.blue() - colour.blue())}));
        }
    return nearest;
}

TEST_F(OpeningState, ColoursAsDrawn)
{
    QTest::mouseMove(ui().Command1); // red text in the help line
    click(ui().Command6);            // a lower bound of two digits, so with a solid stem
    QWidget *client = form().centralWidget();
    const QImage shown = client->grab().toImage();
    // A part of a widget (all of it when empty) in the grabbed client area.
    auto partOf = [&](QWidget *widget, QRect part = {}) {
        return (part.isNull() ? widget->rect() : part).translated(widget->mapTo(client, QPoint()));
    };
    const QColor grey(192, 192, 192), light(224, 224, 224), white(255, 255, 255), black(0, 0, 0);
    const QWidget *shape1 = ui().Shape1;
    const struct {
        QWidget *widget;
        QRect part;
        QColor colour;
    } backgrounds[] = {
        {ui().txtErgebnis->viewport(), {}, light},
        {ui().txtErgebnis, {0, 0, ui().txtErgebnis->width(), 1}, black}, // its top edge
        {ui().txtErgebnis, {0, 1, ui().txtErgebnis->width(), 1}, light}, // just inside it
        {ui().txtHilfe, {}, white},
        {ui().pisSteuerung, {}, grey},
        {ui().pisSteuerung, {0, 0, 1, ui().pisSteuerung->height()}, black},
        {ui().chkNichttrivial, {}, grey},
        {ui().chkTeiler, {}, grey},
        {ui().chkzugross, {}, grey},
        {ui().txtEinzelfall, {}, light},
        {ui().cmdEinzelfall, {0, 0, 1, 1}, grey}, // beside the button's rounded face
        {ui().Line2, {}, light},
        {ui().Line1, {}, black},
        {ui().Shape1, {0, 0, 1, shape1->height()}, black},
        {ui().Shape1, {shape1->width() - 1, shape1->height() - 1, 1, 1}, black},
        {ui().Shape2, {ui().Shape2->width() - 1, 0, 1, ui().Shape2->height()}, black},
    };
    for (const auto &b : backgrounds)
        EXPECT_EQ(mostCommonColour(shown, partOf(b.widget, b.part)), b.colour)
            << b.widget->objectName().toStdString() << " " << b.part.x() << "," << b.part.y();
    const struct {
        QWidget *widget;
        QColor colour;
    } texts[] = {
        {ui().txtHilfe, {192, 0, 0}},   {ui().txtSystem, {255, 0, 0}},
        {ui().txtugrenze, {0, 0, 255}}, {ui().txtnn, {0, 0, 255}},
        {ui().txtEinzelfall, black},    {ui().txtErgebnis->viewport(), black},
    };
    for (const auto &t : texts)
        EXPECT_EQ(nearestTo(shown, partOf(t.widget), t.colour), 0)
            << t.widget->objectName().toStdString();
}

TEST_F(OpeningState, FontsAndTextBoxes)
{
    const struct {
        QWidget *widget;
        qreal points;
        bool bold;
    } fonts[] = {
        {ui().txtErgebnis, 12, false},      {ui().txtHilfe, 12, true},
        {ui().txtEinzelfall, 15.75, false}, {ui().txtSystem, 14.25, false},
        {ui().txtnn, 14.25, false},         {ui().txtugrenze, 14.25, false},
    };
    for (const auto &f : fonts) {
        EXPECT_EQ(f.widget->font().family(), "Times New Roman")
            << f.widget->objectName().toStdString();
        EXPECT_DOUBLE_EQ(f.widget->font().pointSizeF(), f.points)
            << f.widget->objectName().toStdString();
        EXPECT_EQ(f.widget->font().bold(), f.bold) << f.widget->objectName().toStdString();
    }
    for (QLineEdit *field :
         {ui().txtHilfe, ui().txtEinzelfall, ui().txtSystem, ui().txtnn, ui().txtugrenze})
        EXPECT_EQ(field->alignment(), Qt::AlignCenter) << field->objectName().toStdString();
    EXPECT_EQ(ui().txtEinzelfall->toolTip(), "Zahl eingeben");
    EXPECT_TRUE(ui().txtnn->isReadOnly());
    EXPECT_TRUE(ui().txtugrenze->isReadOnly());
    EXPECT_FALSE(ui().txtSystem->isReadOnly());
}

// Restores the application's font when a test is done with another one.
class ApplicationFontSwap {
  public:
    explicit ApplicationFontSwap(const QFont &font) { QApplication::setFont(font); }
    ~ApplicationFontSwap() { QApplication::setFont(m_saved); }

  private:
    QFont m_saved = QApplication::font();
};

// Each caption against the room its control leaves it: a check box's beside its indicator, a
// push button's inside its frame, and every menu title on the bar, none in an overflow menu.
void expectCaptionsFit(Form1 &form, const char *withDefault)
{
    const Controls &ui = form.controls();
    for (QCheckBox *box : {ui.chkNichttrivial, ui.chkTeiler, ui.chkzugross}) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), room.width())
            << box->text().toStdString() << " in " << QFontInfo(box->font()).family().toStdString()
            << ", " << withDefault;
    }
    int captioned = 0;
    for (QPushButton *button : form.findChildren<QPushButton *>()) {
        if (button->text().isEmpty())
            continue;
        ++captioned;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), room.width())
            << button->objectName().toStdString() << ", " << withDefault;
    }
    const QString steppers = ui.Command4->text() + ui.Command5->text() + ui.Command6->text() +
                             ui.Command7->text() + ui.Command8->text() + ui.Command9->text();
    EXPECT_EQ(steppers, "+-+-+-");
    EXPECT_EQ(captioned, 6) << "only the steppers have captions";
    QMenuBar *bar = form.menuBar();
    if (!bar->isVisible())
        return; // laid out once shown
    for (QAction *action : bar->actions())
        EXPECT_TRUE(bar->rect().contains(bar->actionGeometry(action)))
            << action->text().toStdString() << ", " << withDefault;
    for (const QToolButton *overflow : bar->findChildren<QToolButton *>())
        EXPECT_FALSE(overflow->isVisible()) << withDefault;
}

TEST_F(OpeningState, CaptionsFitWhateverTheDefaultFont)
{
    expectCaptionsFit(form(), "with the system's default font");
    // Where fontconfig calls a monospace font its default sans-serif, the window picks its own.
    QFont monospace = QApplication::font();
    monospace.setFamilies({"DejaVu Sans Mono", "Liberation Mono", "Courier New"});
    monospace.setStyleHint(QFont::Monospace);
    ApplicationFontSwap monospaceDefault(monospace);
    Form1 another;
    expectCaptionsFit(another, "with a monospace default font, as the window is made");
    another.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&another));
    expectCaptionsFit(another, "with a monospace default font");
}

TEST_F(OpeningState, ResultListWrapsAndScrollsVerticallyOnly)
{
    EXPECT_EQ(ui().txtErgebnis->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(ui().txtErgebnis->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_NE(ui().txtErgebnis->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(ui().txtErgebnis->wordWrapMode(), QTextOption::WordWrap) << "never inside a word";
}

TEST_F(OpeningState, PictureButtonsAndPicturesAreNamedForScreenReaders)
{
    EXPECT_EQ(ui().Command1->accessibleName(), "Suche nach Kehrzählern starten");
    EXPECT_EQ(ui().Command3->accessibleName(), "Suche abbrechen");
    EXPECT_EQ(ui().Command2->accessibleName(), "Ausgabefenster löschen");
    EXPECT_EQ(ui().cmdEinzelfall->accessibleName(), "Einzelfall prüfen");
    EXPECT_EQ(ui().Image1->accessibleName(), "Donald Duck aus Entenhausen");
    EXPECT_EQ(ui().Image2->accessibleName(), "Spiegelbild von Donald Duck aus Entenhausen");
    const struct {
        QPushButton *button;
        QIcon icon;
    } pictureButtons[] = {{ui().Command1, startIcon()},
                          {ui().Command2, clearIcon()},
                          {ui().Command3, abortIcon()},
                          {ui().cmdEinzelfall, singleCaseIcon()}};
    for (const auto &[b, icon] : pictureButtons) {
        EXPECT_TRUE(b->text().isEmpty());
        EXPECT_EQ(b->icon().pixmap(32).toImage(), icon.pixmap(32).toImage())
            << b->objectName().toStdString();
        EXPECT_EQ(b->iconSize(), QSize(32, 32));
        EXPECT_FALSE(b->isDefault());
        EXPECT_FALSE(b->autoDefault());
    }
    const auto asShown = [](const QLabel *label) {
        return label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_EQ(asShown(ui().Image1), duckPicture());
    EXPECT_EQ(asShown(ui().Image2), mirroredDuckPicture());
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
