// Numbers of any size as the atlas writes them: whole for tool tips and the clipboard, shortened
// in a cell (first and last digits around "…", with the count), and digit sequences in base S.
#pragma once

#include <gmpxx.h>

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <string>

namespace kz::atlas {

// Numbers with more digits than this are shortened in a cell.
inline constexpr int kWholeInCell = 40;

// "1234567890…567890 (105 Stellen)" beyond kWholeInCell digits, else the number itself.
QString shortenedNumber(const std::string &decimal);
QString shortenedNumber(const mpz_class &value);
// Digits least significant first, written from the most significant one, separated by blanks as
// in a result-list entry; mostFirst false writes them in the order given (m's digits from n's).
std::string digitSequence(std::span<const std::int32_t> digits, bool mostFirst = true);
// Beyond kWholeInCell digits: the first and last few around "…", with the count.
QString shortenedSequence(std::span<const std::int32_t> digits, bool mostFirst = true);
// Long text broken into lines for a tool tip, which does not wrap by itself.
QString wrappedForToolTip(const QString &text, int width = 80);

} // namespace kz::atlas
