// The number of walks of each length through one carry graph, step by step (the transfer-matrix
// method), on the graph with its chains collapsed. Most states of a large carry graph have one
// step in and one step out: such a chain only delays the walks that enter it, so it becomes one
// edge of its length, and the walks on it wait in a ring of counts at the state it leaves. A step
// then costs the branching states alone, a tenth of the states or fewer.
//
// The counts are exact, held as fixed-width integers of machine words that widen when a sum would
// overflow: adding words costs far less than a big integer per state and step, and the counts of
// one Q rarely need more than a few words. A large graph's counts may not widen past a bound: they
// go on modulo 2^64 per word, and further passes count them once in floating point, to learn how
// wide they grow, and modulo enough word-sized primes, one word each; the Chinese remainder
// theorem joins the residues. A pass costs about as much at any width, as it is bound by reading
// the rings out of order.
#pragma once

#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/ticker.h"

#include <gmpxx.h>

#include <cstdint>
#include <vector>

namespace kz::kehr {

// Machine words in one block that grows in place where it can: glibc moves the pages of a large
// block to its new size rather than copy them, so counts that widen are never held twice. The
// largest counters hold tens of MB (S = 9941, Q = 3840: 40 MB).
class WordBlock {
  public:
    WordBlock() = default;
    WordBlock(WordBlock &&other) noexcept;
    WordBlock &operator=(WordBlock &&other) noexcept;
    ~WordBlock();

    void assignZeros(std::size_t size);
    void resize(std::size_t size); // the words added are left unset
    std::size_t size() const { return m_size; }
    std::uint64_t *data() { return m_words; }
    const std::uint64_t *data() const { return m_words; }
    std::uint64_t &operator[](std::size_t i) { return m_words[i]; }
    const std::uint64_t &operator[](std::size_t i) const { return m_words[i]; }

  private:
    std::uint64_t *m_words = nullptr;
    std::size_t m_size = 0;
};

class WalkCounter {
  public:
    // Counts walks of up to lastStep steps; the graph is not needed afterwards. Walks at states
    // that cannot reach an end within the steps left are not carried forward, as no counted walk
    // passes them.
    WalkCounter(WalkGraph graph, std::uint64_t lastStep);

    std::uint64_t steps() const { return m_steps; } // the length of the walks counted now
    // The walks of the current length that end here with an even or an odd D.
    mpz_class ending(Parity parity) const;
    // Goes one step further; false when no walk is left.
    bool step(Ticker &ticker);
    // The counts held, in machine words; they grow as the counts widen.
    std::size_t words() const { return m_rings.size(); }

    // The rings' words at most, where the counts are counted in passes: 40 MiB. A second pass
    // takes as long as the first, so only the largest graphs are held to it (S = 9795, Q = 4982:
    // 2.1 million counts, 311 bits wide at 1000 digits). Beside them lie the counter's own arrays
    // and the counts kept of the Qs done (19 and 21 MB at S = 8207), and the whole must stay
    // under 100 MB.
    static constexpr std::size_t kWordsAtMost = std::size_t(5) << 20;
    // From a counter not yet stepped: the walks that end D digits, for D = 0 .. 2 * lastStep + 1.
    // Its rings take at most wordsAtMost words, or one word per count if that is more.
    std::vector<mpz_class> countAll(Ticker &ticker, std::size_t wordsAtMost = kWordsAtMost);

  private:
    // One branching state: its walks of the latest steps, in a ring of ringSize counts.
    struct Node {
        std::uint32_t ringBegin; // in counts, not words
        std::uint32_t ringSize;  // one more than its longest edge out
        std::uint32_t latest;    // where the count of the latest step lies in the ring
        std::uint32_t toEnd;     // fewest steps to an end
    };
    // An edge into a branching state: from `from`, through a chain of length - 1 states.
    struct Edge {
        std::uint32_t from;
        std::uint32_t length;
    };

    std::uint32_t countIndex(std::uint32_t node, std::uint32_t stepsAgo) const; // in counts
    const std::uint64_t *countAt(std::uint32_t node, std::uint32_t stepsAgo) const;
    // Sums this step's count of each node from begin on; where a sum needs one word more, stops
    // and leaves it in m_overflow. The node stopped at, or active.
    template <std::size_t Width>
    std::uint32_t sumFrom(std::uint32_t begin, std::uint32_t active, std::uint64_t left);
    std::uint32_t sumAny(std::uint32_t begin, std::uint32_t active, std::uint64_t left);
    template <std::size_t Width>
    void sumEnds(const std::vector<std::uint32_t> &ends, std::uint64_t *sum) const;
    void widen();
    // The nodes walked from at this step: [0, active).
    std::uint32_t activate(std::uint64_t steps);
    // The count edge e reads at this step, in counts; it moves on to the next slot.
    std::uint32_t readOn(std::uint32_t e)
    {
        Reading &r = m_reading[e];
        const std::uint32_t at = r.at;
        r.at = at + 1 == r.end ? r.begin : at + 1;
        return at;
    }
    bool mayStep() const;
    void finishStep(std::uint32_t active, Ticker &ticker);
    std::vector<std::uint64_t> lengthsNow(std::size_t lengths) const; // those of this step
    // Counts of one word per lane, each modulo its prime, or where the modulus is 0 as a double.
    void restart(std::size_t width, const std::vector<std::uint64_t> &moduli);
    void stepLanes(const std::vector<std::uint64_t> &moduli, Ticker &ticker);
    void endingLanes(Parity parity, const std::vector<std::uint64_t> &moduli,
                     std::uint64_t *sum) const;
    // Completes counts that are known modulo 2^(64 * widest), or fails where the estimates in
    // floating point cannot vouch for the result.
    bool countByPrimes(std::vector<mpz_class> &counts, Ticker &ticker);

    std::uint64_t m_lastStep;
    std::uint64_t m_steps = 1;
    std::uint64_t m_lastLive = 1; // the latest step at which some count was not 0
    std::uint32_t m_longestEdge = 1;
    std::vector<Node> m_nodes;                 // by the step a walk first reaches them
    std::vector<std::uint32_t> m_firstReached; // per node; nodes [0, n) are walked after n steps
    std::vector<std::uint32_t> m_edgesBegin;   // the edges into node i: [edgesBegin[i], [i + 1])
    std::vector<Edge> m_edges;
    // Where each edge reads in the ring of the node it leaves: a second array beside the edges,
    // read in order, so that a step reads the rings without first reading each node out of order.
    struct Reading {
        std::uint32_t at, begin, end;
    };
    std::vector<Reading> m_reading;
    std::uint32_t m_activated = 0; // nodes whose edges have their readings
    std::vector<std::uint32_t> m_evenEnds, m_oddEnds;
    std::vector<std::uint32_t> m_firstNodes; // where the walks of one step are, once per walk
    std::uint32_t m_mostEdgesIn = 0;         // bounds the rounding of the counts in floating point
    std::size_t m_width = 1;                 // words per count, least significant first
    std::size_t m_widest = std::size_t(-1);  // the counts go on modulo 2^64 per word past this
    bool m_wrapped = false;                  // and went on so
    WordBlock m_rings;                       // the counts, m_width words each
    std::vector<std::uint64_t> m_overflow;   // a sum one word wider than the counts
    bool m_live = false;                     // some count of this step is not 0
};

// The walks of the graph that end a Kehrzahl with D digits, for D = 0 .. lengths - 1.
std::vector<mpz_class> countsByLength(WalkGraph graph, std::size_t lengths, Ticker &ticker);

} // namespace kz::kehr
