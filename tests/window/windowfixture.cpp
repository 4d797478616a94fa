#include "windowfixture.h"

#include "window/qtwindowoperations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>

namespace kz::test {

namespace {

// Sees every message box as it is shown: answers it for the test that asked, or fails the test.
class MessageBoxWatcher : public QObject {
  public:
    std::deque<std::shared_ptr<SeenBox>> expected;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            if (expected.empty()) {
                ADD_FAILURE() << "unexpected message box: " << box->text().toStdString();
            } else {
                SeenBox &seen = *expected.front();
                expected.pop_front();
                seen.seen = true;
                seen.title = box->windowTitle();
                seen.text = box->text();
                seen.icon = box->icon();
                seen.buttons = static_cast<int>(box->buttons().size());
                seen.parent = box->parentWidget();
            }
            // Closed from its own event loop, which starts after it is shown.
            QTimer::singleShot(0, box, [box] {
                if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                    ok->click();
                else
                    box->reject();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

MessageBoxWatcher *g_watcher = nullptr;

} // namespace

void WindowTest::SetUp()
{
    m_form = std::make_unique<Form1>();
    m_form->Form_Load();
    m_form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    // Qt drops a move to where the mouse already is; start each test from a spot no test uses.
    QTest::mouseMove(m_form->menuBar(), {1, 1});
}

void WindowTest::TearDown()
{
    m_form.reset();
    if (g_watcher) {
        EXPECT_TRUE(g_watcher->expected.empty()) << "an expected message box did not come";
        g_watcher->expected.clear();
    }
}

std::string WindowTest::list()
{
    return QtWindowOperations::toEngineText(ui().txtErgebnis->document()->toRawText())
        .toStdString();
}

void WindowTest::click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowTest::clickMenu(QAction *command)
{
    QMenuBar *bar = m_form->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(command).center());
}

void WindowTest::widenToFullRange()
{
    for (int k = 0; k < 3; ++k)
        click(ui().Command8);
    ASSERT_EQ(ui().txtnn->text(), QStringLiteral(" 100000000"));
}

void WindowTest::soon(std::function<void()> action)
{
    QTimer::singleShot(0, m_form.get(), std::move(action));
}

void watchMessageBoxes()
{
    g_watcher = new MessageBoxWatcher;
    g_watcher->setParent(qApp);
    qApp->installEventFilter(g_watcher);
}

std::shared_ptr<SeenBox> WindowTest::answerNextMessageBox()
{
    auto seen = std::make_shared<SeenBox>();
    if (g_watcher)
        g_watcher->expected.push_back(seen);
    return seen;
}

} // namespace kz::test
