// The font of both windows' captions. fontconfig's default sans-serif can be a monospace font on a
// minimal system, which cuts captions such as "nicht S/Q"; so the programs name proportional
// families themselves, for the menu bar, buttons, check boxes and message boxes alike.
#pragma once

#include <QApplication>
#include <QFont>
#include <QWidget>

namespace kz {

// Sets the application font and hands parent on, for a window's constructor to call before its
// first widget is made: a widget that exists already keeps its old font until events next run.
inline QWidget *withCaptionFont(QWidget *parent)
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
    return parent;
}

} // namespace kz
