// The Graph view as a user meets it: tool tips under the pointer, and the DOT file it saves.
#include "atlasfixture.h"

#include "atlas/graphscene.h"
#include "atlas/graphview.h"
#include "atlas/worker.h"
#include "atlas/zoomview.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

namespace kz::atlas::test {
namespace {

// The tool tip shown after resting the pointer on scene point at.
QString toolTipAt(ZoomView *view, QPointF at)
{
    QToolTip::hideText();
    (void)QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000); // hiding takes a moment
    const QPoint pixel = view->mapFromScene(at);
    QTest::mouseMove(view->viewport(), pixel + QPoint(1, 0));
    QTest::mouseMove(view->viewport(), pixel);
    (void)QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000);
    return QToolTip::text();
}

// Catches tool tips that name states and digit pairs alike, or none at all: the pointer on the
// state [3,3] shows its carry pair, on the edge from the start the pair 8→2.
TEST_F(AtlasTest, HoverNamesStatesByCarriesAndEdgesByDigits)
{
    Startup startup;
    startup.view = View::Graph;
    open(startup);
    ASSERT_TRUE(waitForGraph());
    GraphView *graph = window->graphView();
    const GraphScene &scene = *graph->scene();
    const int state = scene.nodeOf({3, 3});
    ASSERT_GT(state, 0);
    const QString stateTip = toolTipAt(graph->view(), scene.states()[std::size_t(state)]->pos());
    EXPECT_TRUE(stateTip.contains(QStringLiteral("[3,3]"))) << stateTip.toStdString();
    EXPECT_FALSE(stateTip.contains(QStringLiteral("→"))) << stateTip.toStdString();

    const EdgeItem *first = scene.edgeBetween(0, scene.nodeOf({3, 0}));
    ASSERT_NE(first, nullptr);
    // A point on the edge or its label, away from the states at its ends: of a grid over its
    // bounds, the point its shape holds nearest the middle.
    const QRectF bounds = first->boundingRect();
    QPointF on;
    double nearest = 1e9;
    for (double y = bounds.top(); y < bounds.bottom(); y += 2) {
        for (double x = bounds.left(); x < bounds.right(); x += 2) {
            const double d = QLineF(bounds.center(), {x, y}).length();
            if (first->shape().contains({x, y}) && d < nearest) {
                nearest = d;
                on = {x, y};
            }
        }
    }
    ASSERT_FALSE(on.isNull());
    const QString edgeTip = toolTipAt(graph->view(), on);
    EXPECT_TRUE(edgeTip.contains(QStringLiteral("8→2"))) << edgeTip.toStdString();
    EXPECT_FALSE(edgeTip.contains(QStringLiteral("[3,0]"))) << edgeTip.toStdString();
}

// Catches a DOT file from the window that is not what `kehrzaehler-cli --graph` writes.
TEST_F(AtlasTest, SavedDotIsTheCommandLinesGraph)
{
    QTemporaryDir dir;
    Startup startup;
    startup.view = View::Graph;
    open(startup);
    ASSERT_TRUE(waitForGraph());
    QSignalSpy saved(window->graphView(), &GraphView::dotSaved);
    const QString path = dir.filePath(QStringLiteral("graph.dot"));
    window->graphView()->saveDotTo(path);
    ASSERT_TRUE(saved.wait(30000));
    EXPECT_TRUE(saved.takeFirst().at(0).toBool());
    QFile dot(path);
    ASSERT_TRUE(dot.open(QIODevice::ReadOnly));
    QProcess cli;
    cli.start(QStringLiteral(KZ_CLI_PATH), {QStringLiteral("--graph"), QStringLiteral("4"),
                                            QStringLiteral("--basis"), QStringLiteral("10")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(dot.readAll(), cli.readAllStandardOutput());
}

} // namespace
} // namespace kz::atlas::test
