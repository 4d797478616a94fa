#include "cli/options.h"

#include "cli/failure.h"
#include "cli/optiontable.h"
#include "cli/orderedmap.h"
#include "engine/openingvalues.h"
#include "kehrzahlen/kehrzahlen.h"
#include "window/helptexts.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <limits>

namespace kz::cli {

namespace {

std::string str(const char *name)
{
    return name;
}

// Digits only; a number too large for T reads as T's largest.
template <typename T> std::optional<T> wholeNumber(std::string_view text)
{
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    T value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec ==
        std::errc::result_out_of_range)
        return std::numeric_limits<T>::max();
    return value;
}

// "D", or "A-B" with A <= B where a range is allowed; nothing when the text is neither.
template <typename T>
std::optional<WholeRange<T>> wholeRange(const char *name, std::string_view text, bool rangeAllowed)
{
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        const auto value = wholeNumber<T>(text);
        return value ? std::optional(WholeRange<T>{*value, *value}) : std::nullopt;
    }
    const auto first = wholeNumber<T>(text.substr(0, dash));
    const auto last = wholeNumber<T>(text.substr(dash + 1));
    if (!rangeAllowed || !first || !last)
        return std::nullopt;
    if (*first > *last) {
        throw UsageError(
            str(name) + " " + std::string(text) + ": der Bereich ist umgekehrt, gemeint ist wohl " +
            std::string(text.substr(dash + 1)) + "-" + std::string(text.substr(0, dash)));
    }
    return WholeRange<T>{*first, *last};
}

bool digitPairMode(Mode mode)
{
    return mode == Mode::List || mode == Mode::Count || mode == Mode::Multiplikatoren ||
           mode == Mode::Graph || mode == Mode::Erzeugende;
}

void readBasis(const char *name, const std::string &value, Options &o)
{
    if (!digitPairMode(o.mode)) {
        o.basis = value;
        return;
    }
    const bool rangeAllowed = o.mode == Mode::Multiplikatoren;
    const auto bases = wholeRange<int>(name, value, rangeAllowed);
    if (!bases) {
        throw UsageError(str(name) + (rangeAllowed ? " braucht hier eine ganze Zahl oder einen "
                                                     "Bereich A-B, zum Beispiel 10 oder 2-100"
                                                   : " braucht hier eine ganze Zahl, zum "
                                                     "Beispiel 10"));
    }
    o.bases = *bases;
}

std::string openingFilter()
{
    std::string text;
    for (const CheckBox box :
         {CheckBox::chkNichttrivial, CheckBox::chkTeiler, CheckBox::chkzugross})
        text += char('0' + openingCheck(box));
    return text;
}

void readFilter(const char *name, const std::string &value, Options &o)
{
    if (value.size() != o.filter.size() ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '2'; }))
        throw UsageError(str(name) + " braucht drei Ziffern 0, 1 oder 2, zum Beispiel " +
                         openingFilter());
    for (std::size_t k = 0; k < o.filter.size(); ++k)
        o.filter[k] = value[k] - '0';
}

void readThreads(const char *name, const std::string &value, Options &o)
{
    const auto threads = wholeNumber<unsigned>(value);
    if (!threads || *threads < 1 || *threads > kMostWorkers)
        throw UsageError(str(name) + " braucht eine Zahl von 1 bis " +
                         std::to_string(kMostWorkers));
    o.threads = *threads;
}

void readStellen(const char *name, const std::string &value, Options &o)
{
    const auto lengths = wholeRange<std::uint64_t>(name, value, true);
    if (!lengths)
        throw UsageError(str(name) + " braucht eine ganze Zahl oder einen Bereich A-B, zum "
                                     "Beispiel 40 oder 4-8");
    o.lengths = *lengths;
}

void readQuotient(const char *name, const std::string &value, Options &o)
{
    const auto quotient = wholeNumber<int>(value);
    if (!quotient)
        throw UsageError(str(name) + " braucht eine ganze Zahl Q, zum Beispiel 4");
    o.quotient = *quotient;
}

void readText(std::string Options::*field, const std::string &value, Options &o)
{
    o.*field = value;
}

