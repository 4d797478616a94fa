// Kehrzahl-Atlas offscreen, timed from the typed Enter to the painted view, beside
// kehrzaehler-cli's own time for the same counts (BM_CliKehrCounts in cli_bench.cpp).
#include "atlas/atlaswindow.h"
#include "atlas/countmodel.h"
#include "atlas/countview.h"
#include "atlas/graphscene.h"
#include "atlas/graphview.h"
#include "atlas/listmodel.h"
#include "atlas/listview.h"
#include "atlas/worker.h"
#include "atlas/zoomview.h"

#include "bench/processstatus.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGraphicsView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <fstream>
#include <string>

namespace {

using kz::atlas::AtlasWindow;
using kz::atlas::View;

using kz::bench::statusKb;

void enter(QLineEdit *field, const QString &text)
{
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
}

void waitUntil(const std::function<bool()> &done)
{
    while (!done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// Notes the first paint of a widget once `ready` holds. The paint starts after the filter returns
// and ends before the event loop looks at anything else, so once painted() holds it is on screen.
class PaintWatch : public QObject {
  public:
    PaintWatch(QWidget *widget, std::function<bool()> ready)
        : QObject(widget), m_ready(std::move(ready))
    {
        widget->installEventFilter(this);
    }
    void reset() { m_painted = false; }
    bool painted() const { return m_painted; }

  protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        m_painted = m_painted || (event->type() == QEvent::Paint && m_ready());
        return false;
    }

  private:
    std::function<bool()> m_ready;
    bool m_painted = false;
};

std::unique_ptr<AtlasWindow> shownWindow(View view, const char *lengths)
{
    kz::atlas::Startup startup;
    startup.view = view;
    startup.input.lengths = kz::atlas::readLengths(QString::fromLatin1(lengths)).value.value();
    auto window = std::make_unique<AtlasWindow>(startup);
    window->show();
    (void)QTest::qWaitForWindowExposed(window.get());
    return window;
}

// Base 10, lengths 1 to 1000: every count in the table and the table painted.
void BM_AtlasCounts(benchmark::State &state)
{
    const auto window = shownWindow(View::Anzahl, "1");
    kz::atlas::CountView *view = window->countView();
    // The last rows come in one piece, and a paint follows them.
    const auto counted = [&] { return view->model()->rowCount() == 1000; };
    PaintWatch paint(view->table()->viewport(), counted);
    for (auto _ : state) {
        state.PauseTiming();
        enter(window->lengthsField(), QStringLiteral("1"));
        waitUntil([&] { return !view->worker()->busy() && view->model()->rowCount() == 1; });
        paint.reset();
        state.ResumeTiming();
        enter(window->lengthsField(), QStringLiteral("1-1000"));
        waitUntil([&] { return paint.painted(); });
    }
}
BENCHMARK(BM_AtlasCounts)->Unit(benchmark::kMillisecond);

// Base 10, D digits (40: 8362 rows; 60: 1 028 458): the first rows painted.
void BM_AtlasListFirstRows(benchmark::State &state)
{
    const auto window = shownWindow(View::Liste, "1");
    kz::atlas::ListModel *model = window->listView()->model();
    const QString digits = QString::number(state.range(0));
    PaintWatch paint(window->listView()->table()->viewport(),
                     [&] { return model->rowCount() > 0; });
    for (auto _ : state) {
        state.PauseTiming();
        enter(window->lengthsField(), QStringLiteral("1"));
        waitUntil([&] { return model->atEnd() && !model->fetching(); });
        paint.reset();
        state.ResumeTiming();
        enter(window->lengthsField(), digits);
        waitUntil([&] { return paint.painted(); });
    }
}
BENCHMARK(BM_AtlasListFirstRows)->ArgName("D")->Arg(40)->Arg(60)->Unit(benchmark::kMillisecond);

// The carry graph of S = 10, Q = 4 built, laid out by Graphviz and painted.
void BM_AtlasGraph(benchmark::State &state)
{
    const auto window = shownWindow(View::Graph, "1");
    kz::atlas::GraphView *graph = window->graphView();
    waitUntil([&] { return !graph->worker()->busy() && graph->scene(); });
    // A new scene is the new drawing; the worker may still be winding down when it is painted.
    const kz::atlas::GraphScene *old = nullptr;
    PaintWatch paint(graph->view()->viewport(),
                     [&] { return graph->scene() && graph->scene() != old; });
    for (auto _ : state) {
        old = graph->scene();
        paint.reset();
        graph->draw(10, 4);
        waitUntil([&] { return paint.painted(); });
        state.PauseTiming();
        waitUntil([&] { return !graph->worker()->busy(); });
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AtlasGraph)->Unit(benchmark::kMillisecond);

// Scrolling the list of base 10, 60 digits, to its end: the peak memory above the window idle on
// its first rows. Run it on its own: the peak is the process's.
void BM_AtlasListMemory(benchmark::State &state)
{
    const auto window = shownWindow(View::Liste, "60");
    kz::atlas::ListModel *model = window->listView()->model();
    QTableView *table = window->listView()->table();
    waitUntil([&] { return model->rowCount() > 0 && !model->fetching(); });
    QApplication::processEvents();
    std::ofstream("/proc/self/clear_refs") << "5"; // peak back to the current size
    const long idle = statusKb("VmRSS");
    for (auto _ : state) {
        waitUntil([&] {
            table->scrollToBottom();
            return model->atEnd() && !model->fetching();
        });
        table->viewport()->repaint();
    }
    state.counters["rows"] = model->rowCount();
    state.counters["row_MB"] = double(model->rowBytes()) / (1 << 20);
    state.counters["peak_above_idle_MB"] = double(statusKb("VmHWM") - idle) / 1024;
}
BENCHMARK(BM_AtlasListMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
