// What the atlas hands on: the saved list beside kehrzaehler-cli's own output, and the
// Multiplikatoren tree beside the library.
#include "atlasfixture.h"

#include "atlas/listmodel.h"
#include "atlas/listview.h"
#include "atlas/multiplierview.h"
#include "atlas/progresspanel.h"
#include "atlas/tablecopy.h"
#include "atlas/worker.h"
#include "kehrzahlen/kehrzahlen.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

namespace kz::atlas::test {
namespace {

QByteArray cliOutput(const QStringList &arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(KZ_CLI_PATH), arguments);
    EXPECT_TRUE(cli.waitForFinished(60000));
    return cli.readAllStandardOutput();
}

// Catches a saved list that differs from the command line's in any byte (entries, order, line
// ends, the closing "fertig"), and a cancelled save that leaves a partial file behind.
TEST_F(AtlasTest, SavedListIsTheCommandLinesAndACancelledSaveLeavesNoFile)
{
    QTemporaryDir dir;
    open();
    type(window->lengthsField(), QStringLiteral("1-18"));
    type(window->baseField(), QStringLiteral("12"));
    clickTab(View::Liste);
    ListView *list = window->listView();
    QSignalSpy ended(list, &ListView::saveEnded);
    const QString path = dir.filePath(QStringLiteral("liste.txt"));
    list->saveTo(path);
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_TRUE(ended.takeFirst().at(0).toBool());
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), cliOutput({QStringLiteral("--basis"), QStringLiteral("12"),
                                          QStringLiteral("--stellen"), QStringLiteral("1-18")}));

    // A million 60-digit Kehrzahlen take far longer than the half second before the bar shows.
    type(window->lengthsField(), QStringLiteral("60"));
    type(window->baseField(), QStringLiteral("10"));
    const QString big = dir.filePath(QStringLiteral("gross.txt"));
    list->saveTo(big);
    ASSERT_TRUE(waitFor([&] { return list->saveProgress()->isVisible(); }, 10000));
    QTest::mouseClick(list->saveProgress()->cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !list->saveWorker()->busy(); }, 5000));
    list->saveWorker()->cancelAndJoin();
    EXPECT_FALSE(QFile::exists(big));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("liste.txt")});
}

// Catches bases missing or out of order, quotients under the wrong base, and a shortest length
// or smallest Kehrzahl that is not the library's.
TEST_F(AtlasTest, MultiplierTreeIsTheLibrarys)
{
    open();
    clickTab(View::Multiplikatoren);
    MultiplierView *view = window->multiplierView();
    type(view->basesField(), QStringLiteral("2-40"));
    ASSERT_TRUE(
        waitFor([&] { return !view->worker()->busy() && view->model()->rowCount() == 39; }));
    const QStandardItemModel *tree = view->model();
    for (int base = 2; base <= 40; ++base) {
        const QStandardItem *top = tree->item(base - 2);
        ASSERT_EQ(top->text(), QString::number(base));
        const std::vector<kehr::Multiplier> found = kehr::kehrmultiplikatoren(base);
        ASSERT_EQ(top->rowCount(), int(found.size())) << base;
        for (int i = 0; i < top->rowCount(); ++i) {
            const kehr::Multiplier &m = found[std::size_t(i)];
            const auto smallest = kehr::smallestKehrzahl(base, m.quotient);
            const kehr::Values v = kehr::valuesOf(base, {*smallest, m.quotient});
            EXPECT_EQ(top->child(i, 0)->text(), QStringLiteral("Q = %1").arg(m.quotient));
            EXPECT_EQ(top->child(i, 1)->text(), QString::number(m.shortestLength)) << base;
            EXPECT_EQ(top->child(i, 2)->data(kWholeTextRole).toString().toStdString(),
                      v.n.get_str())
                << base << ' ' << m.quotient;
            EXPECT_EQ(top->child(i, 3)->data(kWholeTextRole).toString().toStdString(),
                      v.m.get_str())
                << base << ' ' << m.quotient;
            // The shortest length is the length of the smallest Kehrzahl.
            EXPECT_EQ(smallest->size(), m.shortestLength) << base << ' ' << m.quotient;
        }
    }
}

} // namespace
} // namespace kz::atlas::test
