#include "kehrzahlen/walkcounter.h"

#include "kehrzahlen/graphbuild.h"

#include <algorithm>
#include <limits>

namespace kz::kehr {

namespace {

static_assert(sizeof(mp_limb_t) == sizeof(std::uint64_t), "GMP words of 64 bits");

// to += from over width words; true when the sum overflowed the width.
inline bool addInto(std::uint64_t *to, const std::uint64_t *from, std::size_t width)
{
    if (width > 4) {
        return mpn_add_n(reinterpret_cast<mp_limb_t *>(to), reinterpret_cast<mp_limb_t *>(to),
                         reinterpret_cast<const mp_limb_t *>(from), mp_size_t(width)) != 0;
    }
    unsigned char carry = 0;
    for (std::size_t w = 0; w < width; ++w) {
        const std::uint64_t a = to[w], b = from[w];
        const std::uint64_t sum = a + b + carry;
        carry = (sum < a) || (carry && sum == a);
        to[w] = sum;
    }
    return carry != 0;
}

inline bool isZero(const std::uint64_t *value, std::size_t width)
{
    return std::all_of(value, value + width, [](std::uint64_t w) { return w == 0; });
}

} // namespace

WalkCounter::WalkCounter(const CarryGraph &graph, std::uint64_t lastStep)
    : m_graph(graph), m_lastStep(lastStep),
      m_stepsToEnd(stepsToEnd(
          graph.stepsBegin, graph.ends, [&](std::uint32_t k) { return graph.steps[k].to; },
          [](std::uint32_t) {})),
      m_into(graph.states.size(), 0), m_next(graph.states.size(), 0)
{
    for (std::uint32_t s = 0; s < graph.states.size(); ++s) {
        if (m_stepsToEnd[s] != kNoEnd)
            m_farthestEnd = std::max(m_farthestEnd, std::uint64_t(m_stepsToEnd[s]));
        if (m_stepsToEnd[s] != 0)
            continue;
        if (graph.endsAt(s, Parity::Even))
            m_evenEnds.push_back(s);
        if (graph.endsAt(s, Parity::Odd))
            m_oddEnds.push_back(s);
    }
    for (const Step &step : graph.firstSteps) {
        if (m_stepsToEnd[step.to] >= lastStep)
            continue;
        if (m_into[step.to] == 0)
            m_reached.push_back(step.to);
        ++m_into[step.to]; // a handful of first steps cannot overflow a word
    }
}

mpz_class WalkCounter::ending(Parity parity) const
{
    // One word more than the counts: the sum of up to 2^32 of them cannot overflow it.
    std::vector<std::uint64_t> sum(m_width + 1, 0), value(m_width + 1, 0);
    const auto add = [&](std::uint32_t s) {
        std::copy_n(&m_into[s * m_width], m_width, value.begin());
        addInto(sum.data(), value.data(), m_width + 1);
    };
    // Whichever is shorter: the ends, or the states walks reach now.
    const std::vector<std::uint32_t> &ends = parity == Parity::Even ? m_evenEnds : m_oddEnds;
    if (ends.size() < m_reached.size()) {
        for (const std::uint32_t s : ends) {
            if (!isZero(&m_into[s * m_width], m_width))
                add(s);
        }
    } else {
        for (const std::uint32_t s : m_reached) {
            if (m_graph.endsAt(s, parity))
                add(s);
        }
    }
    mpz_class total;
    mpz_import(total.get_mpz_t(), sum.size(), -1, sizeof(std::uint64_t), 0, 0, sum.data());
    return total;
}

template <std::size_t Width, bool CheckEnds>
bool WalkCounter::stepIntoWidth(std::size_t width, std::size_t &stepsTaken)
{
    // Width is the width known at compile time, for the common narrow counts; 0: any width.
    if constexpr (Width != 0)
        width = Width;
    // A state reached after the next step must still reach an end within the steps then left;
    // while more steps are left than any state needs, every state qualifies (CheckEnds false).
    const std::uint64_t left = m_lastStep - (m_steps + 1);
    for (const std::uint32_t s : m_reached) {
        const std::uint64_t *from = &m_into[s * width];
        const std::span<const Step> steps = m_graph.stepsFrom(s);
        stepsTaken += steps.size();
        for (const Step &step : steps) {
            if (CheckEnds && m_stepsToEnd[step.to] > left)
                continue;
            std::uint64_t *to = &m_next[step.to * width];
            if (isZero(to, width))
                m_nextReached.push_back(step.to);
            if (addInto(to, from, width))
                return false;
        }
    }
    return true;
}

template <bool CheckEnds> bool WalkCounter::stepIntoChecked(std::size_t &stepsTaken)
{
    switch (m_width) {
    case 1:
        return stepIntoWidth<1, CheckEnds>(1, stepsTaken);
    case 2:
        return stepIntoWidth<2, CheckEnds>(2, stepsTaken);
    case 3:
        return stepIntoWidth<3, CheckEnds>(3, stepsTaken);
    case 4:
        return stepIntoWidth<4, CheckEnds>(4, stepsTaken);
    default:
        return stepIntoWidth<0, CheckEnds>(m_width, stepsTaken);
    }
}

bool WalkCounter::stepInto(std::size_t &stepsTaken)
{
    if (m_lastStep - (m_steps + 1) >= m_farthestEnd)
        return stepIntoChecked<false>(stepsTaken);
    return stepIntoChecked<true>(stepsTaken);
}

void WalkCounter::clear(std::vector<std::uint64_t> &values, std::vector<std::uint32_t> &reached)
{
    const std::size_t width = m_width;
    for (const std::uint32_t s : reached) {
        for (std::size_t w = 0; w < width; ++w)
            values[s * width + w] = 0;
    }
    reached.clear();
}

void WalkCounter::widen()
{
    // One array at a time: the largest graphs hold tens of MB per array, so the next step's
    // (all zero by now) goes first and comes back last.
    const std::size_t n = m_graph.states.size(), width = m_width + 1;
    std::vector<std::uint64_t>().swap(m_next);
    std::vector<std::uint64_t> wider(n * width, 0);
    for (const std::uint32_t s : m_reached)
        std::copy_n(&m_into[s * m_width], m_width, &wider[s * width]);
    m_into.swap(wider);
    std::vector<std::uint64_t>().swap(wider);
    m_next.assign(n * width, 0);
    m_width = width;
}

bool WalkCounter::step(Ticker &ticker)
{
    if (m_reached.empty() || m_steps >= m_lastStep)
        return false;
    std::size_t stepsTaken = 0;
    while (!stepInto(stepsTaken)) {
        clear(m_next, m_nextReached);
        widen(); // a sum overflowed: count the step again one word wider
    }
    ticker.tick(std::uint32_t(std::min<std::size_t>(stepsTaken / 8 + 1, 1u << 20)));
    clear(m_into, m_reached);
    m_into.swap(m_next);
    m_reached.swap(m_nextReached);
    ++m_steps;
    return !m_reached.empty();
}

std::vector<mpz_class> countsByLength(const CarryGraph &g, std::size_t lengths, Ticker &ticker)
{
    std::vector<mpz_class> counts(lengths);
    WalkCounter counter(g, (lengths - 1) / 2);
    do {
        for (const std::uint64_t length : {2 * counter.steps(), 2 * counter.steps() + 1}) {
            if (length < lengths)
                counts[length] = counter.ending(parityOf(length));
        }
    } while (counter.step(ticker));
    return counts;
}

} // namespace kz::kehr
