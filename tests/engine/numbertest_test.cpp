#include "tests/support/reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kz::test {
namespace {

constexpr Filters kNone{0, 0, 0};
constexpr Filters kDefault{1, 1, 0};

struct EntryCase {
    const char *name;
    double base, n;
    Filters filters;
    const char *entry; // "" for no output
};

std::string testNumber(double n, double base, Filters filters)
{
    Harness h;
    h.setFilters(filters);
    h.engine.vars().Zahl = n;
    h.engine.vars().Basis = base;
    h.engine.PruefeZahl();
    return h.window.result();
}

TEST(PruefeZahl, WritesTheWorkedEntries)
{
    const EntryCase cases[] = {
        {"8712 in base 10", 10, 8712, kDefault,
         " 8712 : 2178 =  4\r\n 10er System:\r\n 8 7 1 2 :  2 1 7 8 =  4\r\n\r\n"},
        {"9801 in base 10", 10, 9801, kDefault,
         " 9801 : 1089 =  9\r\n 10er System:\r\n 9 8 0 1 :  1 0 8 9 =  9\r\n\r\n"},
        {"5200 keeps trailing zeros as leading zeros", 10, 5200, kDefault,
         " 5200 : 25 =  208\r\n 10er System:\r\n 5 2 0 0 :  0 0 2 5 =  2 0 8\r\n\r\n"},
        {"10 listed when chkTeiler is clear",
         10,
         10,
         {0, 0, 1},
         " 10 : 1 =  10\r\n 10er System:\r\n 1 0 :  0 1 =  1 0\r\n\r\n"},
        {"digits above 9 in base 16", 16, 3120, kNone,
         " 3120 : 60 =  52\r\n 16er System:\r\n 12 3 0 :  0 3 12 =  3 4\r\n\r\n"},
        {"64 in base 3", 3, 64, kNone,
         " 64 : 32 =  2\r\n 3er System:\r\n 2 1 0 1 :  1 0 1 2 =  2\r\n\r\n"},
        {"6 in base 2", 2, 6, kNone,
         " 6 : 3 =  2\r\n 2er System:\r\n 1 1 0 :  0 1 1 =  1 0\r\n\r\n"},
        {"palindrome listed without filters", 10, 121, kNone,
         " 121 : 121 =  1\r\n 10er System:\r\n 1 2 1 :  1 2 1 =  1\r\n\r\n"},
        {"a greyed box does not count",
         10,
         121,
         {2, 2, 2},
         " 121 : 121 =  1\r\n 10er System:\r\n 1 2 1 :  1 2 1 =  1\r\n\r\n"},
        {"a greyed chkTeiler does not hide Q = S",
         10,
         10,
         {0, 2, 0},
         " 10 : 1 =  10\r\n 10er System:\r\n 1 0 :  0 1 =  1 0\r\n\r\n"},
        {"a greyed chkzugross does not hide Q > S", 10, 5200, {1, 1, 2},
         " 5200 : 25 =  208\r\n 10er System:\r\n 5 2 0 0 :  0 0 2 5 =  2 0 8\r\n\r\n"},
        {"negative n keeps its sign in the one digit", 10, -77, kDefault,
         "-77 :-7 =  11\r\n 10er System:\r\n-7 : -7 =  1 1\r\n\r\n"},
        {"5200 hidden by chkzugross", 10, 5200, {1, 1, 1}, ""},
        {"palindrome hidden by chkNichttrivial", 10, 121, kDefault, ""},
        {"Q a multiple of S hidden by chkTeiler", 10, 10, {0, 1, 0}, ""},
        {"Q equal to S passes chkzugross",
         10,
         10,
         {0, 0, 1},
         " 10 : 1 =  10\r\n 10er System:\r\n 1 0 :  0 1 =  1 0\r\n\r\n"},
        {"12 is no hit", 10, 12, kNone, ""},
        {"6 in base 2 hidden by chkTeiler", 2, 6, {0, 1, 0}, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(testNumber(c.n, c.base, c.filters), c.entry) << c.name;
}

TEST(PruefeZahl, AgreesWithIntegerArithmeticAcrossBases)
{
    for (int base : {2, 3, 7, 10, 16, 36, 1000}) {
        for (int n = 1; n <= 3000; ++n)
            ASSERT_EQ(testNumber(n, base, kNone), referenceEntry(n, base, kNone))
                << n << " base " << base;
    }
    for (double n : {2147483647.0, 2147483646.0, 1999999999.0, 1000000000.0})
        EXPECT_EQ(testNumber(n, 10, kNone), referenceEntry(static_cast<std::int64_t>(n), 10, kNone))
            << n;
    EXPECT_EQ(testNumber(2147483646, 2147483647, kNone),
              referenceEntry(2147483646, 2147483647, kNone));
}

TEST(PruefeZahl, LeavesTheStateOfAHit)
{
    Harness h;
    h.engine.vars().Zahl = 5200;
    h.engine.vars().Basis = 10;
    h.engine.PruefeZahl();
    const auto &v = h.engine.vars();
    EXPECT_EQ(v.Spiegelzahl, 25);
    EXPECT_EQ(v.Stellen, 3) << "after a hit Stellen counts the digits of Q";
    EXPECT_EQ(v.QZiffer[1], 8);
    EXPECT_EQ(v.QZiffer[3], 2);
    EXPECT_EQ(v.Quotient, 0);
    EXPECT_EQ(v.Ziffer[1], 0);
    EXPECT_EQ(v.Ziffer[4], 5);
}

TEST(PruefeZahl, DoesNothingWhenStopped)
{
    Harness h;
    h.engine.vars().Zahl = 8712;
    h.engine.vars().Basis = 10;
    h.engine.vars().Abbruch = 1;
    h.engine.PruefeZahl();
    EXPECT_EQ(h.window.yieldCount(), 0u);
    EXPECT_EQ(h.window.result(), "");
    EXPECT_EQ(h.engine.vars().Rest, 0);
}

TEST(PruefeZahl, TreatsWhatItCannotComputeAsNoHit)
{
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char *name;
        double n, base;
    } cases[] = {
        {"n = 0", 0, 10},
        {"negative multiple of S has mirror 0", -20, 10},
        {"n above the 32-bit range", 3e9, 10},
        {"base above the 32-bit range", 100, 3e9},
        {"base 0 divides by zero", 100, 0},
        {"base 1 never runs out of digits", 100, 1},
        {"non-whole n", 2.5, 10},
        {"base rounding to 1 never runs out of digits", 100, 1.2},
        {"NaN n", nan, 10},
        {"NaN base", 100, nan},
        {"infinite n", inf, 10},
        {"infinite base", 100, -inf},
        {"huge negative base", 12, -1e300},
        {"largest double", 1.7976931348623157e308, 10},
        {"fraction whose hundred zero digits overflow the mirror", 1.1, 1000011001},
        {"base just below a whole number", 327811, 4607.999999999999},
    };
    for (const auto &c : cases) {
        Harness h;
        h.setFilters(kNone);
        h.engine.vars().Zahl = c.n;
        h.engine.vars().Basis = c.base;
        h.engine.PruefeZahl();
        EXPECT_EQ(h.window.result(), "") << c.name;
        EXPECT_TRUE(h.window.messages().empty()) << c.name;
        EXPECT_LE(h.engine.vars().Stellen, 101) << c.name;
    }
}

} // namespace
} // namespace kz::test
