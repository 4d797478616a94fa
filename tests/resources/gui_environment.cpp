// Icons and pixmaps need a QGuiApplication; one is created before the first test runs.
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

class GuiEnvironment : public testing::Environment {
  public:
    void SetUp() override
    {
        // Run by hand without a display, the tests still work.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }

  private:
    int argc = 1;
    char name[16] = "resources_tests";
    char *argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
};

[[maybe_unused]] testing::Environment *const environment =
    testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
