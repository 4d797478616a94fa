#include "atlas/countview.h"

#include "atlas/countchart.h"
#include "atlas/countmodel.h"
#include "atlas/progresspanel.h"
#include "atlas/tablecopy.h"
#include "atlas/worker.h"

#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <thread>

namespace kz::atlas {

namespace {

// Rows travel to the window in batches, the first at once, then at most this often.
constexpr auto kBatchEvery = std::chrono::milliseconds(40);
// The chart is drawn anew at most this often while rows arrive.
constexpr int kChartEveryMs = 250;
// The chart follows the rows by this much: the table is painted first, and the chart is drawn
// once for all rows that arrive meanwhile.
constexpr int kChartAfterMs = 60;

} // namespace

CountView::CountView(QWidget *parent)
    : QWidget(parent), m_model(new CountModel(this)), m_table(new QTableView(this)),
      m_chart(new CountChart(this)), m_worker(new Worker(this)),
      m_progress(new ProgressPanel(m_worker, QStringLiteral("Zählen"), this)),
      m_status(new QLabel(this))
{
    m_table->setModel(m_model);
    m_table->setObjectName(QStringLiteral("anzahlTabelle"));
    m_table->setAccessibleName(QStringLiteral("Anzahl der Kehrzahlen je Stellenzahl"));
    m_table->setToolTip(QStringLiteral(
        "Je Stellenzahl D: wie viele Kehrzahlen es gibt, zusammen und je Q. Lange Zahlen sind "
        "gekürzt; ganz stehen sie im Tooltip der Zelle und beim Kopieren (Strg+C)"));
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setDefaultSectionSize(110);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setAlternatingRowColors(true);
    enableCopy(m_table);
    m_status->setAccessibleName(QStringLiteral("Stand der Zählung"));
    m_status->setToolTip(QStringLiteral("Was die Tabelle zeigt"));

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_table);
    split->addWidget(m_chart);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({560, 560});
    auto *column = new QVBoxLayout(this);
    column->addWidget(split, 1);
    column->addWidget(m_status);
    column->addWidget(m_progress);

    connect(m_worker, &Worker::finished, this, [this](bool completed) {
        redrawChartSoon();
        if (completed) {
            emit countsComplete();
        } else {
            m_status->setText(m_status->text() + QStringLiteral(" – abgebrochen"));
        }
    });
}

CountView::~CountView()
{
    m_worker->cancelAndJoin();
}

void CountView::count(int base, Range lengths)
{
    m_status->setText(QStringLiteral("Basis %1, Stellen %2").arg(base).arg(rangeText(lengths)));
    m_worker->start([this, base, lengths](Worker::Job &job) {
        const auto found = quotientsOf(base, job.watch());
        if (!found)
            return;
        const std::vector<int> &quotients = *found;
        job.post([this, base, quotients] {
            m_model->reset(base, quotients);
            m_chart->showCounts(*m_model);
        });
        std::vector<kehr::Count> batch;
        auto last = std::chrono::steady_clock::time_point{};
        auto send = [&] {
            job.post([this, rows = std::move(batch)]() mutable {
                m_model->append(std::move(rows));
                redrawChartSoon();
            });
            batch.clear();
            last = std::chrono::steady_clock::now();
        };
        kehr::countKehrzahlen(
            base, lengths.first, lengths.last,
            [&](const kehr::Count &c) {
                batch.push_back(c);
                if (std::chrono::steady_clock::now() - last >= kBatchEvery)
                    send();
                return true;
            },
            job.watch(), std::max(1u, std::thread::hardware_concurrency()));
        if (!batch.empty() && !job.cancelled())
            send();
    });
}

void CountView::redrawChartSoon()
{
    if (m_chartDue)
        return;
    m_chartDue = true;
    const int wait = m_sinceChart.isValid() && m_sinceChart.elapsed() < kChartEveryMs
                         ? std::max(kChartAfterMs, kChartEveryMs - int(m_sinceChart.elapsed()))
                         : kChartAfterMs;
    QTimer::singleShot(wait, this, [this] {
        m_chartDue = false;
        m_sinceChart.start();
        m_chart->showCounts(*m_model);
    });
}

} // namespace kz::atlas
