#include "tests/support/reference.h"

#include <gtest/gtest.h>

namespace kz::test {
namespace {

struct Conversion {
    const char *base, *typed, *after;
    double n;
    const char *header;
};

TEST(SingleCase, ConvertsTheTypedDigits)
{
    const Conversion cases[] = {
        {"10", "9801", "9801", 9801, " 9801"},
        {"2", "1011", "1011", 11, " 11"},
        {"8", "777", "777", 511, " 511"},
        {"8", "0077", "77", 63, " 63"},
        {"8", "19", "19", 17, " 17"},
        {"10", "-12", "12", 12, " 12"},
        {"10", "0098 01", "9801", 9801, " 9801"},
        {"10", "12abc", "12", 12, " 12"},
        {"10", "1E3", "1000", 1000, " 1000"},
        {"10", "abc", "0", 0, " 0"},
        {"10", "", "0", 0, " 0"},
        {"1", "123", "123", 6, " 6"},
        {"0", "123", "123", 3, " 3"},
        {"-2", "11", "11", -1, "-1"},
        {"10", "999999999999999", "999999999999999", 999999999999999, " 999999999999999"},
    };
    for (const auto &c : cases) {
        Harness h;
        h.window.field(Field::txtSystem) = c.base;
        h.window.field(Field::txtEinzelfall) = c.typed;
        h.engine.cmdEinzelfall_Click();
        const std::string header = std::string("Im Zehnersystem ist das\r\n") + c.header + "\r\n";
        EXPECT_EQ(h.window.field(Field::txtEinzelfall), c.after) << c.typed << " base " << c.base;
        EXPECT_EQ(h.engine.vars().Zahl, c.n) << c.typed << " base " << c.base;
        EXPECT_EQ(h.window.result().substr(0, header.size()), header)
            << c.typed << " base " << c.base;
        EXPECT_EQ(h.window.result().substr(h.window.result().size() - 6), "fertig");
        EXPECT_TRUE(h.window.messages().empty());
    }
}

TEST(SingleCase, DefaultFieldsListTheHit)
{
    for (Filters filters : {Filters{0, 0, 0}, Filters{1, 1, 0}, Filters{1, 1, 1}}) {
        Harness h;
        h.setFilters(filters);
        h.engine.cmdEinzelfall_Click();
        EXPECT_EQ(h.window.result(),
                  "Im Zehnersystem ist das\r\n 9801\r\n 9801 : 1089 =  9\r\n 10er System:\r\n"
                  " 9 8 0 1 :  1 0 8 9 =  9\r\n\r\nfertig");
    }
}

TEST(SingleCase, NoHitLeavesFertigOnTheThirdLine)
{
    Harness h;
    h.window.field(Field::txtSystem) = "2";
    h.window.field(Field::txtEinzelfall) = "1011";
    h.engine.cmdEinzelfall_Click();
    EXPECT_EQ(h.window.result(), "Im Zehnersystem ist das\r\n 11\r\nfertig");
    EXPECT_EQ(h.engine.vars().Basis, 2);
    EXPECT_EQ(h.engine.vars().Zahl, 11);
}

TEST(SingleCase, ReplacesTheListAndTestsAfterAnAbort)
{
    Harness h;
    h.engine.Command1_Click();
    h.engine.vars().Abbruch = 1;
    h.engine.cmdEinzelfall_Click();
    EXPECT_EQ(h.window.result(),
              "Im Zehnersystem ist das\r\n 9801\r\n" + referenceEntry(9801, 10) + "fertig");
    EXPECT_EQ(h.engine.vars().Abbruch, 0);
}

TEST(SingleCase, ZeroDigitsAfterANonWholeBaseKeepTheirZero)
{
    Harness h;
    h.setFilters({0, 0, 0});
    h.window.field(Field::txtSystem) = "2.5";
    h.window.field(Field::txtEinzelfall) = "4";
    h.engine.cmdEinzelfall_Click();
    EXPECT_EQ(h.window.result(),
              "Im Zehnersystem ist das\r\n 4\r\n 4 : 1 =  4\r\n 2.5er System:\r\n"
              " 1 0 0 :  0 0 1 =  1 0 0\r\n\r\nfertig");
}

TEST(SingleCase, BaseIsPassedOnUnchanged)
{
    Harness h;
    h.window.field(Field::txtSystem) = "9.5";
    h.window.field(Field::txtEinzelfall) = "10";
    h.engine.cmdEinzelfall_Click();
    EXPECT_EQ(h.engine.vars().Basis, 9.5);
    EXPECT_EQ(h.engine.vars().Zahl, 9.5);
}

struct Refusal {
    const char *base, *typed, *message;
};

TEST(SingleCase, RefusalsChangeNothing)
{
    const Refusal cases[] = {
        {"11", "9801", "S muß kleiner als 10 sein"},
        {"10.5", "0098 01", "S muß kleiner als 10 sein"},
        {"1E400", "9801", "S muß kleiner als 10 sein"},
        {"10", "12.5", "Bitte eine ganze Zahl mit höchstens 15 Stellen eingeben"},
        {"10", "1E15", "Bitte eine ganze Zahl mit höchstens 15 Stellen eingeben"},
        {"10", "-1E15", "Bitte eine ganze Zahl mit höchstens 15 Stellen eingeben"},
        {"10", "1E400", "Bitte eine ganze Zahl mit höchstens 15 Stellen eingeben"},
        {"10", ".5", "Bitte eine ganze Zahl mit höchstens 15 Stellen eingeben"},
    };
    for (const auto &c : cases) {
        Harness h;
        h.window.field(Field::txtSystem) = c.base;
        h.window.field(Field::txtEinzelfall) = c.typed;
        h.window.field(Field::txtErgebnis) = "Liste";
        h.engine.vars().Abbruch = 1;
        h.engine.vars().Zahl = 42;
        h.engine.cmdEinzelfall_Click();
        ASSERT_EQ(h.window.messages().size(), 1u) << c.typed;
        EXPECT_EQ(h.window.messages()[0].text, c.message);
        EXPECT_EQ(h.window.messages()[0].title, "Kehrzähler");
        EXPECT_EQ(h.window.messages()[0].icon, MessageIcon::None);
        EXPECT_EQ(h.window.field(Field::txtEinzelfall), c.typed);
        EXPECT_EQ(h.window.field(Field::txtSystem), c.base);
        EXPECT_EQ(h.window.result(), "Liste");
        EXPECT_EQ(h.engine.vars().Abbruch, 1);
        EXPECT_EQ(h.engine.vars().Zahl, 42);
        EXPECT_EQ(h.window.yieldCount(), 0u);
    }
}

TEST(SingleCase, BaseTenIsAccepted)
{
    Harness h;
    h.window.field(Field::txtSystem) = "10";
    h.engine.cmdEinzelfall_Click();
    EXPECT_TRUE(h.window.messages().empty());
}

TEST(SingleCase, HugeNegativeBaseDoesNotBreakTheList)
{
    for (const char *typed : {"12", "123", "1234"}) {
        Harness h;
        h.window.field(Field::txtSystem) = "-1E+300";
        h.window.field(Field::txtEinzelfall) = typed;
        h.engine.cmdEinzelfall_Click();
        const std::string &list = h.window.result();
        EXPECT_EQ(list.rfind("Im Zehnersystem ist das\r\n", 0), 0u) << typed;
        EXPECT_EQ(list.substr(list.size() - 6), "fertig") << typed;
    }
}

} // namespace
} // namespace kz::test
