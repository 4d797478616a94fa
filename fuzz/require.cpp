#include "fuzz/require.h"

#include <cstdio>

namespace kz::fuzz {

std::string escaped(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7f) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        } else {
            out += c;
        }
    }
    return out;
}

void fail(const char *what, std::string_view detail, const char *file, int line)
{
    // Long result lists are cut: their start shows the fault, the reproducer keeps the rest.
    constexpr std::size_t kShown = 1500;
    std::string shown = escaped(detail.substr(0, kShown));
    if (detail.size() > kShown)
        shown += "... (" + std::to_string(detail.size()) + " bytes)";
    std::fprintf(stderr, "\nINVARIANT BROKEN at %s:%d: %s\n  [%s]\n", file, line, what,
                 shown.c_str());
    std::fflush(stderr);
    __builtin_trap();
}

} // namespace kz::fuzz
