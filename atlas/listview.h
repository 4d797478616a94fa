// The Liste view: the virtual table of every Kehrzahl of the lengths A..B, "Speichern …" for the
// whole list as result-list entries, and copying of the selected rows. Selecting a row hands its
// Kehrzahl on, for the graph to show its walk.
#pragma once

#include "atlas/inputs.h"

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace kz::atlas {

class ListModel;
struct ListedKehrzahl;
class ProgressPanel;
class Worker;

class ListView : public QWidget {
    Q_OBJECT
  public:
    explicit ListView(QWidget *parent = nullptr);
    ~ListView() override;

    void list(int base, Range lengths);
    // Writes the whole list of the values shown to path, as the command line writes it; the file
    // appears only once it is complete.
    void saveTo(const QString &path);

    ListModel *model() const { return m_model; }
    QTableView *table() const { return m_table; }
    QPushButton *saveButton() const { return m_save; }
    Worker *saveWorker() const { return m_saver; }
    ProgressPanel *listProgress() const { return m_listProgress; }
    ProgressPanel *saveProgress() const { return m_saveProgress; }
    QLabel *status() const { return m_status; }

  signals:
    void kehrzahlSelected(int base, const kz::atlas::ListedKehrzahl &kehrzahl);
    // "Speichern" has ended: saved is false when it was cancelled or failed.
    void saveEnded(bool saved);

  private:
    void askWhereToSave();
    void updateStatus();

    ListModel *m_model;
    QTableView *m_table;
    QPushButton *m_save;
    QLabel *m_status;
    Worker *m_saver;
    ProgressPanel *m_listProgress;
    ProgressPanel *m_saveProgress;
    QString m_saveNote;
};

} // namespace kz::atlas
