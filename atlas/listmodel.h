// The Liste: every Kehrzahl of the lengths A..B in increasing order, as a virtual table. Rows are
// fetched a page at a time by a worker that keeps the listing between pages, when the view asks
// for more (canFetchMore/fetchMore); they are kept compactly (atlas/listsource.h), and n, m and
// the digit sequences are written only when a cell is painted.
#pragma once

#include "atlas/inputs.h"
#include "atlas/listsource.h"

#include <QAbstractTableModel>
#include <QCache>

#include <memory>
#include <vector>

namespace kz::atlas {

class Worker;

// One listed Kehrzahl, its digits owned.
struct ListedKehrzahl {
    std::vector<std::int32_t> digits; // of n, least significant first
    int quotient = 0;
    kehr::Kehrzahl view() const { return {digits, quotient}; }
};

class ListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { N, M, Q, NDigits, MDigits, QDigits, ColumnCount };
    // The first page is small so that the first rows come at once; later pages are larger.
    static constexpr std::size_t kFirstPageRows = 100;
    static constexpr std::size_t kPageRows = 4000;
    // No page holds more digits than this, however long the numbers are.
    static constexpr std::size_t kPageDigits = 1 << 22;

    explicit ListModel(QObject *parent = nullptr);
    ~ListModel() override;

    // Lists anew; the page being fetched for older values is dropped.
    void list(int base, Range lengths);
    int base() const { return m_base; }
    Range lengths() const { return m_lengths; }
    ListedKehrzahl kehrzahlAt(int row) const;
    bool atEnd() const { return m_atEnd; }
    const QString &refusal() const { return m_refusal; } // why the list ended early, if it did
    bool fetching() const { return m_fetching; }
    // Memory held by the rows, in bytes.
    std::size_t rowBytes() const;
    Worker *worker() const { return m_worker; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

  signals:
    // A page has arrived (rows may be 0 at the end of the list).
    void pageArrived(int rows);

  private:
    struct RowTexts {
        std::string n, m, q; // decimal, whole
        std::vector<std::int32_t> digits;
        int quotient = 0;
    };
    const RowTexts &textsOf(int row) const;
    void receive(Page page);

    Worker *m_worker;
    int m_base = 10;
    Range m_lengths{1, 1};
    std::shared_ptr<ListSource> m_source;
    std::vector<RowBlock> m_blocks;
    std::vector<int> m_blockStart; // the first row of each block
    int m_rows = 0;
    bool m_atEnd = true;
    QString m_refusal;
    bool m_fetching = false;
    bool m_stopped = false; // cancelled: fetch no more until the next list
    mutable QCache<int, RowTexts> m_texts{512};
};

} // namespace kz::atlas
