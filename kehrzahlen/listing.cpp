// Listing as one depth-first walk over the top digits x0, x1, ... of n, shared by all Q: each
// level holds, for every Q still alive, the one state its walk has reached (for one Q the digits
// fix the walk). Children come in increasing x, taken from the alive states' sorted steps, and a
// step is taken only if its state can still end in the steps left, so every branch walked ends in
// at least one Kehrzahl. The walk keeps its own stack: no recursion however long n is, and it can
// pause after any Kehrzahl and go on later.
#include "kehrzahlen/endsets.h"
#include "kehrzahlen/graphbuild.h"
#include "kehrzahlen/kehrzahlen.h"
#include "kehrzahlen/limits.h"
#include "kehrzahlen/steprule.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace kz::kehr {

// The graph of one listed Q with its end sets, built for the longest length listed.
struct ListedQuotient {
    CarryGraph graph;
    std::optional<EndSets> even, odd;
    const EndSets &endSets(Parity parity) const { return parity == Parity::Even ? *even : *odd; }
};

// The Q of a listing, each built the first time the walk reaches its smallest top digit: the
// first Kehrzahlen need only the small Q, whose graphs are small, while the large Q of a large
// base can take seconds and most of the memory. Their memory together is held to
// kListingMegabytes.
class ListingGraphs {
  public:
    // quotient 0: every Q of the base.
    ListingGraphs(int base, int quotient, std::uint64_t shortest, std::uint64_t longest);

    int base() const { return m_base; }
    std::size_t size() const { return m_candidates.size(); }
    bool built(std::size_t i) const { return m_candidates[i].built != nullptr; }
    // The smallest and largest top digit of n that Q can write, whether or not it ends.
    std::int32_t lowestFirst(std::size_t i) const { return m_candidates[i].lowestFirst; }
    std::int32_t highestFirst(std::size_t i) const { return m_candidates[i].highestFirst; }
    // Built before: the walk asks only for Q it has built.
    const ListedQuotient &operator[](std::size_t i) const { return *m_candidates[i].built; }
    // Builds Q's graph and end sets if not yet done; throws LimitError past the memory allowed.
    const ListedQuotient &build(std::size_t i, Ticker &ticker);

  private:
    struct Candidate {
        int quotient;
        std::int32_t lowestFirst, highestFirst;
        std::unique_ptr<ListedQuotient> built;
    };
    [[noreturn]] void refuse() const;

    int m_base;
    std::uint64_t m_longest;
    bool m_needEven, m_needOdd;
    std::vector<Candidate> m_candidates;
    std::size_t m_bytes = 0; // taken by the graphs built so far
};

namespace {

constexpr std::size_t kListingBytes = std::size_t(kListingMegabytes) << 20;
// What exploring a state takes at its peak: the state and its steps, the numbering table, the
// marks and the reverse steps, and the copy without the dead states.
constexpr std::size_t kBuildBytesPerState = 128;

std::size_t bytesOf(const CarryGraph &g)
{
    return g.states.size() * (sizeof(CarryPair) + sizeof(std::uint32_t) + 1) +
           (g.steps.size() + g.firstSteps.size()) * sizeof(Step);
}

} // namespace

ListingGraphs::ListingGraphs(int base, int quotient, std::uint64_t shortest, std::uint64_t longest)
    : m_base(base), m_longest(longest), m_needEven(shortest < longest || longest % 2 == 0),
      m_needOdd(shortest < longest || longest % 2 == 1)
{
    if (longest < 2) // one digit has no Kehrzahl: n = Q·n is impossible for Q >= 2
        return;
    std::vector<PairStep> out;
    for (int q = quotient ? quotient : kSmallestQuotient; q < (quotient ? quotient + 1 : base);
         ++q) {
        stepsOutOf(StepRule(base, q), {0, 0}, out);
        Candidate c{q, std::numeric_limits<std::int32_t>::max(), 0, nullptr};
        for (const PairStep &s : out) {
            if (s.x != 0 && s.y != 0) {
                c.lowestFirst = std::min(c.lowestFirst, s.x);
                c.highestFirst = std::max(c.highestFirst, s.x);
            }
        }
        if (c.lowestFirst <= c.highestFirst)
            m_candidates.push_back(std::move(c));
    }
}

