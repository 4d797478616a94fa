// The command line of kehrzaehler-cli. The search options each take the text a user would type
// into the matching field of the window; the digit-pair modes take strict whole numbers. Every
// option is declared once, in the table of cli/optiontable.h, from which the parsing, the mode
// checks and the help text are made.
#pragma once

#include <array>
#include <cstdint>
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
    Erzeugende,      // --erzeugende
    Help,            // --help
    Version,         // --version
};

// A whole number or a range A-B, as the digit-pair modes take them; a number too large for its
// type reads as the largest one, which the limits of the digit-pair search refuse.
template <typename T> struct WholeRange {
    T first{}, last{};
    friend bool operator==(const WholeRange &, const WholeRange &) = default;
};

struct Options {
    Mode mode = Mode::Search;
    // The window's fields and check boxes (chkNichttrivial, chkTeiler, chkzugross).
    std::string basis, von, bis, einzelfall;
    std::array<int, 3> filter{};
    unsigned threads = 0; // 0: one per core
    // The digit-pair modes.
    WholeRange<int> bases;             // --basis
    WholeRange<std::uint64_t> lengths; // --stellen
    int quotient = 0;                  // --graph

    Options(); // the window's opening values
    friend bool operator==(const Options &, const Options &) = default;
};

// The options of a command line (without the program's name); throws UsageError with the German
// message when it cannot be understood.
Options parseOptions(const std::vector<std::string> &arguments);

// The German help text of --help.
std::string usage();

} // namespace kz::cli
