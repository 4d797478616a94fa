// Listing as one depth-first walk over the top digits x0, x1, ... of n, shared by all Q: each
// level holds, for every Q still alive, the one state its walk has reached (for one Q the digits
// fix the walk). Children come in increasing x, taken from the alive states' sorted steps, and a
// step is taken only if its state can still end in the steps left, so every branch walked ends in
// at least one Kehrzahl. The walk keeps its own stack: no recursion however long n is.
#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/endsets.h"
#include "kehrzahlen/kehrzahlen.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <stdexcept>

namespace kz::kehr {

namespace {

struct Lane {
    CarryGraph graph;
    EndSets reach;
};

constexpr std::uint32_t kAtStart = std::numeric_limits<std::uint32_t>::max();

// One Q alive at one level of the walk.
struct Item {
    std::uint32_t lane;
    std::uint32_t state;  // kAtStart on level 0
    std::int32_t y;       // the low digit the step into this level wrote
    std::uint32_t parent; // the item on the level above
    std::uint32_t cursor; // the next step to try from here
};

class Walk {
  public:
    Walk(int base, std::uint64_t digits, const std::function<bool(const Kehrzahl &)> &emit)
        : m_digits(digits), m_half(digits / 2), m_emit(emit)
    {
        const Parity parity = digits % 2 == 0 ? Parity::Even : Parity::Odd;
        for (int q = 2; q < base; ++q) {
            CarryGraph g = buildCarryGraph(base, q, m_half);
            if (g.states.empty())
                continue;
            EndSets reach(g, parity, m_half - 1);
            m_lanes.push_back({std::move(g), std::move(reach)});
        }
    }

    void run();

  private:
    std::span<const Step> stepsOf(const Item &item) const
    {
        const CarryGraph &g = m_lanes[item.lane].graph;
        return item.state == kAtStart ? std::span<const Step>(g.firstSteps)
                                      : g.stepsFrom(item.state);
    }
    // The smallest x with which some item of the deepest level can go on, or none.
    std::optional<std::int32_t> nextDigit();
    bool emitLeaves();
    void pop()
    {
        m_levelBegin.pop_back();
        m_items.resize(m_levelBegin.back());
        --m_depth;
    }

    std::uint64_t m_digits;
    std::uint64_t m_half;
    const std::function<bool(const Kehrzahl &)> &m_emit;
    std::vector<Lane> m_lanes;
    std::vector<Item> m_items;
    std::vector<std::size_t> m_levelBegin; // level d: m_items[m_levelBegin[d], m_levelBegin[d+1])
    std::uint64_t m_depth = 0;
    std::vector<std::int32_t> m_n; // digits of n, least significant first; the top ones so far
    std::vector<std::int32_t> m_lows;
    std::vector<std::size_t> m_order;
};

std::optional<std::int32_t> Walk::nextDigit()
{
    const std::uint64_t left = m_half - m_depth - 1;
    std::optional<std::int32_t> best;
    for (std::size_t i = m_levelBegin[m_depth]; i < m_levelBegin[m_depth + 1]; ++i) {
        Item &item = m_items[i];
        const std::span<const Step> steps = stepsOf(item);
        const EndSets &reach = m_lanes[item.lane].reach;
        while (item.cursor < steps.size() && !reach.canEnd(left, steps[item.cursor].to))
            ++item.cursor;
        if (item.cursor < steps.size() && (!best || steps[item.cursor].x < *best))
            best = steps[item.cursor].x;
    }
    return best;
}

// The items of the deepest level share the top digits; each completes n with its Q's low digits
// (and middle digit), and n grows with those read from the top.
bool Walk::emitLeaves()
{
    const std::size_t begin = m_levelBegin[m_depth], count = m_levelBegin[m_depth + 1] - begin;
    const std::size_t low = m_digits - m_half; // the low digits and, for odd D, the middle one
    m_lows.resize(count * low);
    for (std::size_t c = 0; c < count; ++c) {
        std::int32_t *digits = m_lows.data() + c * low;
        const Item &leaf = m_items[begin + c];
        const CarryGraph &g = m_lanes[leaf.lane].graph;
        if (low > m_half)
            digits[m_half] = *middleDigit(g.base, g.quotient, g.states[leaf.state]);
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
    for (const std::size_t c : m_order) {
        std::copy_n(m_lows.data() + c * low, low, m_n.begin());
        const int quotient = m_lanes[m_items[begin + c].lane].graph.quotient;
        if (!m_emit(Kehrzahl{m_n, quotient}))
            return false;
    }
    return true;
}

void Walk::run()
{
    for (std::uint32_t lane = 0; lane < m_lanes.size(); ++lane)
        m_items.push_back({lane, kAtStart, 0, 0, 0});
    m_levelBegin = {0, m_items.size()};
    for (;;) {
        if (m_depth == m_half) {
            if (!emitLeaves())
                return;
            pop();
            continue;
        }
        const std::optional<std::int32_t> x = nextDigit();
        if (!x) {
            if (m_depth == 0)
                return;
            pop();
            continue;
        }
        if (m_n.empty())
            m_n.resize(m_digits); // only once a Kehrzahl is sure to come
        m_n[m_digits - 1 - m_depth] = *x;
        for (std::size_t i = m_levelBegin[m_depth]; i < m_levelBegin[m_depth + 1]; ++i) {
            const std::span<const Step> steps = stepsOf(m_items[i]);
            const std::uint32_t cursor = m_items[i].cursor;
            if (cursor < steps.size() && steps[cursor].x == *x) {
                ++m_items[i].cursor;
                m_items.push_back(
                    {m_items[i].lane, steps[cursor].to, steps[cursor].y, std::uint32_t(i), 0});
            }
        }
        m_levelBegin.push_back(m_items.size());
        ++m_depth;
    }
}

} // namespace

void listKehrzahlen(int base, std::uint64_t digits,
                    const std::function<bool(const Kehrzahl &)> &emit)
{
    checkBase(base);
    if (digits < 1)
        throw std::invalid_argument("a Kehrzahl has at least one digit");
    if (digits == 1) // n = Q·n is impossible for Q >= 2
        return;
    Walk(base, digits, emit).run();
}

} // namespace kz::kehr
