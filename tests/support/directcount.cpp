#include "tests/support/directcount.h"

#include "kehrzahlen/graphbuild.h"

namespace kz::testing {

std::vector<kehr::Count> directCounts(int base, std::uint64_t first, std::uint64_t last)
{
    const kehr::Watch watch;
    kehr::Ticker ticker(watch);
    struct Walks {
        kehr::CarryGraph graph;
        std::vector<mpz_class> into; // walks of the current length into each state
    };
    std::vector<Walks> all;
    for (int q = kehr::kSmallestQuotient; q < base; ++q) {
        kehr::CarryGraph g = kehr::buildCarryGraph(base, q, last / 2, ticker);
        if (g.states.empty())
            continue;
        std::vector<mpz_class> into(g.states.size());
        for (const kehr::Step &s : g.firstSteps)
            ++into[s.to];
        all.push_back({std::move(g), std::move(into)});
    }
    std::vector<kehr::Count> counts;
    for (std::uint64_t steps = 1; 2 * steps <= last; ++steps) {
        for (const std::uint64_t length : {2 * steps, 2 * steps + 1}) {
            if (length < first || length > last)
                continue;
            kehr::Count count{length, 0, {}};
            for (const Walks &w : all) {
                mpz_class n;
                for (std::uint32_t s = 0; s < w.into.size(); ++s) {
                    if (w.graph.endsAt(s, kehr::parityOf(length)))
                        n += w.into[s];
                }
                if (n != 0) {
                    count.total += n;
                    count.perQuotient.emplace_back(w.graph.quotient, n);
                }
            }
            counts.push_back(std::move(count));
        }
        for (Walks &w : all) {
            std::vector<mpz_class> next(w.into.size());
            for (std::uint32_t s = 0; s < w.into.size(); ++s) {
                if (w.into[s] == 0)
                    continue;
                for (const kehr::Step &step : w.graph.stepsFrom(s))
                    next[step.to] += w.into[s];
            }
            w.into.swap(next);
        }
    }
    return counts;
}

} // namespace kz::testing
