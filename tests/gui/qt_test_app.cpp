#include "qt_test_app.h"

#include <gtest/gtest.h>

namespace torvane::test {

QApplication& qtTestApp() {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { qtTestApp(); }
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

}  // namespace torvane::test
