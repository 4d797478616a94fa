#include "atlas/atlaswindow.h"

#include "atlas/countview.h"
#include "atlas/graphview.h"
#include "atlas/listmodel.h"
#include "atlas/listview.h"
#include "atlas/multiplierview.h"
#include "atlas/notedfield.h"
#include "atlas/worker.h"
#include "resources/captionfont.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace kz::atlas {

AtlasWindow::AtlasWindow(const Startup &startup, QWidget *parent)
    : QMainWindow(withCaptionFont(parent)), m_input(startup.input)
{
    setObjectName(QStringLiteral("AtlasWindow"));
    setWindowTitle(QStringLiteral("Kehrzahl-Atlas"));
    auto *client = new QWidget(this);
    setCentralWidget(client);
    auto *column = new QVBoxLayout(client);
    createInputs(client);
    createViews();
    auto *inputs = new QHBoxLayout;
    inputs->addLayout(notedField(QStringLiteral("Basis S:"), m_baseField, m_baseNote,
                                 QStringLiteral("Basis S des Stellenwertsystems, von 2 bis 10000"),
                                 client),
                      1);
    inputs->addLayout(notedField(QStringLiteral("Stellen:"), m_lengthsField, m_lengthsNote,
                                 QStringLiteral("Stellenzahl D oder ein Bereich A-B, etwa 40 oder "
                                                "1-40"),
                                 client),
                      1);
    column->addLayout(inputs);
    column->addWidget(m_tabs, 1);

    m_baseNote->setText(startup.baseNote);
    m_lengthsNote->setText(startup.lengthsNote);
    if (!startup.quotientNote.isEmpty())
        m_graph->note()->setText(startup.quotientNote);
    m_tabs->setCurrentIndex(int(startup.view));
    resize(1180, 760);
    refreshShownView();
}

AtlasWindow::~AtlasWindow() = default;

void AtlasWindow::createInputs(QWidget *parent)
{
    m_baseField = new QLineEdit(QString::number(m_input.base), parent);
    m_baseField->setObjectName(QStringLiteral("basis"));
    m_baseField->setMaximumWidth(90);
    m_lengthsField = new QLineEdit(rangeText(m_input.lengths), parent);
    m_lengthsField->setObjectName(QStringLiteral("stellen"));
    m_lengthsField->setMaximumWidth(130);
    m_baseNote = new QLabel(parent);
    m_lengthsNote = new QLabel(parent);
    m_typing.setSingleShot(true);
    m_typing.setInterval(kTypingPauseMs);
    connect(&m_typing, &QTimer::timeout, this, &AtlasWindow::applyFields);
    for (QLineEdit *field : {m_baseField, m_lengthsField}) {
        connect(field, &QLineEdit::returnPressed, this, &AtlasWindow::applyFields);
        connect(field, &QLineEdit::textEdited, &m_typing, qOverload<>(&QTimer::start));
    }
}

void AtlasWindow::createViews()
{
    m_tabs = new QTabWidget(centralWidget());
    m_tabs->setAccessibleName(QStringLiteral("Ansichten"));
    m_tabs->setToolTip(QStringLiteral("Anzahl, Liste, Kehrmultiplikatoren und Übertragsgraph"));
    m_count = new CountView(m_tabs);
    m_list = new ListView(m_tabs);
    m_multipliers = new MultiplierView(m_tabs);
    m_graph = new GraphView(m_tabs);
    m_tabs->addTab(m_count, QStringLiteral("Anzahl"));
    m_tabs->addTab(m_list, QStringLiteral("Liste"));
    m_tabs->addTab(m_multipliers, QStringLiteral("Multiplikatoren"));
    m_tabs->addTab(m_graph, QStringLiteral("Graph"));
    m_tabs->setTabToolTip(0, QStringLiteral("Wie viele Kehrzahlen es je Stellenzahl und Q gibt"));
    m_tabs->setTabToolTip(1, QStringLiteral("Alle Kehrzahlen der Stellenzahlen, der Größe nach"));
    m_tabs->setTabToolTip(2, QStringLiteral("Welche Quotienten Q eine Basis hat"));
    m_tabs->setTabToolTip(3, QStringLiteral("Der Übertragsgraph von S und Q"));
    connect(m_tabs, &QTabWidget::currentChanged, this, &AtlasWindow::refreshShownView);
    connect(m_list, &ListView::kehrzahlSelected, this, &AtlasWindow::kehrzahlSelected);
    connect(m_list->table(), &QTableView::doubleClicked, this, [this] { showView(View::Graph); });
    connect(m_graph, &GraphView::drawn, this, [this] {
        if (m_graph->base() == m_input.base && m_graph->quotient() != 0)
            m_input.quotient = m_graph->quotient();
    });
}

