// Shows that the fuzzers' checks can fail: they accept what the engine writes for the worked
// examples and reject each kind of damage to it. Ends with "N passed, N failed".
#include "engine/engine.h"
#include "engine/plainwindow.h"
#include "fuzz/entrycheck.h"
#include "fuzz/mirrororacle.h"

#include <cstdio>
#include <string>

namespace {

int g_passed = 0, g_failed = 0;

void expect(bool ok, const char *what)
{
    ++(ok ? g_passed : g_failed);
    if (!ok)
        std::printf("FAILED: %s\n", what);
}

// The entry the engine appends for n in base S with no filter on.
std::string entryFor(double n, double base)
{
    kz::PlainWindow window;
    window.setCheckBox(kz::CheckBox::chkNichttrivial, 0);
    window.setCheckBox(kz::CheckBox::chkTeiler, 0);
    kz::Engine engine(window);
    engine.vars().Zahl = n;
    engine.vars().Basis = base;
    engine.PruefeZahl();
    return window.result();
}

bool accepted(const std::string &entry)
{
    std::string why;
    return kz::fuzz::parseEntry(entry, why).has_value();
}

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
    const auto at = text.find(from);
    return at == std::string::npos ? text + "(no " + from + ")" : text.replace(at, from.size(), to);
}

void oracle()
{
    using kz::fuzz::mirrorHit;
    const auto a = mirrorHit(8712, 10);
    expect(a && a->mirror == 2178 && a->quotient == 4, "8712 = 4 * 2178");
    const auto b = mirrorHit(9801, 10);
    expect(b && b->mirror == 1089 && b->quotient == 9, "9801 = 9 * 1089");
    expect(!mirrorHit(1089, 10), "9801 does not divide 1089");
    expect(!mirrorHit(0, 10), "0 has mirror 0 and no hit");
    const auto c = mirrorHit(10, 10);
    expect(c && c->mirror == 1 && c->quotient == 10, "the trailing zero of 10 vanishes");
    expect(kz::fuzz::digitsOf(11, 2) == std::vector<std::uint64_t>{1, 0, 1, 1},
           "11 is 1011 in base 2");
    const kz::fuzz::MirrorHit one{5, 1};
    expect(!kz::fuzz::shown(one, 10, {1, 0, 0}), "a checked box hides Q = 1");
    expect(kz::fuzz::shown(one, 10, {2, 0, 0}), "a greyed box hides nothing");
    expect(!kz::fuzz::shown({1089, 9}, 3, {0, 1, 0}), "Q = 9 is divisible by S = 3");
    expect(!kz::fuzz::shown({2178, 4}, 3, {0, 0, 1}), "Q = 4 is above S = 3");
    expect(kz::fuzz::wholeWithin(7, 0, 10) == 7u && !kz::fuzz::wholeWithin(7.5, 0, 10) &&
               !kz::fuzz::wholeWithin(11, 0, 10),
           "whole numbers within bounds only");
}

void entries()
{
    const std::string good = entryFor(8712, 10);
    std::string why;
    const auto parsed = kz::fuzz::parseEntry(good, why);
    expect(parsed.has_value(), "the engine's entry for 8712 is well formed");
    expect(parsed && kz::fuzz::entryMatches(*parsed, 8712, 10, {2178, 4}, why),
           "and tells 8712 = 4 * 2178");
    expect(parsed && !kz::fuzz::entryMatches(*parsed, 9801, 10, {1089, 9}, why), "but not 9801");
    expect(parsed && !kz::fuzz::entryMatches(*parsed, 8712, 9, {2178, 4}, why), "nor base 9");
    expect(accepted(entryFor(10, 10)), "an entry with a trailing zero is well formed");
    expect(accepted(entryFor(1, 2)) && accepted(entryFor(120, 11)),
           "entries in bases 2 and 11 too");
    expect(entryFor(1089, 10).empty(), "a miss appends nothing");

    expect(!accepted(good.substr(0, good.size() - 1)), "reject a missing last line end");
    expect(!accepted(good + "x"), "reject text after the entry");
    expect(!accepted(replaced(good, "\r\n", "\n")), "reject a bare line feed");
    expect(!accepted(replaced(good, " 2 1 7 8", " 2 7 1 8")), "reject mirror digits out of order");
    expect(!accepted(replaced(good, " 2 1 7 8", " 2 1 7")), "reject a lost mirror digit");
    expect(!accepted(replaced(good, " 8 7 1 2", " 8 7 1 x")), "reject a non-digit");
    expect(!accepted(replaced(good, " 10er", " keine Zahler")), "reject a base that is no number");
    expect(!accepted(replaced(good, " 10er", "10er")), "reject a number without its sign place");
    expect(!accepted(replaced(good, " = ", " ")), "reject line 1 without '='");
    expect(!accepted(replaced(good, " 10er System:\r\n", "")), "reject a missing line");
}

void lists()
{
    const std::string one = entryFor(8712, 10), two = entryFor(9801, 10);
    std::string why;
    const auto done = kz::fuzz::parseList(one + two + "fertig", why);
    expect(done && done->entries.size() == 2 && done->fertig, "two entries and 'fertig'");
    const auto open = kz::fuzz::parseList(one + two, why);
    expect(open && open->entries.size() == 2 && !open->fertig, "two entries, still running");
    expect(kz::fuzz::parseList("", why).has_value(), "an empty list");
    expect(!kz::fuzz::parseList(one + "fertig\r\n", why), "reject text after 'fertig'");
    expect(!kz::fuzz::parseList("fertig" + one, why), "reject an entry after 'fertig'");
    expect(!kz::fuzz::parseList(one + "half an entry", why), "reject a broken entry");
    expect(kz::fuzz::isNumberText(" 10") && kz::fuzz::isNumberText("-3") &&
               kz::fuzz::isNumberText(" .5"),
           "number texts as Str writes them");
    expect(!kz::fuzz::isNumberText("10") && !kz::fuzz::isNumberText(" keine Zahl") &&
               !kz::fuzz::isNumberText(""),
           "no other number texts");
}

} // namespace

int main()
{
    oracle();
    entries();
    lists();
    std::printf("selftest: %d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
