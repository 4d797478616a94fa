// kehrzahl-atlas's command line: values taken, and refused values reported with the note the
// window shows for the same text, the window opening on its defaults for them.
#include "atlasfixture.h"

#include "atlas/commandline.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace kz::atlas::test {
namespace {

struct Line {
    const char *name;
    QStringList arguments;
    Input input;
    View view;
    // The one message expected on standard error, empty when all is taken.
    QString message;
};

class CommandLine : public testing::TestWithParam<Line> {};

// Catches a refused value that is still taken, a good value lost beside a refused one, and
// English or missing messages.
TEST_P(CommandLine, TakesGoodValuesAndNamesRefusedOnes)
{
    const Line &line = GetParam();
    const Startup s =
        readCommandLine(QStringList{QStringLiteral("kehrzahl-atlas")} + line.arguments);
    EXPECT_EQ(s.input, line.input);
    EXPECT_EQ(s.view, line.view);
    EXPECT_EQ(s.messages.join(QChar(u'|')).toStdString(), line.message.toStdString());
}

const Input kDefaults{};

INSTANTIATE_TEST_SUITE_P(
    Atlas, CommandLine,
    testing::Values(
        Line{"all given",
             {"--basis", "16", "--stellen", "3-9", "--graph", "15", "--ansicht", "graph"},
             {16, {3, 9}, 15},
             View::Graph,
             {}},
        Line{"one length",
             {"--stellen", "60", "--ansicht", "liste"},
             {10, {60, 60}, 4},
             View::Liste,
             {}},
        Line{"base 1 refused, the length kept",
             {"--basis", "1", "--stellen", "7"},
             {10, {7, 7}, 4},
             View::Anzahl,
             "--basis 1: Die Basis muß zwischen 2 und 10000 liegen"},
        Line{"lengths backwards",
             {"--stellen", "9-3"},
             kDefaults,
             View::Anzahl,
             "--stellen 9-3: Im Bereich 9-3 ist der Anfang größer als das Ende"},
        Line{"a Q the base has no Kehrzahl with",
             {"--graph", "5"},
             kDefaults,
             View::Anzahl,
             "--graph 5: Zur Basis 10 gibt es keine Kehrzahl mit Q = 5"},
        Line{"Q not below the base",
             {"--basis", "7", "--graph", "7"},
             {7, {1, 40}, 4},
             View::Anzahl,
             "--graph 7: Q muß zwischen 2 und 6 liegen (kleiner als die Basis)"},
        Line{"an unknown view",
             {"--ansicht", "tabelle"},
             kDefaults,
             View::Anzahl,
             "--ansicht tabelle: Die Ansicht muß anzahl, liste, multiplikatoren oder graph heißen"},
        Line{"an unknown option",
             {"--farbe", "rot"},
             kDefaults,
             View::Anzahl,
             "Unbekannte Option: farbe"},
        Line{"an extra word",
             {"--basis", "8", "neun"},
             {8, {1, 40}, 4},
             View::Anzahl,
             "Überzählige Angabe: neun"}),
    [](const testing::TestParamInfo<Line> &info) {
        std::string name;
        for (const char c : std::string(info.param.name))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

// Catches a command line whose note differs from the window's for the same text, or that the
// window does not show beside the field.
TEST_F(AtlasTest, RefusedArgumentShowsTheWindowsNoteAndTheDefault)
{
    const Startup startup = readCommandLine({QStringLiteral("kehrzahl-atlas"),
                                             QStringLiteral("--basis"), QStringLiteral("10001"),
                                             QStringLiteral("--ansicht"), QStringLiteral("liste")});
    open(startup);
    EXPECT_EQ(window->baseField()->text(), QStringLiteral("10"));
    EXPECT_EQ(window->tabs()->currentIndex(), int(View::Liste));
    const QString fromCommandLine = window->baseNote()->text();
    type(window->baseField(), QStringLiteral("10001"));
    EXPECT_EQ(fromCommandLine, QStringLiteral("--basis 10001: ") + window->baseNote()->text());
}

} // namespace
} // namespace kz::atlas::test