void AtlasWindow::applyFields()
{
    m_typing.stop();
    const Reading<int> base = readBase(m_baseField->text());
    const Reading<Range> lengths = readLengths(m_lengthsField->text());
    m_baseNote->setText(base.note);
    m_lengthsNote->setText(lengths.note);
    if (!base.value || !lengths.value)
        return; // the last good result stays on screen
    const Input input{*base.value, *lengths.value, m_input.quotient};
    // Enter on unchanged values starts again what "Abbrechen" left half done.
    const int shown = m_tabs->currentIndex();
    if (input == m_input && shown >= 0 && workerOf(View(shown))->cancelled())
        m_stale[std::size_t(shown)] = true;
    setInput(input);
    refreshShownView();
}

Worker *AtlasWindow::workerOf(View view) const
{
    switch (view) {
    case View::Anzahl:
        return m_count->worker();
    case View::Liste:
        return m_list->model()->worker();
    case View::Multiplikatoren:
        return m_multipliers->worker();
    case View::Graph:
        break;
    }
    return m_graph->worker();
}

void AtlasWindow::setInput(const Input &input)
{
    if (input == m_input)
        return;
    const bool baseChanged = input.base != m_input.base;
    m_input = input;
    m_stale[int(View::Anzahl)] = m_stale[int(View::Liste)] = true;
    m_stale[int(View::Graph)] = m_stale[int(View::Graph)] || baseChanged;
    // What the hidden views compute for the old values is stale: stop it now.
    const int shown = m_tabs->currentIndex();
    if (shown != int(View::Anzahl))
        m_count->worker()->cancel();
    if (shown != int(View::Liste))
        m_list->model()->worker()->cancel();
    if (shown != int(View::Graph) && baseChanged)
        m_graph->worker()->cancel();
    refreshShownView();
}

void AtlasWindow::refreshShownView()
{
    const int shown = m_tabs->currentIndex();
    if (shown < 0 || !m_stale[std::size_t(shown)])
        return;
    m_stale[std::size_t(shown)] = false;
    switch (View(shown)) {
    case View::Anzahl:
        m_count->count(m_input.base, m_input.lengths);
        break;
    case View::Liste:
        m_list->list(m_input.base, m_input.lengths);
        break;
    case View::Multiplikatoren:
        m_multipliers->compute();
        break;
    case View::Graph:
        m_graph->draw(m_input.base, m_input.quotient);
        break;
    }
}

void AtlasWindow::showView(View view)
{
    m_tabs->setCurrentIndex(int(view));
}

void AtlasWindow::kehrzahlSelected(int base, const ListedKehrzahl &k)
{
    if (base != m_input.base)
        return;
    m_input.quotient = k.quotient;
    m_stale[int(View::Graph)] = false;
    m_graph->showWalkOf(base, k);
}

void AtlasWindow::closeEvent(QCloseEvent *event)
{
    // Every job stops at its next look at the flag; none is waited on longer than that.
    for (Worker *w : findChildren<Worker *>())
        w->cancelAndJoin();
    event->accept();
}

} // namespace kz::atlas
