// The number of walks of each length through one carry graph, step by step (the transfer-matrix
// method). The counts are exact, held as fixed-width integers of machine words that widen when a
// sum would overflow: adding words costs far less than a big integer per state and step, and the
// counts of one Q rarely need more than a few words.
#pragma once

#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/ticker.h"

#include <gmpxx.h>

#include <cstdint>
#include <span>
#include <vector>

namespace kz::kehr {

class WalkCounter {
  public:
    // Counts walks of up to lastStep steps; states that cannot reach an end within the steps
    // left are not carried forward, as no counted walk passes them.
    WalkCounter(const CarryGraph &graph, std::uint64_t lastStep);

    std::uint64_t steps() const { return m_steps; } // the length of the walks counted now
    // The walks of the current length that end here with an even or an odd D.
    mpz_class ending(Parity parity) const;
    // Goes one step further; false when no walk is left.
    bool step(Ticker &ticker);

  private:
    bool stepInto(std::size_t &stepsTaken); // false when a sum overflowed the width
    template <bool CheckEnds> bool stepIntoChecked(std::size_t &stepsTaken);
    template <std::size_t Width, bool CheckEnds>
    bool stepIntoWidth(std::size_t width, std::size_t &stepsTaken);
    void clear(std::vector<std::uint64_t> &values, std::vector<std::uint32_t> &reached);
    void widen();

    const CarryGraph &m_graph;
    std::uint64_t m_lastStep;
    std::uint64_t m_steps = 1;
    std::vector<std::uint32_t> m_stepsToEnd; // fewest steps from each state to an end
    std::uint64_t m_farthestEnd = 0;         // the most steps any state needs to an end
    std::vector<std::uint32_t> m_evenEnds, m_oddEnds;
    std::size_t m_width = 1;              // words per count, least significant first
    std::vector<std::uint64_t> m_into;    // walks into each state, m_width words each
    std::vector<std::uint32_t> m_reached; // the states where m_into is not 0
    std::vector<std::uint64_t> m_next;    // the next step's counts, built from m_into
    std::vector<std::uint32_t> m_nextReached;
};

// The walks of the graph that end a Kehrzahl with D digits, for D = 0 .. lengths - 1.
std::vector<mpz_class> countsByLength(const CarryGraph &graph, std::size_t lengths, Ticker &ticker);

} // namespace kz::kehr
