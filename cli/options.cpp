#include "cli/options.h"

#include "kehrzahlen/kehrzahlen.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <limits>

namespace kz::cli {

std::string usage()
{
    const std::string ranges = "S von " + std::to_string(kehr::kSmallestBase) + " bis " +
                               std::to_string(kehr::kLargestBase) + ", D von 1 bis " +
                               std::to_string(kLargestDigitCount);
    return "Aufruf: kehrzaehler-cli [OPTIONEN]\n"
           "Sucht Zahlen, die durch ihre Spiegelzahl teilbar sind, und schreibt die Ergebnisliste\n"
           "(UTF-8, Zeilenenden CR LF) auf die Standardausgabe.\n"
           "\n"
           "  --basis TEXT       Basis S des Stellenwertsystems (Vorgabe: 10)\n"
           "  --von TEXT         Suche ab hier, im 10er System (Vorgabe: 1)\n"
           "  --bis TEXT         Suche bis hier, im 10er System (Vorgabe: 100000)\n"
           "  --filter ABC       Werte der Kästchen \"Q > 1\", \"nicht S/Q\", \"Q < S\":\n"
           "                     je 0 (leer), 1 (angekreuzt) oder 2 (grau) (Vorgabe: 110)\n"
           "  --einzelfall TEXT  diese Zahl (im S-System, S < 11) prüfen statt zu suchen\n"
           "  --threads N        Anzahl der Rechenfäden für die Suche (Vorgabe: alle Kerne)\n"
           "\n"
           "Kehrzahlen jeder Länge, ohne Suche (" +
           ranges +
           "):\n"
           "  --stellen D        alle Kehrzahlen mit D Stellen zur Basis S (--basis S), "
           "aufsteigend,\n"
           "  --stellen A-B      als Einträge der Ergebnisliste; bei A-B für jede Stellenzahl\n"
           "  --anzahl           mit --stellen: statt der Liste ihre Anzahl je Stellenzahl und Q\n"
           "  --multiplikatoren  die Quotienten Q, zu denen es Kehrzahlen gibt, für --basis S\n"
           "                     oder für jede Basis eines Bereichs --basis A-B\n"
           "  --graph Q          den Übertragsgraphen zu S (--basis S) und Q im Graphviz-Format\n"
           "\n"
           "  --help             diese Hilfe zeigen\n"
           "  --version          Version zeigen\n"
           "\n"
           "Beendigungsstatus: 0 fertig, 2 Meldung (auf der Standardfehlerausgabe), 64 falscher\n"
           "Aufruf, 74 Ausgabe konnte nicht geschrieben werden.\n";
}

namespace {

// Digits only; a number beyond 64 bits reads as the largest one, which every range check refuses.
std::optional<std::uint64_t> wholeNumber(std::string_view text)
{
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        return std::numeric_limits<std::uint64_t>::max();
    return value;
}

// "D" or "A-B" with A <= B.
std::optional<WholeRange> wholeRange(std::string_view text, bool rangeAllowed)
{
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        const auto value = wholeNumber(text);
        return value ? std::optional(WholeRange{*value, *value}) : std::nullopt;
    }
    if (!rangeAllowed)
        return std::nullopt;
    const auto first = wholeNumber(text.substr(0, dash));
    const auto last = wholeNumber(text.substr(dash + 1));
    if (!first || !last || *first > *last)
        return std::nullopt;
    return WholeRange{*first, *last};
}

CLI::Validator check(std::string (*test)(std::string &))
{
    return CLI::Validator(test, "");
}

std::string filterText(std::string &text)
{
    const bool good = text.size() == 3 && std::all_of(text.begin(), text.end(),
                                                      [](char c) { return c >= '0' && c <= '2'; });
    return good ? "" : "braucht drei Ziffern 0, 1 oder 2, zum Beispiel 110";
}

std::string threadsText(std::string &text)
{
    const auto value = wholeNumber(text);
    return value && *value >= 1 && *value <= 256 ? "" : "braucht eine Zahl von 1 bis 256";
}

std::string stellenText(std::string &text)
{
    return wholeRange(text, true) ? ""
                                  : "braucht eine ganze Zahl oder einen Bereich A-B, "
                                    "zum Beispiel 40 oder 4-8";
}

std::string quotientText(std::string &text)
{
    return wholeNumber(text) ? "" : "braucht eine ganze Zahl Q, zum Beispiel 4";
}

// The option names in one of CLI11's messages, in the order it names them.
std::vector<std::string> optionNames(const std::string &message)
{
    std::vector<std::string> names;
    for (std::size_t at = message.find("--"); at != std::string::npos;
         at = message.find("--", at + 2)) {
        std::size_t end = at + 2;
        while (end < message.size() && message[end] >= 'a' && message[end] <= 'z')
            ++end;
        if (end > at + 2)
            names.push_back(message.substr(at, end - at));
    }
    return names;
}

// CLI11 explains in English; the user reads German.
std::string german(const CLI::ParseError &error)
{
    const std::string message = error.what();
    const auto names = optionNames(message);
    const std::string first = names.empty() ? "" : names[0];
    const std::string second = names.size() < 2 ? "" : names[1];
    if (dynamic_cast<const CLI::ValidationError *>(&error)) {
        const std::size_t colon = message.find(": ");
        return first + " " + (colon == std::string::npos ? message : message.substr(colon + 2));
    }
    if (dynamic_cast<const CLI::ExcludesError *>(&error))
        return first + " und " + second + " gehen nicht zusammen";
    if (dynamic_cast<const CLI::RequiresError *>(&error))
        return first + " geht nur mit " + second;
    if (dynamic_cast<const CLI::ArgumentMismatch *>(&error)) {
        // Only the flags can mismatch: every value option takes the next argument whole.
        const std::size_t blank = message.find(' ');
        return "Option --" + message.substr(0, blank) + " nimmt keinen Wert";
    }
    return message;
}

// The digit-pair modes read --basis strictly: a whole number, or a range with --multiplikatoren.
std::string readBases(Options &o)
{
    const bool rangeAllowed = o.mode == Mode::Multiplikatoren;
    const auto bases = wholeRange(o.basis, rangeAllowed);
    if (!bases)
        return rangeAllowed ? "--basis braucht hier eine ganze Zahl oder einen Bereich A-B, "
                              "zum Beispiel 10 oder 2-100"
                            : "--basis braucht hier eine ganze Zahl, zum Beispiel 10";
    o.bases = *bases;
    return {};
}

} // namespace

