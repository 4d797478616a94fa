#include "fuzz/entrycheck.h"

#include "engine/conversions.h"

#include <algorithm>

namespace kz::fuzz {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kEntryEnd = "\r\n\r\n";
constexpr std::string_view kSystemSuffix = "er System:";

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Splits text at the first separator; false when it is missing.
bool splitAt(std::string_view text, std::string_view separator, std::string_view &left,
             std::string_view &right)
{
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos)
        return false;
    left = text.substr(0, at);
    right = text.substr(at + separator.size());
    return true;
}

// A run of digit texts: each a blank or minus followed by decimal digits.
std::optional<std::vector<std::string>> digitTexts(std::string_view text)
{
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != ' ' && text[pos] != '-')
            return std::nullopt;
        std::size_t end = pos + 1;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        if (end == pos + 1)
            return std::nullopt;
        out.emplace_back(text.substr(pos, end - pos));
        pos = end;
    }
    if (out.empty())
        return std::nullopt;
    return out;
}

} // namespace

bool isNumberText(std::string_view text)
{
    return !text.empty() && Str(Val(text)) == text;
}

std::optional<ParsedEntry> parseEntry(std::string_view entry, std::string &why)
{
    if (entry.size() < kEntryEnd.size() ||
        entry.substr(entry.size() - kEntryEnd.size()) != kEntryEnd) {
        why = "entry does not end with an empty line";
        return std::nullopt;
    }
    std::string_view lines[3];
    std::string_view rest = entry.substr(0, entry.size() - kEntryEnd.size());
    if (!splitAt(rest, kCrLf, lines[0], rest) || !splitAt(rest, kCrLf, lines[1], lines[2])) {
        why = "entry has fewer than four lines";
        return std::nullopt;
    }
    for (const auto line : lines) {
        if (line.empty() || line.find_first_of("\r\n") != std::string_view::npos) {
            why = "entry has an empty line too early or a stray line break";
            return std::nullopt;
        }
    }

    ParsedEntry parsed;
    std::string_view number, mirror, quotient, tail;
    if (!splitAt(lines[0], " :", number, tail) || !splitAt(tail, " = ", mirror, quotient) ||
        !isNumberText(number) || !isNumberText(mirror) || !isNumberText(quotient)) {
        why = "line 1 is not 'n : m = Q' with three numbers";
        return std::nullopt;
    }
    parsed.number = number;
    parsed.mirror = mirror;
    parsed.quotient = quotient;

    const std::string_view second = lines[1];
    if (second.size() <= kSystemSuffix.size() ||
        second.substr(second.size() - kSystemSuffix.size()) != kSystemSuffix ||
        !isNumberText(second.substr(0, second.size() - kSystemSuffix.size()))) {
        why = "line 2 is not 'Ser System:'";
        return std::nullopt;
    }
    parsed.base = second.substr(0, second.size() - kSystemSuffix.size());

    std::string_view digits, mirrorDigits, quotientDigits;
    if (!splitAt(lines[2], " : ", digits, tail) ||
        !splitAt(tail, " = ", mirrorDigits, quotientDigits)) {
        why = "line 3 is not 'digits : digits = digits'";
        return std::nullopt;
    }
    auto a = digitTexts(digits);
    auto b = digitTexts(mirrorDigits);
    auto c = digitTexts(quotientDigits);
    if (!a || !b || !c) {
        why = "line 3 holds something other than digit texts";
        return std::nullopt;
    }
    if (!std::equal(a->begin(), a->end(), b->rbegin(), b->rend())) {
        why = "line 3: the mirror digits are not the digits of n reversed";
        return std::nullopt;
    }
    parsed.digits = std::move(*a);
    parsed.mirrorDigits = std::move(*b);
    parsed.quotientDigits = std::move(*c);
    return parsed;
}

std::optional<ParsedList> parseList(std::string_view text, std::string &why)
{
    ParsedList list;
    while (!text.empty()) {
        if (text == "fertig") {
            list.fertig = true;
            return list;
        }
        // Lines 1 to 3 are never empty, so the first empty line closes the entry.
        const std::size_t end = text.find(kEntryEnd);
        if (end == std::string_view::npos) {
            why = "text after the last entry is neither empty nor 'fertig'";
            return std::nullopt;
        }
        auto entry = parseEntry(text.substr(0, end + kEntryEnd.size()), why);
        if (!entry)
            return std::nullopt;
        list.entries.push_back(std::move(*entry));
        text.remove_prefix(end + kEntryEnd.size());
    }
    return list;
}

} // namespace kz::fuzz
