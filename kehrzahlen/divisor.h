// Division of 32-bit numbers by a divisor fixed for a whole walk, by one multiplication: the walks
// over carry pairs divide by S, Q and Q - 1 at every step, and a hardware division costs as much as
// the rest of the step.
//
// D. Lemire, O. Kaser, N. Kurz, "Faster remainder by direct computation", Software: Practice and
// Experience 49 (2019).
#pragma once

#include <cstdint>
#include <vector>

namespace kz::kehr {

class Divisor {
  public:
    Divisor() = default;
    explicit Divisor(std::uint32_t d) : m_d(d), m_magic(d == 1 ? 0 : ~std::uint64_t(0) / d + 1) {}

    std::uint32_t value() const { return m_d; }
    std::uint32_t quotient(std::uint32_t n) const
    {
        return m_d == 1 ? n : std::uint32_t(Wide(m_magic) * n >> 64);
    }
    std::uint32_t remainder(std::uint32_t n) const
    {
        return m_d == 1 ? 0 : std::uint32_t(Wide(m_magic * n) * m_d >> 64);
    }
    bool divides(std::uint32_t n) const { return m_d == 1 || m_magic * n <= m_magic - 1; }

  private:
    __extension__ typedef unsigned __int128 Wide;

    std::uint32_t m_d = 1;
    std::uint64_t m_magic = 0; // ceil(2^64 / d); 2^64 itself for d = 1, which is handled apart
};

inline constexpr std::uint32_t kTabledDivisors = 10000; // the largest base

// The divisor d, from a table of those up to the largest base: the multipliers of a range of bases
// would otherwise spend a 64-bit division on Q and Q - 1 for each of 5·10^7 walks.
inline Divisor smallDivisor(std::uint32_t d)
{
    static const std::vector<Divisor> table = [] {
        std::vector<Divisor> divisors;
        divisors.reserve(kTabledDivisors + 1);
        for (std::uint32_t n = 0; n <= kTabledDivisors; ++n)
            divisors.emplace_back(n == 0 ? 1 : n);
        return divisors;
    }();
    return d <= kTabledDivisors ? table[d] : Divisor(d);
}

} // namespace kz::kehr
