// Form1's wiring: which engine handler a click on each control runs and which help text the
// mouse over each control shows, and the handlers that belong to the window alone.
#include "window/form1.h"

#include "window/helptexts.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <utility>

namespace kz {

void Form1::connectHandlers()
{
    const std::pair<QPushButton *, EngineHandler> clicks[] = {
        {m_ui.Command1, &Engine::Command1_Click},
        {m_ui.Command2, &Engine::Command2_Click},
        {m_ui.Command3, &Engine::Command3_Click},
        {m_ui.Command4, &Engine::Command4_Click},
        {m_ui.Command5, &Engine::Command5_Click},
        {m_ui.Command6, &Engine::Command6_Click},
        {m_ui.Command7, &Engine::Command7_Click},
        {m_ui.Command8, &Engine::Command8_Click},
        {m_ui.Command9, &Engine::Command9_Click},
        {m_ui.cmdEinzelfall, &Engine::cmdEinzelfall_Click},
    };
    for (const auto &[button, handler] : clicks)
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { runEngine(handler); });
    connect(m_ui.cmdEnde, &QAction::triggered, this, [this] { runEngine(&Engine::cmdEnde_Click); });
    connect(m_ui.cmdInfo, &QAction::triggered, this, &Form1::cmdInfo_Click);

    const std::pair<QWidget *, const char *> helpTexts[] = {
        {centralWidget(), help::Form1},
        {m_ui.pisSteuerung, help::pisSteuerung},
        {m_ui.Command1, help::Command1},
        {m_ui.Command2, help::Command2},
        {m_ui.Command3, help::Command3},
        {m_ui.cmdEinzelfall, help::cmdEinzelfall},
        {m_ui.chkNichttrivial, help::chkNichttrivial},
        {m_ui.chkTeiler, help::chkTeiler},
        {m_ui.chkzugross, help::chkzugross},
        {m_ui.txtSystem, help::txtSystem},
        {m_ui.txtnn, help::txtnn},
        {m_ui.txtugrenze, help::txtugrenze},
        {m_ui.txtEinzelfall, help::txtEinzelfall},
        {m_ui.txtErgebnis->viewport(), help::txtErgebnis},
        {m_ui.Image1, help::Image1},
        {m_ui.Image2, help::Image2},
    };
    for (const auto &[widget, text] : helpTexts)
        showHelpOver(widget, text);
    // Over these the help line keeps its last text.
    for (QWidget *widget : std::initializer_list<QWidget *>{
             m_ui.txtErgebnis, m_ui.txtHilfe, m_ui.Command4, m_ui.Command5, m_ui.Command6,
             m_ui.Command7, m_ui.Command8, m_ui.Command9})
        keepHelpOver(widget);
}

void Form1::showHelpOver(QWidget *widget, const char *text)
{
    widget->setMouseTracking(true);
    keepHelpOver(widget);
    widget->installEventFilter(this);
    m_helpTexts.insert(widget, text);
}

void Form1::keepHelpOver(QWidget *widget)
{
    // A move over a control never reaches the panel or window behind it.
    widget->setAttribute(Qt::WA_NoMousePropagation);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (const char *text = m_helpTexts.value(watched))
            m_ui.txtHilfe->setText(QString::fromUtf8(text));
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::runEngine(EngineHandler handler)
{
    (m_engine.*handler)();
    m_window.flushResults();
}

void Form1::Form_Load()
{
    runEngine(&Engine::Command1_Click);
    m_ui.txtErgebnis->moveCursor(QTextCursor::Start);
    m_ui.txtErgebnis->verticalScrollBar()->setValue(0);
}

void Form1::cmdInfo_Click()
{
    m_window.showMessage("Tobrecht Wendlmayr\r\nAkademie Zarnitz", "Programmiert von",
                         MessageIcon::Information);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The frame's close box quits like the menu command: a running search stops with the window.
    if (!hasEnded())
        runEngine(&Engine::cmdEnde_Click);
    event->accept();
}

void Form1::endProgram()
{
    hide();
    emit programEnded();
}

} // namespace kz
