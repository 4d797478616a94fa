// The six steppers on arbitrary field texts in an order the input chooses: each writes a number
// text Val reads back, touches only its own field, and bounds that are whole powers of ten within
// 1..10^8 with lower <= upper stay so, one decade per click.
#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/plainwindow.h"
#include "fuzz/entrycheck.h"
#include "fuzz/fuzzinput.h"
#include "fuzz/require.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace {

using kz::Field;
constexpr Field kFields[] = {Field::txtSystem, Field::txtugrenze, Field::txtnn};
constexpr std::size_t kMaxClicks = 64;
constexpr int kTopDecade = 8; // the steppers go up to 10^8
constexpr double kDecades[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// k when the field reads as exactly 10^k with 0 <= k <= 8.
std::optional<int> decadeOf(const std::string &text)
{
    const double value = kz::Val(text);
    for (int k = 0; k <= kTopDecade; ++k)
        if (value == kDecades[k])
            return k;
    return std::nullopt;
}

// A power of ten at least 1 as Str writes it: " 1" and zeros, or " 1E+" and the exponent.
bool isPowerOfTenText(const std::string &text)
{
    if (text.rfind(" 1E+", 0) == 0)
        return text.size() > 4 && text.find_first_not_of("0123456789", 4) == std::string::npos;
    return text.rfind(" 1", 0) == 0 && text.find_first_not_of('0', 2) == std::string::npos;
}

// One of several ways to type 10^k that Val reads alike.
std::string typedDecade(int k, std::uint8_t style)
{
    const std::string zeros(static_cast<std::size_t>(k), '0');
    switch (style % 8) {
    case 0:
        return kz::Str(kDecades[k]);
    case 1:
        return "1" + zeros;
    case 2:
        return "1E" + std::to_string(k);
    case 3:
        return "1d+0" + std::to_string(k);
    case 4: {
        std::string spaced = " 1";
        for (int i = 0; i < k; ++i)
            spaced += i % 2 ? "\t0" : "\n0 ";
        return spaced;
    }
    case 5:
        return "0001" + zeros + ".000";
    case 6:
        return "+1" + zeros + "abc";
    default:
        return "0.1E" + std::to_string(k + 1);
    }
}

void click(kz::Engine &engine, int which)
{
    switch (which) {
    case 0:
        engine.Command4_Click();
        break;
    case 1:
        engine.Command5_Click();
        break;
    case 2:
        engine.Command6_Click();
        break;
    case 3:
        engine.Command7_Click();
        break;
    case 4:
        engine.Command8_Click();
        break;
    default:
        engine.Command9_Click();
        break;
    }
}

// Where lower and upper bound must land from decades a <= b.
void expectedDecades(int which, int &a, int &b)
{
    switch (which) {
    case 2:
        a = std::min({a + 1, kTopDecade, b});
        break;
    case 3:
        a = std::max(a - 1, 0);
        break;
    case 4:
        b = std::min(b + 1, kTopDecade);
        break;
    case 5:
        b = std::max({b - 1, 0, a});
        break;
    default:
        break;
    }
}

void checkClick(const kz::PlainWindow &before, const kz::PlainWindow &after, int which)
{
    const std::size_t own = static_cast<std::size_t>(which / 2);
    for (std::size_t i = 0; i < 3; ++i)
        if (i != own)
            KZ_REQUIRE(after.field(kFields[i]) == before.field(kFields[i]),
                       "a stepper changes only its own field", after.field(kFields[i]));
    const std::string &old = before.field(kFields[own]);
    const std::string &now = after.field(kFields[own]);
    const double oldValue = kz::Val(old);
    const double value = kz::Val(now);
    if (which == 1 && !(oldValue > 2)) {
        KZ_REQUIRE(now == old, "base - 1 leaves a base of 2 or less alone", now);
        return;
    }
    KZ_REQUIRE(kz::fuzz::isNumberText(now), "a stepper writes a number text Val reads back", now);
    const bool exact = std::floor(oldValue) == oldValue && std::fabs(oldValue) < 1e15 - 1;
    if (which == 0 && exact)
        KZ_REQUIRE(value == oldValue + 1, "base + 1", old + " -> " + now);
    if (which == 1 && exact)
        KZ_REQUIRE(value == oldValue - 1, "base - 1", old + " -> " + now);
    if (which == 2)
        KZ_REQUIRE(value <= 1e8, "the lower bound goes up to 10^8 at most", now);
    if (which == 3)
        KZ_REQUIRE(isPowerOfTenText(now), "the lower bound goes down to a power of ten", now);
    if (which == 4)
        KZ_REQUIRE(isPowerOfTenText(now) && value >= 10 && value <= 1e8,
                   "the upper bound goes up to a power of ten up to 10^8", now);
    if (which == 5)
        KZ_REQUIRE(value >= 1, "the upper bound goes down to 1 at least", now);

    const auto a = decadeOf(before.field(Field::txtugrenze));
    const auto b = decadeOf(before.field(Field::txtnn));
    if (a && b && *a <= *b) {
        int lower = *a, upper = *b;
        expectedDecades(which, lower, upper);
        KZ_REQUIRE(decadeOf(after.field(Field::txtugrenze)) == lower &&
                       decadeOf(after.field(Field::txtnn)) == upper,
                   "bounds at powers of ten move one decade within 1..10^8, lower <= upper",
                   before.field(Field::txtugrenze) + " .. " + before.field(Field::txtnn) + " -> " +
                       after.field(Field::txtugrenze) + " .. " + after.field(Field::txtnn));
    }
}

void runClicks(kz::PlainWindow &window, std::string_view clicks)
{
    kz::Engine engine(window);
    for (std::size_t i = 0; i < clicks.size() && i < kMaxClicks; ++i) {
        const int which = static_cast<std::uint8_t>(clicks[i]) % 6;
        const kz::PlainWindow before = window;
        click(engine, which);
        checkClick(before, window, which);
    }
    KZ_REQUIRE(window.messages().empty(), "steppers show no message box", "");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const kz::fuzz::TextParts parts(data, size);

    kz::PlainWindow typed;
    for (std::size_t i = 0; i < 3; ++i)
        typed.field(kFields[i]) = parts[i];
    runClicks(typed, parts[3]);

    // The same clicks from bounds at powers of ten, typed in the ways the fifth part picks.
    const int lower = parts.byte(4, 0, 0) % (kTopDecade + 1);
    const int upper = lower + parts.byte(4, 1, 5) % (kTopDecade + 1 - lower);
    kz::PlainWindow decades;
    decades.field(Field::txtSystem) = parts[0];
    decades.field(Field::txtugrenze) = typedDecade(lower, parts.byte(4, 2, 0));
    decades.field(Field::txtnn) = typedDecade(upper, parts.byte(4, 3, 0));
    KZ_REQUIRE(decadeOf(decades.field(Field::txtugrenze)) == lower &&
                   decadeOf(decades.field(Field::txtnn)) == upper,
               "Val reads each way of typing a power of ten",
               decades.field(Field::txtugrenze) + " .. " + decades.field(Field::txtnn));
    runClicks(decades, parts[3]);
    return 0;
}
