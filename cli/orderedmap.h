// One bounded, in-order worker queue: items are computed on several threads and handed over in
// their order, on the calling thread, while the workers run at most a few items ahead, so memory
// stays bounded however many items there are. The split search and --multiplikatoren use it.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

namespace kz::cli {

inline constexpr unsigned kMostWorkers = 256;

// How many threads a request for `asked` means: 0 asks for one per core.
inline unsigned workerCount(unsigned asked)
{
    return asked != 0 ? asked : std::max(1u, std::thread::hardware_concurrency());
}

// Computes work(k) for k = 0 .. count-1 on `workers` threads, at most `ahead` items past the one
// handed over last, and hands each result to take in the order of k. work returns nothing when
// it saw stop and left its item unfinished. The run ends at the first unfinished item, when take
// returns false (stop is then set, so the workers leave their items) or at the first item whose
// work threw, which is thrown again here once the items before it are taken. True when every
// item was taken.
template <typename Result>
bool orderedMap(std::size_t count, unsigned workers, std::size_t ahead,
                const std::function<std::optional<Result>(std::size_t)> &work,
                const std::function<bool(Result &)> &take, std::atomic<bool> &stop)
{
    struct Unfinished {};
    using Outcome = std::variant<std::monostate, Result, Unfinished, std::exception_ptr>;
    ahead = std::max<std::size_t>(ahead, 1);
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Outcome> slots(ahead);
    std::size_t claimed = 0, taken = 0;
    bool leaving = false; // the hand-over has ended; workers take no new item
    // stop may be set by a signal, which wakes nobody: waits look at it again now and then.
    auto waitFor = [&](std::unique_lock<std::mutex> &lock, auto ready) {
        while (!ready())
            changed.wait_for(lock, std::chrono::milliseconds(20));
    };

    auto worker = [&] {
        for (;;) {
            std::size_t item;
            {
                std::unique_lock lock(mutex);
                waitFor(lock, [&] {
                    return leaving || claimed >= count || stop || claimed < taken + ahead;
                });
                if (leaving || claimed >= count || stop)
                    return;
                item = claimed++;
            }
            Outcome outcome;
            try {
                if (std::optional<Result> result = work(item))
                    outcome = std::move(*result);
                else
                    outcome = Unfinished{};
            } catch (...) {
                outcome = std::current_exception();
            }
            std::lock_guard lock(mutex);
            slots[item % ahead] = std::move(outcome);
            changed.notify_all();
        }
    };

    std::vector<std::thread> pool;
    auto leave = [&] {
        {
            std::lock_guard lock(mutex);
            leaving = true;
        }
        changed.notify_all();
        for (std::thread &thread : pool)
            thread.join();
        pool.clear();
    };
    try {
        for (unsigned t = 0; t < std::min<std::size_t>(std::max(workers, 1u), count); ++t)
            pool.emplace_back(worker);
        for (; taken < count; ++taken) {
            Outcome outcome;
            {
                std::unique_lock lock(mutex);
                Outcome &slot = slots[taken % ahead];
                // An item nobody claimed once stop is set will never come.
                waitFor(lock, [&] { return slot.index() != 0 || (stop && claimed <= taken); });
                outcome = std::exchange(slot, Outcome{});
            }
            changed.notify_all();
            if (auto *result = std::get_if<Result>(&outcome)) {
                if (take(*result))
                    continue;
                stop = true;
            } else if (auto *error = std::get_if<std::exception_ptr>(&outcome)) {
                stop = true;
                leave();
                std::rethrow_exception(*error);
            }
            break;
        }
    } catch (...) {
        stop = true;
        leave();
        throw;
    }
    leave();
    return taken == count;
}

} // namespace kz::cli
