#include "window/form1.h"

#include "resources/pictures.h"
#include "window/drawing.h"
#include "window/helptexts.h"
#include "window/layout.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
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

// A thin single line instead of the sunken edge the other text boxes have.
const char kFlatBorder[] = "QLineEdit { border: 1px solid palette(window-text); }";

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
    : QMainWindow(parent), m_window(m_ui, this, [this] { endProgram(); }), m_engine(m_window)
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
    setColors(helpLine, QPalette::Base, Qt::white, QPalette::Text, kHelpText);
    helpLine->setAlignment(Qt::AlignCenter);
    helpLine->setStyleSheet(QString::fromLatin1(kFlatBorder));
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
    auto field = [&](const char *name, QRect rect, const char *text, qreal points) {
        auto *edit = named(new QLineEdit(QString::fromLatin1(text), panel), name);
        edit->setGeometry(rect.translated(inner));
        edit->setFont(timesNewRoman(points));
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(std::numeric_limits<int>::max());
        return edit;
    };
    m_ui.txtEinzelfall = field("txtEinzelfall", layout::txtEinzelfall, "9801", 15.75);
    setColors(m_ui.txtEinzelfall, QPalette::Base, kListBackground);
    m_ui.txtEinzelfall->setStyleSheet(QString::fromLatin1(kFlatBorder));
    m_ui.txtEinzelfall->setToolTip(QStringLiteral("Zahl eingeben"));

    m_ui.txtSystem = field("txtSystem", layout::txtSystem, "10", 14.25);
    setColors(m_ui.txtSystem, QPalette::Base, QColor(), QPalette::Text, kBaseText);
    // The bounds change only through their steppers; they still take the focus.
    m_ui.txtnn = field("txtnn", layout::txtnn, "100000", 14.25);
    setColors(m_ui.txtnn, QPalette::Base, QColor(), QPalette::Text, kBoundText);
    m_ui.txtnn->setReadOnly(true);
    m_ui.txtugrenze = field("txtugrenze", layout::txtugrenze, "1", 14.25);
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
    auto checkBox = [&](const char *name, QRect rect, const char *caption, bool ticked) {
        auto *box = named(new QCheckBox(QString::fromUtf8(caption), panel), name);
        box->setGeometry(rect.translated(inner));
        box->setAutoFillBackground(true);
        box->setBackgroundRole(QPalette::Window);
        setColors(box, QPalette::Window, kPanelBackground);
        box->setChecked(ticked);
        return box;
    };
    m_ui.chkTeiler = checkBox("chkTeiler", layout::chkTeiler, "nicht S/Q", true);
    m_ui.chkzugross = checkBox("chkzugross", layout::chkzugross, "Q < S", false);
    m_ui.chkNichttrivial = checkBox("chkNichttrivial", layout::chkNichttrivial, "Q > 1", true);
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

void Form1::connectHandlers()
{
    const std::pair<QPushButton *, Handler> clicks[] = {
        {m_ui.Command1, &Form1::Command1_Click}, {m_ui.Command2, &Form1::Command2_Click},
        {m_ui.Command3, &Form1::Command3_Click}, {m_ui.Command4, &Form1::Command4_Click},
        {m_ui.Command5, &Form1::Command5_Click}, {m_ui.Command6, &Form1::Command6_Click},
        {m_ui.Command7, &Form1::Command7_Click}, {m_ui.Command8, &Form1::Command8_Click},
        {m_ui.Command9, &Form1::Command9_Click}, {m_ui.cmdEinzelfall, &Form1::cmdEinzelfall_Click},
    };
    for (const auto &[button, handler] : clicks)
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { (this->*handler)(); });
    connect(m_ui.cmdEnde, &QAction::triggered, this, &Form1::cmdEnde_Click);
    connect(m_ui.cmdInfo, &QAction::triggered, this, &Form1::cmdInfo_Click);

    watchMouse(centralWidget(), &Form1::Form_MouseMove);
    watchMouse(m_ui.pisSteuerung, &Form1::pisSteuerung_MouseMove);
    watchMouse(m_ui.Command1, &Form1::Command1_MouseMove);
    watchMouse(m_ui.Command2, &Form1::Command2_MouseMove);
    watchMouse(m_ui.Command3, &Form1::Command3_MouseMove);
    watchMouse(m_ui.cmdEinzelfall, &Form1::cmdEinzelfall_MouseMove);
    watchMouse(m_ui.chkNichttrivial, &Form1::chkNichttrivial_MouseMove);
    watchMouse(m_ui.chkTeiler, &Form1::chkTeiler_MouseMove);
    watchMouse(m_ui.chkzugross, &Form1::chkzugross_MouseMove);
    watchMouse(m_ui.txtSystem, &Form1::txtSystem_MouseMove);
    watchMouse(m_ui.txtnn, &Form1::txtnn_MouseMove);
    watchMouse(m_ui.txtugrenze, &Form1::txtugrenze_MouseMove);
    watchMouse(m_ui.txtEinzelfall, &Form1::txtEinzelfall_MouseMove);
    watchMouse(m_ui.txtErgebnis->viewport(), &Form1::txtErgebnis_MouseMove);
    watchMouse(m_ui.Image1, &Form1::Image1_MouseMove);
    watchMouse(m_ui.Image2, &Form1::Image2_MouseMove);
    // Over these the help line keeps its last text.
    for (QWidget *widget :
         {static_cast<QWidget *>(m_ui.txtErgebnis), static_cast<QWidget *>(m_ui.txtHilfe),
          static_cast<QWidget *>(m_ui.Command4), static_cast<QWidget *>(m_ui.Command5),
          static_cast<QWidget *>(m_ui.Command6), static_cast<QWidget *>(m_ui.Command7),
          static_cast<QWidget *>(m_ui.Command8), static_cast<QWidget *>(m_ui.Command9)})
        keepHelpOver(widget);
}

void Form1::watchMouse(QWidget *widget, Handler handler)
{
    widget->setMouseTracking(true);
    keepHelpOver(widget);
    widget->installEventFilter(this);
    m_mouseMoveHandlers.insert(widget, handler);
}

void Form1::keepHelpOver(QWidget *widget)
{
    // A move over a control never reaches the panel or window behind it.
    widget->setAttribute(Qt::WA_NoMousePropagation);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (const Handler handler = m_mouseMoveHandlers.value(watched))
            (this->*handler)();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The frame's close box quits like the menu command: a running search stops with the window.
    if (!hasEnded())
        cmdEnde_Click();
    event->accept();
}

void Form1::endProgram()
{
    hide();
    emit programEnded();
}

} // namespace kz
