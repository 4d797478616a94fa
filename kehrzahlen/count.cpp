// Counting by the transfer-matrix method. The short lengths come at once, from graphs bounded to
// their walks; then small graphs are counted side by side, each length reported as soon as it is
// counted, and the graphs too large to hold together are built, counted over every length and
// freed one after the other before that, their counts kept compactly until their lengths are due.
#include "kehrzahlen/countrange.h"
#include "kehrzahlen/fraction.h"
#include "kehrzahlen/graphbuild.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/limits.h"
#include "kehrzahlen/walkcounter.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace kz::kehr {

namespace {

// Walks of at most this many steps are counted first, from graphs bounded to them: at the largest
// bases those take a tenth of a second, the whole graphs many seconds.
constexpr std::uint64_t kShortSteps = 64;

struct Counted {
    int quotient;
    WalkCounter counter;
};

// Calls f(length, n) for each length of first..last that the walks counted now end, with their
// count n where it is not 0: walks of k steps end D = 2k and D = 2k + 1.
template <typename F>
void forEachCount(const Counted &c, std::uint64_t first, std::uint64_t last, F f)
{
    const std::uint64_t steps = c.counter.steps();
    for (const std::uint64_t length : {2 * steps, 2 * steps + 1}) {
        if (length < first || length > last)
            continue;
        mpz_class n = c.counter.ending(parityOf(length));
        if (n != 0)
            f(length, std::move(n));
    }
}

// The counts of the Qs counted on their own, kept until their length is reported: per Q, in the
// order of the lengths, a header word (the length, and the count's size in words) and then the
// count's words, as GMP holds them. Next to big integers, or to one growing list per length,
// this keeps the millions of counts of a large base in the least memory.
class KeptCounts {
  public:
    // Keeps c's counts of its lengths, which come in increasing order.
    void add(int quotient, const std::vector<std::pair<std::uint64_t, mpz_class>> &counts)
    {
        Kept kept{quotient, {}, 0};
        for (const auto &[length, n] : counts) {
            const std::size_t size = mpz_size(n.get_mpz_t());
            kept.words.push_back(length | std::uint64_t(size) << 40);
            const mp_limb_t *words = mpz_limbs_read(n.get_mpz_t());
            kept.words.insert(kept.words.end(), words, words + size);
        }
        kept.words.shrink_to_fit();
        m_kept.push_back(std::move(kept));
    }
    // Adds the counts kept for count's length into it, in the order of Q, and frees those done.
    void moveInto(Count &count)
    {
        bool added = false;
        for (Kept &kept : m_kept) {
            if (kept.next == kept.words.size() ||
                (kept.words[kept.next] & kLengthBits) != count.length)
                continue;
            const std::size_t size = kept.words[kept.next] >> 40;
            mpz_class n;
            mpz_import(n.get_mpz_t(), size, -1, sizeof(std::uint64_t), 0, 0,
                       &kept.words[kept.next + 1]);
            kept.next += 1 + size;
            if (kept.next == kept.words.size()) {
                std::vector<std::uint64_t>().swap(kept.words);
                kept.next = 0;
            }
            count.total += n;
            count.perQuotient.emplace_back(kept.quotient, std::move(n));
            added = true;
        }
        if (added) {
            std::sort(count.perQuotient.begin(), count.perQuotient.end(),
                      [](const auto &a, const auto &b) { return a.first < b.first; });
        }
    }

