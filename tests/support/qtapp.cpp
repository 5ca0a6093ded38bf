// The one Qt application of a test process.
#include "support/qtapp.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

#include <cstdlib>

namespace vantrelo::test {

namespace {

QCoreApplication* application = nullptr;

class TQtEnvironment final : public ::testing::Environment {
public:
    void TearDown() override {
        delete application;
        application = nullptr;
    }
};

QCoreApplication& MakeApp(bool widgets) {
    static int argc = 1;
    static char name[] = "vantrelo-test";
    static char* argv[] = {name, nullptr};
    if (!application) {
        if (widgets)
            application = new QApplication(argc, argv);
        else
            application = new QCoreApplication(argc, argv);
        ::testing::AddGlobalTestEnvironment(new TQtEnvironment);
    }
    return *application;
}

} // namespace

QCoreApplication& CoreApp() { return MakeApp(false); }

QApplication& WidgetApp() {
    auto* app = qobject_cast<QApplication*>(&MakeApp(true));
    if (!app) {
        ADD_FAILURE() << "a test made a core application before the widget application";
        std::abort();
    }
    return *app;
}

bool Until(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (done())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

} // namespace vantrelo::test
