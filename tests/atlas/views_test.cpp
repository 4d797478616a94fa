// The Anzahl table, the Liste and the walk in the graph, read from the real widgets and checked
// against the library and against the carries worked out digit by digit.
#include "atlasfixture.h"

#include "atlas/countmodel.h"
#include "atlas/countview.h"
#include "atlas/graphscene.h"
#include "atlas/graphview.h"
#include "atlas/listmodel.h"
#include "atlas/listview.h"
#include "atlas/tablecopy.h"
#include "atlas/worker.h"
#include "kehrzahlen/kehrzahlen.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <set>

namespace kz::atlas::test {
namespace {

std::string digitsText(std::span<const std::int32_t> digits)
{
    std::string text;
    for (std::size_t i = digits.size(); i-- > 0;)
        text += std::to_string(digits[i]) + (i ? " " : "");
    return text;
}

QString cell(const QAbstractItemModel *model, int row, int column)
{
    return model->index(row, column).data(kWholeTextRole).toString();
}

struct Values {
    int base;
    const char *lengths;
};

class Tables : public AtlasTest, public testing::WithParamInterface<Values> {};

// Catches cells under the wrong Q, rows lost or doubled between fetched pages, digits of bases
// above 256 cut to a byte, and m or the digit sequences written from the wrong end.
TEST_P(Tables, CountsAndListRowsAreTheLibrarys)
{
    const auto [base, lengthsText] = GetParam();
    open();
    type(window->lengthsField(), QString::fromLatin1(lengthsText));
    type(window->baseField(), QString::number(base));
    ASSERT_TRUE(waitForCounts());
    const Range lengths = window->input().lengths;

    const CountModel *counts = window->countView()->model();
    std::vector<int> quotients;
    for (const kehr::Multiplier &m : kehr::kehrmultiplikatoren(base))
        quotients.push_back(m.quotient);
    EXPECT_EQ(counts->quotients(), quotients);
    int row = 0;
    kehr::countKehrzahlen(base, lengths.first, lengths.last, [&](const kehr::Count &c) {
        EXPECT_EQ(cell(counts, row, CountModel::kLengthColumn), QString::number(c.length));
        EXPECT_EQ(cell(counts, row, CountModel::kTotalColumn).toStdString(), c.total.get_str());
        for (std::size_t i = 0; i < quotients.size(); ++i) {
            mpz_class expected = 0;
            for (const auto &[q, n] : c.perQuotient)
                expected = q == quotients[i] ? n : expected;
            EXPECT_EQ(cell(counts, row, CountModel::kFirstQuotientColumn + int(i)).toStdString(),
                      expected.get_str())
                << "D = " << c.length << ", Q = " << quotients[i];
        }
        ++row;
        return true;
    });
    EXPECT_EQ(counts->rowCount(), row);

    clickTab(View::Liste);
    ASSERT_TRUE(waitForWholeList());
    const ListModel *list = window->listView()->model();
    row = 0;
    kehr::listKehrzahlen(base, lengths.first, lengths.last, [&](const kehr::Kehrzahl &k) {
        const kehr::Values v = kehr::valuesOf(base, k);
        std::vector<std::int32_t> backwards(k.digits.rbegin(), k.digits.rend());
        EXPECT_EQ(cell(list, row, ListModel::N).toStdString(), v.n.get_str()) << row;
        EXPECT_EQ(cell(list, row, ListModel::M).toStdString(), v.m.get_str()) << row;
        EXPECT_EQ(cell(list, row, ListModel::Q), QString::number(k.quotient)) << row;
        EXPECT_EQ(cell(list, row, ListModel::NDigits).toStdString(), digitsText(k.digits)) << row;
        EXPECT_EQ(cell(list, row, ListModel::MDigits).toStdString(), digitsText(backwards)) << row;
        ++row;
        return true;
    });
    EXPECT_EQ(list->rowCount(), row);
}

INSTANTIATE_TEST_SUITE_P(Atlas, Tables,
                         testing::Values(Values{10, "1-24"}, // 2 Q, 300 rows over several pages
                                         Values{300, "1-8"}  // 30 Q, digits beyond a byte
                                         ));

// Catches a long count copied or shown in its tool tip as shortened as in its cell: the 105-digit
// count of 1000 digits in base 10.
TEST_F(AtlasTest, LongCountIsShortInItsCellAndWholeInToolTipAndCopy)
{
    open();
    type(window->lengthsField(), QStringLiteral("1000"));
    ASSERT_TRUE(waitForCounts());
    std::string whole;
    kehr::countKehrzahlen(10, 1000, 1000, [&](const kehr::Count &c) {
        whole = c.total.get_str();
        return true;
    });
    ASSERT_GT(whole.size(), 100u);
    QTableView *table = window->countView()->table();
    const QModelIndex total = table->model()->index(0, CountModel::kTotalColumn);
    const QString shown = total.data(Qt::DisplayRole).toString();
    EXPECT_LT(shown.size(), 60);
    EXPECT_TRUE(shown.startsWith(QString::fromStdString(whole.substr(0, 10))));
    EXPECT_TRUE(total.data(Qt::ToolTipRole)
                    .toString()
                    .remove(QChar(u'\n'))
                    .endsWith(QString::fromStdString(whole)));

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(total).center());
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), whole + "\n");
}

