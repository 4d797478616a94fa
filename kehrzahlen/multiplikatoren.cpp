// The quotients a base allows, with their shortest and smallest Kehrzahlen, and the carry graph
// of one of them for drawing.
#include "kehrzahlen/graphbuild.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/limits.h"
#include "kehrzahlen/steprule.h"

namespace kz::kehr {

namespace {

static_assert(kTabledDivisors >= kLargestBase,
              "every Q of a base takes its divisor from the table");

std::vector<Multiplier> multipliersOf(int base, Ticker &ticker)
{
    std::vector<Multiplier> multipliers;
    const BaseRules rules(base);
    for (int q = kSmallestQuotient; q < base; ++q) {
        if (!rules.leavesStart(q))
            continue;
        if (const std::uint64_t shortest = shortestLength(rules.rule(q), ticker))
            multipliers.push_back({q, shortest});
    }
    return multipliers;
}

} // namespace

std::vector<Multiplier> kehrmultiplikatoren(int base)
{
    checkBase(base);
    std::vector<Multiplier> multipliers;
    watched({}, [&](Ticker &ticker) {
        multipliers = multipliersOf(base, ticker);
        return true;
    });
    return multipliers;
}

bool kehrmultiplikatorenOfBases(
    int first, int last, const std::function<bool(int, const std::vector<Multiplier> &)> &report,
    const Watch &watch)
{
    checkBases(first, last);
    return watched(watch, [&](Ticker &ticker) {
        for (int base = first; base <= last; ++base) {
            ticker.setShare(double(base - first) / double(last - first + 1));
            if (!report(base, multipliersOf(base, ticker)))
                return false;
        }
        return true;
    });
}

std::optional<std::vector<std::int32_t>> smallestKehrzahl(int base, int quotient,
                                                          const Watch &watch)
{
    checkBase(base);
    checkQuotient(base, quotient);
    std::uint64_t shortest = 0;
    if (!watched(watch, [&](Ticker &ticker) {
            shortest = shortestLength(base, quotient, ticker);
            return true;
        }))
        return std::nullopt;
    if (shortest == 0)
        return std::vector<std::int32_t>{};
    Lister lister(base, shortest, quotient);
    const Kehrzahl *k = lister.next(watch);
    if (!k)
        return std::nullopt; // the walk found one of this length: nothing else ends it early
    return std::vector<std::int32_t>(k->digits.begin(), k->digits.end());
}

std::optional<CarryGraph> carryGraph(int base, int quotient, const Watch &watch)
{
    checkBase(base);
    checkQuotient(base, quotient);
    CarryGraph graph;
    if (!watched(watch, [&](Ticker &ticker) {
            graph = buildCarryGraph(base, quotient, kEveryLength, ticker);
            return true;
        }))
        return std::nullopt;
    return graph;
}

} // namespace kz::kehr
