// Counting by the transfer-matrix method. Small graphs are counted side by side and each length
// is reported as soon as it is counted; when the graphs of a base would not fit in memory
// together, the short lengths still come at once, from graphs bounded to their walks, and for the
// rest each graph is built, counted over every length and freed before the next.
#include "kehrzahlen/fraction.h"
#include "kehrzahlen/graphbuild.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/limits.h"
#include "kehrzahlen/walkcounter.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <memory>
#include <optional>

namespace kz::kehr {

namespace {

// States counted side by side at most; with their steps and counts they take some tens of MB.
constexpr std::size_t kStatesAtOnce = std::size_t(1) << 18;

struct Counted {
    CarryGraph graph;
    std::unique_ptr<WalkCounter> counter; // points into graph, which therefore never moves
};

// The counts of walks of `steps` steps into Count's lengths 2·steps and 2·steps + 1, for the
// lengths of first..last among them.
void addCounts(const Counted &c, std::uint64_t first, std::uint64_t last,
               const std::function<Count &(std::uint64_t)> &countOf)
{
    const std::uint64_t steps = c.counter->steps();
    for (const std::uint64_t length : {2 * steps, 2 * steps + 1}) {
        if (length < first || length > last)
            continue;
        mpz_class n = c.counter->ending(parityOf(length));
        if (n == 0)
            continue;
        Count &count = countOf(length);
        count.total += n;
        count.perQuotient.emplace_back(c.graph.quotient, std::move(n));
    }
}

// Counts the graphs side by side, step by step, reporting each length as it is done.
bool countSideBySide(std::vector<std::unique_ptr<Counted>> &all, std::uint64_t first,
                     std::uint64_t last, const std::function<bool(const Count &)> &report,
                     Ticker &ticker)
{
    Count count;
    for (std::uint64_t steps = 1; 2 * steps <= last; ++steps) {
        for (const std::uint64_t length : {2 * steps, 2 * steps + 1}) {
            if (length < first || length > last)
                continue;
            count = Count{length, 0, {}};
            for (const auto &c : all) {
                if (c->counter->steps() == steps)
                    addCounts(*c, length, length, [&](std::uint64_t) -> Count & { return count; });
            }
            if (!report(count))
                return false;
        }
        ticker.setShare(double(2 * steps + 1) / double(last));
        for (const auto &c : all)
            c->counter->step(ticker);
    }
    return true;
}

// The count of one length D from each Q's generating function where its graph is small against
// D, else by walking D / 2 steps: a power of the transfer matrix, taken by repeated squaring
// modulo the characteristic polynomial, costs log D products instead of D / 2 steps.
Count countOneLength(int base, std::uint64_t length, Ticker &ticker)
{
    Count count{length, 0, {}};
    const std::uint64_t steps = length / 2;
    for (int q = kSmallestQuotient; q < base; ++q) {
        ticker.setShare(double(q) / double(base));
        const CarryGraph g = buildCarryGraph(base, q, steps, ticker);
        if (g.states.empty())
            continue;
        const std::uint64_t lengths = termsToFix(degreeBound(g));
        mpz_class n;
        if (lengths < length / 4) {
            n = coefficientOf(fractionOf(countsByLength(g, lengths, ticker)), length);
        } else {
            WalkCounter counter(g, steps);
            while (counter.step(ticker)) {
            }
            if (counter.steps() == steps)
                n = counter.ending(parityOf(length));
        }
        if (n != 0) {
            count.total += n;
            count.perQuotient.emplace_back(q, std::move(n));
        }
    }
    return count;
}

// Hands the memory a large graph's exploration left behind back to the system before its counts
// take their share: glibc keeps freed blocks in its heap, where they would count twice.
void returnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

// The graphs of every Q for walks of up to maxSteps steps, each with its counter, if their states
// fit side by side.
std::optional<std::vector<std::unique_ptr<Counted>>> sideBySide(int base, std::uint64_t maxSteps,
                                                                Ticker &ticker)
{
    std::vector<std::unique_ptr<Counted>> all;
    std::size_t states = 0;
    for (int q = kSmallestQuotient; q < base; ++q) {
        auto c = std::make_unique<Counted>();
        c->graph = buildCarryGraph(base, q, maxSteps, ticker);
        if (c->graph.states.empty())
            continue;
        states += c->graph.states.size();
        if (states > kStatesAtOnce)
            return std::nullopt;
        all.push_back(std::move(c));
    }
    for (auto &c : all)
        c->counter = std::make_unique<WalkCounter>(c->graph, maxSteps);
    return all;
}

// Builds and counts each Q's graph on its own, freeing it before the next, keeping the counts of
// first..last (2 <= first), and reports them once all are counted.
bool countOneAfterTheOther(int base, std::uint64_t first, std::uint64_t last,
                           const std::function<bool(const Count &)> &report, Ticker &ticker)
{
    if (first > last)
        return true;
    std::vector<Count> counts(last - first + 1);
    for (std::uint64_t length = first; length <= last; ++length)
        counts[length - first].length = length;
    const auto countOf = [&](std::uint64_t length) -> Count & { return counts[length - first]; };
    for (int q = kSmallestQuotient; q < base; ++q) {
        ticker.setShare(double(q) / double(base));
        Counted c;
        c.graph = buildCarryGraph(base, q, last / 2, ticker);
        if (c.graph.states.empty())
            continue;
        if (c.graph.states.size() > kStatesAtOnce)
            returnFreedMemory();
        c.counter = std::make_unique<WalkCounter>(c.graph, last / 2);
        do
            addCounts(c, first, last, countOf);
        while (c.counter->step(ticker));
    }
    for (const Count &count : counts) {
        if (!report(count))
            return false;
    }
    return true;
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
        if (first == last)
            return report(countOneLength(base, last, ticker));
        const std::uint64_t lastStep = last / 2; // walks of k steps end D = 2k and D = 2k + 1
        const std::uint64_t from = std::max<std::uint64_t>(first, 2);
        if (auto all = sideBySide(base, lastStep, ticker))
            return countSideBySide(*all, from, last, report, ticker);

        // The short lengths come at once from graphs bounded to fewer steps, which fit side by
        // side; the rest once every graph has been counted on its own.
        std::uint64_t shortSteps = 0;
        std::vector<std::unique_ptr<Counted>> shortGraphs;
        for (std::uint64_t steps = 8; steps < lastStep; steps *= 2) {
            auto graphs = sideBySide(base, steps, ticker);
            if (!graphs)
                break;
            shortSteps = steps;
            shortGraphs = std::move(*graphs);
        }
        std::uint64_t rest = from;
        if (shortSteps != 0 && 2 * shortSteps + 1 >= from) {
            if (!countSideBySide(shortGraphs, from, 2 * shortSteps + 1, report, ticker))
                return false;
            rest = 2 * shortSteps + 2;
        }
        shortGraphs.clear();
        return countOneAfterTheOther(base, rest, last, report, ticker);
    });
}

} // namespace kz::kehr
