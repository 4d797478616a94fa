#include "atlas/progresspanel.h"

#include "atlas/worker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace kz::atlas {

ProgressPanel::ProgressPanel(Worker *worker, const QString &what, QWidget *parent)
    : QWidget(parent), m_worker(worker), m_what(new QLabel(what, this)),
      m_bar(new QProgressBar(this)), m_cancel(new QPushButton(QStringLiteral("Abbrechen"), this))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_what);
    row->addWidget(m_bar, 1);
    row->addWidget(m_cancel);
    m_bar->setAccessibleName(what + QStringLiteral(": Fortschritt"));
    m_bar->setToolTip(QStringLiteral("Wie weit die Arbeit ist"));
    m_cancel->setAccessibleName(what + QStringLiteral(" abbrechen"));
    m_cancel->setToolTip(
        QStringLiteral("Die laufende Arbeit abbrechen; das bisher Gezeigte bleibt"));
    hide();

    m_delay.setSingleShot(true);
    m_delay.setInterval(kShowAfterMs);
    connect(&m_delay, &QTimer::timeout, this, [this] {
        if (m_worker->busy())
            show();
    });
    connect(worker, &Worker::started, this, [this] {
        m_bar->setRange(0, 0); // busy until the first share arrives
        if (!isVisible())
            m_delay.start();
    });
    connect(worker, &Worker::progressed, this, [this](double share) {
        m_bar->setRange(0, 1000);
        m_bar->setValue(int(share * 1000));
    });
    connect(worker, &Worker::finished, this, [this] {
        m_delay.stop();
        hide();
    });
    connect(m_cancel, &QPushButton::clicked, worker, &Worker::cancel);
}

} // namespace kz::atlas
