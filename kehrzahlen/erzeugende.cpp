// The generating functions of the counts: each Q's carry graph is a finite automaton, so its
// counts by length have a rational generating function, fixed by the first few counts.
#include "kehrzahlen/fraction.h"
#include "kehrzahlen/graphbuild.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/limits.h"
#include "kehrzahlen/walkcounter.h"

namespace kz::kehr {

std::optional<std::vector<GeneratingFunction>> erzeugendeFunktionen(int base, const Watch &watch)
{
    checkBase(base);
    std::optional<std::vector<GeneratingFunction>> out;
    watched(watch, [&](Ticker &ticker) {
        const auto refuse = [] {
            throw LimitError(Limit::Fraction, std::int64_t(kLongestFraction) + 1, 0,
                             std::int64_t(kLongestFraction));
        };
        std::vector<WalkGraph> graphs;
        std::uint64_t bound = 0;
        for (int q = kSmallestQuotient; q < base; ++q) {
            ticker.setShare(0.5 * (q - 1) / (base - 1));
            // Walks that pass more carry pairs than this cannot come back to a short fraction.
            Exploring how;
            how.maxStates = 16 * kLongestFraction;
            std::optional<WalkGraph> g = buildWalkGraph(base, q, kEveryLength, how, ticker);
            if (!g)
                refuse();
            if (g->size() == 0)
                continue;
            bound += degreeBound(*g);
            if (bound > kLongestFraction)
                refuse();
            graphs.push_back(std::move(*g));
        }
        const std::size_t lengths = termsToFix(bound);
        std::vector<GeneratingFunction> functions;
        std::vector<mpz_class> total(lengths);
        for (WalkGraph &g : graphs) {
            ticker.setShare(0.5 + 0.5 * double(functions.size()) / double(graphs.size()));
            const int quotient = g.quotient;
            const std::vector<mpz_class> counts = countsByLength(std::move(g), lengths, ticker);
            for (std::size_t d = 0; d < lengths; ++d)
                total[d] += counts[d];
            functions.push_back({quotient, fractionOf(counts, ticker)});
        }
        functions.push_back({0, fractionOf(total, ticker)});
        out = std::move(functions);
        return true;
    });
    return out;
}

} // namespace kz::kehr
