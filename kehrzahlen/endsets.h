// The states of a carry graph from which a walk reaches an end of one parity in exactly j steps,
// for every j. Each set follows from the one before, so the sequence turns periodic as soon as a
// set repeats; only the sets up to there are kept, however long the walk.
#pragma once

#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/ticker.h"

#include <cstdint>
#include <vector>

namespace kz::kehr {

class EndSets {
  public:
    // The sets for j = 0 .. longest at most (fewer when they repeat before).
    EndSets(const CarryGraph &graph, Parity parity, std::uint64_t longest, Ticker &ticker);

    bool canEndIn(std::uint64_t steps, std::uint32_t state) const
    {
        const auto &set = m_sets[index(steps)];
        return (set[state / 64] >> (state % 64)) & 1;
    }
    std::size_t distinctSets() const { return m_sets.size(); }
    // Where the sets start to repeat, and after how many steps they do.
    std::size_t periodStart() const { return m_periodStart; }
    std::size_t period() const { return m_period; }

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
};

} // namespace kz::kehr
