#include "cli/digitpairs.h"

#include "cli/graphdot.h"
#include "cli/kehrentry.h"
#include "cli/orderedmap.h"
#include "engine/conversions.h"
#include "engine/texts.h"
#include "kehrzahlen/kehrzahlen.h"

namespace kz::cli {

void runList(const Options &options, Output &out, std::atomic<bool> &stop)
{
    const int base = options.bases.first;
    std::string entry;
    const bool whole = kehr::listKehrzahlen(base, options.lengths.first, options.lengths.last,
                                            [&](const kehr::Kehrzahl &k) {
                                                entry.clear();
                                                appendKehrzahlEntry(entry, base, k);
                                                return out.write(entry) && !stop;
                                            },
                                            {.progress = {}, .cancel = &stop});
    if (whole)
        out.write(texts::kFertig);
}

void runCount(const Options &options, Output &out, std::atomic<bool> &stop)
{
    std::string line;
    kehr::countKehrzahlen(
        options.bases.first, options.lengths.first, options.lengths.last,
        [&](const kehr::Count &count) {
            line = std::to_string(count.length) + (count.length == 1 ? " Stelle: " : " Stellen: ") +
                   count.total.get_str();
            for (std::size_t k = 0; k < count.perQuotient.size(); ++k) {
                const auto &[q, n] = count.perQuotient[k];
                line += k == 0 ? "  (" : ", ";
                line += "Q=" + std::to_string(q) + ": " + n.get_str();
            }
            line += count.perQuotient.empty() ? "\n" : ")\n";
            return out.write(line) && !stop;
        },
        {.progress = {}, .cancel = &stop}, workerCount(options.threads));
}

void runMultiplikatoren(const Options &options, Output &out, std::atomic<bool> &stop)
{
    kehr::checkBases(options.bases.first, options.bases.last);
    const int first = options.bases.first;
    const std::size_t count = std::size_t(options.bases.last - first + 1);
    const unsigned threads = workerCount(options.threads);
    const std::function<std::optional<std::string>(std::size_t)> line = [&](std::size_t k) {
        const int base = first + int(k);
        std::string text = std::to_string(base) + ':';
        for (const kehr::Multiplier &m : kehr::kehrmultiplikatoren(base))
            text += ' ' + std::to_string(m.quotient);
        text += '\n';
        return std::optional(std::move(text));
    };
    const std::function<bool(std::string &)> write = [&](std::string &text) {
        return out.write(text);
    };
    orderedMap(count, threads, 4 * threads, line, write, stop);
}

void runGraph(const Options &options, Output &out, std::atomic<bool> &stop)
{
    const kehr::Watch watch{.progress = {}, .cancel = &stop};
    const auto graph = kehr::carryGraph(options.bases.first, options.quotient, watch);
    const auto smallest =
        graph ? kehr::smallestKehrzahl(options.bases.first, options.quotient, watch) : std::nullopt;
    if (!smallest)
        return;
    // Line by line into the output: the drawing is never held as a whole text.
    writeStateGraphDot([&](std::string_view line) { return out.write(line) && !stop; }, *graph,
                       *smallest);
}

namespace {

// A polynomial as a computer algebra system reads it, from x^0 up: "1 - x^2 - 2*x^3".
std::string polynomialText(const std::vector<mpz_class> &coefficients)
{
    std::string text;
    for (std::size_t power = 0; power < coefficients.size(); ++power) {
        const mpz_class &c = coefficients[power];
        if (c == 0)
            continue;
        const mpz_class size = abs(c);
        text += text.empty() ? (c < 0 ? "-" : "") : (c < 0 ? " - " : " + ");
        if (power == 0 || size != 1)
            text += size.get_str() + (power == 0 ? "" : "*");
        if (power == 1)
            text += "x";
        else if (power > 1)
            text += "x^" + std::to_string(power);
    }
    return text.empty() ? "0" : text;
}

} // namespace

void runErzeugende(const Options &options, Output &out, std::atomic<bool> &stop)
{
    const auto functions =
        kehr::erzeugendeFunktionen(options.bases.first, {.progress = {}, .cancel = &stop});
    if (!functions)
        return;
    for (const kehr::GeneratingFunction &f : *functions) {
        const std::string name = f.quotient == 0 ? "Summe" : "Q=" + std::to_string(f.quotient);
        if (!out.write(name + ": (" + polynomialText(f.fraction.numerator) + ")/(" +
                       polynomialText(f.fraction.denominator) + ")\n"))
            return;
    }
}

} // namespace kz::cli
