// A progress bar with an "Abbrechen" button for one worker, shown only once its job has run for
// half a second: short work never flashes a bar.
#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kz::atlas {

class Worker;

class ProgressPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kShowAfterMs = 500;

    // what: the work in a few words, written before the bar ("Zählen", "Speichern").
    ProgressPanel(Worker *worker, const QString &what, QWidget *parent = nullptr);

    QPushButton *cancelButton() const { return m_cancel; }
    QProgressBar *bar() const { return m_bar; }

  private:
    Worker *m_worker;
    QLabel *m_what;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    QTimer m_delay;
};

} // namespace kz::atlas
