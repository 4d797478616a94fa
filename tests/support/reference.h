// An independent oracle for the tests: the entry of a hit computed with plain integer
// arithmetic, for whole n >= 1 and whole bases S >= 2.
#pragma once

#include "engine/engine.h"
#include "engine/plainwindow.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kz::test {

struct Filters {
    int nichttrivial = 1, teiler = 1, zugross = 0;
};

// The four-line entry for n in base S, or "" when n is no hit or the filters hide it.
std::string referenceEntry(std::int64_t n, std::int64_t base, Filters filters = {});

// Concatenated entries for from..to.
std::string referenceEntries(std::int64_t from, std::int64_t to, std::int64_t base,
                             Filters filters = {});

// Splits a result list into its entries (each ending in CR LF CR LF) and a remainder.
std::vector<std::string> entriesOf(const std::string &list, std::string *rest = nullptr);

struct Harness {
    PlainWindow window;
    Engine engine{window};
    void setFilters(Filters f)
    {
        window.setCheckBox(CheckBox::chkNichttrivial, f.nichttrivial);
        window.setCheckBox(CheckBox::chkTeiler, f.teiler);
        window.setCheckBox(CheckBox::chkzugross, f.zugross);
    }
    void setRange(const std::string &from, const std::string &to, const std::string &base = "10")
    {
        window.field(Field::txtugrenze) = from;
        window.field(Field::txtnn) = to;
        window.field(Field::txtSystem) = base;
    }
};

} // namespace kz::test
