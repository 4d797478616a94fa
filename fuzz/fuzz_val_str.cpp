// Val on arbitrary bytes, and Str written back: Val never fails or leaves the finite numbers,
// and what Str writes, Val reads back to the same text.
#include "engine/conversions.h"
#include "fuzz/fuzzinput.h"
#include "fuzz/require.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

constexpr double kPlainLimit = 1e15; // below it Str writes whole numbers as plain digits

bool isSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// The way a whole number below 10^15 must look, reckoned without Str: sign place, digits.
std::string plainDigits(std::int64_t x)
{
    const std::uint64_t magnitude = x < 0 ? 0 - static_cast<std::uint64_t>(x) : x;
    return (x < 0 ? "-" : " ") + std::to_string(magnitude);
}

void checkWhole(std::int64_t whole)
{
    const double x = static_cast<double>(whole);
    const std::string written = kz::Str(x);
    KZ_REQUIRE(written == plainDigits(whole), "Str writes a whole number as sign place and digits",
               written + " for " + std::to_string(whole));
    KZ_REQUIRE(kz::Val(written) == x, "Val reads a whole number back exactly", written);
    KZ_REQUIRE(kz::Str(kz::Val(written)) == written, "Str(Val(Str(x))) == Str(x)", written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const double value = kz::Val(text);
    KZ_REQUIRE(std::isfinite(value), "Val gives a finite number", text);

    // Blanks, tabs and line feeds count nowhere, so taking them out changes nothing.
    std::string packed;
    for (const char c : text)
        if (!isSkipped(c))
            packed += c;
    const double packedValue = kz::Val(packed);
    KZ_REQUIRE(packedValue == value && std::signbit(packedValue) == std::signbit(value),
               "Val ignores blanks, tabs and line feeds", text);

    // Whatever Str writes is a fixed point: 15 significant digits survive a trip through Val.
    const std::string written = kz::Str(value);
    KZ_REQUIRE(kz::Str(kz::Val(written)) == written, "Str(Val(Str(x))) == Str(x) for Val's value",
               written);

    // Whole numbers below 10^15: the whole part of the value read, and one from the raw bytes.
    checkWhole(static_cast<std::int64_t>(std::fmod(std::trunc(value), kPlainLimit)));
    kz::fuzz::ByteReader bytes(data, size);
    checkWhole(bytes.take<std::int64_t>() % static_cast<std::int64_t>(kPlainLimit));

    // Any finite double from the next eight bytes, subnormals and extremes included.
    const double any = bytes.take<double>();
    if (std::isfinite(any)) {
        const std::string anyWritten = kz::Str(any);
        KZ_REQUIRE(kz::Str(kz::Val(anyWritten)) == anyWritten, "Str(Val(Str(x))) == Str(x)",
                   anyWritten);
    }
    return 0;
}
