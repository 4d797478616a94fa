// kehrzaehler: opens Form1 after the search over the default range has run. Takes no command line.
#include "resources/identity.h"
#include "window/form1.h"
#include "window/program.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

bool g_starting = true;
std::string g_startedAs = "kehrzaehler";

// The path as the shell needs it typed: quoted when it holds a blank or another special character.
std::string shellWord(const std::string &text)
{
    if (text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                               "/._-+") == std::string::npos)
        return text;
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// While the window system is being reached, Qt's own complaints would be a page of text and an
// abort; a user without a display gets one line instead, naming the program the way it was
// started, so that the suggested command also works from a build tree.
void startupMessages(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type != QtFatalMsg || !g_starting)
        return;
    std::fprintf(stderr,
                 "kehrzaehler: keine grafische Anzeige erreichbar (DISPLAY prüfen); ohne "
                 "Bildschirm so starten: xvfb-run %s\n",
                 g_startedAs.c_str());
    _exit(1);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 0 && argv[0] && *argv[0])
        g_startedAs = shellWord(argv[0]);
    // The program reads no command line, Qt's own options included.
    int qtArgc = argc > 0 ? 1 : 0;
    char *qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};

    const QtMessageHandler previous = qInstallMessageHandler(startupMessages);
    QApplication app(qtArgc, qtArgv);
    g_starting = false;
    qInstallMessageHandler(previous);
    kz::applyIdentity();

    kz::Form1 form;
    return kz::runProgram(form);
}
