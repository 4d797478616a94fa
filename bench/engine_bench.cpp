// The search engine in-process over plain values, as kehrzaehler-cli runs it, beside the
// reference loops.
#include "reference_loop.h"

#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/plainwindow.h"

#include <benchmark/benchmark.h>

#include <limits>

namespace {

void BM_ReferenceLoop(benchmark::State &state)
{
    const auto last = static_cast<std::uint32_t>(state.range(0));
    const auto base = static_cast<std::uint32_t>(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(kz::bench::incrementalReferenceLoop(last, base));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReferenceLoop)
    ->Args({100000, 10})
    ->Args({100000000, 10})
    ->Unit(benchmark::kMillisecond);

void BM_NaiveLoop(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            kz::bench::naiveReferenceLoop(static_cast<std::uint32_t>(state.range(0)), 10));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NaiveLoop)->Arg(100000)->Arg(100000000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Args: upper bound, base, filter digits as in the CLI (110 = the window's defaults).
void BM_Engine(benchmark::State &state)
{
    const int filter = static_cast<int>(state.range(2));
    std::size_t listSize = 0;
    for (auto _ : state) {
        kz::PlainWindow window;
        window.setYieldStride(std::numeric_limits<std::uint32_t>::max());
        window.field(kz::Field::txtnn) = kz::Str(static_cast<double>(state.range(0)));
        window.field(kz::Field::txtSystem) = kz::Str(static_cast<double>(state.range(1)));
        window.setCheckBox(kz::CheckBox::chkNichttrivial, filter / 100);
        window.setCheckBox(kz::CheckBox::chkTeiler, filter / 10 % 10);
        window.setCheckBox(kz::CheckBox::chkzugross, filter % 10);
        kz::Engine engine(window);
        engine.Command1_Click();
        listSize = window.result().size();
    }
    state.counters["list_bytes"] = static_cast<double>(listSize);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Engine)
    ->ArgNames({"bis", "basis", "filter"})
    ->Args({100000, 10, 110})
    ->Args({100000000, 10, 110})
    ->Args({100000000, 10, 0})
    ->Args({100000000, 2, 110})
    ->Args({100000000, 16, 110})
    ->Unit(benchmark::kMillisecond);

} // namespace
