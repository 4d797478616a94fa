#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/texts.h"

#include <cmath>

namespace kz {

bool Engine::takeOffDigits(double &value, double base, FormVariables::Digits &digits)
{
    auto &v = m_vars;
    auto digit = Mod(value, base);
    if (!digit)
        return false;
    digits[1] = *digit;
    v.Stellen = 1;
    for (;;) {
        value = (value - digits[v.Stellen]) / base;
        if (!(value > 0))
            return true;
        ++v.Stellen;
        // S = 1 and non-whole values never run out of digits: stop at the array's end.
        if (v.Stellen >= FormVariables::kDigitSlots)
            return false;
        digit = Mod(value, base);
        if (!digit)
            return false;
        digits[v.Stellen] = *digit;
    }
}

void Engine::PruefeZahl()
{
    auto &v = m_vars;
    if (v.Abbruch == 1)
        return;
    m_window.yield();
    testZahl(true);
}

void Engine::testZahl(bool emit)
{
    auto &v = m_vars;
    v.Rest = v.Zahl;
    if (!takeOffDigits(v.Rest, v.Basis, v.Ziffer))
        return;

    // The least significant digit of n leads the mirror number; trailing zeros of n vanish.
    v.Spiegelzahl = 0;
    const std::int16_t count = v.Stellen;
    for (v.i = 1; v.i <= count; ++v.i)
        v.Spiegelzahl += v.Ziffer[v.i] * std::pow(v.Basis, v.Stellen - v.i);

    // A fraction taken apart into a hundred zero digits can overflow the mirror number; its
    // quotient 0 would pass for whole.
    if (v.Spiegelzahl == 0 || !std::isfinite(v.Spiegelzahl))
        return;
    const double quotient = v.Zahl / v.Spiegelzahl;
    if (!std::isfinite(quotient) || quotient == 0 || Int(quotient) != quotient)
        return;

    // Each box is read now, so a box changed during a search acts from the next hit on.
    if (m_window.checkBoxValue(CheckBox::chkNichttrivial) == 1 && quotient == 1)
        return;
    if (m_window.checkBoxValue(CheckBox::chkTeiler) == 1) {
        const auto remainder = Mod(quotient, v.Basis);
        if (!remainder || *remainder == 0)
            return;
    }
    if (m_window.checkBoxValue(CheckBox::chkzugross) == 1 && quotient > v.Basis)
        return;

    appendEntry(quotient, emit);
}

void Engine::appendEntry(double quotient, bool emit)
{
    auto &v = m_vars;
    std::string entry;
    entry.reserve(64 + 12 * v.Stellen);

    // The literals end in a blank and Str adds its own: the doubled blanks are part of the format.
    appendStr(entry, v.Zahl);
    entry += " :";
    appendStr(entry, v.Spiegelzahl);
    entry += " = ";
    appendStr(entry, quotient);
    entry += texts::kCrLf;
    appendStr(entry, v.Basis);
    entry += texts::kSystemSuffix;
    entry += texts::kCrLf;

    for (v.i = v.Stellen; v.i >= 1; --v.i)
        appendStr(entry, v.Ziffer[v.i]);
    entry += " : ";
    // The digits of n read backwards, leading zeros of m included.
    const std::int16_t count = v.Stellen;
    for (v.i = 1; v.i <= count; ++v.i)
        appendStr(entry, v.Ziffer[v.i]);
    entry += " = ";

    v.Quotient = quotient;
    if (!takeOffDigits(v.Quotient, v.Basis, v.QZiffer))
        return; // a quotient without digits in this base gets no entry at all
    for (v.i = v.Stellen; v.i >= 1; --v.i)
        appendStr(entry, v.QZiffer[v.i]);
    entry += texts::kCrLf;
    entry += texts::kCrLf;

    if (emit)
        m_window.appendResult(entry);
}

} // namespace kz
