// The shared QApplication of widget tests.
#include "support/widgetapp.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace vantrelo::test {

namespace {

QApplication* application = nullptr;

class TQtEnvironment final : public ::testing::Environment {
public:
    void TearDown() override {
        delete application;
        application = nullptr;
    }
};

} // namespace

QApplication& WidgetApp() {
    static int argc = 1;
    static char name[] = "vantrelo-widget-test";
    static char* argv[] = {name, nullptr};
    if (!application) {
        application = new QApplication(argc, argv);
        ::testing::AddGlobalTestEnvironment(new TQtEnvironment);
    }
    return *application;
}

} // namespace vantrelo::test
