#include "cli/digitpairs.h"

#include "cli/graphdot.h"
#include "cli/kehrentry.h"

#include "engine/conversions.h"
#include "engine/texts.h"
#include "kehrzahlen/kehrzahlen.h"

#include <sstream>

namespace kz::cli {

namespace {

std::string checkBases(const WholeRange &bases)
{
    if (bases.first >= std::uint64_t(kehr::kSmallestBase) &&
        bases.last <= std::uint64_t(kehr::kLargestBase))
        return {};
    return "Die Basis muß zwischen " + std::to_string(kehr::kSmallestBase) + " und " +
           std::to_string(kehr::kLargestBase) + " liegen";
}

std::string checkStellen(const Options &options)
{
    if (std::string refusal = checkBases(options.bases); !refusal.empty())
        return refusal;
    if (options.stellen.first >= 1 && options.stellen.last <= kLargestDigitCount)
        return {};
    return "Die Stellenzahl muß zwischen 1 und " + std::to_string(kLargestDigitCount) + " liegen";
}

} // namespace

std::string runList(const Options &options, Output &out)
{
    if (std::string refusal = checkStellen(options); !refusal.empty())
        return refusal;
    const int base = int(options.bases.first);
    std::string entry;
    kehr::listKehrzahlen(base, options.stellen.first, options.stellen.last,
                         [&](const kehr::Kehrzahl &k) {
                             entry.clear();
                             appendKehrzahlEntry(entry, base, k);
                             out.write(entry);
                             return !out.failed(); // nobody reads the rest
                         });
    out.write(texts::kFertig);
    return {};
}

std::string runCount(const Options &options, Output &out)
{
    if (std::string refusal = checkStellen(options); !refusal.empty())
        return refusal;
    std::string line;
    kehr::countKehrzahlen(int(options.bases.first), options.stellen.first, options.stellen.last,
                          [&](const kehr::Count &count) {
                              line = std::to_string(count.length) +
                                     " Stellen: " + count.total.get_str();
                              for (std::size_t k = 0; k < count.perQuotient.size(); ++k) {
                                  const auto &[q, n] = count.perQuotient[k];
                                  line += k == 0 ? "  (" : ", ";
                                  line += "Q=" + std::to_string(q) + ": " + n.get_str();
                              }
                              line += count.perQuotient.empty() ? "\n" : ")\n";
                              out.write(line);
                              return !out.failed();
                          });
    return {};
}

std::string runMultiplikatoren(const Options &options, Output &out)
{
    if (std::string refusal = checkBases(options.bases); !refusal.empty())
        return refusal;
    kehr::kehrmultiplikatorenOfBases(int(options.bases.first), int(options.bases.last),
                                     [&](int base, const std::vector<kehr::Multiplier> &found) {
                                         std::string line = std::to_string(base) + ':';
                                         for (const kehr::Multiplier &m : found) {
                                             line += ' ';
                                             line += std::to_string(m.quotient);
                                         }
                                         line += '\n';
                                         out.write(line);
                                         return !out.failed();
                                     });
    return {};
}

std::string runGraph(const Options &options, Output &out)
{
    if (std::string refusal = checkBases(options.bases); !refusal.empty())
        return refusal;
    const std::uint64_t base = options.bases.first;
    if (options.quotient < 2 || options.quotient >= base)
        return "Q muß mindestens 2 und kleiner als die Basis S =" + Str(double(base)) + " sein";
    std::ostringstream dot;
    writeStateGraphDot(dot, int(base), int(options.quotient));
    out.write(dot.str());
    return {};
}

} // namespace kz::cli