std::vector<OptionRow> makeRows()
{
    using enum Mode;
    const ModeSet anyMode = {Search, SingleCase, List, Count,  Multiplikatoren,
                             Graph,  Erzeugende, Help, Version};
    return {
        {"--basis", "TEXT", Section::Search,
         std::string(help::txtSystem) + "; bei --multiplikatoren auch ein Bereich A-B",
         openingText(Field::txtSystem), anyMode, false, readBasis},
        {"--von",
         "TEXT",
         Section::Search,
         help::txtugrenze,
         openingText(Field::txtugrenze),
         {Search},
         false,
         [](const char *, const std::string &value, Options &o) {
             readText(&Options::von, value, o);
         }},
        {"--bis",
         "TEXT",
         Section::Search,
         help::txtnn,
         openingText(Field::txtnn),
         {Search},
         false,
         [](const char *, const std::string &value, Options &o) {
             readText(&Options::bis, value, o);
         }},
        {"--filter",
         "ABC",
         Section::Search,
         std::string("die drei Kästchen, je 0 (leer), 1 (angekreuzt) oder 2 (grau)\nA: ") +
             help::chkNichttrivial + "\nB: " + help::chkTeiler + "\nC: " + help::chkzugross,
         openingFilter(),
         {Search, SingleCase},
         false,
         readFilter},
        {"--einzelfall",
         "TEXT",
         Section::Search,
         std::string(help::txtEinzelfall) + ", statt zu suchen",
         "",
         {SingleCase},
         true,
         [](const char *, const std::string &value, Options &o) {
             readText(&Options::einzelfall, value, o);
         }},
        {"--threads",
         "N",
         Section::Search,
         "Anzahl der Rechenfäden für die Suche, für --anzahl und für --multiplikatoren, "
         "1 bis " +
             std::to_string(kMostWorkers),
         "einer je Kern",
         {Search, Count, Multiplikatoren},
         false,
         readThreads},
        {"--stellen",
         "D",
         Section::DigitPairs,
         "alle Kehrzahlen mit D Stellen zur Basis S (--basis S), aufsteigend, als Einträge der "
         "Ergebnisliste; --stellen A-B für jede Stellenzahl von A bis B",
         "",
         {List, Count},
         true,
         readStellen},
        {"--anzahl",
         nullptr,
         Section::DigitPairs,
         "mit --stellen: statt der Liste ihre Anzahl je Stellenzahl und Q",
         "",
         {Count},
         true},
        {"--multiplikatoren",
         nullptr,
         Section::DigitPairs,
         "die Quotienten Q, zu denen es Kehrzahlen gibt, für --basis S oder für jede Basis eines "
         "Bereichs --basis A-B",
         "",
         {Multiplikatoren},
         true},
        {"--graph",
         "Q",
         Section::DigitPairs,
         "den Übertragsgraphen zu S (--basis S) und Q im Graphviz-Format (DOT)",
         "",
         {Graph},
         true,
         readQuotient},
        {"--erzeugende",
         nullptr,
         Section::DigitPairs,
         "für jedes Q zu S (--basis S) die erzeugende Funktion der Anzahlen nach Stellenzahl D, "
         "Summe von Anzahl(D)·x^D, als gekürzter Bruch, und die der Summe über alle Q",
         "",
         {Erzeugende},
         true},
        {"--help", nullptr, Section::General, "diese Hilfe zeigen", "", {Help}, true},
        {"--version", nullptr, Section::General, "Version zeigen", "", {Version}, true},
    };
}

constexpr Mode kModes[] = {Mode::Search,          Mode::SingleCase, Mode::List,       Mode::Count,
                           Mode::Multiplikatoren, Mode::Graph,      Mode::Erzeugende, Mode::Help,
                           Mode::Version};

// The one mode whose selecting options were all given and to which every given option belongs
// (given: the rows of the options, in the order given). Otherwise the mode the user seems to mean
// names the option that does not fit it.
Mode chooseMode(std::span<const OptionRow> rows, const std::vector<std::size_t> &given)
{
    // --help and --version win over any other option.
    auto belongs = [&](std::size_t k, Mode mode) {
        return rows[k].modes.has(mode) || mode == Mode::Help || mode == Mode::Version;
    };
    auto wasGiven = [&](std::size_t row) {
        return std::find(given.begin(), given.end(), row) != given.end();
    };
    auto selectedBy = [&](Mode mode) { // where its selecting options stand among those given
        std::vector<std::size_t> places;
        for (std::size_t place = 0; place < given.size(); ++place) {
            if (rows[given[place]].selects && rows[given[place]].modes.has(mode))
                places.push_back(place);
        }
        return places;
    };
    auto missingFor = [&](Mode mode) { // its selecting options not given
        std::string names;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (rows[k].selects && rows[k].modes.has(mode) && !wasGiven(k))
                names += (names.empty() ? "" : " und ") + str(rows[k].name);
        }
        return names;
    };

    std::optional<Mode> meant;
    std::vector<std::size_t> meantBy;
    for (const Mode mode : kModes) {
        if (!missingFor(mode).empty())
            continue;
        if (std::all_of(given.begin(), given.end(),
                        [&](std::size_t k) { return belongs(k, mode); }))
            return mode;
        // More of its selecting options given, or as many given earlier: more likely meant.
        const auto by = selectedBy(mode);
        if (!meant || by.size() > meantBy.size() ||
            (by.size() == meantBy.size() && !by.empty() && by.front() < meantBy.front())) {
            meant = mode;
            meantBy = by;
        }
    }
    const std::size_t misfit = *std::find_if(given.begin(), given.end(),
                                             [&](std::size_t k) { return !belongs(k, *meant); });
    if (!meantBy.empty()) {
        throw UsageError(str(rows[given[meantBy.front()]].name) + " und " + rows[misfit].name +
                         " gehen nicht zusammen");
    }
    // Nothing selects a mode yet: the misfit wants the options that select its own.
    const Mode own = *std::find_if(std::begin(kModes), std::end(kModes),
                                   [&](Mode mode) { return rows[misfit].modes.has(mode); });
    throw UsageError(str(rows[misfit].name) + " geht nur mit " + missingFor(own));
}

} // namespace

