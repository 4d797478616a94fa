// The search through Form1, offscreen: start clicked, until "fertig".
#include "window/form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "bench/processstatus.h"

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QPlainTextEdit>

#include <fstream>
#include <string>

namespace {

// Arg: upper bound, 10^5 (the start-up range) or 10^8.
void BM_Window(benchmark::State &state)
{
    kz::Form1 form;
    form.show();
    QCoreApplication::processEvents();
    const kz::Controls &ui = form.controls();
    for (long bound = 100000; bound < state.range(0); bound *= 10)
        QTest::mouseClick(ui.Command8, Qt::LeftButton);
    for (auto _ : state) {
        state.PauseTiming();
        QTest::mouseClick(ui.Command2, Qt::LeftButton);
        state.ResumeTiming();
        QTest::mouseClick(ui.Command1, Qt::LeftButton);
    }
    if (!form.engine().vars().Zahl || form.engine().vars().Abbruch)
        state.SkipWithError("the search did not run to its end");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Window)->Arg(100000)->Arg(100000000)->Unit(benchmark::kMillisecond);

// How long after a click on abort the search has stopped, for a search over 1 to 10^8.
void BM_WindowAbortLatency(benchmark::State &state)
{
    kz::Form1 form;
    form.show();
    QCoreApplication::processEvents();
    const kz::Controls &ui = form.controls();
    for (int k = 0; k < 3; ++k)
        QTest::mouseClick(ui.Command8, Qt::LeftButton);
    double worstMs = 0;
    for (auto _ : state) {
        QElapsedTimer sinceDue;
        // The click is due 100 ms into the search; it waits for the search's next event round.
        QTimer::singleShot(100, &form, [&] { QTest::mouseClick(ui.Command3, Qt::LeftButton); });
        QTimer::singleShot(100, &form, [&] { sinceDue.start(); });
        QTest::mouseClick(ui.Command1, Qt::LeftButton);
        const double latency =
            sinceDue.isValid() ? static_cast<double>(sinceDue.nsecsElapsed()) / 1e6 : -1;
        worstMs = std::max(worstMs, latency);
        if (latency < 0)
            state.SkipWithError("the search ended before the abort");
    }
    state.counters["worst_ms_after_stop_was_due"] = worstMs;
}
BENCHMARK(BM_WindowAbortLatency)->Iterations(10)->Unit(benchmark::kMillisecond);

using kz::bench::statusKb;

// Peak memory of a search over 1 to 10^8 with all filters off, above the idle window, beside
// the size of the list it leaves. Run it on its own: the peak is the process's.
void BM_WindowMemory(benchmark::State &state)
{
    kz::Form1 form;
    form.show();
    QCoreApplication::processEvents();
    const kz::Controls &ui = form.controls();
    ui.chkNichttrivial->setChecked(false);
    ui.chkTeiler->setChecked(false);
    for (int k = 0; k < 3; ++k)
        QTest::mouseClick(ui.Command8, Qt::LeftButton);
    QTest::mouseClick(ui.Command2, Qt::LeftButton);
    std::ofstream("/proc/self/clear_refs") << "5"; // peak back to the current size
    const long idle = statusKb("VmRSS");
    for (auto _ : state)
        QTest::mouseClick(ui.Command1, Qt::LeftButton);
    const double listBytes = static_cast<double>(ui.txtErgebnis->toPlainText().toUtf8().size());
    state.counters["list_kB"] = listBytes / 1024;
    state.counters["peak_above_idle_kB"] = static_cast<double>(statusKb("VmHWM") - idle);
    state.counters["peak_per_list_byte"] = (statusKb("VmHWM") - idle) * 1024.0 / listBytes;
}
BENCHMARK(BM_WindowMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
