// Counters for the search's tight loop besides MirrorCounter: each walks one kind of stretch of
// the range and says which numbers could be divisible by their mirror number. Only those go
// through the exact number test. Each moves on with advance() until its stretch ends.
#pragma once

#include <cmath>
#include <cstdint>

namespace kz {

// Whole numbers from -2^31 up to 0. A negative n has one digit in a whole base S >= 2, which
// keeps its sign: the mirror number is n Mod S itself (n = -77 gives m = -7 in base 10).
class NonPositiveCounter {
  public:
    NonPositiveCounter(std::int64_t n, std::uint32_t base, std::int64_t last)
        : m_n(n), m_last(last), m_base(base)
    {
    }
    double value() const { return static_cast<double>(m_n); }
    double previous() const { return static_cast<double>(m_n - 1); }
    bool divisible() const
    {
        const std::int64_t mirror = m_n % m_base;
        return mirror != 0 && m_n % mirror == 0;
    }
    bool advance()
    {
        if (m_n == m_last)
            return false;
        ++m_n;
        return true;
    }

  private:
    std::int64_t m_n;
    std::int64_t m_last;
    std::int64_t m_base;
};

// Numbers with a fraction. Their digits in a whole base are whole, so the mirror number is whole
// and n / m never is: no such number is a hit. Counting goes in doubles as the plain loop does.
class FractionCounter {
  public:
    FractionCounter(double n, double stop) : m_n(n), m_previous(n - 1), m_stop(stop) {}
    double value() const { return m_n; }
    double previous() const { return m_previous; }
    bool divisible() const { return false; }
    // Moves on unless the next number is past the stop or whole (one step can round to whole).
    bool advance()
    {
        const double next = m_n + 1;
        if (!(next <= m_stop) || next == std::floor(next))
            return false;
        m_previous = m_n;
        m_n = next;
        return true;
    }

  private:
    double m_n;
    double m_previous;
    double m_stop;
};

} // namespace kz
