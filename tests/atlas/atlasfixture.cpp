#include "atlasfixture.h"

#include "atlas/countmodel.h"
#include "atlas/countview.h"
#include "atlas/graphview.h"
#include "atlas/listmodel.h"
#include "atlas/listview.h"
#include "atlas/worker.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace kz::atlas::test {

void AtlasTest::SetUp() {}

void AtlasTest::TearDown()
{
    window.reset();
    // No message box may ever have opened: refusals are notes beside the fields.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

AtlasWindow &AtlasTest::open(const Startup &startup)
{
    window = std::make_unique<AtlasWindow>(startup);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
}

void AtlasTest::type(QWidget *field, const QString &text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

void AtlasTest::clickTab(View view)
{
    QTabBar *bar = window->tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(int(view)).center());
    EXPECT_EQ(window->tabs()->currentIndex(), int(view));
}

void AtlasTest::clickListRow(int row)
{
    QTableView *table = window->listView()->table();
    const QModelIndex index = table->model()->index(row, ListModel::N);
    table->scrollTo(index);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
}

bool AtlasTest::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    return QTest::qWaitFor(done, timeoutMs);
}

bool AtlasTest::waitForCounts()
{
    CountView *view = window->countView();
    return waitFor([&] {
        const Range lengths = window->input().lengths;
        return !view->worker()->busy() && view->model()->base() == window->input().base &&
               view->model()->rowCount() == int(lengths.last - lengths.first + 1);
    });
}

bool AtlasTest::waitForWholeList()
{
    ListModel *model = window->listView()->model();
    QTableView *table = window->listView()->table();
    return waitFor([&] {
        if (model->atEnd() && !model->fetching())
            return true;
        table->scrollToBottom(); // the view asks for more rows as a user scrolling down would
        return false;
    });
}

bool AtlasTest::waitForGraph()
{
    GraphView *graph = window->graphView();
    return waitFor([&] { return !graph->worker()->busy() && graph->base() != 0; });
}

} // namespace kz::atlas::test
