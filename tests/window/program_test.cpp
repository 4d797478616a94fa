// The program as main runs it: a real event loop that the user's quit ends, and the one line a
// user without a display gets.
#include "window/form1.h"
#include "window/program.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
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

// What the shell makes of word: its words, each followed by a line end.
QString shellWords(const QString &word)
{
    QProcess shell;
    shell.start(QStringLiteral("sh"),
                {QStringLiteral("-c"), QStringLiteral("printf '%s\\n' ") + word});
    shell.waitForFinished();
    return QString::fromUtf8(shell.readAllStandardOutput());
}

// The hint names the program as it was started, in a form the shell reads back as one word.
TEST(WindowProgram, WithoutADisplayItSaysHowToStartItTheWayItWasStarted)
{
    const QFileInfo program(QStringLiteral(KZ_PROGRAM_PATH));
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const struct {
        const char *name;
        QString folder; // holds a link to the program unless it is the build's own folder
        QString startedAs;
        QString workingDirectory;
    } rows[] = {
        {"relative to the build folder", program.absolutePath(),
         program.dir().dirName() + QLatin1Char('/') + program.fileName(),
         program.dir().absoluteFilePath(QStringLiteral(".."))},
        // Caught fault: the path written unquoted, which the shell splits at the blank.
        {"a folder with a blank", temporary.filePath(QStringLiteral("mit Leerzeichen")),
         temporary.filePath(QStringLiteral("mit Leerzeichen/kehrzaehler")), temporary.path()},
        // Caught fault: a quote inside single quotes, which ends them early.
        {"a folder with a quote", temporary.filePath(QStringLiteral("Donald's Sachen")),
         QStringLiteral("Donald's Sachen/kehrzaehler"), temporary.path()},
    };
    const QString hint = QStringLiteral("kehrzaehler: keine grafische Anzeige erreichbar (DISPLAY "
                                        "prüfen); ohne Bildschirm so starten: xvfb-run ");
    for (const auto &row : rows) {
        if (row.folder != program.absolutePath()) {
            ASSERT_TRUE(QDir().mkpath(row.folder)) << row.name;
            ASSERT_TRUE(QFile::link(program.absoluteFilePath(),
                                    row.folder + QStringLiteral("/kehrzaehler")))
                << row.name;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(row.workingDirectory);
        // Qt's own options are no command line to this program: this one would give it a display.
        process.start(row.startedAs, {QStringLiteral("-platform"), QStringLiteral("offscreen")});
        ASSERT_TRUE(process.waitForStarted()) << row.name;
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished();
            FAIL() << row.name << ": it opened a window";
        }
        EXPECT_EQ(process.exitCode(), 1) << row.name;
        const QString message = QString::fromUtf8(process.readAllStandardError());
        ASSERT_TRUE(message.startsWith(hint) && message.endsWith(QLatin1Char('\n')))
            << row.name << ": " << message.toStdString();
        const QString word = message.mid(hint.size()).chopped(1);
        EXPECT_EQ(shellWords(word).toStdString(), row.startedAs.toStdString() + '\n')
            << row.name << ": " << word.toStdString();
    }
}

} // namespace
} // namespace kz::test
