#include "window/form1.h"

#include "engine/openingvalues.h"
#include "resources/captionfont.h"
#include "resources/pictures.h"
#include "window/drawing.h"
#include "window/helptexts.h"
#include "window/layout.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <limits>

namespace kz {

namespace {

const QColor kListBackground(224, 224, 224);
const QColor kPanelBackground(192, 192, 192);
const QColor kHelpText(192, 0, 0);
const QColor kBaseText(255, 0, 0);
const QColor kBoundText(0, 0, 255);
const QColor kMirrorLine(224, 224, 224);
const QSize kIconSize(32, 32);

// A thin single line instead of the sunken edge the other text boxes have. A style sheet
// paints over the palette, so it carries the box's colours too.
void setFlatBorder(QLineEdit *edit, QColor background, QColor text = Qt::black)
{
    edit->setStyleSheet(
        QStringLiteral("QLineEdit { border: 1px solid palette(window-text); background-color: %1; "
                       "color: %2; }")
            .arg(background.name(), text.name()));
}

QFont timesNewRoman(qreal points, bool bold = false)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setColors(QWidget *widget, QPalette::ColorRole backgroundRole, QColor background,
               QPalette::ColorRole textRole = QPalette::NoRole, QColor text = {})
{
    QPalette palette = widget->palette();
    if (background.isValid())
        palette.setColor(backgroundRole, background);
    if (text.isValid())
        palette.setColor(textRole, text);
    widget->setPalette(palette);
}

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QMainWindow(withCaptionFont(parent)), m_window(m_ui, this, [this] { endProgram(); }),
      m_engine(m_window)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kehrzähler in beliebigen Stellenwertsystemen"));
    setWindowIcon(programIcon());

