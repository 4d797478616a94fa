// Command-line options of kehrzaehler-cli. The search options each take the text a user would type
// into the matching field of the window; the digit-pair modes take strict whole numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kz::cli {

enum class Mode {
    Search,          // the window's search over --von .. --bis
    SingleCase,      // --einzelfall
    List,            // --stellen: every Kehrzahl with D digits
    Count,           // --stellen with --anzahl
    Multiplikatoren, // --multiplikatoren
    Graph,           // --graph Q
};

// Longer walks would take longer than anyone waits, and their list could not be held on a stack.
inline constexpr std::uint64_t kLargestDigitCount = 1000000;

// A whole number or a range A-B, as the digit-pair modes take them.
struct WholeRange {
    std::uint64_t first = 0, last = 0; // a number too large for 64 bits reads as the largest one
};

struct Options {
    Mode mode = Mode::Search;
    std::string basis = "10";
    std::string von = "1";
    std::string bis = "100000";
    int filter[3] = {1, 1, 0}; // chkNichttrivial, chkTeiler, chkzugross
    std::string einzelfall;
    unsigned threads = 0;       // 0: one per core
    WholeRange bases{10, 10};   // --basis in the digit-pair modes
    WholeRange stellen;         // --stellen
    std::uint64_t quotient = 0; // --graph
    bool help = false;
    bool version = false;
};

struct ParseResult {
    Options options;
    std::string error; // empty when the command line was understood
};

ParseResult parseOptions(const std::vector<std::string> &arguments);

// The German help text of --help.
std::string usage();

} // namespace kz::cli
