#include "cli/options.h"

#include <charconv>

namespace kz::cli {

const char kUsage[] =
    "Aufruf: kehrzaehler-cli [OPTIONEN]\n"
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
    "  --help             diese Hilfe zeigen\n"
    "  --version          Version zeigen\n"
    "\n"
    "Beendigungsstatus: 0 fertig, 2 Meldung (auf der Standardfehlerausgabe), 64 falscher Aufruf.\n";

namespace {

bool parseFilter(const std::string &text, int (&filter)[3])
{
    if (text.size() != 3)
        return false;
    for (int k = 0; k < 3; ++k) {
        if (text[k] < '0' || text[k] > '2')
            return false;
        filter[k] = text[k] - '0';
    }
    return true;
}

bool parseThreads(const std::string &text, unsigned &threads)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 256)
        return false;
    threads = value;
    return true;
}

} // namespace

ParseResult parseOptions(const std::vector<std::string> &arguments)
{
    ParseResult result;
    Options &o = result.options;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        std::string name = arguments[k];
        std::optional<std::string> value;
        if (const auto equals = name.find('=');
            name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        if (name == "--help" || name == "--version") {
            if (value) {
                result.error = "Option " + name + " nimmt keinen Wert";
                return result;
            }
            (name == "--help" ? o.help : o.version) = true;
            continue;
        }
        if (name != "--basis" && name != "--von" && name != "--bis" && name != "--filter" &&
            name != "--einzelfall" && name != "--threads") {
            result.error = "unbekannte Option: " + name;
            return result;
        }
        if (!value) {
            if (k + 1 == arguments.size()) {
                result.error = "Option " + name + " braucht einen Wert";
                return result;
            }
            value = arguments[++k];
        }
        if (name == "--basis") {
            o.basis = *value;
        } else if (name == "--von") {
            o.von = *value;
        } else if (name == "--bis") {
            o.bis = *value;
        } else if (name == "--einzelfall") {
            o.einzelfall = *value;
        } else if (name == "--filter") {
            if (!parseFilter(*value, o.filter)) {
                result.error = "--filter braucht drei Ziffern 0, 1 oder 2, zum Beispiel 110";
                return result;
            }
        } else if (!parseThreads(*value, o.threads)) {
            result.error = "--threads braucht eine Zahl von 1 bis 256";
            return result;
        }
    }
    return result;
}

} // namespace kz::cli
