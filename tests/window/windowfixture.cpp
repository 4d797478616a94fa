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

namespace kz::test {

void WindowTest::SetUp()
{
    m_form = std::make_unique<Form1>();
    m_form->Form_Load();
    m_form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
}

void WindowTest::TearDown()
{
    m_form.reset();
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

std::shared_ptr<WindowTest::SeenBox> WindowTest::answerNextMessageBox()
{
    auto seen = std::make_shared<SeenBox>();
    auto *poll = new QTimer(qApp);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, qApp, [seen, poll] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll->stop();
        poll->deleteLater();
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->buttons = static_cast<int>(box->buttons().size());
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
    });
    poll->start();
    return seen;
}

} // namespace kz::test
