// The first half of building a carry graph: the walk breadth first from the start over the carry
// pairs, and which of them lie on a walk to an end. The largest explorations reach millions of
// pairs, so they are kept in as few bytes per pair as the passes over them allow.
#pragma once

#include "kehrzahlen/graphbuild.h"
#include "kehrzahlen/steprule.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kz::kehr::detail {

// A growing array that never moves what it holds: a vector's doubling would, for a moment, hold
// the largest explorations twice over. It shrinks from the back, handing whole chunks back.
template <typename T> class Chunked {
  public:
    void push_back(T value)
    {
        if ((m_size & kMask) == 0 && (m_size >> kShift) == m_chunks.size())
            m_chunks.push_back(std::make_unique_for_overwrite<T[]>(kChunk));
        m_chunks[m_size >> kShift][m_size & kMask] = value;
        ++m_size;
    }
    T operator[](std::size_t i) const { return m_chunks[i >> kShift][i & kMask]; }
    T &operator[](std::size_t i) { return m_chunks[i >> kShift][i & kMask]; }
    std::size_t size() const { return m_size; }
    void shrink(std::size_t size)
    {
        m_size = size;
        m_chunks.resize((size + kMask) >> kShift);
    }
    // Hands back the chunks wholly before index `before`, which are not read again.
    void release(std::size_t before)
    {
        for (; m_released < (before >> kShift) && m_released < m_chunks.size(); ++m_released)
            m_chunks[m_released].reset();
    }

  private:
    static constexpr int kShift = 16;
    static constexpr std::size_t kChunk = std::size_t(1) << kShift, kMask = kChunk - 1;
    std::vector<std::unique_ptr<T[]>> m_chunks;
    std::size_t m_size = 0;
    std::size_t m_released = 0; // chunks handed back
};

// A set of keys in [0, size) as one bit each, and the rank of each: how many keys lie below it.
// For an exploration that finds a fair share of all Q^2 carry pairs, this is far smaller than a
// hash table, and the ranks number the pairs without one.
class KeyBits {
  public:
    explicit KeyBits(std::uint64_t size) : m_words((size + 63) / 64, 0) {}
    bool contains(std::uint32_t key) const
    {
        return (m_words[key >> 6] >> (key & 63) & 1) != 0;
    }
    bool insert(std::uint32_t key) // whether key is new
    {
        std::uint64_t &word = m_words[key >> 6];
        const std::uint64_t bit = std::uint64_t(1) << (key & 63);
        const bool fresh = (word & bit) == 0;
        word |= bit;
        return fresh;
    }
    void erase(std::uint32_t key) { m_words[key >> 6] &= ~(std::uint64_t(1) << (key & 63)); }
    // f(key) for each key, in increasing order. f may erase the key it is given: each word is read
    // before its keys are.
    template <typename F> void forEach(F &&f) const
    {
        for (std::size_t w = 0; w < m_words.size(); ++w) {
            for (std::uint64_t word = m_words[w]; word != 0; word &= word - 1)
                f(std::uint32_t(w * 64 + std::size_t(std::countr_zero(word))));
        }
    }
    // Counts the ranks; rank() and select() hold until the next insert.
    void countRanks();
    std::uint32_t select(std::uint32_t rank) const; // the key of that rank
    std::uint32_t rank(std::uint32_t key) const
    {
        const std::size_t w = key >> 6;
        std::uint32_t r = m_ranks[w >> 3];
        for (std::size_t i = w & ~std::size_t(7); i < w; ++i)
            r += std::uint32_t(std::popcount(m_words[i]));
        return r + std::uint32_t(std::popcount(m_words[w] & ((std::uint64_t(1) << (key & 63)) - 1)));
    }

  private:
    std::vector<std::uint64_t> m_words;
    std::vector<std::uint32_t> m_ranks; // per eight words: the keys below them
};

