#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/kehrzahlen.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>

namespace kz::kehr {

std::vector<int> kehrmultiplikatoren(int base)
{
    checkBase(base);
    std::vector<int> quotients;
    for (int q = 2; q < base; ++q) {
        if (hasKehrzahl(base, q))
            quotients.push_back(q);
    }
    return quotients;
}

void kehrmultiplikatorenOfBases(int first, int last, unsigned threads,
                                const std::function<bool(int, const std::vector<int> &)> &report)
{
    checkBase(first);
    checkBase(last);
    if (first > last)
        throw std::invalid_argument("first base after last");
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());

    // Each base is one job; results wait in their slot until every smaller base is reported.
    std::vector<std::optional<std::vector<int>>> results(std::size_t(last - first + 1));
    std::atomic<int> next{first};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable ready;
    auto worker = [&] {
        for (int base; !stop && (base = next++) <= last;) {
            std::vector<int> quotients = kehrmultiplikatoren(base);
            std::lock_guard lock(mutex);
            results[std::size_t(base - first)] = std::move(quotients);
            ready.notify_all();
        }
    };
    std::vector<std::jthread> pool; // declared last: joined before the state it shares goes
    for (unsigned t = 0; t < std::min<unsigned>(threads, unsigned(last - first + 1)); ++t)
        pool.emplace_back(worker);
    for (int base = first; base <= last; ++base) {
        std::vector<int> quotients;
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return results[std::size_t(base - first)].has_value(); });
            quotients = std::move(*results[std::size_t(base - first)]);
        }
        if (!report(base, quotients)) {
            stop = true;
            return; // the pool's threads finish their current base and end
        }
    }
}

} // namespace kz::kehr