ParseResult parseOptions(const std::vector<std::string> &arguments)
{
    ParseResult result;
    Options &o = result.options;

    CLI::App app;
    app.set_help_flag();
    app.allow_extras();
    std::string filter = "110", threads, stellen, graph;
    bool anzahl = false, multiplikatoren = false;
    const auto value = [&](const char *name, std::string &target) {
        // An empty value is a text like any other (an empty field); the last one given counts.
        return app.add_option(name, target)
            ->expected(0, 1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    };
    const auto flag = [&](const char *name, bool &target) {
        return app.add_flag(name, target)->disable_flag_override();
    };
    value("--basis", o.basis);
    CLI::Option *von = value("--von", o.von);
    CLI::Option *bis = value("--bis", o.bis);
    CLI::Option *filterOption = value("--filter", filter)->check(check(filterText));
    CLI::Option *einzelfall = value("--einzelfall", o.einzelfall);
    CLI::Option *threadsOption = value("--threads", threads)->check(check(threadsText));
    CLI::Option *stellenOption = value("--stellen", stellen)->check(check(stellenText));
    CLI::Option *graphOption = value("--graph", graph)->check(check(quotientText));
    CLI::Option *multiFlag = flag("--multiplikatoren", multiplikatoren);
    flag("--anzahl", anzahl)->needs(stellenOption);
    flag("--help", o.help);
    flag("--version", o.version);
    // The search's own options mean nothing to the digit-pair modes, nor these modes to each other.
    for (CLI::Option *mode : {stellenOption, multiFlag, graphOption}) {
        for (CLI::Option *searchOption : {von, bis, filterOption, einzelfall, threadsOption})
            mode->excludes(searchOption);
    }
    stellenOption->excludes(multiFlag)->excludes(graphOption);
    multiFlag->excludes(graphOption);

    // An option that takes a value takes the next argument whole, even one that starts with "-",
    // so "--von -.5" reads as the window's field would.
    std::vector<std::string> words;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const CLI::Option *option = app.get_option_no_throw(arguments[k]);
        if (!option || option->get_expected_max() == 0) {
            words.push_back(arguments[k]);
            continue;
        }
        if (k + 1 == arguments.size()) {
            result.error = "Option " + arguments[k] + " braucht einen Wert";
            return result;
        }
        words.push_back(arguments[k] + "=" + arguments[k + 1]);
        ++k;
    }

    std::vector<std::string> reversed(words.rbegin(), words.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError &error) {
        result.error = german(error);
        return result;
    }
    if (!app.remaining().empty()) {
        const std::string extra = app.remaining().front();
        result.error =
            (extra.rfind("-", 0) == 0 ? "unbekannte Option: " : "unerwartetes Argument: ") + extra;
        return result;
    }

    for (int k = 0; k < 3; ++k)
        o.filter[k] = filter[k] - '0';
    if (!threads.empty())
        o.threads = static_cast<unsigned>(*wholeNumber(threads));
    if (einzelfall->count() > 0)
        o.mode = Mode::SingleCase;
    if (stellenOption->count() > 0) {
        o.mode = anzahl ? Mode::Count : Mode::List;
        o.stellen = *wholeRange(stellen, true);
    } else if (multiplikatoren) {
        o.mode = Mode::Multiplikatoren;
    } else if (graphOption->count() > 0) {
        o.mode = Mode::Graph;
        o.quotient = *wholeNumber(graph);
    }
    if (o.mode != Mode::Search && o.mode != Mode::SingleCase)
        result.error = readBases(o);
    return result;
}

} // namespace kz::cli
