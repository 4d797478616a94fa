// A freshly loaded and shown Form1 for each window test, with helpers to read the list and to
// answer message boxes. A message box that no test expects fails the test and is closed, so the
// test goes on instead of waiting for a click that never comes.
#pragma once

#include "window/form1.h"

#include <QMessageBox>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace kz::test {

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    const QWidget *parent = nullptr;
    bool seen = false;
};

// Lets every window test fail on a message box it did not ask for; called once, after the
// QApplication is made.
void watchMessageBoxes();

class WindowTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    Form1 &form() { return *m_form; }
    const Controls &ui() { return m_form->controls(); }

    // The result list as the engine reads it, CR LF between lines.
    std::string list();
    void click(QWidget *button);
    void clickMenu(QAction *command);
    // Steps the upper bound to 10^8, so that a search runs long enough to be interrupted.
    void widenToFullRange();

    // Runs action at the next event processing, which during a search is its next due yield.
    // Bound to the form: what has not run when the test ends is dropped with it.
    void soon(std::function<void()> action);

    // Records the next message box and closes it with its OK button.
    static std::shared_ptr<SeenBox> answerNextMessageBox();

  private:
    std::unique_ptr<Form1> m_form;
};

} // namespace kz::test
