// Form1, the program's one window: the control panel, the result list, the help line and the
// menu bar, with a handler for every control event. The search itself lives in Engine, which
// reaches these widgets through QtWindowOperations.
#pragma once

#include "engine/engine.h"
#include "window/controls.h"
#include "window/qtwindowoperations.h"

#include <QHash>
#include <QMainWindow>

namespace kz {

class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    const Controls &controls() const { return m_ui; }
    Engine &engine() { return m_engine; }
    QtWindowOperations &windowOperations() { return m_window; }
    bool hasEnded() const { return m_window.hasEnded(); }

    // Runs the search over the default fields before the window is shown.
    void Form_Load();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void cmdEinzelfall_Click();
    void cmdInfo_Click();
    void cmdEnde_Click();

    void Form_MouseMove();
    void pisSteuerung_MouseMove();
    void Command1_MouseMove();
    void Command2_MouseMove();
    void Command3_MouseMove();
    void cmdEinzelfall_MouseMove();
    void chkNichttrivial_MouseMove();
    void chkTeiler_MouseMove();
    void chkzugross_MouseMove();
    void txtSystem_MouseMove();
    void txtnn_MouseMove();
    void txtugrenze_MouseMove();
    void txtEinzelfall_MouseMove();
    void txtErgebnis_MouseMove();
    void Image1_MouseMove();
    void Image2_MouseMove();

  signals:
    // The user quit: the window is hidden and no handler runs any more.
    void programEnded();

  protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    using Handler = void (Form1::*)();

    void createMenu();
    void createResultArea(QWidget *client);
    void createPanel(QWidget *client);
    QPoint panelOrigin() const;
    void createPictures();
    void createDecorations();
    void createButtons();
    void createFields();
    void createCheckBoxes();
    void orderTabs();
    void connectHandlers();
    void watchMouse(QWidget *widget, Handler handler);
    void keepHelpOver(QWidget *widget);
    void showHelp(const char *text);
    // Calls an engine handler and shows what it appended to the list.
    void runEngine(void (Engine::*handler)());
    void endProgram();

    Controls m_ui;
    QtWindowOperations m_window;
    Engine m_engine;
    QHash<const QObject *, Handler> m_mouseMoveHandlers;
};

} // namespace kz
