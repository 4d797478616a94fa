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

#include <algorithm>
#include <limits>
#include <numeric>

namespace kz::kehr {

// The graphs of the listed Q with their end sets, built once for the longest length listed.
struct ListedQuotient {
    CarryGraph graph;
    std::optional<EndSets> even, odd;
    const EndSets &endSets(Parity parity) const { return parity == Parity::Even ? *even : *odd; }
};
using ListingGraphs = std::vector<ListedQuotient>;

// quotient 0: every Q of the base.
ListingGraphs listingGraphsOf(int base, int quotient, std::uint64_t shortest, std::uint64_t longest,
                              Ticker &ticker)
{
    const std::uint64_t maxSteps = longest / 2;
    const bool needEven = shortest < longest || longest % 2 == 0;
    const bool needOdd = shortest < longest || longest % 2 == 1;
    ListingGraphs graphs;
    if (longest < 2) // one digit has no Kehrzahl: n = Q·n is impossible for Q >= 2
        return graphs;
    for (int q = quotient ? quotient : kSmallestQuotient; q < (quotient ? quotient + 1 : base);
         ++q) {
        CarryGraph g = buildCarryGraph(base, q, maxSteps, ticker);
        if (g.states.empty())
            continue;
        ListedQuotient listed{std::move(g), std::nullopt, std::nullopt};
        if (needEven)
            listed.even.emplace(listed.graph, Parity::Even, maxSteps - 1, ticker);
        if (needOdd)
            listed.odd.emplace(listed.graph, Parity::Odd, maxSteps - 1, ticker);
        graphs.push_back(std::move(listed));
    }
    return graphs;
}

namespace {

constexpr std::uint32_t kAtStart = std::numeric_limits<std::uint32_t>::max();

} // namespace

class Lister::Walker {
  public:
    // graphs outlives the walker; built for at least `length`.
    Walker(const ListingGraphs &graphs, std::uint64_t length)
        : m_graphs(graphs), m_length(length), m_half(length / 2), m_parity(parityOf(length))
    {
        for (std::uint32_t q = 0; q < m_graphs.size(); ++q)
            m_items.push_back({q, kAtStart, 0, 0, 0});
        m_levelBegin = {0, m_items.size()};
        m_done = m_half == 0 || m_items.empty(); // one digit has no Kehrzahl
        for (const ListedQuotient &listed : m_graphs) {
            for (const Step &s : listed.graph.firstSteps) {
                m_lowestFirst = std::min(m_lowestFirst, s.x);
                m_highestFirst = std::max(m_highestFirst, s.x);
            }
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
    std::optional<std::int32_t> nextDigit();
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

    const ListingGraphs &m_graphs;
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

std::optional<std::int32_t> Lister::Walker::nextDigit()
{
    const std::uint64_t left = m_half - m_depth - 1;
    std::optional<std::int32_t> best;
    for (std::size_t i = m_levelBegin[m_depth]; i < m_levelBegin[m_depth + 1]; ++i) {
        Item &item = m_items[i];
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
    const double base = m_graphs.front().graph.base;
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
        const std::optional<std::int32_t> x = nextDigit();
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
    explicit State(ListingGraphs g, std::uint64_t length)
        : graphs(std::move(g)), walker(graphs, length)
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
            m_state = std::make_unique<State>(
                listingGraphsOf(m_base, m_quotient, m_length, m_length, ticker), m_length);
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
        const ListingGraphs graphs = listingGraphsOf(base, 0, first, last, ticker);
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
