// The Anzahl table: one row per length D, with the number of Kehrzahlen in all and for each Q of
// the base. Rows are appended as the counting reports them; numbers stay exact (GMP) and are
// written out only when a cell is painted.
#pragma once

#include "kehrzahlen/kehrzahlen.h"

#include <QAbstractTableModel>
#include <QHash>

#include <vector>

namespace kz::atlas {

class CountModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kLengthColumn = 0;
    static constexpr int kTotalColumn = 1;
    static constexpr int kFirstQuotientColumn = 2;

    using QAbstractTableModel::QAbstractTableModel;

    // Empties the table and sets its columns: the base's quotients, increasing.
    void reset(int base, const std::vector<int> &quotients);
    void append(std::vector<kehr::Count> counts);

    int base() const { return m_base; }
    const std::vector<int> &quotients() const { return m_quotients; }
    const kehr::Count &countAt(int row) const { return m_rows[std::size_t(row)]; }
    // The count of Q (0: all) in row, exactly.
    mpz_class countOf(int row, int quotient) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    int m_base = 0;
    std::vector<int> m_quotients;
    QHash<int, int> m_columnOf; // Q to its column
    std::vector<kehr::Count> m_rows;
};

} // namespace kz::atlas
