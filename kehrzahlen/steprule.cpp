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

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The inverse of a modulo m, for gcd(a, m) == 1.
std::int64_t inverseMod(std::int64_t a, std::int64_t m)
{
    std::int64_t r0 = m, r1 = nonNegativeMod(a, m), t0 = 0, t1 = 1;
    while (r1 != 0) {
        const std::int64_t q = r0 / r1;
        r0 = std::exchange(r1, r0 - q * r1);
        t0 = std::exchange(t1, t0 - q * t1);
    }
    return nonNegativeMod(t0, m);
}

} // namespace

StepRule::StepRule(int s, int q) : base(s), quotient(q)
{
    const std::int64_t a = nonNegativeMod(std::int64_t(q) * q - 1, s);
    uGcd = std::gcd(a, std::int64_t(s)); // gcd(0, S) = S: every u solves 0·u = 0
    uInverse = inverseMod(a / uGcd, s / uGcd);
    rGcd = std::gcd(std::int64_t(q), std::int64_t(s));
    rInverse = inverseMod(q / rGcd, s / rGcd);
}

void stepsOutOf(const StepRule &rule, CarryPair from, std::vector<PairStep> &out)
{
    out.clear();
    const std::int64_t s = rule.base, q = rule.quotient;
    const std::int64_t shifted = s * from.high; // x + S·high runs over [shifted, shifted + S)
    auto add = [&](std::int64_t u, std::int64_t r) {
        const std::int64_t x = q * u + r - shifted;
        out.push_back({std::int32_t(x), std::int32_t(u), {int((q * x + from.low) / s), int(r)}});
    };
    if (q * q <= s) {
        // Q values of r, each with its residue class of u in an interval of length S / Q.
        const std::int64_t modulus = s / rule.uGcd;
        for (std::int64_t r = 0; r < q; ++r) {
            const std::int64_t c = nonNegativeMod(-(q * r + from.low), s);
            if (c % rule.uGcd != 0)
                continue;
            const std::int64_t u0 = c / rule.uGcd * rule.uInverse % modulus;
            const std::int64_t first = std::max<std::int64_t>(0, -floorDiv(r - shifted, q));
            const std::int64_t last = floorDiv(shifted + s - 1 - r, q);
            for (std::int64_t u = first + nonNegativeMod(u0 - first, modulus); u <= last;
                 u += modulus)
                add(u, r);
        }
        std::sort(out.begin(), out.end(),
                  [](const PairStep &a, const PairStep &b) { return a.x < b.x; });
    } else {
        // About S / Q values of u, each with its residue class of r in [0, Q); x rises with u, r.
        const std::int64_t modulus = s / rule.rGcd;
        const std::int64_t a = nonNegativeMod(q * q - 1, s);
        for (std::int64_t u = shifted / q; u <= (shifted + s - 1) / q; ++u) {
            const std::int64_t c = nonNegativeMod(-(from.low + a * u), s);
            if (c % rule.rGcd != 0)
                continue;
            const std::int64_t r0 = c / rule.rGcd * rule.rInverse % modulus;
            const std::int64_t first = std::max<std::int64_t>(0, shifted - q * u);
            const std::int64_t last = std::min<std::int64_t>(q - 1, shifted + s - 1 - q * u);
            for (std::int64_t r = first + nonNegativeMod(r0 - first, modulus); r <= last;
                 r += modulus)
                add(u, r);
        }
    }
}

} // namespace kz::kehr
