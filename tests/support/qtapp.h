// The one Qt application of a test process, made on first use and ended after the last test while Qt is still whole.
#pragma once

#include <functional>

class QApplication;
class QCoreApplication;

namespace vantrelo::test {

// Event loops, timers and sockets; the application made before, if any.
QCoreApplication& CoreApp();
// Widgets too; it must be the first application of the process.
QApplication& WidgetApp();
// Turns the event loop until `done` holds or `ms` have passed; whether it holds.
bool Until(const std::function<bool()>& done, int ms = 15000);

} // namespace vantrelo::test
