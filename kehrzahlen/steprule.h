// The steps out of one carry pair of S and Q, found from their congruence rather than by trying
// all S digits (the maths is in kehrzahlen/carrygraph.h). The walks that explore a graph call
// forEachStep once per state, so it divides by nothing but the prepared divisors and steps its
// residues on by addition.
#pragma once

#include "kehrzahlen/carrygraph.h"
#include "kehrzahlen/divisor.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kz::kehr {

struct PairStep {
    std::int32_t x;
    std::int32_t y;
    CarryPair to;
    friend bool operator==(const PairStep &, const PairStep &) = default;
};

// What solving (Q^2-1)·u + Q·r + low = 0 (mod S) needs for one S and Q, worked out once. For
// Q^2 <= S it runs over r (Q values), else over u (about S / Q values).
struct StepRule {
    StepRule(int base, int quotient);
    // The same rule for Q^2 > S, from g = gcd(Q, S), the inverse of Q / g modulo S / g and the
    // divisor of S that BaseRules keeps.
    StepRule(int quotient, std::uint32_t gcd, std::uint32_t inverse, const Divisor &baseDivisor);

    int base;
    int quotient;
    bool overR;
    std::uint32_t a; // (Q^2-1) mod S
    // Over r: the r with Q·r + low = 0 (mod g), g = gcd(a, S), are those = -low·qInverse (mod g);
    // each has u = (c / g)·inverse (mod M), M = S / g, c = -(Q·r + low) mod S.
    // Over u: the u = low (mod g), g = gcd(Q, S), each with r = (c / g)·inverse (mod M),
    // c = -(low + a·u) mod S.
    std::uint32_t inverse;
    std::uint32_t qInverse;
    std::uint32_t next; // what the other unknown gains (mod M) when the one run over gains g
    Divisor s, q, g, m;
};

// The rules of one base for each of its quotients. The multipliers of a range of bases build a
// rule for each S and Q, 5·10^7 in all, and most of them walk only a few pairs: an inverse found by
// Euclid's algorithm for each costs more than the walk. Here one inversion serves the whole base.
class BaseRules {
  public:
    explicit BaseRules(int base);
    StepRule rule(int quotient) const;
    // False when no step leaves the start, so that no Kehrzahl has quotient Q. Most Q are so (73 %
    // up to base 10000), and it costs less to tell than to build the rule. Exact for Q coprime to
    // S with Q^2 > S; for the others true may be wrong, and the walk tells.
    bool leavesStart(int quotient) const;

  private:
    Divisor m_s;
    std::vector<std::uint32_t> m_inverse; // of each Q modulo S; 0 where Q and S share a factor
    std::vector<std::uint32_t> m_gcd;     // gcd(Q, S) for each Q
};

// Where the candidates (u, r) of a pair start under a rule over u: the first u of its window with
// u = low (mod g), shifted = S·high, and the r below M = S / g that u needs; the next candidate
// u + g needs r + next (mod M). For gcd(Q, S) = 1, r = -(low + a·u)·Q^-1 = (S - low)·Q^-1 + next·u
// (mod S). Sums stay below 2·S^2.
struct Candidate {
    std::uint32_t u;
    std::uint32_t r;
};
template <bool kCoprime>
__attribute__((always_inline)) inline Candidate
firstCandidate(const StepRule &rule, std::uint32_t low, std::uint32_t shifted)
{
    const std::uint32_t s = rule.s.value(), u = rule.q.quotient(shifted);
    if constexpr (kCoprime) {
        return {u, rule.s.remainder((s - low) * rule.inverse + rule.next * u)};
    } else {
        const std::uint32_t g = rule.g.value();
        const std::uint32_t first = u + rule.g.remainder(low + g - rule.g.remainder(u));
        const std::uint32_t t = rule.s.remainder(low + rule.a * first);
        return {first, rule.m.remainder(rule.g.quotient(t == 0 ? 0 : s - t) * rule.inverse)};
    }
}

