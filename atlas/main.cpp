// kehrzahl-atlas: the Kehrzahl-Atlas window, opened on the values of its command line.
#include "atlas/atlaswindow.h"
#include "atlas/commandline.h"
#include "atlas/identity.h"

#include <QApplication>

#include <cstdio>
#include <unistd.h>

namespace {

bool g_starting = true;

// Without a display Qt would print a page and abort; the user gets one line instead.
void startupMessages(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type != QtFatalMsg || !g_starting)
        return;
    std::fputs("kehrzahl-atlas: keine grafische Anzeige erreichbar (DISPLAY prüfen); ohne "
               "Bildschirm so starten: xvfb-run kehrzahl-atlas\n",
               stderr);
    _exit(1);
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const kz::atlas::Startup startup = kz::atlas::readCommandLine(arguments);
    if (startup.help) {
        std::fputs(kz::atlas::helpText().toUtf8().constData(), stdout);
        return 0;
    }
    if (startup.version) {
        std::printf("Kehrzahl-Atlas %s\n", kz::atlas::versionText());
        return 0;
    }
    for (const QString &message : startup.messages)
        std::fprintf(stderr, "kehrzahl-atlas: %s\n", message.toUtf8().constData());

    // Qt reads no options of its own here: the command line is the atlas's.
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};
    const QtMessageHandler previous = qInstallMessageHandler(startupMessages);
    QApplication app(qtArgc, qtArgv);
    g_starting = false;
    qInstallMessageHandler(previous);
    kz::atlas::applyAtlasIdentity();

    kz::atlas::AtlasWindow window(startup);
    window.show();
    return QApplication::exec();
}
