#include "atlas/countmodel.h"

#include "atlas/numbertext.h"
#include "atlas/tablecopy.h"

namespace kz::atlas {

void CountModel::reset(int base, const std::vector<int> &quotients)
{
    beginResetModel();
    m_base = base;
    m_quotients = quotients;
    m_columnOf.clear();
    for (std::size_t i = 0; i < quotients.size(); ++i)
        m_columnOf.insert(quotients[i], kFirstQuotientColumn + int(i));
    m_rows.clear();
    endResetModel();
}

void CountModel::append(std::vector<kehr::Count> counts)
{
    if (counts.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(counts.size()) - 1);
    for (kehr::Count &c : counts)
        m_rows.push_back(std::move(c));
    endInsertRows();
}

mpz_class CountModel::countOf(int row, int quotient) const
{
    const kehr::Count &c = m_rows[std::size_t(row)];
    if (quotient == 0)
        return c.total;
    for (const auto &[q, n] : c.perQuotient) {
        if (q == quotient)
            return n;
    }
    return 0;
}

int CountModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CountModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kFirstQuotientColumn + int(m_quotients.size());
}

QVariant CountModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const kehr::Count &c = m_rows[std::size_t(index.row())];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != kWholeTextRole)
        return {};
    if (index.column() == kLengthColumn)
        return role == Qt::ToolTipRole ? QVariant() : QVariant(QString::number(c.length));
    const int quotient = index.column() == kTotalColumn
                             ? 0
                             : m_quotients[std::size_t(index.column() - kFirstQuotientColumn)];
    const std::string whole = countOf(index.row(), quotient).get_str();
    if (role == Qt::DisplayRole)
        return shortenedNumber(whole);
    if (role == Qt::ToolTipRole) {
        if (whole.size() <= std::size_t(kWholeInCell))
            return {};
        return QStringLiteral("%1 Stellen:\n").arg(whole.size()) +
               wrappedForToolTip(QString::fromStdString(whole));
    }
    return QString::fromStdString(whole);
}

QVariant CountModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) {
        if (section == kLengthColumn)
            return QStringLiteral("Stellen D");
        if (section == kTotalColumn)
            return QStringLiteral("Anzahl");
        return QStringLiteral("Q = %1").arg(
            m_quotients[std::size_t(section - kFirstQuotientColumn)]);
    }
    if (role == Qt::ToolTipRole) {
        if (section == kLengthColumn)
            return QStringLiteral("Die Stellenzahl D zur Basis S");
        if (section == kTotalColumn)
            return QStringLiteral("Wie viele Kehrzahlen mit D Stellen es gibt, alle Q zusammen");
        return QStringLiteral("Wie viele Kehrzahlen mit D Stellen den Quotienten Q = %1 haben")
            .arg(m_quotients[std::size_t(section - kFirstQuotientColumn)]);
    }
    return {};
}

} // namespace kz::atlas