// Where the candidates of a pair start under a rule over r: the least r below g with
// Q·r + low = 0 (mod g), and the u below M it needs; r + g needs u + next (mod M).
__attribute__((always_inline)) inline Candidate firstCandidateOverR(const StepRule &rule,
                                                                    std::uint32_t low)
{
    const std::uint32_t s = rule.s.value(), g = rule.g.value();
    const std::uint32_t r =
        rule.g.remainder(rule.g.remainder(g - rule.g.remainder(low)) * rule.qInverse);
    const std::uint32_t t = rule.s.remainder(rule.q.value() * r + low);
    return {rule.m.remainder(rule.g.quotient(t == 0 ? 0 : s - t) * rule.inverse), r};
}

// forEachStep for a rule over u with gcd(Q, S) = 1, the most common kind: each u has one r below
// S, and a step when r < Q and it puts x in [0, S).
template <typename F> void forEachCoprimeStep(const StepRule &rule, CarryPair from, F &&f)
{
    const std::uint32_t s = rule.s.value(), q = rule.q.value(), low = std::uint32_t(from.low);
    const std::uint32_t shifted = s * std::uint32_t(from.high);
    const std::uint32_t lastU = rule.q.quotient(shifted + s - 1);
    auto [u, r] = firstCandidate<true>(rule, low, shifted);
    auto step = [&](std::uint32_t r) __attribute__((always_inline))
    {
        r += rule.next;
        return r >= s ? r - s : r;
    };
    auto emit = [&](std::uint32_t u, std::uint32_t r) __attribute__((always_inline))
    {
        const std::uint32_t x = q * u + r - shifted;
        f(std::int32_t(x), std::int32_t(u), CarryPair{int(rule.s.quotient(q * x + low)), int(r)});
    };
    if (lastU - u < 3) {
        // Whether a u has a step is a toss-up that no branch predicts well. So the three u or
        // fewer that Q > S / 2 leaves are tried without one, and only the steps found branch.
        std::uint32_t us[3], rs[3], n = 0;
        for (std::uint32_t k = 0; k < 3; ++k, ++u, r = step(r)) {
            us[n] = u;
            rs[n] = r;
            // x = Q·u + r - S·high wraps round below 0, and is S or more for u past lastU.
            n += (r < q) & (q * u + r - shifted < s);
        }
        for (std::uint32_t i = 0; i < n; ++i)
            emit(us[i], rs[i]);
        return;
    }
    for (; u <= lastU; ++u, r = step(r)) {
        if (r < q && q * u + r - shifted < s)
            emit(u, r);
    }
}

// Calls f(x, y, to) for each step out of `from`; in increasing x when Q^2 > S.
template <typename F> void forEachStep(const StepRule &rule, CarryPair from, F &&f)
{
    const std::uint32_t s = rule.s.value(), q = rule.q.value(), g = rule.g.value();
    const std::uint32_t m = rule.m.value(), low = std::uint32_t(from.low);
    const std::uint32_t shifted = s * std::uint32_t(from.high); // x + S·high is Q·u + r
    // Inlined by force: once the code round it grows, GCC would call it once per step.
    auto emit = [&](std::uint32_t u, std::uint32_t r) __attribute__((always_inline))
    {
        const std::uint32_t x = q * u + r - shifted;
        f(std::int32_t(x), std::int32_t(u), CarryPair{int(rule.s.quotient(q * x + low)), int(r)});
    };
    if (rule.overR) {
        auto [u0, r] = firstCandidateOverR(rule, low);
        for (; r < q; r += g) {
            const std::uint32_t first = shifted > r ? rule.q.quotient(shifted - r + q - 1) : 0;
            const std::uint32_t last = rule.q.quotient(shifted + s - 1 - r);
            for (std::uint32_t u = first + rule.m.remainder(u0 + m - rule.m.remainder(first));
                 u <= last; u += m)
                emit(u, r);
            u0 += rule.next;
            if (u0 >= m)
                u0 -= m;
        }
        return;
    }
    if (g == 1) {
        forEachCoprimeStep(rule, from, f);
        return;
    }
    const std::uint32_t lastU = rule.q.quotient(shifted + s - 1);
    auto [u, r0] = firstCandidate<false>(rule, low, shifted);
    for (; u <= lastU; u += g) {
        // r runs over [0, Q) cut to x in [0, S): only the first and last u are cut.
        const std::uint32_t qu = q * u;
        std::uint32_t r = r0;
        if (shifted > qu) {
            const std::uint32_t first = shifted - qu;
            r = first + rule.m.remainder(r0 + m - rule.m.remainder(first));
        }
        const std::uint32_t last = shifted + s - 1 - qu < q ? shifted + s - 1 - qu : q - 1;
        for (; r <= last; r += m)
            emit(u, r);
        r0 += rule.next;
        if (r0 >= m)
            r0 -= m;
    }
}

