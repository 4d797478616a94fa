#include "kehrzahlen/exploration.h"

#include <algorithm>

namespace kz::kehr::detail {

// Ranks take a popcount per word; where the processor has the instruction, these use it. The
// thread sanitizer cannot start a program whose functions are chosen as it loads.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define KZ_WITH_POPCNT [[gnu::target_clones("popcnt", "default")]]
#else
#define KZ_WITH_POPCNT
#endif

namespace {

// Numbers keys in the order they are first seen, appending each new one to the list of states.
// Open addressing: a slot holds only the number, and the key is looked up in the list.
class KeyNumbers {
  public:
    explicit KeyNumbers(Chunked<std::uint32_t> &keys) : m_keys(keys) {}
    std::uint32_t insert(std::uint32_t key)
    {
        if (10 * (m_keys.size() + 1) > 7 * m_slots.size())
            grow();
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = slotOf(key);; i = (i + 1) & mask) {
            if (m_slots[i] == 0) {
                m_keys.push_back(key);
                m_slots[i] = std::uint32_t(m_keys.size());
                return std::uint32_t(m_keys.size() - 1);
            }
            if ((m_keys[m_slots[i] - 1] & Exploration::kKeyMask) == key)
                return m_slots[i] - 1;
        }
    }

  private:
    std::size_t slotOf(std::uint32_t key) const
    {
        return std::size_t((std::uint64_t(key) * 0x9E3779B97F4A7C15ull) >> m_shift);
    }
    void grow()
    {
        std::vector<std::uint32_t>().swap(m_slots);
        m_slots.assign(std::max<std::size_t>(64, 2 * std::bit_ceil(m_keys.size() + 1)), 0);
        m_shift = 64 - std::countr_zero(m_slots.size());
        const std::size_t mask = m_slots.size() - 1;
        for (std::uint32_t number = 0; number < m_keys.size(); ++number) {
            std::size_t i = slotOf(m_keys[number] & Exploration::kKeyMask);
            while (m_slots[i] != 0)
                i = (i + 1) & mask;
            m_slots[i] = number + 1;
        }
    }

    Chunked<std::uint32_t> &m_keys;
    std::vector<std::uint32_t> m_slots; // number + 1; 0 is empty
    int m_shift = 64;
};

// Whether a walk leads on from a state to an end, two bits per state.
class Liveness {
  public:
    enum State : std::uint8_t { Open = 0, Live = 1, Dead = 2 };
    explicit Liveness(std::size_t n) : m_words((n + 31) / 32, 0) {}
    State operator[](std::size_t i) const { return State(m_words[i >> 5] >> (2 * (i & 31)) & 3); }
    void set(std::size_t i, State s) { m_words[i >> 5] |= std::uint64_t(s) << (2 * (i & 31)); }

  private:
    std::vector<std::uint64_t> m_words;
};

// Marks the states a walk leads from to an end. The states are found breadth first, so most steps
// lead to a later state, and a pass backwards through them marks most; a few more passes mark
// those behind the steps that lead back. A state whose steps all lead to states settled as dead is
// settled as dead too, and later passes skip it. This needs no list of the steps into each state,
// which for the largest explorations would take tens of MB; only where the passes do not settle
// soon does the walk backwards from the ends take over.
KZ_WITH_POPCNT Liveness liveness(const Exploration &e, Ticker &ticker)
{
    constexpr int kPasses = 32;
    const std::size_t n = e.states.size();
    Liveness live(n);
    for (std::size_t s = 0; s < n; ++s) {
        if (e.ends(s) != 0)
            live.set(e.indexOf(s), Liveness::Live);
    }
    bool changed = true;
    for (int pass = 0; changed && pass < kPasses; ++pass) {
        changed = false;
        std::size_t end = e.to.size(); // of the steps of s
        for (std::size_t s = n; s-- > 0;) {
            const std::size_t begin = end - e.stepCount(s);
            const std::uint32_t index = e.indexOf(s);
            if (live[index] == Liveness::Open) {
                bool reaches = false, settled = true;
                for (std::size_t k = begin; k < end && !reaches; ++k) {
                    const Liveness::State to = live[e.to[k]];
                    reaches = to == Liveness::Live;
                    settled = settled && to == Liveness::Dead;
                }
                if (reaches) {
                    live.set(index, Liveness::Live);
                    changed = true;
                } else if (settled) {
                    live.set(index, Liveness::Dead);
                }
            }
            end = begin;
        }
        ticker.tick(std::uint32_t(1 + n / 64));
    }
    if (!changed)
        return live;
    std::vector<std::uint32_t> stateOf(e.ranked ? n : 0), stepsBegin(n + 1, 0);
    std::vector<std::uint8_t> ends(n);
    for (std::size_t s = 0; s < n; ++s) {
        stepsBegin[s + 1] = std::uint32_t(stepsBegin[s] + e.stepCount(s));
        ends[s] = e.ends(s);
        if (e.ranked)
            stateOf[e.indexOf(s)] = std::uint32_t(s);
    }
    const std::vector<std::uint32_t> toEnd = stepsToEndBackwards(
        stepsBegin, ends, [&](std::uint32_t k) { return e.ranked ? stateOf[e.to[k]] : e.to[k]; },
        [&](std::uint32_t units) { ticker.tick(units); });
    Liveness settled(n);
    for (std::size_t s = 0; s < n; ++s)
        settled.set(e.indexOf(s), toEnd[s] != kNoEnd ? Liveness::Live : Liveness::Dead);
    return settled;
}

} // namespace

