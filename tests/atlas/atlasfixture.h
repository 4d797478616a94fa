// Drives a real AtlasWindow the way a user does: typing into its fields, clicking tabs, rows and
// buttons, and waiting for the work that follows.
#pragma once

#include "atlas/atlaswindow.h"

#include <gtest/gtest.h>

#include <QString>

#include <functional>
#include <memory>

namespace kz::atlas::test {

class AtlasTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A window opened on startup, shown.
    AtlasWindow &open(const Startup &startup = {});
    // Replaces the text of field by typing, then presses Enter.
    static void type(QWidget *field, const QString &text);
    void clickTab(View view);
    // Clicks the row of the Liste (scrolling it into view first).
    void clickListRow(int row);
    // Waits until done holds, at most timeoutMs; false when it never did.
    static bool waitFor(const std::function<bool()> &done, int timeoutMs = 60000);
    // Waits until the Anzahl view has every row of its values, or the Liste is fetched to its end.
    bool waitForCounts();
    bool waitForWholeList();
    bool waitForGraph();

    std::unique_ptr<AtlasWindow> window;
};

} // namespace kz::atlas::test
