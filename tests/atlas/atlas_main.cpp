// One QApplication for all atlas tests; listing the tests needs no window system.
#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> app;
    if (!testing::GTEST_FLAG(list_tests))
        app = std::make_unique<QApplication>(argc, argv);
    return RUN_ALL_TESTS();
}
