#include "kehrzahlen/steprule.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace kz::kehr {

namespace {

std::int64_t nonNegativeMod(std::int64_t a, std::int64_t m)
{
    const std::int64_t r = a % m;
    return r < 0 ? r + m : r;
}

// The inverse of a modulo m, for gcd(a, m) == 1. In 32 bits: a 64-bit division takes several
// times as long, and the multipliers of a range of bases find two inverses per S and Q.
std::int64_t inverseMod(std::int64_t a, std::int64_t m)
{
    std::int32_t r0 = std::int32_t(m), r1 = std::int32_t(nonNegativeMod(a, m)), t0 = 0, t1 = 1;
    while (r1 != 0) {
        const std::int32_t q = r0 / r1;
        r0 = std::exchange(r1, r0 - q * r1);
        t0 = std::exchange(t1, t0 - q * t1);
    }
    return nonNegativeMod(t0, m);
}

} // namespace

StepRule::StepRule(int base, int quotient) : base(base), quotient(quotient)
{
    const std::int64_t wideBase = base, wideQuotient = quotient;
    a = std::uint32_t((wideQuotient * wideQuotient - 1) % wideBase);
    overR = wideQuotient * wideQuotient <= wideBase;
    // Over r the unknown u must solve a·u = c; over u, r must solve Q·r = c.
    const std::int64_t factor = overR ? std::int64_t(a) : wideQuotient;
    const std::int64_t gcd = std::gcd(factor, wideBase); // gcd(0, S) = S: 0·u = 0 for every u
    const std::int64_t modulus = wideBase / gcd;
    inverse = std::uint32_t(inverseMod(factor / gcd, modulus));
    // Over r, g divides Q^2 - 1, so Q is a unit modulo g.
    qInverse = overR ? std::uint32_t(inverseMod(wideQuotient % gcd, gcd)) : 0;
    // Over r, r += g takes Q·g off c; over u, u += g takes a·g off c.
    const std::int64_t taken = (overR ? wideQuotient : std::int64_t(a)) % modulus;
    next = std::uint32_t(nonNegativeMod(-taken * inverse, modulus));
    s = smallDivisor(std::uint32_t(base));
    q = smallDivisor(std::uint32_t(quotient));
    g = smallDivisor(std::uint32_t(gcd));
    m = smallDivisor(std::uint32_t(modulus));
}

StepRule::StepRule(int quotient, std::uint32_t gcd, std::uint32_t inverse,
                   const Divisor &baseDivisor)
    : base(int(baseDivisor.value())), quotient(quotient), overR(false),
      a(baseDivisor.remainder(std::uint32_t(quotient) * std::uint32_t(quotient) - 1)),
      inverse(inverse), qInverse(0), s(baseDivisor), q(smallDivisor(std::uint32_t(quotient))),
      g(smallDivisor(gcd)), m(gcd == 1 ? baseDivisor : smallDivisor(baseDivisor.value() / gcd))
{
    // -(Q^2-1)·(Q/g)^-1 = (Q/g)^-1 - Q·g (mod M)
    const std::uint32_t taken = m.remainder(std::uint32_t(quotient) * gcd);
    next = inverse >= taken ? inverse - taken : inverse + m.value() - taken;
}

BaseRules::BaseRules(int base) : m_s(std::uint32_t(base)), m_inverse(std::size_t(base), 0)
{
    const std::uint32_t s = std::uint32_t(base);
    std::vector<bool> unit(s, true);
    std::vector<std::uint32_t> divisors{1};
    std::uint32_t rest = s;
    for (std::uint32_t p = 2; p <= rest; ++p) {
        if (p * p > rest)
            p = rest; // what is left is prime
        if (rest % p != 0)
            continue;
        const std::size_t lower = divisors.size();
        for (std::uint32_t power = p; rest % p == 0; power *= p) {
            rest /= p;
            for (std::size_t i = 0; i < lower; ++i)
                divisors.push_back(divisors[i] * power);
        }
        for (std::uint32_t multiple = p; multiple < s; multiple += p)
            unit[multiple] = false;
    }
    // gcd(Q, S) is the largest divisor of S that divides Q: the last to mark Q, in rising order.
    std::sort(divisors.begin(), divisors.end());
    m_gcd.assign(s, 1);
    for (const std::uint32_t d : divisors)
        for (std::uint32_t multiple = d; multiple < s; multiple += d)
            m_gcd[multiple] = d;
    // Montgomery's trick: invert the product of all units, then peel each off with two
    // multiplications. Products of two residues stay below S^2 <= 10^8.
    std::uint32_t product = 1;
    for (std::uint32_t q = 1; q < s; ++q) {
        if (unit[q]) {
            m_inverse[q] = product; // of the units below q, for now
            product = m_s.remainder(product * q);
        }
    }
    std::uint32_t inverse = std::uint32_t(inverseMod(product, s)); // of the units up to q
    for (std::uint32_t q = s - 1; q >= 1; --q) {
        if (unit[q]) {
            m_inverse[q] = m_s.remainder(inverse * m_inverse[q]);
            inverse = m_s.remainder(inverse * q);
        }
    }
}

StepRule BaseRules::rule(int quotient) const
{
    const std::uint32_t q = std::uint32_t(quotient), s = m_s.value();
    if (q * q <= s)
        return StepRule(int(s), quotient);
    const std::uint32_t g = m_gcd[q];
    if (g == 1)
        return StepRule(quotient, 1, m_inverse[q], m_s);
    // The inverse of Q / g modulo M = S / g is that modulo S of any unit w = Q / g (mod M). One
    // of Q / g + k·M for k < g is a unit: the primes of S that do not divide M pass through
    // every residue.
    const Divisor m = smallDivisor(s / g);
    std::uint32_t w = q / g;
    while (m_inverse[w] == 0)
        w += m.value();
    return StepRule(quotient, g, m.remainder(m_inverse[w]), m_s);
}

bool BaseRules::leavesStart(int quotient) const
{
    const std::uint32_t inverse = m_inverse[std::size_t(quotient)];
    const std::uint32_t q = std::uint32_t(quotient), s = m_s.value();
    // A first step has digits x < S and y = floor(x / Q) >= 1 with Q·x = y (mod S), so gcd(Q, S)
    // divides y: y >= gcd, and x >= Q·gcd.
    if (inverse == 0)
        return q * m_gcd[q] < s;
    if (q * q <= s)
        return true;
    // Here x = y·Q^-1 (mod S).
    std::uint32_t x = 0;
    for (std::uint32_t least = q; least < s; least += q) { // Q·y, the least x with that y
        x += inverse;
        if (x >= s)
            x -= s;
        if (x >= least && x - least < q)
            return true;
    }
    return false;
}

StepsBack::StepsBack(int base, int quotient)
    : m_s(std::uint32_t(base)), m_q(std::uint32_t(quotient)),
      m_a(std::uint32_t((std::int64_t(quotient) * quotient - 1) % base))
{
    const int gcd = std::gcd(quotient, base);
    m_g = Divisor(std::uint32_t(gcd));
    m_m = Divisor(std::uint32_t(base / gcd));
    m_inverse = std::uint32_t(inverseMod(quotient / gcd, base / gcd));
}

void stepsOutOf(const StepRule &rule, CarryPair from, std::vector<PairStep> &out)
{
    out.clear();
    forEachStep(rule, from, [&](std::int32_t x, std::int32_t y, CarryPair to) {
        out.push_back({x, y, to});
    });
    if (rule.overR)
        std::sort(out.begin(), out.end(),
                  [](const PairStep &a, const PairStep &b) { return a.x < b.x; });
}

} // namespace kz::kehr
