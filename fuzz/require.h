// Stops a fuzz run on a broken invariant, in a way libFuzzer reports as a crash with the input.
#pragma once

#include <string>
#include <string_view>

namespace kz::fuzz {

// Shows control characters of a result list as escapes, so a report stays on one line.
std::string escaped(std::string_view text);

[[noreturn]] void fail(const char *what, std::string_view detail, const char *file, int line);

} // namespace kz::fuzz

// A macro for the file and line: clang 14 has no std::source_location.
#define KZ_REQUIRE(condition, what, detail)                                                        \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::kz::fuzz::fail(what, detail, __FILE__, __LINE__);                                    \
    } while (false)