// The steps into a carry pair, found backwards: the walk back from the ends that tells which pairs
// lead to one, where the steps out of each pair are not kept. A step (low, high) -> (low', high')
// with digits x, y has Q·x + low = S·low' + y, so x runs over about S / Q values, and
// S·high = high' - x + Q·y, so Q·low = -high' - (Q^2-1)·x (mod S) for each.
class StepsBack {
  public:
    StepsBack(int base, int quotient);

    // Calls f(from) for each pair with a step to `to`.
    template <typename F> void forEachFrom(CarryPair to, F &&f) const
    {
        const std::uint32_t s = m_s.value(), q = m_q.value(), m = m_m.value();
        const std::uint32_t shifted = s * std::uint32_t(to.low), high1 = std::uint32_t(to.high);
        const std::uint32_t xLast = std::min(s - 1, m_q.quotient(shifted + s - 1));
        for (std::uint32_t x = m_q.quotient(shifted); x <= xLast; ++x) {
            // Q·x + low must lie in [shifted, shifted + S).
            const std::uint32_t qx = q * x;
            const std::uint32_t lowFirst = shifted > qx ? shifted - qx : 0;
            const std::uint32_t lowLast = std::min(q - 1, shifted + s - 1 - qx);
            if (lowFirst > lowLast)
                continue;
            const std::uint32_t t = m_s.remainder(high1 + m_a * x);
            const std::uint32_t c = t == 0 ? 0 : s - t; // Q·low = c (mod S)
            if (!m_g.divides(c))
                continue;
            const std::uint32_t solution = m_m.remainder(m_g.quotient(c) * m_inverse);
            const std::uint32_t below = m_m.remainder(lowFirst);
            for (std::uint32_t low =
                     lowFirst + (solution >= below ? solution - below : solution + m - below);
                 low <= lowLast; low += m) {
                const std::uint32_t y = qx + low - shifted;
                const std::uint32_t raised = high1 + q * y; // S·high + x
                if (raised < x)
                    continue;
                const std::uint32_t high = m_s.quotient(raised - x);
                if (high < q)
                    f(CarryPair{int(low), int(high)});
            }
        }
    }

  private:
    Divisor m_s, m_q;
    std::uint32_t m_a;       // (Q^2-1) mod S
    Divisor m_g, m_m;        // gcd(Q, S) and S / gcd
    std::uint32_t m_inverse; // of Q / gcd, modulo S / gcd
};

// endBits(endingAt(S, Q, p)) without a hardware division: the walks ask it of every state they
// find.
class EndRule {
  public:
    EndRule(int base, int quotient)
        : m_base(std::uint32_t(base)), m_middleFactor(smallDivisor(std::uint32_t(quotient - 1)))
    {
    }
    std::uint8_t bits(CarryPair p) const
    {
        const std::uint32_t shifted = m_base * std::uint32_t(p.high);
        const std::uint32_t twice = shifted - std::uint32_t(p.low); // ·z
        const bool odd = shifted >= std::uint32_t(p.low) && m_middleFactor.divides(twice) &&
                         m_middleFactor.quotient(twice) < m_base;
        return std::uint8_t((p.low == p.high ? 1 : 0) | (odd ? 2 : 0));
    }

  private:
    std::uint32_t m_base;
    Divisor m_middleFactor;
};

// Replaces out with the steps out of `from`, in increasing x.
void stepsOutOf(const StepRule &rule, CarryPair from, std::vector<PairStep> &out);

} // namespace kz::kehr