    auto *client = named(new QWidget(this), "client");
    setCentralWidget(client);
    createMenu();
    createResultArea(client);
    createPanel(client);
    orderTabs();
    connectHandlers();
    resize(layout::kClientArea.width(),
           layout::kClientArea.height() + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

void Form1::createMenu()
{
    // Two commands straight on the menu bar, acting on click, with no menu dropping down.
    m_ui.cmdEnde = menuBar()->addAction(QStringLiteral("Programm beenden"));
    m_ui.cmdEnde->setObjectName(QStringLiteral("cmdEnde"));
    m_ui.cmdInfo = menuBar()->addAction(QStringLiteral("Information"));
    m_ui.cmdInfo->setObjectName(QStringLiteral("cmdInfo"));
}

void Form1::createResultArea(QWidget *client)
{
    auto *list = named(new QPlainTextEdit(client), "txtErgebnis");
    list->setGeometry(layout::txtErgebnis);
    list->setFont(timesNewRoman(12));
    setColors(list, QPalette::Base, kListBackground);
    list->setFrameStyle(QFrame::Box | QFrame::Plain);
    list->setLineWidth(1);
    list->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Lines wrap between words. Qt's fallback of breaking an over-long word anywhere costs time
    // quadratic in its length (a pasted megabyte would freeze the window for a minute); the
    // program's own entries consist of short numbers, so they always wrap.
    list->setWordWrapMode(QTextOption::WordWrap);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setTabChangesFocus(true);
    m_ui.txtErgebnis = list;

    auto *helpLine = named(new QLineEdit(client), "txtHilfe");
    helpLine->setGeometry(layout::txtHilfe);
    helpLine->setFont(timesNewRoman(12, true));
    setFlatBorder(helpLine, Qt::white, kHelpText);
    helpLine->setAlignment(Qt::AlignCenter);
    helpLine->setMaxLength(std::numeric_limits<int>::max());
    m_ui.txtHilfe = helpLine;
}

void Form1::createPanel(QWidget *client)
{
    auto *panel = named(new QFrame(client), "pisSteuerung");
    panel->setGeometry(layout::pisSteuerung);
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    panel->setAutoFillBackground(true);
    setColors(panel, QPalette::Window, kPanelBackground);
    panel->setFocusPolicy(Qt::StrongFocus);
    m_ui.pisSteuerung = panel;

    // Pictures, lines and shapes first: they lie beneath every button, field and check box.
    createPictures();
    createDecorations();
    createButtons();
    createFields();
    createCheckBoxes();
}

QPoint Form1::panelOrigin() const
{
    // The panel's controls are placed in its inner area, inside its one-pixel border.
    return m_ui.pisSteuerung->contentsRect().topLeft();
}

void Form1::createPictures()
{
    const QPoint inner = panelOrigin();
    auto picture = [&](const char *name, QRect rect, const QImage &image, const char *help) {
        auto *label = named(new QLabel(m_ui.pisSteuerung), name);
        label->setGeometry(rect.translated(inner));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setPixmap(QPixmap::fromImage(image));
        label->setAccessibleName(QString::fromUtf8(help));
        return label;
    };
    m_ui.Image1 = picture("Image1", layout::Image1, duckPicture(), help::Image1);
    m_ui.Image2 = picture("Image2", layout::Image2, mirroredDuckPicture(), help::Image2);
}

void Form1::createDecorations()
{
    QWidget *panel = m_ui.pisSteuerung;
    const QPoint inner = panelOrigin();
    m_ui.Line2 =
        named(new LineControl(layout::Line2.translated(inner), kMirrorLine, panel), "Line2");
    m_ui.Line1 = named(new LineControl(layout::Line1.translated(inner), QColor(), panel), "Line1");
    m_ui.Shape2 = named(new ShapeControl(panel), "Shape2");
    m_ui.Shape2->setGeometry(layout::Shape2.translated(inner));
    m_ui.Shape1 = named(new ShapeControl(panel), "Shape1");
    m_ui.Shape1->setGeometry(layout::Shape1.translated(inner));
}

void Form1::createButtons()
{
    QWidget *panel = m_ui.pisSteuerung;
    const QPoint inner = panelOrigin();
    auto button = [&](const char *name, QRect rect) {
        auto *b = named(new QPushButton(panel), name);
        b->setGeometry(rect.translated(inner));
        b->setAutoDefault(false);
        return b;
    };
    auto pictureButton = [&](const char *name, QRect rect, const QIcon &icon, const char *help) {
        QPushButton *b = button(name, rect);
        b->setIcon(icon);
        b->setIconSize(kIconSize);
        b->setAccessibleName(QString::fromUtf8(help));
        return b;
    };
    auto stepper = [&](const char *name, QRect rect, const char *caption) {
        QPushButton *b = button(name, rect);
        b->setText(QString::fromLatin1(caption));
        return b;
    };
    m_ui.Command2 = pictureButton("Command2", layout::Command2, clearIcon(), help::Command2);
    m_ui.Command3 = pictureButton("Command3", layout::Command3, abortIcon(), help::Command3);
    m_ui.Command1 = pictureButton("Command1", layout::Command1, startIcon(), help::Command1);
    m_ui.Command9 = stepper("Command9", layout::Command9, "-");
    m_ui.Command8 = stepper("Command8", layout::Command8, "+");
    m_ui.Command7 = stepper("Command7", layout::Command7, "-");
    m_ui.Command6 = stepper("Command6", layout::Command6, "+");
    m_ui.Command5 = stepper("Command5", layout::Command5, "-");
    m_ui.Command4 = stepper("Command4", layout::Command4, "+");
    m_ui.cmdEinzelfall = pictureButton("cmdEinzelfall", layout::cmdEinzelfall, singleCaseIcon(),
                                       help::cmdEinzelfall);
    m_ui.cmdEinzelfall->setAutoFillBackground(true);
    setColors(m_ui.cmdEinzelfall, QPalette::Button, kPanelBackground);
    // The steppers sit on top of the fields' right edges; the single-case button over the pictures.
    m_ui.cmdEinzelfall->raise();
}

void Form1::createFields()
{
    QWidget *panel = m_ui.pisSteuerung;
    const QPoint inner = panelOrigin();
    auto field = [&](const char *name, QRect rect, Field opening, qreal points) {
        auto *edit = named(new QLineEdit(QString::fromLatin1(openingText(opening)), panel), name);
        edit->setGeometry(rect.translated(inner));
        edit->setFont(timesNewRoman(points));
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(std::numeric_limits<int>::max());
        return edit;
    };
    m_ui.txtEinzelfall = field("txtEinzelfall", layout::txtEinzelfall, Field::txtEinzelfall, 15.75);
    setFlatBorder(m_ui.txtEinzelfall, kListBackground);
    m_ui.txtEinzelfall->setToolTip(QStringLiteral("Zahl eingeben"));

    m_ui.txtSystem = field("txtSystem", layout::txtSystem, Field::txtSystem, 14.25);
    setColors(m_ui.txtSystem, QPalette::Base, QColor(), QPalette::Text, kBaseText);
    // The bounds change only through their steppers; they still take the focus.
    m_ui.txtnn = field("txtnn", layout::txtnn, Field::txtnn, 14.25);
    setColors(m_ui.txtnn, QPalette::Base, QColor(), QPalette::Text, kBoundText);
    m_ui.txtnn->setReadOnly(true);
    m_ui.txtugrenze = field("txtugrenze", layout::txtugrenze, Field::txtugrenze, 14.25);
    setColors(m_ui.txtugrenze, QPalette::Base, QColor(), QPalette::Text, kBoundText);
    m_ui.txtugrenze->setReadOnly(true);
    for (QPushButton *stepper :
         {m_ui.Command4, m_ui.Command5, m_ui.Command6, m_ui.Command7, m_ui.Command8, m_ui.Command9})
        stepper->raise();
}

void Form1::createCheckBoxes()
{
    QWidget *panel = m_ui.pisSteuerung;
    const QPoint inner = panelOrigin();
    auto checkBox = [&](const char *name, QRect rect, const char *caption, CheckBox opening) {
        auto *box = named(new QCheckBox(QString::fromUtf8(caption), panel), name);
        box->setGeometry(rect.translated(inner));
        box->setAutoFillBackground(true);
        box->setBackgroundRole(QPalette::Window);
        setColors(box, QPalette::Window, kPanelBackground);
        box->setChecked(openingCheck(opening) == 1);
        return box;
    };
    m_ui.chkTeiler = checkBox("chkTeiler", layout::chkTeiler, "nicht S/Q", CheckBox::chkTeiler);
    m_ui.chkzugross = checkBox("chkzugross", layout::chkzugross, "Q < S", CheckBox::chkzugross);
    m_ui.chkNichttrivial =
        checkBox("chkNichttrivial", layout::chkNichttrivial, "Q > 1", CheckBox::chkNichttrivial);
}

void Form1::orderTabs()
{
    const QWidget *order[] = {
        m_ui.pisSteuerung, m_ui.txtugrenze, m_ui.txtnn,         m_ui.txtSystem,
        m_ui.Command4,     m_ui.Command5,   m_ui.Command6,      m_ui.Command7,
        m_ui.Command8,     m_ui.Command9,   m_ui.txtHilfe,      m_ui.chkNichttrivial,
        m_ui.chkzugross,   m_ui.chkTeiler,  m_ui.txtEinzelfall, m_ui.txtErgebnis,
        m_ui.Command1,     m_ui.Command3,   m_ui.Command2,      m_ui.cmdEinzelfall};
    for (std::size_t k = 1; k < std::size(order); ++k)
        QWidget::setTabOrder(const_cast<QWidget *>(order[k - 1]), const_cast<QWidget *>(order[k]));
}

} // namespace kz