std::span<const OptionRow> optionRows()
{
    static const std::vector<OptionRow> rows = makeRows();
    return rows;
}

std::string sectionHeading(Section section)
{
    switch (section) {
    case Section::Search:
        return "Die Suche des Fensters; jede Option nimmt den Text ihres Feldes:";
    case Section::DigitPairs:
        return "Kehrzahlen jeder Länge, ohne Suche (S von " + std::to_string(kehr::kSmallestBase) +
               " bis " + std::to_string(kehr::kLargestBase) + "):";
    case Section::General:
        break;
    }
    return {};
}

Options::Options()
    : basis(openingText(Field::txtSystem)), von(openingText(Field::txtugrenze)),
      bis(openingText(Field::txtnn)), einzelfall(openingText(Field::txtEinzelfall))
{
    filter = {openingCheck(CheckBox::chkNichttrivial), openingCheck(CheckBox::chkTeiler),
              openingCheck(CheckBox::chkzugross)};
    const int base = *wholeNumber<int>(openingText(Field::txtSystem));
    bases = {base, base};
}

Options parseOptions(const std::vector<std::string> &arguments)
{
    const std::span<const OptionRow> rows = optionRows();
    CLI::App app;
    app.set_help_flag();
    app.allow_extras();
    std::vector<std::string> values(rows.size());
    std::vector<CLI::Option *> declared;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        // An empty value is a text like any other (an empty field); the last one given counts.
        declared.push_back(rows[k].valueName
                               ? app.add_option(rows[k].name, values[k])
                                     ->expected(0, 1)
                                     ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
                               : app.add_flag(rows[k].name));
    }

    // An option that takes a value takes the next argument whole, even one that starts with "-",
    // so "--von -.5" reads as the window's field would.
    std::vector<std::string> words;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string &word = arguments[k];
        const std::string name = word.substr(0, word.find('='));
        const CLI::Option *option = app.get_option_no_throw(name);
        if (option && option->get_expected_max() == 0 && name != word)
            throw UsageError("Option " + name + " nimmt keinen Wert");
        if (!option || option->get_expected_max() == 0 || name != word) {
            words.push_back(word);
            continue;
        }
        if (k + 1 == arguments.size())
            throw UsageError("Option " + word + " braucht einen Wert");
        words.push_back(word + "=" + arguments[++k]);
    }

    std::vector<std::string> reversed(words.rbegin(), words.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError &) {
        // Every way CLI11 could object is caught above; this line is only a safety net.
        throw UsageError("Aufruf nicht verstanden");
    }
    if (!app.remaining().empty()) {
        const std::string extra = app.remaining().front();
        throw UsageError(
            (extra.rfind("-", 0) == 0 ? "unbekannte Option: " : "unerwartetes Argument: ") + extra);
    }

    // The options given, each once, in the order of their first appearance.
    std::vector<std::size_t> given;
    for (const CLI::Option *option : app.parse_order()) {
        const auto k =
            std::size_t(std::find(declared.begin(), declared.end(), option) - declared.begin());
        if (std::find(given.begin(), given.end(), k) == given.end())
            given.push_back(k);
    }
    Options options;
    options.mode = chooseMode(rows, given);
    if (options.mode == Mode::Help || options.mode == Mode::Version)
        return options;
    for (const std::size_t k : given) {
        if (rows[k].read)
            rows[k].read(rows[k].name, values[k], options);
    }
    return options;
}

} // namespace kz::cli
