#include "cli/search.h"

#include "cli/failure.h"
#include "cli/orderedmap.h"
#include "cli/streamingwindow.h"
#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/plainwindow.h"
#include "engine/searchlimits.h"
#include "engine/texts.h"

#include <algorithm>

namespace kz::cli {

namespace {

// Numbers per chunk of a split search: small enough that even a stretch where every other number
// is a hit (negative numbers) holds only a few megabytes of list.
constexpr std::int64_t kChunkNumbers = 1 << 18;
// Finished chunks that may wait for the writer, per thread.
constexpr std::size_t kChunksAheadPerThread = 4;
// Numbers tested between two looks at the stop flag: rare enough to cost nothing, often enough
// to stop within a millisecond.
constexpr std::uint32_t kNumbersBetweenLooks = 1 << 16;

void prepare(PlainWindow &window, const Options &options)
{
    window.field(Field::txtSystem) = options.basis;
    window.field(Field::txtugrenze) = options.von;
    window.field(Field::txtnn) = options.bis;
    window.setCheckBox(CheckBox::chkNichttrivial, options.filter[0]);
    window.setCheckBox(CheckBox::chkTeiler, options.filter[1]);
    window.setCheckBox(CheckBox::chkzugross, options.filter[2]);
    window.field(Field::txtEinzelfall) = options.einzelfall;
}

// A stop asked for from outside reaches the search as the abort button would: in a yield.
void stopWhen(PlainWindow &window, Engine &engine, std::function<bool()> asked)
{
    window.setYieldStride(kNumbersBetweenLooks);
    window.onYield = [&engine, asked = std::move(asked)](std::uint64_t) {
        if (asked())
            engine.Command3_Click();
    };
}

void throwMessage(const PlainWindow &window)
{
    if (!window.messages().empty())
        throw MessageError(window.messages().front().text);
}

void runWhole(const Options &options, Output &out, std::atomic<bool> &stop)
{
    StreamingWindow window(out);
    prepare(window, options);
    Engine engine(window);
    stopWhen(window, engine, [&] { return stop || out.failed(); });
    engine.Command1_Click();
    throwMessage(window);
}

} // namespace

void runSingleCase(const Options &options, Output &out)
{
    PlainWindow window;
    prepare(window, options);
    Engine engine(window);
    engine.cmdEinzelfall_Click();
    throwMessage(window);
    out.write(window.result());
}

// Without a window nothing can run inside a yield, so disjoint stretches of the range are
// independent: each is searched by its own engine and the lists are written in order.
void runSearch(const Options &options, Output &out, std::atomic<bool> &stop)
{
    if (!rangeIsSearchable(Val(options.von), Val(options.bis)))
        throw MessageError(rangeTooLargeMessage());
    const unsigned threads = workerCount(options.threads);
    const auto range = splittableRange(Val(options.basis), Val(options.von), Val(options.bis));
    const std::int64_t count = range ? range->to - range->from + 1 : 0;
    if (threads < 2 || count < 2 * kChunkNumbers) {
        runWhole(options, out, stop);
        return;
    }

    const auto chunks = static_cast<std::size_t>((count + kChunkNumbers - 1) / kChunkNumbers);
    const std::function<std::optional<std::string>(std::size_t)> search = [&](std::size_t chunk) {
        const std::int64_t lower = range->from + std::int64_t(chunk) * kChunkNumbers;
        const std::int64_t upper = std::min(range->to, lower + kChunkNumbers - 1);
        PlainWindow window;
        prepare(window, options);
        window.field(Field::txtSystem) = Str(double(range->base));
        window.field(Field::txtugrenze) = Str(double(lower));
        window.field(Field::txtnn) = Str(double(upper));
        Engine engine(window);
        stopWhen(window, engine, [&] { return bool(stop); });
        // One end marker for the whole run, written below.
        if (!engine.runSearch())
            return std::optional<std::string>();
        return std::optional(std::move(window.field(Field::txtErgebnis)));
    };
    const std::function<bool(std::string &)> write = [&](std::string &list) {
        return out.write(list);
    };
    if (orderedMap(chunks, threads, kChunksAheadPerThread * threads, search, write, stop))
        out.write(texts::kFertig);
}

} // namespace kz::cli