// The walk of n worked out from its digits as the carries run, without the library: the
// states it reaches and the edges (node numbers of the scene, 0 the start) it takes.
struct ExpectedWalk {
    std::set<int> states;
    std::set<std::pair<int, int>> edges;
};
ExpectedWalk walkByCarries(const GraphScene &scene, int base, const ListedKehrzahl &k)
{
    // m = n backwards: m's digit b(i) is n's digit D-1-i.
    const std::size_t d = k.digits.size();
    const int q = k.quotient;
    ExpectedWalk walk{{0}, {}};
    int low = 0, high = 0, at = 0;
    for (std::size_t i = 0; i < d / 2; ++i) {
        const int x = k.digits[d - 1 - i], y = k.digits[i];
        EXPECT_EQ((q * x + low) % base, y);
        low = (q * x + low) / base;
        high = base * high + x - q * y;
        const int next = scene.nodeOf({low, high});
        EXPECT_GE(next, 1) << "[" << low << "," << high << "] is not drawn";
        walk.edges.insert({at, next});
        walk.states.insert(next);
        at = next;
    }
    return walk;
}

// Catches a walk drawn through the wrong states or edges, a highlight left over from the row
// chosen before, and a row of another Q shown on the graph of the Q before.
TEST_F(AtlasTest, SelectedRowHighlightsExactlyTheEdgesOfItsWalk)
{
    open();
    type(window->lengthsField(), QStringLiteral("4-12"));
    clickTab(View::Liste);
    ASSERT_TRUE(waitForWholeList());
    const ListModel *list = window->listView()->model();
    for (const char *n : {"87128712", "9801", "8799999912", "87912", "98019801", "8712"}) {
        int row = 0;
        while (row < list->rowCount() && cell(list, row, ListModel::N) != QLatin1String(n))
            ++row;
        ASSERT_LT(row, list->rowCount()) << n;
        clickListRow(row);
        const ListedKehrzahl k = list->kehrzahlAt(row);
        GraphView *graph = window->graphView();
        ASSERT_TRUE(waitFor([&] {
            return !graph->worker()->busy() && graph->scene() &&
                   graph->scene()->quotient() == k.quotient && !graph->walkText()->text().isEmpty();
        })) << n;
        const GraphScene &scene = *graph->scene();
        const ExpectedWalk expected = walkByCarries(scene, 10, k);

        std::set<std::pair<int, int>> lit;
        for (const EdgeItem *e : scene.edges()) {
            if (e->highlighted())
                lit.insert({e->from(), e->to()});
        }
        EXPECT_EQ(lit, expected.edges) << n;
        std::set<int> litStates;
        for (std::size_t s = 1; s < scene.states().size(); ++s) {
            if (scene.states()[s]->highlighted())
                litStates.insert(int(s));
        }
        std::set<int> expectedStates = expected.states;
        expectedStates.erase(0);
        EXPECT_EQ(litStates, expectedStates) << n;
    }
}

} // namespace
} // namespace kz::atlas::test
