// Form1, the program's one window: the control panel, the result list, the help line and the
// menu bar. A click hands over to the engine's handler of that control and a mouse move shows
// the control's help text, both wired from tables in handlers.cpp. The search itself lives in
// Engine, which reaches these widgets through QtWindowOperations.
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

  signals:
    // The user quit: the window is hidden and no handler runs any more.
    void programEnded();

  protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    using EngineHandler = void (Engine::*)();

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
    void showHelpOver(QWidget *widget, const char *text);
    void keepHelpOver(QWidget *widget);
    // Calls an engine handler and shows what it appended to the list.
    void runEngine(EngineHandler handler);
    void cmdInfo_Click();
    void endProgram();

    Controls m_ui;
    QtWindowOperations m_window;
    Engine m_engine;
    QHash<const QObject *, const char *> m_helpTexts;
};

} // namespace kz
