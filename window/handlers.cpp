// Form1's event handlers: clicks hand over to the engine, mouse moves set the help line.
#include "window/form1.h"

#include "window/helptexts.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace kz {

void Form1::Form_Load()
{
    Command1_Click();
    m_ui.txtErgebnis->moveCursor(QTextCursor::Start);
    m_ui.txtErgebnis->verticalScrollBar()->setValue(0);
}

void Form1::runEngine(void (Engine::*handler)())
{
    (m_engine.*handler)();
    m_window.flushResults();
}

void Form1::Command1_Click()
{
    runEngine(&Engine::Command1_Click);
}
void Form1::Command2_Click()
{
    runEngine(&Engine::Command2_Click);
}
void Form1::Command3_Click()
{
    runEngine(&Engine::Command3_Click);
}
void Form1::Command4_Click()
{
    runEngine(&Engine::Command4_Click);
}
void Form1::Command5_Click()
{
    runEngine(&Engine::Command5_Click);
}
void Form1::Command6_Click()
{
    runEngine(&Engine::Command6_Click);
}
void Form1::Command7_Click()
{
    runEngine(&Engine::Command7_Click);
}
void Form1::Command8_Click()
{
    runEngine(&Engine::Command8_Click);
}
void Form1::Command9_Click()
{
    runEngine(&Engine::Command9_Click);
}
void Form1::cmdEinzelfall_Click()
{
    runEngine(&Engine::cmdEinzelfall_Click);
}
void Form1::cmdEnde_Click()
{
    runEngine(&Engine::cmdEnde_Click);
}

void Form1::cmdInfo_Click()
{
    m_window.showMessage("Tobrecht Wendlmayr\r\nAkademie Zarnitz", "Programmiert von",
                         MessageIcon::Information);
}

void Form1::showHelp(const char *text)
{
    m_ui.txtHilfe->setText(QString::fromUtf8(text));
}

void Form1::Form_MouseMove()
{
    showHelp(help::Form1);
}
void Form1::pisSteuerung_MouseMove()
{
    showHelp(help::pisSteuerung);
}
void Form1::Command1_MouseMove()
{
    showHelp(help::Command1);
}
void Form1::Command2_MouseMove()
{
    showHelp(help::Command2);
}
void Form1::Command3_MouseMove()
{
    showHelp(help::Command3);
}
void Form1::cmdEinzelfall_MouseMove()
{
    showHelp(help::cmdEinzelfall);
}
void Form1::chkNichttrivial_MouseMove()
{
    showHelp(help::chkNichttrivial);
}
void Form1::chkTeiler_MouseMove()
{
    showHelp(help::chkTeiler);
}
void Form1::chkzugross_MouseMove()
{
    showHelp(help::chkzugross);
}
void Form1::txtSystem_MouseMove()
{
    showHelp(help::txtSystem);
}
void Form1::txtnn_MouseMove()
{
    showHelp(help::txtnn);
}
void Form1::txtugrenze_MouseMove()
{
    showHelp(help::txtugrenze);
}
void Form1::txtEinzelfall_MouseMove()
{
    showHelp(help::txtEinzelfall);
}
void Form1::txtErgebnis_MouseMove()
{
    showHelp(help::txtErgebnis);
}
void Form1::Image1_MouseMove()
{
    showHelp(help::Image1);
}
void Form1::Image2_MouseMove()
{
    showHelp(help::Image2);
}

} // namespace kz
