// Counts n up by one while keeping its digits in base S and its mirror number up to date, at
// amortised constant cost per step. The search's tight loop runs on it.
#pragma once

#include <array>
#include <cstdint>

namespace kz {

class MirrorCounter {
  public:
    // 2 <= base, 1 <= n <= last, all below 2^31; then S^(digits) < 2^62 and the mirror number
    // fits 64 bits.
    MirrorCounter(std::uint32_t base, std::uint32_t n, std::uint32_t last)
        : m_base(base), m_last(last)
    {
        reset(n);
    }

    std::uint32_t n() const { return m_n; }
    double value() const { return m_n; }
    double previous() const { return m_n - 1.0; }
    std::uint64_t mirror() const { return m_mirror; }

    // Whether n is a whole multiple of its mirror number. A quotient of 2 or more needs a mirror
    // of at most n / 2, so the division is left out for most numbers.
    bool divisible() const
    {
        if (m_mirror == m_n)
            return true;
        return 2 * m_mirror <= m_n && m_n % static_cast<std::uint32_t>(m_mirror) == 0;
    }

    // Moves on to n + 1 unless n is the last number of the stretch.
    bool advance()
    {
        if (m_n == m_last)
            return false;
        next();
        return true;
    }

    void next()
    {
        ++m_n;
        // The last digit changes at nearly every step, so it lives apart from the others.
        if (++m_lastDigit < m_base) {
            m_mirror += m_lastDigitWeight;
            return;
        }
        carry();
    }

  private:
    // The last digit wrapped to 0: carry into the higher digits. The digit at position j
    // (0 = last) weighs S^(count-1-j) in the mirror number.
    void carry()
    {
        m_lastDigit = 0;
        m_mirror -= static_cast<std::uint64_t>(m_base - 1) * m_lastDigitWeight;
        for (int j = 1; j < m_count; ++j) {
            if (m_digits[j] + 1 < m_base) {
                ++m_digits[j];
                m_mirror += m_weights[j];
                return;
            }
            m_digits[j] = 0;
            m_mirror -= static_cast<std::uint64_t>(m_base - 1) * m_weights[j];
        }
        reset(m_n); // one more digit: every weight changes
    }

    void reset(std::uint32_t n)
    {
        m_n = n;
        m_count = 0;
        for (std::uint32_t rest = n; rest > 0; rest /= m_base)
            m_digits[m_count++] = rest % m_base;
        std::uint64_t weight = 1;
        for (int j = m_count - 1; j >= 0; --j) {
            m_weights[j] = weight;
            weight *= m_base;
        }
        m_mirror = 0;
        for (int j = 0; j < m_count; ++j)
            m_mirror += m_digits[j] * m_weights[j];
        m_lastDigit = m_digits[0];
        m_lastDigitWeight = m_weights[0];
    }

    std::uint32_t m_base;
    std::uint32_t m_last;
    std::uint32_t m_n = 0;
    std::uint32_t m_lastDigit = 0; // digit 0; m_digits[0] is stale between resets
    std::uint64_t m_lastDigitWeight = 1;
    std::uint64_t m_mirror = 0;
    int m_count = 0;
    std::array<std::uint32_t, 32> m_digits{};
    std::array<std::uint64_t, 32> m_weights{};
};

} // namespace kz
