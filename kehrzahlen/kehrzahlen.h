// Kehrzahlen of any length: the numbers n with D digits in base S, not ending in 0, that are
// divisible by their mirror number m with quotient Q = n / m >= 2 (then 2 <= Q <= S - 1). They are
// found by walks over carry pairs (kehrzahlen/carrygraph.h), not by testing numbers, so lengths
// far beyond a search are counted, listed and drawn. Plain C++ on GMP: the library returns numbers
// and digits, and writing them down is the caller's job.
//
// Long work takes a Watch: its progress callback hears how far the work is, and its cancel flag is
// read at least every few milliseconds of work; once the flag is set the work stops and the
// function says so (false, nullopt or nullptr). Nothing here starts a thread or takes a lock.
#pragma once

#include "kehrzahlen/carrygraph.h"

#include <gmpxx.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kz::kehr {

inline constexpr int kSmallestBase = 2;
inline constexpr int kLargestBase = 10000;
inline constexpr std::uint64_t kShortestLength = 1;
// Longer walks would take longer than anyone waits.
inline constexpr std::uint64_t kLongestLength = 1000000;
inline constexpr int kSmallestQuotient = 2; // the largest is S - 1
// The largest degree a generating function may have: past it, the fraction is more than anyone
// reads, and finding it takes minutes.
inline constexpr std::uint64_t kLongestFraction = 4000;
// The memory a listing may take for its carry graphs and end sets, in MB: past it the list is
// refused rather than the machine run out of memory.
inline constexpr std::int64_t kListingMegabytes = 160;

// Which input lies outside what the library takes.
enum class Limit {
    Base,     // S outside kSmallestBase..kLargestBase
    Length,   // D outside kShortestLength..kLongestLength
    Quotient, // Q outside kSmallestQuotient..S-1
    Order,    // a range whose first value lies after its last
    Fraction, // a generating function longer than kLongestFraction
    Memory,   // a listing of `value` digits that would take more than `highest` MB
};

// Thrown for input out of range: lowest..highest is what would have been taken (for Order, the
// range as given, first..last).
class LimitError : public std::invalid_argument {
  public:
    LimitError(Limit limit, std::int64_t value, std::int64_t lowest, std::int64_t highest);

    Limit limit;
    std::int64_t value;
    std::int64_t lowest, highest;
};

struct Watch {
    // The share of the work done, from 0 to 1, rising; called from the working thread.
    std::function<void(double)> progress;
    const std::atomic<bool> *cancel = nullptr;
};

struct Kehrzahl {
    std::span<const std::int32_t> digits; // of n in base S, least significant first; D of them
    int quotient;                         // Q = n / m
};

struct Values {
    mpz_class n, m; // m = n / Q, n's digits read backwards
};

// n and m of k, exactly.
Values valuesOf(int base, const Kehrzahl &k);

// The walk of k through the carry graph of S and Q: step i writes the digit pair (x, y), x the
// i-th digit of n from the top and y the i-th from the bottom, and reaches the carry pair `to`.
struct WalkStep {
    std::int32_t x, y;
    CarryPair to;
};
struct Walk {
    std::vector<WalkStep> steps; // floor(D / 2) of them, from the start (0, 0)
    std::optional<int> middle;   // the middle digit of an odd D
};
Walk walkOf(int base, const Kehrzahl &k);

struct Count {
    std::uint64_t length; // D
    mpz_class total;
    std::vector<std::pair<int, mpz_class>> perQuotient; // Q with a nonzero count, increasing Q
};

// Reports the exact counts for every D from first to last, in order, on the calling thread.
// False when report returned false or the work was cancelled. threads: how many build and count
// graphs at once.
bool countKehrzahlen(int base, std::uint64_t first, std::uint64_t last,
                     const std::function<bool(const Count &)> &report, const Watch &watch = {},
                     unsigned threads = 1);

