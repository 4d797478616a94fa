// A short search on arbitrary field texts: the list grows by well-formed entries in rising order
// and then "fertig", or a message box leaves everything as it was. Where the numbers are whole,
// the entries are exactly the shown hits a whole-number reckoning finds. The tight loop a yield
// stride above 1 allows must leave list, fields and variables as the one-by-one loop does.
#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/plainwindow.h"
#include "fuzz/entrycheck.h"
#include "fuzz/fuzzinput.h"
#include "fuzz/mirrororacle.h"
#include "fuzz/require.h"

#include <cstring>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using kz::Field;
constexpr int kMaxVisits = 2000;
// Outside about +-2^31 Mod cannot work, and the search jumps instead of stepping.
constexpr double kStepLow = -2147483649.0;
constexpr double kStepHigh = 2147483648.0;
constexpr std::string_view kEarlier = "an earlier entry\r\n\r\n";

// About how many numbers the search tests from lower to upper (one or two more at most).
double visits(double lower, double upper)
{
    const double start = std::max(lower, kStepLow);
    const double last = std::min(upper, kStepHigh);
    return last >= start ? std::floor(last - start) + 2 : 0;
}

// The entries of whole numbers from 0 on that the filters show, in rising order.
std::vector<std::uint64_t> expectedHits(double lower, double upper, std::uint64_t base,
                                        const kz::fuzz::Filters &filters)
{
    std::vector<std::uint64_t> hits;
    const double first = std::max(lower, 0.0);
    const double last = std::min(upper, static_cast<double>(kz::fuzz::kLargestTestable));
    for (double n = first; n <= last; n += 1) {
        const auto hit = kz::fuzz::mirrorHit(static_cast<std::uint64_t>(n), base);
        if (hit && kz::fuzz::shown(*hit, base, filters))
            hits.push_back(static_cast<std::uint64_t>(n));
    }
    return hits;
}

void checkEntries(const kz::fuzz::ParsedList &list, double lower, double upper, double base,
                  const kz::fuzz::Filters &filters, bool stopped)
{
    const double low = kz::Val(kz::Str(lower)), high = kz::Val(kz::Str(upper));
    double previous = -std::numeric_limits<double>::infinity();
    std::vector<const kz::fuzz::ParsedEntry *> fromZero;
    for (const auto &entry : list.entries) {
        const double n = kz::Val(entry.number);
        KZ_REQUIRE(entry.base == kz::Str(base), "every entry names the base searched", entry.base);
        // Rounding to 15 digits keeps the order, so the bounds hold for the written numbers too.
        KZ_REQUIRE(n >= low && n <= high, "every n lies within the bounds", entry.number);
        KZ_REQUIRE(n > previous, "entries come in rising order, each number once", entry.number);
        previous = n;
        if (n >= 0)
            fromZero.push_back(&entry);
    }
    if (std::floor(lower) != lower)
        return;
    // From a whole lower bound every number visited is whole.
    const auto s = static_cast<std::uint64_t>(base);
    const auto hits = expectedHits(lower, upper, s, filters);
    KZ_REQUIRE(stopped ? fromZero.size() <= hits.size() : fromZero.size() == hits.size(),
               "an entry for each shown hit",
               std::to_string(fromZero.size()) + " entries, " + std::to_string(hits.size()) +
                   " hits");
    std::string why;
    for (std::size_t i = 0; i < fromZero.size(); ++i)
        KZ_REQUIRE(
            kz::fuzz::entryMatches(*fromZero[i], hits[i], s, *kz::fuzz::mirrorHit(hits[i], s), why),
            why.c_str(), fromZero[i]->number);
}

struct Setup {
    std::string system, lower, upper;
    int boxes[3] = {1, 1, 0}; // the window's opening values
};

struct Run {
    kz::PlainWindow window;
    kz::FormVariables vars;
    bool stopped = false;
};

// Runs the search with the stride, clicking "stop" in the yield numbered stopAt (0: never).
void search(const Setup &setup, std::uint32_t stride, std::uint64_t stopAt, Run &run)
{
    kz::PlainWindow &window = run.window;
    window.field(Field::txtSystem) = setup.system;
    window.field(Field::txtugrenze) = setup.lower;
    window.field(Field::txtnn) = setup.upper;
    window.field(Field::txtErgebnis) = kEarlier;
    window.setCheckBox(kz::CheckBox::chkNichttrivial, setup.boxes[0]);
    window.setCheckBox(kz::CheckBox::chkTeiler, setup.boxes[1]);
    window.setCheckBox(kz::CheckBox::chkzugross, setup.boxes[2]);
    window.setYieldStride(stride);
    kz::Engine engine(window);
    window.onYield = [&engine, stopAt](std::uint64_t count) {
        if (count == stopAt)
            engine.Command3_Click();
    };
    engine.Command1_Click();
    window.onYield = nullptr;
    run.vars = engine.vars();
    run.stopped = stopAt != 0 && stopAt <= window.yieldCount();
}

