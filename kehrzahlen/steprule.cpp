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
    s = Divisor(std::uint32_t(base));
    q = Divisor(std::uint32_t(quotient));
    g = Divisor(std::uint32_t(gcd));
    m = Divisor(std::uint32_t(modulus));
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
