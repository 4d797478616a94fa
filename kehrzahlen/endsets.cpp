#include "kehrzahlen/endsets.h"

#include <unordered_map>

namespace kz::kehr {

namespace {

std::size_t hashOf(const std::vector<std::uint64_t> &set)
{
    std::size_t h = 0;
    for (const std::uint64_t word : set)
        h = h * 0x9E3779B97F4A7C15ull + word;
    return h;
}

} // namespace

EndSets::EndSets(const CarryGraph &g, Parity parity, std::uint64_t longest, Ticker &ticker,
                 std::size_t maxBytes)
{
    const std::size_t words = (g.states.size() + 63) / 64;
    // A set, its slot in the list and its entry in `seen`.
    const std::size_t bytesPerSet = words * 8 + sizeof(m_sets[0]) + 64;
    std::vector<std::uint64_t> set(words, 0);
    for (std::uint32_t s = 0; s < g.states.size(); ++s) {
        if (g.endsAt(s, parity))
            set[s / 64] |= std::uint64_t(1) << (s % 64);
    }
    std::unordered_multimap<std::size_t, std::size_t> seen;
    for (std::uint64_t j = 0;; ++j) {
        const std::size_t h = hashOf(set);
        for (auto [it, end] = seen.equal_range(h); it != end; ++it) {
            if (m_sets[it->second] == set) {
                m_periodStart = it->second;
                m_period = m_sets.size() - it->second;
                return;
            }
        }
        m_bytes += bytesPerSet;
        if (m_bytes > maxBytes)
            throw OverBudget{};
        seen.emplace(h, m_sets.size());
        m_sets.push_back(set);
        if (j == longest)
            return;
        std::vector<std::uint64_t> next(words, 0);
        for (std::uint32_t s = 0; s < g.states.size(); ++s) {
            for (const Step &step : g.stepsFrom(s)) {
                if (canEndIn(j, step.to)) {
                    next[s / 64] |= std::uint64_t(1) << (s % 64);
                    break;
                }
            }
            ticker.tick();
        }
        set = std::move(next);
    }
}

} // namespace kz::kehr
