#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/entrytext.h"

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
    const std::int16_t count = v.Stellen;
    v.i = count + 1; // where the loops over the digits of n and of m leave it
    v.Quotient = quotient;
    if (!takeOffDigits(v.Quotient, v.Basis, v.QZiffer))
        return; // a quotient without digits in this base gets no entry at all
    v.i = 0;    // where the loop over the digits of Q leaves it
    if (!emit)
        return;

    const std::string n = Str(v.Zahl), m = Str(v.Spiegelzahl), q = Str(quotient);
    std::string entry;
    appendEntryText(entry, {n, m, q, v.Basis, DigitsView(&v.Ziffer[1], std::size_t(count)),
                            DigitsView(&v.QZiffer[1], std::size_t(v.Stellen))});
    m_window.appendResult(entry);
}

} // namespace kz