void checkRun(const Setup &setup, const Run &run)
{
    const kz::PlainWindow &window = run.window;
    const double lower = kz::Val(setup.lower), upper = kz::Val(setup.upper);
    const double base = std::floor(kz::Val(setup.system));
    if (base > std::numeric_limits<std::int32_t>::max()) {
        KZ_REQUIRE(window.messages().size() == 1, "a base above 2^31 - 1 gets one message box",
                   setup.system);
        KZ_REQUIRE(window.field(Field::txtSystem) == setup.system && window.result() == kEarlier,
                   "a refusal changes nothing", window.result());
        return;
    }
    KZ_REQUIRE(window.messages().empty(), "a search shows no message box", setup.system);
    KZ_REQUIRE(base < 2 ? kz::fuzz::isNumberText(window.field(Field::txtSystem)) &&
                              kz::Val(window.field(Field::txtSystem)) == 10
                        : window.field(Field::txtSystem) == setup.system,
               "a base below 2 becomes 10 in the field, others stay",
               window.field(Field::txtSystem));
    KZ_REQUIRE(window.yieldCount() <= 2 * visits(lower, upper) + 2,
               "the search visits each number once",
               std::to_string(window.yieldCount()) + " yields");

    const std::string &result = window.result();
    KZ_REQUIRE(result.compare(0, kEarlier.size(), kEarlier) == 0, "the list only grows", result);
    std::string why;
    const auto list = kz::fuzz::parseList(std::string_view(result).substr(kEarlier.size()), why);
    KZ_REQUIRE(list, why.c_str(), result);
    KZ_REQUIRE(list->fertig || run.stopped, "a search that is not stopped ends with 'fertig'",
               result);
    const kz::fuzz::Filters filters{setup.boxes[0], setup.boxes[1], setup.boxes[2]};
    checkEntries(*list, lower, upper, base < 2 ? 10 : base, filters, run.stopped);
}

// The list of a stopped run is the start of the list of a whole run.
void checkPrefix(const Run &part, const Run &whole)
{
    std::string_view list = part.window.result();
    if (list.size() >= 6 && list.substr(list.size() - 6) == "fertig")
        list.remove_suffix(6);
    KZ_REQUIRE(whole.window.result().compare(0, list.size(), list) == 0,
               "a stopped search lists the start of what a whole one lists", part.window.result());
}

// After a number with a fraction the digit loop gives up and leaves a mix of earlier tests'
// working values, which nothing reads before writing; then only what handlers read is compared.
bool testsFractions(const Setup &setup)
{
    const double lower = kz::Val(setup.lower);
    return lower != std::floor(lower);
}

void checkSame(const Setup &setup, const Run &fast, const Run &slow)
{
    KZ_REQUIRE(fast.window.result() == slow.window.result(),
               "the tight loop lists what the one-by-one loop does",
               fast.window.result() + "\n--- one by one ---\n" + slow.window.result());
    KZ_REQUIRE(fast.window.field(Field::txtSystem) == slow.window.field(Field::txtSystem),
               "the tight loop leaves the base field as the one-by-one loop does", "");
    if (testsFractions(setup)) {
        const kz::FormVariables &f = fast.vars, &o = slow.vars;
        KZ_REQUIRE(f.Zahl == o.Zahl && f.Basis == o.Basis && f.Abbruch == o.Abbruch &&
                       f.Obergrenze == o.Obergrenze && f.Untergrenze == o.Untergrenze,
                   "the tight loop leaves number, base, bounds and stop flag as the one-by-one loop does",
                   "Zahl" + kz::Str(f.Zahl) + " /" + kz::Str(o.Zahl));
        return;
    }
    // Bit for bit, as a handler clicked after the search would find them.
    KZ_REQUIRE(std::memcmp(&fast.vars, &slow.vars, sizeof fast.vars) == 0,
               "the tight loop leaves the variables as the one-by-one loop does",
               "Zahl" + kz::Str(fast.vars.Zahl) + " /" + kz::Str(slow.vars.Zahl) + ", Stellen " +
                   std::to_string(fast.vars.Stellen) + " / " + std::to_string(slow.vars.Stellen));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const kz::fuzz::TextParts parts(data, size);
    Setup setup{std::string(parts[0]), std::string(parts[1]), std::string(parts[2])};
    const double lower = kz::Val(setup.lower);
    // A range too long for a fuzz run ends a span the fourth part picks after the lower bound.
    if (visits(lower, kz::Val(setup.upper)) > kMaxVisits) {
        const int span = (parts.byte(3, 3, 0) | parts.byte(3, 4, 0) << 8) % kMaxVisits;
        setup.upper = kz::Str(std::max(lower, kStepLow) + span);
    }
    if (visits(lower, kz::Val(setup.upper)) > kMaxVisits + 2)
        return 0; // still too long after rounding a lower bound far from zero: skip it
    const auto boxes = parts.byte(3, 0, 255);
    if (boxes != 255) {
        setup.boxes[0] = boxes % 3;
        setup.boxes[1] = boxes / 3 % 3;
        setup.boxes[2] = boxes / 9 % 3;
    }
    const std::uint64_t stopAt = parts.byte(3, 1, 0) | parts.byte(3, 2, 0) << 8;
    const std::uint32_t stride = 2 + parts.byte(3, 5, 5) % 64;

    Run slow, fast;
    search(setup, 1, stopAt, slow);
    checkRun(setup, slow);
    search(setup, stride, 0, fast);
    checkRun(setup, fast);
    if (slow.stopped)
        checkPrefix(slow, fast);
    else
        checkSame(setup, fast, slow);
    if (stopAt != 0) {
        Run fastStopped;
        search(setup, stride, stopAt, fastStopped);
        checkRun(setup, fastStopped);
        checkPrefix(fastStopped, fast);
    }
    return 0;
}
