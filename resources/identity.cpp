#include "resources/identity.h"

#include "resources/pictures.h"

#include <QGuiApplication>

namespace kz {

void applyIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Kehrzähler"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KZ_VERSION_TEXT));
    QCoreApplication::setOrganizationName(QStringLiteral("Auental"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    // Icons need a running QGuiApplication; a plain core application keeps only the names.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::setWindowIcon(programIcon());
}

} // namespace kz
