#include "tests/support/reference.h"

#include "engine/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

namespace kz::test {
namespace {

enum Button { B4, B5, B6, B7, B8, B9 };

void click(Harness &h, Button b)
{
    switch (b) {
    case B4:
        h.engine.Command4_Click();
        break;
    case B5:
        h.engine.Command5_Click();
        break;
    case B6:
        h.engine.Command6_Click();
        break;
    case B7:
        h.engine.Command7_Click();
        break;
    case B8:
        h.engine.Command8_Click();
        break;
    case B9:
        h.engine.Command9_Click();
        break;
    }
}

Field ownField(Button b)
{
    return b <= B5 ? Field::txtSystem : b <= B7 ? Field::txtugrenze : Field::txtnn;
}
Field otherField(Button b)
{
    return b <= B7 ? Field::txtnn : Field::txtugrenze;
}

struct Step {
    Button button;
    const char *own, *other, *result;
};

TEST(Steppers, WorkedExamples)
{
    const Step cases[] = {
        {B4, "10", "", " 11"},
        {B4, "2.5", "", " 3.5"},
        {B4, "", "", " 1"},
        {B4, "abc", "", " 1"},
        {B4, "-3", "", "-2"},
        {B5, "10", "", " 9"},
        {B5, "3", "", " 2"},
        {B5, "2", "", "2"},
        {B5, "11", "", " 10"},
        {B5, "2.5", "", " 1.5"},
        {B6, "1", "100000", " 10"},
        {B6, "0", "100000", " 10"},
        {B6, "", "100000", " 10"},
        {B6, "-5", "100000", " 10"},
        {B6, "7.9", "100000", " 10"},
        {B6, "8", "100000", " 100"},
        {B6, "10", "100000", " 100"},
        {B6, "99", "100000", " 1000"},
        {B6, "12345", "100000", " 100000"},
        {B6, "100000", "100000", " 100000"},
        {B6, "1E+8", "1E+9", " 100000000"},
        {B6, "10", "5", " 5"},
        {B6, "10", "abc", " 0"},
        {B7, "1", "", " 1"},
        {B7, "0", "", " 1"},
        {B7, "", "", " 1"},
        {B7, "10", "", " 1"},
        {B7, "50", "", " 1"},
        {B7, "80", "", " 10"},
        {B7, "100", "", " 10"},
        {B7, "12345", "", " 1000"},
        {B7, "100000", "", " 10000"},
        {B8, "100000", "", " 1000000"},
        {B8, "1", "", " 10"},
        {B8, "0", "", " 10"},
        {B8, "", "", " 10"},
        {B8, "5", "", " 10"},
        {B8, "1E+7", "", " 100000000"},
        {B8, "123456789", "", " 100000000"},
        {B8, "1E+9", "", " 100000000"},
        {B9, "100000", "1", " 10000"},
        {B9, "100", "1", " 10"},
        {B9, "100", "50", " 50"},
        {B9, "10", "1", " 1"},
        {B9, "1", "1", " 1"},
        {B9, "0", "1", " 1"},
        {B9, "1000", "500", " 500"},
        {B9, "100", "1E9", " 1000000000"},
        // Fields beyond the double range of the step are capped like every value above 10^8.
        {B6, "7.9E307", "1E+8", " 100000000"},
        {B8, "1E308", "", " 100000000"},
        {B8, "1E400", "", " 100000000"},
        {B7, "1E308", "", " 1E+307"},
    };
    for (const auto &c : cases) {
        Harness h;
        h.window.field(ownField(c.button)) = c.own;
        if (c.button >= B6)
            h.window.field(otherField(c.button)) = c.other;
        click(h, c.button);
        EXPECT_EQ(h.window.field(ownField(c.button)), c.result)
            << "Command" << c.button + 4 << " on «" << c.own << "» with «" << c.other << "»";
        if (c.button >= B6)
            EXPECT_EQ(h.window.field(otherField(c.button)), c.other) << "the other bound stays";
    }
}

TEST(Steppers, SequencesFromTheDefaults)
{
    Harness lower;
    std::vector<std::string> seen;
    for (int k = 0; k < 6; ++k) {
        lower.engine.Command6_Click();
        seen.push_back(lower.window.field(Field::txtugrenze));
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{" 10", " 100", " 1000", " 10000", " 100000", " 100000"}));

    Harness upper;
    seen.clear();
    for (int k = 0; k < 4; ++k) {
        upper.engine.Command8_Click();
        seen.push_back(upper.window.field(Field::txtnn));
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{" 1000000", " 10000000", " 100000000", " 100000000"}));

    Harness down;
    down.window.field(Field::txtugrenze) = "1000";
    seen.clear();
    for (int k = 0; k < 3; ++k) {
        down.engine.Command9_Click();
        seen.push_back(down.window.field(Field::txtnn));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{" 10000", " 1000", " 1000"}));

    Harness base;
    base.window.field(Field::txtSystem) = "3";
    base.engine.Command5_Click();
    base.engine.Command5_Click();
    EXPECT_EQ(base.window.field(Field::txtSystem), " 2");
}

TEST(Steppers, ReachExactlyTheFortyFivePairsOfPowersOfTen)
{
    using Pair = std::pair<std::string, std::string>;
    std::set<Pair> reached{{"1", "100000"}};
    std::vector<Pair> open{{"1", "100000"}};
    while (!open.empty()) {
        const Pair from = open.back();
        open.pop_back();
        for (Button b : {B6, B7, B8, B9}) {
            Harness h;
            h.window.field(Field::txtugrenze) = from.first;
            h.window.field(Field::txtnn) = from.second;
            click(h, b);
            const Pair to{h.window.field(Field::txtugrenze), h.window.field(Field::txtnn)};
            if (reached.insert(to).second)
                open.push_back(to);
        }
    }
    std::set<std::pair<double, double>> values;
    for (const auto &[lower, upper] : reached)
        values.insert({Val(lower), Val(upper)});
    std::set<std::pair<double, double>> expected;
    for (int a = 0; a <= 8; ++a)
        for (int b = a; b <= 8; ++b)
            expected.insert({std::pow(10.0, a), std::pow(10.0, b)});
    EXPECT_EQ(values, expected);
}

} // namespace
} // namespace kz::test
