// Number conversions and operators every engine procedure uses: text to number (Val),
// number to text (Str), Int and Mod. They fix the exact characters of fields and result list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kz {

// Reads a leading number: blanks, tabs and line feeds are skipped anywhere, then sign, digits,
// "." with digits and an "E"/"D" exponent. Stops at the first other character; no number gives 0.
// Always "." as decimal point. Values beyond the double range saturate to the largest double.
double Val(std::string_view text);

// Writes a number as the result list shows it: a blank before zero and positive values, "-"
// before negative ones, whole values below 10^15 as plain digits, others with 15 significant
// digits.
std::string Str(double x);

// Appends Str(x) to out without a temporary string (the hot path of the result list).
void appendStr(std::string &out, double x);

// Str of a whole number too large for a double, given by its decimal digits without a sign.
void appendWholeStr(std::string &out, std::string_view decimalDigits);

// Largest whole number not greater than x.
double Int(double x);

// Integer remainder with the sign of the left operand, after rounding both operands to the
// nearest integer (ties to even). Empty when an operand leaves the signed 32-bit range, is not a
// number, or the divisor is zero: the caller treats that as "cannot compute".
std::optional<std::int32_t> Mod(double a, double b);

} // namespace kz
