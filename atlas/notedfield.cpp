#include "atlas/notedfield.h"

#include <QHBoxLayout>
#include <QLabel>

namespace kz::atlas {

QBoxLayout *notedField(const QString &caption, QWidget *field, QLabel *note, const QString &help,
                       QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(field);
    QString name = caption;
    name.remove(QChar(u':'));
    field->setAccessibleName(name);
    field->setToolTip(help);
    note->setAccessibleName(name + QStringLiteral(": Hinweis"));
    note->setToolTip(QStringLiteral("Warum die Eingabe nicht genommen wurde"));
    note->setStyleSheet(QStringLiteral("color: #b00000;"));
    note->setMinimumWidth(40);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(field);
    row->addWidget(note, 1);
    return row;
}

} // namespace kz::atlas