KZ_WITH_POPCNT void KeyBits::countRanks()
{
    m_ranks.assign((m_words.size() + 7) / 8, 0);
    std::uint32_t below = 0;
    for (std::size_t w = 0; w < m_words.size(); ++w) {
        if (w % 8 == 0)
            m_ranks[w / 8] = below;
        below += std::uint32_t(std::popcount(m_words[w]));
    }
}

KZ_WITH_POPCNT std::uint32_t KeyBits::select(std::uint32_t rank) const
{
    // The last block of eight words with at most rank keys below it holds the key.
    const auto block = std::upper_bound(m_ranks.begin(), m_ranks.end(), rank) - 1;
    std::size_t w = std::size_t(block - m_ranks.begin()) * 8;
    std::uint32_t left = rank - *block;
    for (;; ++w) {
        const auto here = std::uint32_t(std::popcount(m_words[w]));
        if (left < here)
            break;
        left -= here;
    }
    std::uint64_t word = m_words[w];
    for (; left > 0; --left)
        word &= word - 1;
    return std::uint32_t(w * 64 + std::size_t(std::countr_zero(word)));
}

std::size_t Exploration::stepsLeadingOn() const
{
    std::size_t count = 0;
    for (std::size_t k = 0; k < to.size(); ++k)
        count += to[k] != kNoEnd ? 1 : 0;
    return count;
}

std::size_t Exploration::stepCount(std::size_t state) const
{
    const std::uint32_t count = states[state] >> kCountShift & kManySteps;
    if (count != kManySteps)
        return count;
    return std::lower_bound(manySteps.begin(), manySteps.end(), std::pair(state, std::uint32_t(0)))
        ->second;
}

