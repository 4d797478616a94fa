#include "atlas/listview.h"

#include "atlas/listmodel.h"
#include "atlas/progresspanel.h"
#include "atlas/tablecopy.h"
#include "atlas/worker.h"
#include "cli/kehrentry.h"
#include "engine/texts.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

namespace kz::atlas {

namespace {

// Entries are gathered and written in pieces of about this size.
constexpr std::size_t kWriteChunk = 1 << 20;

} // namespace

ListView::ListView(QWidget *parent)
    : QWidget(parent), m_model(new ListModel(this)), m_table(new QTableView(this)),
      m_save(new QPushButton(QStringLiteral("Speichern …"), this)), m_status(new QLabel(this)),
      m_saver(new Worker(this)),
      m_listProgress(new ProgressPanel(m_model->worker(), QStringLiteral("Auflisten"), this)),
      m_saveProgress(new ProgressPanel(m_saver, QStringLiteral("Speichern"), this))
{
    m_table->setObjectName(QStringLiteral("liste"));
    m_table->setModel(m_model);
    m_table->setAccessibleName(QStringLiteral("Liste der Kehrzahlen"));
    m_table->setToolTip(QStringLiteral(
        "Alle Kehrzahlen der gewählten Stellenzahlen, der Größe nach. Weitere Zeilen kommen beim "
        "Blättern; eine gewählte Zeile zeigt ihren Weg im Graphen; Strg+C kopiert die Zeilen"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    // Fixed row heights: the view never asks a million rows for their size.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setDefaultSectionSize(200);
    m_table->horizontalHeader()->resizeSection(ListModel::Q, 50);
    m_table->horizontalHeader()->resizeSection(ListModel::QDigits, 110);
    m_table->horizontalHeader()->setStretchLastSection(true);
    enableCopy(m_table);

    m_save->setAccessibleName(QStringLiteral("Liste speichern"));
    m_save->setToolTip(QStringLiteral(
        "Die ganze Liste in eine Datei schreiben, als Einträge der Ergebnisliste wie "
        "kehrzaehler-cli, am Ende \"fertig\""));
    m_status->setAccessibleName(QStringLiteral("Stand der Liste"));
    m_status->setToolTip(QStringLiteral("Wie viele Zeilen geholt sind"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_save);
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_table, 1);
    column->addLayout(bottom);
    column->addWidget(m_listProgress);
    column->addWidget(m_saveProgress);

    connect(m_save, &QPushButton::clicked, this, &ListView::askWhereToSave);
    connect(m_model, &ListModel::pageArrived, this, &ListView::updateStatus);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ListView::updateStatus);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    emit kehrzahlSelected(m_model->base(), m_model->kehrzahlAt(current.row()));
            });
    connect(m_saver, &Worker::finished, this, [this](bool completed) {
        if (!completed)
            m_saveNote = QStringLiteral("Speichern abgebrochen");
        updateStatus();
        if (!completed)
            emit saveEnded(false);
    });
}

ListView::~ListView()
{
    m_saver->cancelAndJoin();
}

void ListView::list(int base, Range lengths)
{
    m_saver->cancel();
    m_model->list(base, lengths);
}

void ListView::updateStatus()
{
    QString text = QStringLiteral("Basis %1, Stellen %2: %3 Kehrzahlen")
                       .arg(m_model->base())
                       .arg(rangeText(m_model->lengths()))
                       .arg(m_model->rowCount());
    if (!m_model->atEnd())
        text += QStringLiteral(" geholt, weitere beim Blättern");
    if (!m_model->refusal().isEmpty())
        text += QStringLiteral(" – ") + m_model->refusal();
    if (!m_saveNote.isEmpty())
        text += QStringLiteral(" – ") + m_saveNote;
    m_status->setText(text);
}

void ListView::askWhereToSave()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Liste speichern"),
                                     QStringLiteral("kehrzahlen-%1-%2.txt")
                                         .arg(m_model->base())
                                         .arg(rangeText(m_model->lengths())),
                                     QStringLiteral("Textdateien (*.txt);;Alle Dateien (*)"));
    if (!path.isEmpty())
        saveTo(path);
}

void ListView::saveTo(const QString &path)
{
    const int base = m_model->base();
    const Range lengths = m_model->lengths();
    m_saveNote = QStringLiteral("speichert …");
    updateStatus();
    m_saver->start([this, base, lengths, path](Worker::Job &job) {
        // QSaveFile writes to a temporary file and renames it on commit: a cancelled or failed
        // save leaves no half list behind.
        QSaveFile file(path);
        QString note;
        bool saved = false;
        std::size_t count = 0;
        if (!file.open(QIODevice::WriteOnly)) {
            note = QStringLiteral("Speichern fehlgeschlagen: ") + file.errorString();
        } else {
            std::string chunk;
            bool written = true;
            auto flush = [&] {
                written = written &&
                          file.write(chunk.data(), qint64(chunk.size())) == qint64(chunk.size());
                chunk.clear();
                return written;
            };
            const bool listed = kehr::listKehrzahlen(
                base, lengths.first, lengths.last,
                [&](const kehr::Kehrzahl &k) {
                    cli::appendKehrzahlEntry(chunk, base, k);
                    ++count;
                    return chunk.size() < kWriteChunk || flush();
                },
                job.watch());
            chunk += texts::kFertig;
            if (listed && flush() && file.commit()) {
                saved = true;
                note = QStringLiteral("%1 Kehrzahlen gespeichert in %2").arg(count).arg(path);
            } else if (!job.cancelled())
                note = QStringLiteral("Speichern fehlgeschlagen: ") + file.errorString();
            else
                file.cancelWriting();
        }
        if (job.cancelled())
            return;
        job.post([this, note, saved] {
            m_saveNote = note;
            updateStatus();
            emit saveEnded(saved);
        });
    });
}

} // namespace kz::atlas
