#include "cli/failure.h"
#include "cli/options.h"
#include "cli/optiontable.h"

#include <algorithm>
#include <optional>

namespace kz::cli {

namespace {

constexpr std::size_t kWidth = 79;
constexpr std::size_t kDescriptionColumn = 21;

// Counts characters, not bytes: "ä" takes one column.
std::size_t columns(const std::string &text)
{
    std::size_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// Appends text from the current column on, broken at blanks (and at '\n') to fit the width, each
// further line indented to `indent`.
void appendWrapped(std::string &out, std::size_t column, std::size_t indent,
                   const std::string &text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \n", at), text.size());
        const std::string word = text.substr(at, end - at);
        if (column > indent && column + 1 + columns(word) > kWidth) {
            out += '\n' + std::string(indent, ' ');
            column = indent;
        } else if (column > indent) {
            out += ' ';
            ++column;
        }
        out += word;
        column += columns(word);
        if (end < text.size() && text[end] == '\n') {
            out += '\n' + std::string(indent, ' ');
            column = indent;
        }
        at = end + 1;
    }
    out += '\n';
}

} // namespace

std::string usage()
{
    std::string text = "Aufruf: kehrzaehler-cli [OPTIONEN]\n";
    appendWrapped(text, 0, 0,
                  "Sucht Zahlen, die durch ihre Spiegelzahl teilbar sind, und schreibt die "
                  "Ergebnisliste (UTF-8, Zeilenenden CR LF) auf die Standardausgabe.");
    std::optional<Section> section;
    for (const OptionRow &row : optionRows()) {
        if (row.section != section) {
            section = row.section;
            text += '\n';
            if (const std::string heading = sectionHeading(row.section); !heading.empty())
                text += heading + '\n';
        }
        std::string name = std::string("  ") + row.name;
        if (row.valueName)
            name += std::string(" ") + row.valueName;
        text += name;
        std::size_t column = columns(name);
        if (column + 2 > kDescriptionColumn) {
            text += '\n';
            column = 0;
        }
        text += std::string(kDescriptionColumn - column, ' ');
        std::string description = row.description;
        if (!row.defaultText.empty()) // at the end of the first line of its own
            description.insert(std::min(description.find('\n'), description.size()),
                               " (Vorgabe: " + row.defaultText + ")");
        appendWrapped(text, kDescriptionColumn, kDescriptionColumn, description);
    }
    std::string statuses = "Beendigungsstatus:";
    for (const ExitStatus &exit : exitStatuses())
        statuses += (exit.status == kExitDone ? " " : ", ") + std::to_string(exit.status) + " " +
                    exit.meaning;
    text += '\n';
    appendWrapped(text, 0, 0, statuses + ".");
    return text;
}

} // namespace kz::cli
