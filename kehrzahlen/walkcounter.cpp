#include "kehrzahlen/walkcounter.h"

#include "kehrzahlen/graphbuild.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <queue>
#include <utility>

namespace kz::kehr {

namespace {

static_assert(sizeof(mp_limb_t) == sizeof(std::uint64_t), "GMP words of 64 bits");

// to += from over width words, and the carry out into to[width].
template <std::size_t Width>
inline void addCarrying(std::uint64_t *to, const std::uint64_t *from, std::size_t width)
{
    if constexpr (Width == 0) {
        to[width] += mpn_add_n(reinterpret_cast<mp_limb_t *>(to), reinterpret_cast<mp_limb_t *>(to),
                               reinterpret_cast<const mp_limb_t *>(from), mp_size_t(width));
    } else {
        unsigned char carry = 0;
        for (std::size_t w = 0; w < Width; ++w) {
            const std::uint64_t a = to[w], b = from[w];
            const std::uint64_t sum = a + b + carry;
            carry = (sum < a) || (carry && sum == a);
            to[w] = sum;
        }
        to[Width] += carry;
    }
}

// The fewest steps to each state from those with a distance given, where step k leads to to[k]
// and stands for length[k] steps (Dijkstra's method; kNoEnd: not reached). For graphs with their
// chains folded into steps, which are small.
std::vector<std::uint32_t> fewestSteps(const std::vector<std::uint32_t> &stepsBegin,
                                       const std::vector<std::uint32_t> &to,
                                       const std::vector<std::uint32_t> &length,
                                       std::vector<std::uint32_t> distance)
{
    using Reached = std::pair<std::uint32_t, std::uint32_t>; // distance, state
    std::priority_queue<Reached, std::vector<Reached>, std::greater<>> queue;
    for (std::uint32_t s = 0; s < distance.size(); ++s) {
        if (distance[s] != kNoEnd)
            queue.push({distance[s], s});
    }
    while (!queue.empty()) {
        const auto [d, s] = queue.top();
        queue.pop();
        if (d != distance[s])
            continue;
        for (std::uint32_t k = stepsBegin[s]; k < stepsBegin[s + 1]; ++k) {
            if (d + length[k] < distance[to[k]]) {
                distance[to[k]] = d + length[k];
                queue.push({distance[to[k]], to[k]});
            }
        }
    }
    return distance;
}

// The fewest steps from each state to an end.
std::vector<std::uint32_t> stepsToEndOf(const WalkGraph &g)
{
    if (g.length.empty())
        return stepsToEnd(
            g.stepsBegin, g.ends, [&](std::uint32_t k) { return g.to[k]; }, [](std::uint32_t) {});
    const std::size_t n = g.size();
    std::vector<std::uint32_t> intoBegin(n + 1, 0), from(g.to.size()), length(g.to.size());
    for (const std::uint32_t to : g.to)
        ++intoBegin[to + 1];
    for (std::size_t i = 0; i < n; ++i)
        intoBegin[i + 1] += intoBegin[i];
    std::vector<std::uint32_t> fill(intoBegin.begin(), intoBegin.end() - 1);
    for (std::uint32_t s = 0; s < n; ++s) {
        for (std::uint32_t k = g.stepsBegin[s]; k < g.stepsBegin[s + 1]; ++k) {
            from[fill[g.to[k]]] = s;
            length[fill[g.to[k]]++] = g.length[k];
        }
    }
    std::vector<std::uint32_t> distance(n, kNoEnd);
    for (std::uint32_t s = 0; s < n; ++s) {
        if (g.ends[s] != 0)
            distance[s] = 0;
    }
    return fewestSteps(intoBegin, from, length, std::move(distance));
}

// The fewest steps from the start to each state (kNoEnd: not reached). Carry graphs are numbered
// breadth first, so one pass forwards through the states finds them and a second confirms; the
// passes go on where steps lead back to states found later.
std::vector<std::uint32_t> stepsFromStart(const WalkGraph &g)
{
    std::vector<std::uint32_t> at(g.size(), kNoEnd);
    for (const std::uint32_t to : g.firstSteps)
        at[to] = 1;
    if (!g.length.empty())
        return fewestSteps(g.stepsBegin, g.to, g.length, std::move(at));
    for (bool changed = true; changed;) {
        changed = false;
        for (std::uint32_t s = 0; s < g.size(); ++s) {
            if (at[s] == kNoEnd)
                continue;
            for (std::uint32_t k = g.stepsBegin[s]; k < g.stepsBegin[s + 1]; ++k) {
                if (at[s] + 1 < at[g.to[k]]) {
                    at[g.to[k]] = at[s] + 1;
                    changed = true;
                }
            }
        }
    }
    return at;
}

} // namespace

WordBlock::WordBlock(WordBlock &&other) noexcept
    : m_words(std::exchange(other.m_words, nullptr)), m_size(std::exchange(other.m_size, 0))
{
}

WordBlock &WordBlock::operator=(WordBlock &&other) noexcept
{
    std::swap(m_words, other.m_words);
    std::swap(m_size, other.m_size);
    return *this;
}

WordBlock::~WordBlock()
{
    std::free(m_words);
}

void WordBlock::assignZeros(std::size_t size)
{
    std::free(std::exchange(m_words, nullptr));
    m_size = 0;
    if (size == 0)
        return;
    m_words = static_cast<std::uint64_t *>(std::calloc(size, sizeof(std::uint64_t)));
    if (!m_words)
        throw std::bad_alloc();
    m_size = size;
}

void WordBlock::resize(std::size_t size)
{
    if (size == 0) {
        assignZeros(0);
        return;
    }
    void *grown = std::realloc(m_words, size * sizeof(std::uint64_t));
    if (!grown)
        throw std::bad_alloc();
    m_words = static_cast<std::uint64_t *>(grown);
    m_size = size;
}

WalkCounter::WalkCounter(WalkGraph g, std::uint64_t lastStep) : m_lastStep(lastStep)
{
    const std::size_t n = g.size();
    std::vector<std::uint32_t> reachedAt = stepsFromStart(g);

    // A state is kept where walks meet or part, end, or begin; the rest lie on chains.
    constexpr std::uint32_t kChain = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint32_t> number(n, 0); // first the steps into each state
    for (const std::uint32_t to : g.to)
        ++number[to];
    for (const std::uint32_t to : g.firstSteps)
        number[to] = 0;
    const auto isKept = [&](std::uint32_t s) {
        return number[s] != kChain && reachedAt[s] != kNoEnd && reachedAt[s] <= lastStep;
    };
    // Kept and their steps counted first: at the largest graphs this is where the memory peaks,
    // and vectors grown by doubling would hold up to twice as much.
    std::size_t keptCount = 0, keptSteps = 0;
    for (std::uint32_t s = 0; s < n; ++s) {
        const bool chain =
            number[s] == 1 && g.stepsBegin[s + 1] - g.stepsBegin[s] == 1 && g.ends[s] == 0;
        number[s] = chain ? kChain : 0;
        if (isKept(s)) {
            ++keptCount;
            keptSteps += g.stepsBegin[s + 1] - g.stepsBegin[s];
        }
    }
    std::vector<std::uint32_t> kept;
    kept.reserve(keptCount);
    for (std::uint32_t s = 0; s < n; ++s) {
        if (isKept(s))
            kept.push_back(s);
    }
    // Sorted in place (a stable sort would want a buffer as large): by the step first reached,
    // then in the order found.
    std::sort(kept.begin(), kept.end(), [&](std::uint32_t a, std::uint32_t b) {
        return reachedAt[a] != reachedAt[b] ? reachedAt[a] < reachedAt[b] : a < b;
    });
    for (std::uint32_t i = 0; i < kept.size(); ++i)
        number[kept[i]] = i;
    // From here on only the kept states count: what the graph says of them is kept by their
    // number, and each graph-sized array goes once read, as the largest graphs have millions of
    // states.
    std::vector<std::uint32_t> firstKept;
    for (const std::uint32_t to : g.firstSteps) {
        if (reachedAt[to] <= lastStep)
            firstKept.push_back(number[to]);
    }
    const auto byNumber = [&](std::vector<std::uint32_t> byState) {
        std::vector<std::uint32_t> kepts(keptCount);
        for (std::uint32_t i = 0; i < keptCount; ++i)
            kepts[i] = byState[kept[i]];
        return kepts;
    };
    reachedAt = byNumber(std::move(reachedAt));
    // Found only once reachedAt is cut down, so that the two are never whole at once.
    const std::vector<std::uint32_t> toEnd = byNumber(stepsToEndOf(g));

    // The edges, each a step and the chain it leads into, up to lastStep steps long.
    std::vector<std::uint32_t> outBegin(kept.size() + 1, 0), into(kept.size(), 0);
    struct Out {
        std::uint32_t to, length;
    };
    std::vector<Out> out; // by the state they leave
    out.reserve(keptSteps);
    for (std::uint32_t i = 0; i < kept.size(); ++i) {
        const std::uint64_t from = reachedAt[i];
        for (std::uint32_t k = g.stepsBegin[kept[i]]; k < g.stepsBegin[kept[i] + 1]; ++k) {
            std::uint32_t to = g.to[k];
            std::uint64_t length = g.lengthOf(k);
            while (number[to] == kChain && from + length <= lastStep) {
                length += g.lengthOf(g.stepsBegin[to]);
                to = g.to[g.stepsBegin[to]];
            }
            if (number[to] == kChain || from + length > lastStep)
                continue;
            out.push_back({number[to], std::uint32_t(length)});
            ++into[number[to]];
        }
        outBegin[i + 1] = std::uint32_t(out.size());
    }
    {
        // Not in place: where steps of several lengths lead, the order first reached is not the
        // order found.
        std::vector<std::uint8_t> ends(keptCount);
        for (std::uint32_t i = 0; i < keptCount; ++i)
            ends[i] = g.ends[kept[i]];
        g.ends = std::move(ends);
    }
    const auto shed = [&]<typename T>(std::vector<T> &v, std::size_t size) {
        v.resize(size);
        v.shrink_to_fit();
    };
    shed(g.to, 0);
    shed(g.length, 0);
    shed(g.stepsBegin, 0);
    shed(number, 0);
    shed(kept, 0);

    // A state with one edge in, no end and no first step only passes on what reaches it: its
    // edges out become edges out of the state before it, that much longer, and it is left out.
    // Where walks part, this leaves about half of the states.
    std::vector<std::uint8_t> passesOn(keptCount, 0);
    for (std::uint32_t i = 0; i < keptCount; ++i)
        passesOn[i] = into[i] == 1 && g.ends[i] == 0 ? 1 : 0;
    for (const std::uint32_t i : firstKept)
        passesOn[i] = 0;
    std::vector<std::uint32_t> node(keptCount, 0);
    std::uint32_t nodes = 0;
    for (std::uint32_t i = 0; i < keptCount; ++i)
        node[i] = passesOn[i] != 0 ? kChain : nodes++;

    // The edges between the states left, kept if a walk of at most lastStep steps can pass them
    // and still end.
    struct Found {
        std::uint32_t to, from, length;
    };
    std::vector<Found> found;
    m_nodes.resize(nodes, Node{0, 1, 0, 0});
    std::vector<Out> pending;
    for (std::uint32_t i = 0; i < keptCount; ++i) {
        if (passesOn[i] != 0)
            continue;
        const std::uint64_t from = reachedAt[i];
        pending.assign(out.begin() + outBegin[i], out.begin() + outBegin[i + 1]);
        while (!pending.empty()) {
            const Out e = pending.back();
            pending.pop_back();
            if (from + e.length + toEnd[e.to] > lastStep)
                continue;
            if (passesOn[e.to] != 0) {
                for (std::uint32_t k = outBegin[e.to]; k < outBegin[e.to + 1]; ++k)
                    pending.push_back({out[k].to, e.length + out[k].length});
                continue;
            }
            found.push_back({node[e.to], node[i], e.length});
            m_nodes[node[i]].ringSize = std::max(m_nodes[node[i]].ringSize, e.length + 1);
            m_longestEdge = std::max(m_longestEdge, e.length);
        }
    }
    std::vector<Out>().swap(out);
    m_edgesBegin.assign(nodes + 1, 0);
    for (const Found &f : found)
        ++m_edgesBegin[f.to + 1];
    for (std::size_t i = 0; i < nodes; ++i)
        m_edgesBegin[i + 1] += m_edgesBegin[i];
    m_edges.resize(found.size());
    m_reading.resize(found.size());
    {
        std::vector<std::uint32_t> fill(m_edgesBegin.begin(), m_edgesBegin.end() - 1);
        for (const Found &f : found)
            m_edges[fill[f.to]++] = {f.from, f.length};
    }

    std::uint32_t ring = 0;
    m_firstReached.resize(nodes);
    for (std::uint32_t i = 0; i < keptCount; ++i) {
        if (passesOn[i] != 0)
            continue;
        Node &v = m_nodes[node[i]];
        v.ringBegin = ring;
        v.toEnd = toEnd[i];
        ring += v.ringSize;
        m_firstReached[node[i]] = reachedAt[i];
        if (g.endsAt(i, Parity::Even))
            m_evenEnds.push_back(node[i]);
        if (g.endsAt(i, Parity::Odd))
            m_oddEnds.push_back(node[i]);
    }
    m_rings.assignZeros(ring);
    m_overflow.assign(2, 0);
    for (const std::uint32_t i : firstKept) {
        if (toEnd[i] < lastStep)
            m_firstNodes.push_back(node[i]);
    }
    for (std::uint32_t i = 0; i < nodes; ++i)
        m_mostEdgesIn = std::max(m_mostEdgesIn, m_edgesBegin[i + 1] - m_edgesBegin[i]);
    for (const std::uint32_t i : m_firstNodes)
        ++m_rings[m_nodes[i].ringBegin]; // a handful cannot overflow a word
}

std::uint32_t WalkCounter::countIndex(std::uint32_t node, std::uint32_t stepsAgo) const
{
    const Node &v = m_nodes[node];
    return v.ringBegin +
           (v.latest >= stepsAgo ? v.latest - stepsAgo : v.latest + v.ringSize - stepsAgo);
}

const std::uint64_t *WalkCounter::countAt(std::uint32_t node, std::uint32_t stepsAgo) const
{
    return &m_rings[std::size_t(countIndex(node, stepsAgo)) * m_width];
}

template <std::size_t Width>
void WalkCounter::sumEnds(const std::vector<std::uint32_t> &ends, std::uint64_t *sum) const
{
    for (const std::uint32_t node : ends)
        addCarrying<Width>(sum, countAt(node, 0), m_width);
}

mpz_class WalkCounter::ending(Parity parity) const
{
    // One word more than the counts: the sum of up to 2^32 of them cannot overflow it.
    std::vector<std::uint64_t> sum(m_width + 1, 0);
    const std::vector<std::uint32_t> &ends = parity == Parity::Even ? m_evenEnds : m_oddEnds;
    switch (m_width) {
    case 1:
        sumEnds<1>(ends, sum.data());
        break;
    case 2:
        sumEnds<2>(ends, sum.data());
        break;
    case 3:
        sumEnds<3>(ends, sum.data());
        break;
    case 4:
        sumEnds<4>(ends, sum.data());
        break;
    default:
        sumEnds<0>(ends, sum.data());
    }
    mpz_class total;
    mpz_import(total.get_mpz_t(), sum.size(), -1, sizeof(std::uint64_t), 0, 0, sum.data());
    return total;
}

template <std::size_t Width>
std::uint32_t WalkCounter::sumFrom(std::uint32_t begin, std::uint32_t active, std::uint64_t left)
{
    // Width is the width known at compile time, for the common narrow counts; 0: any width.
    const std::size_t width = Width != 0 ? Width : m_width;
    std::uint64_t fixedSum[Width + 1];
    std::uint64_t *sum = Width != 0 ? fixedSum : m_overflow.data();
    for (std::uint32_t i = begin; i < active; ++i) {
        std::fill_n(sum, width + 1, 0);
        if (m_nodes[i].toEnd <= left) {
            for (std::uint32_t e = m_edgesBegin[i]; e < m_edgesBegin[i + 1]; ++e)
                addCarrying<Width>(sum, &m_rings[std::size_t(readOn(e)) * width], width);
        }
        if (sum[width] != 0) { // the word above is needed: every count gets one
            std::copy_n(sum, width + 1, m_overflow.begin());
            return i;
        }
        // The slot after the latest holds the count of ringSize steps ago, which no edge
        // reads: the count of this step goes there, and the latest moves on once all are summed.
        const Node &v = m_nodes[i];
        const std::uint32_t slot = v.latest + 1 == v.ringSize ? 0 : v.latest + 1;
        std::uint64_t *to = &m_rings[std::size_t(v.ringBegin + slot) * width];
        bool zero = true;
        for (std::size_t w = 0; w < width; ++w) {
            to[w] = sum[w];
            zero = zero && sum[w] == 0;
        }
        m_live = m_live || !zero;
    }
    return active;
}

std::uint32_t WalkCounter::sumAny(std::uint32_t begin, std::uint32_t active, std::uint64_t left)
{
    switch (m_width) {
    case 1:
        return sumFrom<1>(begin, active, left);
    case 2:
        return sumFrom<2>(begin, active, left);
    case 3:
        return sumFrom<3>(begin, active, left);
    case 4:
        return sumFrom<4>(begin, active, left);
    default:
        return sumFrom<0>(begin, active, left);
    }
}

void WalkCounter::widen()
{
    const std::size_t counts = m_rings.size() / m_width, width = m_width + 1;
    m_rings.resize(counts * width);
    // From the last count down, each moves up to its wider place and gets a top word of 0; the
    // counts below it still lie below where it goes.
    for (std::size_t c = counts; c-- > 0;) {
        std::uint64_t *to = m_rings.data() + c * width;
        const std::uint64_t *from = m_rings.data() + c * m_width;
        to[m_width] = 0;
        for (std::size_t w = m_width; w-- > 0;) // from the top: `to` lies at or above `from`
            to[w] = from[w];
    }
    m_width = width;
    m_overflow.resize(width + 1);
}

std::uint32_t WalkCounter::activate(std::uint64_t steps)
{
    const auto active =
        std::uint32_t(std::upper_bound(m_firstReached.begin(), m_firstReached.end(), steps) -
                      m_firstReached.begin());
    // The edges into nodes walked from now on learn where they read: the count of stepsAgo steps
    // before the latest, which moves on by one slot each step from here.
    for (; m_activated < active; ++m_activated) {
        for (std::uint32_t e = m_edgesBegin[m_activated]; e < m_edgesBegin[m_activated + 1]; ++e) {
            const Node &from = m_nodes[m_edges[e].from];
            m_reading[e] = {countIndex(m_edges[e].from, m_edges[e].length - 1), from.ringBegin,
                            from.ringBegin + from.ringSize};
        }
    }
    return active;
}

bool WalkCounter::mayStep() const
{
    return m_steps < m_lastStep && m_steps - m_lastLive < m_longestEdge;
}

void WalkCounter::finishStep(std::uint32_t active, Ticker &ticker)
{
    // Every node moves on, walked from or not, so that an edge read from a node not yet walked
    // stays in step with it.
    for (Node &v : m_nodes)
        v.latest = v.latest + 1 == v.ringSize ? 0 : v.latest + 1;
    ++m_steps;
    if (m_live)
        m_lastLive = m_steps;
    ticker.tick(
        std::uint32_t(std::min<std::size_t>((active + m_edgesBegin[active]) / 8 + 1, 1u << 20)));
}

bool WalkCounter::step(Ticker &ticker)
{
    if (!mayStep())
        return false;
    const std::uint32_t active = activate(m_steps + 1);
    const std::uint64_t left = m_lastStep - m_steps - 1;
    m_live = false;
    for (std::uint32_t i = 0; (i = sumAny(i, active, left)) < active; ++i) {
        if (m_width < m_widest)
            widen();
        else
            m_wrapped = true; // the word carried out is dropped
        Node &v = m_nodes[i];
        const std::uint32_t slot = v.latest + 1 == v.ringSize ? 0 : v.latest + 1;
        std::copy_n(m_overflow.begin(), m_width,
                    &m_rings[std::size_t(v.ringBegin + slot) * m_width]);
        m_live = true;
    }
    finishStep(active, ticker);
    return true;
}

void WalkCounter::restart(std::size_t width, const std::vector<std::uint64_t> &moduli)
{
    m_rings.assignZeros(m_rings.size() / m_width * width);
    m_width = width;
    m_overflow.assign(width + 1, 0);
    for (Node &v : m_nodes)
        v.latest = 0;
    m_activated = 0;
    m_steps = m_lastLive = 1;
    for (const std::uint32_t i : m_firstNodes) {
        std::uint64_t *count = &m_rings[std::size_t(m_nodes[i].ringBegin) * width];
        for (std::size_t lane = 0; lane < moduli.size(); ++lane) // a few first steps: no carry
            count[lane] =
                moduli[lane] != 0
                    ? count[lane] + 1
                    : std::bit_cast<std::uint64_t>(std::bit_cast<double>(count[lane]) + 1);
    }
}

namespace {

inline std::uint64_t addInLane(std::uint64_t a, std::uint64_t b, std::uint64_t modulus)
{
    if (modulus == 0)
        return std::bit_cast<std::uint64_t>(std::bit_cast<double>(a) + std::bit_cast<double>(b));
    const std::uint64_t sum = a + b; // the moduli are below 2^63
    return sum >= modulus ? sum - modulus : sum;
}

} // namespace

void WalkCounter::stepLanes(const std::vector<std::uint64_t> &moduli, Ticker &ticker)
{
    const std::uint32_t active = activate(m_steps + 1);
    const std::uint64_t left = m_lastStep - m_steps - 1;
    const std::size_t lanes = moduli.size();
    std::uint64_t *sum = m_overflow.data();
    m_live = false;
    for (std::uint32_t i = 0; i < active; ++i) {
        std::fill_n(sum, lanes, 0);
        if (m_nodes[i].toEnd <= left) {
            for (std::uint32_t e = m_edgesBegin[i]; e < m_edgesBegin[i + 1]; ++e) {
                const std::uint64_t *from = &m_rings[std::size_t(readOn(e)) * lanes];
                for (std::size_t lane = 0; lane < lanes; ++lane)
                    sum[lane] = addInLane(sum[lane], from[lane], moduli[lane]);
            }
        }
        const Node &v = m_nodes[i];
        const std::uint32_t slot = v.latest + 1 == v.ringSize ? 0 : v.latest + 1;
        std::copy_n(sum, lanes, &m_rings[std::size_t(v.ringBegin + slot) * lanes]);
        m_live = m_live || sum[0] != 0; // exact only in floating point
    }
    finishStep(active, ticker);
}

void WalkCounter::endingLanes(Parity parity, const std::vector<std::uint64_t> &moduli,
                              std::uint64_t *sum) const
{
    std::fill_n(sum, moduli.size(), 0);
    for (const std::uint32_t node : parity == Parity::Even ? m_evenEnds : m_oddEnds) {
        const std::uint64_t *count = countAt(node, 0);
        for (std::size_t lane = 0; lane < moduli.size(); ++lane)
            sum[lane] = addInLane(sum[lane], count[lane], moduli[lane]);
    }
}

namespace {

__extension__ typedef unsigned __int128 Wide; // for products of two residues

// The next of the primes just below 2^63, from 2^63 - 2^24 on: thousands lie there, and the sum
// of two residues still fits a word.
std::uint64_t primeAfter(std::uint64_t before)
{
    mpz_class p = std::max<std::uint64_t>(before, (std::uint64_t(1) << 63) - (1 << 24));
    mpz_nextprime(p.get_mpz_t(), p.get_mpz_t());
    return p.get_ui();
}

// Garner's step: n, known modulo product, learns its residue modulo prime.
void join(mpz_class &n, const mpz_class &product, std::uint64_t inverse, std::uint64_t residue,
          std::uint64_t prime)
{
    const std::uint64_t known = mpz_fdiv_ui(n.get_mpz_t(), prime);
    const std::uint64_t difference = residue >= known ? residue - known : residue + prime - known;
    n += product * std::uint64_t(Wide(difference) * inverse % prime);
}

} // namespace

bool WalkCounter::countByPrimes(std::vector<mpz_class> &counts, Ticker &ticker)
{
    // A sum of doubles errs by at most 2^-53 of itself, and each count of a step sums at most
    // mostEdgesIn counts of the steps before: the error grows by that many roundings a step.
    const double error = std::ldexp(double(m_lastStep + 1) * double(m_mostEdgesIn + 1) +
                                        double(m_evenEnds.size() + m_oddEnds.size()),
                                    -52);
    if (error > 0x1p-20)
        return false;
    const std::size_t lanes = m_width;
    mpz_class product = mpz_class(1) << (64 * lanes);
    for (mpz_class &n : counts)
        mpz_tdiv_r_2exp(n.get_mpz_t(), n.get_mpz_t(), 64 * lanes);

    // The first pass estimates the counts beside its primes, and how many steps have walks.
    std::vector<double> near(counts.size(), 0);
    std::uint64_t lastSteps = 0;
    double largest = 0;
    std::uint64_t prime = 0;
    std::vector<std::uint64_t> sum(lanes);
    for (bool first = true; first || product <= largest; first = false) {
        std::vector<std::uint64_t> moduli;
        if (first)
            moduli.push_back(0);
        while (moduli.size() < lanes)
            moduli.push_back(prime = primeAfter(prime));
        // Each lane joins what the moduli before it tell: their product and its inverse.
        std::vector<mpz_class> before(lanes);
        std::vector<std::uint64_t> inverses(lanes, 0);
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            before[lane] = product;
            if (moduli[lane] == 0)
                continue;
            mpz_class inverse;
            mpz_invert(inverse.get_mpz_t(), product.get_mpz_t(),
                       mpz_class(moduli[lane]).get_mpz_t());
            inverses[lane] = inverse.get_ui();
            product *= moduli[lane];
        }
        restart(lanes, moduli);
        for (;;) {
            for (const std::uint64_t length : lengthsNow(counts.size())) {
                endingLanes(parityOf(length), moduli, sum.data());
                for (std::size_t lane = 0; lane < lanes; ++lane) {
                    if (moduli[lane] == 0)
                        near[length] = std::bit_cast<double>(sum[lane]);
                    else
                        join(counts[length], before[lane], inverses[lane], sum[lane], moduli[lane]);
                }
            }
            if (first ? !mayStep() : m_steps == lastSteps)
                break;
            stepLanes(moduli, ticker);
            if (!first)
                m_lastLive = m_steps; // a residue of 0 says nothing of the count
        }
        if (first) {
            lastSteps = m_steps;
            largest = *std::max_element(near.begin(), near.end()) * (1 + error) + 1;
            if (!std::isfinite(largest))
                return false;
        }
    }
    // A count wider than the moduli cover, or cut short in the first pass, would come out far
    // from its estimate.
    for (std::size_t length = 0; length < counts.size(); ++length) {
        if (std::abs(counts[length].get_d() - near[length]) > near[length] * error + 1)
            return false;
    }
    return true;
}

