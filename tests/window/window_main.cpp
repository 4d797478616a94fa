// One QApplication for all window tests; listing the tests needs no window system.
#include "windowfixture.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> app;
    const bool listing = testing::GTEST_FLAG(list_tests);
    if (!listing) {
        app = std::make_unique<QApplication>(argc, argv);
        kz::test::watchMessageBoxes();
    }
    return RUN_ALL_TESTS();
}
