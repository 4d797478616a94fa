// The atlas's inputs read from the text a user types or passes on the command line: the base S,
// a length D or a range A-B, a quotient Q. The limits are the library's; a refused value comes
// back with the German note the window shows beside its field and the command line prints.
#pragma once

#include "kehrzahlen/kehrzahlen.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace kz::atlas {

template <typename T> struct Reading {
    std::optional<T> value;
    QString note; // empty when value holds
};

struct Range {
    std::uint64_t first = 0, last = 0;
    friend bool operator==(const Range &, const Range &) = default;
};

// What the window shows: the views read the base and lengths, the graph its Q.
struct Input {
    int base = 10;
    Range lengths{1, 40};
    int quotient = 4;
    friend bool operator==(const Input &, const Input &) = default;
};

// A whole number of at most 20 digits, with blanks around it.
std::optional<std::uint64_t> readWhole(const QString &text);
// "D" or "A-B" (a dash or an en dash between, blanks allowed).
std::optional<Range> readRange(const QString &text);

Reading<int> readBase(const QString &text);
Reading<Range> readLengths(const QString &text);
Reading<Range> readBases(const QString &text);
// Q within 2..S-1; whether S has Kehrzahlen with this Q is asked of the multipliers.
Reading<int> readQuotient(const QString &text, int base);

// The quotients Q of base that have Kehrzahlen, increasing; nullopt when cancelled.
std::optional<std::vector<int>> quotientsOf(int base, const kehr::Watch &watch);

QString noteOf(const kehr::LimitError &error);
QString notAMultiplierNote(int base, int quotient);
QString rangeText(Range range);

} // namespace kz::atlas
