#include "atlas/graphview.h"

#include "atlas/graphscene.h"
#include "atlas/inputs.h"
#include "atlas/notedfield.h"
#include "atlas/numbertext.h"
#include "atlas/progresspanel.h"
#include "atlas/worker.h"
#include "atlas/zoomview.h"
#include "cli/graphdot.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string_view>

namespace kz::atlas {

namespace {

// Steps named in the walk's line under the graph; a longer walk is cut short there.
constexpr std::size_t kStepsInText = 12;

QString titleOf(int base, int quotient, const std::vector<std::int32_t> &smallest)
{
    QString title = QStringLiteral("Basis S = %1, Q = %2").arg(base).arg(quotient);
    if (smallest.empty())
        return title;
    const kehr::Values v = kehr::valuesOf(base, {smallest, quotient});
    return title + QStringLiteral(" – kleinste Kehrzahl: %1 = %2 · %3")
                       .arg(shortenedNumber(v.n))
                       .arg(quotient)
                       .arg(shortenedNumber(v.m));
}

QString walkLine(int base, const ListedKehrzahl &k, const kehr::Walk &walk)
{
    const kehr::Values v = kehr::valuesOf(base, k.view());
    QString text =
        QStringLiteral("Weg von n = %1 (Q = %2): Start").arg(shortenedNumber(v.n)).arg(k.quotient);
    for (std::size_t i = 0; i < walk.steps.size() && i < kStepsInText; ++i) {
        const kehr::WalkStep &s = walk.steps[i];
        text += QStringLiteral(", %1 nach %2").arg(pairText({s.x, s.y}), stateText(s.to));
    }
    if (walk.steps.size() > kStepsInText)
        text += QStringLiteral(" … (%1 Schritte)").arg(walk.steps.size());
    if (walk.middle)
        text += QStringLiteral(", Mitte z = %1").arg(*walk.middle);
    return text;
}

} // namespace

GraphView::GraphView(QWidget *parent)
    : QWidget(parent), m_quotientField(new QComboBox(this)), m_note(new QLabel(this)),
      m_fit(new QPushButton(QStringLiteral("Einpassen"), this)),
      m_dot(new QPushButton(QStringLiteral("DOT-Datei speichern …"), this)),
      m_pages(new QStackedWidget(this)), m_view(new ZoomView(this)), m_summary(new QLabel(this)),
      m_walkText(new QLabel(this)), m_worker(new Worker(this)), m_dotWorker(new Worker(this)),
      m_progress(new ProgressPanel(m_worker, QStringLiteral("Graph bauen"), this)),
      m_dotProgress(new ProgressPanel(m_dotWorker, QStringLiteral("DOT speichern"), this))
{
    m_quotientField->setEditable(true);
    m_quotientField->setInsertPolicy(QComboBox::NoInsert);
    m_quotientField->setMinimumContentsLength(6);
    m_fit->setAccessibleName(QStringLiteral("Einpassen"));
    m_fit->setToolTip(QStringLiteral("Den ganzen Graphen in die Ansicht einpassen"));
    m_dot->setAccessibleName(QStringLiteral("DOT-Datei speichern"));
    m_dot->setToolTip(QStringLiteral(
        "Den Graphen als Graphviz-DOT-Datei speichern, wie kehrzaehler-cli --graph ihn schreibt"));
    m_view->setAccessibleName(QStringLiteral("Übertragsgraph"));
    m_view->setToolTip(QStringLiteral(
        "Der Übertragsgraph: Mausrad zoomt, Ziehen verschiebt; Zustände und Kanten zeigen beim "
        "Darüberfahren ihre Übertragspaare und Ziffernpaare"));
    m_summary->setAccessibleName(QStringLiteral("Größe des Graphen"));
    m_summary->setToolTip(QStringLiteral("Der Graph ist zu groß zum Zeichnen"));
    m_summary->setAlignment(Qt::AlignCenter);
    m_summary->setWordWrap(true);
    m_walkText->setAccessibleName(QStringLiteral("Weg der gewählten Kehrzahl"));
    m_walkText->setToolTip(QStringLiteral("Der Weg der in der Liste gewählten Kehrzahl"));
    m_walkText->setWordWrap(true);
    m_pages->addWidget(m_view);
    m_pages->addWidget(m_summary);

    auto *top = notedField(QStringLiteral("Q:"), m_quotientField, m_note,
                           QStringLiteral("Der Quotient Q = n / m, dessen Graph gezeigt wird; zur "
                                          "Wahl stehen die Kehrmultiplikatoren der Basis"),
                           this);
    top->addWidget(m_fit);
    top->addWidget(m_dot);
    auto *column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(m_pages, 1);
    column->addWidget(m_walkText);
    column->addWidget(m_progress);
    column->addWidget(m_dotProgress);

    connect(m_fit, &QPushButton::clicked, m_view, &ZoomView::fit);
    connect(m_dot, &QPushButton::clicked, this, &GraphView::askWhereToSaveDot);
    connect(m_quotientField->lineEdit(), &QLineEdit::returnPressed, this,
            &GraphView::drawTypedQuotient);
    connect(m_quotientField, &QComboBox::activated, this, &GraphView::drawTypedQuotient);
}

GraphView::~GraphView()
{
    m_worker->cancelAndJoin();
    m_dotWorker->cancelAndJoin();
}

bool GraphView::showsDrawing() const
{
    return m_scene && m_pages->currentWidget() == m_view;
}

void GraphView::drawTypedQuotient()
{
    const Reading<int> q = readQuotient(m_quotientField->currentText(), m_base);
    if (!q.value) {
        m_note->setText(q.note);
        return;
    }
    if (*q.value == m_quotient && m_worker->busy())
        return;
    draw(m_base, *q.value);
}

void GraphView::draw(int base, int quotient)
{
    if (base == m_base && !m_quotients.empty() &&
        std::find(m_quotients.begin(), m_quotients.end(), quotient) == m_quotients.end()) {
        m_note->setText(notAMultiplierNote(base, quotient));
        return;
    }
    m_note->clear();
    m_worker->start([this, base, quotient](Worker::Job &job) {
        const auto found = quotientsOf(base, job.watch());
        if (!found)
            return;
        const std::vector<int> &quotients = *found;
        int shown = quotient;
        QString note;
        if (std::find(quotients.begin(), quotients.end(), quotient) == quotients.end()) {
            if (quotients.empty()) {
                job.post([this, base] {
                    setQuotients(base, {}, 0);
                    m_note->setText(
                        QStringLiteral("Zur Basis %1 gibt es keine Kehrzahlen").arg(base));
                    delete m_scene;
                    m_scene = nullptr;
                    m_summary->setText(m_note->text());
                    m_pages->setCurrentWidget(m_summary);
                    emit drawn();
                });
                return;
            }
            shown = quotients.front();
            note = notAMultiplierNote(base, quotient) +
                   QStringLiteral("; gezeigt wird Q = %1").arg(shown);
        }
        job.post([this, base, quotients, shown, note] {
            setQuotients(base, quotients, shown);
            m_note->setText(note);
        });
        const auto graph = kehr::carryGraph(base, shown, job.watch());
        if (!graph)
            return;
        const GraphSize size = sizeOf(*graph);
        const auto smallest = kehr::smallestKehrzahl(base, shown, job.watch());
        if (!smallest)
            return;
        const QString title = titleOf(base, shown, *smallest);
        if (!size.drawable()) {
            job.post([this, size, title] { showSummary(size, title); });
            return;
        }
        GraphDrawing drawing = layOut(*graph);
        job.post([this, drawing = std::move(drawing), title]() mutable {
            showDrawing(std::move(drawing), title);
        });
    });
}

void GraphView::setQuotients(int base, const std::vector<int> &quotients, int shown)
{
    m_base = base;
    m_quotient = shown;
    m_quotients = quotients;
    const QSignalBlocker quiet(m_quotientField);
    m_quotientField->clear();
    for (const int q : quotients)
        m_quotientField->addItem(QString::number(q));
    m_quotientField->setCurrentText(shown ? QString::number(shown) : QString());
}

void GraphView::showDrawing(GraphDrawing drawing, const QString &title)
{
    auto *scene = new GraphScene(drawing, title, this);
    m_view->setScene(scene);
    delete m_scene;
    m_scene = scene;
    m_pages->setCurrentWidget(m_view);
    m_view->fit();
    m_walkText->clear();
    applyPendingWalk();
    emit drawn();
}

void GraphView::showSummary(const GraphSize &size, const QString &title)
{
    m_view->setScene(nullptr);
    delete m_scene;
    m_scene = nullptr;
    m_summary->setText(
        QStringLiteral("%1\n\nDer Graph hat %2 Zustände und %3 Kanten: zu groß, um ihn hier in "
                       "ein, zwei Sekunden zu zeichnen (gezeichnet wird bis %4 Zustände und %5 "
                       "Kanten).\nMit „DOT-Datei speichern …“ lässt er sich als DOT-Datei sichern.")
            .arg(title)
            .arg(size.states)
            .arg(size.edges)
            .arg(kMostStatesDrawn)
            .arg(kMostEdgesDrawn));
    m_pages->setCurrentWidget(m_summary);
    m_walkText->clear();
    applyPendingWalk();
    emit drawn();
}

void GraphView::showWalkOf(int base, const ListedKehrzahl &k)
{
    m_pendingWalk = k;
    if (base != m_base || k.quotient != m_quotient) {
        draw(base, k.quotient); // a listed Q is always one the base has
        return;
    }
    if (!m_worker->busy())
        applyPendingWalk();
}

void GraphView::applyPendingWalk()
{
    if (!m_pendingWalk || m_pendingWalk->quotient != m_quotient)
        return;
    const ListedKehrzahl k = std::move(*m_pendingWalk);
    m_pendingWalk.reset();
    const kehr::Walk walk = kehr::walkOf(m_base, k.view());
    m_walkText->setText(walkLine(m_base, k, walk));
    if (m_scene)
        m_scene->showWalk(walk);
}

void GraphView::askWhereToSaveDot()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("DOT-Datei speichern"),
                                     QStringLiteral("graph-%1-%2.dot").arg(m_base).arg(m_quotient),
                                     QStringLiteral("DOT-Dateien (*.dot *.gv);;Alle Dateien (*)"));
    if (!path.isEmpty())
        saveDotTo(path);
}

void GraphView::saveDotTo(const QString &path)
{
    const int base = m_base, quotient = m_quotient;
    if (quotient == 0)
        return;
    m_dotWorker->start([this, base, quotient, path](Worker::Job &job) {
        const auto graph = kehr::carryGraph(base, quotient, job.watch());
        const auto smallest =
            graph ? kehr::smallestKehrzahl(base, quotient, job.watch()) : std::nullopt;
        if (!smallest)
            return;
        // QSaveFile renames on commit: a cancelled or failed save leaves no half file behind.
        QSaveFile file(path);
        const bool saved =
            file.open(QIODevice::WriteOnly) &&
            cli::writeStateGraphDot(
                [&](std::string_view line) {
                    return !job.cancelled() &&
                           file.write(line.data(), qint64(line.size())) == qint64(line.size());
                },
                *graph, *smallest) &&
            file.commit();
        if (job.cancelled())
            return;
        const QString note =
            saved
                ? QStringLiteral("DOT-Datei gespeichert: %1").arg(path)
                : QStringLiteral("DOT-Datei ließ sich nicht speichern: %1").arg(file.errorString());
        job.post([this, saved, note] {
            m_note->setText(note);
            emit dotSaved(saved);
        });
    });
}

} // namespace kz::atlas