KZ_WITH_POPCNT std::optional<Exploration> explore(const StepRule &rule, std::uint64_t maxSteps,
                                                  const Exploring &how, Ticker &ticker,
                                                  bool keepSteps)
{
    const int quotient = rule.quotient;
    Exploration e;
    e.base = rule.base;
    e.quotient = quotient;
    const std::uint64_t keyCount = std::uint64_t(quotient) * std::uint64_t(quotient);
    // A bit per key costs less than a hash slot per pair once one key in 64 is found.
    const std::size_t keyedFrom =
        how.keyedFrom ? *how.keyedFrom : std::max<std::size_t>(1u << 16, keyCount / 64);
    std::optional<KeyNumbers> numbers(std::in_place, e.states);
    auto reach = [&](CarryPair p) {
        const std::uint32_t key =
            std::uint32_t(p.low) * std::uint32_t(quotient) + std::uint32_t(p.high);
        if (!e.keyBits)
            return numbers->insert(key);
        if (e.keyBits->insert(key))
            e.states.push_back(key);
        return key;
    };

    const EndRule endRule(e.base, quotient);
    std::vector<PairStep> out;
    stepsOutOf(rule, {0, 0}, out);
    for (const PairStep &s : out) {
        if (s.x != 0 && s.y != 0)
            e.firstSteps.push_back({s.x, s.y, reach(s.to)});
    }
    std::size_t largeStates = how.largeStates;
    std::uint64_t reachedAt = 2;         // steps that reach the states being added
    std::size_t levelEnd = e.states.size(); // where the states one step further begin
    std::size_t state = 0; // where the walk stopped: the states from here on get no steps
    for (; state < e.states.size(); ++state) {
        if (state == levelEnd) {
            ++reachedAt;
            levelEnd = e.states.size();
        }
        if (reachedAt > maxSteps)
            break;
        if (e.states.size() > how.maxStates)
            return std::nullopt;
        if (e.states.size() > largeStates) {
            largeStates = std::size_t(-1);
            if (how.beforeLarge)
                how.beforeLarge();
        }
        if (!e.keyBits && e.states.size() > keyedFrom) {
            // From here on steps lead to keys; ranks replace them once all are found.
            numbers.reset();
            e.keyBits = std::make_unique<KeyBits>(keyCount);
            for (std::size_t i = 0; i < e.states.size(); ++i)
                e.keyBits->insert(e.key(i));
            for (std::size_t k = 0; k < e.to.size(); ++k)
                e.to[k] = e.key(e.to[k]);
            for (Step &s : e.firstSteps)
                s.to = e.key(s.to);
        }
        if (!keepSteps && e.keyBits && e.stepsKept && e.states.size() > how.bareFrom) {
            // From here on the keys walked from are all that is kept of the walk.
            e.stepsKept = false;
            e.to.shrink(0);
            e.manySteps.clear();
            e.walkedKeys = std::make_unique<KeyBits>(keyCount);
            for (std::size_t i = 0; i < state; ++i)
                e.walkedKeys->insert(e.key(i));
        }
        const CarryPair pair = e.pair(state);
        stepsOutOf(rule, pair, out); // in the order a CarryGraph lists them
        if (!e.stepsKept) {
            e.walkedKeys->insert(e.key(state));
            for (const PairStep &s : out)
                reach(s.to);
            e.states.release(state);
            ticker.tick(std::uint32_t(1 + out.size() / 16));
            continue;
        }
        for (const PairStep &s : out)
            e.to.push_back(reach(s.to));
        const auto count = std::uint32_t(out.size());
        if (count >= Exploration::kManySteps)
            e.manySteps.emplace_back(state, count);
        e.states[state] |= std::min(count, Exploration::kManySteps) << Exploration::kCountShift |
                           std::uint32_t(endRule.bits(pair)) << Exploration::kEndShift;
        ticker.tick(1 + count / 16);
    }
    if (!e.stepsKept) {
        e.states.shrink(0);
        return e;
    }
    for (; state < e.states.size(); ++state)
        e.states[state] |= std::uint32_t(endRule.bits(e.pair(state))) << Exploration::kEndShift;
    if (e.keyBits) {
        e.keyBits->countRanks();
        for (std::size_t k = 0; k < e.to.size(); ++k)
            e.to[k] = e.keyBits->rank(e.to[k]);
        for (Step &s : e.firstSteps)
            s.to = e.keyBits->rank(s.to);
        for (std::size_t s = 0; s < e.states.size(); ++s)
            e.setKey(s, e.keyBits->rank(e.key(s)));
        e.ranked = true;
    }
    return e;
}

KZ_WITH_POPCNT void keepLive(Exploration &e, bool keepPairs, Ticker &ticker)
{
    const std::size_t n = e.states.size();
    std::vector<std::uint32_t> renumbered; // by index
    {
        const Liveness live = liveness(e, ticker);
        // By the order found, the index of a small exploration is lost as the states move up.
        if (!e.ranked)
            renumbered.assign(n, kNoEnd);
        std::size_t kept = 0, stepsKept = 0, many = 0;
        for (std::size_t s = 0, k = 0; s < n; ++s) {
            const std::size_t count = e.stepCount(s);
            const std::uint32_t index = e.indexOf(s);
            if (live[index] != Liveness::Live) {
                k += count;
                continue;
            }
            if (!e.ranked)
                renumbered[index] = std::uint32_t(kept);
            e.states[kept] = e.states[s];
            if (count >= Exploration::kManySteps)
                e.manySteps[many++] = {kept, std::uint32_t(count)};
            for (const std::size_t end = k + count; k < end; ++k)
                e.to[stepsKept++] = live[e.to[k]] == Liveness::Live ? e.to[k] : kNoEnd;
            ++kept;
        }
        e.states.shrink(kept);
        e.manySteps.resize(many);
        e.to.shrink(stepsKept);
        std::erase_if(e.firstSteps,
                      [&](const Step &s) { return live[s.to] != Liveness::Live; });
        ticker.tick(std::uint32_t(1 + n / 64));
    }
    if (e.ranked) {
        renumbered.assign(n, kNoEnd);
        for (std::size_t s = 0; s < e.states.size(); ++s) {
            renumbered[e.key(s)] = std::uint32_t(s);
            if (keepPairs)
                e.setKey(s, e.keyBits->select(e.key(s)));
        }
        e.keyBits.reset();
        e.ranked = false;
    }
    for (std::size_t k = 0; k < e.to.size(); ++k) {
        if (e.to[k] != kNoEnd)
            e.to[k] = renumbered[e.to[k]];
    }
    for (Step &s : e.firstSteps)
        s.to = renumbered[s.to];
}

