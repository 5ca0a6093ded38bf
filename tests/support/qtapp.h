// The one Qt application of a test process, made on first use and ended after the last test while Qt is still whole.
#pragma once

class QApplication;
class QCoreApplication;

namespace vantrelo::test {

// Event loops, timers and sockets; the application made before, if any.
QCoreApplication& CoreApp();
// Widgets too; it must be the first application of the process.
QApplication& WidgetApp();

} // namespace vantrelo::test
