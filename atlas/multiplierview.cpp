#include "atlas/multiplierview.h"

#include "atlas/notedfield.h"
#include "atlas/numbertext.h"
#include "atlas/progresspanel.h"
#include "atlas/tablecopy.h"
#include "atlas/worker.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace kz::atlas {

namespace {

QStandardItem *cell(const QString &shown, const QString &whole = {})
{
    auto *item = new QStandardItem(shown);
    item->setEditable(false);
    item->setData(whole.isEmpty() ? shown : whole, kWholeTextRole);
    if (!whole.isEmpty() && whole != shown)
        item->setToolTip(wrappedForToolTip(whole));
    return item;
}

} // namespace

MultiplierView::MultiplierView(QWidget *parent)
    : QWidget(parent), m_bases(new QLineEdit(QString::fromLatin1(kDefaultBases), this)),
      m_note(new QLabel(this)), m_model(new QStandardItemModel(this)), m_tree(new QTreeView(this)),
      m_worker(new Worker(this)),
      m_progress(new ProgressPanel(m_worker, QStringLiteral("Berechnen"), this))
{
    m_model->setHorizontalHeaderLabels(
        {QStringLiteral("Basis S / Q"), QStringLiteral("kürzeste Stellenzahl"),
         QStringLiteral("kleinste Kehrzahl n"), QStringLiteral("m = n / Q"),
         QStringLiteral("n zur Basis S")});
    m_tree->setModel(m_model);
    m_tree->setObjectName(QStringLiteral("multiplikatoren"));
    m_tree->setAccessibleName(QStringLiteral("Kehrmultiplikatoren je Basis"));
    m_tree->setToolTip(QStringLiteral(
        "Jede Basis mit ihren Quotienten Q; zu jedem Q die kürzeste Stellenzahl und die kleinste "
        "Kehrzahl"));
    m_tree->setUniformRowHeights(true);
    m_tree->setAlternatingRowColors(true);
    m_tree->header()->setDefaultSectionSize(170);
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    enableCopy(m_tree);

    auto *field = notedField(QStringLiteral("Basen:"), m_bases, m_note,
                             QStringLiteral("Basen, deren Kehrmultiplikatoren gezeigt werden: eine "
                                            "Basis S oder ein Bereich A-B"),
                             this);
    auto *column = new QVBoxLayout(this);
    column->addLayout(field);
    column->addWidget(m_tree, 1);
    column->addWidget(m_progress);

    connect(m_bases, &QLineEdit::returnPressed, this, &MultiplierView::compute);
    connect(m_worker, &Worker::finished, this, [this](bool completed) {
        if (completed)
            emit computed();
    });
}

MultiplierView::~MultiplierView()
{
    m_worker->cancelAndJoin();
}

void MultiplierView::compute()
{
    const Reading<Range> bases = readBases(m_bases->text());
    m_note->setText(bases.note);
    if (!bases.value)
        return;
    m_model->removeRows(0, m_model->rowCount());
    const int first = int(bases.value->first), last = int(bases.value->last);
    m_worker->start([this, first, last](Worker::Job &job) {
        kehr::kehrmultiplikatorenOfBases(
            first, last,
            [&](int base, const std::vector<kehr::Multiplier> &found) {
                std::vector<MultiplierRow> rows;
                for (const kehr::Multiplier &m : found) {
                    auto smallest = kehr::smallestKehrzahl(base, m.quotient, job.watch());
                    if (!smallest)
                        return false;
                    const kehr::Values v = kehr::valuesOf(base, {*smallest, m.quotient});
                    rows.push_back({m.quotient, m.shortestLength, std::move(*smallest),
                                    v.n.get_str(), v.m.get_str()});
                }
                job.post([this, base, rows = std::move(rows)] { addBase(base, rows); });
                return !job.cancelled();
            },
            job.watch());
    });
}

void MultiplierView::addBase(int base, const std::vector<MultiplierRow> &rows)
{
    auto *top = cell(QString::number(base));
    const QString count = rows.empty()       ? QStringLiteral("keine Kehrzahlen")
                          : rows.size() == 1 ? QStringLiteral("1 Quotient")
                                             : QStringLiteral("%1 Quotienten").arg(rows.size());
    QList<QStandardItem *> line{top, cell(count), cell({}), cell({}), cell({})};
    for (const MultiplierRow &r : rows) {
        const QString n = QString::fromStdString(r.smallestN),
                      m = QString::fromStdString(r.smallestM);
        const QString digits = QString::fromStdString(digitSequence(r.smallest));
        top->appendRow(
            {cell(QStringLiteral("Q = %1").arg(r.quotient)),
             cell(QString::number(r.shortestLength)), cell(shortenedNumber(r.smallestN), n),
             cell(shortenedNumber(r.smallestM), m), cell(shortenedSequence(r.smallest), digits)});
    }
    m_model->appendRow(line);
}

} // namespace kz::atlas
