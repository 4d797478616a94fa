#include "engine/conversions.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

namespace kz {
namespace {

struct ValCase {
    const char *name;
    std::string text;
    double value;
};

TEST(Val, ReadsTheLeadingNumber)
{
    const ValCase cases[] = {
        {"stops at the first other character", "9801abc", 9801},
        {"empty text is zero", "", 0},
        {"text without a number is zero", "abc", 0},
        {"blanks inside are ignored", "1 000", 1000},
        {"leading blank written by Str", " 100", 100},
        {"tabs and line feeds are ignored", "\t1\n2", 12},
        {"blank between sign and digits", "- 5", -5},
        {"leading zeros and blanks", "0098 01", 9801},
        {"negative", "-12", -12},
        {"plus sign", "+7", 7},
        {"two signs are no number", "--5", 0},
        {"decimal point", "2.5", 2.5},
        {"no digit before the point", ".5", 0.5},
        {"point alone", ".", 0},
        {"exponent E", "1E3", 1000},
        {"exponent e with sign", "1e+8", 1e8},
        {"exponent D", "1D2", 100},
        {"exponent d", "1d2", 100},
        {"negative exponent", "25E-1", 2.5},
        {"exponent without digits", "7E", 7},
        {"comma is not a decimal point", "1,5", 1},
        {"carriage return stops", "12\r34", 12},
        {"underflow gives zero", "1E-400", 0},
        {"overflow saturates", "1E400", DBL_MAX},
        {"negative overflow saturates", "-1E400", -DBL_MAX},
        {"largest double", "1.7976931348623157E308", DBL_MAX},
        {"just above the largest double", "1.79769313486232E+308", DBL_MAX},
        {"many digits are rounded correctly", "9007199254740993", 9007199254740992.0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Val(c.text), c.value) << c.name << ": «" << c.text << "»";
}

TEST(Val, LongTextsAreReadWhole)
{
    const std::string megabyte = "1" + std::string(1 << 20, '0') + "E-1048576";
    EXPECT_EQ(Val(megabyte), 1);
    EXPECT_EQ(Val(std::string(1 << 20, ' ') + "42"), 42);
    EXPECT_EQ(Val("0." + std::string(1000, '0') + "1E1001"), 1);
}

TEST(Str, WritesNumbersAsTheListShowsThem)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {
        {10, " 10"},
        {4, " 4"},
        {100000000, " 100000000"},
        {0, " 0"},
        {-0.0, " 0"},
        {-3, "-3"},
        {0.5, " .5"},
        {-0.5, "-.5"},
        {1.5, " 1.5"},
        {2178, " 2178"},
        {999999999999999, " 999999999999999"},
        {1e15, " 1E+15"},
        {1e16 + 2, " 1E+16"},
        {12345678901234567.0, " 1.23456789012346E+16"},
        {0.0001, " .0001"},
        {0.00001, " 1E-05"},
        {1.0 / 3, " .333333333333333"},
        {DBL_MAX, " 1.79769313486232E+308"},
        {1e307, " 1E+307"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Str(c.value), c.text) << c.value;
}

TEST(Str, RoundTripsThroughVal)
{
    for (const char *text : {" 100", " 10", "-12", " 999999999999999", " .5", " 1E+15"})
        EXPECT_EQ(Str(Val(text)), text);
    EXPECT_EQ(Str(Val(Str(DBL_MAX) + "9")), Str(DBL_MAX));
}

TEST(Str, NamesValuesThatAreNoNumber)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Str(inf), " Unendlich");
    EXPECT_EQ(Str(-inf), "-Unendlich");
    EXPECT_EQ(Str(std::nan("")), " keine Zahl");
}

TEST(Int, RoundsDown)
{
    EXPECT_EQ(Int(-0.5), -1);
    EXPECT_EQ(Int(2.5), 2);
    EXPECT_EQ(Int(7.9), 7);
    EXPECT_EQ(Int(-3), -3);
}

TEST(Mod, RoundsOperandsAndKeepsTheLeftSign)
{
    const struct {
        double a, b;
        int result;
    } cases[] = {
        {2147483647, 10, 7},    {2.5, 10, 2}, // ties go to the even neighbour
        {3.5, 10, 4},           {-77, 10, -7},
        {77, -10, 7},           {10, 2.5, 0}, // divisor rounds to 2
        {-2147483648.0, -1, 0}, {-2147483648.5, 10, -8},
    };
    for (const auto &c : cases) {
        const auto r = Mod(c.a, c.b);
        ASSERT_TRUE(r.has_value()) << c.a << " Mod " << c.b;
        EXPECT_EQ(*r, c.result) << c.a << " Mod " << c.b;
    }
}

TEST(Mod, IsEmptyWhereItCannotBeComputed)
{
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const double cases[][2] = {
        {2147483648.0, 10}, {2147483647.5, 10}, {-2147483649.0, 10}, {10, 3e9}, {10, 0},
        {10, 0.4},          {nan, 10},          {10, nan},           {inf, 10}, {10, -inf},
    };
    for (const auto &c : cases)
        EXPECT_FALSE(Mod(c[0], c[1]).has_value()) << c[0] << " Mod " << c[1];
}

} // namespace
} // namespace kz
