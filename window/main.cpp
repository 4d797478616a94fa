// kehrzaehler: opens Form1 after the search over the default range has run. Takes no command line.
#include "resources/identity.h"
#include "window/form1.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

bool g_starting = true;

// While the window system is being reached, Qt's own complaints would be a page of text and an
// abort; a user without a display gets one line instead.
void startupMessages(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type != QtFatalMsg || !g_starting)
        return;
    std::fputs("kehrzaehler: keine grafische Anzeige erreichbar (DISPLAY prüfen); ohne Bildschirm "
               "so starten: xvfb-run kehrzaehler\n",
               stderr);
    _exit(1);
}

} // namespace

int main(int argc, char **argv)
{
    // The program reads no command line, Qt's own options included.
    int qtArgc = argc > 0 ? 1 : 0;
    char *qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};

    const QtMessageHandler previous = qInstallMessageHandler(startupMessages);
    QApplication app(qtArgc, qtArgv);
    g_starting = false;
    qInstallMessageHandler(previous);
    kz::applyIdentity();

    kz::Form1 form;
    QObject::connect(&form, &kz::Form1::programEnded, &app, &QCoreApplication::quit);
    form.Form_Load();
    if (form.hasEnded())
        return 0;
    form.show();
    return app.exec();
}
