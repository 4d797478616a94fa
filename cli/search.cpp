#include "cli/search.h"

#include "cli/streamingwindow.h"
#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/plainwindow.h"
#include "engine/searchlimits.h"
#include "engine/texts.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kz::cli {

namespace {

// Numbers per chunk of a split search: small enough that even a stretch where every other number
// is a hit (negative numbers) holds only a few megabytes of list.
constexpr std::int64_t kChunkNumbers = 1 << 18;

void prepare(PlainWindow &window, const Options &options)
{
    // Nothing can run inside a yield here, so the search may leave every one of them out.
    window.setYieldStride(std::numeric_limits<std::uint32_t>::max());
    window.field(Field::txtSystem) = options.basis;
    window.field(Field::txtugrenze) = options.von;
    window.field(Field::txtnn) = options.bis;
    window.setCheckBox(CheckBox::chkNichttrivial, options.filter[0]);
    window.setCheckBox(CheckBox::chkTeiler, options.filter[1]);
    window.setCheckBox(CheckBox::chkzugross, options.filter[2]);
    window.field(Field::txtEinzelfall) = options.einzelfall;
}

std::string firstMessage(const PlainWindow &window)
{
    return window.messages().empty() ? std::string() : window.messages().front().text;
}

std::string runWhole(const Options &options, Output &out)
{
    StreamingWindow window(out);
    prepare(window, options);
    Engine engine(window);
    engine.Command1_Click();
    return firstMessage(window);
}

// Finished chunks wait here until every chunk before them is written; workers run at most a few
// chunks ahead of the writer, so memory stays bounded however long the list gets.
class ChunkQueue {
  public:
    ChunkQueue(std::size_t chunks, std::size_t ahead)
        : m_chunks(chunks), m_slots(ahead), m_ready(ahead)
    {
    }

    // Next chunk to compute, or none when all are taken.
    std::optional<std::size_t> claim()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(
            lock, [&] { return m_claimed < m_written + m_slots.size() || m_claimed >= m_chunks; });
        if (m_claimed >= m_chunks)
            return std::nullopt;
        return m_claimed++;
    }
    void finish(std::size_t chunk, std::string list)
    {
        std::lock_guard lock(m_mutex);
        m_slots[chunk % m_slots.size()] = std::move(list);
        m_ready[chunk % m_slots.size()] = true;
        m_changed.notify_all();
    }
    // The chunks' lists in order, as they become ready.
    template <typename Write> void drain(Write write)
    {
        for (std::size_t chunk = 0; chunk < m_chunks; ++chunk) {
            std::string list;
            {
                std::unique_lock lock(m_mutex);
                const std::size_t slot = chunk % m_slots.size();
                m_changed.wait(lock, [&] { return m_ready[slot]; });
                list = std::move(m_slots[slot]);
                m_ready[slot] = false;
                ++m_written;
                m_changed.notify_all();
            }
            write(list);
        }
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_chunks;
    std::size_t m_claimed = 0;
    std::size_t m_written = 0;
    std::vector<std::string> m_slots;
    std::vector<bool> m_ready;
};

// Without a window nothing can run inside a yield, so disjoint stretches of the range are
// independent: each is searched by its own engine and the lists are written in order.
std::string runSplit(const Options &options, unsigned threads, Output &out)
{
    const auto range = splittableRange(Val(options.basis), Val(options.von), Val(options.bis));
    const std::int64_t count = range ? range->to - range->from + 1 : 0;
    if (threads < 2 || count < 2 * kChunkNumbers)
        return runWhole(options, out);

    const auto chunks = static_cast<std::size_t>((count + kChunkNumbers - 1) / kChunkNumbers);
    ChunkQueue queue(chunks, 4 * threads);
    auto worker = [&] {
        while (const auto chunk = queue.claim()) {
            const std::int64_t lower = range->from + std::int64_t(*chunk) * kChunkNumbers;
            const std::int64_t upper = std::min(range->to, lower + kChunkNumbers - 1);
            PlainWindow window;
            prepare(window, options);
            window.field(Field::txtSystem) = Str(double(range->base));
            window.field(Field::txtugrenze) = Str(double(lower));
            window.field(Field::txtnn) = Str(double(upper));
            Engine engine(window);
            engine.runSearch(); // one end marker for the whole run, written below
            queue.finish(*chunk, std::move(window.field(Field::txtErgebnis)));
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(worker);

    queue.drain([&](const std::string &list) { out.write(list); });
    for (auto &thread : pool)
        thread.join();
    out.write(texts::kFertig);
    return {};
}

} // namespace

std::string runSingleCase(const Options &options, Output &out)
{
    PlainWindow window;
    prepare(window, options);
    Engine engine(window);
    engine.cmdEinzelfall_Click();
    const std::string message = firstMessage(window);
    if (message.empty())
        out.write(window.result());
    return message;
}

std::string runSearch(const Options &options, Output &out)
{
    if (!rangeIsSearchable(Val(options.von), Val(options.bis)))
        return rangeTooLargeMessage();
    const unsigned threads =
        options.threads ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    return runSplit(options, threads, out);
}

} // namespace kz::cli