void ListingGraphs::refuse() const
{
    throw LimitError(Limit::Memory, std::int64_t(m_longest), 0, kListingMegabytes);
}

const ListedQuotient &ListingGraphs::build(std::size_t i, Ticker &ticker)
{
    Candidate &c = m_candidates[i];
    if (c.built)
        return *c.built;
    const std::uint64_t maxSteps = m_longest / 2;
    const std::size_t left = kListingBytes - m_bytes;
    std::optional<CarryGraph> g =
        buildCarryGraph(m_base, c.quotient, maxSteps, left / kBuildBytesPerState, ticker);
    if (!g || bytesOf(*g) > left)
        refuse();
    auto listed = std::make_unique<ListedQuotient>(ListedQuotient{std::move(*g), {}, {}});
    std::size_t bytes = bytesOf(listed->graph);
    try {
        if (m_needEven && !listed->graph.states.empty()) {
            listed->even.emplace(listed->graph, Parity::Even, maxSteps - 1, ticker, left - bytes);
            bytes += listed->even->bytes();
        }
        if (m_needOdd && !listed->graph.states.empty()) {
            listed->odd.emplace(listed->graph, Parity::Odd, maxSteps - 1, ticker, left - bytes);
            bytes += listed->odd->bytes();
        }
    } catch (const OverBudget &) {
        refuse();
    }
    m_bytes += bytes;
    c.built = std::move(listed);
    return *c.built;
}

namespace {

constexpr std::uint32_t kAtStart = std::numeric_limits<std::uint32_t>::max();

} // namespace

class Lister::Walker {
  public:
    // graphs outlives the walker; made for at least `length`.
    Walker(ListingGraphs &graphs, std::uint64_t length)
        : m_graphs(graphs), m_length(length), m_half(length / 2), m_parity(parityOf(length))
    {
        for (std::uint32_t q = 0; q < m_graphs.size(); ++q)
            m_items.push_back({q, kAtStart, 0, 0, 0});
        m_levelBegin = {0, m_items.size()};
        m_done = m_half == 0 || m_items.empty(); // one digit has no Kehrzahl
        for (std::size_t q = 0; q < m_graphs.size(); ++q) {
            m_lowestFirst = std::min(m_lowestFirst, m_graphs.lowestFirst(q));
            m_highestFirst = std::max(m_highestFirst, m_graphs.highestFirst(q));
        }
    }

    const Kehrzahl *next(Ticker &ticker);
    // The share of a longer work that this walk stands for, from..from + width.
    void setShareOfWork(double from, double width)
    {
        m_shareFrom = from;
        m_shareWidth = width;
    }

  private:
    // One Q alive at one level of the walk.
    struct Item {
        std::uint32_t quotient; // index into m_graphs
        std::uint32_t state;    // kAtStart on level 0
        std::int32_t y;         // the low digit the step into this level wrote
        std::uint32_t parent;   // the item on the level above
        std::uint32_t cursor;   // the next step to try from here
    };

    std::span<const Step> stepsOf(const Item &item) const
    {
        const CarryGraph &g = m_graphs[item.quotient].graph;
        return item.state == kAtStart ? std::span<const Step>(g.firstSteps)
                                      : g.stepsFrom(item.state);
    }
    // The smallest x with which some item of the deepest level can go on, or none.
    // Builds the graphs of the Q that could write the smallest x.
    std::optional<std::int32_t> nextDigit(Ticker &ticker);
    void descend(std::int32_t x);
    // Sorts the Kehrzahlen of the deepest level, which share their top digits, by the rest.
    void sortLeaves();
    void pop()
    {
        m_levelBegin.pop_back();
        m_items.resize(m_levelBegin.back());
        --m_depth;
    }
    double share() const;

