#include "atlas/listmodel.h"

#include "atlas/numbertext.h"
#include "atlas/tablecopy.h"
#include "atlas/worker.h"

#include <algorithm>
#include <array>

namespace kz::atlas {

ListModel::ListModel(QObject *parent) : QAbstractTableModel(parent), m_worker(new Worker(this))
{
    connect(m_worker, &Worker::finished, this, [this](bool completed) {
        m_fetching = false;
        m_stopped = !completed;
    });
}

ListModel::~ListModel()
{
    m_worker->cancelAndJoin();
}

void ListModel::list(int base, Range lengths)
{
    m_worker->cancel();
    beginResetModel();
    m_base = base;
    m_lengths = lengths;
    m_source = std::make_shared<ListSource>(base, lengths);
    m_blocks.clear();
    m_blockStart.clear();
    m_rows = 0;
    m_atEnd = false;
    m_refusal.clear();
    m_fetching = false;
    m_stopped = false;
    m_texts.clear();
    endResetModel();
    fetchMore({});
}

bool ListModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_atEnd && !m_fetching && !m_stopped;
}

void ListModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    m_fetching = true;
    const std::size_t rows = m_rows == 0 ? kFirstPageRows : kPageRows;
    m_worker->start([this, source = m_source, rows](Worker::Job &job) {
        // Only the cancel flag: the listing reports its share after every Kehrzahl.
        const kehr::Watch watch{nullptr, job.watch().cancel};
        Page page = source->next(rows, kPageDigits, watch);
        if (!job.cancelled())
            job.post([this, page = std::move(page)]() mutable { receive(std::move(page)); });
    });
}

void ListModel::receive(Page page)
{
    std::size_t count = 0;
    for (const RowBlock &b : page.blocks)
        count += b.rows();
    if (count > 0) {
        beginInsertRows({}, m_rows, m_rows + int(count) - 1);
        // Each page keeps its own blocks: appending to one growing array would copy it, and
        // hold it twice, whenever it grows.
        for (RowBlock &b : page.blocks) {
            m_blockStart.push_back(m_rows);
            m_rows += int(b.rows());
            b.digits.shrink_to_fit(); // a page is small; a million rows are not
            b.quotients.shrink_to_fit();
            m_blocks.push_back(std::move(b));
        }
        endInsertRows();
    }
    m_atEnd = page.atEnd;
    m_refusal = page.refusal;
    emit pageArrived(int(count));
}

ListedKehrzahl ListModel::kehrzahlAt(int row) const
{
    const auto block = std::upper_bound(m_blockStart.begin(), m_blockStart.end(), row) - 1;
    const std::size_t b = std::size_t(block - m_blockStart.begin());
    ListedKehrzahl k;
    m_blocks[b].digitsOf(std::size_t(row - *block), k.digits);
    k.quotient = m_blocks[b].quotients[std::size_t(row - *block)];
    return k;
}

std::size_t ListModel::rowBytes() const
{
    std::size_t bytes = 0;
    for (const RowBlock &b : m_blocks)
        bytes += b.bytes();
    return bytes;
}

const ListModel::RowTexts &ListModel::textsOf(int row) const
{
    if (const RowTexts *cached = m_texts.object(row))
        return *cached;
    auto *texts = new RowTexts;
    const ListedKehrzahl k = kehrzahlAt(row);
    const kehr::Values v = kehr::valuesOf(m_base, k.view());
    texts->n = v.n.get_str();
    texts->m = v.m.get_str();
    texts->q = std::to_string(k.quotient);
    texts->digits = k.digits;
    texts->quotient = k.quotient;
    m_texts.insert(row, texts);
    return *texts;
}

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != kWholeTextRole)
        return {};
    const RowTexts &t = textsOf(index.row());
    const std::array<std::int32_t, 1> q{t.quotient}; // Q < S: one digit
    const bool shortened = role == Qt::DisplayRole;
    QString whole;
    switch (Column(index.column())) {
    case N:
    case M:
    case Q: {
        const std::string &number = index.column() == N ? t.n : index.column() == M ? t.m : t.q;
        if (shortened)
            return shortenedNumber(number);
        whole = QString::fromStdString(number);
        break;
    }
    case NDigits:
    case MDigits: {
        // m's digits are n's read backwards.
        const bool mostFirst = index.column() == NDigits;
        if (shortened)
            return shortenedSequence(t.digits, mostFirst);
        whole = QString::fromStdString(digitSequence(t.digits, mostFirst));
        break;
    }
    case QDigits:
    case ColumnCount:
        whole = QString::fromStdString(digitSequence(q));
        if (shortened)
            return whole;
        break;
    }
    if (role == kWholeTextRole)
        return whole;
    return whole.size() > kWholeInCell ? wrappedForToolTip(whole) : QVariant();
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[] = {
        "n", "m = n / Q", "Q", "n zur Basis S", "m zur Basis S", "Q zur Basis S"};
    static const char *const tips[] = {
        "Die Kehrzahl n im Zehnersystem",
        "Ihre Spiegelzahl m im Zehnersystem: n rückwärts gelesen, n = Q · m",
        "Der Quotient Q = n / m",
        "Die Ziffern von n zur Basis S, die höchste zuerst",
        "Die Ziffern von m zur Basis S: die von n rückwärts",
        "Q zur Basis S: eine Ziffer, da Q kleiner als S ist"};
    if (section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(titles[section]);
    if (role == Qt::ToolTipRole)
        return QString::fromUtf8(tips[section]);
    return {};
}

} // namespace kz::atlas
