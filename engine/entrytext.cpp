#include "engine/entrytext.h"

#include "engine/conversions.h"
#include "engine/texts.h"

namespace kz {

void appendEntryText(std::string &out, const EntryParts &p)
{
    out.reserve(out.size() + 64 + 6 * (2 * p.nDigits.size() + p.qDigits.size()));
    // The literals end in a blank and Str adds its own: the doubled blanks are part of the format.
    out += p.n;
    out += " :";
    out += p.m;
    out += " = ";
    out += p.q;
    out += texts::kCrLf;
    appendStr(out, p.base);
    out += texts::kSystemSuffix;
    out += texts::kCrLf;

    for (auto d = p.nDigits.rbegin(); d != p.nDigits.rend(); ++d)
        appendStr(out, *d);
    out += " : ";
    // The digits of n read backwards, leading zeros of m included.
    for (const std::int32_t d : p.nDigits)
        appendStr(out, d);
    out += " = ";
    for (auto d = p.qDigits.rbegin(); d != p.qDigits.rend(); ++d)
        appendStr(out, *d);
    out += texts::kCrLf;
    out += texts::kCrLf;
}

} // namespace kz
