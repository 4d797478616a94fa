// An input field as the atlas lays it out: a caption, the field, and beside it the German note
// that says why a value was refused (empty while the value is good).
#pragma once

#include <QString>

class QBoxLayout;
class QLabel;
class QWidget;

namespace kz::atlas {

// Sets the field's and the note's accessible names and tool tips from caption and help, and
// returns the row holding caption, field and note.
QBoxLayout *notedField(const QString &caption, QWidget *field, QLabel *note, const QString &help,
                       QWidget *parent);

} // namespace kz::atlas