    ListingGraphs &m_graphs;
    std::uint64_t m_length;
    std::uint64_t m_half;
    Parity m_parity;
    std::vector<Item> m_items;
    std::vector<std::size_t> m_levelBegin; // level d: m_items[m_levelBegin[d], m_levelBegin[d+1])
    std::uint64_t m_depth = 0;
    std::vector<std::int32_t> m_n; // digits of n, least significant first; the top ones so far
    std::vector<std::int32_t> m_lows;
    std::vector<std::size_t> m_order;
    std::size_t m_nextLeaf = 0;
    bool m_atLeaves = false;
    bool m_done = false;
    Kehrzahl m_current{};
    std::int32_t m_lowestFirst = std::numeric_limits<std::int32_t>::max();
    std::int32_t m_highestFirst = 0;
    double m_shareFrom = 0, m_shareWidth = 1;
};

std::optional<std::int32_t> Lister::Walker::nextDigit(Ticker &ticker)
{
    const std::uint64_t left = m_half - m_depth - 1;
    std::optional<std::int32_t> best;
    for (std::size_t i = m_levelBegin[m_depth]; i < m_levelBegin[m_depth + 1]; ++i) {
        Item &item = m_items[i];
        if (!m_graphs.built(item.quotient)) { // only on level 0
            if (best && m_graphs.lowestFirst(item.quotient) > *best)
                continue;
            m_graphs.build(item.quotient, ticker);
        }
        const std::span<const Step> steps = stepsOf(item);
        const EndSets &ends = m_graphs[item.quotient].endSets(m_parity);
        while (item.cursor < steps.size() && !ends.canEndIn(left, steps[item.cursor].to))
            ++item.cursor;
        if (item.cursor < steps.size() && (!best || steps[item.cursor].x < *best))
            best = steps[item.cursor].x;
    }
    return best;
}

void Lister::Walker::descend(std::int32_t x)
{
    if (m_n.empty())
        m_n.resize(m_length); // only once a Kehrzahl is sure to come
    m_n[m_length - 1 - m_depth] = x;
    for (std::size_t i = m_levelBegin[m_depth]; i < m_levelBegin[m_depth + 1]; ++i) {
        if (!m_graphs.built(m_items[i].quotient)) // nextDigit found its first x larger
            continue;
        const std::span<const Step> steps = stepsOf(m_items[i]);
        const std::uint32_t cursor = m_items[i].cursor;
        if (cursor < steps.size() && steps[cursor].x == x) {
            ++m_items[i].cursor;
            m_items.push_back(
                {m_items[i].quotient, steps[cursor].to, steps[cursor].y, std::uint32_t(i), 0});
        }
    }
    m_levelBegin.push_back(m_items.size());
    ++m_depth;
}

// Each leaf completes n with its Q's low digits (and middle digit), and n grows with those read
// from the top.
void Lister::Walker::sortLeaves()
{
    const std::size_t begin = m_levelBegin[m_depth], count = m_levelBegin[m_depth + 1] - begin;
    const std::size_t low = m_length - m_half; // the low digits and, for odd D, the middle one
    m_lows.resize(count * low);
    for (std::size_t c = 0; c < count; ++c) {
        std::int32_t *digits = m_lows.data() + c * low;
        const Item &leaf = m_items[begin + c];
        if (low > m_half)
            digits[m_half] = *m_graphs[leaf.quotient].graph.endingOf(leaf.state).middle;
        std::size_t item = begin + c;
        for (std::uint64_t d = m_half; d > 0; --d) {
            digits[d - 1] = m_items[item].y;
            item = m_items[item].parent;
        }
    }
    m_order.resize(count);
    std::iota(m_order.begin(), m_order.end(), std::size_t(0));
    std::sort(m_order.begin(), m_order.end(), [&](std::size_t a, std::size_t b) {
        return std::lexicographical_compare(
            std::make_reverse_iterator(m_lows.data() + (a + 1) * low),
            std::make_reverse_iterator(m_lows.data() + a * low),
            std::make_reverse_iterator(m_lows.data() + (b + 1) * low),
            std::make_reverse_iterator(m_lows.data() + b * low));
    });
}

