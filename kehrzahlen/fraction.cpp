#include "kehrzahlen/fraction.h"

#include <flint/flint.h>
#include <flint/fmpz.h>
#include <flint/fmpz_mod_poly.h>
#include <flint/fmpz_poly.h>

#include <stdexcept>

namespace kz::kehr {

namespace {

// FLINT keeps caches per thread; those of a thread that ends would be lost, so each call hands
// them back when it is done.
struct ThreadCaches {
    ThreadCaches() = default;
    ~ThreadCaches() { flint_cleanup(); }
    ThreadCaches(const ThreadCaches &) = delete;
    ThreadCaches &operator=(const ThreadCaches &) = delete;
};

// Owning wrappers of the FLINT types used here.
struct Poly {
    fmpz_poly_t p;
    Poly() { fmpz_poly_init(p); }
    ~Poly() { fmpz_poly_clear(p); }
    Poly(const Poly &) = delete;
    Poly &operator=(const Poly &) = delete;
};

struct Integer {
    fmpz_t z;
    Integer() { fmpz_init(z); }
    ~Integer() { fmpz_clear(z); }
    Integer(const Integer &) = delete;
    Integer &operator=(const Integer &) = delete;
};

void setPoly(fmpz_poly_t to, const std::vector<mpz_class> &coefficients)
{
    fmpz_poly_zero(to);
    Integer c;
    for (std::size_t i = 0; i < coefficients.size(); ++i) {
        fmpz_set_mpz(c.z, coefficients[i].get_mpz_t());
        fmpz_poly_set_coeff_fmpz(to, slong(i), c.z);
    }
}

// Coefficient i of p, also past its end: FLINT keeps no zeros after the last coefficient that is
// not 0, and hands out no coefficient there.
const fmpz *coefficientAt(const fmpz_poly_t p, slong i)
{
    static const fmpz zero = 0;
    return i < fmpz_poly_length(p) ? fmpz_poly_get_coeff_ptr(p, i) : &zero;
}

std::vector<mpz_class> coefficientsOf(const fmpz_poly_t p)
{
    std::vector<mpz_class> out(std::size_t(fmpz_poly_length(p)));
    for (std::size_t i = 0; i < out.size(); ++i)
        fmpz_get_mpz(out[i].get_mpz_t(), fmpz_poly_get_coeff_ptr(p, slong(i)));
    return out;
}

// The denominator of the shortest linear recurrence of terms modulo a prime of about `bits`
// bits, lifted to integers in the symmetric range, with C(0) = 1; returns the recurrence's order.
slong denominatorModulo(fmpz_poly_t denominator, const std::vector<mpz_class> &terms, ulong bits,
                        Ticker &ticker)
{
    Integer prime, half, value;
    fmpz_one(prime.z);
    fmpz_mul_2exp(prime.z, prime.z, bits);
    fmpz_nextprime(prime.z, prime.z, 0);
    fmpz_fdiv_q_2exp(half.z, prime.z, 1);
    // Owned here, as the cancel flag may unwind from the loop.
    struct Field {
        fmpz_mod_ctx_t ctx;
        fmpz_mod_berlekamp_massey_t bm;
        explicit Field(const fmpz_t prime)
        {
            fmpz_mod_ctx_init(ctx, prime);
            fmpz_mod_berlekamp_massey_init(bm, ctx);
        }
        ~Field()
        {
            fmpz_mod_berlekamp_massey_clear(bm, ctx);
            fmpz_mod_ctx_clear(ctx);
        }
        Field(const Field &) = delete;
        Field &operator=(const Field &) = delete;
    } field(prime.z);
    auto &ctx = field.ctx;
    auto &bm = field.bm;
    for (const mpz_class &t : terms) {
        fmpz_set_mpz(value.z, t.get_mpz_t());
        fmpz_mod(value.z, value.z, prime.z);
        fmpz_mod_berlekamp_massey_add_point(bm, value.z, ctx);
        // Reduced as the points come, not all at the end: with tens of thousands of terms that
        // takes minutes, and the cancel flag is read in between.
        if (fmpz_mod_berlekamp_massey_point_count(bm) % 64 == 0) {
            fmpz_mod_berlekamp_massey_reduce(bm, ctx);
            ticker.poll();
        }
    }
    fmpz_mod_berlekamp_massey_reduce(bm, ctx);
    // V is the characteristic polynomial, up to a factor; the denominator is V read backwards.
    fmpz_mod_poly_t monic;
    fmpz_mod_poly_init(monic, ctx);
    fmpz_mod_poly_make_monic(monic, fmpz_mod_berlekamp_massey_V_poly(bm), ctx);
    const slong degree = fmpz_mod_poly_degree(monic, ctx);
    fmpz_poly_zero(denominator);
    for (slong i = 0; i <= degree; ++i) {
        fmpz_mod_poly_get_coeff_fmpz(value.z, monic, degree - i, ctx);
        if (fmpz_cmp(value.z, half.z) > 0)
            fmpz_sub(value.z, value.z, prime.z);
        fmpz_poly_set_coeff_fmpz(denominator, i, value.z);
    }
    fmpz_mod_poly_clear(monic, ctx);
    return degree;
}

} // namespace

Fraction fractionOf(const std::vector<mpz_class> &terms, Ticker &ticker)
{
    const ThreadCaches caches;
    Poly series, denominator, product, numerator, common;
    setPoly(series.p, terms);
    const slong n = slong(terms.size());
    // The integer denominator has coefficients of unknown size: a prime that is too small shows
    // in a recurrence that fails over the integers, and a larger one is tried.
    for (ulong bits = 256;; bits *= 2) {
        // Modulo a prime the order can only come out smaller; larger than the terms allow means
        // too few terms.
        const slong order = denominatorModulo(denominator.p, terms, bits, ticker);
        if (2 * order + 2 > n)
            throw std::logic_error("too few terms for the generating function");
        // From the order on, every term of C·F must vanish; what is left is the numerator.
        fmpz_poly_mullow(product.p, denominator.p, series.p, n);
        fmpz_poly_set_trunc(numerator.p, product.p, order);
        if (fmpz_poly_equal(numerator.p, product.p))
            break;
        if (bits >= 1u << 14)
            throw std::logic_error("no generating function with coefficients this small");
    }
    fmpz_poly_gcd(common.p, numerator.p, denominator.p);
    if (!fmpz_poly_is_one(common.p) && fmpz_poly_length(common.p) > 0) {
        fmpz_poly_div(numerator.p, numerator.p, common.p);
        fmpz_poly_div(denominator.p, denominator.p, common.p);
    }
    if (fmpz_sgn(coefficientAt(denominator.p, 0)) < 0) {
        fmpz_poly_neg(numerator.p, numerator.p);
        fmpz_poly_neg(denominator.p, denominator.p);
    }
    return {coefficientsOf(numerator.p), coefficientsOf(denominator.p)};
}

mpz_class coefficientOf(const Fraction &f, std::uint64_t power, Ticker &ticker)
{
    const ThreadCaches caches;
    // With d = deg C, the series a of P/C satisfies a(k) = -(C1·a(k-1) + ... + Cd·a(k-d)) from
    // k = deg P + 1 on. The term is then a combination of d earlier terms, whose weights are the
    // coefficients of x^(power - start) modulo the characteristic polynomial x^d·C(1/x).
    Poly numerator, denominator, series;
    setPoly(numerator.p, f.numerator);
    setPoly(denominator.p, f.denominator);
    const slong d = fmpz_poly_degree(denominator.p);
    const slong start = std::max<slong>(0, fmpz_poly_degree(numerator.p) + 1 - d);
    const slong known = start + std::max<slong>(d, 1);
    fmpz_poly_div_series(series.p, numerator.p, denominator.p, known);
    mpz_class out;
    if (power < std::uint64_t(known) || d <= 0) {
        if (power < std::uint64_t(known))
            fmpz_get_mpz(out.get_mpz_t(), coefficientAt(series.p, slong(power)));
        return out;
    }
    Poly characteristic, weights, base;
    fmpz_poly_reverse(characteristic.p, denominator.p, d + 1);
    fmpz_poly_one(weights.p);
    fmpz_poly_set_coeff_ui(base.p, 1, 1); // x
    for (std::uint64_t e = power - std::uint64_t(start); e != 0; e >>= 1) {
        ticker.poll();
        if (e & 1) {
            fmpz_poly_mul(weights.p, weights.p, base.p);
            fmpz_poly_rem(weights.p, weights.p, characteristic.p);
        }
        if (e > 1) {
            fmpz_poly_sqr(base.p, base.p);
            fmpz_poly_rem(base.p, base.p, characteristic.p);
        }
    }
    Integer sum, term;
    for (slong i = 0; i < fmpz_poly_length(weights.p); ++i) {
        fmpz_mul(term.z, coefficientAt(weights.p, i), coefficientAt(series.p, start + i));
        fmpz_add(sum.z, sum.z, term.z);
    }
    fmpz_get_mpz(out.get_mpz_t(), sum.z);
    return out;
}

} // namespace kz::kehr
