// The program as main runs it: a real event loop that the user's quit ends, and the one line a
// user without a display gets.
#include "window/form1.h"
#include "window/program.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kz::test {
namespace {

TEST(WindowProgram, QuitEndsTheEventLoop)
{
    const struct {
        const char *how;
        std::function<void(Form1 &)> quit;
    } ways[] = {
        {"menu",
         [](Form1 &form) {
             QMenuBar *bar = form.menuBar();
             QTest::mouseClick(bar, Qt::LeftButton, {},
                               bar->actionGeometry(form.controls().cmdEnde).center());
         }},
        {"close box", [](Form1 &form) { form.close(); }},
    };
    for (const auto &way : ways) {
        Form1 form;
        // Quits the way the user would, once the window is up and the event loop runs.
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, &form, [&] {
            if (form.isVisible() && QThread::currentThread()->loopLevel() > 0) {
                user.stop();
                way.quit(form);
            }
        });
        user.start(10);
        bool hung = false;
        QTimer::singleShot(5000, &form, [&] {
            hung = true;
            QCoreApplication::exit(99);
        });
        const int exitCode = runProgram(form);
        EXPECT_FALSE(hung) << way.how << ": the event loop went on after the quit";
        EXPECT_EQ(exitCode, 0) << way.how;
        EXPECT_TRUE(form.hasEnded()) << way.how;
        EXPECT_FALSE(form.isVisible()) << way.how;
        EXPECT_TRUE(form.controls().txtErgebnis->toPlainText().endsWith(QStringLiteral("fertig")))
            << way.how << ": the start-up search ran first";
    }
}

TEST(WindowProgram, WithoutADisplayItSaysHowToStartItTheWayItWasStarted)
{
    const QFileInfo program(QStringLiteral(KZ_PROGRAM_PATH));
    const QString startedAs = program.dir().dirName() + QLatin1Char('/') + program.fileName();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(program.dir().absoluteFilePath(QStringLiteral("..")));
    // Qt's own options are no command line to this program: this one would give it a display.
    process.start(startedAs, {QStringLiteral("-platform"), QStringLiteral("offscreen")});
    ASSERT_TRUE(process.waitForStarted()) << startedAs.toStdString();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        FAIL() << "it opened a window";
    }
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
              "kehrzaehler: keine grafische Anzeige erreichbar (DISPLAY prüfen); ohne Bildschirm "
              "so starten: xvfb-run " +
                  startedAs + "\n");
}

} // namespace
} // namespace kz::test
