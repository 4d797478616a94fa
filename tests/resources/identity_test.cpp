// Names the program gives itself, and that they agree with the desktop and Windows files.
#include "resources/identity.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <gtest/gtest.h>

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

const QString kResources = QStringLiteral(KZ_RESOURCES_DIR);
const QString kGenerated = QStringLiteral(KZ_GENERATED_RESOURCES);

TEST(Identity, ApplyIdentitySetsNamesVersionAndIcon)
{
    kz::applyIdentity();
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Kehrzähler"));
    EXPECT_EQ(QCoreApplication::applicationVersion(), QStringLiteral("1.00"));
    EXPECT_EQ(QCoreApplication::organizationName(), QStringLiteral("Auental"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("de.auental.kehrzaehler"));
    const QIcon icon = QGuiApplication::windowIcon();
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
}

TEST(Identity, DesktopEntryMatchesTheProgram)
{
    const QString id = QString::fromLatin1(kz::kDesktopFileName);
    const QString entry = readText(kResources + "/desktop/" + id + ".desktop");
    ASSERT_FALSE(entry.isEmpty());
    EXPECT_TRUE(entry.contains(QStringLiteral("\nName=Kehrzähler\n")));
    EXPECT_TRUE(entry.contains("\nIcon=" + id + "\n"));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=kehrzaehler\n")));
    for (const char *size : {"16x16", "32x32"})
        EXPECT_TRUE(QFile::exists(kResources + "/desktop/hicolor/" + size + "/apps/" + id + ".png"))
            << size;
}

TEST(Identity, MetainfoMatchesTheProgram)
{
    const QString id = QString::fromLatin1(kz::kDesktopFileName);
    const QString info = readText(kGenerated + "/" + id + ".metainfo.xml");
    ASSERT_FALSE(info.isEmpty());
    EXPECT_TRUE(info.contains("<id>" + id + "</id>"));
    EXPECT_TRUE(info.contains("<launchable type=\"desktop-id\">" + id + ".desktop</launchable>"));
    EXPECT_TRUE(info.contains("<icon type=\"stock\">" + id + "</icon>"));
    EXPECT_TRUE(info.contains(QStringLiteral("<release version=\"1.00\"")));
}

TEST(Identity, WindowsVersionRecordMatchesTheProgram)
{
    const QString rc = readText(kGenerated + "/kehrzaehler.rc");
    ASSERT_FALSE(rc.isEmpty());
    EXPECT_TRUE(rc.contains(QStringLiteral("#pragma code_page(65001)")));
    EXPECT_TRUE(rc.contains(QStringLiteral("FILEVERSION 1,00,0,0")));
    EXPECT_TRUE(rc.contains(QStringLiteral("VALUE \"FileVersion\", \"1.00\"")));
    EXPECT_TRUE(rc.contains(QStringLiteral("VALUE \"ProductVersion\", \"1.00\"")));
    EXPECT_TRUE(rc.contains(QStringLiteral("VALUE \"ProductName\", \"Kehrzähler\"")));
    EXPECT_TRUE(rc.contains(QStringLiteral("VALUE \"OriginalFilename\", \"Kehrzähler.exe\"")));
    EXPECT_TRUE(rc.contains(QStringLiteral("BLOCK \"040704B0\"")));
    EXPECT_TRUE(rc.contains(QStringLiteral("VALUE \"Translation\", 0x407, 0x4B0")));
    EXPECT_TRUE(QFile::exists(kResources + "/icons/kehrzaehler.ico"));
}

} // namespace