// Every Kehrzahl with D digits, for each D from first to last, shortest first and each length in
// increasing order of n (over all Q merged), streamed to emit and never collected; its digits
// live until emit returns. The carry graph of each Q is built once for the whole range, when the
// walk first meets it. False when emit returned false or the work was cancelled. Time follows
// what is emitted: no branch that cannot end is walked. Throws LimitError (Limit::Memory) once
// the graphs would take more than kListingMegabytes, possibly after the first Kehrzahlen.
bool listKehrzahlen(int base, std::uint64_t first, std::uint64_t last,
                    const std::function<bool(const Kehrzahl &)> &emit, const Watch &watch = {});

// The same listing one Kehrzahl at a time, for a caller that takes them as it needs them (a view
// that fetches rows while the user scrolls). Not for two threads at once.
class Lister {
  public:
    // The Kehrzahlen with `length` digits; quotient 0 lists every Q, else only that one.
    Lister(int base, std::uint64_t length, int quotient = 0);
    ~Lister();
    Lister(const Lister &) = delete;
    Lister &operator=(const Lister &) = delete;

    // The next Kehrzahl in increasing n, or nullptr at the end or when cancelled (then
    // cancelled() is true and a later call goes on where this one stopped). Valid until the next
    // call. The graph of each Q is built when the walk first reaches its digits, which for large
    // Q takes a while. Throws LimitError (Limit::Memory) as listKehrzahlen does.
    const Kehrzahl *next(const Watch &watch = {});
    bool cancelled() const { return m_cancelled; }

    class Walker; // the walk itself, shared with listKehrzahlen

  private:
    struct State;
    int m_base;
    std::uint64_t m_length;
    int m_quotient;
    std::unique_ptr<State> m_state;
    std::uint32_t m_units = 0; // work done since the flag was last read
    bool m_cancelled = false;
};

// A quotient Q of S that has Kehrzahlen, with the length of its shortest ones.
struct Multiplier {
    int quotient;
    std::uint64_t shortestLength;
    friend bool operator==(const Multiplier &, const Multiplier &) = default;
};

// The Q >= 2 for which S has a Kehrzahl of some length, increasing. Quick for most bases; the
// largest take up to a second, and kehrmultiplikatorenOfBases can be watched.
std::vector<Multiplier> kehrmultiplikatoren(int base);

// A fraction of two polynomials with integer coefficients, each from x^0 up.
struct Fraction {
    std::vector<mpz_class> numerator, denominator;
    friend bool operator==(const Fraction &, const Fraction &) = default;
};

// Sum over D of c(D)·x^D, c(D) the number of Kehrzahlen with D digits and quotient Q, in lowest
// terms with denominator(0) = 1; quotient 0 stands for the sum over all Q.
struct GeneratingFunction {
    int quotient;
    Fraction fraction;
};

// The generating function of each Q of S that has Kehrzahlen, in increasing Q, then that of their
// sum. Throws LimitError (Limit::Fraction) for a base whose fractions could be longer than
// kLongestFraction; nullopt when cancelled.
std::optional<std::vector<GeneratingFunction>> erzeugendeFunktionen(int base,
                                                                    const Watch &watch = {});

// Throws LimitError unless first..last is a range of bases the functions above take; for callers
// that share a range of bases out among threads.
void checkBases(int first, int last);

// kehrmultiplikatoren of every base from first to last, reported in increasing base, one after
// the other. False when report returned false or the work was cancelled.
bool kehrmultiplikatorenOfBases(
    int first, int last, const std::function<bool(int, const std::vector<Multiplier> &)> &report,
    const Watch &watch = {});

// The digits of the smallest Kehrzahl with quotient Q (least significant first); empty when Q has
// none, nullopt when cancelled.
std::optional<std::vector<std::int32_t>> smallestKehrzahl(int base, int quotient,
                                                          const Watch &watch = {});

// The carry graph of S and Q, for drawing: every state on some walk from the start to an end.
// Nullopt when cancelled. Some graphs hold millions of states (S = 10000, Q = 8421: 14.8 million).
std::optional<CarryGraph> carryGraph(int base, int quotient, const Watch &watch = {});

} // namespace kz::kehr