  private:
    static constexpr std::uint64_t kLengthBits = (std::uint64_t(1) << 40) - 1;
    struct Kept {
        int quotient;
        std::vector<std::uint64_t> words;
        std::size_t next; // the next count to report
    };
    std::vector<Kept> m_kept;
};

// Runs work(ticker, 0) here and work(own, k) for k = 1 .. threads - 1 on helper threads, each with
// a ticker of its own that reports no progress and stops once leave is set. The first work that
// throws sets leave, and its error is thrown here once every thread has ended.
template <typename Work>
void onThreads(std::size_t threads, Ticker &ticker, std::atomic<bool> &leave, Work work)
{
    const Watch helping{.progress = {}, .cancel = ticker.watch().cancel};
    std::exception_ptr failed;
    std::mutex failing;
    const auto fail = [&] {
        {
            std::lock_guard lock(failing);
            if (!failed)
                failed = std::current_exception();
        }
        leave = true; // after the error is kept, so that what it makes the others throw is not
    };
    {
        std::vector<std::jthread> helpers; // joined before this scope is left, however
        try {
            for (std::size_t k = 1; k < threads; ++k) {
                helpers.emplace_back([&, k] {
                    try {
                        Ticker own(helping, 0, &leave);
                        work(own, k);
                    } catch (...) {
                        fail();
                    }
                });
            }
            work(ticker, std::size_t(0));
        } catch (...) {
            fail();
        }
    }
    if (failed)
        std::rethrow_exception(failed);
}

// Steps every counter once. On several threads, each steps a share of the counters, cut by
// their words.
void stepAll(const std::vector<std::unique_ptr<Counted>> &all, const CountBounds &bounds,
             Ticker &ticker)
{
    std::size_t words = 0;
    for (const auto &c : all)
        words += c->counter.words();
    const std::size_t shares = std::min<std::size_t>(
        bounds.threads, words / std::max<std::size_t>(bounds.wordsPerThread, 1));
    if (shares <= 1) {
        for (const auto &c : all)
            c->counter.step(ticker);
        return;
    }
    std::vector<std::size_t> cuts{0};
    std::size_t below = 0;
    for (std::size_t k = 0; k < all.size() && cuts.size() < shares; ++k) {
        below += all[k]->counter.words();
        if (below * shares >= words * cuts.size())
            cuts.push_back(k + 1);
    }
    cuts.push_back(all.size());
    std::atomic<bool> leave = false;
    onThreads(cuts.size() - 1, ticker, leave, [&](Ticker &t, std::size_t share) {
        for (std::size_t k = cuts[share]; k < cuts[share + 1]; ++k)
            all[k]->counter.step(t);
    });
}

// Counts the graphs side by side, step by step, reporting each length as it is done with the
// counts kept for it. doneBefore: the share of the work done before, by the Qs not among them.
bool countSideBySide(const std::vector<std::unique_ptr<Counted>> &all, KeptCounts &kept,
                     std::uint64_t first, std::uint64_t last,
                     const std::function<bool(const Count &)> &report, const CountBounds &bounds,
                     double doneBefore, Ticker &ticker)
{
    Count count;
    for (std::uint64_t steps = 1; 2 * steps <= last; ++steps) {
        for (const std::uint64_t length : {2 * steps, 2 * steps + 1}) {
            if (length < first || length > last)
                continue;
            count = Count{length, 0, {}};
            for (const auto &c : all) {
                if (c->counter.steps() != steps)
                    continue;
                forEachCount(*c, length, length, [&](std::uint64_t, mpz_class n) {
                    count.total += n;
                    count.perQuotient.emplace_back(c->quotient, std::move(n));
                });
            }
            kept.moveInto(count);
            if (!report(count))
                return false;
        }
        ticker.setShare(doneBefore + (1 - doneBefore) * double(2 * steps + 1) / double(last));
        stepAll(all, bounds, ticker);
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
        WalkGraph g = *buildWalkGraph(base, q, steps, {}, ticker);
        if (g.size() == 0)
            continue;
        const std::uint64_t lengths = termsToFix(degreeBound(g));
        mpz_class n;
        if (lengths < length / 4) {
            n = coefficientOf(fractionOf(countsByLength(std::move(g), lengths, ticker), ticker),
                              length, ticker);
        } else {
            WalkCounter counter(std::move(g), steps);
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

using Counts = std::vector<std::pair<std::uint64_t, mpz_class>>;

// Counts one Q's walks to the end; its counts of first..last.
Counts countToEnd(Counted &c, std::uint64_t first, std::uint64_t last, Ticker &ticker)
{
    std::vector<mpz_class> all = c.counter.countAll(ticker);
    Counts counts;
    for (std::uint64_t length = first; length <= last && length < all.size(); ++length) {
        if (all[length] != 0)
            counts.emplace_back(length, std::move(all[length]));
    }
    return counts;
}

// One Q as built: its counter, to count side by side with others, or else its counts, when it
// was counted to the end on its own.
struct Built {
    int quotient;
    std::unique_ptr<Counted> counted;
    Counts counts;
};

// Thrown where an exploration grows large while another holds the turn: its Q waits for later,
// and the thread goes on with the next one rather than wait.
struct Postponed {};

// The turn of the one large exploration at a time: from its start until its Q is counted.
class LargeTurn {
  public:
    LargeTurn(std::mutex &turns, std::atomic<bool> &underway) : m_turns(turns), m_underway(underway)
    {
    }
    ~LargeTurn()
    {
        if (taken())
            m_underway = false;
    }
    void take()
    {
        m_turn = std::unique_lock(m_turns);
        m_underway = true;
    }
    bool tryTake()
    {
        m_turn = std::unique_lock(m_turns, std::try_to_lock);
        if (taken())
            m_underway = true;
        return taken();
    }
    bool taken() const { return m_turn.owns_lock(); }

  private:
    std::mutex &m_turns;
    std::atomic<bool> &m_underway;
    std::unique_lock<std::mutex> m_turn;
};

} // namespace

// Each graph is built once and freed as soon as its counter is made. Each thread takes the next Q,
// builds it and gathers its counter; counters are counted side by side while they fit in the
// bounds, and a batch that no longer fits is counted to the end, its counts kept. One large
// exploration runs at a time: before it, those gathered so far are counted to the end, and until
// its Q is counted on its own, the Qs of other threads are counted on their own as well, so that
// no counts pile up in the memory the large graph and its counter take.
bool countRange(int base, std::uint64_t first, std::uint64_t last,
                const std::function<bool(const Count &)> &report, Ticker &ticker,
                const CountBounds &bounds)
{
    const std::uint64_t lastStep = last / 2; // walks of k steps end D = 2k and D = 2k + 1
    std::mutex gathering;                    // guards together, words and kept
    std::vector<std::unique_ptr<Counted>> together;
    std::size_t words = 0;
    KeptCounts kept;
    std::mutex largeTurns;
    std::atomic<bool> largeUnderway = false;
    std::mutex taking; // guards next and postponed
    int next = base - 1;
    std::vector<int> postponed;
    std::atomic<bool> leave = false; // a thread failed: the others take no new Q
    // The Qs counted to the end, for the progress: the others are counted side by side at last.
    std::atomic<std::size_t> done = 0;
    const std::size_t quotients = std::size_t(std::max(base - kSmallestQuotient, 0));

    const auto takeGathered = [&] { // with gathering held
        std::vector<std::unique_ptr<Counted>> batch;
        batch.swap(together);
        words = 0;
        return batch;
    };
    const auto countAndKeep = [&](std::vector<std::unique_ptr<Counted>> batch, Ticker &t) {
        for (auto &c : batch) {
            const Counts counts = countToEnd(*c, first, last, t);
            const int quotient = c->quotient;
            c.reset();
            ++done;
            std::lock_guard lock(gathering);
            kept.add(quotient, counts);
        }
    };
    const auto build = [&](int q, bool mayWait, Ticker &t) {
        Built built{q, nullptr, {}};
        LargeTurn turn(largeTurns, largeUnderway);
        Exploring how;
        how.largeStates = bounds.largeExploration;
        how.beforeLarge = [&] {
            if (mayWait)
                turn.take();
            else if (!turn.tryTake())
                throw Postponed{};
            std::unique_lock lock(gathering);
            std::vector<std::unique_ptr<Counted>> gathered = takeGathered();
            lock.unlock();
            countAndKeep(std::move(gathered), t);
            returnFreedMemory();
        };
        how.keyedFrom = bounds.keyedFrom;
        how.bareFrom = bounds.bareFrom;
        WalkGraph graph = *buildWalkGraph(base, q, lastStep, how, t);
        if (graph.size() == 0)
            return built;
        built.counted =
            std::make_unique<Counted>(Counted{q, WalkCounter(std::move(graph), lastStep)});
        // A large Q keeps the turn until it is counted: its counter may take tens of MB as well.
        if (turn.taken())
            returnFreedMemory();
        if (turn.taken() || built.counted->counter.words() > bounds.wordsAtOnce)
            built.counts = countToEnd(*std::exchange(built.counted, nullptr), first, last, t);
        return built;
    };
    const auto gather = [&](Built built, Ticker &t) {
        if (built.counted && largeUnderway)
            built.counts = countToEnd(*std::exchange(built.counted, nullptr), first, last, t);
        std::vector<std::unique_ptr<Counted>> full;
        {
            std::lock_guard lock(gathering);
            if (!built.counted) {
                ++done;
                if (!built.counts.empty())
                    kept.add(built.quotient, built.counts);
                return;
            }
            const std::size_t needs = built.counted->counter.words();
            if (words + needs > bounds.wordsAtOnce)
                full = takeGathered();
            words += needs;
            together.push_back(std::move(built.counted));
        }
        countAndKeep(std::move(full), t);
    };
    // From the largest Q down: at large bases the largest graphs mostly lie in the upper half of
    // the Qs, and starting them early leaves the small ones to fill in beside them. A postponed Q
    // is taken again once no large exploration runs, or when no other is left; 0: none is left.
    const auto take = [&](bool &mayWait) {
        std::lock_guard lock(taking);
        mayWait = next < kSmallestQuotient;
        if (!postponed.empty() && (mayWait || !largeUnderway)) {
            const int q = postponed.back();
            postponed.pop_back();
            return q;
        }
        return mayWait ? 0 : next--;
    };
    // This thread works as well, and alone reports progress.
    onThreads(bounds.threads, ticker, leave, [&](Ticker &t, std::size_t thread) {
        bool mayWait = false;
        for (int q; !leave && (q = take(mayWait)) != 0;) {
            if (thread == 0)
                t.setShare(double(done) / double(quotients));
            try {
                gather(build(q, mayWait, t), t);
            } catch (const Postponed &) {
                std::lock_guard lock(taking);
                postponed.push_back(q);
            }
        }
    });
    // The threads gathered their Qs in no fixed order; the counts are reported in the order of Q.
    std::sort(together.begin(), together.end(),
              [](const auto &a, const auto &b) { return a->quotient < b->quotient; });
    return countSideBySide(together, kept, first, last, report, bounds,
                           double(done) / double(std::max<std::size_t>(quotients, 1)), ticker);
}

bool countKehrzahlen(int base, std::uint64_t first, std::uint64_t last,
                     const std::function<bool(const Count &)> &report, const Watch &watch,
                     unsigned threads)
{
    CountBounds bounds;
    bounds.threads = threads;
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
        std::uint64_t from = std::max<std::uint64_t>(first, 2);
        if (last / 2 > kShortSteps && from <= 2 * kShortSteps + 1) {
            const double shortShare = double(2 * kShortSteps + 1) / double(last);
            ticker.setSpan(0, shortShare);
            if (!countRange(base, from, 2 * kShortSteps + 1, report, ticker, bounds))
                return false;
            ticker.setSpan(shortShare, 1);
            from = 2 * kShortSteps + 2;
        }
        return countRange(base, from, last, report, ticker, bounds);
    });
}

} // namespace kz::kehr
