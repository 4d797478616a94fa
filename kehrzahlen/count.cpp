// Counting by the transfer-matrix method: the number of walks of each length into every state,
// carried forward one step at a time for all Q at once. Only states some walk of the current
// length reaches are touched, so a large graph costs only as much as its walks use of it.
#include "kehrzahlen/graphbuild.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/limits.h"

namespace kz::kehr {

namespace {

// The walks of one Q, all of the current length.
struct WalkCounts {
    CarryGraph graph;
    std::vector<mpz_class> into, next;               // walks into each state, else 0
    std::vector<std::uint32_t> reached, nextReached; // the states where into is not 0
};

std::vector<WalkCounts> walkCountsOf(int base, std::uint64_t maxSteps, Ticker &ticker)
{
    std::vector<WalkCounts> all;
    for (int q = kSmallestQuotient; q < base; ++q) {
        CarryGraph g = buildCarryGraph(base, q, maxSteps, ticker);
        if (g.states.empty())
            continue;
        const std::size_t n = g.states.size();
        WalkCounts w{std::move(g), std::vector<mpz_class>(n), std::vector<mpz_class>(n), {}, {}};
        for (const Step &step : w.graph.firstSteps) {
            if (w.into[step.to] == 0)
                w.reached.push_back(step.to);
            ++w.into[step.to];
        }
        all.push_back(std::move(w));
    }
    return all;
}

Count countOf(std::uint64_t length, const std::vector<WalkCounts> &all)
{
    const Parity parity = parityOf(length);
    Count count{length, 0, {}};
    for (const WalkCounts &w : all) {
        mpz_class sum;
        for (const std::uint32_t s : w.reached) {
            if (w.graph.endsAt(s, parity))
                sum += w.into[s];
        }
        if (sum != 0) {
            count.total += sum;
            count.perQuotient.emplace_back(w.graph.quotient, std::move(sum));
        }
    }
    return count;
}

void stepForward(WalkCounts &w, Ticker &ticker)
{
    for (const std::uint32_t s : w.reached) {
        for (const Step &step : w.graph.stepsFrom(s)) {
            mpz_class &into = w.next[step.to];
            if (into == 0)
                w.nextReached.push_back(step.to);
            into += w.into[s];
        }
        ticker.tick(1 + std::uint32_t(w.graph.stepsFrom(s).size()));
    }
    for (const std::uint32_t s : w.reached)
        w.into[s] = 0;
    w.into.swap(w.next);
    w.reached.swap(w.nextReached);
    w.nextReached.clear();
}

} // namespace

bool countKehrzahlen(int base, std::uint64_t first, std::uint64_t last,
                     const std::function<bool(const Count &)> &report, const Watch &watch)
{
    checkBase(base);
    checkLengths(first, last);
    return watched(watch, [&](Ticker &ticker) {
        // One digit has no Kehrzahl: n = Q·n is impossible for Q >= 2.
        if (first == 1 && !report(Count{1, 0, {}}))
            return false;
        if (last < 2)
            return true;
        std::vector<WalkCounts> all = walkCountsOf(base, last / 2, ticker);
        // Walks of k steps end both D = 2k and D = 2k + 1.
        for (std::uint64_t k = 1;; ++k) {
            for (const std::uint64_t length : {2 * k, 2 * k + 1}) {
                if (length > last)
                    return true;
                if (length >= first && !report(countOf(length, all)))
                    return false;
            }
            ticker.setShare(double(2 * k + 1) / double(last));
            for (WalkCounts &w : all)
                stepForward(w, ticker);
        }
    });
}

} // namespace kz::kehr
