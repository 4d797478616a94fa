// The Anzahl view: the table of counts per length and Q beside their chart, filled in by a worker
// as the library reports each length.
#pragma once

#include "atlas/inputs.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QTableView;

namespace kz::atlas {

class CountChart;
class CountModel;
class ProgressPanel;
class Worker;

class CountView : public QWidget {
    Q_OBJECT
  public:
    explicit CountView(QWidget *parent = nullptr);
    ~CountView() override;

    // Counts for base and lengths anew; the work running for older values is cancelled.
    void count(int base, Range lengths);

    CountModel *model() const { return m_model; }
    QTableView *table() const { return m_table; }
    CountChart *chart() const { return m_chart; }
    Worker *worker() const { return m_worker; }
    ProgressPanel *progress() const { return m_progress; }
    QLabel *status() const { return m_status; }

  signals:
    // Every row of the current values is in the table.
    void countsComplete();

  private:
    void redrawChartSoon();

    CountModel *m_model;
    QTableView *m_table;
    CountChart *m_chart;
    Worker *m_worker;
    ProgressPanel *m_progress;
    QLabel *m_status;
    QElapsedTimer m_sinceChart;
    bool m_chartDue = false;
};

} // namespace kz::atlas
