// The Multiplikatoren view: for a range of bases, each base with its quotients Q, and for each Q
// the length of its shortest Kehrzahlen and the smallest of them. Bases are added to the tree as
// the worker finishes them.
#pragma once

#include "atlas/inputs.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTreeView;

namespace kz::atlas {

class ProgressPanel;
class Worker;

// What the view shows of one Q of a base.
struct MultiplierRow {
    int quotient = 0;
    std::uint64_t shortestLength = 0;
    std::vector<std::int32_t> smallest; // digits of the smallest Kehrzahl, least significant first
    std::string smallestN, smallestM;   // in decimal
};

class MultiplierView : public QWidget {
    Q_OBJECT
  public:
    static constexpr char kDefaultBases[] = "2-100";

    explicit MultiplierView(QWidget *parent = nullptr);
    ~MultiplierView() override;

    // Reads the bases field and computes, unless it is refused (then the note says why and the
    // tree keeps what it shows).
    void compute();

    QLineEdit *basesField() const { return m_bases; }
    QLabel *note() const { return m_note; }
    QStandardItemModel *model() const { return m_model; }
    QTreeView *tree() const { return m_tree; }
    Worker *worker() const { return m_worker; }

  signals:
    void computed();

  private:
    void addBase(int base, const std::vector<MultiplierRow> &rows);

    QLineEdit *m_bases;
    QLabel *m_note;
    QStandardItemModel *m_model;
    QTreeView *m_tree;
    Worker *m_worker;
    ProgressPanel *m_progress;
};

} // namespace kz::atlas