// The carry pairs reached from the start, breadth first, and the steps of each, which follow those
// of the pairs before. Each pair has an index: while an exploration is small, the order it was
// found in, and it is told by its key low·Q + high; once it grows large (keyBits) and is complete,
// the rank of its key among all found, and it is told by that rank. Steps lead to indices. States
// first reached after maxSteps steps are left out and those reached after exactly maxSteps get no
// steps: no walk of at most maxSteps steps needs them.
struct Exploration {
    int base = 0;
    int quotient = 0;
    // Per state, one word: the key or rank (below Q^2 <= 10^8 < 2^27), the number of its steps
    // (kManySteps: look in manySteps) and its end bits, as in CarryGraph.
    Chunked<std::uint32_t> states;
    std::vector<std::pair<std::size_t, std::uint32_t>> manySteps; // (state, steps), increasing
    Chunked<std::uint32_t> to;
    std::vector<Step> firstSteps;
    std::unique_ptr<KeyBits> keyBits; // set once the exploration grew large
    bool ranked = false;              // states and steps hold ranks: the exploration is complete
    // Without keepSteps, an exploration keyed by bits that passes how.bareFrom pairs keeps no
    // steps and no list of its states from then on: only keyBits, the keys walked from, and
    // firstSteps to keys (see walkGraphFromEnds).
    bool stepsKept = true;
    std::unique_ptr<KeyBits> walkedKeys;

    static constexpr int kCountShift = 27, kEndShift = 30;
    static constexpr std::uint32_t kKeyMask = (std::uint32_t(1) << kCountShift) - 1;
    static constexpr std::uint32_t kManySteps = 7;

    std::uint32_t key(std::size_t state) const { return states[state] & kKeyMask; }
    void setKey(std::size_t state, std::uint32_t key)
    {
        states[state] = (states[state] & ~kKeyMask) | key;
    }
    std::size_t stepCount(std::size_t state) const;
    std::size_t stepsLeadingOn() const; // the steps not to kNoEnd
    std::uint8_t ends(std::size_t state) const { return std::uint8_t(states[state] >> kEndShift); }
    std::uint32_t indexOf(std::size_t state) const
    {
        return ranked ? key(state) : std::uint32_t(state);
    }
    CarryPair pair(std::size_t state) const
    {
        const std::uint32_t k = ranked ? keyBits->select(key(state)) : key(state);
        return {int(k / std::uint32_t(quotient)), int(k % std::uint32_t(quotient))};
    }
};

// Nullopt once more than how.maxStates states are reached. Without keepSteps, steps and states may
// be dropped (see Exploration::stepsKept).
std::optional<Exploration> explore(const StepRule &rule, std::uint64_t maxSteps,
                                   const Exploring &how, Ticker &ticker, bool keepSteps = true);

// The walk graph of an exploration that dropped its steps and states: which pairs lead to an end
// is found by a walk backwards from the ends over the steps into each pair, worked out afresh, and
// a second walk from the start over those pairs numbers them in the order it first meets them.
// The largest explorations reach several times as many pairs as lie on a walk to an end
// (S = 9903, Q = 7348: 14.1 million, of which 4.0 million do), and a list of them and their steps
// would take 8 bytes per pair reached, where the bits take two bits per key of the Q^2. Most
// pairs on a walk to an end then lie on chains (one step in, one out, no end; S = 9696, Q = 8017:
// 6.4 of 7.1 million), and those are never numbered: each chain becomes one step of its length.
WalkGraph walkGraphFromEnds(Exploration e, const StepRule &rule, Ticker &ticker);

// Keeps the states a walk leads from to an end, in the order found and numbered afresh from 0;
// steps to states left out lead to kNoEnd. The indices are the new numbers from then on. Without
// keepPairs, the pairs of a large exploration are not looked up again (counting needs only the
// steps), and pair() is not to be asked.
void keepLive(Exploration &e, bool keepPairs, Ticker &ticker);

} // namespace kz::kehr::detail