// How far the walk is, read from its top three digits: the walk goes through them in order.
double Lister::Walker::share() const
{
    const double base = m_graphs.base();
    double position = 0;
    for (std::uint64_t d = std::min<std::uint64_t>(m_depth, 3); d > 0; --d)
        position = (position + m_n[m_length - d]) / base;
    position = position * base - m_lowestFirst;
    return std::clamp(position / double(m_highestFirst - m_lowestFirst + 1), 0.0, 1.0);
}

const Kehrzahl *Lister::Walker::next(Ticker &ticker)
{
    for (;;) {
        if (m_atLeaves) {
            if (m_nextLeaf < m_order.size()) {
                const std::size_t low = m_length - m_half, c = m_order[m_nextLeaf++];
                std::copy_n(m_lows.data() + c * low, low, m_n.begin());
                const std::size_t leaf = m_levelBegin[m_depth] + c;
                m_current = {m_n, m_graphs[m_items[leaf].quotient].graph.quotient};
                ticker.setShare(m_shareFrom + m_shareWidth * share());
                return &m_current;
            }
            m_atLeaves = false;
            pop();
            continue;
        }
        if (m_done)
            return nullptr;
        ticker.tick();
        if (m_depth == m_half) {
            sortLeaves();
            m_nextLeaf = 0;
            m_atLeaves = true;
            continue;
        }
        const std::optional<std::int32_t> x = nextDigit(ticker);
        if (x) {
            descend(*x);
        } else if (m_depth == 0) {
            m_done = true;
        } else {
            pop();
        }
    }
}

Lister::Lister(int base, std::uint64_t length, int quotient)
    : m_base(base), m_length(length), m_quotient(quotient)
{
    checkBase(base);
    checkLengths(length, length);
    if (quotient != 0)
        checkQuotient(base, quotient);
}

Lister::~Lister() = default;

struct Lister::State {
    State(int base, int quotient, std::uint64_t length)
        : graphs(base, quotient, length, length), walker(graphs, length)
    {
    }
    ListingGraphs graphs;
    Walker walker;
};

const Kehrzahl *Lister::next(const Watch &watch)
{
    // Not `watched`: a Kehrzahl found is handed out even if the flag turned meanwhile. The work
    // is counted across calls, so that many short calls read the flag as often as one long one.
    Ticker ticker(watch, m_units);
    try {
        if (!m_state) {
            m_state = std::make_unique<State>(m_base, m_quotient, m_length);
        }
        m_cancelled = false;
        const Kehrzahl *k = m_state->walker.next(ticker);
        m_units = ticker.units();
        if (!k)
            ticker.finish();
        return k;
    } catch (const Cancelled &) {
        m_units = 0;
        m_cancelled = true;
        return nullptr;
    }
}

bool listKehrzahlen(int base, std::uint64_t first, std::uint64_t last,
                    const std::function<bool(const Kehrzahl &)> &emit, const Watch &watch)
{
    checkBase(base);
    checkLengths(first, last);
    return watched(watch, [&](Ticker &ticker) {
        ListingGraphs graphs(base, 0, first, last);
        const double lengths = double(last - first + 1);
        for (std::uint64_t length = first; length <= last; ++length) {
            Lister::Walker walker(graphs, length);
            walker.setShareOfWork(double(length - first) / lengths, 1 / lengths);
            while (const Kehrzahl *k = walker.next(ticker)) {
                if (!emit(*k))
                    return false;
            }
        }
        return true;
    });
}

} // namespace kz::kehr
