// Counters for the search's tight loop besides MirrorCounter: each walks one kind of stretch of
// the range and says which numbers could be divisible by their mirror number. Only those go
// through the exact number test.
#pragma once

#include <cmath>
#include <cstdint>

namespace kz {

// Whole numbers from -2^31 up to 0. A negative n has one digit in a whole base S >= 2, which
// keeps its sign: the mirror number is n Mod S itself (n = -77 gives m = -7 in base 10).
class NonPositiveCounter {
  public:
    NonPositiveCounter(std::int64_t n, std::uint32_t base) : m_n(n), m_base(base) {}
    double value() const { return static_cast<double>(m_n); }
    bool holds() const { return true; }
    bool divisible() const
    {
        const std::int64_t mirror = m_n % m_base;
        return mirror != 0 && m_n % mirror == 0;
    }
    void next() { ++m_n; }

  private:
    std::int64_t m_n;
    std::int64_t m_base;
};

// Numbers with a fraction. Their digits in a whole base are whole, so the mirror number is whole
// and n / m never is: no such number is a hit. Counting goes in doubles as the plain loop does.
class FractionCounter {
  public:
    explicit FractionCounter(double n) : m_n(n) {}
    double value() const { return m_n; }
    bool holds() const { return m_n != std::floor(m_n); }
    bool divisible() const { return false; }
    void next() { m_n += 1; }

  private:
    double m_n;
};

} // namespace kz
