// The form-level variables: the state every handler shares for the life of the program.
// One instance lives in each Engine; handlers running nested inside a yield see the same one.
#pragma once

#include <array>
#include <cstdint>

namespace kz {

struct FormVariables {
    static constexpr int kDigitSlots = 101; // indexes 0 to 100; slot 0 is never used
    using Digits = std::array<std::int32_t, kDigitSlots>;

    double Zahl = 0;          // n, the number under test
    double Basis = 0;         // S, the base
    double Rest = 0;          // working value while the digits of n are taken off
    double Spiegelzahl = 0;   // m, the mirror number of n
    double Quotient = 0;      // working value while the digits of Q are taken off
    double Obergrenze = 0;    // upper bound of the search range
    double Untergrenze = 0;   // lower bound of the search range
    Digits Ziffer{};          // digits of n, least significant in slot 1
    Digits QZiffer{};         // digits of Q
    std::int16_t Stellen = 0; // digit count of n, after a hit that of Q
    std::int16_t i = 0;       // loop index
    std::int32_t Abbruch = 0; // 1 stops the search
};

} // namespace kz
