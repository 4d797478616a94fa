#include "atlas/identity.h"

#include <QGuiApplication>

namespace kz::atlas {

const char *versionText()
{
    return KZ_VERSION_TEXT;
}

QIcon atlasIcon()
{
    QIcon icon;
    for (const char *size : {"16x16", "32x32", "64x64", "128x128"})
        icon.addFile(QStringLiteral(":/atlas/%1/apps/%2.png")
                         .arg(QString::fromLatin1(size), QString::fromLatin1(kAtlasDesktopId)));
    return icon;
}

void applyAtlasIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Kehrzahl-Atlas"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(versionText()));
    QCoreApplication::setOrganizationName(QStringLiteral("Auental"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAtlasDesktopId));
    QGuiApplication::setWindowIcon(atlasIcon());
}

} // namespace kz::atlas
