#include "cli/digitpairs.h"

#include "cli/failure.h"
#include "cli/orderedmap.h"
#include "engine/conversions.h"
#include "engine/texts.h"
#include "kehrzahlen/kehrzahlen.h"

#include <sstream>

namespace kz::cli {

namespace {

inline constexpr std::uint64_t kLargestDigitCount = 1000000;

void checkBases(WholeRange<int> bases)
{
    if (bases.first >= kehr::kSmallestBase && bases.last <= kehr::kLargestBase)
        return;
    throw MessageError("Die Basis muß zwischen " + std::to_string(kehr::kSmallestBase) + " und " +
                       std::to_string(kehr::kLargestBase) + " liegen");
}

void checkStellen(const Options &options)
{
    checkBases(options.bases);
    if (options.lengths.first >= 1 && options.lengths.last <= kLargestDigitCount)
        return;
    throw MessageError("Die Stellenzahl muß zwischen 1 und " + std::to_string(kLargestDigitCount) +
                       " liegen");
}

} // namespace

void runList(const Options &options, Output &out, std::atomic<bool> &stop)
{
    checkStellen(options);
    const int base = options.bases.first;
    std::string entry;
    for (std::uint64_t digits = options.lengths.first; digits <= options.lengths.last; ++digits) {
        bool going = true;
        kehr::listKehrzahlen(base, digits, [&](const kehr::Kehrzahl &k) {
            entry.clear();
            kehr::appendEntry(entry, base, k);
            going = out.write(entry) && !stop;
            return going;
        });
        if (!going)
            return;
    }
    out.write(texts::kFertig);
}

void runCount(const Options &options, Output &out, std::atomic<bool> &stop)
{
    checkStellen(options);
    std::string line;
    kehr::countKehrzahlen(options.bases.first, options.lengths.first, options.lengths.last,
                          [&](const kehr::Count &count) {
                              line = std::to_string(count.digits) +
                                     (count.digits == 1 ? " Stelle: " : " Stellen: ") +
                                     count.total.get_str();
                              for (std::size_t k = 0; k < count.perQuotient.size(); ++k) {
                                  const auto &[q, n] = count.perQuotient[k];
                                  line += k == 0 ? "  (" : ", ";
                                  line += "Q=" + std::to_string(q) + ": " + n.get_str();
                              }
                              line += count.perQuotient.empty() ? "\n" : ")\n";
                              return out.write(line) && !stop;
                          });
}

void runMultiplikatoren(const Options &options, Output &out, std::atomic<bool> &stop)
{
    checkBases(options.bases);
    const int first = options.bases.first;
    const std::size_t count = std::size_t(options.bases.last - first + 1);
    const unsigned threads = workerCount(options.threads);
    const std::function<std::optional<std::string>(std::size_t)> line = [&](std::size_t k) {
        const int base = first + int(k);
        std::string text = std::to_string(base) + ':';
        for (const int q : kehr::kehrmultiplikatoren(base))
            text += ' ' + std::to_string(q);
        text += '\n';
        return std::optional(std::move(text));
    };
    const std::function<bool(std::string &)> write = [&](std::string &text) {
        return out.write(text);
    };
    orderedMap(count, threads, 4 * threads, line, write, stop);
}

void runGraph(const Options &options, Output &out, std::atomic<bool> &)
{
    checkBases(options.bases);
    const int base = options.bases.first;
    if (options.quotient < 2 || options.quotient >= base)
        throw MessageError("Q muß mindestens 2 und kleiner als die Basis S =" + Str(double(base)) +
                           " sein");
    std::ostringstream dot;
    kehr::writeStateGraphDot(dot, base, options.quotient);
    out.write(dot.str());
}

} // namespace kz::cli
