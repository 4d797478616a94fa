// The states of a carry graph from which a walk reaches an end of one parity in exactly j steps,
// for every j. Each set follows from the one before, so the sequence turns periodic as soon as a
// set repeats; only the sets up to there are kept, however long the walk.
#pragma once

#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/ticker.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kz::kehr {

// Thrown when the sets would take more memory than their caller allows.
struct OverBudget {};

class EndSets {
  public:
    // The sets for j = 0 .. longest at most (fewer when they repeat before); throws OverBudget
    // once they, with what it takes to find their repeat, would pass maxBytes.
    EndSets(const CarryGraph &graph, Parity parity, std::uint64_t longest, Ticker &ticker,
            std::size_t maxBytes = SIZE_MAX);

    bool canEndIn(std::uint64_t steps, std::uint32_t state) const
    {
        const auto &set = m_sets[index(steps)];
        return (set[state / 64] >> (state % 64)) & 1;
    }
    std::size_t distinctSets() const { return m_sets.size(); }
    // Where the sets start to repeat, and after how many steps they do.
    std::size_t periodStart() const { return m_periodStart; }
    std::size_t period() const { return m_period; }
    std::size_t bytes() const { return m_bytes; }

  private:
    std::size_t index(std::uint64_t steps) const
    {
        if (steps < m_sets.size())
            return std::size_t(steps);
        return m_periodStart + std::size_t((steps - m_periodStart) % m_period);
    }

    std::vector<std::vector<std::uint64_t>> m_sets; // bit per state
    std::size_t m_periodStart = 0;
    std::size_t m_period = 1;
    std::size_t m_bytes = 0;
};

} // namespace kz::kehr
