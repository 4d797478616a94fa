// kehrzahl-atlas --basis S --stellen D|A-B [--graph Q] [--ansicht
// anzahl|liste|multiplikatoren|graph] read into the values the window opens on. A refused value
// gets the note the window shows beside its field, and the window opens on its default for it.
#pragma once

#include "atlas/inputs.h"

#include <QString>
#include <QStringList>

namespace kz::atlas {

enum class View { Anzahl, Liste, Multiplikatoren, Graph };

struct Startup {
    Input input;
    View view = View::Anzahl;
    // Beside the fields: why a value given was refused (empty when it was taken).
    QString baseNote, lengthsNote, quotientNote;
    // Every refusal, each a line for standard error.
    QStringList messages;
    bool help = false;
    bool version = false;
};

// arguments[0] is the program.
Startup readCommandLine(const QStringList &arguments);
QString helpText();

} // namespace kz::atlas