KZ_WITH_POPCNT WalkGraph walkGraphFromEnds(Exploration e, const StepRule &rule, Ticker &ticker)
{
    const auto quotient = std::uint32_t(e.quotient);
    const auto pairOf = [&](std::uint32_t key) {
        return CarryPair{int(key / quotient), int(key % quotient)};
    };
    const auto keyOf = [&](CarryPair p) {
        return std::uint32_t(p.low) * quotient + std::uint32_t(p.high);
    };
    const std::uint64_t keyCount = std::uint64_t(quotient) * quotient;
    const EndRule endRule(e.base, e.quotient);

    // Breadth first backwards from the ends, through the pairs walked from. A live pair with one
    // step into it and no end may lie on a chain.
    KeyBits live(keyCount), chain(keyCount);
    std::size_t liveCount = 0, steps = 0; // steps between live pairs, each met once
    {
        // Chunked, and handed back behind the head: a vector would double, and the largest
        // queues reach millions of keys.
        Chunked<std::uint32_t> queue; // keys
        for (std::uint32_t key = 0; key < keyCount; ++key) {
            if (e.keyBits->contains(key) && endRule.bits(pairOf(key)) != 0 && live.insert(key))
                queue.push_back(key);
            if ((key & 0xffff) == 0xffff) // up to 10^8 keys: cancelling reaches in here too
                ticker.tick(16);
        }
        const StepsBack back(e.base, e.quotient);
        for (std::size_t head = 0; head < queue.size(); ++head) {
            std::size_t into = 0;
            back.forEachFrom(pairOf(queue[head]), [&](CarryPair p) {
                const std::uint32_t from = keyOf(p);
                if (!e.keyBits->contains(from) || !e.walkedKeys->contains(from))
                    return;
                ++into;
                if (live.insert(from))
                    queue.push_back(from);
            });
            steps += into;
            if (into == 1 && endRule.bits(pairOf(queue[head])) == 0)
                chain.insert(queue[head]);
            queue.release(head);
            ticker.tick();
        }
        liveCount = queue.size();
    }
    e.keyBits.reset(); // every live pair is reached

    // The live steps out of a pair, in the order a CarryGraph lists them.
    std::vector<PairStep> out;
    std::vector<std::uint32_t> liveOut;
    const auto stepsOn = [&](std::uint32_t key) {
        liveOut.clear();
        if (!e.walkedKeys->contains(key))
            return;
        stepsOutOf(rule, pairOf(key), out);
        for (const PairStep &step : out) {
            if (live.contains(keyOf(step.to)))
                liveOut.push_back(keyOf(step.to));
        }
        ticker.tick(std::uint32_t(1 + out.size() / 16));
    };
    chain.forEach([&](std::uint32_t key) {
        stepsOn(key);
        if (liveOut.size() != 1)
            chain.erase(key); // walks part here
    });
    for (const Step &s : e.firstSteps)
        chain.erase(s.to); // walks begin there
    live.countRanks();
    chain.countRanks();

    // Breadth first from the start over the live pairs off chains, numbered as first reached. A
    // step into a chain follows it to its end. number is by rank among those pairs.
    std::size_t chained = 0;
    chain.forEach([&](std::uint32_t) { ++chained; });
    const std::size_t keptCount = liveCount - chained;
    std::vector<std::uint32_t> number(keptCount, kNoEnd);
    Chunked<std::uint32_t> order; // the keys by number
    const auto numberOf = [&](std::uint32_t key) {
        std::uint32_t &n = number[live.rank(key) - chain.rank(key)];
        if (n == kNoEnd) {
            n = std::uint32_t(order.size());
            order.push_back(key);
        }
        return n;
    };
    WalkGraph g;
    g.quotient = e.quotient;
    for (const Step &s : e.firstSteps) {
        if (live.contains(s.to))
            g.firstSteps.push_back(numberOf(s.to));
    }
    if (g.firstSteps.empty())
        return g;
    g.ends.reserve(keptCount);
    g.stepsBegin.reserve(keptCount + 1);
    g.to.reserve(steps - chained);
    g.length.reserve(steps - chained);
    std::vector<std::uint32_t> targets;
    for (std::size_t state = 0; state < order.size(); ++state) {
        const std::uint32_t key = order[state];
        g.ends.push_back(endRule.bits(pairOf(key)));
        stepsOn(key);
        targets = liveOut;
        for (std::uint32_t to : targets) {
            std::uint32_t length = 1;
            for (; chain.contains(to); ++length) {
                stepsOn(to);
                to = liveOut.front();
            }
            g.to.push_back(numberOf(to));
            g.length.push_back(length);
        }
        g.stepsBegin.push_back(std::uint32_t(g.to.size()));
        order.release(state);
    }
    return g;
}

} // namespace kz::kehr::detail
