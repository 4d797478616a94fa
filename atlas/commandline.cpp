#include "atlas/commandline.h"

#include <QCommandLineParser>

#include <algorithm>
#include <array>

namespace kz::atlas {

namespace {

struct ViewName {
    View view;
    const char *name;
};
constexpr std::array<ViewName, 4> kViews{{{View::Anzahl, "anzahl"},
                                          {View::Liste, "liste"},
                                          {View::Multiplikatoren, "multiplikatoren"},
                                          {View::Graph, "graph"}}};

struct OptionRow {
    const char *name, *value, *help;
};
const OptionRow kOptions[] = {
    {"basis", "S", "Basis S des Stellenwertsystems (Vorgabe 10)"},
    {"stellen", "D|A-B", "Stellenzahl D oder Bereich A-B (Vorgabe 1-40)"},
    {"graph", "Q", "Quotient Q, dessen Übertragsgraph gezeigt wird (Vorgabe 4)"},
    {"ansicht", "NAME", "Ansicht beim Start: anzahl, liste, multiplikatoren oder graph"},
};

bool isMultiplier(int base, int quotient)
{
    const auto multipliers = kehr::kehrmultiplikatoren(base);
    return std::any_of(multipliers.begin(), multipliers.end(),
                       [&](const kehr::Multiplier &m) { return m.quotient == quotient; });
}

QString refused(const QString &option, const QString &value, const QString &note)
{
    return QStringLiteral("--%1 %2: %3").arg(option, value, note);
}

} // namespace

QString helpText()
{
    QString text = QStringLiteral(
        "Aufruf: kehrzahl-atlas [--basis S] [--stellen D|A-B] [--graph Q] [--ansicht NAME]\n"
        "Zeigt Kehrzahlen beliebiger Länge: Anzahl, Liste, Kehrmultiplikatoren und "
        "Übertragsgraph.\n\n");
    for (const OptionRow &o : kOptions)
        text += QStringLiteral("  --%1 %2\n      %3\n")
                    .arg(QString::fromLatin1(o.name), QString::fromLatin1(o.value),
                         QString::fromUtf8(o.help));
    text += QStringLiteral("  --help\n      Diese Hilfe zeigen\n  --version\n      Die Version "
                           "zeigen\n");
    return text;
}

Startup readCommandLine(const QStringList &arguments)
{
    Startup s;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionRow &o : kOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(o.name), QString::fromUtf8(o.help),
                                            QString::fromLatin1(o.value)));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parser.addOption(QCommandLineOption(QStringLiteral("version")));
    const bool parsed = parser.parse(arguments);
    if (!parsed) {
        // Qt's own message is English: say in German what is wrong.
        const QStringList unknown = parser.unknownOptionNames();
        s.messages << (unknown.isEmpty()
                           ? QStringLiteral("Einer Option fehlt ihr Wert")
                           : QStringLiteral("Unbekannte Option: %1").arg(unknown.join(", ")));
    }
    // After an unknown option its value looks like an extra word: one message is enough.
    for (const QString &extra : parsed ? parser.positionalArguments() : QStringList())
        s.messages << QStringLiteral("Überzählige Angabe: %1").arg(extra);
    s.help = parser.isSet(QStringLiteral("help"));
    s.version = parser.isSet(QStringLiteral("version"));

    if (parser.isSet(QStringLiteral("basis"))) {
        const QString text = parser.value(QStringLiteral("basis"));
        const Reading<int> base = readBase(text);
        if (base.value)
            s.input.base = *base.value;
        else
            s.baseNote = refused(QStringLiteral("basis"), text, base.note);
    }
    if (parser.isSet(QStringLiteral("stellen"))) {
        const QString text = parser.value(QStringLiteral("stellen"));
        const Reading<Range> lengths = readLengths(text);
        if (lengths.value)
            s.input.lengths = *lengths.value;
        else
            s.lengthsNote = refused(QStringLiteral("stellen"), text, lengths.note);
    }
    if (parser.isSet(QStringLiteral("graph"))) {
        const QString text = parser.value(QStringLiteral("graph"));
        Reading<int> q = readQuotient(text, s.input.base);
        if (q.value && !isMultiplier(s.input.base, *q.value))
            q = {std::nullopt, notAMultiplierNote(s.input.base, *q.value)};
        if (q.value)
            s.input.quotient = *q.value;
        else
            s.quotientNote = refused(QStringLiteral("graph"), text, q.note);
    }
    if (parser.isSet(QStringLiteral("ansicht"))) {
        const QString text = parser.value(QStringLiteral("ansicht"));
        const auto view = std::find_if(kViews.begin(), kViews.end(), [&](const ViewName &v) {
            return text == QString::fromLatin1(v.name);
        });
        if (view != kViews.end())
            s.view = view->view;
        else
            s.messages << refused(QStringLiteral("ansicht"), text,
                                  QStringLiteral("Die Ansicht muß anzahl, liste, multiplikatoren "
                                                 "oder graph heißen"));
    }
    for (const QString *note : {&s.baseNote, &s.lengthsNote, &s.quotientNote}) {
        if (!note->isEmpty())
            s.messages << *note;
    }
    return s;
}

} // namespace kz::atlas
