#include "atlas/numbertext.h"

#include <algorithm>
#include <vector>

namespace kz::atlas {

namespace {

constexpr int kHead = 12;
constexpr int kTail = 8;

QString countNote(std::size_t count, const char *unit)
{
    return QStringLiteral(" (%1 %2)").arg(count).arg(QString::fromUtf8(unit));
}

} // namespace

QString shortenedNumber(const std::string &decimal)
{
    if (decimal.size() <= std::size_t(kWholeInCell))
        return QString::fromStdString(decimal);
    return QString::fromLatin1(decimal.data(), kHead) + QChar(u'…') +
           QString::fromLatin1(decimal.data() + decimal.size() - kTail, kTail) +
           countNote(decimal.size(), "Stellen");
}

QString shortenedNumber(const mpz_class &value)
{
    return shortenedNumber(value.get_str());
}

std::string digitSequence(std::span<const std::int32_t> digits, bool mostFirst)
{
    std::string text;
    text.reserve(digits.size() * 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i)
            text += ' ';
        text += std::to_string(digits[mostFirst ? digits.size() - 1 - i : i]);
    }
    return text;
}

QString shortenedSequence(std::span<const std::int32_t> digits, bool mostFirst)
{
    if (digits.size() <= std::size_t(kWholeInCell))
        return QString::fromStdString(digitSequence(digits, mostFirst));
    // The head of the sequence as written and its tail, each read in the written order.
    const std::size_t n = digits.size();
    std::vector<std::int32_t> head, tail;
    for (std::size_t i = 0; i < std::size_t(kHead) / 2; ++i)
        head.push_back(digits[mostFirst ? n - 1 - i : i]);
    for (std::size_t i = n - std::size_t(kTail) / 2; i < n; ++i)
        tail.push_back(digits[mostFirst ? n - 1 - i : i]);
    return QString::fromStdString(digitSequence(head, false)) + QStringLiteral(" … ") +
           QString::fromStdString(digitSequence(tail, false)) + countNote(n, "Ziffern");
}

QString wrappedForToolTip(const QString &text, int width)
{
    if (text.size() <= width)
        return text;
    QStringList lines;
    for (qsizetype at = 0; at < text.size(); at += width)
        lines << text.mid(at, width);
    return lines.join(QChar(u'\n'));
}

} // namespace kz::atlas
