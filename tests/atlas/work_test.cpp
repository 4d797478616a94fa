// Long work in the atlas: cancelled by its button, replaced when an input changes, ended by
// closing; refused input leaves what is shown.
#include "atlasfixture.h"

#include "atlas/countmodel.h"
#include "atlas/countview.h"
#include "atlas/listmodel.h"
#include "atlas/listview.h"
#include "atlas/progresspanel.h"
#include "atlas/tablecopy.h"
#include "atlas/worker.h"
#include "kehrzahlen/kehrzahlen.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <new>
#include <optional>

namespace kz::atlas::test {
namespace {

// Counting base 10000 up to 1000 digits takes many seconds: long enough to act during it.
constexpr const char *kLongBase = "10000";
constexpr const char *kLongLengths = "1-1000";

std::string lastTotal(int base, std::uint64_t length)
{
    std::string total;
    kehr::countKehrzahlen(base, length, length, [&](const kehr::Count &c) {
        total = c.total.get_str();
        return true;
    });
    return total;
}

// Catches a cancel button that does not stop the work, a bar shown for no work, and Enter that
// cannot start again what was cancelled.
TEST_F(AtlasTest, CancelButtonStopsTheCountAndEnterStartsItAgain)
{
    open();
    ASSERT_TRUE(waitForCounts());
    CountView *view = window->countView();
    EXPECT_FALSE(view->progress()->isVisible()) << "40 lengths of base 10 are counted at once";
    type(window->lengthsField(), QString::fromLatin1(kLongLengths));
    type(window->baseField(), QString::fromLatin1(kLongBase));
    // The bar appears after half a second: the window has kept handling events meanwhile.
    ASSERT_TRUE(waitFor([&] { return view->progress()->isVisible(); }, 10000));
    ASSERT_TRUE(view->worker()->busy());
    QTest::mouseClick(view->progress()->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(view->worker()->busy());
    EXPECT_TRUE(view->status()->text().contains(QStringLiteral("abgebrochen")));
    EXPECT_FALSE(view->progress()->isVisible());
    const int rows = view->model()->rowCount();
    EXPECT_LT(rows, 1000);
    QTest::qWait(300);
    EXPECT_EQ(view->model()->rowCount(), rows) << "rows of the cancelled count still arrive";

    window->baseField()->setFocus();
    QTest::keyClick(window->baseField(), Qt::Key_Return);
    EXPECT_TRUE(view->worker()->busy()) << "Enter on the same values starts the count again";
    view->worker()->cancel();
}

// Catches results of replaced values arriving after the new ones: the table must end with exactly
// the rows of the last values typed, whatever the first two were still computing.
TEST_F(AtlasTest, ChangedInputReplacesStaleWork)
{
    open();
    type(window->lengthsField(), QString::fromLatin1(kLongLengths));
    type(window->baseField(), QString::fromLatin1(kLongBase));
    type(window->baseField(), QStringLiteral("9999"));
    type(window->baseField(), QStringLiteral("10"));
    ASSERT_TRUE(waitForCounts());
    QTest::qWait(300);
    const CountModel *model = window->countView()->model();
    EXPECT_EQ(model->base(), 10);
    ASSERT_EQ(model->rowCount(), 1000);
    EXPECT_EQ(
        model->index(999, CountModel::kTotalColumn).data(kWholeTextRole).toString().toStdString(),
        lastTotal(10, 1000));
}

struct Refusal {
    const char *field; // "basis" or "stellen"
    const char *typed;
    const char *note;
};

class RefusedInput : public AtlasTest, public testing::WithParamInterface<Refusal> {};

// Catches a refused value that clears or recomputes the table, a note that is missing or not the
// German text, and a note that stays once a good value is typed.
TEST_P(RefusedInput, NoteBesideTheFieldAndTheLastResultStays)
{
    const Refusal r = GetParam();
    open();
    ASSERT_TRUE(waitForCounts());
    const bool base = std::string(r.field) == "basis";
    QLineEdit *field = base ? window->baseField() : window->lengthsField();
    QLabel *note = base ? window->baseNote() : window->lengthsNote();
    const QString good = field->text();

    type(field, QString::fromUtf8(r.typed));
    EXPECT_EQ(note->text(), QString::fromUtf8(r.note));
    EXPECT_FALSE(window->countView()->worker()->busy());
    const CountModel *model = window->countView()->model();
    EXPECT_EQ(model->base(), 10);
    EXPECT_EQ(model->rowCount(), 40);
    EXPECT_EQ(
        model->index(39, CountModel::kTotalColumn).data(kWholeTextRole).toString().toStdString(),
        lastTotal(10, 40));

    type(field, good);
    EXPECT_EQ(note->text(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Atlas, RefusedInput,
    testing::Values(Refusal{"basis", "1", "Die Basis muß zwischen 2 und 10000 liegen"},
                    Refusal{"basis", "10001", "Die Basis muß zwischen 2 und 10000 liegen"},
                    Refusal{"basis", "zehn", "Bitte eine ganze Zahl eingeben"},
                    Refusal{"stellen", "0", "Die Stellenzahl muß zwischen 1 und 1000000 liegen"},
                    Refusal{"stellen", "5-3", "Im Bereich 5-3 ist der Anfang größer als das Ende"},
                    Refusal{"stellen", "3-",
                            "Bitte eine Stellenzahl D oder einen Bereich A-B eingeben, etwa 40 "
                            "oder 1-40"}));

// Catches a window that waits for its work when closed: counting and listing base 10000 up to
// 1000 digits take many seconds each, and closing must end both at once and join their threads.
TEST_F(AtlasTest, ClosingDuringWorkEndsIt)
{
    Startup startup;
    startup.input.base = 10000;
    startup.input.lengths = {1, 1000};
    open(startup);
    clickTab(View::Liste);
    ASSERT_TRUE(window->countView()->worker()->busy());
    ASSERT_TRUE(window->listView()->model()->worker()->busy());
    QTest::qWait(200);
    QElapsedTimer closing;
    closing.start();
    EXPECT_TRUE(window->close());
    window.reset();
    // A bound far below the work's own time, not a speed measurement.
    EXPECT_LT(closing.elapsed(), 2000);
}

// Catches work that throws (memory run out, a list refused) ending the whole program: the
// exception would leave its thread and call std::terminate.
TEST_F(AtlasTest, WorkThatThrowsEndsAsCancelled)
{
    Worker worker;
    std::optional<bool> completed;
    QObject::connect(&worker, &Worker::finished, [&](bool c) { completed = c; });
    worker.start([](Worker::Job &) { throw std::bad_alloc(); });
    ASSERT_TRUE(waitFor([&] { return completed.has_value(); }, 5000));
    EXPECT_FALSE(*completed);
}

} // namespace
} // namespace kz::atlas::test
