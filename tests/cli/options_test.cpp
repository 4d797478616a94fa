// The command line parsed in-process: arguments in, mode and values out, or the exact German
// message of the usage error.
#include "cli/failure.h"
#include "cli/options.h"
#include "cli/optiontable.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <sstream>

namespace kz::cli {
namespace {

std::ostream &operator<<(std::ostream &out, const Options &o)
{
    return out << "mode " << int(o.mode) << ", basis '" << o.basis << "', von '" << o.von
               << "', bis '" << o.bis << "', einzelfall '" << o.einzelfall << "', filter "
               << o.filter[0] << o.filter[1] << o.filter[2] << ", threads " << o.threads
               << ", bases " << o.bases.first << "-" << o.bases.last << ", lengths "
               << o.lengths.first << "-" << o.lengths.last << ", quotient " << o.quotient;
}

TEST(CliOptions, ArgumentsGiveTheirModeAndValues)
{
    const struct {
        const char *name;
        std::vector<std::string> arguments;
        std::function<void(Options &)> expected; // applied to the opening values
    } rows[] = {
        {"no options: the window's search over its opening values", {}, [](Options &) {}},
        {"field texts taken as typed, a value starting with a minus included",
         {"--basis", " 16", "--von", "-.5", "--bis=4E3", "--filter", "202"},
         [](Options &o) {
             o.basis = " 16", o.von = "-.5", o.bis = "4E3";
             o.filter = {2, 0, 2};
         }},
        {"an empty value is an empty field", {"--basis", ""}, [](Options &o) { o.basis = ""; }},
        {"the last value given counts",
         {"--bis", "5", "--bis", "7"},
         [](Options &o) { o.bis = "7"; }},
        {"a single case with its check boxes",
         {"--einzelfall", "1011", "--basis", "2", "--filter", "000"},
         [](Options &o) {
             o.mode = Mode::SingleCase, o.einzelfall = "1011", o.basis = "2";
             o.filter = {0, 0, 0};
         }},
        {"a search on three threads", {"--threads", "3"}, [](Options &o) { o.threads = 3; }},
        {"a list of one length",
         {"--stellen", "40"},
         [](Options &o) {
             o.mode = Mode::List, o.lengths = {40, 40};
         }},
        {"a count over a range, --anzahl first, on two threads",
         {"--anzahl", "--stellen", "3-40", "--basis", "7", "--threads", "2"},
         [](Options &o) {
             o.mode = Mode::Count, o.lengths = {3, 40}, o.bases = {7, 7}, o.threads = 2;
         }},
        {"multipliers of a range of bases on two threads",
         {"--multiplikatoren", "--basis", "2-100", "--threads", "2"},
         [](Options &o) {
             o.mode = Mode::Multiplikatoren, o.bases = {2, 100}, o.threads = 2;
         }},
        {"a graph in the opening base",
         {"--graph", "4"},
         [](Options &o) { o.mode = Mode::Graph, o.quotient = 4; }},
        // Caught fault: a base read modulo 2^32 would come out as 10 and be searched.
        {"a base beyond int reads as the largest",
         {"--stellen", "4", "--basis", "4294967306"},
         [](Options &o) {
             const int most = std::numeric_limits<int>::max();
             o.mode = Mode::List, o.lengths = {4, 4}, o.bases = {most, most};
         }},
        {"a length beyond 64 bits reads as the largest",
         {"--stellen", "99999999999999999999999"},
         [](Options &o) {
             const auto most = std::numeric_limits<std::uint64_t>::max();
             o.mode = Mode::List, o.lengths = {most, most};
         }},
        {"--help wins over every other option",
         {"--stellen", "4", "--von", "x", "--help"},
         [](Options &o) { o.mode = Mode::Help; }},
        {"--version", {"--version"}, [](Options &o) { o.mode = Mode::Version; }},
    };
    for (const auto &row : rows) {
        Options expected;
        row.expected(expected);
        try {
            EXPECT_EQ(parseOptions(row.arguments), expected) << row.name;
        } catch (const UsageError &error) {
            ADD_FAILURE() << row.name << ": " << error.what();
        }
    }
}

TEST(CliOptions, BadCommandLinesSayWhatIsWrongInGerman)
{
    const struct {
        const char *name;
        std::vector<std::string> arguments;
        const char *message;
    } rows[] = {
        {"an unknown option", {"--foo"}, "unbekannte Option: --foo"},
        {"a word that is no option", {"positional"}, "unerwartetes Argument: positional"},
        {"a value option at the end",
         {"--bis", "5", "--basis"},
         "Option --basis braucht einen Wert"},
        {"a flag with a value", {"--help=yes"}, "Option --help nimmt keinen Wert"},
        {"two check boxes",
         {"--filter", "12"},
         "--filter braucht drei Ziffern 0, 1 oder 2, zum Beispiel 110"},
        {"a check box state 3",
         {"--filter", "113"},
         "--filter braucht drei Ziffern 0, 1 oder 2, zum Beispiel 110"},
        {"no threads", {"--threads", "0"}, "--threads braucht eine Zahl von 1 bis 256"},
        {"too many threads", {"--threads", "257"}, "--threads braucht eine Zahl von 1 bis 256"},
        {"threads as a word", {"--threads", "two"}, "--threads braucht eine Zahl von 1 bis 256"},
        {"a fractional length",
         {"--stellen", "4.5"},
         "--stellen braucht eine ganze Zahl oder einen Bereich A-B, zum Beispiel 40 oder 4-8"},
        {"a negative length",
         {"--stellen", "-4"},
         "--stellen braucht eine ganze Zahl oder einen Bereich A-B, zum Beispiel 40 oder 4-8"},
        {"a reversed range of lengths",
         {"--stellen", "8-4"},
         "--stellen 8-4: der Bereich ist umgekehrt, gemeint ist wohl 4-8"},
        {"a reversed range of bases",
         {"--multiplikatoren", "--basis", "100-2"},
         "--basis 100-2: der Bereich ist umgekehrt, gemeint ist wohl 2-100"},
        {"a base as a word in a digit-pair mode",
         {"--basis", "abc", "--stellen", "4"},
         "--basis braucht hier eine ganze Zahl, zum Beispiel 10"},
        {"a range of bases for one graph",
         {"--basis", "2-5", "--graph", "2"},
         "--basis braucht hier eine ganze Zahl, zum Beispiel 10"},
        {"a quotient as a word",
         {"--graph", "Q"},
         "--graph braucht eine ganze Zahl Q, zum Beispiel 4"},
        {"--anzahl alone", {"--anzahl"}, "--anzahl geht nur mit --stellen"},
        {"a search bound with a digit-pair mode",
         {"--von", "1", "--stellen", "4"},
         "--stellen und --von gehen nicht zusammen"},
        {"two modes, named in the order given",
         {"--graph", "4", "--stellen", "4"},
         "--graph und --stellen gehen nicht zusammen"},
        {"threads for a single case",
         {"--threads", "2", "--einzelfall", "5"},
         "--einzelfall und --threads gehen nicht zusammen"},
        {"a count of multipliers",
         {"--multiplikatoren", "--anzahl"},
         "--multiplikatoren und --anzahl gehen nicht zusammen"},
    };
    for (const auto &row : rows) {
        try {
            parseOptions(row.arguments);
            ADD_FAILURE() << row.name << ": accepted";
        } catch (const UsageError &error) {
            EXPECT_EQ(std::string(error.what()), row.message) << row.name;
        }
    }
}

// Caught fault: an option added to the table without its line in the help, or a default that
// the help does not show.
TEST(CliOptions, HelpShowsEveryRowWithItsDefaultWithinEightyColumns)
{
    const std::string help = usage();
    for (const OptionRow &row : optionRows()) {
        const std::string name = std::string("\n  ") + row.name +
                                 (row.valueName ? std::string(" ") + row.valueName : "");
        EXPECT_NE(help.find(name), std::string::npos) << row.name;
        if (!row.defaultText.empty())
            EXPECT_NE(help.find("(Vorgabe: " + row.defaultText + ")"), std::string::npos)
                << row.name;
    }
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        std::size_t columns = 0;
        for (const char c : line)
            columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        EXPECT_LE(columns, 79u) << line;
    }
}

} // namespace
} // namespace kz::cli
