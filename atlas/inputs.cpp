#include "atlas/inputs.h"

#include "kehrzahlen/limits.h"

#include <QRegularExpression>

#include <limits>

namespace kz::atlas {

namespace {

const QString kNoNumber = QStringLiteral("Bitte eine ganze Zahl eingeben");
const QString kNoRange =
    QStringLiteral("Bitte eine Stellenzahl D oder einen Bereich A-B eingeben, etwa 40 oder 1-40");
const QString kNoBases =
    QStringLiteral("Bitte eine Basis S oder einen Bereich A-B eingeben, etwa 10 oder 2-100");

// Runs the library's check; a refusal becomes the note.
template <typename T, typename Check> Reading<T> checked(T value, Check check)
{
    try {
        check();
        return {value, {}};
    } catch (const kehr::LimitError &e) {
        return {std::nullopt, noteOf(e)};
    }
}

} // namespace

std::optional<std::uint64_t> readWhole(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 20)
        return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const std::uint64_t digit = std::uint64_t(c.unicode() - u'0');
        // Too large for its type reads as the largest value, which every limit refuses.
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10)
            return std::numeric_limits<std::uint64_t>::max();
        value = value * 10 + digit;
    }
    return value;
}

std::optional<Range> readRange(const QString &text)
{
    static const QRegularExpression dash(QStringLiteral("[-\u2013]"));
    const QStringList parts = text.split(dash);
    if (parts.size() == 1) {
        if (const auto d = readWhole(parts[0]))
            return Range{*d, *d};
        return std::nullopt;
    }
    if (parts.size() != 2)
        return std::nullopt;
    const auto first = readWhole(parts[0]), last = readWhole(parts[1]);
    if (!first || !last)
        return std::nullopt;
    return Range{*first, *last};
}

Reading<int> readBase(const QString &text)
{
    const auto base = readWhole(text);
    if (!base)
        return {std::nullopt, kNoNumber};
    const std::int64_t value = std::int64_t(std::min<std::uint64_t>(*base, INT64_MAX));
    return checked(int(std::min<std::int64_t>(value, kehr::kLargestBase + 1)),
                   [&] { kehr::checkBase(value); });
}

Reading<Range> readLengths(const QString &text)
{
    const auto range = readRange(text);
    if (!range)
        return {std::nullopt, kNoRange};
    return checked(*range, [&] { kehr::checkLengths(range->first, range->last); });
}

Reading<Range> readBases(const QString &text)
{
    const auto range = readRange(text);
    if (!range)
        return {std::nullopt, kNoBases};
    const auto clamp = [](std::uint64_t v) {
        return std::int64_t(std::min<std::uint64_t>(v, INT64_MAX));
    };
    return checked(*range, [&] {
        kehr::checkBase(clamp(range->first));
        kehr::checkBase(clamp(range->last));
        kehr::checkOrder(clamp(range->first), clamp(range->last));
    });
}

Reading<int> readQuotient(const QString &text, int base)
{
    const auto quotient = readWhole(text);
    if (!quotient)
        return {std::nullopt, kNoNumber};
    const std::int64_t value = std::int64_t(std::min<std::uint64_t>(*quotient, INT64_MAX));
    return checked(int(std::min<std::int64_t>(value, base)),
                   [&] { kehr::checkQuotient(base, value); });
}

std::optional<std::vector<int>> quotientsOf(int base, const kehr::Watch &watch)
{
    std::vector<int> quotients;
    const bool done = kehr::kehrmultiplikatorenOfBases(
        base, base,
        [&](int, const std::vector<kehr::Multiplier> &found) {
            for (const kehr::Multiplier &m : found)
                quotients.push_back(m.quotient);
            return true;
        },
        watch);
    if (!done)
        return std::nullopt;
    return quotients;
}

QString noteOf(const kehr::LimitError &e)
{
    switch (e.limit) {
    case kehr::Limit::Base:
        return QStringLiteral("Die Basis muß zwischen %1 und %2 liegen")
            .arg(e.lowest)
            .arg(e.highest);
    case kehr::Limit::Length:
        return QStringLiteral("Die Stellenzahl muß zwischen %1 und %2 liegen")
            .arg(e.lowest)
            .arg(e.highest);
    case kehr::Limit::Quotient:
        return QStringLiteral("Q muß zwischen %1 und %2 liegen (kleiner als die Basis)")
            .arg(e.lowest)
            .arg(e.highest);
    case kehr::Limit::Order:
        return QStringLiteral("Im Bereich %1-%2 ist der Anfang größer als das Ende")
            .arg(e.lowest)
            .arg(e.highest);
    case kehr::Limit::Fraction:
        return QStringLiteral("Die erzeugende Funktion hätte mehr als %1 Glieder").arg(e.highest);
    case kehr::Limit::Memory:
        return QStringLiteral("Die Liste bis %1 Stellen bräuchte mehr als %2 MB Arbeitsspeicher")
            .arg(e.value)
            .arg(e.highest);
    }
    return QString::fromUtf8(e.what());
}

QString notAMultiplierNote(int base, int quotient)
{
    return QStringLiteral("Zur Basis %1 gibt es keine Kehrzahl mit Q = %2").arg(base).arg(quotient);
}

QString rangeText(Range range)
{
    if (range.first == range.last)
        return QString::number(range.first);
    return QStringLiteral("%1-%2").arg(range.first).arg(range.last);
}

} // namespace kz::atlas
