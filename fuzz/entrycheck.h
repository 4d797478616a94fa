// Takes result-list text apart into entries and checks their form. An entry is three lines and
// an empty one:
//   n : m = Q          (each number as Str writes it)
//   Ser System:
//   digits of n : the same digits reversed = digits of Q
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz::fuzz {

struct ParsedEntry {
    std::string number, mirror, quotient; // line 1
    std::string base;                     // line 2 without "er System:"
    // Line 3, one text per digit as Str writes it (" 7", " 12", "-3").
    std::vector<std::string> digits, mirrorDigits, quotientDigits;
};

struct ParsedList {
    std::vector<ParsedEntry> entries;
    bool fertig = false; // the list ends with "fertig"
};

// A text Str could have written: Str(Val(text)) gives it back. Never "keine Zahl" or "Unendlich".
bool isNumberText(std::string_view text);

// Exactly one well-formed entry; otherwise empty with the reason in why.
std::optional<ParsedEntry> parseEntry(std::string_view entry, std::string &why);

// Zero or more well-formed entries, optionally followed by "fertig", and nothing else.
std::optional<ParsedList> parseList(std::string_view text, std::string &why);

} // namespace kz::fuzz
