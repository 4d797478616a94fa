// Counting by the transfer-matrix method: the number of walks of each length into every state,
// carried forward one step at a time for all Q at once. Only states some walk of the current
// length reaches are touched, so a large graph costs only as much as its walks use of it.
#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/kehrzahlen.h"

#include <stdexcept>

namespace kz::kehr {

namespace {

struct Lane {
    CarryGraph graph;
    std::vector<mpz_class> walks, next; // walks of the current length into each state, else 0
    std::vector<std::uint32_t> reached, nextReached; // the states where walks is not 0
    std::vector<bool> evenEnd, oddEnd;
};

std::vector<Lane> lanesOf(int base, std::uint64_t maxSteps)
{
    std::vector<Lane> lanes;
    for (int q = 2; q < base; ++q) {
        CarryGraph g = buildCarryGraph(base, q, maxSteps);
        if (g.states.empty())
            continue;
        const std::size_t n = g.states.size();
        Lane lane{std::move(g), std::vector<mpz_class>(n), std::vector<mpz_class>(n), {},
                  {},           std::vector<bool>(n),      std::vector<bool>(n)};
        for (std::uint32_t s = 0; s < n; ++s) {
            lane.evenEnd[s] = endsEven(lane.graph.states[s]);
            lane.oddEnd[s] = middleDigit(base, q, lane.graph.states[s]).has_value();
        }
        for (const Step &step : lane.graph.firstSteps) {
            if (lane.walks[step.to] == 0)
                lane.reached.push_back(step.to);
            ++lane.walks[step.to];
        }
        lanes.push_back(std::move(lane));
    }
    return lanes;
}

Count countOf(std::uint64_t digits, const std::vector<Lane> &lanes, Parity parity)
{
    Count count{digits, 0, {}};
    for (const Lane &lane : lanes) {
        const std::vector<bool> &ends = parity == Parity::Even ? lane.evenEnd : lane.oddEnd;
        mpz_class sum;
        for (const std::uint32_t s : lane.reached) {
            if (ends[s])
                sum += lane.walks[s];
        }
        if (sum != 0) {
            count.total += sum;
            count.perQuotient.emplace_back(lane.graph.quotient, std::move(sum));
        }
    }
    return count;
}

void stepForward(Lane &lane)
{
    for (const std::uint32_t s : lane.reached) {
        for (const Step &step : lane.graph.stepsFrom(s)) {
            mpz_class &into = lane.next[step.to];
            if (into == 0)
                lane.nextReached.push_back(step.to);
            into += lane.walks[s];
        }
    }
    for (const std::uint32_t s : lane.reached)
        lane.walks[s] = 0;
    lane.walks.swap(lane.next);
    lane.reached.swap(lane.nextReached);
    lane.nextReached.clear();
}

} // namespace

void countKehrzahlen(int base, std::uint64_t first, std::uint64_t last,
                     const std::function<bool(const Count &)> &report)
{
    checkBase(base);
    if (first < 1 || first > last)
        throw std::invalid_argument("digit counts must satisfy 1 <= first <= last");
    // One digit has no Kehrzahl: n = Q·n is impossible for Q >= 2.
    if (first == 1 && !report(Count{1, 0, {}}))
        return;
    if (last < 2)
        return;
    std::vector<Lane> lanes = lanesOf(base, last / 2);
    // Walks of length k end both D = 2k and D = 2k + 1.
    for (std::uint64_t k = 1;; ++k) {
        for (const Parity parity : {Parity::Even, Parity::Odd}) {
            const std::uint64_t digits = 2 * k + (parity == Parity::Odd);
            if (digits > last)
                return;
            if (digits >= first && !report(countOf(digits, lanes, parity)))
                return;
        }
        for (Lane &lane : lanes)
            stepForward(lane);
    }
}

} // namespace kz::kehr
