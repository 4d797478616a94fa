// The table of kehrzaehler-cli's options. Each option is declared here once, with its value, its
// German description, its default and the modes it belongs to; parseOptions, the mode checks and
// the help text are all made from this table, so a new option is one new row.
#pragma once

#include "cli/options.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

namespace kz::cli {

class ModeSet {
  public:
    constexpr ModeSet(std::initializer_list<Mode> modes)
    {
        for (const Mode mode : modes)
            m_bits |= bit(mode);
    }
    constexpr bool has(Mode mode) const { return m_bits & bit(mode); }

  private:
    static constexpr std::uint32_t bit(Mode mode) { return 1u << static_cast<unsigned>(mode); }
    std::uint32_t m_bits = 0;
};

// Where an option stands in the help.
enum class Section { Search, DigitPairs, General };

struct OptionRow {
    const char *name;
    const char *valueName; // nullptr: a flag
    Section section;
    std::string description; // '\n' where the help must break the line
    std::string defaultText; // shown as "(Vorgabe: …)"; empty: none
    ModeSet modes;           // the modes the option may be given in
    // A selecting option picks the mode: the modes in its set need it. --stellen picks List or
    // Count, --anzahl then Count.
    bool selects = false;
    // Reads the value into the options, once the mode is known; throws UsageError.
    void (*read)(const char *name, const std::string &value, Options &options) = nullptr;
};

std::span<const OptionRow> optionRows();

// The headings of the help's sections, in the order of Section.
std::string sectionHeading(Section section);

} // namespace kz::cli
