#include "cli/search.h"

#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/plainwindow.h"
#include "engine/texts.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

namespace kz::cli {

namespace {

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
    if (options.einzelfall)
        window.field(Field::txtEinzelfall) = *options.einzelfall;
}

Outcome finish(PlainWindow &window)
{
    Outcome outcome;
    outcome.resultList = std::move(window.field(Field::txtErgebnis));
    if (!window.messages().empty())
        outcome.message = window.messages().front().text;
    return outcome;
}

Outcome runAlone(const Options &options)
{
    PlainWindow window;
    prepare(window, options);
    Engine engine(window);
    if (options.einzelfall)
        engine.cmdEinzelfall_Click();
    else
        engine.Command1_Click();
    return finish(window);
}

// Without a window nothing can run inside a yield, so disjoint stretches of the range are
// independent: each thread searches one with its own engine and the lists are joined in order.
Outcome runSplit(const Options &options, unsigned threads)
{
    const double base = Int(Val(options.basis));
    const double from = Val(options.von);
    const double to = Val(options.bis);
    const double count = to - from + 1;
    // Split only whole ranges inside the testable numbers; everything else runs as one.
    if (threads < 2 || options.einzelfall || !(base >= 2 && base <= 2147483647) ||
        from != Int(from) || !(from >= -2147483648.0 && to <= 2147483647.0) || count < 2 * threads)
        return runAlone(options);

    // More chunks than threads keeps the cores busy when hits cluster in one part of the range.
    const double chunks = std::min<double>(threads * 16.0, count);
    const double chunkSize = std::ceil(count / chunks);
    std::vector<std::string> lists(static_cast<std::size_t>(std::ceil(count / chunkSize)));
    std::atomic<std::size_t> nextChunk{0};
    auto worker = [&] {
        for (std::size_t k = nextChunk++; k < lists.size(); k = nextChunk++) {
            const double lower = from + static_cast<double>(k) * chunkSize;
            const double upper = std::min(to, lower + chunkSize - 1);
            PlainWindow window;
            prepare(window, options);
            window.field(Field::txtSystem) = Str(base);
            window.field(Field::txtugrenze) = Str(lower);
            window.field(Field::txtnn) = Str(upper);
            Engine engine(window);
            engine.Command1_Click();
            std::string list = std::move(window.field(Field::txtErgebnis));
            list.resize(list.size() - (sizeof texts::kFertig - 1));
            lists[k] = std::move(list);
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(worker);
    for (auto &thread : pool)
        thread.join();

    Outcome outcome;
    std::size_t size = sizeof texts::kFertig;
    for (const auto &list : lists)
        size += list.size();
    outcome.resultList.reserve(size);
    for (const auto &list : lists)
        outcome.resultList += list;
    outcome.resultList += texts::kFertig;
    return outcome;
}

} // namespace

Outcome run(const Options &options)
{
    const unsigned threads =
        options.threads ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    return runSplit(options, threads);
}

} // namespace kz::cli
