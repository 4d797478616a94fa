// Counting a range of lengths within stated memory bounds. countKehrzahlen counts with the
// defaults; small bounds take every path of the counting on small bases as well.
#pragma once

#include "kehrzahlen/graphbuild.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/ticker.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace kz::kehr {

struct CountBounds {
    // Counts held side by side at most, in words at the start: 2 MB, which the processor's caches
    // hold while each step goes over all of them. Counted side by side beyond that, they would
    // take three times as long as counted one by one.
    std::size_t wordsAtOnce = std::size_t(1) << 18;
    // Explorations of more carry pairs than this take tens of MB: the counters gathered so far
    // are counted to the end first.
    std::size_t largeExploration = std::size_t(1) << 18;
    // Explorations of more carry pairs than this keep them as one bit per key; unset: once that
    // takes less memory than a hash table.
    std::optional<std::size_t> keyedFrom;
    // Threads that build and count graphs at once. Large explorations take turns, so the bounds
    // above hold for all of them together.
    unsigned threads = 1;
    // Counters stepped side by side are split between the threads in shares of at least this
    // many words: a step of large counters takes milliseconds, against some tens of microseconds
    // to start a thread.
    std::size_t wordsPerThread = std::size_t(1) << 16;
    // Explorations of more carry pairs than this keep only bits (Exploring::bareFrom).
    std::size_t bareFrom = Exploring{}.bareFrom;
};

// Reports the counts of the lengths first..last (2 <= first <= last) in increasing order.
bool countRange(int base, std::uint64_t first, std::uint64_t last,
                const std::function<bool(const Count &)> &report, Ticker &ticker,
                const CountBounds &bounds = {});

} // namespace kz::kehr
