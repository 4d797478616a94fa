// The digit-pair search of Kehrzahlen beside a plain loop over a million numbers: counts, the
// Kehrmultiplikatoren of many bases, and a list with its entry texts.
#include "reference_loop.h"

#include "cli/kehrentry.h"
#include "kehrzahlen/kehrzahlen.h"
#include "tests/support/directcount.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>

namespace {

void BM_KehrYardstick(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(kz::bench::incrementalReferenceLoop(1'000'000, 10));
}
BENCHMARK(BM_KehrYardstick)->Unit(benchmark::kMillisecond);

// Arg: the last digit count; every count from 1 on, base 10.
void BM_KehrCounts(benchmark::State &state)
{
    const auto last = static_cast<std::uint64_t>(state.range(0));
    for (auto _ : state) {
        std::size_t bits = 0;
        kz::kehr::countKehrzahlen(10, 1, last, [&](const kz::kehr::Count &c) {
            bits += mpz_sizeinbase(c.total.get_mpz_t(), 2);
            return true;
        });
        benchmark::DoNotOptimize(bits);
    }
}
BENCHMARK(BM_KehrCounts)->Arg(1000)->Unit(benchmark::kMillisecond);

// Args: base, first and last digit count; the counting on one thread and on one per core, beside
// the plain dynamic programme, with a big integer per state and step, that it replaced.
void countRangeOn(benchmark::State &state, unsigned threads)
{
    const int base = static_cast<int>(state.range(0));
    const auto first = static_cast<std::uint64_t>(state.range(1));
    const auto last = static_cast<std::uint64_t>(state.range(2));
    for (auto _ : state) {
        std::size_t bits = 0;
        kz::kehr::countKehrzahlen(
            base, first, last,
            [&](const kz::kehr::Count &c) {
                bits += mpz_sizeinbase(c.total.get_mpz_t(), 2);
                return true;
            },
            {}, threads);
        benchmark::DoNotOptimize(bits);
    }
}
void BM_KehrCountRange(benchmark::State &state)
{
    countRangeOn(state, 1);
}
void BM_KehrCountRangeEveryCore(benchmark::State &state)
{
    countRangeOn(state, std::max(1u, std::thread::hardware_concurrency()));
}
void BM_KehrCountRangePlain(benchmark::State &state)
{
    const int base = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(kz::testing::directCounts(
            base, std::max<std::int64_t>(2, state.range(1)), std::uint64_t(state.range(2))));
    }
}
#define KZ_COUNT_RUNS(bench)                                                                      \
    BENCHMARK(bench)                                                                              \
        ->ArgNames({"S", "von", "bis"})                                                           \
        ->Args({3000, 1, 1000})                                                                   \
        ->Args({10000, 1, 1000})                                                                  \
        ->Args({9973, 1, 1000})                                                                   \
        ->Args({9914, 1, 1000})                                                                   \
        ->Args({10, 1000000, 1000000})                                                            \
        ->Iterations(1)                                                                           \
        ->Unit(benchmark::kMillisecond)
KZ_COUNT_RUNS(BM_KehrCountRange);
KZ_COUNT_RUNS(BM_KehrCountRangeEveryCore)->UseRealTime();
KZ_COUNT_RUNS(BM_KehrCountRangePlain);

// Arg: the last base; one base after the other, as the library does it.
void BM_Kehrmultiplikatoren(benchmark::State &state)
{
    const int last = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::size_t quotients = 0;
        kz::kehr::kehrmultiplikatorenOfBases(2, last,
                                             [&](int, const std::vector<kz::kehr::Multiplier> &q) {
                                                 quotients += q.size();
                                                 return true;
                                             });
        state.counters["quotients"] = static_cast<double>(quotients);
    }
}
BENCHMARK(BM_Kehrmultiplikatoren)->ArgName("bis")->Arg(1000)->Unit(benchmark::kMillisecond);

// Arg: digits; base 10, every entry text built.
void BM_KehrList(benchmark::State &state)
{
    const auto digits = static_cast<std::uint64_t>(state.range(0));
    std::size_t count = 0, bytes = 0;
    for (auto _ : state) {
        std::string list;
        count = 0;
        kz::kehr::listKehrzahlen(10, digits, digits, [&](const kz::kehr::Kehrzahl &k) {
            kz::cli::appendKehrzahlEntry(list, 10, k);
            ++count;
            return true;
        });
        bytes = list.size();
    }
    state.counters["kehrzahlen"] = static_cast<double>(count);
    state.counters["list_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_KehrList)->Arg(40)->Unit(benchmark::kMillisecond);

} // namespace
