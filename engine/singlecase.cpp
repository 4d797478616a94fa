#include "engine/conversions.h"
#include "engine/engine.h"
#include "engine/texts.h"

#include <algorithm>
#include <cmath>

namespace kz {

namespace {

bool isDigitString(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

void Engine::cmdEinzelfall_Click()
{
    auto &v = m_vars;
    if (Val(m_window.text(Field::txtSystem)) > 10) {
        m_window.showMessage(texts::kBaseAboveTen, texts::kProgramTitle, MessageIcon::None);
        return;
    }
    // Str writes a sign or blank and then the digits; without the first character the field
    // holds the digit string. Values Str writes otherwise (a point, an exponent) have no digit
    // string, so they are refused before anything changes.
    const std::string normalised = Str(Val(m_window.text(Field::txtEinzelfall)));
    if (!isDigitString(std::string_view(normalised).substr(1))) {
        m_window.showMessage(texts::kNotWholeNumber, texts::kProgramTitle, MessageIcon::None);
        return;
    }
    m_window.setText(Field::txtEinzelfall, normalised);
    const auto length = static_cast<std::int16_t>(normalised.size());
    m_window.setText(Field::txtEinzelfall, m_window.text(Field::txtEinzelfall).substr(1));

    // The typed digits are summed from the left in doubles; a digit of S or more is taken at
    // its value (base 8: "19" gives 17).
    v.Zahl = 0;
    const std::int16_t last = length - 1;
    for (v.Stellen = 1; v.Stellen <= last; ++v.Stellen) {
        const std::string digits = m_window.text(Field::txtEinzelfall);
        const double base = Val(m_window.text(Field::txtSystem));
        const std::size_t position = v.Stellen - 1;
        const int digit =
            position < digits.size() && digits[position] >= '0' && digits[position] <= '9'
                ? digits[position] - '0'
                : 0;
        v.Zahl += digit * std::pow(base, (length - 1) - v.Stellen);
    }

    std::string header = texts::kZehnersystem;
    header += texts::kCrLf;
    appendStr(header, v.Zahl);
    header += texts::kCrLf;
    m_window.setText(Field::txtErgebnis, header);

    // A stop flag left by an aborted search must not silence this test.
    v.Abbruch = 0;
    v.Basis = Val(m_window.text(Field::txtSystem));
    PruefeZahl();
    m_window.appendResult(texts::kFertig);
}

} // namespace kz