std::vector<std::uint64_t> WalkCounter::lengthsNow(std::size_t lengths) const
{
    std::vector<std::uint64_t> now;
    for (const std::uint64_t length : {2 * m_steps, 2 * m_steps + 1}) {
        if (length < lengths)
            now.push_back(length);
    }
    return now;
}

std::vector<mpz_class> WalkCounter::countAll(Ticker &ticker, std::size_t wordsAtMost)
{
    std::vector<mpz_class> counts(2 * m_lastStep + 2);
    const auto countExactly = [&] {
        do {
            for (const std::uint64_t length : lengthsNow(counts.size()))
                counts[length] = ending(parityOf(length));
        } while (step(ticker));
    };
    m_widest = std::max<std::size_t>(wordsAtMost / std::max<std::size_t>(m_rings.size(), 1), 1);
    countExactly();
    if (!m_wrapped || countByPrimes(counts, ticker))
        return counts;
    // Too long for the estimates: exact, however wide.
    m_widest = std::size_t(-1);
    m_wrapped = false;
    restart(1, {1});
    std::fill(counts.begin(), counts.end(), 0);
    countExactly();
    return counts;
}

std::vector<mpz_class> countsByLength(WalkGraph g, std::size_t lengths, Ticker &ticker)
{
    std::vector<mpz_class> counts = WalkCounter(std::move(g), (lengths - 1) / 2).countAll(ticker);
    counts.resize(lengths);
    return counts;
}

} // namespace kz::kehr
